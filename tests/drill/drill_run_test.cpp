// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/drill_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drill/drill_texts.h"
#include "fake_drill_clock.h"
#include "fake_drill_view.h"
#include "platform/app_error.h"
#include "platform/program_texts.h"

namespace {

class DrillRunTest : public ::testing::Test {
protected:
  DrillRunTest() { View.KeepTrace = true; }

  TFakeDrillView View;
  // The tick count read inside an event is the event's own Now unless a test moves it.
  TFakeDrillClock Clock;
  TDrillRun Run{View, Clock};

  void StartAt(uint32_t Now) {
    Clock.Now = Now;
    Run.Start(Now);
  }
  void Enter(const std::string& Text, uint32_t Now, bool UntilCorrect = false) {
    Clock.Now = Now;
    Run.EnterPressed(Text, UntilCorrect, Now);
  }
  std::string RightAnswer() const { return std::to_string(Run.CurrentQuestion().Answer); }
  std::string WrongAnswer() const { return std::to_string(Run.CurrentQuestion().Answer + 1); }
  std::string Summary() const { return View.Log.front(); }
};

const std::string& Minute() { static const std::string S = "\x95\xAA"; return S; }
const std::string& Second() { static const std::string S = "\x95\x62"; return S; }

}  // namespace

TEST_F(DrillRunTest, StartShowsTheFirstQuestionInOrder) {
  StartAt(1000);
  // Seed 12345: the first question is 7 x 5.
  std::vector<std::string> Expected = {"ClearLog", "StartClock", "ClearAnswer", "FocusAnswer",
                                       "ShowQuestion 7 \x81\x7E 5", "UpdateDisplay"};
  EXPECT_EQ(View.Trace, Expected);
  EXPECT_EQ(Run.State(), TRunState::Asking);
  EXPECT_EQ(Run.QuestionNo(), 1);
  EXPECT_EQ(Run.CurrentQuestion().Answer, 35);
  EXPECT_EQ(Run.RandomSource().Seed, 1242767767u);  // reseeded from the counter, two draws taken
}

TEST_F(DrillRunTest, HundredEmptyAnswersGiveZeroPercent) {
  StartAt(0);
  for (int I = 1; I <= 100; ++I) Enter("", I * 1000u);
  ASSERT_EQ(View.Log.size(), 101u);
  EXPECT_EQ(Run.CorrectCount(), 0);
  EXPECT_EQ(Summary().substr(24, 4), "  0%");
  EXPECT_EQ(View.Log[1].substr(0, 3), "100");  // question numbers count down from the top
  EXPECT_EQ(View.Log[100].substr(0, 3), "  1");
  for (size_t I = 1; I <= 100; ++I) {
    EXPECT_EQ(View.Log[I].substr(16, 3), "   ");  // no answer given
    EXPECT_EQ(View.Log[I].substr(34), "00" + Minute() + "01" + Second() + "000");
  }
  EXPECT_EQ(View.Stored, std::vector<std::string>{Summary()});
  EXPECT_EQ(Run.State(), TRunState::Idle);
  EXPECT_FALSE(Run.ClockEnabled());
  EXPECT_FALSE(View.ClockRunning);
}

TEST_F(DrillRunTest, AllRightGivesHundredPercentAndTheFinishSequence) {
  StartAt(0);
  Run.Tick(500);
  Run.Tick(1000);
  for (int I = 1; I <= 100; ++I) Enter(RightAnswer(), 1000u + I);
  EXPECT_EQ(Run.CorrectCount(), 100);
  EXPECT_EQ(Summary(), SummaryLine("00" + Minute() + "01" + Second(), 100.0, "2024/03/15 09:05"));
  EXPECT_EQ(Summary().substr(24, 3), "100");
  // The last operations of a finished run, in order.
  std::vector<std::string> Tail(View.Trace.end() - 7, View.Trace.end());
  std::vector<std::string> Expected = {"InsertLogLine " + View.Log[1], "StopClock", "ClearQuestion",
                                       "InsertLogLine " + Summary(), "StoreSummary " + Summary(),
                                       "ShowClock " + DrillTexts().ClockAtRest, "FocusStart"};
  EXPECT_EQ(Tail, Expected);
}

TEST_F(DrillRunTest, SummaryTakesTheLastTickNotTheTrueTotal) {
  StartAt(0);
  Run.Tick(299500);  // 04分59秒
  for (int I = 1; I <= 100; ++I) Enter("", 299800u);
  EXPECT_EQ(Summary().substr(9, 8), "04" + Minute() + "59" + Second());
}

TEST_F(DrillRunTest, EachQuestionTimeRunsFromThePreviousCommit) {
  StartAt(10000);
  Enter(WrongAnswer(), 13042);
  Clock.Now = 13100;  // the tick count read again inside the commit
  EXPECT_EQ(View.Log.front().substr(34), "00" + Minute() + "03" + Second() + "042");
  Enter("", 20000);
  EXPECT_EQ(View.Log.front().substr(34), "00" + Minute() + "06" + Second() + "958");
}

TEST_F(DrillRunTest, WrongAnswerLineNamesBothAnswers) {
  StartAt(0);
  Enter("36", 4310);  // 7 x 5 = 35
  EXPECT_EQ(View.Log.front(), WrongLine(1, 7, "\x81\x7E", 5, 36, 35, QuestionTimeText(4310)));
  EXPECT_EQ(Run.QuestionNo(), 2);
}

TEST_F(DrillRunTest, TimeAcrossTheTickWrapIs512Milliseconds) {
  StartAt(0xFFFFFF00u);
  Enter("35", 0x00000100u);
  EXPECT_EQ(View.Log.front().substr(34), "00" + Minute() + "00" + Second() + "512");
  Run.Tick(0x00000100u + 60000u);
  EXPECT_EQ(Run.ClockText(), "01" + Minute() + "00" + Second());
}

TEST_F(DrillRunTest, QuestionOfHundredMinutesHasThreeMinuteDigits) {
  StartAt(0);
  Enter("35", 6001234u);
  EXPECT_EQ(View.Log.front().size(), 46u);
  EXPECT_EQ(View.Log.front().substr(34), "100" + Minute() + "01" + Second() + "234");
}

TEST_F(DrillRunTest, UntilCorrectKeepsTheQuestionUntilRight) {
  StartAt(0);
  View.Trace.clear();
  Enter("", 100, true);  // nothing happens
  EXPECT_TRUE(View.Trace.empty());
  Enter("  \t", 150, true);  // blanks and control characters count as empty
  EXPECT_TRUE(View.Trace.empty());
  Enter("34", 200, true);  // wrong: the box is emptied, same question
  EXPECT_EQ(View.Trace, std::vector<std::string>{"ClearAnswer"});
  EXPECT_EQ(Run.QuestionNo(), 1);
  Enter("35", 2500, true);
  EXPECT_EQ(Run.QuestionNo(), 2);
  EXPECT_EQ(View.Log.front(), CorrectLine(1, 7, "\x81\x7E", 5, 35, QuestionTimeText(2500)));
}

TEST_F(DrillRunTest, UntilCorrectReportsANonNumberAndGoesOn) {
  StartAt(0);
  View.Trace.clear();
  Enter("3a", 100, true);
  ASSERT_EQ(View.Trace.size(), 1u);
  EXPECT_EQ(View.Trace[0].substr(0, 15), "ShowError '3a' ");
  EXPECT_EQ(Run.State(), TRunState::Asking);
  EXPECT_EQ(Run.QuestionNo(), 1);
}

TEST_F(DrillRunTest, AWholeUntilCorrectDrillLogsOnlyCorrectLines) {
  StartAt(0);
  for (int I = 1; I <= 100; ++I) {
    Enter(WrongAnswer(), I * 10u, true);
    Enter(RightAnswer(), I * 10u + 5, true);
  }
  ASSERT_EQ(View.Log.size(), 101u);
  for (size_t I = 1; I <= 100; ++I) EXPECT_EQ(View.Log[I].substr(21, 4), "\x90\xB3\x89\xF0");
  EXPECT_EQ(Summary().substr(24, 3), "100");
}

TEST_F(DrillRunTest, PastedNonNumberHaltsTheRunButTheClockGoesOn) {
  StartAt(0);
  Enter("35", 1000);
  const size_t LinesBefore = View.Log.size();
  Enter("1x", 2000);
  EXPECT_EQ(Run.State(), TRunState::Halted);
  EXPECT_EQ(View.Log.size(), LinesBefore);
  EXPECT_EQ(View.Trace.back().substr(0, 15), "ShowError '1x' ");
  Run.Tick(65000);
  EXPECT_EQ(Run.ClockText(), "01" + Minute() + "05" + Second());
  EXPECT_TRUE(Run.ClockEnabled());
  Enter("12", 66000);  // no effect while halted
  EXPECT_EQ(View.Log.size(), LinesBefore);
  StartAt(70000);  // a fresh run with an empty log
  EXPECT_EQ(Run.State(), TRunState::Asking);
  EXPECT_EQ(Run.QuestionNo(), 1);
  EXPECT_TRUE(View.Log.empty());
  EXPECT_TRUE(View.Stored.empty());
}

// A pasted U+0000 reaches the run as a NUL byte: the error shows the whole
// text, past the NUL, whether the run goes on or halts.
TEST_F(DrillRunTest, ANonNumberWithANulByteIsQuotedWhole) {
  using namespace std::string_literals;
  for (const std::string& Text : {"1\0 2"s, "\0007"s, " 12\0"s}) {
    for (bool UntilCorrect : {true, false}) {
      StartAt(0);
      View.Trace.clear();
      Enter(Text, 100, UntilCorrect);
      std::string Message = Texts().NotAnInteger;
      Message.replace(Message.find("%s"), 2, Text);
      ASSERT_FALSE(View.Trace.empty());
      EXPECT_EQ(View.Trace.back(), "ShowError " + Message) << "until correct " << UntilCorrect;
      EXPECT_EQ(Run.State(), UntilCorrect ? TRunState::Asking : TRunState::Halted);
    }
  }
}

TEST_F(DrillRunTest, StartDuringARunAbandonsItWithoutTrace) {
  StartAt(0);
  for (int I = 1; I <= 50; ++I) Enter("", I * 10u);
  View.Trace.clear();
  StartAt(5000);
  EXPECT_EQ(View.Trace.front(), "ClearLog");
  EXPECT_EQ(View.Count("StartClock"), 0u);  // the clock was still running: same pace
  EXPECT_EQ(Run.QuestionNo(), 1);
  EXPECT_TRUE(View.Log.empty());
  Run.Tick(5500);
  EXPECT_EQ(Run.ClockText(), "00" + Minute() + "00" + Second());
  for (int I = 1; I <= 100; ++I) Enter("", 6000u + I);
  EXPECT_EQ(View.Stored.size(), 1u);
  EXPECT_EQ(View.Log.size(), 101u);
}

TEST_F(DrillRunTest, AbortDuringARunStoresNothing) {
  StartAt(0);
  for (int I = 1; I <= 99; ++I) Enter("", I * 10u);
  View.Trace.clear();
  Run.Abort();
  EXPECT_EQ(View.Trace, std::vector<std::string>{"StopClock"});
  EXPECT_EQ(Run.State(), TRunState::Idle);
  EXPECT_FALSE(Run.ClockEnabled());
  EXPECT_TRUE(View.Stored.empty());
  EXPECT_EQ(View.Log.size(), 99u);
  Enter("", 5000);  // the abandoned question 100 gets no line
  EXPECT_EQ(View.Log.size(), 99u);
}

TEST_F(DrillRunTest, EnterOutsideARunDoesNothingInNormalMode) {
  Enter("abc", 10);
  EXPECT_TRUE(View.Trace.empty());
  Enter("5", 10, true);  // until-correct against the last expected answer (0): a mismatch empties the box
  EXPECT_EQ(View.Trace, std::vector<std::string>{"ClearAnswer"});
  View.Trace.clear();
  Enter("0", 10, true);  // a match commits nothing outside a run
  EXPECT_TRUE(View.Trace.empty());
}

TEST_F(DrillRunTest, NoTimerLeftShowsTheErrorAndAsksNothing) {
  View.TimerAvailable = false;
  StartAt(0);
  std::vector<std::string> Expected = {"ClearLog", "StartClock", "ShowError " + DrillTexts().NoTimer};
  EXPECT_EQ(View.Trace, Expected);
  EXPECT_EQ(Run.State(), TRunState::Idle);
  EXPECT_FALSE(Run.ClockEnabled());
}

TEST_F(DrillRunTest, FailingStoreComesToRestAsASavedDrillDoes) {
  View.StoreFails = true;
  StartAt(0);
  Run.Tick(42000);
  for (int I = 1; I <= 100; ++I) Enter("", 42100);
  // The clock back at zero, the error box, then Enter at the start button.
  std::vector<std::string> Tail(View.Trace.end() - 4, View.Trace.end());
  std::vector<std::string> Expected = {"StoreSummary " + Summary(), "ShowClock " + DrillTexts().ClockAtRest,
                                       "ShowError disk full", "FocusStart"};
  EXPECT_EQ(Tail, Expected);
  EXPECT_EQ(Run.ClockText(), DrillTexts().ClockAtRest);
  EXPECT_EQ(Run.State(), TRunState::Idle);
  EXPECT_EQ(Summary().substr(9, 8), "00" + Minute() + "42" + Second());  // the drill's own time
}

TEST_F(DrillRunTest, EnterAtTheStartButtonRightAfterTheLastAnswerStartsNothing) {
  struct TCase {
    const char* Name;
    uint32_t LastAnswer;  // tick of the drill's last Enter
    uint32_t StartKey;    // tick of the Enter at the start button
    uint32_t SaveMs;      // how long the save took
    bool StoreFails;      // an error box came between
    bool Taken;
  };
  const TCase Cases[] = {
      {"the same tick", 50000, 50000, 0, false, false},
      {"0.3 s after", 50000, 50300, 0, false, false},
      {"just under the pause", 50000, 50999, 0, false, false},
      {"at the pause", 50000, 51000, 0, false, true},
      {"long after", 50000, 400000, 0, false, true},
      {"1.5 s after, behind a save of 0.8 s", 50000, 51500, 800, false, false},
      {"across the tick's wrap, 0.5 s", 0xFFFFFF00u, 0xFFFFFF00u + 500, 0, false, false},
      {"across the tick's wrap, 1.5 s", 0xFFFFFF00u, 0xFFFFFF00u + 1500, 0, false, true},
      {"0.3 s after, past an error box", 50000, 50300, 0, true, true},
  };
  for (const TCase& Case : Cases) {
    TFakeDrillView CaseView;
    TFakeDrillClock CaseClock;
    TDrillRun CaseRun(CaseView, CaseClock);
    CaseView.StoreFails = Case.StoreFails;
    CaseView.Store = [&](const std::string&) { CaseClock.Now += Case.SaveMs; };
    EXPECT_TRUE(CaseRun.TakesStartKey(Case.LastAnswer)) << Case.Name << ": before any drill";
    CaseRun.Start(Case.LastAnswer - 90000);
    EXPECT_TRUE(CaseRun.TakesStartKey(Case.LastAnswer)) << Case.Name << ": during the drill";
    CaseClock.Now = Case.LastAnswer;
    for (int I = 1; I <= 100; ++I) CaseRun.EnterPressed("", false, Case.LastAnswer);
    ASSERT_EQ(CaseRun.State(), TRunState::Idle) << Case.Name;
    EXPECT_EQ(CaseRun.TakesStartKey(Case.StartKey), Case.Taken) << Case.Name;
    // A drill started by a click ends the hold.
    CaseRun.Start(Case.StartKey);
    EXPECT_TRUE(CaseRun.TakesStartKey(Case.StartKey)) << Case.Name << ": after a click";
  }
}

TEST_F(DrillRunTest, KeyFilterLetsDigitsAndBackspaceThrough) {
  for (int C = 0; C < 256; ++C) {
    bool Expected = (C >= '0' && C <= '9') || C == 8;
    EXPECT_EQ(Run.FilterKey(static_cast<char>(C)), Expected) << C;
  }
}

TEST_F(DrillRunTest, TicksOnlyWhileTheClockIsEnabled) {
  Run.Tick(5000);
  EXPECT_TRUE(View.Trace.empty());
  StartAt(1000);
  Run.Tick(1500);
  EXPECT_EQ(View.Trace.back(), "ShowClock " + DrillTexts().ClockAtRest);
  Run.Tick(324400);
  EXPECT_EQ(Run.ClockText(), "05" + Minute() + "23" + Second());
}
