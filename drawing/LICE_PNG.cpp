#include "drawing/LICE_PNG.h"

#include <png.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "drawing/LICE_FileOpen.h"
#include "drawing/LICE_MemBitmap.h"

namespace
{
  // Decoding limits handed to libpng; the bitmap's own byte cap applies on top.
  constexpr png_uint_32 kMaxWidth = 16384;
  constexpr png_uint_32 kMaxHeight = 65536;
  constexpr png_alloc_size_t kMaxChunkBytes = 4 * 1024 * 1024;
  constexpr png_uint_32 kMaxCachedChunks = 128;

  const unsigned char kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

  struct MemorySource
  {
    const unsigned char* mData;
    int mRemaining;
  };

  // A read that runs past the end is padded with zero bytes, which libpng's own
  // checks then reject. A read that starts at the end fails at once: a chunk
  // length can claim up to 2 GiB, and skipping that much padding would only
  // delay the same failure.
  void PngMemoryReader(png_structp png, png_bytep out, size_t length)
  {
    MemorySource* src = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (src->mRemaining <= 0 && length > 0)
      png_error(png, "read past the end of the data");
    memset(out, 0, length);
    const size_t n = length < (size_t)src->mRemaining ? length : (size_t)src->mRemaining;
    if (n)
    {
      memcpy(out, src->mData, n);
      src->mData += n;
      src->mRemaining -= (int)n;
    }
  }

  // Everything that may long-jump runs here. Only trivially destructible locals
  // live in this frame, and those written after setjmp and read after a jump
  // are volatile. The caller owns and destroys png/info and any file.
  LICE_IBitmap* DecodeImage(png_structp png, png_infop info, LICE_IBitmap* given)
  {
    LICE_IBitmap* volatile created = nullptr;
    png_bytep* volatile rows = nullptr;

    if (setjmp(png_jmpbuf(png)))
    {
      free(rows);
      delete created;
      return nullptr;
    }

    png_set_user_limits(png, kMaxWidth, kMaxHeight);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_chunk_cache_max(png, kMaxCachedChunks);
    // Only IHDR, PLTE, tRNS and IDAT matter to the pixels; libpng skips every
    // other chunk instead of buffering it. An oversized chunk length is only a
    // warning to libpng, so a text chunk could otherwise make it allocate up to
    // 2 GiB.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);

    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);

    if (colourType == PNG_COLOR_TYPE_PALETTE)
      png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
      png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
    {
      png_set_tRNS_to_alpha(png);
      colourType |= PNG_COLOR_MASK_ALPHA;
    }
    if (bitDepth == 16)
      png_set_strip_16(png);
    if (bitDepth < 8)
      png_set_packing(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
      png_set_gray_to_rgb(png);
    if (colourType & PNG_COLOR_MASK_ALPHA)
      png_set_swap_alpha(png);
    else
      png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);

    // Every row must come out as exactly width pixels of four bytes, or the
    // reads below would run past the bitmap's rows.
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != (size_t)width * 4)
      png_error(png, "unexpected row layout");

    LICE_IBitmap* bm = given;
    if (bm)
      bm->Resize((int)width, (int)height);
    else
      bm = created = new (std::nothrow) LICE_MemBitmap((int)width, (int)height);
    if (!bm || bm->GetWidth() != (int)width || bm->GetHeight() != (int)height || !bm->GetBits())
    {
      delete created;
      return nullptr;
    }

    rows = static_cast<png_bytep*>(malloc(sizeof(png_bytep) * height));
    if (!rows)
    {
      delete created;
      return nullptr;
    }
    for (png_uint_32 y = 0; y < height; ++y)
      rows[y] = reinterpret_cast<png_bytep>(LICE_RowPointer(bm, (int)y));

    png_read_image(png, rows);

    // Alpha, red, green, blue bytes become blue, green, red, alpha.
    for (png_uint_32 y = 0; y < height; ++y)
    {
      png_bytep p = rows[y];
      for (png_uint_32 x = 0; x < width; ++x, p += 4)
      {
        const png_byte a = p[0], r = p[1], g = p[2], b = p[3];
        p[0] = b;
        p[1] = g;
        p[2] = r;
        p[3] = a;
      }
    }

    free(rows);
    return bm;
  }

  bool CreateReader(png_structp* png, png_infop* info)
  {
    *info = nullptr;
    *png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (*png)
      *info = png_create_info_struct(*png);
    if (!*png || !*info)
    {
      png_destroy_read_struct(png, info, nullptr);
      return false;
    }
    return true;
  }

  ImageLoaderRecord gPngLoader = {LICE_LoadPNGByName, LICE_PNGDescription, nullptr};

  struct PngLoaderRegistration
  {
    PngLoaderRegistration()
    {
      gPngLoader.mNext = ImageLoaderList;
      ImageLoaderList = &gPngLoader;
    }
  };
}

ImageLoaderRecord* ImageLoaderList = nullptr;
static PngLoaderRegistration sPngLoaderRegistration;

LICE_MemBitmap* LICE_LoadPNGFromMemory(const void* data, int size)
{
  if (!data || size < 8 || memcmp(data, kSignature, 8) != 0)
    return nullptr;

  png_structp png;
  png_infop info;
  if (!CreateReader(&png, &info))
    return nullptr;

  MemorySource src = {static_cast<const unsigned char*>(data), size};
  png_set_read_fn(png, &src, PngMemoryReader);
  LICE_IBitmap* bm = DecodeImage(png, info, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return static_cast<LICE_MemBitmap*>(bm);
}

LICE_IBitmap* LICE_LoadPNG(const char* path, LICE_IBitmap* bitmap)
{
  if (!path)
    return nullptr;
  FILE* fp = LICE_OpenFileForReading(path);
  if (!fp)
    return nullptr;

  png_structp png;
  png_infop info;
  if (!CreateReader(&png, &info))
  {
    fclose(fp);
    return nullptr;
  }
  png_init_io(png, fp);
  LICE_IBitmap* bm = DecodeImage(png, info, bitmap);
  png_destroy_read_struct(&png, &info, nullptr);
  fclose(fp);
  return bm;
}

LICE_IBitmap* LICE_LoadPNGByName(const char* path, bool checkExtension, LICE_IBitmap* bitmap)
{
  if (!path)
    return nullptr;
  if (checkExtension)
  {
    const char* p = path + strlen(path);
    while (p > path && p[-1] != '\\' && p[-1] != '/' && p[-1] != '.')
      --p;
    const char* ext = p > path ? p - 1 : path;
    static const char kExt[] = ".png";
    size_t i = 0;
    for (; ext[i] && i < 4; ++i)
    {
      char c = ext[i];
      if (c >= 'A' && c <= 'Z')
        c = (char)(c - 'A' + 'a');
      if (c != kExt[i])
        return nullptr;
    }
    if (i != 4 || ext[4])
      return nullptr;
  }
  return LICE_LoadPNG(path, bitmap);
}

const char* LICE_PNGDescription()
{
  return "PNG files (*.PNG)";
}
