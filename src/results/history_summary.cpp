// SPDX-License-Identifier: GPL-3.0-or-later
// The history's summary: one pass over the lines for the figures, then the
// sentences from the program's texts, each part left out when its figure is
// missing.
#include "results/history_summary.h"

#include <algorithm>
#include <vector>

#include "history/history_file.h"
#include "platform/app_error.h"
#include "platform/format_template.h"
#include "results/result_texts.h"

namespace {

std::optional<int32_t> PercentIn(std::string_view Line) {
  try {
    return THistoryFile::PercentOf(Line);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

std::optional<int32_t> SecondsIn(std::string_view Line) {
  try {
    return THistoryFile::MinutesOf(Line) * 60 + THistoryFile::SecondsOf(Line);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

std::string TimeText(int32_t Seconds, const std::string& Template) {
  return FormatTemplate(Template, {Seconds / 60, Seconds % 60});
}

std::string Joined(const std::vector<std::string>& Parts, const std::string& Separator) {
  std::string Text;
  for (const std::string& Part : Parts) {
    if (!Text.empty()) Text += Separator;
    Text += Part;
  }
  return Text;
}

}  // namespace

THistoryFigures ReadHistoryFigures(const THistoryFile& History) {
  THistoryFigures Figures;
  Figures.Count = static_cast<int>(History.Count());
  for (size_t I = 0; I < History.Count(); ++I) {
    const std::string_view Line = History.Line(I);
    const auto Percent = PercentIn(Line);
    const auto Seconds = SecondsIn(Line);
    if (Percent) Figures.BestPercent = std::max(Figures.BestPercent.value_or(*Percent), *Percent);
    if (Seconds) Figures.ShortestSeconds = std::min(Figures.ShortestSeconds.value_or(*Seconds), *Seconds);
    if (I + 1 == History.Count()) {
      Figures.LatestPercent = Percent;
      Figures.LatestSeconds = Seconds;
    }
  }
  return Figures;
}

std::string HistorySummary(const THistoryFigures& Figures, std::optional<TShownDrills> Shown) {
  const TResultTexts& T = ResultTexts();
  if (Figures.Count == 0) return T.ChartSummaryNoDrills;
  std::string Text = FormatTemplate(T.ChartSummaryCountTemplate, {int32_t{Figures.Count}});

  std::vector<std::string> Latest;
  if (Figures.LatestPercent) Latest.push_back(FormatTemplate(T.ReadoutPercentTemplate, {*Figures.LatestPercent}));
  if (Figures.LatestSeconds) Latest.push_back(TimeText(*Figures.LatestSeconds, T.ReadoutTimeTemplate));
  if (!Latest.empty()) {
    Text += FormatTemplate(T.ChartSummaryLatestTemplate, {int32_t{Figures.Count}}) +
            Joined(Latest, T.ChartSummaryPartSeparator) + T.ChartSummarySentenceEnd;
  }

  std::vector<std::string> Records;
  if (Figures.BestPercent) Records.push_back(FormatTemplate(T.ChartSummaryBestPercentTemplate, {*Figures.BestPercent}));
  if (Figures.ShortestSeconds) Records.push_back(TimeText(*Figures.ShortestSeconds, T.ChartSummaryShortestTemplate));
  if (!Records.empty()) Text += Joined(Records, T.ChartSummaryPartSeparator) + T.ChartSummarySentenceEnd;

  if (Shown) {
    Text += FormatTemplate(T.ChartSummaryShownTemplate, {int32_t{Figures.Count}, int32_t{Shown->First},
                                                          int32_t{Shown->Last}});
  } else {
    Text += T.ChartSummaryNoneShown;
  }
  return Text;
}
