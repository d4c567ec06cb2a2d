// SPDX-License-Identifier: GPL-3.0-or-later
// Which daily copies of the history are kept on a day: the 14 newest and the
// first of each of the last 24 months; and the day texts the copies are named by.
#include "history/copy_schedule.h"

#include <gtest/gtest.h>

namespace {

using TDays = std::vector<TDay>;

// Every day from First on, Count days in a row.
TDays DaysInARow(TDay First, int Count) {
  TDays Days;
  for (TDay Day = First; static_cast<int>(Days.size()) < Count;) {
    Days.push_back(Day);
    if (!DayFromText(DayText({Day.Year, Day.Month, Day.Day + 1}))) {
      Day = Day.Month == 12 ? TDay{Day.Year + 1, 1, 1} : TDay{Day.Year, Day.Month + 1, 1};
    } else {
      ++Day.Day;
    }
  }
  return Days;
}

// The first day of Count months in a row from First's month.
TDays FirstDays(int Year, int Month, int Count) {
  TDays Days;
  for (int I = 0; I < Count; ++I) Days.push_back({Year + (Month - 1 + I) / 12, (Month - 1 + I) % 12 + 1, 1});
  return Days;
}

TDays Joined(TDays A, const TDays& B) {
  A.insert(A.end(), B.begin(), B.end());
  return A;
}

}  // namespace

TEST(CopySchedule, KeepsTheNewestFourteenAndTheFirstOfEachOfTwentyFourMonths) {
  const struct {
    const char* Name;
    TDay Today;
    TDays Existing, Kept;
  } Cases[] = {
      {"none", {2026, 3, 5}, {}, {}},
      {"a few", {2026, 3, 5}, {{2026, 3, 5}, {2026, 3, 1}, {2026, 2, 27}}, {{2026, 2, 27}, {2026, 3, 1}, {2026, 3, 5}}},
      // Twenty days of March: the newest fourteen and the month's first.
      {"twenty days", {2026, 3, 20}, DaysInARow({2026, 3, 1}, 20),
       Joined({{2026, 3, 1}}, DaysInARow({2026, 3, 7}, 14))},
      // Forty days over a month's end: January's first copy stays.
      {"forty days", {2026, 2, 9}, DaysInARow({2026, 1, 1}, 40),
       Joined({{2026, 1, 1}}, DaysInARow({2026, 1, 27}, 14))},
      // A copy on the first of each month for 30 months: the 24 months back
      // from today's stay, across the year's end.
      {"thirty months", {2026, 6, 1}, FirstDays(2024, 1, 30), FirstDays(2024, 7, 24)},
      // Days in one month each of the last two months: only each month's first
      // besides the newest.
      {"old months go", {2026, 6, 30},
       Joined(FirstDays(2023, 1, 3), Joined(DaysInARow({2026, 5, 1}, 31), DaysInARow({2026, 6, 1}, 30))),
       Joined({{2026, 5, 1}, {2026, 6, 1}}, DaysInARow({2026, 6, 17}, 14))},
      // The clock was set back: a copy dated after today still counts as new.
      {"dated after today", {2026, 3, 10}, {{2026, 5, 1}, {2026, 3, 1}}, {{2026, 3, 1}, {2026, 5, 1}}},
  };
  for (const auto& Case : Cases) {
    EXPECT_EQ(CopiesToKeep(Case.Today, Case.Existing), Case.Kept) << Case.Name;
  }
}

TEST(CopySchedule, DayTexts) {
  const struct {
    const char* Text;
    std::optional<TDay> Day;
  } Cases[] = {
      {"2026-03-05", TDay{2026, 3, 5}},
      {"2024-02-29", TDay{2024, 2, 29}},
      {"2100-02-29", std::nullopt},
      {"2026-02-29", std::nullopt},
      {"2026-13-01", std::nullopt},
      {"2026-04-31", std::nullopt},
      {"2026-00-10", std::nullopt},
      {"2026-3-5", std::nullopt},
      {"2026/03/05", std::nullopt},
      {"2026-03-05x", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& Case : Cases) {
    EXPECT_EQ(DayFromText(Case.Text), Case.Day) << Case.Text;
    if (Case.Day) {
      EXPECT_EQ(DayText(*Case.Day), Case.Text);
    }
  }
}
