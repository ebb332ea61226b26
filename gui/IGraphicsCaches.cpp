// The process-wide bitmap and font caches, shared by every editor in the
// module. Lists in insertion order; a lookup returns the first match.
#include <cstring>
#include <mutex>

#include "drawing/LICE_CachedFont.h"
#include "drawing/LICE_IBitmap.h"
#include "framework/PointerList.h"
#include "gui/IGraphics.h"
#include "gui/IGraphicsFont.h"

namespace
{
  struct BitmapEntry
  {
    int mID;
    LICE_IBitmap* mBitmap;  // owned
  };

  struct FontEntry
  {
    int mSize;
    int mOrientation;
    int mStyle;
    char mFace[ITextStyle::kFaceSize];
    LICE_CachedFont* mFont;  // owned
  };

  // Entries and what they hold live until the module unloads.
  template <class Entry>
  class Cache
  {
  public:
    ~Cache()
    {
      for (int i = 0; i < mEntries.GetSize(); ++i)
        Free(mEntries.Get(i));
      mEntries.DeleteAll();
    }

    RecursiveLock mLock;
    PointerList<Entry> mEntries;

  private:
    static void Free(BitmapEntry* e) { delete e->mBitmap; }
    static void Free(FontEntry* e) { delete e->mFont; }
  };

  Cache<BitmapEntry>& Bitmaps()
  {
    static Cache<BitmapEntry> cache;
    return cache;
  }

  Cache<FontEntry>& Fonts()
  {
    static Cache<FontEntry> cache;
    return cache;
  }

  bool Matches(const FontEntry& e, const ITextStyle& style)
  {
    return e.mSize == style.mSize && e.mOrientation == style.mOrientation && e.mStyle == style.mStyle &&
           std::strcmp(e.mFace, style.mFace) == 0;
  }

  // Touch both caches while the module loads, so that they outlive every
  // static object that could still reach them.
  const bool CachesMade = (Bitmaps(), Fonts(), true);
}

LICE_IBitmap* IGraphics::FindCachedBitmap(int id)
{
  Cache<BitmapEntry>& cache = Bitmaps();
  std::lock_guard<RecursiveLock> lock(cache.mLock);
  for (int i = 0; i < cache.mEntries.GetSize(); ++i)
  {
    const BitmapEntry* e = cache.mEntries.Get(i);
    if (e->mID == id) return e->mBitmap;
  }
  return nullptr;
}

void IGraphics::AddCachedBitmap(LICE_IBitmap* bitmap, int id)
{
  if (!bitmap) return;
  BitmapEntry* e = new BitmapEntry{id, bitmap};
  Cache<BitmapEntry>& cache = Bitmaps();
  std::lock_guard<RecursiveLock> lock(cache.mLock);
  // The cache owns the bitmap even when the list cannot grow: it is then
  // leaked rather than freed under a caller that still draws with it.
  if (!cache.mEntries.Add(e)) delete e;
}

LICE_CachedFont* IGraphics::FindCachedFont(const ITextStyle& style)
{
  Cache<FontEntry>& cache = Fonts();
  std::lock_guard<RecursiveLock> lock(cache.mLock);
  for (int i = 0; i < cache.mEntries.GetSize(); ++i)
  {
    const FontEntry* e = cache.mEntries.Get(i);
    if (Matches(*e, style)) return e->mFont;
  }
  return nullptr;
}

void IGraphics::AddCachedFont(LICE_CachedFont* font, const ITextStyle& style)
{
  if (!font) return;
  FontEntry* e = new FontEntry{style.mSize, style.mOrientation, style.mStyle, {}, font};
  std::memcpy(e->mFace, style.mFace, sizeof(e->mFace));
  e->mFace[sizeof(e->mFace) - 1] = 0;
  Cache<FontEntry>& cache = Fonts();
  std::lock_guard<RecursiveLock> lock(cache.mLock);
  if (!cache.mEntries.Add(e)) delete e;
}

LICE_CachedFont* IGraphics::CacheFontForStyle(ITextStyle& style)
{
  LICE_CachedFont* font = FindCachedFont(style);
  if (!font)
  {
    HFONT handle = IGraphicsFont::Create(style);
    if (!handle) return nullptr;
    font = new LICE_CachedFont;
    font->SetFromHFont(handle, CachedFontFlag::OwnsFont | CachedFontFlag::UseNative);
    AddCachedFont(font, style);
  }
  style.mCached = font;
  return font;
}
