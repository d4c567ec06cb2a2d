// SPDX-License-Identifier: GPL-3.0-or-later
// The page's figures: one pass over the lines sorts the drills into the twelve
// months and keeps the records; each month's figures come from its durations.
#include "results/history_report.h"

#include <algorithm>

#include "history/history_file.h"

namespace {

constexpr int MonthsShown = 12;

// Months since year 0, so that months compare and subtract.
int MonthIndex(int Year, int Month) { return Year * 12 + (Month - 1); }

struct TMonthDrills {
  double PercentSum = 0;
  std::vector<int32_t> Seconds;
};

void FillMonth(TMonthFigures& Month, TMonthDrills& Drills) {
  Month.Drills = static_cast<int>(Drills.Seconds.size());
  if (Month.Drills == 0) return;
  Month.MeanPercent = Drills.PercentSum / Month.Drills;
  std::vector<int32_t>& S = Drills.Seconds;
  std::sort(S.begin(), S.end());
  Month.FastestSeconds = S.front();
  const std::size_t Middle = S.size() / 2;
  Month.MedianSeconds = S.size() % 2 == 1 ? static_cast<double>(S[Middle]) : (S[Middle - 1] + S[Middle]) / 2.0;
}

}  // namespace

THistoryReport MakeHistoryReport(const THistoryFile& History, int ThisYear, int ThisMonth) {
  THistoryReport Report;
  const int LastIndex = MonthIndex(ThisYear, ThisMonth);
  const int FirstIndex = LastIndex - (MonthsShown - 1);
  std::vector<TMonthDrills> Months(MonthsShown);

  for (std::size_t I = 0; I < History.Count(); ++I) {
    const std::string_view Line = History.Line(I);
    const std::optional<TDrillFigures> Figures = THistoryFile::FiguresOf(Line);
    if (!Figures) continue;
    ++Report.Drills;
    const TRecordDrill Drill{static_cast<int>(I) + 1, Figures->Percent, Figures->Minutes * 60 + Figures->Seconds,
                             DrillTimeOf(Line)};
    if (!Report.Best || Drill.Percent > Report.Best->Percent) Report.Best = Drill;
    if (!Report.Fastest || Drill.Seconds < Report.Fastest->Seconds) Report.Fastest = Drill;
    if (!Drill.When) continue;
    if (!Report.First || *Drill.When < *Report.First) Report.First = Drill.When;
    if (!Report.Last || *Drill.When > *Report.Last) Report.Last = Drill.When;
    const int Index = MonthIndex(Drill.When->Year, Drill.When->Month);
    if (Index < FirstIndex || Index > LastIndex) continue;
    TMonthDrills& Month = Months[static_cast<std::size_t>(Index - FirstIndex)];
    Month.PercentSum += Drill.Percent;
    Month.Seconds.push_back(Drill.Seconds);
  }

  for (int M = 0; M < MonthsShown; ++M) {
    TMonthFigures Figures;
    Figures.Year = (FirstIndex + M) / 12;
    Figures.Month = (FirstIndex + M) % 12 + 1;
    FillMonth(Figures, Months[static_cast<std::size_t>(M)]);
    Report.Months.push_back(Figures);
  }
  return Report;
}
