// Recording finished drills: each summary joins the history and the file, a
// drill that could not be saved stays for the next save and in the chart, and
// the chart's series come from the history's lines.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app_error.h"
#include "chart.h"
#include "chart_test_history.h"
#include "recording_surface.h"
#include "result_chart.h"
#include "results.h"
#include "temp_work_dir.h"

namespace {

const std::string FileName = "HIST_ZV.DAT";

std::string Drill(int Percent, int Seconds) {
  return SummaryLine(ClockLabelText(Seconds * 1000), Percent, "2024/03/15 09:05");
}
const std::string A = Drill(85, 192);
const std::string B = Drill(100, 280);
const std::string C = Drill(7, 61);

class ResultsTest : public ::testing::Test {
protected:
  void SetUp() override { ConfigureResultChart(Chart); }

  // Each series' points as (x, y), bars first.
  std::vector<std::pair<double, double>> Points(int Series) {
    std::vector<std::pair<double, double>> Result;
    const TChartSeries& S = Chart.Series(Series);
    for (int I = 0; I < S.PointCount(); ++I) Result.emplace_back(S.XValues.ValueAt(I), S.YValues.ValueAt(I));
    return Result;
  }

  TTempWorkDir Dir;
  TRecordingSurface Surface;
  TChart Chart{Surface};
};

// Whatever the file held, a recorded drill is its last line and every line
// before it stays as it was. The results use the program's history file, in
// the working directory.
TEST_F(ResultsTest, RecordingAppendsTheLineAndWritesTheWholeHistory) {
  struct TCase {
    const char* Name;
    std::string Before;  // the file at start; empty: no file
    std::size_t LinesBefore;
  };
  const TCase Cases[] = {
      {"no file", "", 0},
      {"one drill", A + "\r\n", 1},
      {"two drills", A + "\r\n" + B + "\r\n", 2},
  };
  for (const TCase& Case : Cases) {
    ::unlink(FileName.c_str());
    if (!Case.Before.empty()) WriteBytes(FileName, Case.Before);
    TResults Results;
    Results.Load();
    ASSERT_EQ(Results.History().Count(), Case.LinesBefore) << Case.Name;
    Results.Record(C);
    EXPECT_EQ(ReadBytes(FileName), Case.Before + C + "\r\n") << Case.Name;
    ASSERT_EQ(Results.History().Count(), Case.LinesBefore + 1) << Case.Name;
    EXPECT_EQ(Results.History().Line(Case.LinesBefore), C) << Case.Name;
  }
}

TEST_F(ResultsTest, ADrillThatCouldNotBeSavedIsWrittenWithTheNextOne) {
  WriteBytes(FileName, A + "\r\n");
  TResults Results;
  Results.Load();
  // A directory where the new file is to go: the write fails.
  ASSERT_EQ(::rename(FileName.c_str(), "kept"), 0);
  ASSERT_EQ(::mkdir(FileName.c_str(), 0700), 0);
  EXPECT_THROW(Results.Record(B), EFileError);
  EXPECT_EQ(Results.History().Count(), 2u);

  // The chart shows the unsaved drill.
  Results.FillChart(Chart);
  EXPECT_EQ(Points(0), (std::vector<std::pair<double, double>>{{0, 85}, {1, 100}}));
  EXPECT_EQ(Points(1), (std::vector<std::pair<double, double>>{{0, 192}, {1, 280}}));

  // Room again: the next drill writes both.
  ASSERT_EQ(::rmdir(FileName.c_str()), 0);
  Results.Record(C);
  EXPECT_EQ(ReadBytes(FileName), A + "\r\n" + B + "\r\n" + C + "\r\n");
}

TEST_F(ResultsTest, TheSeriesComeFromTheHistoryFileAndFollowEachRecord) {
  WriteBytes(FileName, A + "\r\n" + B + "\r\n");
  TResults Results;
  Results.Load();
  Results.FillChart(Chart);
  EXPECT_EQ(Points(0), (std::vector<std::pair<double, double>>{{0, 85}, {1, 100}}));
  EXPECT_EQ(Points(1), (std::vector<std::pair<double, double>>{{0, 192}, {1, 280}}));

  Results.Record(C);
  Results.FillChart(Chart);
  EXPECT_EQ(Points(0), (std::vector<std::pair<double, double>>{{0, 85}, {1, 100}, {2, 7}}));
  EXPECT_EQ(Points(1), (std::vector<std::pair<double, double>>{{0, 192}, {1, 280}, {2, 61}}));
}

}  // namespace

// Drills the end could not write wait in the recovery file, and the next start
// in the folder writes them once and removes the file.
TEST_F(ResultsTest, DrillsTheEndCouldNotSaveComeBackAtTheNextStart) {
  const std::string Data = Dir.Path() + "/data";
  ::setenv("XDG_DATA_HOME", Data.c_str(), 1);
  ASSERT_EQ(::mkdir(FileName.c_str(), 0700), 0);  // a directory where the file should be
  {
    TResults Results(FileName);
    Results.Load();
    EXPECT_THROW(Results.Record(A), EFileError);
    EXPECT_THROW(Results.Record(A), EFileError);  // two drills with one line
    std::string Message;
    try {
      Results.Finish();
    } catch (const EFileError& Error) {
      Message = Error.Message();
    }
    EXPECT_NE(Message.find(Data + "/surasura/"), std::string::npos) << "the message names the recovery file";
  }
  ASSERT_EQ(::rmdir(FileName.c_str()), 0);
  for (int Start = 0; Start < 2; ++Start) {
    TResults Results(FileName);
    Results.Load();
    EXPECT_EQ(ReadBytes(FileName), A + "\r\n" + A + "\r\n") << "start " << Start;
    EXPECT_EQ(EntriesOf(Data + "/surasura"), std::set<std::string>{});
    Results.Finish();  // nothing left to write
  }
  ::unsetenv("XDG_DATA_HOME");
}

TEST_F(ResultsTest, AHistoryReadOnlyUpToANulByteIsToldOnce) {
  WriteBytes(FileName, A + "\r\n" + B + "\r\n" + std::string("x\0y", 3) + "\r\n" + C + "\r\n");
  TResults Results(FileName);
  Results.Load();
  const std::string Notice = Results.LoadNotice();
  EXPECT_NE(Notice.find(Dir.Path() + "/" + FileName + ".bak"), std::string::npos) << "names the kept copy";
  EXPECT_NE(Notice.find(" 3 "), std::string::npos) << "the drills read: A, B and the line before the NUL";
  WriteBytes("clean", A + "\r\n");
  TResults Clean("clean");
  Clean.Load();
  EXPECT_EQ(Clean.LoadNotice(), "");
}
