#pragma once

class IControl;

// The editor's graphics context as the plug-in framework sees it: an owned
// list of controls, drawing set-up, and value pushes from the plug-in. The
// GUI toolkit implements it; the plug-in owns and deletes the context once
// it is attached (IPlugBase::AttachGraphics).
class IGraphics
{
public:
  virtual ~IGraphics() {}

  // Controls in drawing order; GetControl gives nullptr outside [0, GetNControls()).
  virtual int GetNControls() const = 0;
  virtual IControl* GetControl(int idx) const = 0;

  // Makes the drawing surfaces; called once the context is attached.
  virtual void PrepareDraw() = 0;

  // Pushes a parameter's value into every control bound to it (directly or as
  // an aux binding). `value` is plain unless `normalised` is set.
  virtual void SetParameterFromPlug(int paramIdx, double value, bool normalised) = 0;
};
