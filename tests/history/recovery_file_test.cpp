// SPDX-License-Identifier: GPL-3.0-or-later
// Finished drills kept in the user's data directory when the history could
// not be written at the end, and put into the history at the next start.
#include "history/recovery_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "history/history_file.h"
#include "temp_work_dir.h"

namespace {

using TLines = std::vector<std::string>;

class RecoveryFile : public ::testing::Test {
protected:
  TTempWorkDir Dir;
  TScopedEnv DataHome{"XDG_DATA_HOME", Dir.Path() + "/data"};
};

}  // namespace

TEST_F(RecoveryFile, IsNamedAfterTheFolderInThePrivateDataDirectory) {
  const std::string Name = RecoveryFileName("/home/u/drill");
  EXPECT_EQ(Name, Dir.Path() + "/data/surasura/%home%u%drill.HIST_ZV.DAT");
  EXPECT_NE(RecoveryFileName("/home/u/a%b"), RecoveryFileName("/home/u/a/b"));
  ASSERT_EQ(KeepForRecovery(Name, {"x"}), 0);
  struct stat Status {};
  ASSERT_EQ(::stat((Dir.Path() + "/data/surasura").c_str(), &Status), 0);
  EXPECT_EQ(Status.st_mode & 0777, 0700u);
}

TEST_F(RecoveryFile, KeepsEveryLineOnceInOrder) {
  const std::string Name = RecoveryFileName("/f");
  EXPECT_EQ(RecoveredLines(Name), TLines{});
  ASSERT_EQ(KeepForRecovery(Name, {"a", "b"}), 0);
  EXPECT_EQ(ReadBytes(Name), "a\r\nb\r\n");
  // A second end that still could not save: its lines include the first's.
  ASSERT_EQ(KeepForRecovery(Name, {"b", "c"}), 0);
  EXPECT_EQ(RecoveredLines(Name), (TLines{"a", "b", "c"}));
  // Two drills of one minute, time and percentage: the same line twice.
  ASSERT_EQ(KeepForRecovery(Name, {"a", "b", "c", "c"}), 0);
  EXPECT_EQ(RecoveredLines(Name), (TLines{"a", "b", "c", "c"}));
}

TEST_F(RecoveryFile, OnlyLinesTheHistoryLacksAreAppended) {
  const struct {
    TLines History, Recovered, After;
  } Cases[] = {
      {{}, {"a", "b"}, {"a", "b"}},
      {{"a"}, {"a", "b"}, {"a", "b"}},
      {{"a", "b"}, {"a", "b"}, {"a", "b"}},
      {{"x"}, {"b", "b", "c"}, {"x", "b", "b", "c"}},
      {{"b"}, {"b", "b"}, {"b", "b"}},
      {{"b", "b"}, {"b", "b"}, {"b", "b"}},
  };
  for (const auto& Case : Cases) {
    THistoryFile History("h");
    for (const std::string& Line : Case.History) History.Append(Line);
    AppendRecovered(History, Case.Recovered);
    EXPECT_EQ(History.Lines(), Case.After);
  }
}
