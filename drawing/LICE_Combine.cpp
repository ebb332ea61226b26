#include "drawing/LICE_Combine.h"

// entry i = floor(65536 / i) - 1, entry 0 = 0
const uint16_t ReciprocalTable[256] = {
  0, 65535, 32767, 21844, 16383, 13106, 10921, 9361, 8191, 7280, 6552, 5956,
  5460, 5040, 4680, 4368, 4095, 3854, 3639, 3448, 3275, 3119, 2977, 2848,
  2729, 2620, 2519, 2426, 2339, 2258, 2183, 2113, 2047, 1984, 1926, 1871,
  1819, 1770, 1723, 1679, 1637, 1597, 1559, 1523, 1488, 1455, 1423, 1393,
  1364, 1336, 1309, 1284, 1259, 1235, 1212, 1190, 1169, 1148, 1128, 1109,
  1091, 1073, 1056, 1039, 1023, 1007, 991, 977, 962, 948, 935, 922,
  909, 896, 884, 872, 861, 850, 839, 828, 818, 808, 798, 788,
  779, 770, 761, 752, 743, 735, 727, 719, 711, 703, 696, 688,
  681, 674, 667, 660, 654, 647, 641, 635, 629, 623, 617, 611,
  605, 600, 594, 589, 584, 578, 573, 568, 563, 559, 554, 549,
  545, 540, 536, 531, 527, 523, 519, 515, 511, 507, 503, 499,
  495, 491, 488, 484, 480, 477, 473, 470, 467, 463, 460, 457,
  454, 450, 447, 444, 441, 438, 435, 433, 430, 427, 424, 421,
  419, 416, 413, 411, 408, 406, 403, 401, 398, 396, 393, 391,
  389, 386, 384, 382, 380, 377, 375, 373, 371, 369, 367, 365,
  363, 361, 359, 357, 355, 353, 351, 349, 347, 345, 343, 342,
  340, 338, 336, 335, 333, 331, 329, 328, 326, 325, 323, 321,
  320, 318, 317, 315, 314, 312, 311, 309, 308, 306, 305, 303,
  302, 301, 299, 298, 296, 295, 294, 292, 291, 290, 288, 287,
  286, 285, 283, 282, 281, 280, 279, 277, 276, 275, 274, 273,
  272, 270, 269, 268, 267, 266, 265, 264, 263, 262, 261, 260,
  259, 258, 257, 256,
};

LICE_Pixel LICE_HsvToPixel(int h, int s, int v, int a)
{
  const int low = v * (256 - s) / 256;
  auto ramp = [&](int x) { return v * (16384 - x * s) / 16384; };
  int r, g, b;
  if (h < 64)
  {
    r = v; g = ramp(64 - h); b = low;
  }
  else if (h < 128)
  {
    r = ramp(h - 64); g = v; b = low;
  }
  else if (h < 192)
  {
    r = low; g = v; b = ramp(192 - h);
  }
  else if (h < 256)
  {
    r = low; g = ramp(h - 192); b = v;
  }
  else if (h < 320)
  {
    r = ramp(320 - h); g = low; b = v;
  }
  else
  {
    r = v; g = low; b = ramp(h - 320);
  }
  return LICE_RGBA(r, g, b, a);
}

void LICE_CombineHsvAdjust(LICE_Pixel* p, int ar, int ag, int ab, int a, int w)
{
  const LICE_Pixel d = *p;
  const int R = LICE_GETR(d), G = LICE_GETG(d), B = LICE_GETB(d);

  int base, num, delta, V;
  if (R < G)
  {
    if (B < G)
    {
      V = G; base = 128; num = B - R; delta = G - (B < R ? B : R);
    }
    else
    {
      V = B; base = 256; num = R - G; delta = B - R;
    }
  }
  else if (B < R)
  {
    V = R;
    if (G < B)
    {
      base = 383; num = G - B; delta = R - G;
    }
    else
    {
      base = 0; num = G - B; delta = R - B;
    }
  }
  else
  {
    V = B; base = 256; num = R - G; delta = B - G;
  }

  int hue = base + num * (ReciprocalTable[delta] + 1) / 1024 + w * (ar + ar / 2 - 192) / 256;
  if (hue < 0)
    hue += 384;
  else if (hue >= 384)
    hue -= 384;
  // Weights above 256 are not passed by any caller; keep the lookup in range anyway.
  hue %= 384;
  if (hue < 0)
    hue += 384;

  const int sat = LICE_Clamp255(delta * ReciprocalTable[V] / 256 + w * (ag - 128) / 128);
  const int val = LICE_Clamp255(V + w * (ab - 128) / 128);
  *p = LICE_HsvToPixel(hue, sat, val, a);
}
