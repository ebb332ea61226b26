#pragma once

// The distortion circuit of one channel, run at the oversampled rate:
// input high-pass, fixed gain, saturation, drive gain, saturation, drive
// low-pass, clipper, tone blend, level and make-up gain; then saturation and
// hiss even while bypassed.

#include <cmath>

#include "effect/AudioProcessor.h"
#include "effect/DspCascade.h"

class qx4 final : public AudioProcessor
{
public:
  // One-pole section: y = (a0 x + a1 x1) + b1 y1.
  struct OnePole
  {
    double mA0;
    double mA1;
    double mB1;
    double mX1;
    double mY1;

    double Process(double x)
    {
      const double y = (mA0 * x + mA1 * mX1) + mB1 * mY1;
      mX1 = x;
      mY1 = y;
      return y;
    }

    bool MemoryIsFinite() const { return std::isfinite(mX1) && std::isfinite(mY1); }
  };

  // Seeds the runtime's shared random generator with the time of day.
  qx4();

  void ProcessSamples(double* buffer, int count) override;
  void UpdateCoefficients() override;

  // x is the normalised drive amount in [0, 1]. Also redesigns the drive
  // low-pass for the current rate x factor.
  void SetDrive(double x);

  // Every filter memory of the engine, its oversampling filters included.
  // Input near the largest double can overflow the chain; a memory that
  // went infinite or NaN would stay so, and one that is merely huge would
  // overflow again, so recovery clears them all.
  bool MemoryIsFinite() const;
  void ClearMemory();

  // The saturation curve, limited to [-1, 1].
  static double Saturate(double x);
  // The clipper after the drive low-pass: a soft exponential knee with
  // saturation, hard limits without.
  static double Clip(double x, bool saturation, bool ultra);

  double GetDriveGain() const { return mDriveGain; }
  double GetDriveCutoff() const { return mDriveCutoff; }
  double GetAmount() const { return mAmount; }
  const OnePole& GetInputHighPass() const { return mInputHighPass; }
  const OnePole& GetToneHighPass() const { return mToneHighPass; }
  const OnePole& GetToneLowPass() const { return mToneLowPass; }
  const Dsp::Stage& GetDriveLowPass() const { return mDriveLowPass.GetStage(0); }

private:
  OnePole mInputHighPass;
  OnePole mToneHighPass;
  OnePole mToneLowPass;
  Dsp::CascadeSpace<1, 1> mDriveLowPass;
  double mDriveGain;
  double mDriveCutoff;

public:
  // Written directly by the plug-in. 0 all tone low-pass, 1 all tone
  // high-pass.
  double mTone;
  double mLevel;

private:
  double mAmount;

public:
  // Written directly by the plug-in. Saturation also selects the soft
  // clipper; ultra changes five constants of the chain.
  bool mBypass;
  bool mHiss;
  bool mSaturation;
  bool mUltra;
};
