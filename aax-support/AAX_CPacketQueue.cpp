#include "aax-support/AAX_CPacketQueue.h"

#include <new>

#include "aax-support/AAX_IController.h"

AAX_CPacketQueue::~AAX_CPacketQueue()
{
  {
    AAX_CLockGuard guard(&mLock);
    for (auto& entry : mPackets)
      delete entry.second;
    mPackets.clear();
    for (auto& entry : mHandlers)
      delete entry.second.second;
    mHandlers.clear();
  }
  mLock.Destroy();
}

void AAX_CPacketQueue::Init(AAX_IController* controller, AAX_CEffectParameters* effectParameters)
{
  AAX_CLockGuard guard(&mLock);
  mController = controller;
  mEffectParameters = effectParameters;
}

AaxResult AAX_CPacketQueue::Register(AaxParamID id, AaxFieldIndex fieldIndex, uint32_t dataSize,
                                     const AAX_IPacketHandler& handler)
{
  if (!id)
    return kAaxErrNullArgument;
  AAX_CLockGuard guard(&mLock);
  AAX_IPacketHandler* copy = handler.Clone();
  if (!copy)
    return kAcfUnexpected;
  AAX_CPacket*& packet = mPackets[fieldIndex];
  if (!packet)
    packet = new (std::nothrow) AAX_CPacket(fieldIndex, dataSize);
  if (!packet)
  {
    mPackets.erase(fieldIndex);
    delete copy;
    return kAcfUnexpected;
  }
  mHandlers.insert(std::make_pair(std::string(id), HandlerEntry(packet, copy)));
  return kAaxSuccess;
}

AaxResult AAX_CPacketQueue::SetDirty(AaxParamID id, bool dirty)
{
  if (!id)
    return kAaxSuccess;
  AAX_CLockGuard guard(&mLock);
  auto range = mHandlers.equal_range(id);
  for (auto it = range.first; it != range.second; ++it)
    it->second.first->SetDirty(dirty);
  return kAaxSuccess;
}

AaxResult AAX_CPacketQueue::Dispatch()
{
  AAX_CLockGuard guard(&mLock);
  AaxResult result = kAaxSuccess;
  for (auto& entry : mHandlers)
  {
    AAX_CPacket* packet = entry.second.first;
    if (!packet->IsDirty())
      continue;
    if (entry.second.second->Call(entry.first.c_str(), *packet) == kAaxSuccess)
    {
      // Before Init there is nowhere to post.
      result = mController ? mController->PostPacket(int32_t(packet->FieldIndex()), packet->Data(),
                                                     int32_t(packet->DataSize()))
                           : kAaxErrMissingInterface;
    }
    packet->SetDirty(false);
  }
  return result;
}
