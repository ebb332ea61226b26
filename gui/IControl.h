#pragma once
// Editor controls. A control owns a rectangle, optionally a binding to one
// plug-in parameter (plus aux bindings), a normalised value, a text style and
// a blend mode; it draws itself on request and reacts to the mouse events the
// graphics context routes to it.
//
// Threads: controls live on the editor's thread, except that the framework
// pushes values (SetValueFromPlug, SetAuxParamValueFromPlug, and the effect's
// Hide) from whichever thread changes a parameter. Those only record the value
// and the dirty flags, which the next redraw reads; no control takes a lock, so
// what both threads touch (value, default, hidden, blend weight, dirty and
// redraw-pending) is atomic, and the redraw's clean-up cannot swallow a change
// that lands while it runs.

#include <atomic>

#include "framework/HeapBuffer.h"
#include "framework/TextBuffer.h"
#include "gui/IGuiTypes.h"

class IGraphics;
class IParamRecord;
class IPlugBase;
class ITextControl;

class IControl
{
public:
  // rect is where the control draws and is hit; paramIdx -1 leaves it unbound.
  IControl(IPlugBase* plug, const IRectangle& rect, int paramIdx = -1, const IBlendMode& blend = IBlendMode());

  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // ---- Virtual operations, in slot order -------------------------------

  virtual ~IControl();

  // Right button: prompt for a value; otherwise nothing.
  virtual void OnMouseDown(int x, int y, const IMouseState& mouse);
  virtual void OnMouseUp(int /*x*/, int /*y*/, const IMouseState& /*mouse*/) {}
  virtual void OnMouseDrag(int /*x*/, int /*y*/, int /*dx*/, int /*dy*/, const IMouseState& /*mouse*/) {}
  // Back to the default value, when there is one.
  virtual void OnMouseDblClick(int x, int y, const IMouseState& mouse);
  virtual void OnMouseWheel(int /*x*/, int /*y*/, const IMouseState& /*mouse*/, int /*notches*/) {}
  // True when the key was handled.
  virtual bool OnKeyDown(int /*x*/, int /*y*/, int /*key*/) { return false; }
  virtual void OnMouseOver(int /*x*/, int /*y*/, const IMouseState& /*mouse*/) {}
  virtual void OnMouseOut() {}

  virtual bool Draw(IGraphics* graphics) = 0;

  // The first value pushed becomes the default and changes nothing else.
  virtual void SetValueFromPlug(double value);
  virtual void SetTextFromUserInput(const char* /*text*/) {}
  virtual void Hide(bool hide);
  virtual void SetGreyedOut(bool greyed);
  virtual bool IsHit(int x, int y);
  // Clamps the value and marks the control dirty; with push, a bound control
  // hands its value to the plug-in and updates its value and name displays.
  // A NaN value is never pushed: the control falls back to its last good value.
  virtual void SetDirty(bool push = true);
  // Dirty stays raised for one more draw when a redraw was pending.
  virtual void SetClean();
  virtual bool IsDirty() { return (mDirtyBits.load(std::memory_order_acquire) & kDirtyBit) != 0; }
  virtual void ReservedHook() {}
  virtual void SetAuxParamValueFromPlug(int auxIdx, double value);
  virtual void MoveTo(int x, int y);

  // ---- Non-virtual operations ---------------------------------------------

  // A value typed or picked by the user (normalised).
  void SetValueFromUserInput(double value);
  // Opens a popup menu or text entry for the bound parameter.
  void PromptUserInput();

  // Index of the first aux binding to paramIdx, -1 when there is none.
  // Inline: the framework calls it without linking the toolkit.
  int FindAuxParam(int paramIdx)
  {
    const AuxParam* aux = mAuxParams.Get();
    for (int i = 0, n = mAuxParams.GetSize(); i < n; ++i)
      if (aux[i].mParamIdx == paramIdx) return i;
    return -1;
  }
  // Adds an aux binding to paramIdx (value 0); returns its aux index, -1 when
  // the list could not grow.
  int AddAuxParam(int paramIdx);
  int NAuxParams() const { return mAuxParams.GetSize(); }
  // 0.0 for an index out of range.
  double GetAuxParamValue(int auxIdx) const;

  int ParamIdx() const { return mParamIdx; }
  IPlugBase* GetPlug() const { return mPlug; }
  const IRectangle& GetRECT() const { return mRECT; }
  const IRectangle& GetTargetRECT() const { return mTargetRECT; }
  void SetTargetArea(const IRectangle& rect) { mTargetRECT = rect; }

  double GetValue() const { return mValue.load(std::memory_order_relaxed); }
  // Sets the value without marking anything.
  void SetValue(double value) { mValue.store(value, std::memory_order_relaxed); }
  double GetDefaultValue() const { return mDefaultValue.load(std::memory_order_relaxed); }
  void SetDefaultValue(double value) { mDefaultValue.store(value, std::memory_order_relaxed); }
  void Clamp(double low, double high) { mClampLow = low; mClampHigh = high; }

  bool IsHidden() const { return mHide.load(std::memory_order_acquire); }
  bool IsGreyed() const { return mGreyed; }
  bool GetRedrawPending() const { return (mDirtyBits.load(std::memory_order_acquire) & kRedrawBit) != 0; }
  bool GetDblAsSingleClick() const { return mDblAsSingleClick; }
  void SetDblAsSingleClick(bool on) { mDblAsSingleClick = on; }
  bool GetMOWhenGreyed() const { return mMOWhenGreyed; }
  void SetMOWhenGreyed(bool on) { mMOWhenGreyed = on; }
  void DisablePrompt(bool disable) { mDisablePrompt = disable; }
  bool IsPromptDisabled() const { return mDisablePrompt; }

  IBlendMode GetBlend() const { return IBlendMode(mBlendMethod, mBlendWeight.load(std::memory_order_relaxed)); }
  ITextStyle& GetTextStyle() { return mText; }
  void SetTextStyle(const ITextStyle& style) { mText = style; }
  int GetTextEntryLength() const { return mTextEntryLength; }
  void SetTextEntryLength(int length) { mTextEntryLength = length; }

  // Displays (not owned) that follow every pushed change.
  void SetValueDisplayControl(ITextControl* display) { mValueDisplayControl = display; }
  void SetNameDisplayControl(ITextControl* display) { mNameDisplayControl = display; }
  // Tooltip text (not owned).
  void SetTooltip(const char* tooltip) { mTooltip = tooltip; }
  const char* GetTooltip() const { return mTooltip; }

protected:
  // Raises redraw pending (the control is drawn in two cycles).
  void SetRedrawPending() { mDirtyBits.fetch_or(kRedrawBit, std::memory_order_release); }

  struct AuxParam
  {
    double mValue;
    int mParamIdx;
  };
  // Aux bindings stored one after another in a HeapBuffer; sizes count entries.
  class AuxParamList
  {
  public:
    int GetSize() const { return mBuffer.GetSize() / int(sizeof(AuxParam)); }
    AuxParam* Get() const { return static_cast<AuxParam*>(mBuffer.Get()); }
    // False when the list could not grow.
    bool Add(const AuxParam& aux);
    void Free() { mBuffer.Free(); }

  private:
    HeapBuffer mBuffer{HeapBuffer::kDefaultGranularity};
  };

  int mTextEntryLength = 7;
  ITextStyle mText;
  IPlugBase* mPlug;
  IRectangle mRECT;
  IRectangle mTargetRECT;
  int mParamIdx;
  AuxParamList mAuxParams;
  std::atomic<double> mValue{0.0};
  std::atomic<double> mDefaultValue{-1.0};   // negative: no default yet
  double mClampLow = 0.0;
  double mClampHigh = 1.0;
  // Dirty and redraw pending in one word, so the redraw's clean-up moves
  // redraw pending into dirty in one step.
  enum { kDirtyBit = 1, kRedrawBit = 2 };
  std::atomic<int> mDirtyBits{kDirtyBit};
  std::atomic<bool> mHide{false};
  bool mGreyed = false;
  bool mDisablePrompt = true;
  bool mDblAsSingleClick = false;
  bool mMOWhenGreyed = false;
  int mBlendMethod;
  std::atomic<float> mBlendWeight;
  ITextControl* mValueDisplayControl = nullptr;
  ITextControl* mNameDisplayControl = nullptr;
  const char* mTooltip = nullptr;

private:
  // SetDirty's work, raising bits (dirty, and redraw pending with it) in one step.
  void RaiseDirtyBits(bool push, int bits);

  // The last value that was not NaN, which SetDirty falls back to.
  std::atomic<double> mLastGoodValue{0.0};

  // The threads share these without a lock.
  static_assert(std::atomic<double>::is_always_lock_free && std::atomic<float>::is_always_lock_free &&
                    std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
                "control state written by the audio thread must be lock-free");
};

// One frame of an image strip, chosen by the value.
class IBitmapControl : public IControl
{
public:
  // Placed at (x, y) with one frame's size: {x, y, x + width, y + height / frames}.
  IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx, const IBitmapStrip& bitmap,
                 const IBlendMode& blend = IBlendMode());
  // Unbound, at (x, y).
  IBitmapControl(IPlugBase* plug, int x, int y, const IBitmapStrip& bitmap, const IBlendMode& blend = IBlendMode())
    : IBitmapControl(plug, x, y, -1, bitmap, blend)
  {
  }
  // An explicit rectangle (the background).
  IBitmapControl(IPlugBase* plug, const IRectangle& rect, int paramIdx, const IBitmapStrip& bitmap,
                 const IBlendMode& blend = IBlendMode());

  bool Draw(IGraphics* graphics) override;

  const IBitmapStrip& GetBitmap() const { return mBitmap; }

protected:
  IBitmapStrip mBitmap;
};

// Steps through its frames on each click, wrapping after the last.
class ISwitchControl : public IBitmapControl
{
public:
  ISwitchControl(IPlugBase* plug, int x, int y, int paramIdx, const IBitmapStrip& bitmap,
                 const IBlendMode& blend = IBlendMode())
    : IBitmapControl(plug, x, y, paramIdx, bitmap, blend)
  {
  }

  void OnMouseDown(int x, int y, const IMouseState& mouse) override;
  void OnMouseDblClick(int x, int y, const IMouseState& mouse) override;
};

// A click area that toggles its parameter between 0 and 1 and draws nothing.
class IInvisibleSwitchControl : public IControl
{
public:
  IInvisibleSwitchControl(IPlugBase* plug, const IRectangle& rect, int paramIdx);

  void OnMouseDown(int x, int y, const IMouseState& mouse) override;
  bool Draw(IGraphics*) override { return true; }
};

// Drag and wheel behaviour of knobs; only ever a base.
class IKnobControl : public IControl
{
public:
  enum EDirection { kVertical = 0, kHorizontal = 1 };

  // A full rect of travel changes the value by 1 / gearing.
  IKnobControl(IPlugBase* plug, const IRectangle& rect, int paramIdx, int direction = kVertical,
               double gearing = 4.0, const IBlendMode& blend = IBlendMode());

  void OnMouseDrag(int x, int y, int dx, int dy, const IMouseState& mouse) override;
  void OnMouseWheel(int x, int y, const IMouseState& mouse, int notches) override;

  int GetDirection() const { return mDirection; }
  double GetGearing() const { return mGearing; }

protected:
  int mDirection;   // 0 vertical, anything else horizontal
  double mGearing;
};

// A knob drawn as one frame of an image strip.
class IKnobMultiControl : public IKnobControl
{
public:
  IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx, const IBitmapStrip& bitmap,
                    int direction = kVertical, double gearing = 4.0, const IBlendMode& blend = IBlendMode());

  bool Draw(IGraphics* graphics) override;

  const IBitmapStrip& GetBitmap() const { return mBitmap; }

protected:
  IBitmapStrip mBitmap;
};

// A line of text in a style.
class ITextControl : public IControl
{
public:
  ITextControl(IPlugBase* plug, const IRectangle& rect, const ITextStyle& style, const char* text = nullptr);
  ~ITextControl() override;

  bool Draw(IGraphics* graphics) override;

  // Marks the control dirty only when the text changes.
  void SetText(const char* text);
  const char* GetText() const { return mStr.Get(); }

protected:
  TextBuffer mStr;
};

// The frame (1..frames) an image strip shows for a value; NaN shows frame 1.
int IControlFrameForValue(int frames, double value);
