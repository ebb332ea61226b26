#include "effect/DspChebyII.h"

#include <cmath>

namespace Dsp
{

namespace
{

constexpr double kPi = 3.14159265358979323846;

using Complex = std::complex<double>;

Complex Div(const Complex& a, const Complex& b)
{
  const double d = b.real() * b.real() + b.imag() * b.imag();
  return Complex((a.real() * b.real() + a.imag() * b.imag()) / d, (a.imag() * b.real() - a.real() * b.imag()) / d);
}

// The bilinear map of one analog value; an infinite value lands on z = -1.
Complex Bilinear(double k, const Complex& c)
{
  if (std::isinf(c.real()) || std::isinf(c.imag()))
    return Complex(-1.0, 0.0);
  const Complex kc(k * c.real(), k * c.imag());
  return Div(Complex(1.0 + kc.real(), kc.imag()), Complex(1.0 - kc.real(), -kc.imag()));
}

} // namespace

Layout::Layout(std::complex<double>* poles, std::complex<double>* zeros, int maxCount)
  : mMaxCount(maxCount)
  , mNumPoles(0)
  , mNumZeros(0)
  , mPoles(poles)
  , mZeros(zeros)
  , mNormalW(0.0)
  , mNormalGain(1.0)
{
}

void Layout::SetCount(int count)
{
  if (count < 0)
    count = 0;
  if (count > mMaxCount)
    count = mMaxCount;
  mNumPoles = count;
  mNumZeros = count;
}

void ChebyII::DesignAnalogLowPass(Layout& analog, int n, double attenuation)
{
  if (n > analog.GetMaxCount())
    n = analog.GetMaxCount();
  if (n < 1)
  {
    analog.SetCount(0);
    analog.SetNormal(0.0, 1.0);
    return;
  }
  const double g = 1.0 / std::sqrt(1.0 / (std::exp(attenuation * 0.1 * 2.302585092994046) - 1.0));
  const double nu = std::log(std::sqrt(g * g + 1.0) + g) / n;
  const double sinhNu = std::sinh(nu);
  const double coshNu = std::cosh(nu);
  for (int i = 0; i < n; ++i)
  {
    const double t = (1 - n + 2 * i) * kPi / (2 * n);
    const double a = -(sinhNu * std::cos(t));
    const double b = coshNu * std::sin(t);
    const double d = a * a + b * b;
    analog.SetPole(i, Complex(a / d, b / d));
    analog.SetZero(i, Complex(0.0, 1.0 / std::cos((3 - 2 * n + 4 * i) * kPi / (2 * n))));
  }
  analog.SetCount(n);
  analog.SetNormal(0.0, 1.0);
}

void LowPassTransform(double f, const Layout& analog, Layout& digital)
{
  const double k = std::tan(f * 2.0 * kPi * 0.5);
  int count = analog.GetNumPoles();
  if (count > digital.GetMaxCount())
    count = digital.GetMaxCount();
  for (int i = 0; i < count; ++i)
  {
    digital.SetPole(i, Bilinear(k, analog.GetPole(i)));
    digital.SetZero(i, Bilinear(k, analog.GetZero(i)));
  }
  digital.SetCount(count);
  digital.SetNormal(analog.GetNormalW(), analog.GetNormalGain());
}

} // namespace Dsp
