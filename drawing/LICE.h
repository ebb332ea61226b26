#pragma once
// The drawing library in one include.

#include "drawing/LICE_Blit.h"
#include "drawing/LICE_Combine.h"
#include "drawing/LICE_FillRect.h"
#include "drawing/LICE_IBitmap.h"
#include "drawing/LICE_MemBitmap.h"
#include "drawing/LICE_PNG.h"
#include "drawing/LICE_SysBitmap.h"
#include "drawing/LICE_Types.h"
