// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the result chart offers besides the mouse: the keys that zoom and
// scroll it, the readout of the drill under a resting pointer (its hint), and
// the summary that assistive technology reads as its description.
#include <QString>
#include <optional>

#include "chart/chart_keys.h"
#include "results/history_summary.h"

class QKeyEvent;
class TChartWidget;
class THistoryFile;

// The chart key a key press stands for, if any (no Ctrl, Alt or Meta held).
std::optional<TChartKey> ChartKeyOf(const QKeyEvent& Event);

class TResultChartAccess {
public:
  // Wires the widget's hints and layouts to History, which outlives both.
  TResultChartAccess(TChartWidget& Widget, const THistoryFile& History);

  // At each showing, before the chart is painted: the history's figures anew.
  void Shown();
  // A key pressed in the graph window: true when it was a chart key.
  bool KeyPressed(const QKeyEvent& Event);

private:
  // The summary of the history and of the drills the last paint showed.
  void Describe();

  TChartWidget& FWidget;
  const THistoryFile& FHistory;
  THistoryFigures FFigures;
};
