#pragma once

#include "aax-support/AAX_IEffectGUI.h"
#include "aax-support/CACFUnknown.h"

class AAX_VController;
class AAX_VTransport;
class AAX_VViewContainer;

// Host-facing GUI object of one effect instance. It keeps the host connections
// and turns the host's calls into three hooks: CreateViewContents once the
// connections exist, CreateViewContainer when the host hands over the window
// area, DeleteViewContainer when it takes it back (or the object goes away
// while a container is still held).
class AAX_CEffectGUI : public AAX_IEffectGUI, public CACFUnknown
{
public:
  AAX_CEffectGUI();
  ~AAX_CEffectGUI() override;

  ACF_UNKNOWN_DELEGATE
  AaxResult InternalQueryInterface(AcfRefIID iid, void** out) override;

  AaxResult ACF_CALL InitializeGUI(IACFUnknown* hostUnknown) override;
  AaxResult ACF_CALL UninitializeGUI() override;
  AaxResult ACF_CALL Slot5(AaxWord, AaxWord, AaxWord) override;
  AaxResult ACF_CALL SetViewContainer(IACFUnknown* container) override;
  AaxResult ACF_CALL GetViewSize(AaxViewSize* size) const override;
  AaxResult ACF_CALL Slot8(AaxWord) override;
  AaxResult ACF_CALL Slot9() override;
  AaxResult ACF_CALL ParameterUpdated(AaxParamID id) override;
  AaxResult ACF_CALL Slot11(AaxWord, AaxWord) override;
  AaxResult ACF_CALL Slot12(AaxWord, AaxWord, AaxWord) override;

  AAX_IACFEffectParameters* GetEffectParameters() const { return mEffectParameters; }
  AAX_VViewContainer* GetViewContainer() const { return mViewContainer; }
  void* GetViewContainerNativeParent() const;
  AAX_VController* GetController() const { return mController; }
  AAX_VTransport* GetTransport() const { return mTransport; }

protected:
  virtual void CreateViewContents() = 0;
  virtual void CreateViewContainer() = 0;
  virtual void DeleteViewContainer() = 0;
  virtual void UpdateAllParameters();

  // The last reference is going while the object is still whole: a window still
  // open in a host container is closed here, where the derived hook can run.
  void FinalRelease() override;

private:
  void DropViewContainer();
  void DropHostConnections();

  AAX_VController* mController;
  AAX_IACFEffectParameters* mEffectParameters;
  AAX_VViewContainer* mViewContainer;
  AAX_VTransport* mTransport;
};
