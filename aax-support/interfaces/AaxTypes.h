#pragma once

// Plain records and scalar types exchanged with the AAX host.

#include <cstdint>

// One 32-bit argument slot whose meaning only the host knows.
typedef uint32_t AaxWord;
// Parameter identifiers cross the host boundary as C strings.
typedef const char* AaxParamID;
// Stem format: the channel count in the low 16 bits.
typedef uint32_t AaxStemFormat;
typedef uint32_t AaxPropertyID;
typedef int32_t AaxPropertyValue;
typedef uint32_t AaxFieldIndex;
// Procedures handed to the host (create procedures, the render procedure).
typedef void* AaxProcPtr;

// The view size record: vertical extent first, then horizontal.
struct AaxViewSize
{
	float mHeight;
	float mWidth;
};

// The host's chunk record. Only the fields named here are used; data follows the header.
struct AaxChunk
{
	int32_t mSize;        // bytes of data
	int32_t mVersion;
	uint8_t mReserved[12];
	uint32_t mChunkID;    // offset 20
	char mName[32];       // offset 24
	uint8_t mData[1];     // offset 56
};
static_assert (sizeof (AaxChunk) >= 57, "chunk header is 56 bytes");

class AAX_IString;
class AAX_IParameter;
