#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "aax-support/interfaces/AaxHostInterfaces.h"

// A host automation object that records every call as text ("touch 1",
// "set 1 0.5"), reached by the library through AAX_VAutomationDelegate with
// the host calling convention. Lives on the stack: reference counts are kept
// but never delete.
class RecordingAutomationHost : public AAX_IACFAutomationDelegate
{
public:
  std::vector<std::string> mCalls;
  int mRefs = 0;
  AaxResult mResult = kAaxSuccess; // what every call answers

  AaxResult ACF_CALL QueryInterface(AcfRefIID iid, void** out) override
  {
    if (!out)
      return kAcfNoInterface;
    *out = nullptr;
    if (iid != IID_AAX_IACFAutomationDelegate && iid != IID_IACFUnknown)
      return kAcfNoInterface;
    *out = static_cast<AAX_IACFAutomationDelegate*>(this);
    AddRef();
    return kAaxSuccess;
  }
  uint32_t ACF_CALL AddRef() override { return uint32_t(++mRefs); }
  uint32_t ACF_CALL Release() override { return uint32_t(--mRefs); }

  AaxResult ACF_CALL RegisterParameter(AaxParamID id) override { return Record("register", id); }
  AaxResult ACF_CALL UnregisterParameter(AaxParamID id) override { return Record("unregister", id); }
  AaxResult ACF_CALL PostSetValueRequest(AaxParamID id, double v) override { return Record("set", id, &v); }
  AaxResult ACF_CALL PostCurrentValue(AaxParamID id, double v) override { return Record("current", id, &v); }
  AaxResult ACF_CALL PostTouchRequest(AaxParamID id) override { return Record("touch", id); }
  AaxResult ACF_CALL PostReleaseRequest(AaxParamID id) override { return Record("release", id); }
  AaxResult ACF_CALL Slot9(AaxWord, AaxWord) override { return Record("slot9", ""); }

  // The calls since the last Take, emptied.
  std::vector<std::string> Take()
  {
    std::vector<std::string> calls;
    calls.swap(mCalls);
    return calls;
  }

private:
  AaxResult Record(const char* what, AaxParamID id, const double* value = nullptr)
  {
    std::string call = std::string(what) + " " + (id ? id : "(null)");
    if (value)
    {
      char text[40];
      std::snprintf(text, sizeof(text), " %.17g", *value);
      call += text;
    }
    mCalls.push_back(call);
    return mResult;
  }
};
