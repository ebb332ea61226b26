// The render callback: one render context into one framework processing call.

#include "formats/aax/IPlugAAX.h"

#include <cstdio>

#include "aax-support/AAX_IParameter.h"
#include "aax-support/AAX_VController.h"
#include "formats/aax/AaxDescription.h"
#include "formats/aax/AaxRenderContext.h"
#include "framework/MidiMessage.h"

void IPlugAAX::RenderAudio(AaxRenderContext* context)
{
  if (!context)
    return;
  LockGuard lock(mMutex);

  bool bypass = false;
  if (mBypassParam)
    mBypassParam->GetValueAsBool(&bypass);

  AaxStemFormat inputStem = 0;
  AaxStemFormat outputStem = 0;
  if (AAX_VController* controller = Controller())
  {
    controller->InputStemFormat(&inputStem);
    controller->OutputStemFormat(&outputStem);
  }
  const int nIn = static_cast<int>(inputStem & 0xFFFF);
  const int nOut = static_cast<int>(outputStem & 0xFFFF);

  // Field 5 is a MIDI node only where the description declared one; otherwise
  // it holds a placeholder that must not be read as a node.
  if (DoesMIDI() && AaxDescribesInputMidi() && context->mInputMidi)
  {
    if (const AaxMidiStream* stream = context->mInputMidi->GetNodeBuffer())
    {
      for (uint32_t i = 0; stream->mPackets && i < stream->mCount; ++i)
      {
        const AaxMidiPacket& packet = stream->mPackets[i];
        MidiMessage msg;
        msg.mOffset = static_cast<int>(packet.mTimestamp);
        msg.mStatus = packet.mData[0];
        msg.mData1 = packet.mData[1];
        msg.mData2 = packet.mData[2];
        ProcessMidiIn(msg);
      }
    }
  }

  mCurrentTransport = context->mTransportNode ? context->mTransportNode->GetTransport() : nullptr;

  int frames = context->mBufferLength ? *context->mBufferLength : 0;
  if (frames < 0)
    frames = 0;

  ClearChannelScratch();
  ConnectInputChannels(0, NInChannels(), false);
  ConnectInputChannels(0, nIn, true);
  std::printf("attach input buffers: 0 - %d\n", NInChannels());
  AttachInputBuffersFloat(0, NInChannels(), context->mInputs, frames);
  ConnectOutputChannels(0, nOut, true);
  ConnectOutputChannels(nOut, NOutChannels() - nOut, false);
  AttachOutputBuffersFloat(0, NOutChannels(), context->mOutputs);

  // Longer buffers than the block size are processed in block-sized slices.
  if (bypass)
    PassThroughFloat(frames);
  else
    ProcessBuffersFloat(frames);
}
