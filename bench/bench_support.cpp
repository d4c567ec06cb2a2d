// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_support.h"

#include <algorithm>
#include <cstdio>

#include "chart_test_history.h"

double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double Median(std::vector<double> Values) {
  if (Values.empty()) return 0;
  std::sort(Values.begin(), Values.end());
  const std::size_t Mid = Values.size() / 2;
  return Values.size() % 2 == 1 ? Values[Mid] : (Values[Mid - 1] + Values[Mid]) / 2;
}

std::vector<double> RunAlternating(const std::vector<TBenchSide>& Sides, int Warmup, int Repetitions) {
  std::vector<std::vector<double>> Times(Sides.size());
  const std::size_t Count = Sides.size();
  for (int Round = 0; Round < Warmup + Repetitions; ++Round) {
    for (std::size_t K = 0; K < Count; ++K) {
      const std::size_t Side = (K + static_cast<std::size_t>(Round)) % Count;
      const double Ms = Sides[Side].RunOnce();
      if (Round >= Warmup) Times[Side].push_back(Ms);
    }
  }
  std::vector<double> Medians;
  for (auto& T : Times) Medians.push_back(Median(T));
  return Medians;
}

double TimeMs(const std::function<void()>& Body) {
  const double Start = NowMs();
  Body();
  return NowMs() - Start;
}

std::string HistoryLine(std::size_t I) { return MadeUpHistoryLine(I); }

std::string HistoryBytes(std::size_t N) {
  std::string Bytes;
  Bytes.reserve(N * 48);
  for (std::size_t I = 0; I < N; ++I) {
    Bytes += HistoryLine(I);
    Bytes += "\r\n";
  }
  return Bytes;
}

std::string Ms(double Value) {
  char Text[64];
  std::snprintf(Text, sizeof Text, "%.3f", Value);
  return Text;
}
