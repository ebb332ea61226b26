#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "aax-support/AAX_CBinaryDisplayDelegate.h"
#include "aax-support/AAX_CBinaryTaperDelegate.h"
#include "aax-support/AAX_CLinearTaperDelegate.h"
#include "aax-support/AAX_CNumberDisplayDelegate.h"
#include "aax-support/AAX_CParameter.h"
#include "aax-support/AAX_CStringDisplayDelegate.h"
#include "aax-support/AAX_CUnitDisplayDelegateDecorator.h"
#include "aax-support/AAX_VAutomationDelegate.h"
#include "FakeAaxHost.h"

namespace {

typedef std::vector<std::string> Calls;

// A double taper over [min, max], linear: the tests need no power curve.
class LinearDoubleTaper final : public AAX_ITaperDelegate<double>
{
public:
  AAX_DESTRUCTOR_SLOT
  LinearDoubleTaper(double min, double max) : mMin(min), mMax(max) {}
  AAX_ITaperDelegate<double>* Clone() const override { return new LinearDoubleTaper(*this); }
  double GetMaximumValue() const override { return mMax; }
  double GetMinimumValue() const override { return mMin; }
  double ConstrainRealValue(double v) const override { return v > mMax ? mMax : v < mMin ? mMin : v; }
  double NormalizedToReal(double x) const override { return ConstrainRealValue(x * (mMax - mMin) + mMin); }
  double RealToNormalized(double v) const override { return (ConstrainRealValue(v) - mMin) / (mMax - mMin); }

private:
  double mMin, mMax;
};

std::unique_ptr<AAX_CParameter<int>> IntParam(const char* id, int def, int min = 0, int max = 100)
{
  return std::make_unique<AAX_CParameter<int>>(id, AAX_CString("Int"), def, AAX_CLinearTaperDelegate<int, 0>(min, max),
                                               AAX_CNumberDisplayDelegate<int, 2, 0>(), true);
}

std::unique_ptr<AAX_CParameter<double>> DoubleParam(const char* id, double def, double min = 0.0, double max = 10.0)
{
  return std::make_unique<AAX_CParameter<double>>(
    id, AAX_CString("Gain"), def, LinearDoubleTaper(min, max),
    AAX_CUnitDisplayDelegateDecorator<double>(AAX_CNumberDisplayDelegate<double, 2, 0>(), AAX_CString("dB")), true);
}

std::unique_ptr<AAX_CParameter<bool>> BoolParam(const char* id, bool def)
{
  return std::make_unique<AAX_CParameter<bool>>(id, AAX_CString("Master Bypass"), def, AAX_CBinaryTaperDelegate<bool>(),
                                                AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), false);
}

std::string ValueText(const AAX_IParameter& p)
{
  AAX_CString text;
  p.ValueString(&text);
  return text.Text();
}

// The library's automation wrapper over the fake host, as the effect builds it.
struct AttachedFixture : ::testing::Test
{
  aaxhost::FakeAaxHost mHost;
  std::unique_ptr<AAX_VAutomationDelegate> mAutomation;

  void SetUp() override { mAutomation = std::make_unique<AAX_VAutomationDelegate>(mHost.Unknown()); }

  // The host calls since the last look.
  Calls Take()
  {
    Calls calls = mHost.Log().Calls();
    mHost.Log().Clear();
    return calls;
  }
};

TEST(AAX_CParameter, Construction)
{
  auto p = IntParam("7", 29);
  EXPECT_STREQ(p->Identifier(), "7");
  EXPECT_STREQ(p->Name().Text(), "Int");
  EXPECT_TRUE(p->Automatable());
  EXPECT_EQ(p->Type(), AAX_eParameterType_Continuous);
  EXPECT_EQ(p->NumberOfSteps(), 128u);
  EXPECT_EQ(p->Orientation(), 0);
  // The default makes one round trip through the truncating taper: 0.29 -> 28.99.. -> 28.
  EXPECT_EQ(p->GetValue(), 28);
  EXPECT_EQ(p->GetDefaultValue(), 29);
  p->SetType(AAX_eParameterType_Discrete);
  EXPECT_EQ(p->Type(), 0);
  EXPECT_EQ(p->NumberOfSteps(), 128u); // the type leaves the steps alone

  EXPECT_FALSE(BoolParam("b", true)->Automatable());
  EXPECT_TRUE(BoolParam("b", true)->GetValue());
  EXPECT_DOUBLE_EQ(DoubleParam("d", 2.5)->NormalizedValue(), 0.25);
}

TEST(AAX_CParameter, IdentifierIsCutTo31Characters)
{
  const std::string forty(40, 'x');
  const std::string thirtyOne(31, 'y');
  EXPECT_EQ(std::string(IntParam(forty.c_str(), 0)->Identifier()), forty.substr(0, 31));
  EXPECT_EQ(std::string(IntParam(thirtyOne.c_str(), 0)->Identifier()), thirtyOne);
  EXPECT_STREQ(IntParam("", 0)->Identifier(), "");
  EXPECT_STREQ(IntParam(nullptr, 0)->Identifier(), "");
}

TEST(AAX_CParameter, DelegatesAreTheParametersOwnCopies)
{
  std::unique_ptr<AAX_CParameter<double>> p;
  {
    LinearDoubleTaper taper(0.0, 10.0);
    AAX_CNumberDisplayDelegate<double, 2, 0> number;
    AAX_CUnitDisplayDelegateDecorator<double> display(number, AAX_CString("dB"));
    p = std::make_unique<AAX_CParameter<double>>("1", AAX_CString("Gain"), 5.0, taper, display, true);
  } // the caller's delegates go away here
  EXPECT_EQ(ValueText(*p), "5.00dB");
  EXPECT_DOUBLE_EQ(p->NormalizedValue(), 0.5);
}

TEST(AAX_CParameter, DetachedChangesApplyAtOnce)
{
  auto p = IntParam("1", 0, 0, 10);
  p->SetNormalizedValue(0.55); // quantised: 5, then 0.5
  EXPECT_EQ(p->GetValue(), 5);
  EXPECT_DOUBLE_EQ(p->NormalizedValue(), 0.5);
  // A NaN from outside changes nothing (the taper would store it).
  auto d = DoubleParam("2", 2.5);
  d->SetNormalizedValue(std::nan(""));
  EXPECT_DOUBLE_EQ(d->GetValue(), 2.5);
  p->SetValue(12);             // limited by the taper
  EXPECT_EQ(p->GetValue(), 10);
  p->SetNormalizedDefault(0.37);
  EXPECT_EQ(p->GetDefaultValue(), 3);
  EXPECT_DOUBLE_EQ(p->NormalizedDefault(), 0.3);
  p->SetToDefaultValue();
  EXPECT_EQ(p->GetValue(), 3);
  p->Touch();   // no delegate: nothing to do
  p->Release();
}

TEST_F(AttachedFixture, TouchSetReleaseAndTheHostAnswer)
{
  auto p = IntParam("3", 0, 0, 10);
  p->SetAutomationDelegate(mAutomation.get());
  EXPECT_EQ(Take(), Calls({ "Automation.RegisterParameter(3)" }));

  p->SetNormalizedValue(0.55);
  EXPECT_EQ(Take(), Calls({ "Automation.PostTouchRequest(3)", "Automation.PostSetValueRequest(3,0.5)", "Automation.PostReleaseRequest(3)" }));
  EXPECT_EQ(p->GetValue(), 0); // unchanged until the host answers
  EXPECT_EQ(p->NormalizedValue(), 0.0);

  p->UpdateNormalizedValue(0.5);
  EXPECT_EQ(p->GetValue(), 5);
  EXPECT_EQ(Take(), Calls({ "Automation.PostCurrentValue(3,0.5)" }));
  p->UpdateNormalizedValue(0.5); // same value: nothing stored or posted
  EXPECT_TRUE(Take().empty());
  p->UpdateNormalizedValue(0.52); // a different position, the same real value
  EXPECT_TRUE(Take().empty());
  p->UpdateNormalizedValue(0.99); // posted as received, not re-normalised
  EXPECT_EQ(p->GetValue(), 9);
  EXPECT_EQ(Take(), Calls({ "Automation.PostCurrentValue(3,0.99)" }));

  p->Touch();
  p->Release();
  EXPECT_EQ(Take(), Calls({ "Automation.PostTouchRequest(3)", "Automation.PostReleaseRequest(3)" }));

  EXPECT_TRUE(p->SetValueWithInt32(2));
  EXPECT_EQ(Take(), Calls({ "Automation.PostTouchRequest(3)", "Automation.PostSetValueRequest(3,0.2)", "Automation.PostReleaseRequest(3)" }));
  EXPECT_TRUE(p->SetValueFromString(AAX_CString("7.9")));
  EXPECT_EQ(Take(), Calls({ "Automation.PostTouchRequest(3)", "Automation.PostSetValueRequest(3,0.7)", "Automation.PostReleaseRequest(3)" }));
  EXPECT_EQ(p->GetValue(), 9);

  p->SetAutomationDelegate(nullptr);
  EXPECT_EQ(Take(), Calls({ "Automation.UnregisterParameter(3)" }));
  p->SetNormalizedValue(0.1); // detached again
  EXPECT_EQ(p->GetValue(), 1);
  EXPECT_TRUE(Take().empty());
}

TEST_F(AttachedFixture, HostFailuresAreIgnored)
{
  mHost.Automation().mResult = kAaxErrMissingInterface;
  auto p = BoolParam("", false);
  p->SetAutomationDelegate(mAutomation.get());
  p->SetValueWithBool(true);
  p->UpdateNormalizedValue(1.0);
  EXPECT_TRUE(p->GetValue());
  EXPECT_EQ(Take(), Calls({ "Automation.RegisterParameter()", "Automation.PostTouchRequest()", "Automation.PostSetValueRequest(,1)", "Automation.PostReleaseRequest()", "Automation.PostCurrentValue(,1)" }));
}

TEST_F(AttachedFixture, FirstUpdateAfterALocalChangeIsAlwaysPosted)
{
  auto p = IntParam("4", 5, 0, 10);
  p->SetAutomationDelegate(mAutomation.get());
  Take();
  // A new taper with the value kept as a position: the host is told even when the value stays.
  p->SetTaperDelegate(AAX_CLinearTaperDelegate<int, 0>(0, 10), false);
  EXPECT_EQ(Take(), Calls({ "Automation.PostCurrentValue(4,0.5)" }));
  // Kept as a real value: requested under the new taper.
  p->SetTaperDelegate(AAX_CLinearTaperDelegate<int, 0>(0, 20), true);
  EXPECT_EQ(Take(), Calls({ "Automation.PostTouchRequest(4)", "Automation.PostSetValueRequest(4,0.25)", "Automation.PostReleaseRequest(4)" }));
  // A display change refreshes the host's text.
  p->SetDisplayDelegate(AAX_CUnitDisplayDelegateDecorator<int>(AAX_CNumberDisplayDelegate<int, 2, 0>(), AAX_CString("%")));
  EXPECT_EQ(Take(), Calls({ "Automation.PostCurrentValue(4,0.25)" }));
  EXPECT_EQ(ValueText(*p), "5.00%");

  p.reset(); // destruction unregisters
  EXPECT_EQ(Take(), Calls({ "Automation.UnregisterParameter(4)" }));
}

TEST(AAX_CParameter, NaNFromTheHostChangesNothing)
{
  // The host's ways in with a NaN (the tapers would store one, or the bottom).
  typedef void (*Set)(AAX_IParameter&, double);
  const struct { const char* slot; Set set; } ways[] = {
    { "SetNormalizedValue", [](AAX_IParameter& p, double x) { p.SetNormalizedValue(x); } },
    { "SetNormalizedDefault", [](AAX_IParameter& p, double x) { p.SetNormalizedDefault(x); } },
    { "UpdateNormalizedValue", [](AAX_IParameter& p, double x) { p.UpdateNormalizedValue(x); } },
  };
  for (const auto& way : ways)
  {
    auto d = DoubleParam("1", 2.5);
    auto i = IntParam("2", 5, 0, 10);
    way.set(*d, std::nan(""));
    way.set(*i, std::nan(""));
    EXPECT_EQ(d->GetValue(), 2.5) << way.slot;
    EXPECT_EQ(d->GetDefaultValue(), 2.5) << way.slot;
    EXPECT_EQ(i->GetValue(), 5) << way.slot;
    EXPECT_EQ(i->GetDefaultValue(), 5) << way.slot;
  }
}

TEST(AAX_CParameter, TaperReplacementDetached)
{
  auto p = IntParam("1", 5, 0, 10);
  p->SetTaperDelegate(AAX_CLinearTaperDelegate<int, 0>(0, 20), false); // position 0.5 kept
  EXPECT_EQ(p->GetValue(), 10);
  p->SetTaperDelegate(AAX_CLinearTaperDelegate<int, 0>(0, 40), true);  // value 10 kept
  EXPECT_EQ(p->GetValue(), 10);
  EXPECT_DOUBLE_EQ(p->NormalizedValue(), 0.25);
}

TEST(AAX_CParameter, Steps)
{
  auto p = DoubleParam("1", 5.0, 0.0, 10.0);
  EXPECT_EQ(p->StepValue(), 64); // 0.5 * 127 + 0.5
  p->SetStepValue(127);
  EXPECT_DOUBLE_EQ(p->NormalizedValue(), 1.0);
  p->SetStepValue(500); // beyond the last step
  EXPECT_DOUBLE_EQ(p->NormalizedValue(), 1.0);
  EXPECT_EQ(p->StepValue(), 127);
  p->SetStepValue(0);
  EXPECT_EQ(p->StepValue(), 0);

  for (uint32_t steps : { 0u, 1u })
  {
    p->SetNormalizedValue(0.5);
    p->SetNumberOfSteps(steps);
    EXPECT_EQ(p->StepValue(), 0);
    p->SetStepValue(3);
    EXPECT_DOUBLE_EQ(p->NormalizedValue(), 0.5) << steps;
  }
  p->SetNumberOfSteps(2);
  p->SetStepValue(1);
  EXPECT_DOUBLE_EQ(p->NormalizedValue(), 1.0);
  EXPECT_EQ(p->StepValue(), 1);
}

TEST(AAX_CParameter, ShortenedNames)
{
  auto p = IntParam("1", 0);
  p->SetName(AAX_CString("Twelve chars"));
  EXPECT_STREQ(p->ShortenedName(3).Text(), "Twelve chars"); // none stored yet
  p->AddShortenedName(AAX_CString("Tw c"));
  p->AddShortenedName(AAX_CString("Twelve c"));
  p->AddShortenedName(AAX_CString("Twch"));      // same length: replaces "Tw c"
  struct { int32_t limit; const char* name; } cases[] = {
    { 3, "Twch" }, { 4, "Twch" }, { 6, "Twch" }, { 8, "Twelve c" }, { 9, "Twelve c" },
    { 11, "Twelve c" }, { 12, "Twelve chars" }, { 40, "Twelve chars" }, { -1, "Twelve chars" },
  };
  for (const auto& c : cases)
    EXPECT_STREQ(p->ShortenedName(c.limit).Text(), c.name) << c.limit;
  p->ClearShortenedNames();
  EXPECT_STREQ(p->ShortenedName(4).Text(), "Twelve chars");
}

TEST(AAX_CParameter, TextConversions)
{
  auto p = DoubleParam("1", 1.5, 0.0, 10.0);
  AAX_CString text;
  EXPECT_TRUE(p->ValueString(&text));
  EXPECT_STREQ(text.Text(), "1.50dB");
  EXPECT_TRUE(p->ValueStringWithSize(3, &text)); // the limit reaches the number display
  EXPECT_STREQ(text.Text(), "1.5");
  EXPECT_TRUE(p->ValueStringWithSize(2, &text));
  EXPECT_STREQ(text.Text(), "1");

  EXPECT_TRUE(p->StringFromNormalizedValue(0.25, &text));
  EXPECT_STREQ(text.Text(), "2.50dB");
  EXPECT_TRUE(p->StringFromNormalizedValueWithSize(0.25, 5, &text));
  EXPECT_STREQ(text.Text(), "2.50");
  // The taper limits the position before the text is made, so the value is in range.
  EXPECT_TRUE(p->StringFromNormalizedValue(1.5, &text));
  EXPECT_STREQ(text.Text(), "10.00dB");

  double n = -1.0;
  EXPECT_TRUE(p->NormalizedValueFromString(AAX_CString("2.5 dB"), &n));
  EXPECT_DOUBLE_EQ(n, 0.25);
  n = -1.0;
  EXPECT_FALSE(p->NormalizedValueFromString(AAX_CString("20"), &n)); // above the maximum
  EXPECT_DOUBLE_EQ(n, 1.0);                                       // still written, limited
  n = -1.0;
  EXPECT_FALSE(p->NormalizedValueFromString(AAX_CString("loud"), &n));
  EXPECT_EQ(n, -1.0); // untouched

  EXPECT_FALSE(p->SetValueFromString(AAX_CString("loud")));
  EXPECT_DOUBLE_EQ(p->GetValue(), 1.5);
  EXPECT_TRUE(p->SetValueFromString(AAX_CString("-3dB"))); // not range-checked; the taper limits
  EXPECT_DOUBLE_EQ(p->GetValue(), 0.0);

  // String display of an enumerated int parameter: unknown values fail with the fallback text.
  std::map<int, AAX_CString> table = { { 0, AAX_CString("off") }, { 1, AAX_CString("on") } };
  AAX_CParameter<int> e("2", AAX_CString("Ultra Mode"), 1, AAX_CLinearTaperDelegate<int, 0>(0, 1),
                        AAX_CStringDisplayDelegate<int>(table), true);
  EXPECT_EQ(ValueText(e), "on");
  EXPECT_TRUE(e.StringFromNormalizedValue(0.0, &text));
  EXPECT_STREQ(text.Text(), "off");
  AAX_CParameter<int> wide("3", AAX_CString("x"), 0, AAX_CLinearTaperDelegate<int, 0>(0, 4),
                           AAX_CStringDisplayDelegate<int>(table), true);
  EXPECT_FALSE(wide.StringFromNormalizedValue(1.0, &text));
  EXPECT_STREQ(text.Text(), "String Not Found");
}

TEST(AAX_CParameter, TypedAccessOnlyForTheOwnType)
{
  auto i = IntParam("i", 4, 0, 10);
  auto d = DoubleParam("d", 2.0);
  auto b = BoolParam("b", true);
  bool bv = false;
  int32_t iv = -1;
  float fv = -1.0f;
  double dv = -1.0;
  AAX_CString sv("untouched");

  EXPECT_TRUE(b->GetValueAsBool(&bv));
  EXPECT_TRUE(bv);
  EXPECT_TRUE(i->GetValueAsInt32(&iv));
  EXPECT_EQ(iv, 4);
  EXPECT_TRUE(d->GetValueAsDouble(&dv));
  EXPECT_DOUBLE_EQ(dv, 2.0);

  iv = -1;
  dv = -1.0;
  bv = false;
  for (AAX_IParameter* p : std::initializer_list<AAX_IParameter*>{ i.get(), d.get(), b.get() })
  {
    EXPECT_FALSE(p->GetValueAsFloat(&fv));
    EXPECT_FALSE(p->GetValueAsString(&sv));
    EXPECT_FALSE(p->SetValueWithFloat(1.0f));
    EXPECT_FALSE(p->SetValueWithString(AAX_CString("1")));
  }
  EXPECT_FALSE(b->GetValueAsInt32(&iv));
  EXPECT_FALSE(i->GetValueAsBool(&bv));
  EXPECT_FALSE(i->GetValueAsDouble(&dv));
  EXPECT_FALSE(d->GetValueAsInt32(&iv));
  EXPECT_EQ(iv, -1);
  EXPECT_EQ(dv, -1.0);
  EXPECT_FALSE(bv);
  EXPECT_EQ(fv, -1.0f);
  EXPECT_STREQ(sv.Text(), "untouched");
  EXPECT_FALSE(i->GetValueAsInt32(nullptr));

  EXPECT_FALSE(i->SetValueWithDouble(3.0));
  EXPECT_FALSE(d->SetValueWithBool(false));
  EXPECT_FALSE(b->SetValueWithInt32(0));
  EXPECT_EQ(i->GetValue(), 4);
  EXPECT_TRUE(b->SetValueWithBool(false));
  EXPECT_FALSE(b->GetValue());
  EXPECT_TRUE(d->SetValueWithDouble(7.5));
  EXPECT_EQ(d->GetValue(), 7.5);
  EXPECT_TRUE(i->SetValueWithInt32(-5));
  EXPECT_EQ(i->GetValue(), 0);
}

} // namespace
