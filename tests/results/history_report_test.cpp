// SPDX-License-Identifier: GPL-3.0-or-later
// The figures of the chart's page: the twelve months (which drills fall in,
// mean, fastest and median), the records and the period, a damaged line and a
// drill without a date; and the date and time read from a line.
#include "results/history_report.h"

#include <gtest/gtest.h>

#include "chart_test_history.h"
#include "history_lines.h"

namespace {

const std::string Damaged = ToSjis("所要時間 0x分00秒 正答率 ??%  2024/03/15 09:05");

// A month as the table expects it: year, month, drills, mean, fastest, median
// (the last three -1 for none).
struct TMonth {
  int Year, Month, Drills;
  double Mean;
  int Fastest;
  double Median;
};

TEST(HistoryReport, SortsDrillsIntoTheLastTwelveMonths) {
  struct TRow {
    const char* Case;
    std::vector<std::string> Lines;
    std::vector<TMonth> Filled;  // every other month of the twelve empty
  };
  const TRow Rows[] = {
      {"odd count: the middle one",
       {DrillLine(80, "2024/03/01 09:00", 200), DrillLine(90, "2024/03/02 09:00", 100), DrillLine(100, "2024/03/31 23:59", 150)},
       {{2024, 3, 3, 90.0, 100, 150.0}}},
      {"even count: half a second",
       {DrillLine(50, "2024/02/10 08:00", 101), DrillLine(51, "2024/02/11 08:00", 100)},
       {{2024, 2, 2, 50.5, 100, 100.5}}},
      {"the year before: its April in, its March out",
       {DrillLine(70, "2023/03/31 23:59", 120), DrillLine(60, "2023/04/01 00:00", 130)},
       {{2023, 4, 1, 60.0, 130, 130.0}}},
      {"a later month (the clock was set back) and a damaged line count nowhere",
       {DrillLine(70, "2024/04/01 10:00", 120), Damaged, DrillLine(40, "2024/01/05 10:00", 300)},
       {{2024, 1, 1, 40.0, 300, 300.0}}},
      {"a drill without a date in no month",
       {ToSjis("所要時間 02分00秒 正答率 99%  ----/--/-- --:--"), DrillLine(10, "2023/12/24 18:30", 90)},
       {{2023, 12, 1, 10.0, 90, 90.0}}},
      {"regional separators", {DrillLine(33, "2024-03-15 09.05", 180)}, {{2024, 3, 1, 33.0, 180, 180.0}}},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Case);
    const THistoryReport Report = MakeHistoryReport(HistoryOf(Row.Lines), 2024, 3);
    ASSERT_EQ(Report.Months.size(), 12u);
    EXPECT_EQ(Report.Months.front().Year, 2023);
    EXPECT_EQ(Report.Months.front().Month, 4);
    EXPECT_EQ(Report.Months.back().Year, 2024);
    EXPECT_EQ(Report.Months.back().Month, 3);
    for (const TMonthFigures& Month : Report.Months) {
      const TMonth* Expected = nullptr;
      for (const TMonth& Filled : Row.Filled) {
        if (Filled.Year == Month.Year && Filled.Month == Month.Month) Expected = &Filled;
      }
      SCOPED_TRACE(testing::Message() << Month.Year << "/" << Month.Month);
      if (Expected == nullptr) {
        EXPECT_EQ(Month.Drills, 0);
        EXPECT_FALSE(Month.MeanPercent || Month.FastestSeconds || Month.MedianSeconds);
        continue;
      }
      EXPECT_EQ(Month.Drills, Expected->Drills);
      EXPECT_EQ(Month.MeanPercent, std::optional<double>(Expected->Mean));
      EXPECT_EQ(Month.FastestSeconds, std::optional<int32_t>(Expected->Fastest));
      EXPECT_EQ(Month.MedianSeconds, std::optional<double>(Expected->Median));
    }
  }
}

TEST(HistoryReport, KeepsTheFirstBestAndFastestDrillsAndThePeriod) {
  const THistoryReport Report = MakeHistoryReport(HistoryOf({
                                                      DrillLine(85, "2023/06/01 09:00", 200),
                                                      Damaged,
                                                      DrillLine(97, "2022/11/20 07:45", 180),
                                                      DrillLine(97, "2024/02/29 21:10", 95),
                                                      DrillLine(60, "2024/03/01 06:00", 95),
                                                  }),
                                                  2024, 3);
  EXPECT_EQ(Report.Drills, 4);
  ASSERT_TRUE(Report.Best && Report.Fastest && Report.First && Report.Last);
  EXPECT_EQ(Report.Best->Number, 3);
  EXPECT_EQ(Report.Best->Percent, 97);
  EXPECT_EQ(Report.Fastest->Number, 4);
  EXPECT_EQ(Report.Fastest->Seconds, 95);
  EXPECT_EQ(*Report.Fastest->When, (TDrillTime{2024, 2, 29, 21, 10}));
  EXPECT_EQ(*Report.First, (TDrillTime{2022, 11, 20, 7, 45}));
  EXPECT_EQ(*Report.Last, (TDrillTime{2024, 3, 1, 6, 0}));
}

TEST(HistoryReport, AnEmptyOrWhollyDamagedHistoryHasNoRecords) {
  for (const auto& Lines : {std::vector<std::string>{}, std::vector<std::string>{Damaged}}) {
    const THistoryReport Report = MakeHistoryReport(HistoryOf(Lines), 2025, 1);
    EXPECT_EQ(Report.Drills, 0);
    EXPECT_FALSE(Report.Best || Report.Fastest || Report.First || Report.Last);
    EXPECT_EQ(Report.Months.front().Month, 2);  // February of the year before
  }
}

TEST(DrillTime, ReadsOnlyAWholeDateAndTime) {
  struct TRow {
    const char* DateTime;
    std::optional<TDrillTime> Expected;
  };
  const TRow Rows[] = {
      {"2026/12/07 10:15", TDrillTime{2026, 12, 7, 10, 15}},
      {"2026.12.07 10-15", TDrillTime{2026, 12, 7, 10, 15}},
      {"2026/12/07 10:15:", std::nullopt},
      {"2026/13/07 10:15", std::nullopt},
      {"2026/12/00 10:15", std::nullopt},
      {"2026/12/07 24:00", std::nullopt},
      {"2026/12/0710:15 ", std::nullopt},
      {"2026/1x/07 10:15", std::nullopt},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.DateTime);
    const std::string Line = ToSjis("所要時間 01分00秒 正答率 50%  ") + Row.DateTime;
    EXPECT_EQ(DrillTimeOf(Line), Row.Expected);
  }
}

}  // namespace
