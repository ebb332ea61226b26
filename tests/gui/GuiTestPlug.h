#pragma once
// A plug-in on IPlugBase standing in for an adapter: it records the host
// notices and edits the editor sends, with the API kind a test chooses.

#include <string>
#include <vector>

#include "framework/IPlugBase.h"
#include "tests/support/IGraphicsHeadless.h"
#include "tests/support/LockProbe.h"

class GuiTestPlug : public IPlugBase
{
public:
  explicit GuiTestPlug(ApiKind api = kApiVST3, int nParams = 4)
    : IPlugBase(nParams, "1-1 2-2", 1, "GuiTest", "", "Zentik", 0x00010101, 0x51583430, 0x5A6E746B, 0, false,
                false, false, api)
  {
  }

  // True when another thread cannot take the plug-in lock right now.
  bool LockHeldElsewhere() { return ::LockHeldElsewhere(mMutex); }

  // 0 "Bypass" (bool), 1 "Amount" (0-100, step 0.1), 2 "Tone" (0-1), 3 "Level" (-12-12, step 1).
  void InitTestParams()
  {
    GetParam(0)->InitBool("Bypass", false);
    GetParam(1)->InitDouble("Amount", 50.0, 0.0, 100.0, 0.1, "%");
    GetParam(2)->InitDouble("Tone", 0.0, 0.0, 1.0, 0.01);
    GetParam(3)->InitDouble("Level", 0.0, -12.0, 12.0, 1.0);
  }

  // "begin 2", "inform 2", "end 2", "menu 2", in call order.
  std::vector<std::string> mEvents;
  std::vector<double> mInformedValues;
  std::vector<std::pair<int, int>> mResized;

  void BeginInformHostOfParamChange(int idx) override { mEvents.push_back("begin " + std::to_string(idx)); }
  void InformHostOfParamChange(int idx, double value) override
  {
    mEvents.push_back("inform " + std::to_string(idx));
    mInformedValues.push_back(value);
  }
  void EndInformHostOfParamChange(int idx) override { mEvents.push_back("end " + std::to_string(idx)); }
  bool PopupHostParamMenu(int idx, int, int) override
  {
    mEvents.push_back("menu " + std::to_string(idx));
    return true;
  }
  void InformHostOfDisplayChange() override {}
  int GetSamplePosition() override { return 0; }
  double GetTempo() override { return 120.0; }
  void GetTimeSignature(int& n, int& d) override { n = d = 4; }
  void GetTransportInfo(TransportInfo&) override {}
  void ResizeGui(int w, int h) override { mResized.push_back({w, h}); }
  bool SendMidiOut(const MidiMessage&) override { return false; }
};

// A control that counts its draws and remembers the frame it last showed.
class CountingControl : public IControl
{
public:
  CountingControl(IPlugBase* plug, const IRectangle& r, int paramIdx = -1) : IControl(plug, r, paramIdx) {}
  bool Draw(IGraphics*) override
  {
    ++mDraws;
    return true;
  }
  bool OnKeyDown(int, int, int key) override
  {
    mKeys.push_back(key);
    return true;
  }
  void OnMouseUp(int, int, const IMouseState&) override { ++mUps; }
  int mDraws = 0;
  int mUps = 0;
  std::vector<int> mKeys;
};
