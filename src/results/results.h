// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results of finished drills: the history file, each finished drill
// recorded in it, and the history as the result chart's two series. Knows no
// window: the main window hands it each summary, the graph window shows it.
#include <optional>
#include <string>

#include "history/history_copies.h"
#include "history/history_file.h"

class TChart;
class TDateSource;

// A copy of the history that the start offers to put back: the newest one of
// the folder, and how many drills it holds.
struct TRestoreOffer {
  THistoryCopy Copy;
  int Drills = 0;
  bool HistoryMissing = false;  // else the history is damaged
};

// What putting a copy back did.
struct TRestoreOutcome {
  int CopyDrills = 0;
  int AddedDrills = 0;    // drills of the damaged history finished after the copy
  std::string KeptAs;     // the damaged history's new name; empty when there was none
};

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
  // more try, and a save that works leaves the day's copy if there is none.
  // What still cannot be written goes to the recovery file, and EFileError
  // tells the user where it is; when even that fails, the save's own error is
  // thrown.
  void Finish();

  // A finished drill: its summary line joins the history and the whole history
  // is written to the file. When writing fails the line stays in the history,
  // so the chart shows it and the next drill that can be saved writes it too:
  // the EFileError thrown says so after the reason. Throws EListError, and
  // records nothing, when the history cannot take another line.
  void Record(const std::string& SummaryLine);

  const THistoryFile& History() const { return FHistory; }

  // From now on the first save of each day (the day as Clock tells it) that
  // succeeds leaves a copy of the history in the user's data directory
  // (history_copies.h). A copy that cannot be made never fails the save: the
  // first such failure of the run leaves its message for TakeCopyNotice.
  void KeepDailyCopies(TDateSource& Clock);
  // The message of a copy that could not be made, once; empty otherwise.
  std::string TakeCopyNotice();

  // The folder's newest copy, when Load found the history missing or damaged
  // (lines LoadNotice names, or a file that could not be read whole) and the
  // folder has copies.
  std::optional<TRestoreOffer> RestoreOffer() const;
  // Puts Copy back as the history file, followed by the drills of the history
  // read by Load that were finished after it (MergeAfterCopy); the file it
  // replaces is kept as HIST_ZV.DAT.bak (.bak.1, ...). The history is then read
  // again. Throws EFileError when the copy cannot be read or written back; the
  // history file is then as it was.
  TRestoreOutcome Restore(const THistoryCopy& Copy);

  // The absolute path of the history's folder.
  std::string Folder() const;

  // Rebuilds a chart set up by ConfigureResultChart from the history: one bar
  // and one line point per drill. A line that holds no drill's figures keeps
  // its place empty; the first such line's field error is thrown
  // (EConvertError) once every other drill is in the chart.
  void FillChart(TChart& Chart) const;

private:
  void RecoverWaitingDrills();
  void KeepCopy();
  // The recovery file of this history's folder.
  std::string RecoveryFile() const;

  std::string FFileName;
  THistoryFile FHistory;
  bool FFileMissing = false;  // at Load
  TDateSource* FCopyClock = nullptr;
  bool FCopyFailureTold = false;
  std::string FCopyNotice;
};
