// SPDX-License-Identifier: GPL-3.0-or-later
// Recording a finished drill in the history file, and the history as the
// result chart's series.
#include "results/results.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <utility>

#include "history/copy_merge.h"
#include "history/recovery_file.h"
#include "platform/app_error.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/format_template.h"
#include "platform/sjis.h"
#include "results/result_chart.h"
#include "results/result_texts.h"

TResults::TResults(std::string FileName) : FFileName(FileName), FHistory(std::move(FileName)) {}

void TResults::Load() {
  FFileMissing = !FileIsPresent(FFileName);
  FHistory.Load();
  RecoverWaitingDrills();
}

std::string TResults::Folder() const {
  const std::string Path = ExpandFileName(FFileName);
  return Path.substr(0, Path.rfind('/'));
}

std::string TResults::RecoveryFile() const { return RecoveryFileName(Folder()); }

void TResults::RecoverWaitingDrills() {
  const std::string Waiting = RecoveryFile();
  const std::vector<std::string> Lines = RecoveredLines(Waiting);
  if (Lines.empty()) return;
  // A failed write leaves the recovery file as it is, for the next start.
  if (AppendRecovered(FHistory, Lines) > 0) FHistory.Save();
  std::remove(Waiting.c_str());
}

std::string TResults::LoadNotice() const {
  const TResultTexts& T = ResultTexts();
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
    // The day's first save that worked may be this one. A copy's failure is
    // not told any more: the program is ending.
    KeepCopy();
  } catch (const EFileError&) {
    const std::string Waiting = RecoveryFile();
    if (Waiting.empty() || KeepForRecovery(Waiting, Unsaved) != 0) throw;
    throw EFileError(FormatTemplate(ResultTexts().KeptForRecoveryNotice,
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
    throw EFileError(Error.Message() + ResultTexts().DrillKeptUnsaved);
  }
  KeepCopy();
}

void TResults::KeepDailyCopies(TDateSource& Clock) { FCopyClock = &Clock; }

std::string TResults::TakeCopyNotice() { return std::exchange(FCopyNotice, std::string()); }

void TResults::KeepCopy() {
  if (FCopyClock == nullptr) return;
  const TDateTime Now = FCopyClock->LocalDateTime();
  const TDay Today{Now.Year, Now.Month, Now.Day};
  // The usual save: the day's copy is there already, and a long history is
  // not gathered for nothing.
  if (HasCopyOn(Folder(), Today)) return;
  std::string Bytes;
  Bytes.reserve(FHistory.Count() * 48);
  for (std::size_t I = 0; I < FHistory.Count(); ++I) (Bytes += FHistory.Line(I)) += "\r\n";
  const int Error = KeepDailyCopy(Folder(), Bytes, Today);
  if (Error == 0 || FCopyFailureTold) return;
  FCopyFailureTold = true;
  FCopyNotice = FormatTemplate(ResultTexts().CopyFailedNotice, {ToSjis(CopiesDirectory(Folder())), OsErrorText(Error)});
}

std::optional<TRestoreOffer> TResults::RestoreOffer() const {
  // The folder's copies first: a folder without any needs no pass over its history.
  const std::vector<THistoryCopy> Copies = HistoryCopies(Folder());
  if (Copies.empty()) return std::nullopt;
  if (!FFileMissing && FHistory.ReadWhole() && LoadNotice().empty()) return std::nullopt;
  THistoryFile Newest(Copies.back().FileName);
  try {
    Newest.Load();
  } catch (const EFileError&) {
    return std::nullopt;  // a copy that cannot be read is not offered
  }
  return TRestoreOffer{Copies.back(), DrillsIn(Newest.Lines()), FFileMissing};
}

TRestoreOutcome TResults::Restore(const THistoryCopy& Copy) {
  THistoryFile Kept(Copy.FileName);
  Kept.Load();
  const std::vector<std::string> CopyLines = Kept.Lines();
  const std::vector<std::string> Lines = MergeAfterCopy(CopyLines, FHistory.Lines());
  std::string Bytes;
  for (const std::string& Line : Lines) Bytes += Line + "\r\n";
  TRestoreOutcome Outcome;
  Outcome.CopyDrills = DrillsIn(CopyLines);
  Outcome.AddedDrills = static_cast<int>(Lines.size() - CopyLines.size());
  {
    const TFolderLock Lock(FFileName, std::chrono::milliseconds(2000));
    const TReplaceResult Result = ReplaceFileContents(FFileName, Bytes, true, &Outcome.KeptAs);
    if (Result.Step != TReplaceStep::Done) {
      throw EFileError(FormatTemplate(ResultTexts().CannotRestoreCopy,
                                      {ToSjis(ExpandFileName(FFileName)), OsErrorText(Result.Error != 0 ? Result.Error : EIO)}));
    }
  }
  FHistory = THistoryFile(FFileName);
  FFileMissing = false;
  FHistory.Load();
  return Outcome;
}

void TResults::FillChart(TChart& Chart) const { FillResultChart(Chart, FHistory); }
