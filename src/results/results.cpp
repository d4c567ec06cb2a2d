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
  if (FHistory.ReadWhole() || FHistory.KeptCopy().empty()) return std::string();
  return FormatTemplate(Texts().DamagedHistoryNotice,
                        {ToSjis(ExpandFileName(FFileName)), static_cast<int32_t>(FHistory.Count()),
                         ToSjis(ExpandFileName(FHistory.KeptCopy()))});
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
  FHistory.Save();
}

void TResults::FillChart(TChart& Chart) const { FillResultChart(Chart, FHistory); }
