#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "drawing/LICE_MemBitmap.h"
#include "drawing/LICE_PNG.h"
#include "drawing/LICE_SysBitmap.h"
#include "tests/drawing/TestBitmaps.h"
#ifndef _WIN32
#include "resources/ZqResources.h"
#endif

namespace
{
  typedef std::vector<unsigned char> Bytes;

  struct PngFormat
  {
    int width, height, bitDepth, colourType;
    bool interlaced;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;  // tRNS for palette images
    bool trnsColour;                     // tRNS for grey/RGB images
    png_color_16 trns;
    bool metadata = false;               // gAMA, tEXt and a private chunk
  };

  void AppendToBytes(png_structp png, png_bytep data, size_t n)
  {
    Bytes* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
  }
  void NoFlush(png_structp) {}

  // Writes rows of packed samples as libpng expects them for the format.
  bool WritePng(const PngFormat& s, const std::vector<Bytes>& rows, Bytes* out)
  {
    std::vector<png_bytep> rowPointers;
    for (const Bytes& r : rows)
      rowPointers.push_back(const_cast<png_bytep>(r.data()));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png)))
    {
      png_destroy_write_struct(&png, &info);
      return false;
    }
    png_set_write_fn(png, out, AppendToBytes, NoFlush);
    png_set_IHDR(png, info, s.width, s.height, s.bitDepth, s.colourType,
                 s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!s.palette.empty())
      png_set_PLTE(png, info, const_cast<png_colorp>(s.palette.data()), (int)s.palette.size());
    if (!s.paletteAlpha.empty())
      png_set_tRNS(png, info, const_cast<png_bytep>(s.paletteAlpha.data()), (int)s.paletteAlpha.size(), nullptr);
    if (s.trnsColour)
      png_set_tRNS(png, info, nullptr, 0, const_cast<png_color_16p>(&s.trns));
    if (s.metadata)
    {
      png_set_gAMA(png, info, 0.8);
      png_text text = {};
      text.compression = PNG_TEXT_COMPRESSION_NONE;
      text.key = const_cast<char*>("Comment");
      text.text = const_cast<char*>("drawn by the tests");
      png_set_text(png, info, &text, 1);
      png_unknown_chunk priv = {};
      memcpy(priv.name, "prVt", 5);
      png_byte data[3] = {1, 2, 3};
      priv.data = data;
      priv.size = 3;
      priv.location = PNG_HAVE_IHDR;
      png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_ALWAYS, nullptr, 0);
      png_set_unknown_chunks(png, info, &priv, 1);
    }
    png_write_info(png, info);
    png_write_image(png, rowPointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
  }

  Bytes Encode(const PngFormat& s, const std::vector<Bytes>& rows)
  {
    Bytes out;
    EXPECT_TRUE(WritePng(s, rows, &out));
    return out;
  }

  std::unique_ptr<LICE_IBitmap> Decode(const Bytes& b)
  {
    return std::unique_ptr<LICE_IBitmap>(LICE_LoadPNGFromMemory(b.data(), (int)b.size()));
  }

  LICE_Pixel At(LICE_IBitmap* bm, int x, int y) { return *LICE_PixelPointer(bm, x, y); }

  // A 3 x 2 RGBA image with varied alpha, used by the failure tests.
  Bytes SmallRgba()
  {
    PngFormat s = {3, 2, 8, PNG_COLOR_TYPE_RGB_ALPHA, false, {}, {}, false, {}};
    return Encode(s, {{200, 100, 50, 10, 0, 0, 0, 0, 255, 255, 255, 255},
                      {1, 2, 3, 128, 4, 5, 6, 255, 7, 8, 9, 0}});
  }

  std::string TempPath(const char* name)
  {
    return std::string(::testing::TempDir()) + name;
  }

  bool WriteFile(const std::string& path, const Bytes& b)
  {
    FILE* fp = fopen(path.c_str(), "wb");
    if (!fp)
      return false;
    const bool ok = fwrite(b.data(), 1, b.size(), fp) == b.size();
    return fclose(fp) == 0 && ok;
  }

  void PutU32(Bytes& b, uint32_t v)
  {
    for (int i = 3; i >= 0; --i)
      b.push_back((unsigned char)(v >> (8 * i)));
  }
  void PutChunk(Bytes& b, const char* type, const Bytes& data)
  {
    PutU32(b, (uint32_t)data.size());
    const size_t start = b.size();
    b.insert(b.end(), type, type + 4);
    b.insert(b.end(), data.begin(), data.end());
    PutU32(b, (uint32_t)crc32(0, b.data() + start, (uInt)(b.size() - start)));
  }

  // A well-formed PNG whose header claims the given size, with image data for 4 x 4.
  Bytes HeaderOnly(uint32_t width, uint32_t height)
  {
    Bytes b = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes ihdr;
    PutU32(ihdr, width);
    PutU32(ihdr, height);
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    PutChunk(b, "IHDR", ihdr);
    unsigned char zeros[4 * (1 + 4 * 4)] = {};
    Bytes z(128);
    uLongf zlen = (uLongf)z.size();
    compress(z.data(), &zlen, zeros, sizeof zeros);
    z.resize(zlen);
    PutChunk(b, "IDAT", z);
    PutChunk(b, "IEND", {});
    return b;
  }
}

TEST(PngDecode, RgbaKeepsStraightAlphaAndOrdersBytesAsPixels)
{
  auto bm = Decode(SmallRgba());
  ASSERT_TRUE(bm);
  EXPECT_EQ(bm->GetWidth(), 3);
  EXPECT_EQ(bm->GetHeight(), 2);
  EXPECT_EQ(At(bm.get(), 0, 0), LICE_RGBA(200, 100, 50, 10));
  EXPECT_EQ(At(bm.get(), 1, 0), 0u);
  EXPECT_EQ(At(bm.get(), 2, 0), 0xFFFFFFFFu);
  EXPECT_EQ(At(bm.get(), 0, 1), LICE_RGBA(1, 2, 3, 128));
  EXPECT_EQ(At(bm.get(), 2, 1), LICE_RGBA(7, 8, 9, 0));
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(LICE_PixelPointer(bm.get(), 0, 0));
  EXPECT_EQ(bytes[LICE_PIXEL_B], 50);
  EXPECT_EQ(bytes[LICE_PIXEL_G], 100);
  EXPECT_EQ(bytes[LICE_PIXEL_R], 200);
  EXPECT_EQ(bytes[LICE_PIXEL_A], 10);
}

TEST(PngDecode, TransformsEveryFormatToRgba)
{
  struct Case
  {
    const char* name;
    PngFormat format;
    std::vector<Bytes> rows;
    std::vector<LICE_Pixel> expected;  // row-major
  };
  png_color_16 greyKey = {};
  greyKey.gray = 0x40;
  png_color_16 rgbKey = {};
  rgbKey.red = 1;
  rgbKey.green = 2;
  rgbKey.blue = 3;
  const std::vector<png_color> pal = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};

  const Case cases[] = {
    {"rgb opaque", {2, 1, 8, PNG_COLOR_TYPE_RGB, false, {}, {}, false, {}}, {{10, 20, 30, 40, 50, 60}},
     {LICE_RGBA(10, 20, 30, 255), LICE_RGBA(40, 50, 60, 255)}},
    {"rgb 16-bit", {2, 1, 16, PNG_COLOR_TYPE_RGB, false, {}, {}, false, {}},
     {{0x12, 0x34, 0xAB, 0xCD, 0xFF, 0xFF, 0x00, 0xFF, 0x80, 0x01, 0x7F, 0xFF}},
     {LICE_RGBA(0x12, 0xAB, 0xFF, 255), LICE_RGBA(0x00, 0x80, 0x7F, 255)}},
    {"rgba 16-bit", {1, 1, 16, PNG_COLOR_TYPE_RGB_ALPHA, false, {}, {}, false, {}},
     {{0x11, 0x00, 0x22, 0x00, 0x33, 0x00, 0x44, 0xFF}}, {LICE_RGBA(0x11, 0x22, 0x33, 0x44)}},
    {"rgb with key colour", {2, 1, 8, PNG_COLOR_TYPE_RGB, false, {}, {}, true, rgbKey}, {{1, 2, 3, 1, 2, 4}},
     {LICE_RGBA(1, 2, 3, 0), LICE_RGBA(1, 2, 4, 255)}},
    {"palette 8-bit", {4, 1, 8, PNG_COLOR_TYPE_PALETTE, false, pal, {}, false, {}}, {{0, 1, 2, 3}},
     {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, LICE_RGBA(10, 20, 30, 255)}},
    {"palette 2-bit with transparency", {4, 1, 2, PNG_COLOR_TYPE_PALETTE, false, pal, {0, 128, 255}, false, {}},
     {{0x1B}},  // indices 0, 1, 2, 3
     {LICE_RGBA(255, 0, 0, 0), LICE_RGBA(0, 255, 0, 128), LICE_RGBA(0, 0, 255, 255), LICE_RGBA(10, 20, 30, 255)}},
    {"grey 1-bit", {10, 1, 1, PNG_COLOR_TYPE_GRAY, false, {}, {}, false, {}}, {{0xA5, 0x80}},
     {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF,
      0xFF000000}},
    {"grey 4-bit", {2, 1, 4, PNG_COLOR_TYPE_GRAY, false, {}, {}, false, {}}, {{0x3F}},
     {LICE_RGBA(0x33, 0x33, 0x33, 255), 0xFFFFFFFF}},
    {"grey 8-bit with key", {2, 1, 8, PNG_COLOR_TYPE_GRAY, false, {}, {}, true, greyKey}, {{0x40, 0x41}},
     {LICE_RGBA(0x40, 0x40, 0x40, 0), LICE_RGBA(0x41, 0x41, 0x41, 255)}},
    {"grey 16-bit", {1, 1, 16, PNG_COLOR_TYPE_GRAY, false, {}, {}, false, {}}, {{0x9A, 0x01}},
     {LICE_RGBA(0x9A, 0x9A, 0x9A, 255)}},
    {"grey alpha", {2, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, false, {}, {}, false, {}}, {{0x20, 0x00, 0xE0, 0x90}},
     {LICE_RGBA(0x20, 0x20, 0x20, 0), LICE_RGBA(0xE0, 0xE0, 0xE0, 0x90)}},
    {"grey alpha 16-bit", {1, 1, 16, PNG_COLOR_TYPE_GRAY_ALPHA, false, {}, {}, false, {}}, {{0x70, 0xFF, 0x30, 0x00}},
     {LICE_RGBA(0x70, 0x70, 0x70, 0x30)}},
  };

  for (const Case& c : cases)
  {
    auto bm = Decode(Encode(c.format, c.rows));
    ASSERT_TRUE(bm) << c.name;
    ASSERT_EQ(bm->GetWidth(), c.format.width) << c.name;
    ASSERT_EQ(bm->GetHeight(), c.format.height) << c.name;
    for (int i = 0; i < (int)c.expected.size(); ++i)
      EXPECT_EQ(At(bm.get(), i % c.format.width, i / c.format.width), c.expected[i]) << c.name << " pixel " << i;
  }
}

TEST(PngDecode, InterlacedImageMatchesTheProgressiveOne)
{
  const int W = 13, H = 11;
  std::vector<Bytes> rows(H, Bytes(W * 4));
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W * 4; ++x)
      rows[y][x] = (unsigned char)(x * 7 + y * 31);
  PngFormat plain = {W, H, 8, PNG_COLOR_TYPE_RGB_ALPHA, false, {}, {}, false, {}};
  PngFormat adam7 = plain;
  adam7.interlaced = true;
  auto a = Decode(Encode(plain, rows)), b = Decode(Encode(adam7, rows));
  ASSERT_TRUE(a && b);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      ASSERT_EQ(At(a.get(), x, y), At(b.get(), x, y)) << x << "," << y;
  EXPECT_EQ(At(a.get(), 1, 2), LICE_RGBA(4 * 7 + 62, 5 * 7 + 62, 6 * 7 + 62, 7 * 7 + 62));
}

TEST(PngDecode, MetadataChunksAreSkippedWithoutChangingPixels)
{
  PngFormat plain = {2, 2, 8, PNG_COLOR_TYPE_PALETTE, false, {{9, 8, 7}, {200, 100, 0}}, {77}, false, {}};
  PngFormat tagged = plain;
  tagged.metadata = true;
  const std::vector<Bytes> rows = {{0, 1}, {1, 0}};
  const Bytes a = Encode(plain, rows), b = Encode(tagged, rows);
  ASSERT_GT(b.size(), a.size() + 30);
  auto pa = Decode(a), pb = Decode(b);
  ASSERT_TRUE(pa && pb);
  EXPECT_EQ(At(pb.get(), 0, 0), LICE_RGBA(9, 8, 7, 77));
  EXPECT_EQ(At(pb.get(), 1, 0), LICE_RGBA(200, 100, 0, 255));
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(At(pa.get(), i % 2, i / 2), At(pb.get(), i % 2, i / 2));
}

TEST(PngDecode, BadInputGivesNoBitmap)
{
  const Bytes good = SmallRgba();
  ASSERT_TRUE(Decode(good));

  EXPECT_EQ(LICE_LoadPNGFromMemory(nullptr, 100), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromMemory(good.data(), 7), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromMemory(good.data(), 0), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromMemory(good.data(), -5), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromMemory(good.data(), 8), nullptr);  // signature only

  Bytes badSig = good;
  badSig[1] = 'Q';
  EXPECT_FALSE(Decode(badSig));

  // Every truncation inside the image data fails (the reader pads with zeros).
  const size_t iend = good.size() - 12;
  for (size_t n = 8; n < iend; ++n)
    ASSERT_EQ(LICE_LoadPNGFromMemory(good.data(), (int)n), nullptr) << "length " << n;

  // A flipped bit anywhere in the header or the image data breaks a CRC or the stream.
  for (size_t i = 8; i < iend; ++i)
  {
    Bytes bad = good;
    bad[i] ^= 0x10;
    std::unique_ptr<LICE_IBitmap> bm(LICE_LoadPNGFromMemory(bad.data(), (int)bad.size()));
    ASSERT_FALSE(bm) << "byte " << i;
  }
}

TEST(PngDecode, HugeDeclaredSizesAreRefusedWithoutAllocating)
{
  ASSERT_TRUE(Decode(HeaderOnly(4, 4)));
  // 16384 x 65536 x 4 bytes is 2^32: zero in 32 bits.
  const struct { uint32_t w, h; } sizes[] = {{16384, 65536}, {16384, 16385}, {20000, 10}, {10, 70000},
                                             {0x7FFFFFFF, 1}, {1, 0x7FFFFFFF}, {0, 4}};
  for (const auto& s : sizes)
    EXPECT_FALSE(Decode(HeaderOnly(s.w, s.h))) << s.w << "x" << s.h;
}

TEST(PngFile, LoadsFromAPathIntoANewOrAGivenBitmap)
{
  const std::string path = TempPath("zq_png_file_test.png");
  ASSERT_TRUE(WriteFile(path, SmallRgba()));

  std::unique_ptr<LICE_IBitmap> fresh(LICE_LoadPNG(path.c_str()));
  ASSERT_TRUE(fresh);
  EXPECT_EQ(At(fresh.get(), 0, 1), LICE_RGBA(1, 2, 3, 128));

  // Into a caller's bitmap, which is resized and returned.
  LICE_SysBitmap sys(64, 64);
  EXPECT_EQ(LICE_LoadPNG(path.c_str(), &sys), &sys);
  EXPECT_EQ(sys.GetWidth(), 3);
  EXPECT_EQ(sys.GetRowSpan(), 64);
  EXPECT_EQ(At(&sys, 2, 1), LICE_RGBA(7, 8, 9, 0));

  EXPECT_EQ(LICE_LoadPNG(TempPath("zq_no_such_file.png").c_str()), nullptr);
  EXPECT_EQ(LICE_LoadPNG(nullptr), nullptr);

  // A failing decode leaves the caller's bitmap alive.
  const std::string bad = TempPath("zq_png_bad.png");
  Bytes truncated = SmallRgba();
  truncated.resize(40);
  ASSERT_TRUE(WriteFile(bad, truncated));
  LICE_MemBitmap keep(5, 5);
  EXPECT_EQ(LICE_LoadPNG(bad.c_str(), &keep), nullptr);
  keep.Resize(6, 6);
  EXPECT_NE(keep.GetBits(), nullptr);

  remove(path.c_str());
  remove(bad.c_str());
}

TEST(PngFile, ExtensionCheckAndLoaderList)
{
  const std::string dir = TempPath("");
  const char* names[] = {"zq_ext.png", "zq_ext.PNG", "zq_ext.png.bak", "zq_ext"};
  for (const char* n : names)
    ASSERT_TRUE(WriteFile(dir + n, SmallRgba()));

  const struct { const char* name; bool check; bool loads; } cases[] = {
    {"zq_ext.png", true, true},   {"zq_ext.PNG", true, true}, {"zq_ext.png.bak", true, false},
    {"zq_ext", true, false},      {"zq_ext.png.bak", false, true}, {"zq_ext", false, true},
  };
  for (const auto& c : cases)
  {
    std::unique_ptr<LICE_IBitmap> bm(LICE_LoadPNGByName((dir + c.name).c_str(), c.check, nullptr));
    EXPECT_EQ(bm != nullptr, c.loads) << c.name << " check " << c.check;
  }
  for (const char* n : names)
    remove((dir + n).c_str());

  ASSERT_NE(ImageLoaderList, nullptr);
  EXPECT_STREQ(ImageLoaderList->mDescription(), "PNG files (*.PNG)");
  EXPECT_EQ(ImageLoaderList->mLoad, &LICE_LoadPNGByName);
  EXPECT_STREQ(LICE_PNGDescription(), "PNG files (*.PNG)");
}

// The editor's committed images: 8-bit RGBA files of the layout's sizes.
struct EditorImage
{
  int id;
  const char* path;
  int width, height, frames;
};
const EditorImage kEditorImages[] = {
  {100, "resources/img/bkg.png", 410, 460, 1},        {101, "resources/img/knob.png", 100, 10000, 100},
  {102, "resources/img/knob2.png", 80, 8000, 100},     {103, "resources/img/onoff.png", 90, 32, 2},
  {104, "resources/img/led.png", 16, 32, 2},           {106, "resources/img/led-white.png", 16, 32, 2},
  {105, "resources/img/led-red-24.png", 16, 384, 24},  {107, "resources/img/line-knob.png", 32, 3200, 100},
};

TEST(EditorImages, FilesAreEightBitRgbaOfTheLayoutSizes)
{
  for (const EditorImage& img : kEditorImages)
  {
    const std::string path = std::string(ZQ_SOURCE_DIR) + "/" + img.path;
    FILE* fp = fopen(path.c_str(), "rb");
    ASSERT_NE(fp, nullptr) << path;
    unsigned char head[26] = {};
    EXPECT_EQ(fread(head, 1, sizeof head, fp), sizeof head);
    fclose(fp);
    EXPECT_EQ(head[24], 8) << img.path << " bit depth";
    EXPECT_EQ(head[25], PNG_COLOR_TYPE_RGB_ALPHA) << img.path << " colour type";

    std::unique_ptr<LICE_IBitmap> bm(LICE_LoadPNG(path.c_str()));
    ASSERT_TRUE(bm) << img.path;
    EXPECT_EQ(bm->GetWidth(), img.width) << img.path;
    EXPECT_EQ(bm->GetHeight(), img.height) << img.path;
    EXPECT_EQ(bm->GetRowSpan(), (img.width + 3) & ~3) << img.path;

    // Frames of a strip are distinct pictures.
    if (img.frames > 1)
    {
      const int fh = img.height / img.frames;
      bool differ = false;
      for (int y = 0; y < fh && !differ; ++y)
        for (int x = 0; x < img.width && !differ; ++x)
          differ = At(bm.get(), x, y) != At(bm.get(), x, (img.frames - 1) * fh + y);
      EXPECT_TRUE(differ) << img.path;
    }
  }
}

TEST(EditorImages, MeterFramesBrightenFromDarkToFullRed)
{
  std::unique_ptr<LICE_IBitmap> bm(LICE_LoadPNG((std::string(ZQ_SOURCE_DIR) + "/resources/img/led-red-24.png").c_str()));
  ASSERT_TRUE(bm);
  int last = -1;
  for (int f = 0; f < 24; ++f)
  {
    const LICE_Pixel centre = At(bm.get(), 8, f * 16 + 8);
    EXPECT_GT(LICE_GETR(centre), last) << "frame " << f;
    last = LICE_GETR(centre);
  }
  EXPECT_GE(last, 250);
  EXPECT_LT(LICE_GETR(At(bm.get(), 8, 8)), 90);
}

#ifndef _WIN32
TEST(EditorImages, EmbeddedTableLoadsEveryIdByResourceLookup)
{
  const HINSTANCE module = LICE_ResourceModuleHandle(ZqResourceModule());
  for (const EditorImage& img : kEditorImages)
  {
    std::unique_ptr<LICE_IBitmap> bm(LICE_LoadPNGFromResource(module, img.id));
    ASSERT_TRUE(bm) << img.id;
    EXPECT_EQ(bm->GetWidth(), img.width);
    EXPECT_EQ(bm->GetHeight(), img.height);
  }
  EXPECT_EQ(LICE_LoadPNGFromResource(module, 99), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromResource(nullptr, 100), nullptr);
}
#endif
