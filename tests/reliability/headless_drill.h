// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finishes whole drills without windows: the drill run of the program with a
// display that keeps its log in memory and hands every summary to the results,
// as the main window does. Drill
// number N always gives the same summary line, so that a test can tell which
// lists the file may hold.
#include <cstdint>
#include <string>
#include <vector>

#include "drill/drill_run.h"
#include "fake_drill_clock.h"
#include "fake_drill_view.h"
#include "results/results.h"

class THeadlessDrill {
public:
  explicit THeadlessDrill(TResults& Results);

  // Runs drill number N from the start button to the last Enter and returns
  // its summary line. The results record it as in the program.
  std::string Finish(int N);

  // The messages the error box would have shown, oldest first.
  const std::vector<std::string>& Errors() const { return FView.Errors; }
  void ClearErrors() { FView.Errors.clear(); }
  // Lines now in the drill log (the last drill's, its summary on top).
  std::size_t LogLines() const { return FView.Log.size(); }

  // The summary line of drill number N, made as the drill makes it.
  static std::string ExpectedLine(int N);

private:
  TFakeDrillView FView;
  TFakeDrillClock FClock;
  TDrillRun FRun;
};
