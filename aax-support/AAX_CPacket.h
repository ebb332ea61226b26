#pragma once

#include <cstdint>
#include <vector>

#include "aax-support/interfaces/AcfBase.h"
#include "aax-support/interfaces/AaxTypes.h"

// Data for one field of the host's algorithm context, posted when dirty.
class AAX_CPacket
{
public:
  AAX_CPacket(AaxFieldIndex fieldIndex, uint32_t dataSize)
    : mFieldIndex(fieldIndex), mDirty(false), mData(dataSize, 0)
  {
  }

  AaxFieldIndex FieldIndex() const { return mFieldIndex; }
  bool IsDirty() const { return mDirty; }
  void SetDirty(bool dirty) { mDirty = dirty; }
  uint32_t DataSize() const { return uint32_t(mData.size()); }
  uint8_t* Data() { return mData.data(); }
  const uint8_t* Data() const { return mData.data(); }

private:
  AaxFieldIndex mFieldIndex;
  bool mDirty;
  std::vector<uint8_t> mData;
};

// Fills a packet for a parameter when it is dispatched.
class AAX_IPacketHandler
{
public:
  virtual ~AAX_IPacketHandler() {}
  // New copy owned by the caller; null when memory is exhausted.
  virtual AAX_IPacketHandler* Clone() const = 0;
  // 0 when the packet is to be posted.
  virtual AaxResult Call(AaxParamID id, AAX_CPacket& packet) const = 0;
};
