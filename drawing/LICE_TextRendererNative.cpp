#include "drawing/LICE_TextRendererNative.h"

#include "drawing/LICE_TextRenderer.h"

namespace
{
  const LICE_NativeTextRenderer* Installed = nullptr;
}

void LICE_TextRenderer::InstallNative(const LICE_NativeTextRenderer* renderer)
{
  Installed = renderer;
}

HFONT LICE_TextRenderer::NewNativeFont(int height)
{
  return Installed ? Installed->NewFont(height) : nullptr;
}

void LICE_TextRenderer::SetupRaster(LICE_IBitmap* raster)
{
  if (Installed)
    Installed->SetupRaster(raster);
}

int LICE_TextRenderer::GetLineHeight(LICE_IBitmap* raster, HFONT font)
{
  return Installed ? Installed->GetLineHeight(raster, font) : 0;
}

void LICE_TextRenderer::MeasureChar(LICE_IBitmap* raster, HFONT font, uint16_t ch, int* advance, int* height)
{
  if (Installed)
  {
    Installed->MeasureChar(raster, font, ch, advance, height);
    return;
  }
  *advance = 0;
  *height = 0;
}

void LICE_TextRenderer::DrawChar(LICE_IBitmap* raster, HFONT font, uint16_t ch, int right, int bottom)
{
  if (Installed)
    Installed->DrawChar(raster, font, ch, right, bottom);
}

void LICE_TextRenderer::DeleteFont(HFONT font)
{
  if (Installed && font)
    Installed->DeleteFont(font);
}

bool LICE_TextRenderer::ProbeWineHost()
{
  return false;
}
