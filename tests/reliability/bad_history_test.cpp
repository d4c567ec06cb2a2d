// SPDX-License-Identifier: GPL-3.0-or-later
// Histories no drill would write, and a disk that fills up: a history of a
// million lines, lines of every length from 0 to 1,000 bytes, bytes that are
// not Shift_JIS. In each case the program reads every line, the graph shows
// what it can and gives the message where a line is not a summary, the next
// drill appends its line and the file keeps every line it had.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "checking_surface.h"
#include "child_process.h"
#include "headless_drill.h"
#include "history/history_file.h"
#include "history/history_texts.h"
#include "history_lines.h"
#include "platform/app_error.h"
#include "platform/program_texts.h"
#include "platform/sjis.h"
#include "results/result_chart.h"
#include "results/result_texts.h"
#include "temp_work_dir.h"

namespace {

const std::string FileName = "HIST_ZV.DAT";

std::string NotAnInteger(const std::string& Field) {
  std::string Message = Texts().NotAnInteger;
  Message.replace(Message.find("%s"), 2, Field);
  return Message;
}

// What the graph window does when it is shown: fills the chart from the list
// and paints it. Returns the message of the error box, if any.
struct TShownGraph {
  std::string Message;
  int Bars = 0;
  long Calls = 0;
  long long LargestCoordinate = 0;
};

TShownGraph ShowGraph(const THistoryFile& History) {
  TCheckingSurface Surface;
  TChart Chart(Surface);
  ConfigureResultChart(Chart);
  Chart.SetSize(705, 569);
  TShownGraph Shown;
  try {
    FillResultChart(Chart, History);
  } catch (const EConvertError& Error) {
    Shown.Message = Error.Message();
  }
  Chart.Paint();
  Shown.Bars = Chart.Series(0).PointCount();
  Shown.Calls = Surface.Calls;
  Shown.LargestCoordinate = Surface.LargestCoordinate;
  return Shown;
}

// A drill finished on top of the history in the file: its line is the file's
// last, every line before it is the file's as it was (CR LF after each).
void FinishADrillOnTop(const std::vector<std::string>& OldLines) {
  TResults Results;
  const THistoryFile& History = Results.History();
  Results.Load();
  ASSERT_EQ(History.Lines(), OldLines);
  THeadlessDrill Drill(Results);
  const std::string Line = Drill.Finish(7);
  EXPECT_TRUE(Drill.Errors().empty()) << Drill.Errors().front();
  std::vector<std::string> Expected = OldLines;
  Expected.push_back(Line);
  EXPECT_EQ(History.Lines(), Expected);
  EXPECT_TRUE(ReadBytes(FileName) == CrlfLines(Expected)) << "the file is not the old lines and the new one";
  EXPECT_EQ(EntriesOf("."), std::set<std::string>{FileName});
}

class BadHistory : public ::testing::Test {
protected:
  TTempWorkDir Dir;
};

TEST_F(BadHistory, AMillionLines) {
  std::vector<std::string> Drills;
  for (int N = 0; N < 5000; ++N) Drills.push_back(THeadlessDrill::ExpectedLine(N));
  std::vector<std::string> Lines;
  Lines.reserve(1000000);
  for (int N = 0; N < 1000000; ++N) Lines.push_back(Drills[static_cast<size_t>(N) % Drills.size()]);
  WriteBytes(FileName, CrlfLines(Lines));

  FinishADrillOnTop(Lines);

  THistoryFile History;
  History.Load();
  ASSERT_EQ(History.Count(), 1000001u);
  const TShownGraph Shown = ShowGraph(History);
  EXPECT_EQ(Shown.Message, "");
  EXPECT_EQ(Shown.Bars, 1000001);
  EXPECT_GT(Shown.Calls, 0);
  // Marks that would overlap climb above each other, far above the panel, but
  // the chart holds every pixel within 16 bits.
  EXPECT_LE(Shown.LargestCoordinate, 32767);
}

TEST_F(BadHistory, LinesOfEveryLengthUpToAThousandBytes) {
  // Line k: the first k bytes of summary lines run together, so that the short
  // lines are cut summaries and the long ones summaries with more behind them.
  std::string Run;
  while (Run.size() < 1000) Run += THeadlessDrill::ExpectedLine(static_cast<int>(Run.size()));
  // Longest first: the readable lines, then the cut ones.
  std::vector<std::string> Lines;
  for (int Length = 1000; Length >= 0; --Length) Lines.push_back(Run.substr(0, static_cast<size_t>(Length)));
  WriteBytes(FileName, CrlfLines(Lines));

  FinishADrillOnTop(Lines);

  THistoryFile History;
  History.Load();
  const TShownGraph Shown = ShowGraph(History);
  // Lines of 1,000 down to 27 bytes hold all three fields; at 26 bytes the
  // percentage "  0" is cut to "  ", the first line the graph cannot read.
  // The finished drill after the cut lines is drawn too.
  EXPECT_EQ(Shown.Bars, 1000 - 27 + 1 + 1);
  EXPECT_EQ(Shown.Message, NotAnInteger("  "));
}

TEST_F(BadHistory, BytesThatAreNotShiftJis) {
  // Lone lead bytes, lead bytes before a byte that cannot follow them, bytes
  // that code page 932 leaves unused, a lead byte at the very end of a line.
  const std::string Summary = THeadlessDrill::ExpectedLine(3);
  std::vector<std::string> Lines = {
      Summary,
      "\x81\x20\x82\x7F\xA0\xFD\xFE\xFF\x80",
      Summary.substr(0, 24) + "\x81\x39" + "%  2024/03/15 09:05",
      std::string("\x85\x40\xEB\x40\xEF\xFC\xF0\x40\xFC\xFC", 10) + "\x9F",
      "\xE0",
  };
  WriteBytes(FileName, CrlfLines(Lines));

  FinishADrillOnTop(Lines);

  THistoryFile History;
  History.Load();
  // Every line can be shown as text (the list box's), whatever its bytes.
  for (const std::string& Line : History.Lines()) EXPECT_FALSE(FromSjis(Line).empty());
  const TShownGraph Shown = ShowGraph(History);
  EXPECT_EQ(Shown.Bars, 2) << "the first line and the finished drill";
  // The second line's percentage field is empty (the line is 9 bytes long).
  EXPECT_EQ(Shown.Message, NotAnInteger(""));
  // A field of bytes that are not a number gives them back as they are.
  EXPECT_EQ(History.Line(2).substr(24, 3), "\x81\x39%");
  try {
    THistoryFile::PercentOf(History.Line(2));
    ADD_FAILURE() << "a percentage of bytes that are not digits was read";
  } catch (const EConvertError& Error) {
    EXPECT_EQ(Error.Message(), NotAnInteger("\x81\x39%"));
  }
}

// The disk fills up while the new list is written: a small file system in
// memory, mounted in a child of its own (a mount namespace, so that it goes
// with the child). The old file stays as it was, the drill shows the message,
// and once there is room again the next drill stores both lines.
TEST(DiskFull, TheDrillShowsTheMessageAndTheNextOneStoresBothLines) {
  TTempWorkDir Dir;
  std::vector<std::string> Report = RunInChild([]() -> std::vector<std::string> {
    if (::unshare(CLONE_NEWNS) != 0) return {std::string("skip: no mount namespace: ") + std::strerror(errno)};
    if (::mount("none", "/", "none", MS_REC | MS_PRIVATE, nullptr) != 0) {
      return {std::string("skip: mounts cannot be made private: ") + std::strerror(errno)};
    }
    ::mkdir("disk", 0755);
    if (::mount("tmpfs", "disk", "tmpfs", 0, "size=64k") != 0) {
      return {std::string("skip: no small file system: ") + std::strerror(errno)};
    }
    if (::chdir("disk") != 0) return {"chdir failed"};
    std::vector<std::string> Old;
    for (int N = 0; N < 200; ++N) Old.push_back(THeadlessDrill::ExpectedLine(N));
    const std::string OldBytes = CrlfLines(Old);  // 9,600 bytes: three pages
    WriteBytes(FileName, OldBytes);
    // Fill the rest, then give back one page: the new list (three pages and a
    // line) runs out of room part-way.
    {
      std::string Page(4096, 'x');
      FILE* Filler = std::fopen("filler", "wb");
      while (std::fwrite(Page.data(), 1, Page.size(), Filler) == Page.size() && std::fflush(Filler) == 0) {
      }
      std::fclose(Filler);
      const long Size = static_cast<long>(ReadBytes("filler").size());
      if (::truncate("filler", Size - Size % 4096 - 4096) != 0) return {"truncate failed"};
    }

    TResults Results;
    const THistoryFile& History = Results.History();
    Results.Load();
    THeadlessDrill Drill(Results);
    const std::string First = Drill.Finish(200);
    std::vector<std::string> Result;
    Result.push_back(Drill.Errors().size() == 1 ? Drill.Errors()[0] : "errors: " + std::to_string(Drill.Errors().size()));
    Result.push_back(ReadBytes(FileName) == OldBytes ? "old file kept" : "old file changed");
    Result.push_back(std::to_string(EntriesOf(".").size()));
    Result.push_back(std::to_string(History.Count()));

    ::unlink("filler");
    Drill.ClearErrors();
    const std::string Second = Drill.Finish(201);
    Old.push_back(First);
    Old.push_back(Second);
    Result.push_back(Drill.Errors().empty() ? "stored" : Drill.Errors()[0]);
    Result.push_back(ReadBytes(FileName) == CrlfLines(Old) ? "both lines" : "lines missing");
    return Result;
  });
  ASSERT_FALSE(Report.empty());
  if (Report[0].rfind("skip: ", 0) == 0) GTEST_SKIP() << Report[0].substr(6);
  ASSERT_EQ(Report.size(), 6u) << Report[0];
  EXPECT_EQ(Report[0], HistoryTexts().StreamWriteError + ResultTexts().DrillKeptUnsaved);
  EXPECT_EQ(Report[1], "old file kept");
  EXPECT_EQ(Report[2], "2") << "only the history and the filler: no new file stays behind";
  EXPECT_EQ(Report[3], "201") << "the new line stays in the list";
  EXPECT_EQ(Report[4], "stored");
  EXPECT_EQ(Report[5], "both lines");
}

}  // namespace
