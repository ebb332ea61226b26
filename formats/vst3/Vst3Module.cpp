#include "formats/vst3/Vst3Module.h"

Steinberg::FUnknown* Vst3CreateInstance(Steinberg::FUnknown* (*create)())
{
  if (!create)
    return nullptr;
  try
  {
    return create();
  }
  catch (...)
  {
    return nullptr;
  }
}
