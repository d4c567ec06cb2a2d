// SPDX-License-Identifier: GPL-3.0-or-later
// A drill finished while the process is killed: a child finishes drills
// headless against the real history file, one after another, and the test kills
// it with SIGKILL at random moments, again and again. After every kill the file
// must hold exactly one complete list that the child had or was writing (never
// a partial one, never fewer lines than were already safe), and the temporary
// files of killed writers must not pile up.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "headless_drill.h"
#include "history/history_file.h"
#include "temp_work_dir.h"

namespace {

const std::string FileName = "HIST_ZV.DAT";
constexpr size_t LineBytes = 48;

// How many kills: SURASURA_KILL_COUNT, at least the 500 the tests promise.
int KillCount() {
  const char* Value = std::getenv("SURASURA_KILL_COUNT");
  const int Count = Value ? std::atoi(Value) : 0;
  return Count > 500 ? Count : 500;
}

// In the child: drills without end, each stored; after each the count of lines
// now safe in the file goes to the parent (one pipe write, never split).
[[noreturn]] void FinishDrillsForever(int ReportFd) {
  TResults Results;
  const THistoryFile& History = Results.History();
  THeadlessDrill Drill(Results);
  try {
    Results.Load();
  } catch (...) {
    ::_exit(3);
  }
  for (;;) {
    const int N = static_cast<int>(History.Count());
    Drill.Finish(N);
    if (!Drill.Errors().empty()) ::_exit(4);
    const uint32_t Count = static_cast<uint32_t>(History.Count());
    if (::write(ReportFd, &Count, sizeof Count) != sizeof Count) ::_exit(5);
  }
}

// The names in the working directory that are not the history itself.
std::set<std::string> Others() {
  std::set<std::string> Names = EntriesOf(".");
  Names.erase(FileName);
  return Names;
}

TEST(KillTest, EveryKillLeavesOneCompleteEarlierList) {
  TTempWorkDir Dir;
  const int Kills = KillCount();
  std::mt19937 Random(20240315);
  std::uniform_int_distribution<int> DelayMicros(0, 20000);

  std::vector<std::string> Lines;  // the lines of drills 0, 1, 2, ... as the child writes them
  auto ExpectedBytes = [&Lines](size_t Count) {
    while (Lines.size() < Count) Lines.push_back(THeadlessDrill::ExpectedLine(static_cast<int>(Lines.size())));
    std::string Bytes;
    for (size_t I = 0; I < Count; ++I) Bytes += Lines[I] + "\r\n";
    return Bytes;
  };

  size_t Safe = 0;          // lines the file held after the last kill
  int KillsInsideSave = 0;  // kills that left a writer's new file behind
  size_t MostLeftBehind = 0;
  for (int Kill = 0; Kill < Kills; ++Kill) {
    int Pipe[2];
    ASSERT_EQ(::pipe(Pipe), 0);
    const pid_t Child = ::fork();
    ASSERT_GE(Child, 0);
    if (Child == 0) {
      ::close(Pipe[0]);
      FinishDrillsForever(Pipe[1]);
    }
    ::close(Pipe[1]);
    std::this_thread::sleep_for(std::chrono::microseconds(DelayMicros(Random)));
    ASSERT_EQ(::kill(Child, SIGKILL), 0);
    int Status = 0;
    ASSERT_EQ(::waitpid(Child, &Status, 0), Child);
    ASSERT_TRUE(WIFSIGNALED(Status) && WTERMSIG(Status) == SIGKILL)
        << "kill " << Kill << ": the child ended by itself, status " << Status;

    // The saves the child finished before the kill.
    size_t Reported = Safe;
    uint32_t Count;
    while (::read(Pipe[0], &Count, sizeof Count) == sizeof Count) Reported = Count;
    ::close(Pipe[0]);

    // No file yet: the child was killed before its first save finished.
    const std::string Bytes = EntriesOf(".").count(FileName) ? ReadBytes(FileName) : std::string();
    ASSERT_EQ(Bytes.size() % LineBytes, 0u) << "kill " << Kill << ": a partial list of " << Bytes.size() << " bytes";
    const size_t Held = Bytes.size() / LineBytes;
    ASSERT_GE(Held, Reported) << "kill " << Kill << ": a finished save is lost";
    ASSERT_LE(Held, Reported + 1) << "kill " << Kill << ": more lines than the child wrote";
    ASSERT_EQ(Bytes, ExpectedBytes(Held)) << "kill " << Kill << ": the file is not the list of the first " << Held
                                          << " drills";
    Safe = Held;

    const std::set<std::string> LeftBehind = Others();
    if (!LeftBehind.empty()) ++KillsInsideSave;
    MostLeftBehind = std::max(MostLeftBehind, LeftBehind.size());
    ASSERT_LE(LeftBehind.size(), 1u) << "kill " << Kill << ": new files of earlier writers pile up, e.g. "
                                     << *LeftBehind.begin();
  }

  // A writer that is not killed leaves nothing but the history.
  TResults Results;
  const THistoryFile& History = Results.History();
  Results.Load();
  ASSERT_EQ(History.Count(), Safe);
  THeadlessDrill Drill(Results);
  Drill.Finish(static_cast<int>(Safe));
  EXPECT_TRUE(Drill.Errors().empty());
  EXPECT_EQ(ReadBytes(FileName), ExpectedBytes(Safe + 1));
  EXPECT_EQ(Others(), std::set<std::string>{});

  std::printf("%d kills, %zu drills stored, %d kills inside a save (a new file left behind)\n", Kills, Safe + 1,
              KillsInsideSave);
  EXPECT_GT(KillsInsideSave, 0) << "no kill landed inside a save: the test did not test the save";
}

}  // namespace
