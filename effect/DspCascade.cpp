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

// The feedback pair of a stage: c1 = sum, c2 = -product of its two poles.
struct PoleHalf
{
  static int Count(const Layout& l) { return l.GetNumPoles(); }
  static const Complex& Root(const Layout& l, int i) { return l.GetPole(i); }
  static void SetPair(Stage& s, double sum, double product)
  {
    s.mC1 = sum;
    s.mC2 = -product;
  }
  static void SetSingle(Stage& s, double r)
  {
    s.mC1 = r;
    s.mC2 = 0.0;
  }
  static void Clear(Stage& s)
  {
    s.mC1 = 0.0;
    s.mC2 = 0.0;
  }
};

// The feed-forward triple of a stage, highest power first: (product, -sum, 1)
// for two zeros, (-r, 1, 0) for a single real zero r.
struct ZeroHalf
{
  static int Count(const Layout& l) { return l.GetNumZeros(); }
  static const Complex& Root(const Layout& l, int i) { return l.GetZero(i); }
  static void SetPair(Stage& s, double sum, double product)
  {
    s.mB0 = product;
    s.mB1 = -sum;
    s.mB2 = 1.0;
  }
  static void SetSingle(Stage& s, double r)
  {
    s.mB0 = -r;
    s.mB1 = 1.0;
    s.mB2 = 0.0;
  }
  static void Clear(Stage& s)
  {
    s.mB0 = 1.0;
    s.mB1 = 0.0;
    s.mB2 = 0.0;
  }
};

// Poles or zeros in list order. A conjugate pair fills the next stage from
// the end; its partner with negative imaginary part is skipped. Real roots
// wait in stage 0 until a second one arrives, then the pair moves out like a
// conjugate pair.
template <class Half>
void PlaceRoots(const Layout& layout, Stage* stages, int numStages)
{
  const int count = Half::Count(layout);
  int next = numStages - 1;
  bool pending = false;
  double first = 0.0;
  for (int i = 0; i < count; ++i)
  {
    const Complex& c = Half::Root(layout, i);
    const double x = c.real();
    const double y = c.imag();
    if (y < 0.0)
      continue;
    if (y > 0.0)
    {
      if (next < 0)
        break;
      Half::SetPair(stages[next--], 2.0 * x, x * x + y * y);
    }
    else if (!pending)
    {
      Half::SetSingle(stages[0], x);
      first = x;
      pending = true;
    }
    else
    {
      if (next < 0)
        break;
      Half::Clear(stages[0]);
      Half::SetPair(stages[next--], first + x, first * x);
      pending = false;
    }
  }
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

bool Cascade::MemoryIsFinite() const
{
  const int n = mMaxStages * mNumChannels;
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(mMemory[i].mW1) || !std::isfinite(mMemory[i].mW2))
      return false;
  return true;
}

void Cascade::ClearMemory()
{
  const int n = mMaxStages * mNumChannels;
  for (int i = 0; i < n; ++i)
    mMemory[i] = StageMemory{0.0, 0.0};
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

  PlaceRoots<PoleHalf>(layout, mStages, numStages);
  PlaceRoots<ZeroHalf>(layout, mStages, numStages);

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
