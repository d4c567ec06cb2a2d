// SPDX-License-Identifier: GPL-3.0-or-later
// Two writers of one history: another copy of the program saving into the same
// folder, or the user editing the file while the program runs. No line that
// another writer put there is dropped, and nothing is written twice.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <random>

#include "history/history_file.h"
#include "history_lines.h"
#include "temp_work_dir.h"

namespace {

const std::string FileName = "HIST_ZV.DAT";

class HistorySharing : public ::testing::Test {
protected:
  TTempWorkDir Dir;
};

}  // namespace

TEST_F(HistorySharing, WhatChangedBetweenLoadAndSaveIsKept) {
  const struct {
    const char* Name;
    std::function<void()> Change;
    std::string Saved;  // the file after "mine" is saved
    std::string Kept;   // HIST_ZV.DAT.bak, or empty when none is made
    bool Aged = false;  // the file last written long before the load
  } Cases[] = {
      {"another writer appended", [] { WriteBytes(FileName, CrlfLines({"a", "b", "theirs"})); },
       CrlfLines({"a", "b", "theirs", "mine"}), ""},
      {"unchanged", [] {}, CrlfLines({"a", "b", "mine"}), ""},
      {"shortened", [] { WriteBytes(FileName, CrlfLines({"a"})); }, CrlfLines({"a", "mine"}), CrlfLines({"a"})},
      {"a line changed", [] { WriteBytes(FileName, CrlfLines({"a", "B"})); }, CrlfLines({"a", "B", "mine"}),
       CrlfLines({"a", "B"})},
      {"rewritten with LF", [] { WriteBytes(FileName, "a\nb\nc\n"); }, CrlfLines({"a", "b", "c", "mine"}),
       "a\nb\nc\n"},
      {"removed", [] { ::unlink(FileName.c_str()); }, CrlfLines({"a", "b", "mine"}), ""},
      // A file not written for a while is known unchanged by its stamp; a
      // change in place, to the same size, still shows.
      {"aged, unchanged", [] {}, CrlfLines({"a", "b", "mine"}), "", true},
      {"aged, a line changed", [] { WriteBytes(FileName, CrlfLines({"a", "B"})); }, CrlfLines({"a", "B", "mine"}),
       CrlfLines({"a", "B"}), true},
      {"aged, appended", [] { WriteBytes(FileName, CrlfLines({"a", "b", "c"})); }, CrlfLines({"a", "b", "c", "mine"}), "",
       true},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    ::unlink((FileName + ".bak").c_str());
    WriteBytes(FileName, CrlfLines({"a", "b"}));
    if (Case.Aged) {
      const timespec HourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
      ASSERT_EQ(::utimensat(AT_FDCWD, FileName.c_str(), HourAgo, 0), 0);
    }
    THistoryFile History(FileName);
    History.Load();
    History.Append("mine");
    EXPECT_EQ(History.UnsavedLines(), std::vector<std::string>{"mine"});
    Case.Change();
    History.Save();
    EXPECT_TRUE(History.UnsavedLines().empty());
    EXPECT_EQ(ReadBytes(FileName), Case.Saved);
    EXPECT_EQ(CrlfLines(History.Lines()), Case.Saved) << "the list follows the file";
    EXPECT_EQ(EntriesOf(".").count(FileName + ".bak") == 1 ? ReadBytes(FileName + ".bak") : "", Case.Kept);
  }
}

TEST_F(HistorySharing, TwoCopiesTakingTurnsKeepEveryDrillOnceInFinishingOrder) {
  THistoryFile First(FileName), Second(FileName);
  First.Load();
  Second.Load();
  std::mt19937 Random(20261208);
  std::string Expected;
  for (int Drill = 0; Drill < 200; ++Drill) {
    THistoryFile& Writer = Random() % 2 == 0 ? First : Second;
    const std::string Line = "drill " + std::to_string(Drill);
    Writer.Append(Line);
    Writer.Save();
    Expected += Line + "\r\n";
    ASSERT_EQ(ReadBytes(FileName), Expected) << "after drill " << Drill;
    ASSERT_EQ(CrlfLines(Writer.Lines()), Expected);
  }
  EXPECT_EQ(EntriesOf("."), std::set<std::string>{FileName});
}

TEST_F(HistorySharing, TwoProcessesSavingAtOnceLoseNothing) {
  // Each writer appends and saves its own 100 lines as fast as it can; the
  // folder's lock makes their read-and-replace steps take turns.
  std::vector<pid_t> Writers;
  for (const char* Name : {"A", "B"}) {
    const pid_t Child = ::fork();
    ASSERT_GE(Child, 0);
    if (Child == 0) {
      THistoryFile History(FileName);
      History.Load();
      for (int Drill = 0; Drill < 100; ++Drill) {
        History.Append(std::string(Name) + std::to_string(Drill));
        History.Save();
      }
      ::_exit(0);
    }
    Writers.push_back(Child);
  }
  for (const pid_t Writer : Writers) {
    int Status = 0;
    ASSERT_EQ(::waitpid(Writer, &Status, 0), Writer);
    ASSERT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
  }
  THistoryFile History(FileName);
  History.Load();
  const std::vector<std::string> Saved = History.Lines();
  ASSERT_EQ(Saved.size(), 200u);
  int NextOf[2] = {0, 0};
  for (const std::string& Line : Saved) {
    const int Writer = Line[0] == 'A' ? 0 : 1;
    EXPECT_EQ(Line.substr(1), std::to_string(NextOf[Writer]++)) << "each writer's lines once, in its order";
  }
}
