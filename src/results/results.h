// SPDX-License-Identifier: GPL-3.0-or-later
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
  // Drills that an earlier end in this folder could not write (and left in
  // the recovery file) are then put into the history, in order and each once,
  // and the recovery file goes once they are written.
  void Load();

  // The note to give the user right after the start when lines of the
  // history cannot be read as drills (or hold a NUL byte): how many, which
  // line numbers, how many drills were read, and that nothing was deleted.
  // Empty when there is nothing to say.
  std::string LoadNotice() const;

  // At the program's end: finished drills the file does not hold yet get one
  // more try. What still cannot be written goes to the recovery file, and
  // EFileError tells the user where it is; when even that fails, the save's
  // own error is thrown.
  void Finish();

  // A finished drill: its summary line joins the history and the whole history
  // is written to the file. When writing fails the line stays in the history,
  // so the chart shows it and the next drill that can be saved writes it too:
  // the EFileError thrown says so after the reason. Throws EListError, and
  // records nothing, when the history cannot take another line.
  void Record(const std::string& SummaryLine);

  const THistoryFile& History() const { return FHistory; }

  // Rebuilds a chart set up by ConfigureResultChart from the history: one bar
  // and one line point per drill. A line that holds no drill's figures keeps
  // its place empty; the first such line's field error is thrown
  // (EConvertError) once every other drill is in the chart.
  void FillChart(TChart& Chart) const;

private:
  void RecoverWaitingDrills();
  // The recovery file of this history's folder.
  std::string RecoveryFile() const;

  std::string FFileName;
  THistoryFile FHistory;
};
