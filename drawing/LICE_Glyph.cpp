#include "drawing/LICE_Glyph.h"

#include "drawing/LICE_Combine.h"

namespace
{
  // One pixel combined with colour (r, g, b, 255) at weight w.
  template <int (*Op)(int, int, int)>
  struct ChannelCombine
  {
    static inline void Apply(LICE_Pixel* p, int r, int g, int b, int w) { LICE_CombineWith<Op>(p, r, g, b, 255, w); }
  };

  struct HsvCombine
  {
    static inline void Apply(LICE_Pixel* p, int r, int g, int b, int w) { LICE_CombineHsvAdjust(p, r, g, b, 255, w); }
  };

  typedef ChannelCombine<LICE_ChannelOps::Copy> CopyOp;
  typedef ChannelCombine<LICE_ChannelOps::Add> AddOp;
  typedef ChannelCombine<LICE_ChannelOps::Dodge> DodgeOp;
  typedef ChannelCombine<LICE_ChannelOps::Multiply> MultiplyOp;
  typedef ChannelCombine<LICE_ChannelOps::SoftLight> SoftLightOp;

  template <class Op>
  void AntialiasedKernel(const unsigned char* mask, LICE_Pixel* dest, int maskStride, ptrdiff_t destStride, int width,
                         int height, int r, int g, int b, int W)
  {
    if (W == 256)
    {
      for (int y = 0; y < height; ++y, mask += maskStride, dest += destStride)
        for (int x = 0; x < width; ++x)
          if (const int c = mask[x])
            Op::Apply(dest + x, r, g, b, c + 1);
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
          Op::Apply(dest + x, r, g, b, w > 256 ? 256 : w);
        }
  }

  template <class Op>
  void NoAntialiasKernel(const unsigned char* mask, LICE_Pixel* dest, int maskStride, ptrdiff_t destStride, int width,
                         int height, int r, int g, int b, int W)
  {
    for (int y = 0; y < height; ++y, mask += maskStride, dest += destStride)
      for (int x = 0; x < width; ++x)
        if (mask[x])
          Op::Apply(dest + x, r, g, b, W);
  }

  template <class Op>
  void EffectKernel(const unsigned char* mask, LICE_Pixel* dest, int maskStride, ptrdiff_t destStride, int width,
                    int height, int r, int g, int b, int W, int er, int eg, int eb)
  {
    for (int y = 0; y < height; ++y, mask += maskStride, dest += destStride)
      for (int x = 0; x < width; ++x)
      {
        const int c = mask[x];
        if (c == 255)
          Op::Apply(dest + x, r, g, b, W);
        else if (c)
          Op::Apply(dest + x, er, eg, eb, W);
      }
  }
}

const LICE_GlyphKernel LICE_GlyphKernelsAntialiased[6] = {
  AntialiasedKernel<CopyOp>,     AntialiasedKernel<AddOp>,       AntialiasedKernel<DodgeOp>,
  AntialiasedKernel<MultiplyOp>, AntialiasedKernel<SoftLightOp>, AntialiasedKernel<HsvCombine>,
};

const LICE_GlyphKernel LICE_GlyphKernelsNoAntialias[6] = {
  NoAntialiasKernel<CopyOp>,     NoAntialiasKernel<AddOp>,       NoAntialiasKernel<DodgeOp>,
  NoAntialiasKernel<MultiplyOp>, NoAntialiasKernel<SoftLightOp>, NoAntialiasKernel<HsvCombine>,
};

const LICE_GlyphEffectKernel LICE_GlyphKernelsEffect[6] = {
  EffectKernel<CopyOp>,     EffectKernel<AddOp>,       EffectKernel<DodgeOp>,
  EffectKernel<MultiplyOp>, EffectKernel<SoftLightOp>, EffectKernel<HsvCombine>,
};
