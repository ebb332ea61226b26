#include "drawing/LICE_Glyph.h"

#include "drawing/LICE_Combine.h"

namespace
{
  // The colour channel of the alpha byte is always 255.
  template <LICE_CombineFn Combine>
  inline void Apply(LICE_Pixel* p, int r, int g, int b, int w)
  {
    Combine(p, r, g, b, 255, w);
  }

  template <LICE_CombineFn Op>
  void AntialiasedKernel(const unsigned char* mask, LICE_Pixel* dest, int maskStride, ptrdiff_t destStride, int width,
                         int height, int r, int g, int b, int W)
  {
    if (W == 256)
    {
      for (int y = 0; y < height; ++y, mask += maskStride, dest += destStride)
        for (int x = 0; x < width; ++x)
          if (const int c = mask[x])
            Apply<Op>(dest + x, r, g, b, c + 1);
      return;
    }
    // Any weight from 65536 up saturates every non-zero byte at 256; the bound
    // keeps W * c inside 32 bits.
    if (W > 65536)
      W = 65536;
    for (int y = 0; y < height; ++y, mask += maskStride, dest += destStride)
      for (int x = 0; x < width; ++x)
        if (const int c = mask[x])
        {
          const int w = W * c / 256;
          Apply<Op>(dest + x, r, g, b, w > 256 ? 256 : w);
        }
  }

  template <LICE_CombineFn Op>
  void NoAntialiasKernel(const unsigned char* mask, LICE_Pixel* dest, int maskStride, ptrdiff_t destStride, int width,
                         int height, int r, int g, int b, int W)
  {
    for (int y = 0; y < height; ++y, mask += maskStride, dest += destStride)
      for (int x = 0; x < width; ++x)
        if (mask[x])
          Apply<Op>(dest + x, r, g, b, W);
  }

  template <LICE_CombineFn Op>
  void EffectKernel(const unsigned char* mask, LICE_Pixel* dest, int maskStride, ptrdiff_t destStride, int width,
                    int height, int r, int g, int b, int W, int er, int eg, int eb)
  {
    for (int y = 0; y < height; ++y, mask += maskStride, dest += destStride)
      for (int x = 0; x < width; ++x)
      {
        const int c = mask[x];
        if (c == 255)
          Apply<Op>(dest + x, r, g, b, W);
        else if (c)
          Apply<Op>(dest + x, er, eg, eb, W);
      }
  }
}

const LICE_GlyphKernel LICE_GlyphKernelsAntialiased[6] = {
  AntialiasedKernel<LICE_CombineCopy>,     AntialiasedKernel<LICE_CombineAdd>,
  AntialiasedKernel<LICE_CombineDodge>,    AntialiasedKernel<LICE_CombineMultiply>,
  AntialiasedKernel<LICE_CombineSoftLight>, AntialiasedKernel<LICE_CombineHsvAdjust>,
};

const LICE_GlyphKernel LICE_GlyphKernelsNoAntialias[6] = {
  NoAntialiasKernel<LICE_CombineCopy>,     NoAntialiasKernel<LICE_CombineAdd>,
  NoAntialiasKernel<LICE_CombineDodge>,    NoAntialiasKernel<LICE_CombineMultiply>,
  NoAntialiasKernel<LICE_CombineSoftLight>, NoAntialiasKernel<LICE_CombineHsvAdjust>,
};

const LICE_GlyphEffectKernel LICE_GlyphKernelsEffect[6] = {
  EffectKernel<LICE_CombineCopy>,     EffectKernel<LICE_CombineAdd>,       EffectKernel<LICE_CombineDodge>,
  EffectKernel<LICE_CombineMultiply>, EffectKernel<LICE_CombineSoftLight>, EffectKernel<LICE_CombineHsvAdjust>,
};
