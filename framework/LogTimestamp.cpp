#include "framework/LogTimestamp.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

char* FormatLogTimestamp(const std::tm& local, const std::tm& utc, char* out, int size)
{
  if (!out || size <= 0) return out;
  out[0] = 0;

  char stamp[32];
  if (!std::strftime(stamp, sizeof(stamp), "%Y%m%d %H:%M ", &local)) stamp[0] = 0;

  int offset = (local.tm_hour * 60 + local.tm_min) - (utc.tm_hour * 60 + utc.tm_min);
  // Local and UTC may fall on neighbouring days, also across a year's end.
  int days = local.tm_yday - utc.tm_yday;
  if (days >= 2) days = -1;
  else if (days < -1) days = 1;
  offset += days * 1440;

  const int magnitude = std::abs(offset);
  std::snprintf(out, size_t(size), "%s%c%02d%02d", stamp, offset >= 0 ? '+' : '-',
                magnitude / 60, magnitude % 60);
  return out;
}

const char* MakeLogTimestamp()
{
  static char sTimestamp[64];
  const std::time_t now = std::time(nullptr);
  // Copy each result at once: both functions share one static record.
  std::tm local{};
  std::tm utc{};
  if (const std::tm* p = std::localtime(&now)) local = *p;
  if (const std::tm* p = std::gmtime(&now)) utc = *p;
  return FormatLogTimestamp(local, utc, sTimestamp, int(sizeof(sTimestamp)));
}
