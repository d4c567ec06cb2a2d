// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless_drill.h"

#include "drill/drill_texts.h"

namespace {

// What drill number N looks like: its duration, right answers and end date.
uint32_t DurationOf(int N) { return 60000u + static_cast<uint32_t>(N) * 7919u % (98u * 60000u); }
int RightAnswersOf(int N) { return N % 101; }
TDateTime DateOf(int N) {
  return TDateTime{2000 + N / 8064 % 100, 1 + N % 12, 1 + N / 12 % 28, N / 336 % 24, N % 60, 0};
}

}  // namespace

THeadlessDrill::THeadlessDrill(TResults& Results) : FRun(FView, FClock) {
  FView.Store = [&Results](const std::string& Line) { Results.Record(Line); };
}

std::string THeadlessDrill::Finish(int N) {
  const uint32_t Start = 0x7FFFF000u + static_cast<uint32_t>(N) * 104729u;  // crosses the tick count's wrap now and then
  FClock.Counter = static_cast<uint64_t>(N) * 2654435761u;
  FClock.When = DateOf(N);
  FClock.Now = Start;
  FRun.Start(Start);
  const int Right = RightAnswersOf(N);
  const uint32_t End = Start + DurationOf(N);
  for (int Q = 1; Q <= TDrillRun::QuestionsPerDrill; ++Q) {
    FClock.Now = Start + static_cast<uint32_t>(static_cast<uint64_t>(DurationOf(N)) * static_cast<uint64_t>(Q) / 101u);
    if (Q == TDrillRun::QuestionsPerDrill) {
      FClock.Now = End;
      FRun.Tick(End);  // the clock shows the final time before the last Enter
    }
    const std::string Answer = Q <= Right ? std::to_string(FRun.CurrentQuestion().Answer) : std::string();
    FRun.EnterPressed(Answer, false, FClock.Now);
  }
  return FView.Log.empty() ? std::string() : FView.Log.front();
}

std::string THeadlessDrill::ExpectedLine(int N) {
  return SummaryLine(ClockLabelText(static_cast<int32_t>(DurationOf(N))), RightAnswersOf(N), DateText(DateOf(N)));
}
