// The effect record's audio and parameter callbacks.

#include "formats/vst2/IPlugVST.h"

#include "framework/Trace.h"

namespace {

IPlugVST* PlugOf(AEffect* effect)
{
  return effect ? static_cast<IPlugVST*>(effect->object) : nullptr;
}

} // namespace

void IPlugVST::PrepareFloatBuffers(float** inputs, float** outputs, int nFrames)
{
  if (DoesMIDI()) CallHost(kAudioMasterWantMidi);
  AttachInputBuffersFloat(0, NInChannels(), inputs, nFrames);
  AttachOutputBuffersFloat(0, NOutChannels(), outputs);
}

void IPlugVST::PrepareDoubleBuffers(double** inputs, double** outputs)
{
  if (DoesMIDI()) CallHost(kAudioMasterWantMidi);
  AttachInputBuffersDouble(0, NInChannels(), inputs);
  AttachOutputBuffersDouble(0, NOutChannels(), outputs);
}

void VSTCALLBACK IPlugVST::VSTProcess(AEffect* effect, float** inputs, float** outputs,
                                      VstInt32 nFrames)
{
  IPlugVST* plug = PlugOf(effect);
  if (!plug) return;
  LockGuard lock(plug->mMutex);
  plug->PrepareFloatBuffers(inputs, outputs, nFrames);
  plug->ProcessBuffersAccumulating(nFrames);
}

void VSTCALLBACK IPlugVST::VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs,
                                               VstInt32 nFrames)
{
  IPlugVST* plug = PlugOf(effect);
  if (!plug) return;
  LockGuard lock(plug->mMutex);
  plug->PrepareFloatBuffers(inputs, outputs, nFrames);
  plug->ProcessBuffersFloat(nFrames);
}

void VSTCALLBACK IPlugVST::VSTProcessDoubleReplacing(AEffect* effect, double** inputs,
                                                     double** outputs, VstInt32 nFrames)
{
  IPlugVST* plug = PlugOf(effect);
  if (!plug) return;
  LockGuard lock(plug->mMutex);
  plug->PrepareDoubleBuffers(inputs, outputs);
  plug->ProcessBuffersDouble(nFrames);
}

float VSTCALLBACK IPlugVST::VSTGetParameter(AEffect* effect, VstInt32 index)
{
  IPlugVST* plug = PlugOf(effect);
  if (!plug) return 0.0f;
  LockGuard lock(plug->mMutex);
  Trace("IPlugVST::VSTGetParameter", __LINE__, "%d", index);
  const IParamRecord* param = plug->GetParam(index);
  return param ? float(param->GetNormalised()) : 0.0f;
}

void VSTCALLBACK IPlugVST::VSTSetParameter(AEffect* effect, VstInt32 index, float value)
{
  IPlugVST* plug = PlugOf(effect);
  if (!plug) return;
  LockGuard lock(plug->mMutex);
  plug->SetParameterFromHost(index, value);
}
