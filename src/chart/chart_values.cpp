// SPDX-License-Identifier: GPL-3.0-or-later
// One list of numbers of a series: ordered insertion and lazily cached extremes.
#include "chart/chart_values.h"

#include <string>

#include "chart/chart_texts.h"
#include "platform/app_error.h"

namespace {

[[noreturn]] void ThrowIndexError(int Index) {
  std::string Message = ChartTexts().ListIndexOutOfRange;
  const auto At = Message.find("%d");
  if (At != std::string::npos) Message.replace(At, 2, std::to_string(Index));
  throw EAppError(Message);
}

}  // namespace

double TChartValueList::ValueAt(int Index) const {
  if (Index < 0 || Index >= ValueCount()) ThrowIndexError(Index);
  return FValues[static_cast<size_t>(Index)];
}

int TChartValueList::AddValueInOrder(double V) {
  FStatsStale = true;
  int At = ValueCount();
  if (Order == TChartListOrder::Ascending) {
    // Walk back past every stored value greater than V.
    while (At > 0 && FValues[static_cast<size_t>(At - 1)] > V) --At;
  } else if (Order == TChartListOrder::Descending) {
    while (At > 0 && FValues[static_cast<size_t>(At - 1)] < V) --At;
  }
  FValues.insert(FValues.begin() + At, V);
  return At;
}

void TChartValueList::InsertValueWithin(int Index, double V) {
  if (Index < 0 || Index > ValueCount()) ThrowIndexError(Index);
  FValues.insert(FValues.begin() + Index, V);
  FStatsStale = true;
}

void TChartValueList::RemoveAllValues() {
  // Swap with an empty vector so that the storage goes back too.
  std::vector<double>().swap(FValues);
  FStatsStale = true;
}

double TChartValueList::LowestValue() const {
  if (FStatsStale) RecomputeExtremes();
  return FLowest;
}

double TChartValueList::HighestValue() const {
  if (FStatsStale) RecomputeExtremes();
  return FHighest;
}

void TChartValueList::RecomputeExtremes() const {
  FLowest = 0;
  FHighest = 0;
  if (!FValues.empty()) {
    FLowest = FHighest = FValues[0];
    for (size_t I = 1; I < FValues.size(); ++I) {
      const double V = FValues[I];
      if (V < FLowest)
        FLowest = V;
      else if (V > FHighest)
        FHighest = V;
    }
  }
  FStatsStale = false;
}
