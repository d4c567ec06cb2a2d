// SPDX-License-Identifier: GPL-3.0-or-later
// Recording finished drills: each summary joins the history and the file, a
// drill that could not be saved stays for the next save and in the chart, and
// the chart's series come from the history's lines.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "chart/chart.h"
#include "chart_test_history.h"
#include "history_lines.h"
#include "platform/app_error.h"
#include "platform/format_template.h"
#include "platform/sjis.h"
#include "recording_surface.h"
#include "results/result_chart.h"
#include "results/result_texts.h"
#include "results/results.h"
#include "temp_work_dir.h"

namespace {

const std::string FileName = "HIST_ZV.DAT";

const std::string A = DrillLine(85, "2024/03/15 09:05", 192);
const std::string B = DrillLine(100, "2024/03/15 09:05", 280);
const std::string C = DrillLine(7, "2024/03/15 09:05", 61);

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
  const TScopedEnv DataHome{"XDG_DATA_HOME", Data};
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
}

// A damaged line between drills costs no drill: after the next drill the file
// holds every line it held (each as it stood, line ends made CR LF) and the
// new one; the chart draws every drill in the place of its line, the damaged
// line's place empty; the start's notice names the damaged lines.
TEST_F(ResultsTest, ADamagedLineHidesNoDrillAndIsWrittenBackAsItStood) {
  using TLines = std::vector<std::string>;
  struct TCase {
    const char* Name;
    std::string Damage;    // the bytes between A and B in the file, line end included
    TLines Read;           // the lines read in their place
    std::string Numbers;   // the damaged lines named by the notice
  };
  const std::string NulInside = A.substr(0, 20) + std::string(1, '\0') + A.substr(21);
  const std::string NulInField = A.substr(0, 25) + std::string(1, '\0') + A.substr(26);
  const std::string Long(1000, 'x');
  const TCase Cases[] = {
      {"NUL inside a line, figures whole", NulInside + "\r\n", {NulInside}, "2"},
      {"NUL inside the percentage", NulInField + "\r\n", {NulInField}, "2"},
      {"NUL at a line's start", std::string(1, '\0') + C + "\r\n", {std::string(1, '\0') + C}, "2"},
      {"junk", "junk\r\n", {"junk"}, "2"},
      {"cut line", A.substr(0, 20) + "\r\n", {A.substr(0, 20)}, "2"},
      {"empty line", "\r\n", {""}, "2"},
      {"1,000 bytes", Long + "\r\n", {Long}, "2"},
      {"CR alone in a line", C.substr(0, 30) + "\r" + C.substr(30) + "\r\n", {C.substr(0, 30), C.substr(30)}, "3"},
      {"two damaged lines", "junk\r\n\r\n", {"junk", ""}, ToSjis("2、3")},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    WriteBytes(FileName, A + "\r\n" + Case.Damage + B + "\r\n");
    TResults Results(FileName);
    Results.Load();
    TLines Expected = {A};
    Expected.insert(Expected.end(), Case.Read.begin(), Case.Read.end());
    Expected.push_back(B);
    EXPECT_EQ(Results.History().Lines(), Expected);
    const std::string Notice = Results.LoadNotice();
    EXPECT_NE(Notice.find(ToSjis("（") + Case.Numbers + ToSjis(" 行目）")), std::string::npos) << FromSjis(Notice);

    Results.Record(C);
    Expected.push_back(C);
    EXPECT_EQ(ReadBytes(FileName), CrlfLines(Expected));

    // Bars where the lines hold figures, each at its line's index.
    std::vector<std::pair<double, double>> Bars;
    for (std::size_t I = 0; I < Expected.size(); ++I) {
      if (const auto Figures = THistoryFile::FiguresOf(Expected[I])) Bars.emplace_back(I, Figures->Percent);
    }
    if (Bars.size() < Expected.size()) {
      EXPECT_THROW(Results.FillChart(Chart), EConvertError) << "the error box is still shown once";
    } else {
      EXPECT_NO_THROW(Results.FillChart(Chart)) << "a NUL outside the figures leaves the drill readable";
    }
    EXPECT_EQ(Points(0), Bars);
    EXPECT_EQ(Points(0).back(), (std::pair<double, double>(Expected.size() - 1, 7))) << "the new drill is drawn";
  }
  WriteBytes("clean", A + "\r\n");
  TResults Clean("clean");
  Clean.Load();
  EXPECT_EQ(Clean.LoadNotice(), "");
}

// Many damaged lines: the first ten are named, the rest only counted.
TEST_F(ResultsTest, TheNoticeNamesTenDamagedLinesAndCountsTheRest) {
  std::string File;
  for (int I = 0; I < 25; ++I) File += "junk\r\n";
  WriteBytes(FileName, File + A + "\r\n");
  TResults Results(FileName);
  Results.Load();
  const std::string Expected = FormatTemplate(
      ResultTexts().DamagedHistoryNotice,
      {ToSjis(Dir.Path() + "/" + FileName), int32_t{25}, ToSjis("1、2、3、4、5、6、7、8、9、10、…"), int32_t{1}});
  EXPECT_EQ(Results.LoadNotice(), Expected);
}

