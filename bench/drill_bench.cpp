// SPDX-License-Identifier: GPL-3.0-or-later
// A whole drill of 100 questions driven headless through a view that only
// keeps what it is shown: the engine's own cost per question.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.h"
#include "drill/drill_run.h"
#include "drill/drill_texts.h"
#include "fake_drill_clock.h"
#include "fake_drill_view.h"

namespace {

// One drill: every answer typed digit by digit, right for most questions,
// a clock tick every few answers.
void OneDrill(TFakeDrillView& View, TFakeDrillClock& Clock) {
  TDrillRun Run(View, Clock);
  Run.Start(Clock.Now);
  while (Run.State() == TRunState::Asking) {
    const TQuestion& Q = Run.CurrentQuestion();
    const int Given = Run.QuestionNo() % 7 == 0 ? Q.Answer + 1 : Q.Answer;
    const std::string Text = std::to_string(Given);
    for (char Ch : Text) (void)Run.FilterKey(Ch);
    Clock.Now += 1700;
    if (Run.QuestionNo() % 3 == 0) Run.Tick(Clock.Now);
    Run.EnterPressed(Text, false, Clock.Now);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int Repetitions = argc > 1 ? std::atoi(argv[1]) : 200;
  // The tests' view and clock: the view keeps the log and the question like
  // the window would, without widgets; the counter runs, so each drill has
  // questions of its own.
  TFakeDrillView View;
  std::size_t Stored = 0;
  View.Store = [&Stored](const std::string& Line) { Stored += Line.size(); };
  TFakeDrillClock Clock;
  Clock.Counter = 1;
  Clock.CounterRuns = true;
  std::vector<double> PerQuestionUs;
  for (int Round = 0; Round < 20 + Repetitions; ++Round) {
    const double Ms = TimeMs([&] { OneDrill(View, Clock); });
    if (Round >= 20) PerQuestionUs.push_back(Ms * 1000.0 / TDrillRun::QuestionsPerDrill);
  }
  if (Stored == 0) return 1;
  const double Us = Median(PerQuestionUs);
  std::printf("%-16s %12s\n", "drill", "us/question");
  std::printf("%-16s %12.3f\n", "100 questions", Us);
  std::printf("BENCH drill per_question_us=%.3f\n", Us);
  return 0;
}
