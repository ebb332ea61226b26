// Slot 0 of every concrete class whose objects cross to the host, called as
// the host calls it: the first table entry, with flags 0 (destroy in place,
// the memory stays the caller's) and 1 (destroy and free). The sanitizers see
// a free of memory the object does not own, a destructor that does not run
// (its heap parts leak) and a heap object that is not freed.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <new>
#include <string>

#include "aax-support/AAX_CBinaryDisplayDelegate.h"
#include "aax-support/AAX_CBinaryTaperDelegate.h"
#include "aax-support/AAX_CLinearTaperDelegate.h"
#include "aax-support/AAX_CNumberDisplayDelegate.h"
#include "aax-support/AAX_CParameter.h"
#include "aax-support/AAX_CString.h"
#include "aax-support/AAX_CStringDisplayDelegate.h"
#include "aax-support/AAX_CUnitDisplayDelegateDecorator.h"
#include "aax-support/AAX_VAutomationDelegate.h"
#include "aax-support/AAX_VTransport.h"
#include "formats/aax/AAX_CIPlugTaperDelegate.h"

namespace {

void* SlotZero(void* object, uint32_t flags)
{
  typedef void* (*Destructor)(void*, uint32_t);
  return reinterpret_cast<Destructor>((*static_cast<void* const* const*>(object))[0])(object, flags);
}

template <class T, class... A>
void BothFlags(const char* name, const A&... args)
{
  T* heap = new T(args...);
  EXPECT_EQ(SlotZero(heap, 1), heap) << name;
  alignas(T) unsigned char storage[sizeof(T)];
  T* placed = new (storage) T(args...);
  EXPECT_EQ(SlotZero(placed, 0), static_cast<void*>(storage)) << name;
}

TEST(DestructorSlot, DestroysWithFlagZeroAndFreesWithFlagOne)
{
  // Texts long enough to live on the heap.
  const std::string longText(64, 'x');
  const AAX_CString name(longText.c_str());
  const AAX_CString unit(longText.c_str());
  const std::map<int, AAX_CString> texts = { { 0, name }, { 1, unit } };
  const AAX_CLinearTaperDelegate<int, 0> linear(0, 10);
  const AAX_CIPlugTaperDelegate<double> power(0.0, 100.0, 2.0);
  const AAX_CBinaryTaperDelegate<bool> binary;
  const AAX_CNumberDisplayDelegate<int, 2, 0> intNumber;
  const AAX_CNumberDisplayDelegate<double, 2, 0> doubleNumber;
  const AAX_CBinaryDisplayDelegate<bool> onOff(longText.c_str(), longText.c_str());
  const AAX_CStringDisplayDelegate<int> choices(texts);
  const AAX_CUnitDisplayDelegateDecorator<int> intUnit(intNumber, unit);
  const AAX_CUnitDisplayDelegateDecorator<double> doubleUnit(doubleNumber, unit);
  const bool automatable = true;

  BothFlags<AAX_CString>("string", longText.c_str());
  BothFlags<AAX_CParameter<int>>("int parameter", "1", name, 5, linear, intUnit, automatable);
  BothFlags<AAX_CParameter<double>>("double parameter", "2", name, 25.0, power, doubleUnit, automatable);
  BothFlags<AAX_CParameter<bool>>("bool parameter", "3", name, false, binary, onOff, automatable);
  BothFlags<AAX_VTransport>("transport", static_cast<IACFUnknown*>(nullptr));
  BothFlags<AAX_VAutomationDelegate>("automation", static_cast<IACFUnknown*>(nullptr));
  BothFlags<AAX_CLinearTaperDelegate<int, 0>>("linear taper", 0, 10);
  BothFlags<AAX_CIPlugTaperDelegate<double>>("power taper", 0.0, 100.0, 2.0);
  BothFlags<AAX_CBinaryTaperDelegate<bool>>("binary taper");
  BothFlags<AAX_CNumberDisplayDelegate<int, 2, 0>>("int number display");
  BothFlags<AAX_CNumberDisplayDelegate<double, 2, 0>>("double number display");
  BothFlags<AAX_CBinaryDisplayDelegate<bool>>("binary display", longText.c_str(), longText.c_str());
  BothFlags<AAX_CStringDisplayDelegate<int>>("string display", texts);
  BothFlags<AAX_CUnitDisplayDelegateDecorator<int>>("int unit display", intNumber, unit);
  BothFlags<AAX_CUnitDisplayDelegateDecorator<double>>("double unit display", doubleNumber, unit);
}

} // namespace
