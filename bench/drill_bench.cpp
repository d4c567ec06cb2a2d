// A whole drill of 100 questions driven headless through a view that only
// keeps what it is shown: the engine's own cost per question.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.h"
#include "drill_run.h"
#include "drill_texts.h"

namespace {

// Keeps the log and the question like the window would, without widgets.
class TQuietView : public TDrillView {
public:
  std::vector<std::string> Log;
  std::string Left, Glyph, Right, Clock;
  std::size_t Stored = 0;

  void ClearLog() override { Log.clear(); }
  void InsertLogLine(const std::string& Line) override { Log.insert(Log.begin(), Line); }
  void ClearAnswer() override {}
  void FocusAnswer() override {}
  void ShowQuestion(const std::string& L, const std::string& G, const std::string& R) override {
    Left = L;
    Glyph = G;
    Right = R;
  }
  void ClearQuestion() override { Left.clear(), Glyph.clear(), Right.clear(); }
  void ShowClock(const std::string& Text) override { Clock = Text; }
  void FocusStart() override {}
  void ShowError(const std::string&) override {}
  void StoreSummary(const std::string& Line) override { Stored += Line.size(); }
  bool StartClock() override { return true; }
  void StopClock() override {}
  void UpdateDisplay() override {}
};

class TFakeClock : public TDrillClock {
public:
  uint32_t Now = 0;
  uint64_t Counter = 1;
  uint32_t TickCount() override { return Now; }
  std::optional<uint64_t> PerformanceCounter() override { return ++Counter; }
  TDateTime LocalDateTime() override { return TDateTime{2024, 3, 15, 9, 5, 0}; }
};

// One drill: every answer typed digit by digit, right for most questions,
// a clock tick every few answers.
void OneDrill(TQuietView& View, TFakeClock& Clock) {
  TDrillRun Run(View, Clock);
  Run.Start(Clock.Now);
  while (Run.State() == rsAsking) {
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
  TQuietView View;
  TFakeClock Clock;
  std::vector<double> PerQuestionUs;
  for (int Round = 0; Round < 20 + Repetitions; ++Round) {
    const double Ms = TimeMs([&] { OneDrill(View, Clock); });
    if (Round >= 20) PerQuestionUs.push_back(Ms * 1000.0 / TDrillRun::QuestionsPerDrill);
  }
  if (View.Stored == 0) return 1;
  const double Us = Median(PerQuestionUs);
  std::printf("%-16s %12s\n", "drill", "us/question");
  std::printf("%-16s %12.3f\n", "100 questions", Us);
  std::printf("BENCH drill per_question_us=%.3f\n", Us);
  return 0;
}
