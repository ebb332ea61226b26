// Windows-only: the resources of a plug-in-style DLL and the GDI side of
// LICE_SysBitmap.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "drawing/LICE_Blit.h"
#include "drawing/LICE_FillRect.h"
#include "drawing/LICE_PNG.h"
#include "drawing/LICE_SysBitmap.h"

namespace
{
  struct ResourceImage
  {
    int id, width, height;
  };
  const ResourceImage kResources[] = {{100, 410, 460}, {101, 100, 10000}, {102, 80, 8000}, {103, 90, 32},
                                      {104, 16, 32},   {105, 16, 384},    {106, 16, 32},   {107, 32, 3200}};

  class ResourceDll : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      mModule = LoadLibraryA("zq_restest.dll");
      ASSERT_NE(mModule, nullptr) << "zq_restest.dll not found";
    }
    void TearDown() override
    {
      if (mModule)
        FreeLibrary(mModule);
    }
    HMODULE mModule = nullptr;
  };
}

TEST_F(ResourceDll, EveryImageLoadsByIdWithItsSize)
{
  for (const ResourceImage& r : kResources)
  {
    std::unique_ptr<LICE_IBitmap> bm(LICE_LoadPNGFromResource(mModule, r.id));
    ASSERT_TRUE(bm) << r.id;
    EXPECT_EQ(bm->GetWidth(), r.width) << r.id;
    EXPECT_EQ(bm->GetHeight(), r.height) << r.id;
  }
  EXPECT_EQ(LICE_LoadPNGFromResource(mModule, 99), nullptr);
  EXPECT_EQ(LICE_LoadPNGFromResource(mModule, 108), nullptr);
  // The low 16 bits name the id.
  std::unique_ptr<LICE_IBitmap> high(LICE_LoadPNGFromResource(mModule, 0x10000 + 104));
  ASSERT_TRUE(high);
  EXPECT_EQ(high->GetHeight(), 32);
}

TEST_F(ResourceDll, TheDllDecodesThroughItsRecordedInstance)
{
  typedef HINSTANCE(__cdecl * InstanceFn)();
  typedef int(__cdecl * DecodeFn)(int, int*, int*);
  auto instance = reinterpret_cast<InstanceFn>(GetProcAddress(mModule, "ZqResTestInstance"));
  auto decode = reinterpret_cast<DecodeFn>(GetProcAddress(mModule, "ZqResTestDecode"));
  ASSERT_TRUE(instance && decode);
  EXPECT_EQ(instance(), (HINSTANCE)mModule);
  for (const ResourceImage& r : kResources)
  {
    int w = 0, h = 0;
    ASSERT_EQ(decode(r.id, &w, &h), 1) << r.id;
    EXPECT_EQ(w, r.width);
    EXPECT_EQ(h, r.height);
  }
}

TEST_F(ResourceDll, CarriesTheManifest)
{
  HRSRC res = FindResourceA(mModule, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24));
  ASSERT_NE(res, nullptr);
  const char* text = static_cast<const char*>(LockResource(LoadResource(mModule, res)));
  ASSERT_NE(text, nullptr);
  const std::string manifest(text, SizeofResource(mModule, res));
  EXPECT_NE(manifest.find("<assembly"), std::string::npos);
}

TEST(SysBitmapGdi, GdiAndDirectPixelWritesSeeEachOther)
{
  LICE_SysBitmap bm(40, 30);
  HDC dc = bm.GetDeviceContext();
  ASSERT_NE(dc, nullptr);
  ASSERT_NE(bm.GetBits(), nullptr);
  EXPECT_EQ(bm.GetRowSpan(), 40);
  LICE_FillRect(&bm, 0, 0, 40, 30, 0xFF000000, 1.0f, 0);

  // GDI draws; the pixels show it (top-down: row 0 is the top).
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r = {2, 3, 10, 8};
  FillRect(dc, &r, red);
  DeleteObject(red);
  GdiFlush();
  const LICE_Pixel* px = bm.GetBits();
  EXPECT_EQ(px[5 * 40 + 4] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(px[2 * 40 + 4] & 0xFFFFFF, 0u);
  EXPECT_EQ(px[5 * 40 + 10] & 0xFFFFFF, 0u);

  // Direct writes and drawing-library calls; GDI reads them.
  bm.GetBits()[20 * 40 + 30] = 0xFF00FF00;
  LICE_FillRect(&bm, 35, 25, 2, 2, 0xFF0000FF, 1.0f, 0);
  EXPECT_EQ(GetPixel(dc, 30, 20), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 36, 26), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 4, 5), RGB(255, 0, 0));

  // BitBlt from its DC into another LICE_SysBitmap lands in that one's bits.
  LICE_SysBitmap copy(40, 30);
  ASSERT_TRUE(BitBlt(copy.GetDeviceContext(), 0, 0, 40, 30, dc, 0, 0, SRCCOPY));
  GdiFlush();
  EXPECT_EQ(copy.GetBits()[20 * 40 + 30] & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(copy.GetBits()[5 * 40 + 4] & 0xFFFFFF, 0xFF0000u);
}

TEST(SysBitmapGdi, ResizeReplacesTheSectionInTheDc)
{
  LICE_SysBitmap bm(8, 8);
  HDC dc = bm.GetDeviceContext();
  ASSERT_TRUE(bm.Resize(100, 50));
  EXPECT_EQ(bm.GetDeviceContext(), dc);
  EXPECT_EQ(bm.GetRowSpan(), 100);
  bm.GetBits()[49 * 100 + 99] = 0xFFFFFFFF;
  EXPECT_EQ(GetPixel(dc, 99, 49), RGB(255, 255, 255));

  // Text through GDI reaches the pixels.
  LICE_FillRect(&bm, 0, 0, 100, 50, 0xFF000000, 1.0f, 0);
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  RECT r = {0, 0, 100, 50};
  DrawTextA(dc, "XX", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
  GdiFlush();
  int lit = 0;
  for (int i = 0; i < 100 * 50; ++i)
    lit += (bm.GetBits()[i] & 0xFFFFFF) != 0;
  EXPECT_GT(lit, 0);

  EXPECT_FALSE(bm.Resize(0, 5));
  EXPECT_EQ(bm.GetBits(), nullptr);
  EXPECT_TRUE(bm.Resize(4, 4));
  EXPECT_NE(bm.GetBits(), nullptr);
}
