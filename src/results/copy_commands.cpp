// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/copy_commands.h"

#include "history/history_copies.h"
#include "history/history_file.h"
#include "platform/app_error.h"
#include "platform/format_template.h"
#include "platform/sjis.h"
#include "results/result_texts.h"
#include "results/results.h"

namespace {

// A message line as the terminal shows it.
std::string Said(const std::string& SjisText) { return FromSjis(SjisText) + "\n"; }

int ListCopies(TResults& Results, std::string& Out) {
  const TResultTexts& T = ResultTexts();
  const std::string Folder = ToSjis(Results.Folder());
  const std::vector<THistoryCopy> Copies = HistoryCopies(Results.Folder());
  if (Copies.empty()) {
    Out += Said(FormatTemplate(T.NoCopies, {Folder}));
    return CommandDone;
  }
  Out += Said(FormatTemplate(T.CopiesHeading, {Folder, ToSjis(CopiesDirectory(Results.Folder()))}));
  for (const THistoryCopy& Copy : Copies) {
    THistoryFile Lines(Copy.FileName);
    try {
      Lines.Load();
    } catch (const EFileError&) {
      // The lines read before the fault are counted.
    }
    Out += Said(FormatTemplate(T.CopyListLine, {DayText(Copy.Day), DrillsIn(Lines.Lines())}));
  }
  return CommandDone;
}

int RestoreCopy(TResults& Results, TDay Day, std::string& Out, std::string& Err) {
  const TResultTexts& T = ResultTexts();
  for (const THistoryCopy& Copy : HistoryCopies(Results.Folder())) {
    if (Copy.Day != Day) continue;
    try {
      // The history as far as it can be read: its later drills join the copy.
      Results.Load();
    } catch (const EFileError&) {
    }
    try {
      const TRestoreOutcome Outcome = Results.Restore(Copy);
      Out += Said(FormatTemplate(T.CopyRestored, {DayText(Day), Outcome.CopyDrills,
                                                  ToSjis(Results.Folder() + "/" + std::string(HistoryBaseName))}));
      if (Outcome.AddedDrills > 0) Out += Said(FormatTemplate(T.DrillsAddedToCopy, {Outcome.AddedDrills}));
      if (!Outcome.KeptAs.empty()) Out += Said(FormatTemplate(T.OldHistoryKept, {ToSjis(Outcome.KeptAs)}));
      return CommandDone;
    } catch (const EAppError& Error) {
      Err += Said(Error.Message());
      return CommandFailed;
    }
  }
  Err += Said(FormatTemplate(T.NoCopyOfDay, {DayText(Day)}));
  return CommandFailed;
}

}  // namespace

std::optional<int> RunCopyCommand(const std::vector<std::string>& Args, std::string& Out, std::string& Err,
                                  const std::string& FileName) {
  if (Args.empty() || (Args[0] != "--list-copies" && Args[0] != "--restore")) return std::nullopt;
  TResults Results(FileName);
  if (Args[0] == "--list-copies" && Args.size() == 1) return ListCopies(Results, Out);
  if (Args[0] == "--restore" && Args.size() == 2) {
    if (const std::optional<TDay> Day = DayFromText(Args[1])) return RestoreCopy(Results, *Day, Out, Err);
    Err += Said(FormatTemplate(ResultTexts().NotADay, {ToSjis(Args[1])}));
  }
  Err += Said(ResultTexts().CommandUsage);
  return CommandMisused;
}
