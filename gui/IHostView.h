#pragma once

struct IMouseState;

// The host's container around the editor window, where the format has one
// (AAX). The graphics context asks it before a click on a parameter's
// control goes to the control, so the host can take the click for its own
// automation and parameter menus.
class IHostView
{
public:
  virtual ~IHostView() {}
  // True when the host took the click on the control of paramIdx.
  virtual bool OfferParamMouseDown(int paramIdx, const IMouseState& mouse) = 0;
  // The editor changed size.
  virtual void SetHostViewSize(int width, int height) = 0;
};
