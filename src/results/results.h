#pragma once
// The results of finished drills: the history file, each finished drill
// recorded in it, and the history as the result chart's two series. Knows no
// window: the main window hands it each summary, the graph window shows it.
#include <string>

#include "history_file.h"

class TChart;

class TResults {
public:
  explicit TResults(std::string FileName = HistoryFileName);

  // Reads the history file, if it is there. Throws EFileError with the user's
  // message when it cannot be read; the lines read before the fault stay.
  void Load();

  // A finished drill: its summary line joins the history and the whole history
  // is written to the file. When writing fails (EFileError) the line stays in
  // the history, so the chart shows it and the next drill that can be saved
  // writes it too. Throws EListError, and records nothing, when the history
  // cannot take another line.
  void Record(const std::string& SummaryLine);

  const THistoryFile& History() const { return FHistory; }

  // Rebuilds a chart set up by ConfigureResultChart from the history: one bar
  // and one line point per drill. A damaged field throws EConvertError; the
  // points before it stay.
  void FillChart(TChart& Chart) const;

private:
  THistoryFile FHistory;
};
