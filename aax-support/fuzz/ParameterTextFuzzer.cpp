// libFuzzer target: host-typed text through the parameters' displays and tapers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "aax-support/AAX_CBinaryDisplayDelegate.h"
#include "aax-support/AAX_CBinaryTaperDelegate.h"
#include "aax-support/AAX_CLinearTaperDelegate.h"
#include "aax-support/AAX_CNumberDisplayDelegate.h"
#include "aax-support/AAX_CParameter.h"
#include "aax-support/AAX_CStringDisplayDelegate.h"
#include "aax-support/AAX_CUnitDisplayDelegateDecorator.h"

namespace {

template <typename T>
void Drive(AAX_CParameter<T>& p, const AAX_CString& text, int32_t limit, bool keepsLimit)
{
  double normalized = 0.5;
  if (p.NormalizedValueFromString(text, &normalized) && !(normalized >= 0.0 && normalized <= 1.0))
    std::abort(); // an accepted text must lie in the range
  p.SetValueFromString(text);
  if (!(p.NormalizedValue() >= 0.0 && p.NormalizedValue() <= 1.0))
    std::abort(); // the taper limits whatever was typed
  AAX_CString out;
  p.ValueStringWithSize(limit, &out);
  if (keepsLimit && out.Length() > uint32_t(limit > 0 ? limit : 0))
    std::abort(); // the number display and its unit keep to the limit
  p.StringFromNormalizedValueWithSize(normalized, limit, &out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size == 0)
    return 0;
  int32_t limit = int8_t(data[0]);
  std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  AAX_CString text(bytes.c_str()); // hosts hand over C strings: cut at the first NUL

  double value = 0.0;
  text.ToDouble(&value);

  AAX_CParameter<int> number("1", AAX_CString("Amount"), 3, AAX_CLinearTaperDelegate<int, 0>(-100, 100),
                             AAX_CUnitDisplayDelegateDecorator<int>(AAX_CNumberDisplayDelegate<int, 2, 0>(),
                                                                    AAX_CString("dB")),
                             true);
  Drive(number, text, limit, true);

  std::map<int, AAX_CString> table = { { 0, AAX_CString("off") }, { 1, AAX_CString("on") } };
  AAX_CParameter<int> choice("2", AAX_CString("Mode"), 0, AAX_CLinearTaperDelegate<int, 0>(0, 1),
                             AAX_CStringDisplayDelegate<int>(table), true);
  Drive(choice, text, limit, false); // table texts are never cut

  AAX_CParameter<bool> bypass("", AAX_CString("Master Bypass"), false, AAX_CBinaryTaperDelegate<bool>(),
                              AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true);
  Drive(bypass, text, limit, false);
  return 0;
}
