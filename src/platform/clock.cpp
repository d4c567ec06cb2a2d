// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clock.h"

#include <cctype>
#include <cstring>
#include <ctime>
#include <langinfo.h>

namespace {

uint64_t MonotonicNanoseconds(clockid_t Clock) {
  timespec Now{};
  clock_gettime(Clock, &Now);
  return static_cast<uint64_t>(Now.tv_sec) * 1000000000ull + static_cast<uint64_t>(Now.tv_nsec);
}

// The first ASCII punctuation character of a locale format that separates two
// conversions, e.g. '/' in "%Y/%m/%d" or '.' in "%d.%m.%y".
char SeparatorIn(const char* Format, char Fallback) {
  if (Format == nullptr) return Fallback;
  for (const char* P = Format; *P != '\0'; ++P) {
    if (*P == '%') {
      if (P[1] != '\0') ++P;
      continue;
    }
    unsigned char C = static_cast<unsigned char>(*P);
    if (C < 0x80 && std::ispunct(C)) return static_cast<char>(C);
    if (C >= 0x80) return Fallback;  // a multi-byte separator is not taken
  }
  return Fallback;
}

}  // namespace

uint32_t TickCount() {
  return static_cast<uint32_t>(MonotonicNanoseconds(CLOCK_MONOTONIC) / 1000000ull);
}

std::optional<uint64_t> PerformanceCounter() {
  timespec Now{};
  if (clock_gettime(CLOCK_MONOTONIC_RAW, &Now) != 0) return std::nullopt;
  return static_cast<uint64_t>(Now.tv_sec) * 1000000000ull + static_cast<uint64_t>(Now.tv_nsec);
}

TDateTime LocalDateTime() {
  std::time_t Now = std::time(nullptr);
  std::tm Local{};
  localtime_r(&Now, &Local);
  return TDateTime{Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday,
                   Local.tm_hour, Local.tm_min, Local.tm_sec};
}

char DateSeparator() { return SeparatorIn(nl_langinfo(D_FMT), '/'); }

char TimeSeparator() { return SeparatorIn(nl_langinfo(T_FMT), ':'); }
