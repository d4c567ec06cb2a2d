// The daily copies of a history folder in the user's data directory: made
// once a day unless the newest copy holds the same history, thinned out by
// the schedule, private to the user.
#include "history_copies.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "temp_work_dir.h"

namespace {

class CopiesOfAFolder : public ::testing::Test {
protected:
  void SetUp() override {
    Saved = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    ::setenv("XDG_DATA_HOME", (Dir.Path() + "/data").c_str(), 1);
  }
  void TearDown() override {
    if (Saved.empty()) ::unsetenv("XDG_DATA_HOME");
    else ::setenv("XDG_DATA_HOME", Saved.c_str(), 1);
  }
  // Each copy as "day=bytes".
  std::vector<std::string> Copies(const std::string& Folder) {
    std::vector<std::string> Found;
    for (const THistoryCopy& Copy : HistoryCopies(Folder)) Found.push_back(DayText(Copy.Day) + "=" + ReadBytes(Copy.FileName));
    return Found;
  }
  TTempWorkDir Dir;
  std::string Saved;
};

}  // namespace

TEST_F(CopiesOfAFolder, OnePerDayUnlessTheNewestHoldsTheSameHistory) {
  const struct TSave {
    TDay Day;
    const char* Bytes;
  } Saves[] = {{{2026, 3, 5}, "a\r\n"}, {{2026, 3, 5}, "a\r\nb\r\n"}, {{2026, 3, 6}, "a\r\nb\r\n"},
               {{2026, 3, 7}, "a\r\nb\r\nc\r\n"}};
  const struct {
    const char* Name;
    std::vector<int> SavesMade;
    std::vector<std::string> After;
  } Cases[] = {
      {"the first save of a day", {0}, {"2026-03-05=a\r\n"}},
      {"a second save that day leaves the day's copy", {0, 1}, {"2026-03-05=a\r\n"}},
      {"the next day's history as the newest copy", {0, 1, 2}, {"2026-03-05=a\r\n", "2026-03-06=a\r\nb\r\n"}},
      {"an identical history is not copied again", {1, 2}, {"2026-03-05=a\r\nb\r\n"}},
      {"a changed one is", {1, 2, 3}, {"2026-03-05=a\r\nb\r\n", "2026-03-07=a\r\nb\r\nc\r\n"}},
  };
  int Folder = 0;
  for (const auto& Case : Cases) {
    const std::string Name = "/home/u/drill" + std::to_string(++Folder);
    for (const int Save : Case.SavesMade) ASSERT_EQ(KeepDailyCopy(Name, Saves[Save].Bytes, Saves[Save].Day), 0);
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

TEST_F(CopiesOfAFolder, FortyDaysLeaveTheNewestFourteenAndEachMonthsFirst) {
  std::vector<std::string> Expected;
  std::string History;
  for (int I = 0; I < 40; ++I) {
    const TDay Day = I < 31 ? TDay{2026, 1, I + 1} : TDay{2026, 2, I - 30};
    History += std::to_string(I) + "\r\n";
    ASSERT_EQ(KeepDailyCopy("/f", History, Day), 0);
    if (I == 0 || I >= 26) Expected.push_back(DayText(Day) + "=" + History);
  }
  EXPECT_EQ(Copies("/f"), Expected);
}

TEST_F(CopiesOfAFolder, ADataDirectoryThatCannotBeMadeIsAnError) {
  WriteBytes(Dir.Path() + "/data", "a file where the directory should be");
  EXPECT_NE(KeepDailyCopy("/f", "a\r\n", {2026, 3, 5}), 0);
  EXPECT_EQ(HistoryCopies("/f").size(), 0u);
}
