#include "framework/MidiMessage.h"

void MidiMessage::MakeNoteOn(int note, int velocity, int offset, int channel)
{
  mOffset = offset;
  mStatus = uint8_t(0x90 | (channel & 0x0F));
  mData1 = uint8_t(note);
  mData2 = uint8_t(velocity);
}

void MidiMessage::MakeNoteOff(int note, int offset, int channel)
{
  mOffset = offset;
  mStatus = uint8_t(0x80 | (channel & 0x0F));
  mData1 = uint8_t(note);
  mData2 = 0;
}

void MidiMessage::MakeControlChange(int controller, double normalisedValue, int channel)
{
  mOffset = 0;
  mStatus = uint8_t(0xB0 | (channel & 0x0F));
  mData1 = uint8_t(controller);
  // Out-of-range host values must not overflow the conversion.
  double v = normalisedValue * 127.0;
  if (!(v >= 0.0)) v = 0.0;
  if (v > 127.0) v = 127.0;
  mData2 = uint8_t(int(v));
}
