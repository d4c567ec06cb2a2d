// SPDX-License-Identifier: GPL-3.0-or-later
// The results keep a daily copy of the history after the day's first save,
// never fail a save for a copy, and put a copy back when the history is
// missing or damaged.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "drill/drill_texts.h"
#include "fake_drill_clock.h"
#include "history_lines.h"
#include "platform/app_error.h"
#include "results/results.h"
#include "temp_work_dir.h"

namespace {

const std::string FileName = "HIST_ZV.DAT";

const std::string A = DrillLine(85, "2026/03/01 09:05");
const std::string B = DrillLine(90, "2026/03/02 09:05");
const std::string C = DrillLine(95, "2026/03/03 09:05");
const std::string Damaged = "\x81\x40 damaged";

class ResultsCopies : public ::testing::Test {
protected:
  // Each copy of the folder as "day:drills".
  static std::vector<std::string> Copies(const std::string& Folder) {
    std::vector<std::string> Found;
    for (const THistoryCopy& Copy : HistoryCopies(Folder)) {
      THistoryFile Lines(Copy.FileName);
      Lines.Load();
      Found.push_back(DayText(Copy.Day) + ":" + std::to_string(Lines.Count()));
    }
    return Found;
  }
  TTempWorkDir Dir;
  TScopedEnv DataHome{"XDG_DATA_HOME", Dir.Path() + "/data"};
  TFakeDrillClock Clock;
};

}  // namespace

// One drill on each of forty days from New Year's Day: the newest fourteen
// copies stay, and January's first.
struct TFortyDays {
  std::vector<TDateTime> Drills;
  std::vector<std::string> After;
  TFortyDays() {
    for (int I = 0; I < 40; ++I) {
      const TDay Day = I < 31 ? TDay{2026, 1, I + 1} : TDay{2026, 2, I - 30};
      Drills.push_back({Day.Year, Day.Month, Day.Day, 9, 0, 0});
      if (I == 0 || I >= 26) After.push_back(DayText(Day) + ":" + std::to_string(I + 1));
    }
  }
};

// Each start records the drills of its days, as the clock tells them.
TEST_F(ResultsCopies, TheFirstSaveOfEachDayLeavesACopy) {
  const TFortyDays FortyDays;
  const struct {
    const char* Name;
    std::vector<TDateTime> Drills;
    std::vector<std::string> After;
  } Cases[] = {
      {"the first drill of a day", {{2026, 3, 5, 9, 0, 0}}, {"2026-03-05:1"}},
      {"a second drill that day", {{2026, 3, 5, 9, 0, 0}, {2026, 3, 5, 23, 59, 0}}, {"2026-03-05:1"}},
      {"a month's end", {{2026, 3, 31, 23, 59, 0}, {2026, 4, 1, 0, 1, 0}}, {"2026-03-31:1", "2026-04-01:2"}},
      {"the next day, after a day without drills",
       {{2026, 3, 5, 9, 0, 0}, {2026, 3, 5, 10, 0, 0}, {2026, 3, 7, 9, 0, 0}},
       {"2026-03-05:1", "2026-03-07:3"}},
      {"forty days", FortyDays.Drills, FortyDays.After},
  };
  for (const auto& Case : Cases) {
    const TTempWorkDir Folder;  // a folder of its own, the working directory
    TResults Results(FileName);
    Results.KeepDailyCopies(Clock);
    Results.Load();
    for (const TDateTime& When : Case.Drills) {
      Clock.When = When;
      Results.Record(A);
    }
    EXPECT_EQ(Copies(Folder.Path()), Case.After) << Case.Name;
    EXPECT_EQ(Results.TakeCopyNotice(), "") << Case.Name;
  }
}

// A data directory that cannot be made: every save still succeeds, and the
// user is told once.
TEST_F(ResultsCopies, ACopyThatCannotBeMadeNeverStopsASave) {
  WriteBytes(Dir.Path() + "/data", "a file where the directory should be");
  TResults Results(FileName);
  Results.KeepDailyCopies(Clock);
  Results.Load();
  Results.Record(A);
  const std::string Notice = Results.TakeCopyNotice();
  EXPECT_NE(Notice.find(Dir.Path() + "/data/surasura/"), std::string::npos) << Notice;
  Clock.When.Day += 1;
  Results.Record(B);
  EXPECT_EQ(Results.TakeCopyNotice(), "") << "told once a run";
  EXPECT_EQ(ReadBytes(FileName), CrlfLines({A, B}));
}

// No drill's save worked that day, the end's did: it leaves the day's copy.
TEST_F(ResultsCopies, TheEndsSaveLeavesTheCopyTheDrillsCouldNot) {
  ASSERT_EQ(::mkdir(FileName.c_str(), 0700), 0);  // a directory where the file should be
  TResults Results(FileName);
  Results.KeepDailyCopies(Clock);
  Results.Load();
  EXPECT_THROW(Results.Record(A), EFileError);
  EXPECT_EQ(Copies(Dir.Path()), std::vector<std::string>{});
  ASSERT_EQ(::rmdir(FileName.c_str()), 0);
  Results.Finish();
  EXPECT_EQ(Copies(Dir.Path()), std::vector<std::string>{"2024-03-15:1"});
}

TEST_F(ResultsCopies, TheNewestCopyIsOfferedForAMissingOrDamagedHistory) {
  const struct {
    const char* Name;
    const char* History;  // nullptr: no file
    bool WithCopies;
    bool Offered, Missing;
  } Cases[] = {
      {"a sound history", "", true, false, false},
      {"a missing history", nullptr, true, true, true},
      {"a fresh folder", nullptr, false, false, false},
      {"a damaged history", "damaged", true, true, false},
      {"a damaged history without copies", "damaged", false, false, false},
  };
  for (const auto& Case : Cases) {
    const TTempWorkDir Folder;
    if (Case.WithCopies) {
      ASSERT_EQ(KeepDailyCopy(Folder.Path(), CrlfLines({A}), {2026, 3, 1}), 0);
      ASSERT_EQ(KeepDailyCopy(Folder.Path(), CrlfLines({A, B, Damaged}), {2026, 3, 2}), 0);
    }
    if (Case.History) WriteBytes(FileName, CrlfLines({A, B, std::string(Case.History) == "damaged" ? Damaged : C}));
    TResults Results(FileName);
    Results.Load();
    const std::optional<TRestoreOffer> Offer = Results.RestoreOffer();
    ASSERT_EQ(Offer.has_value(), Case.Offered) << Case.Name;
    if (!Offer) continue;
    EXPECT_EQ(Offer->Copy.Day, (TDay{2026, 3, 2})) << Case.Name;
    EXPECT_EQ(Offer->Drills, 2) << Case.Name;
    EXPECT_EQ(Offer->HistoryMissing, Case.Missing) << Case.Name;
  }
}

// The copy comes back with the later drills of the damaged file, which is
// kept as the .bak; a missing history gets the copy alone.
TEST_F(ResultsCopies, RestoringPutsTheCopyBackWithTheLaterDrills) {
  const struct {
    const char* Name;
    std::string History;  // empty: no file
    std::string After, KeptAs;
    int Added;
  } Cases[] = {
      {"missing", "", CrlfLines({A, B}), "", 0},
      {"damaged", CrlfLines({A, Damaged, B, C, Damaged}), CrlfLines({A, B, C}), "HIST_ZV.DAT.bak", 1},
  };
  for (const auto& Case : Cases) {
    const TTempWorkDir Folder;
    ASSERT_EQ(KeepDailyCopy(Folder.Path(), CrlfLines({A, B}), {2026, 3, 2}), 0);
    if (!Case.History.empty()) WriteBytes(FileName, Case.History);
    TResults Results(FileName);
    Results.Load();
    const TRestoreOutcome Outcome = Results.Restore(HistoryCopies(Folder.Path()).back());
    EXPECT_EQ(ReadBytes(FileName), Case.After) << Case.Name;
    EXPECT_EQ(Results.History().Lines().size(), Case.After.size() / (A.size() + 2)) << Case.Name;
    EXPECT_EQ(Outcome.CopyDrills, 2) << Case.Name;
    EXPECT_EQ(Outcome.AddedDrills, Case.Added) << Case.Name;
    EXPECT_EQ(Outcome.KeptAs.empty(), Case.KeptAs.empty()) << Case.Name;
    if (!Case.KeptAs.empty()) {
      EXPECT_EQ(ReadBytes(Case.KeptAs), Case.History) << Case.Name;
    }
    EXPECT_FALSE(Results.RestoreOffer().has_value()) << Case.Name;
  }
}
