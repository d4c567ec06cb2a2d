// SPDX-License-Identifier: GPL-3.0-or-later
// The result chart's keys, readout and summary: the keys are a table, the
// texts come from the history's readout and summary, and the chart widget
// calls back after each layout so the summary follows every zoom and scroll.
#include "app/access/result_chart_access.h"

#include <QKeyEvent>
#include <array>
#include <utility>

#include "app/access/accessibility.h"
#include "app/windows/window_support.h"
#include "chart/hit_test.h"
#include "chart_qt/chart_widget.h"
#include "history/history_file.h"
#include "results/drill_readout.h"

namespace {

// Which key does what; the keypad's keys come with the same key codes.
constexpr std::array<std::pair<int, TChartKey>, 11> ChartKeys{{
    {Qt::Key_Plus, TChartKey::ZoomIn},
    {Qt::Key_Minus, TChartKey::ZoomOut},
    {Qt::Key_Left, TChartKey::ScrollLeft},
    {Qt::Key_Right, TChartKey::ScrollRight},
    {Qt::Key_Up, TChartKey::ScrollUp},
    {Qt::Key_Down, TChartKey::ScrollDown},
    {Qt::Key_Home, TChartKey::Restore},
    {Qt::Key_0, TChartKey::Restore},
    {Qt::Key_End, TChartKey::LatestPage},
    {Qt::Key_PageUp, TChartKey::PageBack},
    {Qt::Key_PageDown, TChartKey::PageForward},
}};

}  // namespace

std::optional<TChartKey> ChartKeyOf(const QKeyEvent& Event) {
  // Shift is how "+" is typed on most keyboards; the keypad flag marks the keypad's keys.
  if (Event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return std::nullopt;
  for (const auto& [Key, ChartKey] : ChartKeys) {
    if (Event.key() == Key) return ChartKey;
  }
  return std::nullopt;
}

TResultChartAccess::TResultChartAccess(TChartWidget& Widget, const THistoryFile& History)
    : FWidget(Widget), FHistory(History) {
  FWidget.PointHint = [this](int Point) {
    if (Point < 0 || static_cast<size_t>(Point) >= FHistory.Count()) return std::string();
    return DrillReadout(FHistory.Line(static_cast<size_t>(Point)), Point + 1);
  };
  FWidget.OnLaidOut = [this] { Describe(); };
  std::string Title;
  for (const std::string& Line : FWidget.Chart().Title.Text) Title += Line;
  FWidget.setAccessibleName(FromSjisText(Title));
  FWidget.setAccessibleDescription(FromSjisText(HistorySummary(FFigures, std::nullopt)));
  ShowAsChart(FWidget);
}

void TResultChartAccess::Shown() { FFigures = ReadHistoryFigures(FHistory); }

bool TResultChartAccess::KeyPressed(const QKeyEvent& Event) {
  const std::optional<TChartKey> Key = ChartKeyOf(Event);
  if (!Key) return false;
  PressChartKey(FWidget.Chart(), *Key);
  return true;
}

void TResultChartAccess::Describe() {
  std::optional<TShownDrills> Shown;
  TChart& Chart = FWidget.Chart();
  if (Chart.SeriesCount() > 0) {
    if (const auto Points = PointsShown(Chart.Series(0))) Shown = TShownDrills{Points->first + 1, Points->second + 1};
  }
  AnnounceDescription(FWidget, HistorySummary(FFigures, Shown));
}
