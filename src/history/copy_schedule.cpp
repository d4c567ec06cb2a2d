// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/copy_schedule.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

bool IsLeapYear(int Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

int DaysInMonth(int Year, int Month) {
  static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return Month == 2 && IsLeapYear(Year) ? 29 : Days[Month - 1];
}

int MonthNumber(TDay Day) { return Day.Year * 12 + Day.Month - 1; }

}  // namespace

std::string DayText(TDay Day) {
  char Text[32];
  std::snprintf(Text, sizeof Text, "%04d-%02d-%02d", Day.Year, Day.Month, Day.Day);
  return Text;
}

std::optional<TDay> DayFromText(std::string_view Text) {
  if (Text.size() != 10 || Text[4] != '-' || Text[7] != '-') return std::nullopt;
  int Fields[3] = {0, 0, 0};
  const std::size_t Starts[3] = {0, 5, 8}, Lengths[3] = {4, 2, 2};
  for (int F = 0; F < 3; ++F) {
    for (std::size_t I = Starts[F]; I < Starts[F] + Lengths[F]; ++I) {
      if (Text[I] < '0' || Text[I] > '9') return std::nullopt;
      Fields[F] = Fields[F] * 10 + (Text[I] - '0');
    }
  }
  const TDay Day{Fields[0], Fields[1], Fields[2]};
  if (Day.Year < 1 || Day.Month < 1 || Day.Month > 12 || Day.Day < 1 || Day.Day > DaysInMonth(Day.Year, Day.Month)) {
    return std::nullopt;
  }
  return Day;
}

std::vector<TDay> CopiesToKeep(TDay Today, std::vector<TDay> Existing) {
  std::sort(Existing.begin(), Existing.end());
  Existing.erase(std::unique(Existing.begin(), Existing.end()), Existing.end());
  std::set<TDay> Kept;
  const std::size_t Count = Existing.size();
  for (std::size_t I = Count > DailyCopiesKept ? Count - DailyCopiesKept : 0; I < Count; ++I) Kept.insert(Existing[I]);
  // Oldest first: the first copy met in a month is that month's first.
  int LastMonth = -1;
  for (const TDay& Day : Existing) {
    const int Month = MonthNumber(Day);
    if (Month == LastMonth) continue;
    LastMonth = Month;
    const int Back = MonthNumber(Today) - Month;
    if (Back >= 0 && Back < MonthlyCopiesKept) Kept.insert(Day);
  }
  return {Kept.begin(), Kept.end()};
}
