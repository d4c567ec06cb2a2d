// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drill's time sources as a test sets them: the tick count read inside an
// event, the high-resolution counter that seeds the questions (none when
// Counter is empty), and the local date and time a finished drill records.
#include <cstdint>
#include <optional>

#include "drill/drill_clock.h"

class TFakeDrillClock : public TDrillClock {
public:
  uint32_t Now = 0;
  std::optional<uint64_t> Counter = 12345;
  // Each reading of the counter moves it on by one, as a running counter does,
  // so that drills started one after another get questions of their own.
  bool CounterRuns = false;
  TDateTime When{2024, 3, 15, 9, 5, 0};

  uint32_t TickCount() override { return Now; }
  std::optional<uint64_t> PerformanceCounter() override {
    if (CounterRuns && Counter) ++*Counter;
    return Counter;
  }
  TDateTime LocalDateTime() override { return When; }
};
