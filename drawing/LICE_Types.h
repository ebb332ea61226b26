#pragma once
// Basic types of the drawing library: the pixel format, blit modes and the
// platform handle types that the portable headers mention.

#include <cstdint>

// Handle types as the Windows headers declare them (STRICT), so portable code can
// carry them without including windows.h. Native builds never define the structs.
struct HDC__;
typedef struct HDC__* HDC;
struct HINSTANCE__;
typedef struct HINSTANCE__* HINSTANCE;

// 0xAARRGGBB; in memory blue, green, red, alpha.
typedef uint32_t LICE_Pixel;

// Byte indices of the channels inside a pixel in memory.
enum LICE_PixelByte
{
  LICE_PIXEL_B = 0,
  LICE_PIXEL_G = 1,
  LICE_PIXEL_R = 2,
  LICE_PIXEL_A = 3
};

constexpr LICE_Pixel LICE_RGBA(int r, int g, int b, int a)
{
  return ((LICE_Pixel)(a & 0xFF) << 24) | ((LICE_Pixel)(r & 0xFF) << 16) |
         ((LICE_Pixel)(g & 0xFF) << 8) | (LICE_Pixel)(b & 0xFF);
}
constexpr int LICE_GETB(LICE_Pixel p) { return (int)(p & 0xFF); }
constexpr int LICE_GETG(LICE_Pixel p) { return (int)((p >> 8) & 0xFF); }
constexpr int LICE_GETR(LICE_Pixel p) { return (int)((p >> 16) & 0xFF); }
constexpr int LICE_GETA(LICE_Pixel p) { return (int)(p >> 24); }

// Combine mode of blits, fills, glyphs and lines. Only the low byte and
// UseSourceAlpha are looked at.
namespace BlitMode
{
  constexpr int Copy = 0;
  constexpr int Add = 1;
  constexpr int Dodge = 2;
  constexpr int Multiply = 3;
  constexpr int SoftLight = 4;
  constexpr int HsvAdjust = 5;
  // 0xF0 | (destination byte << 2) | source byte
  constexpr int ChannelCopy = 0xF0;
  constexpr int UseSourceAlpha = 0x10000;
  constexpr int Mask = 0x100FF;
}

// Largest pixel store any bitmap will allocate. Sizes are formed in 64 bits and
// anything above this is refused, so a hostile image size cannot wrap into a
// small buffer.
constexpr int64_t LICE_MaxBitmapBytes = (int64_t)256 << 20;
