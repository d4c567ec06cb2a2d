// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The time sources a drill reads besides the event's own tick count:
// the tick count read again inside an event, the high-resolution counter that
// seeds the questions, and the local date and time of a finished drill.
// The program uses TSystemDrillClock; tests inject their own.
#include <cstdint>
#include <optional>

#include "platform/clock.h"

class TDrillClock : public TDateSource {
public:
  virtual uint32_t TickCount() = 0;
  virtual std::optional<uint64_t> PerformanceCounter() = 0;
};

class TSystemDrillClock : public TDrillClock {
public:
  uint32_t TickCount() override { return ::TickCount(); }
  std::optional<uint64_t> PerformanceCounter() override { return ::PerformanceCounter(); }
  TDateTime LocalDateTime() override { return ::LocalDateTime(); }
};
