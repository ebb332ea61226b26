#pragma once

#include <cstdint>

// One short MIDI message at a sample offset within the block.
struct MidiMessage
{
  int mOffset = 0;
  uint8_t mStatus = 0;
  uint8_t mData1 = 0;
  uint8_t mData2 = 0;

  void MakeNoteOn(int note, int velocity, int offset, int channel = 0);
  void MakeNoteOff(int note, int offset, int channel = 0);
  // data 2 = normalised value x 127, truncated toward zero.
  void MakeControlChange(int controller, double normalisedValue, int channel = 0);
};

// A system-exclusive message; the bytes are borrowed from the caller.
struct SysExMessage
{
  int mOffset = 0;
  int mSize = 0;
  const uint8_t* mData = nullptr;
};
