#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "aax-support/AAX_CLock.h"
#include "aax-support/AAX_CPacket.h"
#include "aax-support/interfaces/AcfBase.h"
#include "aax-support/interfaces/AaxTypes.h"

class AAX_CEffectParameters;
class AAX_IController;

// Links parameter identifiers to packets for the host's algorithm: an update
// of a parameter marks its packets dirty, Dispatch fills and posts them. Every
// operation runs under the queue's lock, which its holding thread may re-enter.
class AAX_CPacketQueue
{
public:
  AAX_CPacketQueue() = default;
  ~AAX_CPacketQueue();

  AAX_CPacketQueue(const AAX_CPacketQueue&) = delete;
  AAX_CPacketQueue& operator=(const AAX_CPacketQueue&) = delete;

  // Neither is owned.
  void Init(AAX_IController* controller, AAX_CEffectParameters* effectParameters);

  // Adds a handler (a copy is kept) for id, posting to the packet of fieldIndex;
  // the packet is made with dataSize bytes on its field's first registration.
  AaxResult Register(AaxParamID id, AaxFieldIndex fieldIndex, uint32_t dataSize, const AAX_IPacketHandler& handler);

  // Marks every packet registered for id; 0 also when there is none.
  AaxResult SetDirty(AaxParamID id, bool dirty);
  // Fills and posts every dirty packet; the result of the last post, 0 when none.
  AaxResult Dispatch();

  AAX_CEffectParameters* EffectParameters() const { return mEffectParameters; }

private:
  typedef std::pair<AAX_CPacket*, AAX_IPacketHandler*> HandlerEntry;

  std::map<AaxFieldIndex, AAX_CPacket*> mPackets;
  std::multimap<std::string, HandlerEntry> mHandlers;
  AAX_IController* mController = nullptr;
  AAX_CEffectParameters* mEffectParameters = nullptr;
  AAX_CLock mLock;
};
