// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which daily copies of the history are kept: the 14 newest, and the first
// copy of each of the last 24 months counted back from today's month. Knows
// days only, no files.
#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TDay {
  int Year = 0;
  int Month = 0;  // 1..12
  int Day = 0;    // 1..31
  auto operator<=>(const TDay&) const = default;
};

inline constexpr int DailyCopiesKept = 14;
inline constexpr int MonthlyCopiesKept = 24;

// "2026-03-05".
std::string DayText(TDay Day);
// The day a "YYYY-MM-DD" text names, or nothing for any other text (a month
// beyond 12, a day beyond the month's last).
std::optional<TDay> DayFromText(std::string_view Text);

// The copies of Existing to keep on Today, oldest first: the DailyCopiesKept
// newest ones, and the oldest one of each month from Today's month back
// through MonthlyCopiesKept months. A copy dated after Today (the clock was
// set back) counts among the newest like any other.
std::vector<TDay> CopiesToKeep(TDay Today, std::vector<TDay> Existing);
