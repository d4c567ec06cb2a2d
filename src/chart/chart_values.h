// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One list of numbers of a series (the x values or the y values), kept in the
// order its Order asks for, with lazily recomputed extremes.
#include <cstddef>
#include <vector>

enum class TChartListOrder { None, Ascending, Descending };

class TChartValueList {
public:
  explicit TChartValueList(TChartListOrder Order) : Order(Order) {}

  TChartListOrder Order;

  int ValueCount() const { return static_cast<int>(FValues.size()); }
  void Reserve(int Count) { FValues.reserve(static_cast<size_t>(Count)); }
  // Value i; an index outside the list throws EAppError
  // "リストのインデックスが範囲を超えています (%d)".
  double ValueAt(int Index) const;
  // Inserts V where Order asks and returns its index. A value that goes
  // last (any value when the list keeps no order, and the values of a
  // history, which come in x order) is appended at once.
  int AddValue(double V) {
    if (!GoesLast(V)) return AddValueInOrder(V);
    FValues.push_back(V);
    FStatsStale = true;
    return ValueCount() - 1;
  }
  void InsertValue(int Index, double V) {
    if (Index != ValueCount()) return InsertValueWithin(Index, V);
    FValues.push_back(V);
    FStatsStale = true;
  }
  // Removes every value and gives back the storage.
  void RemoveAllValues();
  double LowestValue() const;
  double HighestValue() const;

private:
  // Whether V's place is after every stored value: past the values not
  // greater (ascending) or not less (descending), so that equal values keep
  // their arrival order.
  bool GoesLast(double V) const {
    if (FValues.empty() || Order == TChartListOrder::None) return true;
    return Order == TChartListOrder::Ascending ? !(FValues.back() > V) : !(FValues.back() < V);
  }
  int AddValueInOrder(double V);
  void InsertValueWithin(int Index, double V);
  void RecomputeExtremes() const;

  std::vector<double> FValues;
  mutable double FLowest = 0;
  mutable double FHighest = 0;
  mutable bool FStatsStale = true;
};
