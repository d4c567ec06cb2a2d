// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The short summary of the history that assistive technology reads for the
// result chart: how many drills, the latest one's percentage and time, the
// best percentage, the shortest time, and which drills the chart shows.
#include <cstdint>
#include <optional>
#include <string>

class THistoryFile;

// The figures of the whole history, read once per showing of the chart.
// Lines whose fields do not convert count as drills but give no figures.
struct THistoryFigures {
  int Count = 0;
  std::optional<int32_t> LatestPercent;
  std::optional<int32_t> LatestSeconds;
  std::optional<int32_t> BestPercent;
  std::optional<int32_t> ShortestSeconds;
};
THistoryFigures ReadHistoryFigures(const THistoryFile& History);

// Drills by number, from 1 (the oldest).
struct TShownDrills {
  int First = 0;
  int Last = 0;
};

// The summary, Shift_JIS; Shown is nothing when the chart shows no drill.
std::string HistorySummary(const THistoryFigures& Figures, std::optional<TShownDrills> Shown);
