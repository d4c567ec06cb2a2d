// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time sources of the platform.
#include <cstdint>
#include <optional>

// Milliseconds since an arbitrary start, unsigned 32 bits, wrapping after 2^32 ms.
uint32_t TickCount();

// A 64-bit monotonic high-resolution count, or nothing when it cannot be read.
std::optional<uint64_t> PerformanceCounter();

struct TDateTime {
  int Year = 0;
  int Month = 0;   // 1..12
  int Day = 0;     // 1..31
  int Hour = 0;    // 0..23
  int Minute = 0;  // 0..59
  int Second = 0;  // 0..59
};

// The local date and time of this moment.
TDateTime LocalDateTime();

// Where a part of the program that dates what it does reads the local date and
// time; the program's clocks read LocalDateTime, tests set their own.
class TDateSource {
public:
  virtual ~TDateSource() = default;
  virtual TDateTime LocalDateTime() = 0;
};

// The regional date and time separators: taken from the C library's current
// locale when it gives a single ASCII punctuation character, else '/' and ':'.
char DateSeparator();
char TimeSeparator();
