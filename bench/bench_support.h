// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every benchmark shares: a steady clock in milliseconds, medians, the
// alternating runner that times two or more sides in turn, and history lines
// like the ones finished drills write.
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

double NowMs();
double Median(std::vector<double> Values);

// One side of a comparison: a name and one timed repetition (returns the
// milliseconds it took; the side may leave set-up out of the figure).
struct TBenchSide {
  std::string Name;
  std::function<double()> RunOnce;
};

// Runs Warmup rounds, then Repetitions rounds; each round runs every side
// once, starting with a different side each round so that no side always
// follows the same one. Returns the median milliseconds of each side.
std::vector<double> RunAlternating(const std::vector<TBenchSide>& Sides, int Warmup, int Repetitions);

// Times Body once, in milliseconds.
double TimeMs(const std::function<void()>& Body);

// Drill I of the made-up history that the chart tests' reference pictures
// show too: percentages 0..100, durations 1:40 to 5:20, 46-byte lines.
std::string HistoryLine(std::size_t I);
// N such lines, each followed by CR LF: the bytes of a history file.
std::string HistoryBytes(std::size_t N);

// "12.345": milliseconds with three decimals.
std::string Ms(double Value);
