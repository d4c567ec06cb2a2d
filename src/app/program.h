#pragma once
// The start of the program: the two windows, created in their fixed order.
#include <memory>
#include <string>

#include "drill_clock.h"

class TApplication;
class TMainWindow;
class TGraphWindow;

struct TProgramWindows {
  std::unique_ptr<TMainWindow> MainWindow;
  std::unique_ptr<TGraphWindow> GraphWindow;
  TProgramWindows();
  TProgramWindows(TProgramWindows&&) noexcept;
  TProgramWindows& operator=(TProgramWindows&&) noexcept;
  ~TProgramWindows();
};

// Creates and shows the main window, then, once the main window has been
// painted, gives the windows the program's icon and creates the result graph
// window, which reads the history. So the main window is on screen while the
// history is read, and an error in reading it opens its box over the main
// window. User input waits until all is done.
TProgramWindows CreateWindows(TApplication& Application, TDrillClock& Clock,
                              const std::string& HistoryFileName = "./HIST_ZV.DAT");
