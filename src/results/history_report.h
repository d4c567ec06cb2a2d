// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The figures of the chart's printed page: the period the history covers, a
// table of the last twelve months (drills, mean percentage, fastest and
// median duration), and the best percentage and the fastest drill ever.
// Read from the history's lines; a line without a drill's figures counts
// nowhere, a drill without a readable date counts in the records but in no
// month.
#include <cstdint>
#include <optional>
#include <vector>

#include "results/drill_readout.h"

class THistoryFile;

struct TMonthFigures {
  int Year = 0;
  int Month = 0;  // 1..12
  int Drills = 0;
  // The rest is nothing in a month without drills.
  std::optional<double> MeanPercent;
  std::optional<int32_t> FastestSeconds;
  // The middle duration; of an even number of drills, the mean of the two in
  // the middle (so it may end in a half second).
  std::optional<double> MedianSeconds;
};

// One drill of the records: its number (from 1, the line's), figures and time.
struct TRecordDrill {
  int Number = 0;
  int32_t Percent = 0;
  int32_t Seconds = 0;
  std::optional<TDrillTime> When;
};

struct THistoryReport {
  int Drills = 0;  // lines with a drill's figures
  // The earliest and the latest date and time among the drills.
  std::optional<TDrillTime> First, Last;
  // Twelve months, oldest first, the last one the month given as this month.
  std::vector<TMonthFigures> Months;
  // The first drill that reached the highest percentage, and the first one of
  // the shortest duration.
  std::optional<TRecordDrill> Best, Fastest;
};

THistoryReport MakeHistoryReport(const THistoryFile& History, int ThisYear, int ThisMonth);
