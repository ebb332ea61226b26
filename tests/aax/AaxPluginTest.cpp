// The AAX plug-in as a host drives it: the real library under Wine in the x86
// build, the same code linked in natively.

#include "AaxPluginHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "aax-support/AAX_CChunkDataParser.h"
#include "aax-support/AAX_CString.h"
#include "aax-support/interfaces/AcfIds.h"

using aaxtest::PluginHost;
using testing::ElementsAre;

namespace {

constexpr uint32_t kStateChunkID = 0x51583430;  // 'QX40'
constexpr int kNumParams = 8;

std::vector<std::vector<float>> Sine (int channels, int frames, double amplitude = 0.5)
{
	std::vector<std::vector<float>> signal (channels, std::vector<float> (frames));
	for (int c = 0; c < channels; ++c)
		for (int f = 0; f < frames; ++f)
			signal[c][f] = static_cast<float> (amplitude * std::sin (0.03 * f + c));
	return signal;
}

double Rms (const std::vector<float>& samples)
{
	double sum = 0.0;
	for (float s : samples)
		sum += double (s) * s;
	return samples.empty () ? 0.0 : std::sqrt (sum / samples.size ());
}

std::vector<double> StateValues (const std::vector<uint8_t>& chunk)
{
	std::vector<double> values (chunk.size () / 8);
	std::memcpy (values.data (), chunk.data (), values.size () * 8);
	return values;
}

class AaxPlugin : public testing::Test
{
protected:
	void SetUp () override { ASSERT_TRUE (mPlug.Ready ()); }

	void TearDown () override
	{
		EXPECT_TRUE (mPlug.Close ()) << "ACFCanUnloadNow after every object was released";
	}

	std::string Name (const char* id)
	{
		AAX_CString text;
		EXPECT_EQ (mPlug.Effect ()->GetParameterName (id, &text), kAaxSuccess);
		return text.Text ();
	}

	std::string ValueText (const char* id, double normalized)
	{
		AAX_CString text;
		EXPECT_EQ (mPlug.Effect ()->GetParameterStringFromValue (id, normalized, &text, 32), kAaxSuccess);
		return text.Text ();
	}

	PluginHost mPlug;
};

TEST_F (AaxPlugin, RegistersOneEffectWithAMonoAndAStereoComponent)
{
	aaxhost::FakeCollection* collection = mPlug.Session ().Collection ();
	ASSERT_NE (collection, nullptr);
	ASSERT_EQ (collection->mEffects.size (), 1u);
	EXPECT_EQ (collection->mEffects[0].mId, "com.Zentik.aax.ZentikQX40");
	EXPECT_THAT (collection->mPackageNames, ElementsAre ("ZentikQX40"));
	EXPECT_THAT (collection->mManufacturerNames, ElementsAre ("Zentik"));
	EXPECT_EQ (collection->mPackageVersion, 0x00010101u);

	aaxhost::FakeEffectDescriptor* effect = collection->mEffects[0].mDescriptor;
	EXPECT_THAT (effect->mNames, ElementsAre ("ZentikQX40"));
	EXPECT_THAT (effect->mCategories, ElementsAre (0x40u));
	EXPECT_EQ (effect->mProcs.size (), 2u);
	EXPECT_NE (effect->mProcs[0], nullptr);
	EXPECT_NE (effect->mProcs[1], nullptr);

	const std::string privateData = "AddPrivateData(8," + std::to_string (sizeof (void*)) + ",0)";
	ASSERT_EQ (effect->mComponents.size (), 2u);
	struct Expected { uint32_t stem; uint32_t native; uint32_t offline; };
	const Expected expected[] = { { 0x00000001, 0x45464E31, 0x45464131 },   // 'EFN1', 'EFA1'
		                          { 0x00010002, 0x45464E32, 0x45464132 } }; // 'EFN2', 'EFA2'
	for (int k = 0; k < 2; ++k)
	{
		aaxhost::FakeComponentDescriptor* component = effect->mComponents[k];
		EXPECT_THAT (component->mDeclarations,
		             ElementsAre ("AddPrivateData(6,4,0)", "AddPrivateData(5,4,0)", "AddMIDINode(7,3,Transport,0xFFFF)",
		                          "AddAudioIn(0)", "AddAudioOut(1)", "AddAudioBufferLength(3)", "AddPrivateData(9,4,0)",
		                          privateData, "AddProcessProc(proc,map,0,0,0)"));
		ASSERT_NE (component->mProcessProperties, nullptr);
		const auto& p = component->mProcessProperties->mProperties;
		const std::map<AaxPropertyID, AaxPropertyValue> want = {
			{ 56, 0 }, { 51, AaxPropertyValue (expected[k].stem) }, { 52, AaxPropertyValue (expected[k].stem) },
			{ 60, 1 }, { 11, 0x5A6E746B }, { 12, 0x51583430 },
			{ 13, AaxPropertyValue (expected[k].native) }, { 14, AaxPropertyValue (expected[k].offline) } };
		EXPECT_EQ (p, want) << "component " << k;
	}
}

TEST_F (AaxPlugin, HostParametersMirrorTheFrameworkParameters)
{
	AAX_IACFEffectParameters* e = mPlug.Effect ();
	int32_t count = 0;
	EXPECT_EQ (e->GetNumberOfParameters (&count), kAaxSuccess);
	EXPECT_EQ (count, kNumParams + 1);

	AAX_CString bypassId ("unset");
	EXPECT_EQ (e->GetMasterBypassId (&bypassId), kAaxSuccess);
	EXPECT_STREQ (bypassId.Text (), "");

	struct Row { const char* id; const char* name; double def; int32_t steps; int32_t type; const char* text; };
	// Shaped knobs: default 25 of 0-100 with shape 2 is normalised 0.5.
	const Row rows[] = {
		{ "", "Master Bypass", 0.0, 2, 0, "bypass" },
		{ "1", "Bypass", 0.0, 2, 0, "off" },
		{ "2", "Dist. Amount", 0.0, 128, 1, "0.00" },
		{ "3", "Tone", 0.5, 128, 1, "25.00" },
		{ "4", "Level", 0.5, 128, 1, "25.00" },
		{ "5", "Analog Saturation", 1.0, 2, 0, "on" },
		{ "6", "Analog Hiss", 1.0, 2, 0, "on" },
		{ "7", "Ultra Mode", 0.0, 2, 0, "off" },
		{ "8", "Dry/Wet", 1.0, 128, 1, "100.00" },
	};
	for (const Row& row : rows)
	{
		SCOPED_TRACE (std::string ("parameter \"") + row.id + "\"");
		EXPECT_EQ (Name (row.id), row.name);
		double def = -1.0;
		EXPECT_EQ (e->GetParameterDefaultNormalizedValue (row.id, &def), kAaxSuccess);
		EXPECT_NEAR (def, row.def, 1e-12);
		double value = -1.0;
		EXPECT_EQ (e->GetParameterNormalizedValue (row.id, &value), kAaxSuccess);
		EXPECT_NEAR (value, row.def, 1e-12);
		int32_t steps = 0, type = -1;
		EXPECT_EQ (e->GetParameterNumberOfSteps (row.id, &steps), kAaxSuccess);
		EXPECT_EQ (steps, row.steps);
		EXPECT_EQ (e->GetParameterType (row.id, &type), kAaxSuccess);
		EXPECT_EQ (type, row.type);
		bool automatable = false;
		EXPECT_EQ (e->GetParameterIsAutomatable (row.id, &automatable), kAaxSuccess);
		EXPECT_TRUE (automatable);
		AAX_CString text;
		EXPECT_EQ (e->GetParameterValueString (row.id, &text, 32), kAaxSuccess);
		EXPECT_STREQ (text.Text (), row.text);
	}
	EXPECT_EQ (e->GetParameterNumberOfSteps ("9", nullptr), kAaxErrNullArgument);
	int32_t steps = 0;
	EXPECT_EQ (e->GetParameterNumberOfSteps ("9", &steps), kAaxErrUnknownParameter);
}

TEST_F (AaxPlugin, ShapedTaperRoundTripsThroughTheHostTexts)
{
	AAX_IACFEffectParameters* e = mPlug.Effect ();
	// Normalised x shows x^2 x 100; typed text comes back to the same x.
	const struct { double normalized; const char* text; } rows[] = {
		{ 0.0, "0.00" }, { 0.5, "25.00" }, { 0.1, "1.00" }, { 1.0, "100.00" },
	};
	for (const auto& row : rows)
	{
		EXPECT_EQ (ValueText ("4", row.normalized), row.text);
		double back = -1.0;
		AAX_CString typed (row.text);
		EXPECT_EQ (e->GetParameterValueFromString ("4", &back, &typed), kAaxSuccess);
		EXPECT_NEAR (back, row.normalized, 1e-9) << row.text;
	}
	EXPECT_EQ (ValueText ("7", 1.0), "on");
	EXPECT_EQ (ValueText ("", 1.0), "on");
}

TEST_F (AaxPlugin, HostChangesReachTheFrameworkAndAreCounted)
{
	AAX_IACFEffectParameters* e = mPlug.Effect ();
	int32_t before = 0, after = 0;
	e->GetNumberOfChanges (&before);
	EXPECT_EQ (e->UpdateParameterNormalizedValue ("3", 0.5, 0), kAaxSuccess);
	EXPECT_EQ (e->UpdateParameterNormalizedValue ("2", 0.8, 0), kAaxSuccess);
	// Out of range is clamped, a NaN changes nothing.
	EXPECT_EQ (e->UpdateParameterNormalizedValue ("8", 7.0, 0), kAaxSuccess);
	EXPECT_EQ (e->UpdateParameterNormalizedValue ("4", std::nan (""), 0), kAaxSuccess);
	EXPECT_EQ (e->UpdateParameterNormalizedValue ("9", 0.5, 0), kAaxErrUnknownParameter);
	e->GetNumberOfChanges (&after);
	EXPECT_EQ (after - before, 3);

	const std::vector<double> state = StateValues (mPlug.Chunk ());
	ASSERT_EQ (state.size (), size_t (kNumParams));
	EXPECT_NEAR (state[1], 64.0, 1e-9);   // 0.8^2 x 100
	EXPECT_NEAR (state[2], 25.0, 1e-9);
	EXPECT_NEAR (state[3], 25.0, 1e-9);   // untouched by the NaN
	EXPECT_NEAR (state[7], 100.0, 1e-9);

	// The bypass touches only its host parameter.
	e->GetNumberOfChanges (&before);
	EXPECT_EQ (e->UpdateParameterNormalizedValue ("", 1.0, 0), kAaxSuccess);
	e->GetNumberOfChanges (&after);
	EXPECT_EQ (after - before, 1);
	EXPECT_EQ (StateValues (mPlug.Chunk ()), state);

	// Below the range is the bottom on both sides: the squared shape would
	// make -0.5 a quarter.
	EXPECT_EQ (e->UpdateParameterNormalizedValue ("2", -0.5, 0), kAaxSuccess);
	EXPECT_NEAR (StateValues (mPlug.Chunk ())[1], 0.0, 1e-9);
	double normalized = -1.0;
	EXPECT_EQ (e->GetParameterNormalizedValue ("2", &normalized), kAaxSuccess);
	EXPECT_EQ (normalized, 0.0);
}

TEST_F (AaxPlugin, ChunkRoundTripsByteForByte)
{
	AAX_IACFEffectParameters* e = mPlug.Effect ();
	uint32_t id = 1;
	EXPECT_EQ (e->GetChunkIDFromIndex (0, &id), kAaxSuccess);
	EXPECT_EQ (id, kStateChunkID);
	EXPECT_EQ (e->GetChunkIDFromIndex (1, &id), kAaxErrChunkIndex);
	EXPECT_EQ (id, 0u);
	uint32_t size = 7;
	EXPECT_EQ (e->GetChunkSize (kStateChunkID, &size), kAaxSuccess);
	EXPECT_EQ (size, 64u);
	EXPECT_EQ (e->GetChunkSize (0x656C636B, &size), kAaxErrUnknownChunk);
	EXPECT_EQ (size, 0u);

	e->UpdateParameterNormalizedValue ("2", 0.3, 0);
	e->UpdateParameterNormalizedValue ("7", 1.0, 0);
	const std::vector<uint8_t> saved = mPlug.Chunk ();
	ASSERT_EQ (saved.size (), 64u);

	e->UpdateParameterNormalizedValue ("2", 0.9, 0);
	e->UpdateParameterNormalizedValue ("7", 0.0, 0);
	int32_t before = 0, after = 0;
	e->GetNumberOfChanges (&before);
	mPlug.Host ().Log ().Clear ();
	EXPECT_EQ (mPlug.SetChunk (saved, 64), kAaxSuccess);
	e->GetNumberOfChanges (&after);
	EXPECT_EQ (after - before, 1);
	EXPECT_EQ (mPlug.Chunk (), saved);
	// Each restored value goes to the host's automation.
	EXPECT_EQ (mPlug.Host ().Log ().Count ("Automation.PostSetValueRequest"), size_t (kNumParams));

	std::vector<uint8_t> record (kAaxChunkHeaderSize + 64);
	AaxChunk* chunk = reinterpret_cast<AaxChunk*> (record.data ());
	std::memcpy (chunk->mData, saved.data (), 64);
	chunk->mSize = 64;
	chunk->mChunkID = kStateChunkID;
	bool equal = false;
	EXPECT_EQ (e->CompareActiveChunk (chunk, &equal), kAaxSuccess);
	EXPECT_TRUE (equal);
	chunk->mData[15] ^= 0x01;   // Dist. Amount's exponent
	EXPECT_EQ (e->CompareActiveChunk (chunk, &equal), kAaxSuccess);
	EXPECT_FALSE (equal);
	chunk->mChunkID = 0x656C636B;
	EXPECT_EQ (e->CompareActiveChunk (chunk, &equal), kAaxSuccess);
	EXPECT_TRUE (equal);
}

TEST_F (AaxPlugin, BadChunksAreRefusedWithNothingChanged)
{
	AAX_IACFEffectParameters* e = mPlug.Effect ();
	e->UpdateParameterNormalizedValue ("2", 0.3, 0);
	const std::vector<uint8_t> state = mPlug.Chunk ();
	std::vector<uint8_t> other = state;
	const double tone = 50.0;
	std::memcpy (other.data () + 8 * 2, &tone, 8);

	const double nan = std::nan ("");
	const double inf = HUGE_VAL;
	std::vector<uint8_t> withNaN = other;
	std::memcpy (withNaN.data () + 8, &nan, 8);
	std::vector<uint8_t> shortWithInf (other.begin (), other.begin () + 24);
	std::memcpy (shortWithInf.data () + 16, &inf, 8);

	struct Case { const char* what; std::vector<uint8_t> data; int32_t sizeWord; };
	const Case cases[] = {
		{ "negative size", other, -64 },
		{ "NaN value", withNaN, 64 },
		{ "infinite value in a short chunk", shortWithInf, 24 },
	};
	for (const Case& c : cases)
	{
		int32_t before = 0, after = 0;
		e->GetNumberOfChanges (&before);
		EXPECT_NE (mPlug.SetChunk (c.data, c.sizeWord), kAaxSuccess) << c.what;
		e->GetNumberOfChanges (&after);
		EXPECT_EQ (after, before) << c.what;
		EXPECT_EQ (mPlug.Chunk (), state) << c.what;
	}
	// A size word beyond the data given reads only the state's own bytes.
	EXPECT_EQ (mPlug.SetChunk (other, 1 << 30), kAaxSuccess);
	EXPECT_EQ (mPlug.Chunk (), other);

	std::vector<uint8_t> record (kAaxChunkHeaderSize + 64, 0);
	AaxChunk* chunk = reinterpret_cast<AaxChunk*> (record.data ());
	EXPECT_EQ (e->GetChunk (0x656C636B, chunk), kAaxErrUnknownChunk);
	EXPECT_EQ (e->SetChunk (0x656C636B, chunk), kAaxErrUnknownChunk);
}

TEST_F (AaxPlugin, ShortChunkRestoresWhatItHolds)
{
	// A chunk saved with fewer parameters: the first five values come back,
	// every parameter is still pushed to the host and the change is counted.
	AAX_IACFEffectParameters* e = mPlug.Effect ();
	std::vector<uint8_t> saved = mPlug.Chunk ();
	const double tone = 50.0;   // parameter 2
	std::memcpy (saved.data () + 8 * 2, &tone, 8);
	saved.resize (40);
	e->UpdateParameterNormalizedValue ("8", 0.5, 0);   // Dry/Wet, beyond the short chunk
	const std::vector<double> before = StateValues (mPlug.Chunk ());
	int32_t changesBefore = 0, changesAfter = 0;
	e->GetNumberOfChanges (&changesBefore);
	mPlug.Host ().Log ().Clear ();
	EXPECT_EQ (mPlug.SetChunk (saved, 40), kAaxSuccess);
	e->GetNumberOfChanges (&changesAfter);
	EXPECT_EQ (changesAfter - changesBefore, 1);
	EXPECT_EQ (mPlug.Host ().Log ().Count ("Automation.PostSetValueRequest"), size_t (kNumParams));
	const std::vector<double> after = StateValues (mPlug.Chunk ());
	ASSERT_EQ (after.size (), size_t (kNumParams));
	EXPECT_DOUBLE_EQ (after[2], 50.0);
	EXPECT_DOUBLE_EQ (after[6], before[6]);
	EXPECT_DOUBLE_EQ (after[7], before[7]);
}

TEST_F (AaxPlugin, HostSetValuesAreLimitedToTheNormalisedRange)
{
	// The request to the host's automation carries the limited value.
	AAX_IACFEffectParameters* e = mPlug.Effect ();
	mPlug.Host ().Log ().Clear ();
	const struct { double set; const char* posted; } rows[] = {
		{ -0.5, "Automation.PostSetValueRequest(3,0)" },
		{ 1.5, "Automation.PostSetValueRequest(3,1)" },
	};
	for (const auto& row : rows)
	{
		EXPECT_EQ (e->SetParameterNormalizedValue ("3", row.set), kAaxSuccess);
		EXPECT_EQ (mPlug.Host ().Log ().Count (row.posted), 1u) << row.set;
	}
	mPlug.Host ().Log ().Clear ();
	EXPECT_EQ (e->SetParameterNormalizedValue ("3", std::nan ("")), kAaxSuccess);
	EXPECT_EQ (mPlug.Host ().Log ().Count ("Automation."), 0u);
}

TEST_F (AaxPlugin, RendersTheEffectFromTheFirstCall)
{
	// Without any parameter sent by the host the engines run on the framework's
	// defaults: Level 25 and Dry/Wet 100 make a clearly audible output.
	auto signal = Sine (2, 2048);
	const auto input = signal;
	mPlug.RenderBlocks (signal, 512);
	EXPECT_GT (Rms (signal[0]), 0.01);
	EXPECT_GT (Rms (signal[1]), 0.01);
	EXPECT_NE (signal, input);
}

TEST_F (AaxPlugin, LongBuffersRenderAsBlockSizedCalls)
{
	auto whole = Sine (2, 4096);
	auto blocks = whole;
	// Without the hiss (random) two instances render alike.
	mPlug.Effect ()->UpdateParameterNormalizedValue ("6", 0.0, 0);
	mPlug.Render (whole, 4096);

	PluginHost second;
	ASSERT_TRUE (second.Ready ());
	second.Effect ()->UpdateParameterNormalizedValue ("6", 0.0, 0);
	second.RenderBlocks (blocks, 1024);
	EXPECT_EQ (whole, blocks);
	second.Close ();
}

TEST_F (AaxPlugin, BypassPassesTheInputThrough)
{
	ASSERT_EQ (mPlug.Effect ()->UpdateParameterNormalizedValue ("", 1.0, 0), kAaxSuccess);
	auto signal = Sine (2, 1500);
	const auto input = signal;
	mPlug.Render (signal, 1500);
	EXPECT_EQ (signal, input);
}

TEST_F (AaxPlugin, MonoContextLeavesTheSecondChannelAlone)
{
	mPlug.Host ().Controller ().mInputStem = 0x00000001;
	mPlug.Host ().Controller ().mOutputStem = 0x00000001;
	auto mono = Sine (1, 512);
	mPlug.Render (mono, 512);
	EXPECT_GT (Rms (mono[0]), 0.01);
}

TEST_F (AaxPlugin, TransportComesFromTheLatestRender)
{
	aaxhost::FakeTransport& transport = mPlug.Host ().Transport ();
	transport.mTempo = 96.0;
	transport.mPlaying = true;
	mPlug.Host ().Log ().Clear ();
	auto signal = Sine (2, 64);
	mPlug.Render (signal, 64);
	// The effect asks nothing of the transport; rendering only hands it over.
	EXPECT_EQ (mPlug.Host ().Log ().Count ("Transport."), 0u);
}

TEST_F (AaxPlugin, ReinitialisingRegistersEveryParameterOnce)
{
	AAX_IACFEffectParameters* e = mPlug.Effect ();
	EXPECT_EQ (e->UninitializeEffect (), kAaxSuccess);
	// No bypass parameter now: a render must not reach for the freed one.
	auto signal = Sine (2, 256);
	mPlug.Render (signal, 256);
	EXPECT_EQ (e->InitializeEffect (mPlug.Host ().Unknown ()), kAaxSuccess);
	int32_t count = 0;
	e->GetNumberOfParameters (&count);
	EXPECT_EQ (count, kNumParams + 1);
	AAX_CString id;
	EXPECT_EQ (e->GetParameterIDFromIndex (kNumParams, &id), kAaxSuccess);
	EXPECT_STREQ (id.Text (), "8");
	EXPECT_EQ (e->UpdateParameterNormalizedValue ("", 1.0, 0), kAaxSuccess);
	auto bypassed = Sine (2, 256);
	const auto input = bypassed;
	mPlug.Render (bypassed, 256);
	EXPECT_EQ (bypassed, input);
}

} // namespace

#if !defined(_WIN32)
// Natively the plug-in lives in this process, so its editor's controls can be
// read directly (the x86 build checks the editor in its window instead).
#include <algorithm>
#include <future>
#include <mutex>
#include <string>

#include "formats/aax/IPlugAAX.h"
#include "gui/IControl.h"
#include "gui/IGraphics.h"

namespace {

TEST_F (AaxPlugin, HostChangesReachTheBoundControl)
{
	void* own = nullptr;
	ASSERT_EQ (mPlug.Effect ()->QueryInterface (IID_IPlugAAXParameters, &own), kAaxSuccess);
	AAX_CIPlugParameters* parameters = static_cast<AAX_CIPlugParameters*> (own);
	IGraphics* gui = static_cast<IPlugAAX*> (parameters)->GetGUI ();
	parameters->Release ();
	ASSERT_NE (gui, nullptr);
	IControl* level = nullptr;
	for (int i = 0; i < gui->GetNControls () && !level; ++i)
		if (gui->GetControl (i)->ParamIdx () == 3)
			level = gui->GetControl (i);
	ASSERT_NE (level, nullptr);
	EXPECT_EQ (mPlug.SetParameter ("4", 0.8), kAaxSuccess);
	EXPECT_DOUBLE_EQ (level->GetValue (), 0.8);

	// A restored chunk shows too.
	std::vector<uint8_t> state = mPlug.Chunk ();
	const double level9 = 9.0;   // normalised 0.3
	std::memcpy (state.data () + 8 * 3, &level9, 8);
	EXPECT_EQ (mPlug.SetChunk (state, 64), kAaxSuccess);
	EXPECT_NEAR (level->GetValue (), 0.3, 1e-12);
}

TEST_F (AaxPlugin, GuiOutlivingThePluginTouchesNoFreedGraphics)
{
	// A host may release the effect (and with it the plug-in's graphics)
	// before the GUI, whose container is still set; the sanitizers see any
	// use of the freed graphics.
	AAX_IACFEffectGUI* gui = mPlug.Session ().CreateEffectGUI ();
	ASSERT_NE (gui, nullptr);
	mPlug.Host ().OfferEffectParameters (mPlug.Effect ());
	EXPECT_EQ (gui->InitializeGUI (mPlug.Host ().Unknown ()), kAaxSuccess);
	EXPECT_EQ (gui->SetViewContainer (mPlug.Host ().ViewContainerUnknown ()), kAaxSuccess);
	AaxViewSize size = { 0.0f, 0.0f };
	EXPECT_EQ (gui->GetViewSize (&size), kAaxSuccess);
	EXPECT_EQ (size.mHeight, 460.0f);
	EXPECT_EQ (size.mWidth, 410.0f);

	EXPECT_EQ (gui->UninitializeGUI (), kAaxSuccess);
	mPlug.Host ().OfferEffectParameters (nullptr);
	mPlug.ReleaseEffect ();

	size = { -1.0f, -1.0f };
	EXPECT_EQ (gui->GetViewSize (&size), kAaxSuccess);
	EXPECT_EQ (size.mHeight, -1.0f) << "no graphics, no size";
	gui->Release ();
}

TEST_F (AaxPlugin, HostIsCalledOutsideThePluginLock)
{
	// A render waits for the plug-in lock; a host whose callback waits for
	// its audio thread would deadlock if the lock were held while it is called.
	void* own = nullptr;
	ASSERT_EQ (mPlug.Effect ()->QueryInterface (IID_IPlugAAXParameters, &own), kAaxSuccess);
	AAX_CIPlugParameters* parameters = static_cast<AAX_CIPlugParameters*> (own);
	RecursiveLock& lock = static_cast<IPlugAAX*> (parameters)->GetLock ();
	parameters->Release ();
	std::vector<std::string> seen, underLock;
	mPlug.Host ().Log ().SetObserver ([&] (const std::string& call) {
		seen.push_back (call);
		const bool free = std::async (std::launch::async, [&] {
			if (!lock.try_lock ())
				return false;
			lock.unlock ();
			return true;
		}).get ();
		if (!free)
			underLock.push_back (call);
	});
	AAX_IACFEffectParameters* e = mPlug.Effect ();
	EXPECT_EQ (e->UninitializeEffect (), kAaxSuccess);
	EXPECT_EQ (e->InitializeEffect (mPlug.Host ().Unknown ()), kAaxSuccess);
	EXPECT_EQ (e->InitializeEffect (mPlug.Host ().Unknown ()), kAaxSuccess);
	mPlug.Host ().Log ().SetObserver (nullptr);
	EXPECT_EQ (underLock, std::vector<std::string> ());
	for (const char* call : { "Automation.UnregisterParameter", "Automation.RegisterParameter", "Controller.SampleRate" })
		EXPECT_TRUE (std::any_of (seen.begin (), seen.end (), [call] (const std::string& s) { return s.rfind (call, 0) == 0; }))
			<< call;
}

TEST_F (AaxPlugin, RefusedGuiInitialisationLeavesTheEditorAsItWas)
{
	AAX_IACFEffectGUI* gui = mPlug.Session ().CreateEffectGUI ();
	ASSERT_NE (gui, nullptr);
	mPlug.Host ().OfferEffectParameters (mPlug.Effect ());
	EXPECT_EQ (gui->InitializeGUI (mPlug.Host ().Unknown ()), kAaxSuccess);
	EXPECT_EQ (gui->SetViewContainer (mPlug.Host ().ViewContainerUnknown ()), kAaxSuccess);
	EXPECT_EQ (gui->InitializeGUI (nullptr), -20011);
	// Still the plug-in's editor, in its window.
	AaxViewSize size = { -1.0f, -1.0f };
	EXPECT_EQ (gui->GetViewSize (&size), kAaxSuccess);
	EXPECT_EQ (size.mHeight, 460.0f);
	EXPECT_EQ (size.mWidth, 410.0f);
	EXPECT_EQ (gui->SetViewContainer (nullptr), kAaxSuccess);
	EXPECT_EQ (gui->UninitializeGUI (), kAaxSuccess);
	mPlug.Host ().OfferEffectParameters (nullptr);
	gui->Release ();
}

} // namespace
#endif
