#pragma once

// Editor control as the plug-in framework sees it: a control may be bound to
// one parameter and to further (aux) parameters, and receives values pushed
// from the plug-in. Values are normalised to [0, 1]. The GUI toolkit's
// control classes implement these operations; pushing only records the value
// and marks the control for redrawing, so it is safe from the audio thread.
class IControl
{
public:
  virtual ~IControl() {}

  // Index of the bound parameter; -1 when the control is not bound.
  virtual int ParamIdx() const = 0;

  // A value pushed from the plug-in for the bound parameter.
  virtual void SetValueFromPlug(double value) = 0;

  // Index of the first aux binding to `paramIdx`, -1 when there is none.
  virtual int FindAuxParam(int paramIdx) = 0;

  // A value pushed from the plug-in for aux binding `auxIdx`.
  virtual void SetAuxParamValueFromPlug(int auxIdx, double value) = 0;

  // Hides (true) or shows (false) the control; a hidden control is not drawn.
  virtual void Hide(bool hide) = 0;
};
