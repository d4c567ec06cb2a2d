// SPDX-License-Identifier: GPL-3.0-or-later
// Recording a finished drill in the history file, and the history as the
// result chart's series.
#include "results.h"

#include <cstdio>

#include "app_error.h"
#include "files.h"
#include "format_template.h"
#include "program_texts.h"
#include "recovery_file.h"
#include "result_chart.h"
#include "sjis.h"

TResults::TResults(std::string FileName) : FFileName(FileName), FHistory(std::move(FileName)) {}

void TResults::Load() {
  FHistory.Load();
  RecoverWaitingDrills();
}

std::string TResults::RecoveryFile() const {
  const std::string Path = ExpandFileName(FFileName);
  return RecoveryFileName(Path.substr(0, Path.rfind('/')));
}

void TResults::RecoverWaitingDrills() {
  const std::string Waiting = RecoveryFile();
  const std::vector<std::string> Lines = RecoveredLines(Waiting);
  if (Lines.empty()) return;
  // A failed write leaves the recovery file as it is, for the next start.
  if (AppendRecovered(FHistory, Lines) > 0) FHistory.Save();
  std::remove(Waiting.c_str());
}

std::string TResults::LoadNotice() const {
  const TProgramTexts& T = Texts();
  // Line numbers from 1; the first few are named, the rest counted.
  constexpr std::size_t NamedLines = 10;
  std::string Numbers;
  int32_t Damaged = 0, Drills = 0;
  for (std::size_t I = 0; I < FHistory.Count(); ++I) {
    const std::string_view Line = FHistory.Line(I);
    const bool Readable = THistoryFile::FiguresOf(Line).has_value();
    Drills += Readable;
    if (Readable && Line.find('\0') == std::string_view::npos) continue;
    if (static_cast<std::size_t>(Damaged) < NamedLines) {
      if (Damaged > 0) Numbers += T.LineNumberSeparator;
      Numbers += std::to_string(I + 1);
    } else if (static_cast<std::size_t>(Damaged) == NamedLines) {
      Numbers += T.LineNumberSeparator + T.MoreLineNumbers;
    }
    ++Damaged;
  }
  if (Damaged == 0) return std::string();
  return FormatTemplate(T.DamagedHistoryNotice, {ToSjis(ExpandFileName(FFileName)), Damaged, Numbers, Drills});
}

void TResults::Finish() {
  const std::vector<std::string> Unsaved = FHistory.UnsavedLines();
  if (Unsaved.empty()) return;
  try {
    FHistory.Save();
  } catch (const EFileError&) {
    const std::string Waiting = RecoveryFile();
    if (Waiting.empty() || KeepForRecovery(Waiting, Unsaved) != 0) throw;
    throw EFileError(FormatTemplate(Texts().KeptForRecoveryNotice,
                                    {static_cast<int32_t>(Unsaved.size()), ToSjis(Waiting)}));
  }
}

void TResults::Record(const std::string& SummaryLine) {
  // The line joins the list before the write: a failed write leaves it there
  // for the next one, which writes the whole list.
  FHistory.Append(SummaryLine);
  try {
    FHistory.Save();
  } catch (const EFileError& Error) {
    throw EFileError(Error.Message() + Texts().DrillKeptUnsaved);
  }
}

void TResults::FillChart(TChart& Chart) const { FillResultChart(Chart, FHistory); }
