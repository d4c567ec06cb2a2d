// SPDX-License-Identifier: GPL-3.0-or-later
// The built program's --list-copies and --restore: their messages, the history
// file they leave and their exit status, run where no display is (the
// window system would fail to start there).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "drill/drill_texts.h"
#include "history/history_copies.h"
#include "history_lines.h"
#include "temp_work_dir.h"

namespace {

const std::string A = DrillLine(85, "2026/03/01 09:05");
const std::string B = DrillLine(90, "2026/03/02 09:05");
const std::string C = DrillLine(95, "2026/03/03 09:05");

struct TRun {
  int Status = -1;
  std::string Out, Err;
};

// The program with Args in the working directory, its data directory Data.
TRun RunProgram(const std::string& Args, const std::string& Data) {
  const std::string Command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_DATA_HOME='" + Data + "' '" +
                              SURASURA_PROGRAM + "' " + Args + " >out.txt 2>err.txt";
  const int Wait = std::system(Command.c_str());
  TRun Run;
  if (WIFEXITED(Wait)) Run.Status = WEXITSTATUS(Wait);
  Run.Out = ReadBytes("out.txt");
  Run.Err = ReadBytes("err.txt");
  return Run;
}

}  // namespace

TEST(CopyCommand, ListsAndRestoresWithoutTheWindowSystem) {
  const struct {
    const char* Name;
    bool WithCopies;
    std::string Args;
    int Status;
    std::vector<std::string> Said;  // in the output, or the errors when it fails
    std::string HistoryAfter;       // the history starts as A, a damaged line, C
  } Cases[] = {
      {"no copies listed", false, "--list-copies", 0, {"の履歴のコピーはありません"}, ""},
      {"copies listed", true, "--list-copies", 0, {"2026-03-01  1 回分", "2026-03-02  2 回分"}, ""},
      {"a day restored", true, "--restore 2026-03-01", 0,
       {"2026-03-01 のコピー（1 回分）を", "ドリル 1 回分を書き足しました", "HIST_ZV.DAT.bak"}, A + "\r\n" + C + "\r\n"},
      {"a day without a copy", true, "--restore 2026-03-09", 1, {"2026-03-09 の履歴のコピーはありません"}, ""},
      {"not a day", true, "--restore 2026-3-1", 2, {"年-月-日", "使い方"}, ""},
      {"no day", true, "--restore", 2, {"使い方"}, ""},
      {"too much", true, "--list-copies now", 2, {"使い方"}, ""},
  };
  for (const auto& Case : Cases) {
    const TTempWorkDir Folder;
    const std::string Data = Folder.Path() + "/data";
    const TScopedEnv DataHome{"XDG_DATA_HOME", Data};
    const std::string History = A + "\r\n\x81\x40\r\n" + C + "\r\n";
    WriteBytes("HIST_ZV.DAT", History);
    if (Case.WithCopies) {
      ASSERT_EQ(KeepDailyCopy(Folder.Path(), A + "\r\n", {2026, 3, 1}), 0);
      ASSERT_EQ(KeepDailyCopy(Folder.Path(), A + "\r\n" + B + "\r\n", {2026, 3, 2}), 0);
    }
    const TRun Run = RunProgram(Case.Args, Data);
    EXPECT_EQ(Run.Status, Case.Status) << Case.Name << "\n" << Run.Out << Run.Err;
    for (const std::string& Text : Case.Said) {
      EXPECT_NE((Case.Status == 0 ? Run.Out : Run.Err).find(Text), std::string::npos) << Case.Name << ": " << Text;
    }
    EXPECT_EQ(ReadBytes("HIST_ZV.DAT"), Case.HistoryAfter.empty() ? History : Case.HistoryAfter) << Case.Name;
  }
}
