// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result chart: its settings and its two series (bars for the percentage of
// correct answers, a line for the duration), and the rebuild of both series
// from the results history. Plain chart code: the graph window draws it.
class TChart;
class THistoryFile;

// Sets up a new chart as the graph window shows it and adds PercentBars (bars,
// index 0) and DurationLine (line, index 1).
void ConfigureResultChart(TChart& Chart);
// The same without the series: the title, the back wall, the axes' fixed
// ranges, titles and fonts.
void ConfigureResultFrame(TChart& Chart);

// Empties both series, then adds one bar point and one line point per history
// line, oldest first at x = 0, and widens the duration axis to take in every
// duration (duration_axis.h). A field that is not a number throws
// EConvertError; the points added before it stay.
void FillResultChart(TChart& Chart, const THistoryFile& History);
