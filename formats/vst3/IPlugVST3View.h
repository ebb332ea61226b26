#pragma once

// The editor view a VST3 host embeds: a thin binding of the plug-in's
// graphics context to the host's parent window and plug frame. The view
// holds a counted reference to its plug-in, so the plug-in outlives it.

#include "public.sdk/source/common/pluginview.h"

class IPlugVST3;

class IPlugVST3View : public Steinberg::CPluginView
{
public:
  typedef Steinberg::tresult tresult;
  typedef Steinberg::FIDString FIDString;
  typedef Steinberg::ViewRect ViewRect;

  explicit IPlugVST3View(IPlugVST3* plug);
  ~IPlugVST3View() override;

  tresult PLUGIN_API isPlatformTypeSupported(FIDString type) SMTG_OVERRIDE;
  tresult PLUGIN_API attached(void* parent, FIDString type) SMTG_OVERRIDE;
  tresult PLUGIN_API removed() SMTG_OVERRIDE;
  tresult PLUGIN_API getSize(ViewRect* size) SMTG_OVERRIDE;
  tresult PLUGIN_API onSize(ViewRect* newSize) SMTG_OVERRIDE;

  // Asks the host's frame for a view of width x height; the host answers
  // through onSize. False when the host gave no frame.
  bool RequestResize(int width, int height);

  // Closes the editor window when this view is the one showing it.
  void CloseOwnWindow();

private:
  IPlugVST3* mPlug;
  bool mExpectingNewSize = false;
  // Between a successful attached and removed (or destruction).
  bool mAttached = false;
};
