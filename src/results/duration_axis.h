// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The range of the result chart's duration axis (the right one): 100 to 300
// seconds while every duration lies inside, else widened to whole steps of
// DurationStep seconds so that the shortest and the longest drill are on it.
class TChart;
class TChartValueList;

struct TDurationRange {
  double Minimum = 100;
  double Maximum = 300;
  friend bool operator==(const TDurationRange&, const TDurationRange&) = default;
};

inline constexpr double DurationStep = 100;

// The range that takes in Durations (seconds; none gives 100 to 300).
TDurationRange DurationAxisRange(const TChartValueList& Durations);

// Sets the right axis of the result chart to the range of its duration line
// (series 1), unless the user has zoomed or scrolled the view: their ranges
// stay until Home.
void FitDurationAxis(TChart& Chart);

// Fits the duration axis when it goes out of scope, however the filling of
// the series ends (a line that does not read throws after the others are in).
struct TDurationAxisFit {
  TChart& Chart;
  ~TDurationAxisFit() { FitDurationAxis(Chart); }
};
