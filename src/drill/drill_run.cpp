// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/drill_run.h"

#include <optional>

#include "drill/drill_texts.h"
#include "platform/app_error.h"
#include "platform/text_to_int.h"

namespace {

// Durations survive the tick count's wrap: later minus earlier modulo 2^32, signed.
int32_t Elapsed(uint32_t Later, uint32_t Earlier) { return static_cast<int32_t>(Later - Earlier); }

// Blanks and control characters (bytes up to 0x20) around the answer do not count.
bool IsBlankAnswer(const std::string& Text) {
  for (char C : Text) {
    if (static_cast<unsigned char>(C) > 0x20) return false;
  }
  return true;
}

}  // namespace

TDrillRun::TDrillRun(TDrillView& View, TDrillClock& Clock)
    : FView(View), FClock(Clock), FGenerator(FRandom), FClockText(DrillTexts().ClockAtRest) {}

void TDrillRun::Start(uint32_t Now) {
  FStartKeyHeld = false;
  // A run under way is abandoned: no further line, no summary, no history.
  FView.ClearLog();
  FRandom.Reseed(FClock);
  FCorrectCount = 0;
  FRunStartTick = Now;
  FQuestionStartTick = Now;
  if (!FClockEnabled) {
    if (!FView.StartClock()) {
      FState = TRunState::Idle;
      FView.ShowError(DrillTexts().NoTimer);
      return;
    }
    FClockEnabled = true;
  }
  FQuestionNo = 1;
  AskQuestion();
}

void TDrillRun::AskQuestion() {
  FView.ClearAnswer();
  FView.FocusAnswer();
  FQuestion = FGenerator.NextQuestion();
  FView.ShowQuestion(OperandText(FQuestion.Left), OperatorGlyph(FQuestion.Op), OperandText(FQuestion.Right));
  // The expected answer and the state are in force before the display update
  // runs pending events, which may already hold the next Enter.
  FState = TRunState::Asking;
  FView.UpdateDisplay();
}

bool TDrillRun::FilterKey(char Ch) const { return (Ch >= '0' && Ch <= '9') || Ch == '\b'; }

void TDrillRun::EnterPressed(const std::string& Text, bool UntilCorrect, uint32_t Now) {
  const bool HasAnswer = !IsBlankAnswer(Text);
  if (UntilCorrect) {
    if (!HasAnswer) return;
    int32_t Given = 0;
    try {
      Given = TextToInt(Text);
    } catch (const EConvertError& Error) {
      FView.ShowError(Error.Message());
      return;
    }
    if (Given != FQuestion.Answer) {
      FView.ClearAnswer();
      return;
    }
  }
  if (FState == TRunState::Asking) Commit(Text, HasAnswer, Now);
}

void TDrillRun::Commit(const std::string& Text, bool HasAnswer, uint32_t Now) {
  const std::string Time = QuestionTimeText(Elapsed(Now, FQuestionStartTick));
  FQuestionStartTick = FClock.TickCount();
  const std::string& Glyph = OperatorGlyph(FQuestion.Op);
  if (HasAnswer) {
    int32_t Given = 0;
    try {
      Given = TextToInt(Text);  // leading blanks are skipped, trailing ones are not
    } catch (const EConvertError& Error) {
      // The run halts: no line for this question, the clock runs on.
      FState = TRunState::Halted;
      FView.ShowError(Error.Message());
      return;
    }
    if (Given == FQuestion.Answer) {
      FView.InsertLogLine(CorrectLine(FQuestionNo, FQuestion.Left, Glyph, FQuestion.Right, Given, Time));
      ++FCorrectCount;
    } else {
      FView.InsertLogLine(
          WrongLine(FQuestionNo, FQuestion.Left, Glyph, FQuestion.Right, Given, FQuestion.Answer, Time));
    }
  } else {
    FView.InsertLogLine(NoAnswerLine(FQuestionNo, FQuestion.Left, Glyph, FQuestion.Right, FQuestion.Answer, Time));
  }
  if (FQuestionNo < QuestionsPerDrill) {
    ++FQuestionNo;
    AskQuestion();
  } else {
    Finish(Now);
  }
}

void TDrillRun::Finish(uint32_t Now) {
  FClockEnabled = false;
  FView.StopClock();
  FView.ClearQuestion();
  // The summary takes the clock text last shown, not a fresh reading.
  const double Percent = static_cast<double>(FCorrectCount) / 100.0 * 100.0;
  const std::string Summary = SummaryLine(FClockText, Percent, DateText(FClock.LocalDateTime()));
  FView.InsertLogLine(Summary);
  FState = TRunState::Idle;
  std::optional<std::string> StoreError;
  try {
    FView.StoreSummary(Summary);
  } catch (const EAppError& Error) {
    StoreError = Error.Message();  // the line stays in the history list
  }
  // The pause for the start key runs from the answer, or from the end of a
  // slow save, whichever is later: a second press that waited behind the save
  // is still the answer's.
  FStartKeyHeld = true;
  const uint32_t Saved = FClock.TickCount();
  FDrillEndTick = Elapsed(Saved, Now) > 0 ? Saved : Now;
  // Whether or not the file took the line, the window comes to rest as after
  // any drill: the clock at zero, Enter at the start button for the next one.
  FClockText = DrillTexts().ClockAtRest;
  FView.ShowClock(FClockText);
  if (StoreError) {
    FView.ShowError(*StoreError);
    FStartKeyHeld = false;
  }
  FView.FocusStart();
}

bool TDrillRun::TakesStartKey(uint32_t Now) const {
  if (!FStartKeyHeld) return true;
  const int32_t Since = Elapsed(Now, FDrillEndTick);
  return Since < 0 || Since >= StartKeyPauseMs;
}

void TDrillRun::Tick(uint32_t Now) {
  if (!FClockEnabled) return;
  FClockText = ClockLabelText(Elapsed(Now, FRunStartTick));
  FView.ShowClock(FClockText);
}

void TDrillRun::Abort() {
  if (FState == TRunState::Idle) return;
  // The question on display gets no line; nothing is stored.
  FState = TRunState::Idle;
  FClockEnabled = false;
  FView.StopClock();
}
