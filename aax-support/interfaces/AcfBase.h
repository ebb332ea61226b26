#pragma once

// Host-side ACF basics shared by the AAX support library and our own test host:
// result codes, interface ids, the reference-counted IACFUnknown and the host's
// object factory. Interface methods use the COM calling convention (stdcall on
// 32-bit x86) so that host and plug-in agree on the virtual-table calls.

#include <cstdint>
#include <cstring>

#if defined(_WIN32) && defined(__i386__)
#define ACF_CALL __stdcall
#else
#define ACF_CALL
#endif

typedef int32_t AaxResult;

enum : AaxResult
{
	kAaxSuccess = 0,
	kAaxErrUnknownParameter = -20001,
	kAaxErrNullArgument = -20002,
	kAaxErrMissingInterface = -20004,
	kAaxErrChunkIndex = -20006,
	kAaxErrUnknownChunk = -20007,
	kAaxErrChunkSize = -20008,
	kAaxErrNotImplemented = -20009,
	kAaxErrGuiInit = -20011,
	kAaxErrNegativeSteps = -20033,
	kAaxErrChunkOverflow = -333,
	kAcfNoInterface = (AaxResult)0x80000004u,
	kAcfNullFactory = (AaxResult)0x80000005u,
	kAcfUnexpected = (AaxResult)0x8000FFFFu,
};

// 16-byte interface and class id, in the layout of a Windows GUID.
struct AcfUID
{
	uint32_t Data1;
	uint16_t Data2;
	uint16_t Data3;
	uint8_t Data4[8];
};

inline bool operator== (const AcfUID& a, const AcfUID& b)
{
	return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3
	       && std::memcmp (a.Data4, b.Data4, sizeof a.Data4) == 0;
}
inline bool operator!= (const AcfUID& a, const AcfUID& b) { return !(a == b); }

typedef const AcfUID& AcfRefIID;

class IACFUnknown
{
public:
	virtual AaxResult ACF_CALL QueryInterface (AcfRefIID iid, void** out) = 0;
	virtual uint32_t ACF_CALL AddRef () = 0;
	virtual uint32_t ACF_CALL Release () = 0;
};

// The host's object factory: creates host objects by class id.
class IACFComponentFactory : public IACFUnknown
{
public:
	virtual AaxResult ACF_CALL CreateInstance (AcfRefIID classId, IACFUnknown* outer, AcfRefIID iid, void** out) = 0;
};

// {00000000-0000-0000-C000-000000000046}
inline constexpr AcfUID IID_IACFUnknown = { 0x00000000, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };
// {382B6A96-7FD0-11D6-BCFE-00306542A024}
inline constexpr AcfUID IID_IACFComponentFactory = { 0x382B6A96, 0x7FD0, 0x11D6, { 0xBC, 0xFE, 0x00, 0x30, 0x65, 0x42, 0xA0, 0x24 } };
// {00EEF015-7FD0-11D6-8485-00306542A024}: what ACFRegisterPlugin hands back.
inline constexpr AcfUID IID_IACFPluginDefinition = { 0x00EEF015, 0x7FD0, 0x11D6, { 0x84, 0x85, 0x00, 0x30, 0x65, 0x42, 0xA0, 0x24 } };
