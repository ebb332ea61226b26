#pragma once

// Records the AAX host passes to the render procedure. Every field is one
// pointer wide (4 bytes in the x86 library); the field indices are the ones
// the component description declares.

#include <cstdint>

class AAX_ITransport;
class AAX_CIPlugParameters;

#pragma pack(push, 1)
// One incoming MIDI event, 14 bytes, packed one after another.
struct AaxMidiPacket
{
  uint32_t mTimestamp;   // sample offset within the buffer
  uint32_t mLength;
  uint8_t mData[3];      // status, data 1, data 2
  uint8_t mFurther[3];
};
#pragma pack(pop)
static_assert(sizeof(AaxMidiPacket) == 14, "packets lie 14 bytes apart");

struct AaxMidiStream
{
  uint32_t mCount;
  const AaxMidiPacket* mPackets;
};

// A MIDI node: its second operation yields the packet buffer.
class AaxMidiNode
{
public:
  virtual void Slot0() = 0;
  virtual AaxMidiStream* GetNodeBuffer() = 0;
};

// The transport node: its fourth operation yields the host transport.
class AaxTransportNode
{
public:
  virtual void Slot0() = 0;
  virtual void Slot1() = 0;
  virtual void Slot2() = 0;
  virtual AAX_ITransport* GetTransport() = 0;
};

struct AaxRenderContext
{
  float** mInputs;                          // 0
  float** mOutputs;                         // 1
  void* mField2;
  int32_t* mBufferLength;                   // 3: frames this call
  void* mField4;
  AaxMidiNode* mInputMidi;                  // 5, or a placeholder
  void* mGlobalMidi;                        // 6, or a placeholder
  AaxTransportNode* mTransportNode;         // 7
  AAX_CIPlugParameters** mPrivateData;      // 8: the instance's effect-parameters part
  void* mMeters;                            // 9, or a placeholder
};

// Field indices of the record above.
enum AaxRenderField : uint32_t
{
  kAaxFieldInputs = 0,
  kAaxFieldOutputs = 1,
  kAaxFieldBufferLength = 3,
  kAaxFieldInputMidi = 5,
  kAaxFieldGlobalMidi = 6,
  kAaxFieldTransport = 7,
  kAaxFieldPrivateData = 8,
  kAaxFieldMeters = 9,
};
