// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start of the program: the results and the two windows, created in their
// fixed order.
#include <memory>
#include <string>

#include "drill/drill_clock.h"
#include "history/history_file.h"

class TApplication;
class TMainWindow;
class TGraphWindow;
class TResults;

struct TProgramWindows {
  std::unique_ptr<TResults> Results;  // outlives both windows, which refer to it
  std::unique_ptr<TMainWindow> MainWindow;
  std::unique_ptr<TGraphWindow> GraphWindow;
  TProgramWindows();
  TProgramWindows(TProgramWindows&&) noexcept;
  TProgramWindows& operator=(TProgramWindows&&) noexcept;
  ~TProgramWindows();
};

// Creates the results and shows the main window, then, once the main window
// has been painted, gives the windows the program's icon, creates the result
// graph window and reads the history. So the main window is on screen while
// the history is read, and an error in reading it opens its box over the main
// window. A history that is missing or damaged while the folder has daily
// copies gets the box that offers the newest one. The results keep a daily
// copy of the history from then on. User input waits until all is done.
TProgramWindows CreateWindows(TApplication& Application, TDrillClock& Clock,
                              const std::string& FileName = HistoryFileName);
