#include "effect/qx4.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>

namespace
{

// Coefficient of a one-pole section at F Hz for the rate R; the ratio is
// taken in single precision.
double PoleCoefficient(float frequency, int64_t rate)
{
  const float q = frequency / static_cast<float>(rate);
  return std::pow(2.718281828459045, static_cast<double>(q) * -6.283185307179586);
}

void SetHighPass(qx4::OnePole& section, double k)
{
  section.mB1 = k;
  section.mA1 = -(k + 1.0) * 0.5;
  section.mA0 = (k + 1.0) * 0.5;
}

} // namespace

qx4::qx4()
  : mInputHighPass()
  , mToneHighPass()
  , mToneLowPass()
  , mDriveGain(0.0)
  , mDriveCutoff(20000.0)
  , mTone(0.5)
  , mLevel(1.0)
  , mAmount(1.0)
  , mBypass(false)
  , mHiss(true)
  , mSaturation(true)
  , mUltra(false)
{
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  Dsp::SetBiquadLowPass(mDriveLowPass.GetStage(0), 20000.0 / 44100.0, 0.707);
  UpdateCoefficients();
}

double qx4::Saturate(double x)
{
  double y = x / ((0.37011709966 * x) * x + 1.1605589854) + 0.1071000671 * x;
  if (y > 1.0)
    y = 1.0;
  else if (y < -1.0)
    y = -1.0;
  return y;
}

double qx4::Clip(double x, bool saturation, bool ultra)
{
  if (saturation)
  {
    if (x > 0.0)
    {
      if (ultra)
        return (1.0 - std::exp(-x)) + 0.2 * x;
      return 1.0 - std::exp(-x);
    }
    return -(1.0 - std::exp(-std::fabs(x)));
  }
  const double upper = ultra ? 1.7 : 0.7;
  if (x > upper)
    return upper;
  if (x < -0.7)
    return -0.7;
  return x;
}

void qx4::ProcessSamples(double* buffer, int count)
{
  for (int i = 0; i < count; ++i)
  {
    double x = buffer[i];
    if (!mBypass)
    {
      x = mInputHighPass.Process(x);
      x = x * 63.0;
      if (mSaturation)
        x = Saturate(x);
      x = mDriveGain * x;
      if (mSaturation)
        x = Saturate(x);
      x = mDriveLowPass.ProcessSample(x);
      x = Clip(x, mSaturation, mUltra);
      const double l = mToneLowPass.Process(x);
      const double h = mToneHighPass.Process(x);
      x = (1.0 - mTone) * l + mTone * h;
      x = x * mLevel;
      x = (mAmount * 0.1 + 1.0) * x;
    }
    if (mSaturation)
      x = Saturate(x);
    if (mHiss)
    {
      // Runtimes differ in RAND_MAX; the noise is drawn from 0..32767.
      const int r = std::rand() % 32768;
      const float u = static_cast<float>(r) / 16383.5f;
      const float v = static_cast<float>(static_cast<double>(u) - 1.0);
      x = static_cast<double>(v) * 1e-5 + x;
    }
    buffer[i] = x;
  }
}

bool qx4::MemoryIsFinite() const
{
  return mInputHighPass.MemoryIsFinite() && mToneHighPass.MemoryIsFinite() &&
         mToneLowPass.MemoryIsFinite() && mDriveLowPass.MemoryIsFinite() && FilterMemoryIsFinite();
}

void qx4::ClearMemory()
{
  for (OnePole* section : {&mInputHighPass, &mToneHighPass, &mToneLowPass})
    section->mX1 = section->mY1 = 0.0;
  mDriveLowPass.ClearMemory();
  ClearFilterMemory();
}

void qx4::UpdateCoefficients()
{
  const int64_t rate = static_cast<int64_t>(mSampleRate) * mOversampling;
  SetHighPass(mInputHighPass, PoleCoefficient(mUltra ? 300.0f : 600.0f, rate));
  SetHighPass(mToneHighPass, PoleCoefficient(mUltra ? 1539.0f : 3288.0f, rate));
  const double k = PoleCoefficient(234.0f, rate);
  mToneLowPass.mA0 = 1.0 - k;
  mToneLowPass.mA1 = 0.0;
  mToneLowPass.mB1 = k;
}

void qx4::SetDrive(double x)
{
  mAmount = x;
  if (mUltra)
  {
    mDriveGain = 1.0 + 100.0 * x;
    mDriveCutoff = 20000.0 - 12766.0 * x;
  }
  else
  {
    mDriveGain = 1.0 + 12.58 * x;
    mDriveCutoff = 20000.0 - 4100.0 * x;
  }
  Dsp::SetBiquadLowPass(mDriveLowPass.GetStage(0), mDriveCutoff / (static_cast<double>(mSampleRate) * mOversampling),
                        0.707);
}
