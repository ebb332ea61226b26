#pragma once
// Glyph kernels: blend a rectangle of glyph mask bytes into 32-bit pixels with
// a text colour (and, for effect masks, an effect colour) at weight W.
//
// One kernel per mask kind and combine operation (BlitMode low byte 0-5), so
// the pixel loops hold no branch on either. Pixels whose mask byte is 0 are
// left alone. The colour channel of the alpha byte is always 255.
//   antialiased: mask = coverage; pixel weight c + 1 at W = 256, else
//                min(W * c / 256, 256)
//   no-antialias: any non-zero byte is a glyph pixel, weight W (1-256)
//   effect: 255 is a glyph pixel (text colour), other non-zero bytes effect
//           pixels (effect colour), weight W (1-256)
// W must be positive; callers draw nothing for other weights.

#include <cstddef>

#include "drawing/LICE_Types.h"

typedef void (*LICE_GlyphKernel)(const unsigned char* mask, LICE_Pixel* dest, int maskStride, ptrdiff_t destStride,
                                 int width, int height, int r, int g, int b, int weight);
typedef void (*LICE_GlyphEffectKernel)(const unsigned char* mask, LICE_Pixel* dest, int maskStride,
                                       ptrdiff_t destStride, int width, int height, int r, int g, int b, int weight,
                                       int er, int eg, int eb);

// Indexed by the combine operation 0-5.
extern const LICE_GlyphKernel LICE_GlyphKernelsAntialiased[6];
extern const LICE_GlyphKernel LICE_GlyphKernelsNoAntialias[6];
extern const LICE_GlyphEffectKernel LICE_GlyphKernelsEffect[6];
