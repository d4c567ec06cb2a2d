// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One drill of 100 questions as an event-driven state machine. It knows no
// widgets: the main window forwards its events here and carries out TDrillView.
#include <cstdint>
#include <string>

#include "drill/drill_clock.h"
#include "drill/drill_view.h"
#include "drill/question.h"

enum class TRunState { Idle, Asking, Halted };

class TDrillRun {
public:
  static constexpr int QuestionsPerDrill = 100;
  // An Enter at the start button this soon after a drill's last answer is
  // taken for the answer's Enter pressed twice, and starts nothing.
  static constexpr int32_t StartKeyPauseMs = 1000;

  TDrillRun(TDrillView& View, TDrillClock& Clock);

  // Events. Now is the tick count read at the moment of the event.
  void Start(uint32_t Now);                                         // start button
  bool FilterKey(char Ch) const;                                    // may Ch go into the answer box?
  void EnterPressed(const std::string& Text, bool UntilCorrect, uint32_t Now);  // Enter in the answer box
  void Tick(uint32_t Now);                                          // 500 ms clock timer
  void Abort();                                                     // end button or close request
  // May Enter at the start button, pressed at Now, start a drill? Not within
  // StartKeyPauseMs after the last answer of a drill (or after its save, when
  // that took longer), unless an error box came between (closing it made the
  // next Enter deliberate). A click on the button always starts one.
  bool TakesStartKey(uint32_t Now) const;

  TRunState State() const { return FState; }
  int QuestionNo() const { return FQuestionNo; }
  int CorrectCount() const { return FCorrectCount; }
  const TQuestion& CurrentQuestion() const { return FQuestion; }
  const std::string& ClockText() const { return FClockText; }
  bool ClockEnabled() const { return FClockEnabled; }
  const TRandomSource& RandomSource() const { return FRandom; }

private:
  void AskQuestion();
  void Commit(const std::string& Text, bool HasAnswer, uint32_t Now);
  void Finish(uint32_t Now);

  TDrillView& FView;
  TDrillClock& FClock;
  TRandomSource FRandom;
  TQuestionGenerator FGenerator;
  TRunState FState = TRunState::Idle;
  int FQuestionNo = 0;
  TQuestion FQuestion{};
  int FCorrectCount = 0;
  uint32_t FRunStartTick = 0;
  uint32_t FQuestionStartTick = 0;
  std::string FClockText;
  bool FClockEnabled = false;
  bool FStartKeyHeld = false;  // a drill was answered and saved by FDrillEndTick
  uint32_t FDrillEndTick = 0;
};
