#include "formats/vst3/IPlugVST3.h"

#include "formats/vst3/Vst3Text.h"

#include "pluginterfaces/base/ibstream.h"

#include <cmath>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

// The state stream: the framework state (each parameter's plain value as a
// little-endian binary64, in parameter order), then the VST3 bypass as a
// little-endian int32 (1 on, 0 off). No header, no version.

// True only when the stream took every byte.
static bool WriteAll(IBStream* stream, const void* data, int32 size)
{
  int32 written = 0;
  return stream->write(const_cast<void*>(data), size, &written) == kResultOk && written == size;
}

// A stream may deliver fewer bytes than asked: reads until `size` bytes are
// in or it delivers nothing more. Returns the count delivered.
static int32 ReadUpTo(IBStream* stream, void* data, int32 size)
{
  int32 total = 0;
  while (total < size)
  {
    int32 read = 0;
    if (stream->read(static_cast<unsigned char*>(data) + total, size - total, &read) != kResultOk ||
        read <= 0)
      break;
    total += read < size - total ? read : size - total;
  }
  return total;
}

tresult PLUGIN_API IPlugVST3::getState(IBStream* state)
{
  if (!state)
    return kInvalidArgument;
  try
  {
    LockGuard lock(mMutex);
    IStateChunk chunk;
    if (!SerializeState(chunk))
      return kResultFalse;
    const int32 bypass = mHostBypass ? 1 : 0;
    const unsigned char flag[4] = {static_cast<unsigned char>(bypass), 0, 0, 0};
    if (chunk.Size() > 0 && !WriteAll(state, chunk.GetData(), chunk.Size()))
      return kResultFalse;
    if (!WriteAll(state, flag, 4))
      return kResultFalse;
    return kResultOk;
  }
  catch (...)
  {
    return kOutOfMemory;
  }
}

tresult PLUGIN_API IPlugVST3::setState(IBStream* state)
{
  if (!state)
    return kInvalidArgument;
  try
  {
    LockGuard lock(mMutex);
    // The current state gives the size to read; bytes the stream does not
    // deliver keep the current values.
    IStateChunk chunk, current;
    if (!SerializeState(chunk) || chunk.Size() <= 0 || current.PutBytes(chunk.GetData(), chunk.Size()) <= 0)
      return kResultFalse;
    const int32 size = chunk.Size();
    const int32 delivered = ReadUpTo(state, chunk.GetData(), size);
    // A value delivered only in part keeps its current bytes, as do the
    // values not delivered at all (and anything a failed read left behind).
    const int32 whole = delivered - delivered % static_cast<int32>(sizeof(double));
    std::memcpy(chunk.GetData() + whole, current.GetData() + whole, static_cast<size_t>(size - whole));
    const bool paramsComplete = delivered == size;
    UnserializeState(chunk, 0);

    unsigned char flag[4] = {0, 0, 0, 0};
    const bool bypassRead = ReadUpTo(state, flag, 4) == 4;
    if (bypassRead)
    {
      mHostBypass = (flag[0] | flag[1] | flag[2] | flag[3]) != 0;
      mBypassFromController = false;
    }
    // The values are restored even from a short stream; the editor shows them either way.
    PushAllParamsToGui();
    return (paramsComplete && bypassRead) ? kResultOk : kResultFalse;
  }
  catch (...)
  {
    return kOutOfMemory;
  }
}

//---Parameter access, by id: 'bpas', 'prst' and the framework's 0 .. nParams - 1

static bool IsFrameworkParam(IPlugVST3::ParamID id, int nParams)
{
  return id < static_cast<IPlugVST3::ParamID>(nParams);
}

ParamValue PLUGIN_API IPlugVST3::getParamNormalized(ParamID id)
{
  if (id == kBypassParamID)
  {
    if (mBypassFromController)
      if (Parameter* bypass = getParameterObject(kBypassParamID))
        return bypass->getNormalized();
    return mHostBypass ? 1.0 : 0.0;
  }
  if (IsFrameworkParam(id, NParams()))
    return GetParam(static_cast<int>(id))->GetNormalised();
  return 0.0;
}

tresult PLUGIN_API IPlugVST3::setParamNormalized(ParamID id, ParamValue value)
{
  // The host's bypass switch keeps what the host set, so its display and the
  // controller state it saves agree with what it sends to process; the audible
  // bypass still follows process alone.
  if (id == kBypassParamID)
  {
    Parameter* bypass = getParameterObject(kBypassParamID);
    if (!bypass)
      return kResultFalse;
    // The SDK parameter limits the range but would keep a NaN.
    if (std::isnan(value))
      return kResultOk;
    bypass->setNormalized(value);
    mBypassFromController = true;
    return kResultOk;
  }
  // Only the record; the sound follows the value arriving through process.
  if (!IsFrameworkParam(id, NParams()))
    return kResultFalse;
  GetParam(static_cast<int>(id))->SetFromNormalised(value);
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                    String128 string)
{
  if (!string)
    return kInvalidArgument;
  if (!IsFrameworkParam(id, NParams()))
    return kResultFalse;
  char text[128];
  GetParam(static_cast<int>(id))->FormatValue(valueNormalized, true, text, sizeof(text), true);
  vst3text::ToString128(string, text);
  return kResultOk;
}

ParamValue PLUGIN_API IPlugVST3::plainParamToNormalized(ParamID id, ParamValue plainValue)
{
  if (IsFrameworkParam(id, NParams()))
    return GetParam(static_cast<int>(id))->ToNormalised(plainValue);
  return plainValue;
}

//---Units: the root, then one per parameter group in order of first appearance

IPlugVST3::int32 PLUGIN_API IPlugVST3::getUnitCount()
{
  return mUnitNames.GetSize() + 1;
}

tresult PLUGIN_API IPlugVST3::getUnitInfo(int32 unitIndex, UnitInfo& info)
{
  if (unitIndex == 0)
  {
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    vst3text::ToString128(info.name, "Root Unit");
    info.programListId = kNoProgramListId;
    return kResultOk;
  }
  if (unitIndex < 1 || unitIndex > mUnitNames.GetSize())
    return kResultFalse;
  info.id = unitIndex;
  info.parentUnitId = kRootUnitId;
  vst3text::ToString128(info.name, mUnitNames.Get(unitIndex - 1));
  info.programListId = kNoProgramListId;
  return kResultOk;
}

IPlugVST3::int32 PLUGIN_API IPlugVST3::getProgramListCount()
{
  return 0;
}

tresult PLUGIN_API IPlugVST3::getProgramListInfo(int32 listIndex, ProgramListInfo& info)
{
  if (listIndex != 0)
    return kResultFalse;
  info.id = static_cast<ProgramListID>(kPresetParamID);
  vst3text::ToString128(info.name, "Factory Presets");
  info.programCount = NPresets();
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getProgramName(ProgramListID listId, int32 programIndex,
                                             String128 name)
{
  if (listId != static_cast<ProgramListID>(kPresetParamID))
    return kResultFalse;
  if (!name)
    return kInvalidArgument;
  vst3text::ToString128(name, GetPresetName(programIndex));
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getProgramInfo(ProgramListID, int32, Vst::CString, String128)
{
  return kNotImplemented;
}

tresult PLUGIN_API IPlugVST3::hasProgramPitchNames(ProgramListID, int32)
{
  return kNotImplemented;
}

tresult PLUGIN_API IPlugVST3::getProgramPitchName(ProgramListID, int32, int16, String128)
{
  return kNotImplemented;
}

UnitID PLUGIN_API IPlugVST3::getSelectedUnit()
{
  return kRootUnitId;
}

tresult PLUGIN_API IPlugVST3::selectUnit(UnitID)
{
  return kNotImplemented;
}

tresult PLUGIN_API IPlugVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&)
{
  return kNotImplemented;
}

tresult PLUGIN_API IPlugVST3::setUnitProgramData(int32, int32, IBStream*)
{
  return kNotImplemented;
}

//---MIDI mapping: controller n is the parameter nParams + n

tresult PLUGIN_API IPlugVST3::getMidiControllerAssignment(int32 /*busIndex*/, int16 /*channel*/,
                                                          CtrlNumber midiControllerNumber,
                                                          ParamID& id)
{
  // Only the 128 controllers that have a "MIDI CC" parameter map to one.
  if (!DoesMIDI() || midiControllerNumber < 0 || midiControllerNumber > 127)
    return kResultFalse;
  id = static_cast<ParamID>(NParams() + midiControllerNumber);
  return kResultOk;
}
