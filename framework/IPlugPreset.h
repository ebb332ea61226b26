#pragma once

#include "framework/IStateChunk.h"

// One in-memory preset slot: a name and a snapshot of the plug-in state.
struct IPlugPreset
{
  static const int kNameSize = 256; // with terminator

  bool mInitialized = false;
  char mName[kNameSize] = "empty";
  IStateChunk mChunk;
};
