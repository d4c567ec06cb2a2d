#include "bench_support.h"

#include <algorithm>
#include <cstdio>

#include "drill_texts.h"

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

std::string HistoryLine(std::size_t I) {
  // Deterministic spread: a slow climb of the percentage with noise, and
  // durations that wander between 100 and 320 seconds.
  const unsigned Mix = static_cast<unsigned>(I) * 2654435761u;
  const int Percent = static_cast<int>((I * 7 + (Mix >> 27)) % 101);
  const int Seconds = 100 + static_cast<int>((I * 13 + (Mix >> 20) % 97) % 221);
  const int Day = 1 + static_cast<int>(I % 28);
  char Date[32];
  std::snprintf(Date, sizeof Date, "2024/03/%02d 09:%02d", Day, static_cast<int>(I % 60));
  return SummaryLine(ClockLabelText(Seconds * 1000), Percent, Date);
}

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
