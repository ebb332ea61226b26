#include "effect/DspCascade.h"

#include <cmath>

#include "effect/DspChebyII.h"

namespace Dsp
{

namespace
{

constexpr double kPi = 3.14159265358979323846;

using Complex = std::complex<double>;

// Complex products and quotients written out, so that every build rounds
// them the same way.
Complex Mul(const Complex& a, const Complex& b)
{
  return Complex(a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real());
}

Complex Div(const Complex& a, const Complex& b)
{
  const double d = b.real() * b.real() + b.imag() * b.imag();
  return Complex((a.real() * b.real() + a.imag() * b.imag()) / d, (a.imag() * b.real() - a.real() * b.imag()) / d);
}

} // namespace

Cascade::Cascade(Stage* stages, int maxStages, StageMemory* memory, int numChannels)
  : mNumStages(maxStages)
  , mMaxStages(maxStages)
  , mStages(stages)
  , mNumChannels(numChannels)
  , mMemory(memory)
{
}

void Cascade::ResetState()
{
  for (int i = 0; i < mNumStages; ++i)
    mStages[i].SetIdentity();
}

void Cascade::ApplyLayout(const Layout& layout)
{
  const int numPoles = layout.GetNumPoles();
  const int numZeros = layout.GetNumZeros();
  int numStages = (numPoles + 1) / 2;
  if ((numZeros + 1) / 2 > numStages)
    numStages = (numZeros + 1) / 2;
  if (numStages > mMaxStages)
    numStages = mMaxStages;
  mNumStages = numStages;
  ResetState();
  if (numStages < 1)
    return;

  // A conjugate pair fills the next stage from the end; its partner with
  // negative imaginary part is skipped. Real poles wait in stage 0 until a
  // second one arrives, then the pair moves out like a conjugate pair.
  {
    int next = numStages - 1;
    bool pending = false;
    for (int i = 0; i < numPoles; ++i)
    {
      const Complex& p = layout.GetPole(i);
      const double x = p.real();
      const double y = p.imag();
      if (y < 0.0)
        continue;
      if (y > 0.0)
      {
        if (next < 0)
          break;
        Stage& s = mStages[next--];
        s.mC1 = 2.0 * x;
        s.mC2 = -(x * x + y * y);
      }
      else if (!pending)
      {
        mStages[0].mC1 = x;
        mStages[0].mC2 = 0.0;
        pending = true;
      }
      else
      {
        if (next < 0)
          break;
        const double first = mStages[0].mC1;
        mStages[0].mC1 = 0.0;
        mStages[0].mC2 = 0.0;
        Stage& s = mStages[next--];
        s.mC1 = first + x;
        s.mC2 = -(first * x);
        pending = false;
      }
    }
  }

  // Zeros the same way, in the feed-forward triples; a single real zero r
  // waits in stage 0 as (-r, 1, 0).
  {
    int next = numStages - 1;
    bool pending = false;
    for (int i = 0; i < numZeros; ++i)
    {
      const Complex& z = layout.GetZero(i);
      const double x = z.real();
      const double y = z.imag();
      if (y < 0.0)
        continue;
      if (y > 0.0)
      {
        if (next < 0)
          break;
        Stage& s = mStages[next--];
        s.mB0 = x * x + y * y;
        s.mB1 = -2.0 * x;
        s.mB2 = 1.0;
      }
      else if (!pending)
      {
        mStages[0].mB0 = -x;
        mStages[0].mB1 = 1.0;
        mStages[0].mB2 = 0.0;
        pending = true;
      }
      else
      {
        if (next < 0)
          break;
        const double first = -mStages[0].mB0;
        mStages[0].mB0 = 1.0;
        mStages[0].mB1 = 0.0;
        mStages[0].mB2 = 0.0;
        Stage& s = mStages[next--];
        s.mB0 = first * x;
        s.mB1 = -(first + x);
        s.mB2 = 1.0;
        pending = false;
      }
    }
  }

  const Complex h = ResponseAt(layout.GetNormalW());
  const double scale = layout.GetNormalGain() / std::sqrt(h.real() * h.real() + h.imag() * h.imag());
  mStages[0].mB0 *= scale;
  mStages[0].mB1 *= scale;
  mStages[0].mB2 *= scale;
}

Complex Cascade::ResponseAt(double w) const
{
  const Complex z1(std::cos(-w), std::sin(-w));
  const Complex z2(std::cos(-2.0 * w), std::sin(-2.0 * w));
  Complex num(1.0, 0.0);
  Complex den(1.0, 0.0);
  for (int i = 0; i < mNumStages; ++i)
  {
    const Stage& s = mStages[i];
    const Complex b((s.mB0 + s.mB1 * z1.real()) + s.mB2 * z2.real(), s.mB1 * z1.imag() + s.mB2 * z2.imag());
    const Complex a((1.0 - s.mC1 * z1.real()) - s.mC2 * z2.real(), -(s.mC1 * z1.imag()) - s.mC2 * z2.imag());
    num = Mul(num, b);
    den = Mul(den, a);
  }
  return Div(num, den);
}

void Cascade::ProcessBlock(int numFrames, double* buffer, int step)
{
  for (int f = 0; f < numFrames; ++f)
  {
    for (int ch = 0; ch < mNumChannels; ++ch)
    {
      StageMemory* memory = mMemory + ch * mMaxStages;
      double x = *buffer;
      for (int i = 0; i < mNumStages; ++i)
        x = memory[i].Process(mStages[i], x);
      *buffer++ = x;
    }
    buffer += step;
  }
}

void SetBiquadLowPass(Stage& stage, double f, double q)
{
  const double w = 2.0 * kPi * f;
  const double cs = std::cos(w);
  const double sn = std::sin(w);
  const double alpha = sn / (2.0 * q);
  const double g = 1.0 / (1.0 + alpha);
  stage.mC1 = 2.0 * cs * g;
  stage.mC2 = (alpha - 1.0) * g;
  stage.mB1 = (1.0 - cs) * g;
  stage.mB0 = stage.mB1 * 0.5;
  stage.mB2 = stage.mB0;
}

} // namespace Dsp
