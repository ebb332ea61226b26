#pragma once

#include <string>
#include <vector>

#include "aax-support/AAX_CEffectGUI.h"

// A GUI object that records the base's hooks in order.
class TestGUI : public AAX_CEffectGUI
{
public:
  explicit TestGUI(std::vector<std::string>* calls) : mCalls(calls) {}

  AaxResult ACF_CALL ParameterUpdated(AaxParamID id) override
  {
    mCalls->push_back(std::string("ParameterUpdated(") + id + ")");
    return kAaxSuccess;
  }

protected:
  void CreateViewContents() override { mCalls->push_back("CreateViewContents"); }
  void CreateViewContainer() override
  {
    mCalls->push_back(GetViewContainerNativeParent() ? "CreateViewContainer" : "CreateViewContainer(no parent)");
  }
  void DeleteViewContainer() override
  {
    mCalls->push_back(GetViewContainer() ? "DeleteViewContainer(container still held)" : "DeleteViewContainer");
  }

  std::vector<std::string>* mCalls;
};
