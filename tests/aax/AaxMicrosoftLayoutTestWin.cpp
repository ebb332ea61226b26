// The real x86 AAX library as a host built with Microsoft's compiler sees it.
// Nothing here shares the library's declarations: host objects are plain
// tables of function pointers in that compiler's layout (one slot for a
// virtual destructor, thiscall for C++ interfaces, stdcall for the COM-style
// ACF interfaces), built from the slot lists below, and the library's own
// objects are called by raw slot index from the same lists.

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#define ACF_STDCALL __attribute__ ((stdcall))
#define CPP_THISCALL __attribute__ ((thiscall))

namespace {

typedef uint32_t W;

// ---- The slot lists: interface, slot, operation --------------------------------

struct SlotRow
{
	const char* mInterface;
	int mSlot;
	const char* mOperation;
};

const SlotRow kSlots[] = {
	// C++ interfaces (thiscall): the destructor is one slot, the scalar deleting destructor.
	{ "String", 0, "~AAX_CString" }, { "String", 1, "Length" }, { "String", 2, "MaxLength" }, { "String", 3, "Text" },
	{ "String", 4, "SetText" }, { "String", 5, "AssignText" }, { "String", 6, "AssignString" },

	{ "Parameter", 0, "~AAX_CParameter" }, { "Parameter", 1, "Identifier" }, { "Parameter", 2, "SetName" },
	{ "Parameter", 3, "Name" }, { "Parameter", 4, "AddShortenedName" }, { "Parameter", 5, "ShortenedName" },
	{ "Parameter", 6, "ClearShortenedNames" }, { "Parameter", 7, "Automatable" },
	{ "Parameter", 8, "SetAutomationDelegate" }, { "Parameter", 9, "Touch" }, { "Parameter", 10, "Release" },
	{ "Parameter", 11, "SetNormalizedValue" }, { "Parameter", 12, "NormalizedValue" },
	{ "Parameter", 13, "SetNormalizedDefault" }, { "Parameter", 14, "NormalizedDefault" },
	{ "Parameter", 15, "SetToDefaultValue" }, { "Parameter", 16, "SetNumberOfSteps" },
	{ "Parameter", 17, "NumberOfSteps" }, { "Parameter", 18, "StepValue" }, { "Parameter", 19, "SetStepValue" },
	{ "Parameter", 20, "ValueStringWithSize" }, { "Parameter", 21, "ValueString" },
	{ "Parameter", 22, "NormalizedValueFromString" }, { "Parameter", 23, "StringFromNormalizedValueWithSize" },
	{ "Parameter", 24, "StringFromNormalizedValue" }, { "Parameter", 25, "SetValueFromString" },
	{ "Parameter", 26, "GetValueAsBool" }, { "Parameter", 27, "GetValueAsInt32" },
	{ "Parameter", 28, "GetValueAsFloat" }, { "Parameter", 29, "GetValueAsDouble" },
	{ "Parameter", 30, "GetValueAsString" }, { "Parameter", 31, "SetValueWithBool" },
	{ "Parameter", 32, "SetValueWithInt32" }, { "Parameter", 33, "SetValueWithFloat" },
	{ "Parameter", 34, "SetValueWithDouble" }, { "Parameter", 35, "SetValueWithString" },
	{ "Parameter", 36, "SetType" }, { "Parameter", 37, "Type" }, { "Parameter", 38, "SetOrientation" },
	{ "Parameter", 39, "Orientation" }, { "Parameter", 40, "SetTaperDelegate" },
	{ "Parameter", 41, "SetDisplayDelegate" }, { "Parameter", 42, "UpdateNormalizedValue" },

	{ "Transport", 0, "~AAX_ITransport" }, { "Transport", 1, "CurrentTempo" }, { "Transport", 2, "CurrentMeter" },
	{ "Transport", 3, "IsTransportPlaying" }, { "Transport", 4, "CurrentTickPosition" },
	{ "Transport", 5, "CurrentLoopPosition" }, { "Transport", 6, "CurrentNativeSampleLocation" },

	{ "Automation", 0, "~AAX_IAutomationDelegate" }, { "Automation", 1, "RegisterParameter" },
	{ "Automation", 2, "UnregisterParameter" }, { "Automation", 3, "PostSetValueRequest" },
	{ "Automation", 4, "PostCurrentValue" }, { "Automation", 5, "PostTouchRequest" },
	{ "Automation", 6, "PostReleaseRequest" },

	// The transport node of the render context: its operation 3 yields the transport.
	{ "TransportNode", 3, "GetTransport" },

	// ACF interfaces (stdcall), 0-2 the unknown's.
	{ "EffectParameters", 0, "QueryInterface" }, { "EffectParameters", 1, "AddRef" },
	{ "EffectParameters", 2, "Release" }, { "EffectParameters", 3, "InitializeEffect" },
	{ "EffectParameters", 4, "UninitializeEffect" }, { "EffectParameters", 6, "GetNumberOfParameters" },
	{ "EffectParameters", 7, "GetMasterBypassId" }, { "EffectParameters", 10, "GetParameterName" },
	{ "EffectParameters", 16, "GetParameter" }, { "EffectParameters", 18, "GetParameterIDFromIndex" },
	{ "EffectParameters", 20, "GetParameterValueFromString" },
	{ "EffectParameters", 21, "GetParameterStringFromValue" },
	{ "EffectParameters", 22, "GetParameterValueString" }, { "EffectParameters", 23, "GetParameterNormalizedValue" },
	{ "EffectParameters", 24, "SetParameterNormalizedValue" },
	{ "EffectParameters", 29, "UpdateParameterNormalizedValue" }, { "EffectParameters", 32, "ResetFieldData" },
	{ "EffectParameters", 35, "GetChunkSize" }, { "EffectParameters", 36, "GetChunk" },
	{ "EffectParameters", 37, "SetChunk" },

	{ "EffectGUI", 0, "QueryInterface" }, { "EffectGUI", 1, "AddRef" }, { "EffectGUI", 2, "Release" },
	{ "EffectGUI", 3, "InitializeGUI" }, { "EffectGUI", 4, "UninitializeGUI" },
	{ "EffectGUI", 6, "SetViewContainer" }, { "EffectGUI", 7, "GetViewSize" },

	// Host ACF interfaces: positions the library calls.
	{ "Factory", 3, "CreateInstance" },
	{ "Controller", 4, "SampleRate" }, { "Controller", 5, "InputStemFormat" }, { "Controller", 6, "OutputStemFormat" },
	{ "HostAutomation", 3, "RegisterParameter" }, { "HostAutomation", 4, "UnregisterParameter" },
	{ "HostAutomation", 5, "PostSetValueRequest" }, { "HostAutomation", 6, "PostCurrentValue" },
	{ "HostAutomation", 7, "PostTouchRequest" }, { "HostAutomation", 8, "PostReleaseRequest" },
	{ "ViewContainer", 4, "NativeParent" },
	{ "Collection", 7, "AddEffect" }, { "Collection", 8, "AddManufacturerName" }, { "Collection", 9, "AddPackageName" },
	{ "Collection", 10, "SetPackageVersion" },
	{ "EffectDescriptor", 3, "AddComponent" }, { "EffectDescriptor", 4, "AddName" },
	{ "EffectDescriptor", 5, "AddCategory" }, { "EffectDescriptor", 7, "AddProcPtr" },
	{ "ComponentDescriptor", 16, "AddProcessProc" }, { "PropertyMap", 4, "AddProperty" },
};

int Slot (const std::string& iface, const std::string& op)
{
	for (const SlotRow& row : kSlots)
		if (iface == row.mInterface && op == row.mOperation)
			return row.mSlot;
	ADD_FAILURE () << "no slot " << iface << "." << op;
	return -1;
}

std::string OperationAt (const std::string& iface, int slot)
{
	for (const SlotRow& row : kSlots)
		if (iface == row.mInterface && slot == row.mSlot)
			return row.mOperation;
	return "slot " + std::to_string (slot);
}

// Argument words of every slot of the host's interfaces (a double takes two).
constexpr int kTransportWords[] = { 1, 1, 2, 1, 1, 3, 1, 3, 5, 1, 1, 1, 2, 2, 1 };
constexpr int kAutomationWords[] = { 1, 1, 1, 3, 3, 1, 1, 2 };
constexpr int kNodeWords[] = { 0, 0, 0, 0 };
constexpr int kFactoryWords[] = { 2, 0, 0, 4 };
constexpr int kControllerWords[] = { 2, 0, 0, 1, 1, 1, 1, 1, 2, 1, 1, 3, 3, 2, 2, 1, 2, 1, 1, 2, 3, 1, 1, 1 };
constexpr int kHostAutomationWords[] = { 2, 0, 0, 1, 1, 3, 3, 1, 1, 2 };
constexpr int kHostTransportWords[] = { 2, 0, 0, 1, 2, 1, 1, 3, 1, 3, 5, 1, 1, 1, 2, 2, 1 };
constexpr int kViewContainerWords[] = { 2, 0, 0, 0, 0, 1, 1, 2, 2, 2 };
constexpr int kHostServicesWords[] = { 2, 0, 0, 3, 2 };
constexpr int kUnknownWords[] = { 2, 0, 0 };
constexpr int kCollectionWords[] = { 2, 0, 0, 0, 0, 0, 0, 2, 1, 1, 1, 1 };
constexpr int kEffectDescriptorWords[] = { 2, 0, 0, 1, 1, 1, 2, 2, 1, 2, 3, 4 };
constexpr int kComponentWords[] = { 2, 0, 0, 0, 2, 1, 1, 1, 1, 1, 1, 3, 3, 3, 2, 4, 5, 6, 3, 2 };
constexpr int kPropertyMapWords[] = { 2, 0, 0, 2, 2, 1, 3, 3 };

// ---- Ids ------------------------------------------------------------------------

struct Guid
{
	uint32_t a;
	uint16_t b, c;
	uint8_t d[8];
	bool operator== (const Guid& o) const { return std::memcmp (this, &o, sizeof o) == 0; }
};

const Guid kIUnknown = { 0x00000000, 0x0000, 0x0000, { 0xC0, 0, 0, 0, 0, 0, 0, 0x46 } };
const Guid kFactory = { 0x382B6A96, 0x7FD0, 0x11D6, { 0xBC, 0xFE, 0x00, 0x30, 0x65, 0x42, 0xA0, 0x24 } };
const Guid kPluginDefinition = { 0x00EEF015, 0x7FD0, 0x11D6, { 0x84, 0x85, 0x00, 0x30, 0x65, 0x42, 0xA0, 0x24 } };
const Guid kControllerV1 = { 0x9D5E3E3D, 0x52DC, 0x5EFB, { 0x20, 0x18, 0xDE, 0x1D, 0xE2, 0xE6, 0x3F, 0x4E } };
const Guid kControllerV2 = { 0x4C59AA0E, 0xD7C0, 0x4205, { 0x8B, 0x6C, 0x32, 0x46, 0x8D, 0x42, 0xD2, 0x02 } };
const Guid kAutomation = { 0x9D5E3D3D, 0x42DC, 0x5EFA, { 0x22, 0x17, 0xEE, 0xE2, 0xE8, 0xE5, 0x3E, 0x2E } };
const Guid kTransportV1 = { 0x5CEE4EF4, 0x6337, 0x4359, { 0xB6, 0x3B, 0xFE, 0x58, 0xDC, 0x36, 0x54, 0x3A } };
const Guid kTransportV2 = { 0x203CBD9F, 0x982C, 0x4FE6, { 0xA8, 0x27, 0x07, 0x48, 0x02, 0x57, 0xAE, 0xC3 } };
const Guid kViewContainer = { 0x22DA0BBC, 0xD550, 0x4D5E, { 0x8C, 0xC6, 0x73, 0x44, 0x83, 0xB8, 0x83, 0x7F } };
const Guid kEffectParameters = { 0x964E333D, 0x334C, 0x533F, { 0xC2, 0xC7, 0x38, 0x34, 0xC3, 0xC2, 0x3E, 0x3E } };
const Guid kEffectGUI = { 0x964E323D, 0x424C, 0x5E1A, { 0x22, 0x27, 0x28, 0x24, 0x23, 0x22, 0x2E, 0x1E } };
const Guid kHostServicesClass = { 0x88882C2D, 0xEBBC, 0x42EF, { 0xC0, 0xAB, 0x89, 0x81, 0xB0, 0xBD, 0x0C, 0xCA } };
const Guid kCollectionClass = { 0x89882C2D, 0x77BC, 0x42EF, { 0x70, 0x7B, 0x79, 0x81, 0xB7, 0xBD, 0x0C, 0xCA } };
const Guid kCollectionV1 = { 0x96D42C2D, 0xEBBC, 0x41DF, { 0xB1, 0xAB, 0x99, 0x91, 0xA2, 0xEE, 0x0C, 0xCA } };
const Guid kEffectDescriptorClass = { 0x89872C2D, 0x75BC, 0x423F, { 0x40, 0x1B, 0xF9, 0xA1, 0xBA, 0xAD, 0x0C, 0xCA } };
const Guid kEffectDescriptorV1 = { 0x96D42C2D, 0xEBBC, 0x41EF, { 0xD1, 0xCB, 0x49, 0x94, 0x42, 0xE4, 0x0F, 0xDA } };
const Guid kEffectDescriptorV2 = { 0x41ECCC52, 0x416B, 0x4072, { 0x84, 0xBD, 0x40, 0xB0, 0x52, 0x10, 0xA7, 0x4C } };
const Guid kComponentClass = { 0x94872C3D, 0x95BC, 0x413D, { 0xD0, 0xDB, 0xD9, 0xB1, 0x2A, 0xAD, 0x0C, 0xCA } };
const Guid kComponentV1 = { 0x96E42C2D, 0xE2BC, 0x51EF, { 0x61, 0xC7, 0x48, 0x99, 0x4A, 0xEB, 0x0C, 0xDA } };
const Guid kComponentV2 = { 0x1895259E, 0xAAA9, 0x4F0F, { 0xA9, 0x85, 0x14, 0x98, 0x37, 0xB7, 0x6F, 0x89 } };
const Guid kPropertyMapClass = { 0xA587AD3D, 0xD53C, 0x4ADC, { 0xD0, 0xDD, 0xD9, 0xD1, 0x2D, 0xDD, 0xDC, 0xDA } };
const Guid kPropertyMapV1 = { 0x96EE2C2D, 0xEECC, 0x5EFF, { 0xE2, 0xD7, 0xE8, 0x49, 0xE3, 0xE2, 0xEE, 0xEE } };
const Guid kPropertyMapV2 = { 0x7177DF80, 0x7C9C, 0x11E2, { 0xB9, 0x2A, 0x08, 0x00, 0x20, 0x0C, 0x9A, 0x66 } };

constexpr uint32_t kStateChunk = 0x51583430;  // 'QX40'
constexpr size_t kChunkHeader = 56;

// ---- Host objects ------------------------------------------------------------------

struct Call
{
	std::string mInterface;
	int mSlot;
	bool operator== (const Call& o) const { return mInterface == o.mInterface && mSlot == o.mSlot; }
};
std::vector<Call> gCalls;      // since the last clear
std::vector<Call> gAllCalls;   // since the start

class Host;

// One host object: a table pointer first, as both compilers lay it out, then
// what the host keeps. Every slot records its call and asks the handler.
struct HostObject
{
	void* const* mTable;
	Host* mHost;
	bool mAcf;                    // slots 0-2 are the unknown's
	std::string mInterface;
	std::function<W (int slot, const W* args)> mHandler;
	std::vector<Guid> mAnswers;   // ids QueryInterface yields this object for
	int mReferences = 0;
	W Dispatch (int slot, const W* args);
};

template <int Slot, class Words>
struct Stub;
template <int Slot, size_t... I>
struct Stub<Slot, std::index_sequence<I...>>
{
	static W ACF_STDCALL Acf (HostObject* self, decltype ((void) I, W ())... words)
	{
		const W args[] = { words..., 0 };
		return self->Dispatch (Slot, args);
	}
	static W CPP_THISCALL Cpp (HostObject* self, decltype ((void) I, W ())... words)
	{
		const W args[] = { words..., 0 };
		return self->Dispatch (Slot, args);
	}
};

template <const int* Words, bool Acf, size_t... S>
void* const* MakeTable (std::index_sequence<S...>)
{
	static void* const table[] = { (Acf ? reinterpret_cast<void*> (&Stub<int (S), std::make_index_sequence<Words[S]>>::Acf)
	                                    : reinterpret_cast<void*> (&Stub<int (S), std::make_index_sequence<Words[S]>>::Cpp))... };
	return table;
}

template <const int* Words, size_t N, bool Acf>
void* const* Table (const int (&)[N])
{
	return MakeTable<Words, Acf> (std::make_index_sequence<N> ());
}

double Double (const W* words)
{
	double v;
	std::memcpy (&v, words, sizeof v);
	return v;
}

// Raw calls into objects by slot.
void* const* TableOf (const void* object)
{
	return *static_cast<void* const* const*> (object);
}

template <class R, class... A>
R CallAcf (void* object, int slot, A... args)
{
	typedef R (ACF_STDCALL * Fn) (void*, A...);
	return reinterpret_cast<Fn> (TableOf (object)[slot]) (object, args...);
}

template <class R, class... A>
R CallCpp (const void* object, int slot, A... args)
{
	typedef R (CPP_THISCALL * Fn) (const void*, A...);
	return reinterpret_cast<Fn> (TableOf (object)[slot]) (object, args...);
}

void Record (const std::string& iface, int slot)
{
	gCalls.push_back ({ iface, slot });
	gAllCalls.push_back ({ iface, slot });
}

// A host string as Microsoft's compiler lays out its C++ objects: the table
// pointer, a 16-byte buffer (the text itself up to 15 characters, else a
// pointer to it), the size and the capacity.
struct MsString
{
	explicit MsString (const char* text);
	~MsString () { Free (); }
	MsString (const MsString&) = delete;
	MsString& operator= (const MsString&) = delete;

	const char* Get () const { return mCapacity < 16 ? mBuffer.mInline : mBuffer.mHeap; }
	void Set (const char* text)
	{
		const std::string copy (text ? text : "");
		Free ();
		mSize = uint32_t (copy.size ());
		if (mSize < 16)
		{
			mCapacity = 15;
			std::memcpy (mBuffer.mInline, copy.c_str (), mSize + 1);
		}
		else
		{
			mCapacity = mSize;
			mBuffer.mHeap = new char[mSize + 1];
			std::memcpy (mBuffer.mHeap, copy.c_str (), mSize + 1);
		}
	}
	void Free ()
	{
		if (mCapacity >= 16)
			delete[] mBuffer.mHeap;
		mCapacity = 15;
	}

	void* const* mTable;
	union
	{
		char mInline[16];
		char* mHeap;
	} mBuffer;
	uint32_t mSize = 0;
	uint32_t mCapacity = 15;
};

void* CPP_THISCALL StringDelete (MsString* s, W) { Record ("String", 0); return s; }   // the host's own: never the library's to free
uint32_t CPP_THISCALL StringLength (const MsString* s) { Record ("String", 1); return s->mSize; }
uint32_t CPP_THISCALL StringMaxLength (const MsString*) { Record ("String", 2); return 0xFFFFFFFEu; }
const char* CPP_THISCALL StringText (const MsString* s) { Record ("String", 3); return s->Get (); }
void CPP_THISCALL StringSetText (MsString* s, const char* text) { Record ("String", 4); s->Set (text); }
MsString* CPP_THISCALL StringAssignText (MsString* s, const char* text) { Record ("String", 5); s->Set (text); return s; }
MsString* CPP_THISCALL StringAssignString (MsString* s, const void* other)
{
	Record ("String", 6);
	s->Set (CallCpp<const char*> (other, 3));
	return s;
}

// Microsoft's compiler puts a pointer to the class's type information
// (its complete object locator) just before slot 0.
struct MsObjectLocator
{
	uint32_t mSignature, mOffset, mConstructorOffset;
	const void* mTypeDescriptor;
	const void* mHierarchy;
};
const MsObjectLocator kLocator = { 0, 0, 0, nullptr, nullptr };

void* const kStringTable[] = {
	(void*) &kLocator, (void*) &StringDelete, (void*) &StringLength, (void*) &StringMaxLength, (void*) &StringText,
	(void*) &StringSetText, (void*) &StringAssignText, (void*) &StringAssignString,
};

MsString::MsString (const char* text) : mTable (kStringTable + 1)
{
	Set (text);
}

// Host-made taper and display for a double parameter: a line over [0, max]
// and texts "host <value>". Every call is logged with the object's number, so
// the test sees which object each one reached.
struct MsDelegate
{
	void* const* mTable;
	const char* mKind;
	int mNumber;
	double mMax;
};
std::vector<std::string> gDelegateCalls;
int gDelegatesMade = 0;
int gDelegatesLive = 0;

void Log (const MsDelegate* d, const std::string& op)
{
	gDelegateCalls.push_back (std::string (d->mKind) + std::to_string (d->mNumber) + "." + op);
}

MsDelegate* NewDelegate (void* const* table, const char* kind, double max)
{
	++gDelegatesLive;
	return new MsDelegate { table, kind, ++gDelegatesMade, max };
}

void* CPP_THISCALL DelegateDelete (MsDelegate* d, W flags)
{
	Log (d, "Delete(" + std::to_string (flags) + ")");
	--gDelegatesLive;
	if (flags & 1)
		delete d;
	return d;
}
MsDelegate* CPP_THISCALL DelegateClone (const MsDelegate* d)
{
	Log (d, "Clone");
	return NewDelegate (d->mTable, d->mKind, d->mMax);
}
double CPP_THISCALL TaperMax (const MsDelegate* d) { Log (d, "GetMaximumValue"); return d->mMax; }
double CPP_THISCALL TaperMin (const MsDelegate* d) { Log (d, "GetMinimumValue"); return 0.0; }
double CPP_THISCALL TaperConstrain (const MsDelegate* d, double v)
{
	Log (d, "ConstrainRealValue");
	return v < 0.0 ? 0.0 : (v > d->mMax ? d->mMax : v);
}
double CPP_THISCALL TaperToReal (const MsDelegate* d, double x)
{
	Log (d, "NormalizedToReal");
	return x * d->mMax;
}
double CPP_THISCALL TaperToNormalized (const MsDelegate* d, double v)
{
	Log (d, "RealToNormalized");
	return v / d->mMax;
}
bool HostText (double v, void* out)
{
	char text[32];
	std::snprintf (text, sizeof text, "host %.1f", v);
	CallCpp<void> (out, 4, static_cast<const char*> (text));   // its SetText
	return true;
}
bool CPP_THISCALL DisplayWithSize (const MsDelegate* d, double v, int32_t, void* out)
{
	Log (d, "ValueToStringWithSize");
	return HostText (v, out);
}
bool CPP_THISCALL DisplayText (const MsDelegate* d, double v, void* out)
{
	Log (d, "ValueToString");
	return HostText (v, out);
}
bool CPP_THISCALL DisplayParse (const MsDelegate* d, const void* text, double* out)
{
	Log (d, "StringToValue");
	*out = std::strtod (CallCpp<const char*> (text, 3) + 5, nullptr);   // after "host "
	return true;
}

void* const kTaperTable[] = {
	(void*) &kLocator, (void*) &DelegateDelete, (void*) &DelegateClone, (void*) &TaperMax, (void*) &TaperMin,
	(void*) &TaperConstrain, (void*) &TaperToReal, (void*) &TaperToNormalized,
};
void* const kDisplayTable[] = {
	(void*) &kLocator, (void*) &DelegateDelete, (void*) &DelegateClone, (void*) &DisplayWithSize,
	(void*) &DisplayText, (void*) &DisplayParse,
};

class Host
{
public:
	Host ()
	{
		mFactory = Acf<kFactoryWords> ("Factory", kFactoryWords, { kFactory });
		mController = Acf<kControllerWords> ("Controller", kControllerWords, { kControllerV1, kControllerV2 });
		mAutomation = Acf<kHostAutomationWords> ("HostAutomation", kHostAutomationWords, { kAutomation });
		mTransport = Acf<kHostTransportWords> ("HostTransport", kHostTransportWords, { kTransportV1, kTransportV2 });
		mViewContainer = Acf<kViewContainerWords> ("ViewContainer", kViewContainerWords, { kViewContainer });
		mUnknown = Acf<kUnknownWords> ("HostUnknown", kUnknownWords, {});
		mGuiUnknown = Acf<kUnknownWords> ("GuiUnknown", kUnknownWords, {});
		mController->mHandler = [] (int slot, const W* args) -> W {
			if (slot == 4)
				*reinterpret_cast<float*> (args[0]) = 44100.0f;
			if (slot == 5 || slot == 6)
				*reinterpret_cast<W*> (args[0]) = 0x00010002;
			return 0;
		};
		mFactory->mHandler = [this] (int slot, const W* args) -> W { return slot == 3 ? Create (args) : 0; };
		mParent = CreateWindowExA (0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 500, 500, nullptr, nullptr, nullptr, nullptr);
		mViewContainer->mHandler = [this] (int slot, const W*) -> W { return slot == 4 ? W (uintptr_t (mParent)) : 0; };
	}

	~Host ()
	{
		if (mParent)
			DestroyWindow (mParent);
	}

	template <const int* Words, size_t N>
	HostObject* Acf (const char* iface, const int (&words)[N], std::vector<Guid> answers)
	{
		HostObject* o = New (iface, true);
		o->mTable = Table<Words, N, true> (words);
		o->mAnswers = std::move (answers);
		return o;
	}

	template <const int* Words, size_t N>
	HostObject* Cpp (const char* iface, const int (&words)[N])
	{
		HostObject* o = New (iface, false);
		o->mTable = Table<Words, N, false> (words);
		return o;
	}

	HostObject* New (const char* iface, bool acf)
	{
		mObjects.emplace_back (new HostObject);
		HostObject* o = mObjects.back ().get ();
		o->mHost = this;
		o->mAcf = acf;
		o->mInterface = iface;
		return o;
	}

	// The unknown slots of every ACF object. The host unknowns answer for the
	// run-time objects, the GUI's also for the effect.
	W Unknown (HostObject* self, int slot, const W* args)
	{
		if (slot == 1)
			return ++self->mReferences;
		if (slot == 2)
			return --self->mReferences;
		const Guid& iid = *reinterpret_cast<const Guid*> (args[0]);
		void** out = reinterpret_cast<void**> (args[1]);
		*out = nullptr;
		HostObject* answer = nullptr;
		if (iid == kIUnknown)
			answer = self;
		for (const Guid& g : self->mAnswers)
			if (g == iid)
				answer = self;
		if (self == mUnknown || self == mGuiUnknown)
		{
			for (HostObject* o : { mFactory, mController, mAutomation, mTransport })
				for (const Guid& g : o->mAnswers)
					if (g == iid)
						answer = o;
			if (self == mGuiUnknown && iid == kEffectParameters && mEffect)
			{
				CallAcf<W> (mEffect, Slot ("EffectParameters", "AddRef"));
				*out = mEffect;
				return 0;
			}
		}
		if (!answer)
			return 0x80000004u;
		++answer->mReferences;
		*out = answer;
		return 0;
	}

	W Create (const W* args)
	{
		const Guid& classId = *reinterpret_cast<const Guid*> (args[0]);
		void** out = reinterpret_cast<void**> (args[3]);
		HostObject* o = nullptr;
		if (classId == kHostServicesClass)
			o = Acf<kHostServicesWords> ("HostServices", kHostServicesWords, {});
		else if (classId == kCollectionClass)
		{
			o = Acf<kCollectionWords> ("Collection", kCollectionWords, { kCollectionV1, kPluginDefinition });
			o->mHandler = [this] (int slot, const W* args) -> W {
				if (slot == 7)
					mEffectIds.push_back (reinterpret_cast<const char*> (args[0]));
				return 0;
			};
		}
		else if (classId == kEffectDescriptorClass)
		{
			o = Acf<kEffectDescriptorWords> ("EffectDescriptor", kEffectDescriptorWords, { kEffectDescriptorV1, kEffectDescriptorV2 });
			o->mHandler = [this] (int slot, const W* args) -> W {
				if (slot == 7)
					mProcs[args[1]] = reinterpret_cast<void*> (args[0]);
				return 0;
			};
		}
		else if (classId == kComponentClass)
		{
			o = Acf<kComponentWords> ("ComponentDescriptor", kComponentWords, { kComponentV1, kComponentV2 });
			o->mHandler = [this] (int slot, const W* args) -> W {
				if (slot == 16)
					mRender = reinterpret_cast<void*> (args[0]);
				return 0;
			};
		}
		else if (classId == kPropertyMapClass)
			o = Acf<kPropertyMapWords> ("PropertyMap", kPropertyMapWords, { kPropertyMapV1, kPropertyMapV2 });
		*out = o;
		if (!o)
			return 0x80000004u;
		o->mReferences = 1;
		return 0;
	}

	MsString* String (const char* text)
	{
		mStrings.emplace_back (new MsString (text));
		return mStrings.back ().get ();
	}

	std::vector<std::unique_ptr<HostObject>> mObjects;
	std::vector<std::unique_ptr<MsString>> mStrings;
	HostObject* mFactory;
	HostObject* mController;
	HostObject* mAutomation;
	HostObject* mTransport;
	HostObject* mViewContainer;
	HostObject* mUnknown;
	HostObject* mGuiUnknown;
	void* mEffect = nullptr;
	HWND mParent = nullptr;
	std::vector<std::string> mEffectIds;
	std::map<W, void*> mProcs;
	void* mRender = nullptr;
};

W HostObject::Dispatch (int slot, const W* args)
{
	gCalls.push_back ({ mInterface, slot });
	gAllCalls.push_back ({ mInterface, slot });
	if (mAcf && slot <= 2)
		return mHost->Unknown (this, slot, args);
	return mHandler ? mHandler (slot, args) : 0;
}

// The seven exports, stdcall like the ACF interfaces.
struct Exports
{
	W (ACF_STDCALL* Startup) (void*);
	W (ACF_STDCALL* Shutdown) (void*);
	W (ACF_STDCALL* RegisterPlugin) (void*, void**);
	W (ACF_STDCALL* CanUnloadNow) (void*);
};

class MicrosoftHost : public testing::Test
{
protected:
	void SetUp () override
	{
		mLibrary = LoadLibraryA (LibraryPath ());
		ASSERT_NE (mLibrary, nullptr);
		mExports.Startup = reinterpret_cast<decltype (mExports.Startup)> (GetProcAddress (mLibrary, "ACFStartup"));
		mExports.Shutdown = reinterpret_cast<decltype (mExports.Shutdown)> (GetProcAddress (mLibrary, "ACFShutdown"));
		mExports.RegisterPlugin = reinterpret_cast<decltype (mExports.RegisterPlugin)> (GetProcAddress (mLibrary, "ACFRegisterPlugin"));
		mExports.CanUnloadNow = reinterpret_cast<decltype (mExports.CanUnloadNow)> (GetProcAddress (mLibrary, "ACFCanUnloadNow"));
		ASSERT_TRUE (mExports.Startup && mExports.Shutdown && mExports.RegisterPlugin && mExports.CanUnloadNow);
		gCalls.clear ();
		gAllCalls.clear ();
	}

	void TearDown () override
	{
		if (mLibrary)
			FreeLibrary (mLibrary);
	}

	virtual const char* LibraryPath () const { return ZQ_AAXPLUGIN_PATH; }

	bool Called (const std::string& iface, const std::string& op) const
	{
		const Call want = { iface, Slot (iface, op) };
		for (const Call& c : gCalls)
			if (c == want)
				return true;
		return false;
	}

	// What the library called on one host interface, named from the slot lists.
	std::vector<std::string> CallsOn (const std::string& iface) const
	{
		std::vector<std::string> ops;
		for (const Call& c : gCalls)
			if (c.mInterface == iface)
				ops.push_back (OperationAt (iface, c.mSlot));
		return ops;
	}

	// Creates an effect through procedure 0 and initialises it.
	void* NewEffect ()
	{
		void* (*create) () = reinterpret_cast<void* (*) ()> (mHost.mProcs[0]);
		void* object = create ? create () : nullptr;
		if (!object)
			return nullptr;
		void* effect = nullptr;
		CallAcf<W> (object, Slot ("EffectParameters", "QueryInterface"), &kEffectParameters, &effect);
		EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "InitializeEffect"), mHost.mUnknown), 0u);
		return effect;
	}

	void ReleaseEffect (void* effect)
	{
		CallAcf<W> (effect, Slot ("EffectParameters", "UninitializeEffect"));
		CallAcf<W> (effect, Slot ("EffectParameters", "Release"));
	}

	// Starts the library and makes one initialised effect.
	void* Start ()
	{
		EXPECT_EQ (mExports.Startup (mHost.mUnknown), 0u);
		EXPECT_EQ (mExports.RegisterPlugin (mHost.mUnknown, &mDefinition), 0u);
		return mDefinition ? NewEffect () : nullptr;
	}

	void Stop (void* effect)
	{
		ReleaseEffect (effect);
		if (mDefinition)
			CallAcf<W> (mDefinition, 2);
		EXPECT_EQ (mExports.Shutdown (mHost.mUnknown), 0u);
	}

	HMODULE mLibrary = nullptr;
	Exports mExports = {};
	Host mHost;
	void* mDefinition = nullptr;
};

TEST_F (MicrosoftHost, HostStringsThroughEveryStringSlotOfTheParameter)
{
	void* effect = Start ();
	ASSERT_NE (effect, nullptr);
	void* mix = nullptr;   // Dry/Wet: linear over 0-100, at 100
	ASSERT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "GetParameter"), "8", &mix), 0u);
	ASSERT_NE (mix, nullptr);
	double posted = -1.0;
	mHost.mAutomation->mHandler = [&posted] (int slot, const W* args) -> W {
		if (slot == 5)
			posted = Double (args + 1);
		return 0;
	};
	const std::vector<std::string> reads = { "Text" };
	const std::vector<std::string> writes = { "Text", "SetText" };
	typedef std::function<bool (MsString*)> Use;
	const struct { const char* slot; const char* text; Use use; const char* after; std::vector<std::string> ops; } rows[] = {
		{ "SetName", "Mix", [&] (MsString* s) {
			CallCpp<void> (mix, Slot ("Parameter", "SetName"), s);
			return std::string (CallCpp<const char*> (CallCpp<const void*> (mix, Slot ("Parameter", "Name")), 3)) == "Mix"; },
		  "Mix", reads },
		{ "AddShortenedName", "Mx", [&] (MsString* s) {
			CallCpp<void> (mix, Slot ("Parameter", "AddShortenedName"), s);
			return std::string (CallCpp<const char*> (CallCpp<const void*> (mix, Slot ("Parameter", "ShortenedName"), int32_t (2)), 3)) == "Mx"; },
		  "Mx", reads },
		{ "NormalizedValueFromString", "50.0", [&] (MsString* s) {
			double normalized = -1.0;
			return CallCpp<bool> (mix, Slot ("Parameter", "NormalizedValueFromString"), s, &normalized) && normalized == 0.5; },
		  "50.0", reads },
		{ "SetValueFromString", "25.0", [&] (MsString* s) {
			return CallCpp<bool> (mix, Slot ("Parameter", "SetValueFromString"), s) && posted == 0.25; },
		  "25.0", reads },
		{ "SetValueWithString", "25.0", [&] (MsString* s) {
			return !CallCpp<bool> (mix, Slot ("Parameter", "SetValueWithString"), s); },
		  "25.0", {} },
		{ "ValueStringWithSize", "unset", [&] (MsString* s) {
			return CallCpp<bool> (mix, Slot ("Parameter", "ValueStringWithSize"), int32_t (4), s); },
		  "100", writes },
		{ "ValueString", "unset", [&] (MsString* s) {
			return CallCpp<bool> (mix, Slot ("Parameter", "ValueString"), s); },
		  "100.00", writes },
		{ "StringFromNormalizedValueWithSize", "a text longer than the buffer", [&] (MsString* s) {
			return CallCpp<bool> (mix, Slot ("Parameter", "StringFromNormalizedValueWithSize"), 0.5, int32_t (32), s); },
		  "50.00", writes },
		{ "StringFromNormalizedValue", "unset", [&] (MsString* s) {
			return CallCpp<bool> (mix, Slot ("Parameter", "StringFromNormalizedValue"), 0.25, s); },
		  "25.00", writes },
		{ "GetValueAsString", "unset", [&] (MsString* s) {
			return !CallCpp<bool> (mix, Slot ("Parameter", "GetValueAsString"), s); },
		  "unset", {} },
	};
	for (const auto& row : rows)
	{
		MsString* text = mHost.String (row.text);
		gCalls.clear ();
		EXPECT_TRUE (row.use (text)) << row.slot;
		EXPECT_STREQ (text->Get (), row.after) << row.slot;
		EXPECT_EQ (CallsOn ("String"), row.ops) << row.slot;
	}
	mHost.mAutomation->mHandler = nullptr;
	Stop (effect);
}

TEST_F (MicrosoftHost, HostDelegatesAreClonedUsedAndDeletedThroughTheirSlots)
{
	void* effect = Start ();
	ASSERT_NE (effect, nullptr);
	void* mix = nullptr;   // Dry/Wet, at 100 of 0-100: normalised 1
	ASSERT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "GetParameter"), "8", &mix), 0u);
	ASSERT_NE (mix, nullptr);
	gDelegateCalls.clear ();
	gDelegatesMade = gDelegatesLive = 0;

	// Slot 40 with the position kept: the value follows the clone of the host's taper.
	MsDelegate* wide = NewDelegate (kTaperTable + 1, "taper", 200.0);
	CallCpp<void> (mix, Slot ("Parameter", "SetTaperDelegate"), wide, W (0));
	double real = 0.0;
	EXPECT_TRUE (CallCpp<bool> (mix, Slot ("Parameter", "GetValueAsDouble"), &real));
	EXPECT_EQ (real, 200.0);
	EXPECT_EQ (CallCpp<double> (mix, Slot ("Parameter", "NormalizedValue")), 1.0);
	ASSERT_FALSE (gDelegateCalls.empty ());
	EXPECT_EQ (gDelegateCalls.front (), "taper1.Clone");
	for (size_t i = 1; i < gDelegateCalls.size (); ++i)
		EXPECT_EQ (gDelegateCalls[i].compare (0, 7, "taper2."), 0) << gDelegateCalls[i];

	// Slot 41: the host's display, through its clone, on the host's strings.
	MsDelegate* display = NewDelegate (kDisplayTable + 1, "display", 0.0);
	CallCpp<void> (mix, Slot ("Parameter", "SetDisplayDelegate"), display);
	MsString* text = mHost.String ("unset");
	EXPECT_TRUE (CallCpp<bool> (mix, Slot ("Parameter", "ValueString"), text));
	EXPECT_STREQ (text->Get (), "host 200.0");
	MsString* typed = mHost.String ("host 50.0");
	double normalized = -1.0;
	EXPECT_TRUE (CallCpp<bool> (mix, Slot ("Parameter", "NormalizedValueFromString"), typed, &normalized));
	EXPECT_EQ (normalized, 0.25);

	// Replaced: the old clones go through slot 0, freed; the host's own stay.
	gDelegateCalls.clear ();
	MsDelegate* narrow = NewDelegate (kTaperTable + 1, "taper", 50.0);
	CallCpp<void> (mix, Slot ("Parameter", "SetTaperDelegate"), narrow, W (1));
	MsDelegate* again = NewDelegate (kDisplayTable + 1, "display", 0.0);
	CallCpp<void> (mix, Slot ("Parameter", "SetDisplayDelegate"), again);
	const auto has = [] (const char* call) {
		return std::find (gDelegateCalls.begin (), gDelegateCalls.end (), call) != gDelegateCalls.end ();
	};
	EXPECT_TRUE (has ("taper5.Clone"));
	EXPECT_TRUE (has ("taper2.Delete(1)"));
	EXPECT_TRUE (has ("display7.Clone"));
	EXPECT_TRUE (has ("display4.Delete(1)"));
	for (const std::string& call : gDelegateCalls)
		EXPECT_TRUE (call.find ("Delete") == std::string::npos || call == "taper2.Delete(1)" || call == "display4.Delete(1)") << call;

	// The parameter goes with the effect, and its clones with it.
	Stop (effect);
	EXPECT_TRUE (has ("taper6.Delete(1)"));
	EXPECT_TRUE (has ("display8.Delete(1)"));
	EXPECT_EQ (gDelegatesLive, 4);   // the host's own four
	for (MsDelegate* own : { wide, display, narrow, again })
		delete own;
}

TEST_F (MicrosoftHost, DrivesTheLibraryThroughTheSlotLists)
{
	ASSERT_EQ (mExports.Startup (mHost.mUnknown), 0u);
	void* definition = nullptr;
	ASSERT_EQ (mExports.RegisterPlugin (mHost.mUnknown, &definition), 0u);
	ASSERT_NE (definition, nullptr);
	EXPECT_EQ (mHost.mEffectIds, std::vector<std::string> ({ "com.Zentik.aax.ZentikQX40" }));
	ASSERT_NE (mHost.mProcs[0], nullptr);
	ASSERT_NE (mHost.mProcs[1], nullptr);
	ASSERT_NE (mHost.mRender, nullptr);
	EXPECT_TRUE (Called ("Collection", "SetPackageVersion"));
	EXPECT_TRUE (Called ("EffectDescriptor", "AddCategory"));
	EXPECT_TRUE (Called ("PropertyMap", "AddProperty"));

	void* effect = NewEffect ();
	ASSERT_NE (effect, nullptr);
	mHost.mEffect = effect;
	EXPECT_TRUE (Called ("Controller", "SampleRate"));
	EXPECT_TRUE (Called ("HostAutomation", "RegisterParameter"));
	int32_t count = 0;
	EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "GetNumberOfParameters"), &count), 0u);
	EXPECT_EQ (count, 9);

	// Names, IDs and value texts through a host string.
	MsString* text = mHost.String ("unset");
	gCalls.clear ();
	EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "GetParameterName"), "3", text), 0u);
	EXPECT_EQ (CallsOn ("String"), std::vector<std::string> ({ "SetText" }));
	EXPECT_STREQ (text->Get (), "Tone");
	gCalls.clear ();
	EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "GetMasterBypassId"), text), 0u);
	EXPECT_EQ (CallsOn ("String"), std::vector<std::string> ({ "SetText" }));
	EXPECT_STREQ (text->Get (), "");
	gCalls.clear ();
	EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "GetParameterIDFromIndex"), int32_t (3), text), 0u);
	EXPECT_EQ (CallsOn ("String"), std::vector<std::string> ({ "SetText" }));
	EXPECT_STREQ (text->Get (), "3");
	gCalls.clear ();
	EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "GetParameterStringFromValue"), "4", 0.5, text, int32_t (32)), 0u);
	EXPECT_EQ (CallsOn ("String"), std::vector<std::string> ({ "SetText" }));
	EXPECT_STREQ (text->Get (), "25.00");
	MsString* typed = mHost.String ("1.00");
	double normalized = -1.0;
	gCalls.clear ();
	EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "GetParameterValueFromString"), "4", &normalized, typed), 0u);
	EXPECT_FALSE (CallsOn ("String").empty ());
	for (const std::string& op : CallsOn ("String"))
		EXPECT_EQ (op, "Text");
	EXPECT_NEAR (normalized, 0.1, 1e-9);

	// The parameter the host is handed answers its own slots.
	void* tone = nullptr;
	EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "GetParameter"), "3", &tone), 0u);
	ASSERT_NE (tone, nullptr);
	EXPECT_STREQ (CallCpp<const char*> (tone, Slot ("Parameter", "Identifier")), "3");
	const void* name = CallCpp<const void*> (tone, Slot ("Parameter", "Name"));
	EXPECT_STREQ (CallCpp<const char*> (name, Slot ("String", "Text")), "Tone");
	EXPECT_EQ (CallCpp<uint32_t> (name, Slot ("String", "Length")), 4u);
	EXPECT_EQ (CallCpp<uint32_t> (name, Slot ("String", "MaxLength")), 0xFFFFFFFEu);
	EXPECT_TRUE (CallCpp<bool> (tone, Slot ("Parameter", "Automatable")));
	EXPECT_EQ (CallCpp<uint32_t> (tone, Slot ("Parameter", "NumberOfSteps")), 128u);
	EXPECT_EQ (CallCpp<int32_t> (tone, Slot ("Parameter", "Type")), 1);
	EXPECT_DOUBLE_EQ (CallCpp<double> (tone, Slot ("Parameter", "NormalizedValue")), 0.5);
	EXPECT_DOUBLE_EQ (CallCpp<double> (tone, Slot ("Parameter", "NormalizedDefault")), 0.5);
	gCalls.clear ();
	CallCpp<void> (tone, Slot ("Parameter", "SetNormalizedValue"), 0.3);
	EXPECT_EQ (CallsOn ("HostAutomation"),
	           std::vector<std::string> ({ "PostTouchRequest", "PostSetValueRequest", "PostReleaseRequest" }));
	// The host answers the request as its automation does.
	EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "UpdateParameterNormalizedValue"), "3", 0.3, int32_t (0)), 0u);
	EXPECT_NEAR (CallCpp<double> (tone, Slot ("Parameter", "NormalizedValue")), 0.3, 1e-12);
	double real = 0.0;
	EXPECT_TRUE (CallCpp<bool> (tone, Slot ("Parameter", "GetValueAsDouble"), &real));
	EXPECT_NEAR (real, 9.0, 1e-9);   // 0.3^2 x 100
	EXPECT_FALSE (CallCpp<bool> (tone, Slot ("Parameter", "GetValueAsFloat"), &real));
	// The host's own automation, a C++ object, reached through its slots.
	HostObject* automation = mHost.Cpp<kAutomationWords> ("Automation", kAutomationWords);
	gCalls.clear ();
	CallCpp<void> (tone, Slot ("Parameter", "SetAutomationDelegate"), automation);
	CallCpp<void> (tone, Slot ("Parameter", "Touch"));
	CallCpp<void> (tone, Slot ("Parameter", "SetNormalizedValue"), 0.6);
	CallCpp<void> (tone, Slot ("Parameter", "Release"));
	CallCpp<void> (tone, Slot ("Parameter", "SetAutomationDelegate"), static_cast<void*> (nullptr));
	EXPECT_EQ (CallsOn ("HostAutomation"), std::vector<std::string> ({ "UnregisterParameter" }));
	EXPECT_EQ (CallsOn ("Automation"),
	           std::vector<std::string> ({ "RegisterParameter", "PostTouchRequest", "PostTouchRequest", "PostSetValueRequest",
	                                       "PostReleaseRequest", "PostReleaseRequest", "UnregisterParameter" }));

	// The chunk into a zero-filled record of the reported size, then into a second instance.
	uint32_t size = 0;
	EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "GetChunkSize"), kStateChunk, &size), 0u);
	ASSERT_EQ (size, 64u);
	std::vector<uint8_t> record (kChunkHeader + size, 0);
	EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "GetChunk"), kStateChunk, record.data ()), 0u);
	int32_t sizeWord = 0;
	std::memcpy (&sizeWord, record.data (), 4);
	EXPECT_EQ (sizeWord, 64);
	double tone9 = 0.0;
	std::memcpy (&tone9, record.data () + kChunkHeader + 16, 8);
	EXPECT_NEAR (tone9, 9.0, 1e-9);
	void* second = NewEffect ();
	ASSERT_NE (second, nullptr);
	gCalls.clear ();
	EXPECT_EQ (CallAcf<W> (second, Slot ("EffectParameters", "SetChunk"), kStateChunk, record.data ()), 0u);
	// Every restored value is posted to the host's automation; the state is the saved one.
	std::vector<std::string> posted;
	for (int i = 0; i < 8; ++i)
		posted.insert (posted.end (), { "PostTouchRequest", "PostSetValueRequest", "PostReleaseRequest" });
	EXPECT_EQ (CallsOn ("HostAutomation"), posted);
	std::vector<uint8_t> again (kChunkHeader + size, 0);
	EXPECT_EQ (CallAcf<W> (second, Slot ("EffectParameters", "GetChunk"), kStateChunk, again.data ()), 0u);
	EXPECT_TRUE (std::equal (record.begin () + kChunkHeader, record.end (), again.begin () + kChunkHeader));
	ReleaseEffect (second);

	// One render with a host transport behind the transport node.
	HostObject* transport = mHost.Cpp<kTransportWords> ("Transport", kTransportWords);
	HostObject* node = mHost.Cpp<kNodeWords> ("TransportNode", kNodeWords);
	node->mHandler = [transport] (int slot, const W*) -> W { return slot == 3 ? W (uintptr_t (transport)) : 0; };
	void* instance = nullptr;
	EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "ResetFieldData"), W (8), &instance, W (4)), 0u);
	std::vector<float> left (256, 0.25f), right (256, -0.25f);
	float* channels[] = { left.data (), right.data () };
	int32_t frames = 256;
	W placeholder = 0xDEADBEEF;
	void* context[10] = { channels, channels, nullptr, &frames, nullptr, &placeholder, &placeholder, node, &instance, &placeholder };
	void* contexts[] = { context };
	gCalls.clear ();
	reinterpret_cast<void (*) (void* const*, void* const*)> (mHost.mRender) (contexts, contexts + 1);
	EXPECT_EQ (CallsOn ("TransportNode"), std::vector<std::string> ({ "GetTransport" }));
	EXPECT_EQ (CallsOn ("Transport"), std::vector<std::string> ());   // the effect reads no transport
	EXPECT_NE (left, std::vector<float> (256, 0.25f));

	// The GUI, then releases in the order that frees the plug-in first.
	void* (*createGui) () = reinterpret_cast<void* (*) ()> (mHost.mProcs[1]);
	void* gui = nullptr;
	CallAcf<W> (createGui (), Slot ("EffectGUI", "QueryInterface"), &kEffectGUI, &gui);
	ASSERT_NE (gui, nullptr);
	EXPECT_EQ (CallAcf<W> (gui, Slot ("EffectGUI", "InitializeGUI"), mHost.mGuiUnknown), 0u);
	EXPECT_EQ (CallAcf<W> (gui, Slot ("EffectGUI", "SetViewContainer"), mHost.mViewContainer), 0u);
	float viewSize[2] = { 0.0f, 0.0f };
	EXPECT_EQ (CallAcf<W> (gui, Slot ("EffectGUI", "GetViewSize"), viewSize), 0u);
	EXPECT_EQ (viewSize[0], 460.0f);
	EXPECT_EQ (viewSize[1], 410.0f);
	EXPECT_EQ (CallAcf<W> (gui, Slot ("EffectGUI", "UninitializeGUI")), 0u);
	ReleaseEffect (effect);
	mHost.mEffect = nullptr;
	viewSize[0] = viewSize[1] = -1.0f;
	EXPECT_EQ (CallAcf<W> (gui, Slot ("EffectGUI", "GetViewSize"), viewSize), 0u);
	EXPECT_EQ (viewSize[0], -1.0f);
	CallAcf<W> (gui, Slot ("EffectGUI", "Release"));

	EXPECT_EQ (mExports.CanUnloadNow (mHost.mUnknown), 0u);
	CallAcf<W> (definition, 2);
	EXPECT_EQ (mExports.Shutdown (mHost.mUnknown), 0u);
	// The view container's reference is never released; every other goes back.
	for (auto& object : mHost.mObjects)
		if (object.get () != mHost.mViewContainer)
			EXPECT_EQ (object->mReferences, 0) << object->mInterface << " references left";
	// The C++ host objects saw no slot outside their lists.
	for (const Call& c : gAllCalls)
		if (c.mInterface == "String" || c.mInterface == "Transport" || c.mInterface == "Automation")
			EXPECT_NE (OperationAt (c.mInterface, c.mSlot).compare (0, 5, "slot "), 0) << c.mInterface << " slot " << c.mSlot;
}

// The adapter's transport queries, through a host transport of raw slots
// behind the render's transport node: each query reaches its slot, and the
// answers arrive whole.
class MicrosoftHostTransport : public MicrosoftHost
{
protected:
	const char* LibraryPath () const override { return ZQ_AAXTRANSPORTPLUG_PATH; }
};

TEST_F (MicrosoftHostTransport, QueriesReachTheirSlots)
{
	void* effect = Start ();
	ASSERT_NE (effect, nullptr);
	HostObject* transport = mHost.Cpp<kTransportWords> ("Transport", kTransportWords);
	transport->mHandler = [] (int slot, const W* args) -> W {
		const auto put64 = [] (W address, int64_t v) { std::memcpy (reinterpret_cast<void*> (address), &v, 8); };
		switch (slot)
		{
		case 1: *reinterpret_cast<double*> (args[0]) = 96.5; break;
		case 2: *reinterpret_cast<int32_t*> (args[0]) = 7; *reinterpret_cast<int32_t*> (args[1]) = 8; break;
		case 3: *reinterpret_cast<bool*> (args[0]) = true; break;
		case 4: put64 (args[0], 2880000); break;                                 // 3 quarter notes
		case 5: *reinterpret_cast<bool*> (args[0]) = true; put64 (args[1], 960000); put64 (args[2], 4800000); break;
		case 6: put64 (args[0], (int64_t (1) << 32) + 4096); break;
		}
		return 0;
	};
	HostObject* node = mHost.Cpp<kNodeWords> ("TransportNode", kNodeWords);
	node->mHandler = [transport] (int slot, const W*) -> W { return slot == 3 ? W (uintptr_t (transport)) : 0; };
	void* instance = nullptr;
	EXPECT_EQ (CallAcf<W> (effect, Slot ("EffectParameters", "ResetFieldData"), W (8), &instance, W (4)), 0u);
	std::vector<float> samples (32, 0.0f);
	float* channels[] = { samples.data () };
	int32_t frames = 32;
	W placeholder = 0xDEADBEEF;
	void* context[10] = { channels, channels, nullptr, &frames, nullptr, &placeholder, &placeholder, node, &instance, &placeholder };
	void* contexts[] = { context };
	gCalls.clear ();
	reinterpret_cast<void (*) (void* const*, void* const*)> (mHost.mRender) (contexts, contexts + 1);

	// GetTempo; the transport record (tempo, playing, meter, ticks, samples,
	// loop); GetSamplePosition; GetTimeSignature.
	EXPECT_EQ (CallsOn ("Transport"),
	           std::vector<std::string> ({ "CurrentTempo", "CurrentTempo", "IsTransportPlaying", "CurrentMeter",
	                                       "CurrentTickPosition", "CurrentNativeSampleLocation", "CurrentLoopPosition",
	                                       "CurrentNativeSampleLocation", "CurrentMeter" }));
	const float expected[] = { 96.5f, 96.5f, 4294971392.0f, 3.0f, 1.0f, 5.0f, 7.0f, 8.0f, 1.0f, 1.0f, 4096.0f, 7.0f, 8.0f };
	for (size_t i = 0; i < sizeof expected / sizeof expected[0]; ++i)
		EXPECT_EQ (samples[i], expected[i]) << "query " << i;
	Stop (effect);
}

} // namespace
