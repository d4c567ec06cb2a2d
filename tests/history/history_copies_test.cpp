// SPDX-License-Identifier: GPL-3.0-or-later
// The daily copies of a history folder in the user's data directory: made
// once a day unless the newest copy holds the same history, thinned out by
// the schedule, private to the user.
#include "history/history_copies.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "temp_work_dir.h"

namespace {

class CopiesOfAFolder : public ::testing::Test {
protected:
  // Each copy as "day=bytes".
  std::vector<std::string> Copies(const std::string& Folder) {
    std::vector<std::string> Found;
    for (const THistoryCopy& Copy : HistoryCopies(Folder)) Found.push_back(DayText(Copy.Day) + "=" + ReadBytes(Copy.FileName));
    return Found;
  }
  TTempWorkDir Dir;
  TScopedEnv DataHome{"XDG_DATA_HOME", Dir.Path() + "/data"};
};

}  // namespace

// The days' sequences through the results are in results_copies_test.cpp;
// here the history a day's first save gives is the newest copy's already.
TEST_F(CopiesOfAFolder, AnIdenticalHistoryIsNotCopiedAgain) {
  const struct {
    const char* Name;
    std::vector<std::pair<TDay, const char*>> Saves;
    std::vector<std::string> After;
  } Cases[] = {
      {"the same history the next day", {{{2026, 3, 5}, "a\r\n"}, {{2026, 3, 6}, "a\r\n"}}, {"2026-03-05=a\r\n"}},
      {"a changed one is copied",
       {{{2026, 3, 5}, "a\r\n"}, {{2026, 3, 6}, "a\r\n"}, {{2026, 3, 7}, "a\r\nb\r\n"}},
       {"2026-03-05=a\r\n", "2026-03-07=a\r\nb\r\n"}},
      {"the same as an older copy, not the newest",
       {{{2026, 3, 5}, "a\r\n"}, {{2026, 3, 6}, "b\r\n"}, {{2026, 3, 7}, "a\r\n"}},
       {"2026-03-05=a\r\n", "2026-03-06=b\r\n", "2026-03-07=a\r\n"}},
  };
  int Folder = 0;
  for (const auto& Case : Cases) {
    const std::string Name = "/home/u/drill" + std::to_string(++Folder);
    for (const auto& [Day, Bytes] : Case.Saves) ASSERT_EQ(KeepDailyCopy(Name, Bytes, Day), 0);
    EXPECT_EQ(Copies(Name), Case.After) << Case.Name;
  }
}

TEST_F(CopiesOfAFolder, AreKeptPerFolderInPrivateDirectories) {
  ASSERT_EQ(KeepDailyCopy("/home/u/a", "a\r\n", {2026, 3, 5}), 0);
  ASSERT_EQ(KeepDailyCopy("/home/u/a/b", "b\r\n", {2026, 3, 5}), 0);
  EXPECT_EQ(Copies("/home/u/a"), std::vector<std::string>{"2026-03-05=a\r\n"});
  EXPECT_EQ(Copies("/home/u/a/b"), std::vector<std::string>{"2026-03-05=b\r\n"});
  EXPECT_EQ(Copies("/home/u/c"), std::vector<std::string>{});
  EXPECT_EQ(CopiesDirectory("/home/u/a"), Dir.Path() + "/data/surasura/%home%u%a.copies");
  for (const std::string& Path : {Dir.Path() + "/data/surasura", CopiesDirectory("/home/u/a")}) {
    struct stat Status {};
    ASSERT_EQ(::stat(Path.c_str(), &Status), 0);
    EXPECT_EQ(Status.st_mode & 0777, 0700u) << Path;
  }
}
