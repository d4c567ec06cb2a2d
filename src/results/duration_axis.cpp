// SPDX-License-Identifier: GPL-3.0-or-later
// The duration axis's range from the durations of the drills.
#include "results/duration_axis.h"

#include <algorithm>
#include <cmath>

#include "chart/chart.h"

TDurationRange DurationAxisRange(const TChartValueList& Durations) {
  TDurationRange Range;
  if (Durations.ValueCount() == 0) return Range;
  const double Lowest = Durations.LowestValue();
  const double Highest = Durations.HighestValue();
  if (Lowest < Range.Minimum) Range.Minimum = std::max(0.0, std::floor(Lowest / DurationStep) * DurationStep);
  if (Highest > Range.Maximum) Range.Maximum = std::ceil(Highest / DurationStep) * DurationStep;
  return Range;
}

void FitDurationAxis(TChart& Chart) {
  if (Chart.SeriesCount() < 2 || !Chart.ZoomScroll.RangesRestored()) return;
  const TDurationRange Range = DurationAxisRange(Chart.Series(1).YValues);
  Chart.RightAxis.SetMinMax(Range.Minimum, Range.Maximum);
}
