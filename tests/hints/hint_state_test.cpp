// SPDX-License-Identifier: GPL-3.0-or-later
// When hints come and go, driven by a test clock: no widgets, no real time.
#include <gtest/gtest.h>

#include "app/windows/window_texts.h"
#include "drill/drill_texts.h"
#include "fake_hint_timer.h"
#include "hints/hint_state.h"
#include "platform/sjis.h"

namespace {

struct TFakeControl {
  QRect Bounds;
  std::string Hint;  // empty: hint flag off
  const TFakeControl* Parent = nullptr;
};

class TFakeHost : public THintHost {
public:
  std::vector<const TFakeControl*> Controls;  // topmost first
  QPoint Pointer;
  bool Active = true;

  THintTarget HintOwnerOf(THintTarget Control) const override {
    for (auto* C = static_cast<const TFakeControl*>(Control); C; C = C->Parent)
      if (!C->Hint.empty()) return C;
    return nullptr;
  }
  THintTarget ControlAt(QPoint P) const override {
    for (const TFakeControl* C : Controls)
      if (C->Bounds.contains(P)) return C;
    return nullptr;
  }
  std::string HintOf(THintTarget Control) const override { return static_cast<const TFakeControl*>(Control)->Hint; }
  QRect ScreenBoundsOf(THintTarget Control) const override { return static_cast<const TFakeControl*>(Control)->Bounds; }
  bool ApplicationActive() const override { return Active; }
  QPoint CursorPos() const override { return Pointer; }
  int CursorMargin() const override { return 20; }
  int PrimaryScreenWidth() const override { return 1024; }
};

class TFakeDisplay : public THintDisplay {
public:
  bool Visible = false;
  int Showings = 0;
  std::string Text;
  QRect Rect;
  int MaxWidthAsked = 0;

  QRect CalcHintRect(int MaxWidth, const std::string& T) override {
    MaxWidthAsked = MaxWidth;
    return QRect(0, 0, static_cast<int>(T.size()) * 7 + 6, 18);
  }
  void ActivateHint(QRect R, const std::string& T) override {
    Rect = R;
    Text = T;
    Visible = true;
    ++Showings;
  }
  void HideHint() override { Visible = false; }
  bool HintVisible() const override { return Visible; }
};

class HintStateTest : public ::testing::Test {
protected:
  // Two buttons apart, a check box right below the first one (no gap), a window around them.
  TFakeControl Window{QRect(0, 0, 800, 600), "", nullptr};
  TFakeControl StartButton{QRect(100, 100, 80, 30), ToSjis(WindowTexts::StartHint), &Window};
  TFakeControl UntilCorrectBox{QRect(100, 130, 80, 20), ToSjis(WindowTexts::UntilCorrectHint), &Window};
  TFakeControl ChartButton{QRect(400, 100, 80, 30), ToSjis(WindowTexts::ScoreChartHint), &Window};
  TFakeControl Label{QRect(300, 300, 50, 20), "", &Window};
  TFakeHost Host;
  TFakeDisplay Display;
  TFakeHintTimer Timer;
  THintState State{Host, Timer, Display};

  void SetUp() override {
    Host.Controls = {&StartButton, &UntilCorrectBox, &ChartButton, &Label, &Window};
    Timer.Expired = [this] { State.TimerExpired(); };
  }
  void MoveTo(QPoint P) {
    Host.Pointer = P;
    State.MouseMove(Host.ControlAt(P), P);
  }
};

TEST_F(HintStateTest, HintComesAfterRestingHalfASecondJustBelowThePointer) {
  MoveTo({120, 110});
  EXPECT_EQ(Timer.Started, std::vector<int>{500});
  Timer.Advance(499);
  EXPECT_FALSE(Display.Visible);
  Timer.Advance(1);
  ASSERT_TRUE(Display.Visible);
  EXPECT_EQ(Display.Text, ToSjis(WindowTexts::StartHint));
  EXPECT_EQ(Display.Rect.topLeft(), QPoint(120, 130));  // pointer y + cursor margin
  EXPECT_EQ(Display.MaxWidthAsked, 1024);
  EXPECT_TRUE(State.RecentlyActive());
}

TEST_F(HintStateTest, EveryMoveBeforeTheFirstShowingRestartsTheWait) {
  MoveTo({120, 110});
  Timer.Advance(300);
  MoveTo({125, 112});
  Timer.Advance(400);
  EXPECT_FALSE(Display.Visible);
  Timer.Advance(100);
  EXPECT_TRUE(Display.Visible);
  EXPECT_EQ(Display.Rect.topLeft(), QPoint(125, 132));
}

TEST_F(HintStateTest, HiddenAfterTwoAndAHalfSecondsAndNotBackWhileOnTheSameControl) {
  MoveTo({120, 110});
  Timer.Advance(500);
  Timer.Advance(2499);
  EXPECT_TRUE(Display.Visible);
  Timer.Advance(1);
  EXPECT_FALSE(Display.Visible);
  for (int I = 0; I < 5; ++I) {
    MoveTo({121 + I, 111});
    Timer.Advance(1000);
  }
  EXPECT_FALSE(Display.Visible);
  EXPECT_EQ(Display.Showings, 1);
  // Leaving over a place without a hint and coming back starts afresh.
  MoveTo({300, 250});
  EXPECT_EQ(State.HintControl(), nullptr);
  MoveTo({120, 110});
  Timer.Advance(500);
  EXPECT_TRUE(Display.Visible);
  EXPECT_EQ(Display.Showings, 2);
}

TEST_F(HintStateTest, NextControlsHintComesAtOnceWhileAHintIsActive) {
  MoveTo({120, 110});
  Timer.Advance(500);
  MoveTo({120, 140});  // straight onto the check box below
  EXPECT_TRUE(Display.Visible);
  EXPECT_EQ(Display.Text, ToSjis(WindowTexts::UntilCorrectHint));
  EXPECT_EQ(Display.Showings, 2);
  // Also after the hint was hidden by the timer: the flag stays until a cancel.
  Timer.Advance(2500);
  EXPECT_FALSE(Display.Visible);
  MoveTo({120, 110});
  EXPECT_TRUE(Display.Visible);
  EXPECT_EQ(Display.Text, ToSjis(WindowTexts::StartHint));
}

TEST_F(HintStateTest, PassingOverAPlaceWithoutHintMeansTheFullWaitAgain) {
  MoveTo({120, 110});
  Timer.Advance(500);
  MoveTo({300, 110});  // window background
  EXPECT_FALSE(Display.Visible);
  EXPECT_FALSE(State.RecentlyActive());
  MoveTo({420, 110});
  EXPECT_FALSE(Display.Visible);
  Timer.Advance(500);
  EXPECT_EQ(Display.Text, ToSjis(WindowTexts::ScoreChartHint));
}

TEST_F(HintStateTest, CancelRemovesTheHintAndStopsTheTimer) {
  MoveTo({120, 110});
  Timer.Advance(500);
  State.CancelHint();  // a key, a click
  EXPECT_FALSE(Display.Visible);
  EXPECT_FALSE(Timer.Due.has_value());
  EXPECT_EQ(State.HintControl(), nullptr);
  EXPECT_FALSE(State.RecentlyActive());
  // A cancel while waiting: nothing comes.
  MoveTo({130, 110});
  Timer.Advance(200);
  State.CancelHint();
  Timer.Advance(5000);
  EXPECT_EQ(Display.Showings, 1);
}

TEST_F(HintStateTest, AfterACancelTheWaitRunsFromTheFirstMoveBackOnTheLastHintsControl) {
  MoveTo({120, 110});
  Timer.Advance(500);
  State.CancelHint();
  MoveTo({130, 110});
  Timer.Advance(300);
  MoveTo({140, 112});  // inside the rectangle recorded with the last showing: no restart
  Timer.Advance(200);
  EXPECT_TRUE(Display.Visible);
  EXPECT_EQ(Display.Rect.topLeft(), QPoint(140, 132));  // at the pointer as it is at expiry
}

TEST_F(HintStateTest, NoHintWhileAnotherApplicationIsActive) {
  Host.Active = false;
  MoveTo({120, 110});
  Timer.Advance(500);
  EXPECT_FALSE(Display.Visible);
  EXPECT_EQ(State.HintControl(), nullptr);
}

TEST_F(HintStateTest, NoHintWhenThePointerHasLeftTheControlUnreported) {
  MoveTo({120, 110});
  Host.Pointer = {700, 500};
  Timer.Advance(500);
  EXPECT_FALSE(Display.Visible);
  EXPECT_EQ(State.HintControl(), nullptr);
}

TEST_F(HintStateTest, AControlWithoutItsOwnHintShowsItsParents) {
  TFakeControl Inner{QRect(410, 105, 10, 10), "", &ChartButton};
  Host.Controls.insert(Host.Controls.begin(), &Inner);
  MoveTo({412, 107});
  Timer.Advance(500);
  EXPECT_EQ(Display.Text, ToSjis(WindowTexts::ScoreChartHint));
  EXPECT_EQ(State.HintControl(), &ChartButton);
}

TEST_F(HintStateTest, HintsSwitchedOffShowNothing) {
  State.SetShowHints(false);
  MoveTo({120, 110});
  Timer.Advance(500);
  EXPECT_FALSE(Display.Visible);
  State.SetShowHints(true);
  MoveTo({121, 110});
  Timer.Advance(500);
  EXPECT_TRUE(Display.Visible);
}

TEST_F(HintStateTest, EmptyShortHintShowsNothing) {
  StartButton.Hint = "|only the long part";
  MoveTo({120, 110});
  Timer.Advance(500);
  EXPECT_FALSE(Display.Visible);
}

TEST_F(HintStateTest, AShortPauseOtherThanZeroIsWaitedFor) {
  THintState Slow{Host, Timer, Display, THintPauses{.Pause = 800, .ShortPause = 100, .HidePause = 1000}};
  Timer.Expired = [&Slow] { Slow.TimerExpired(); };
  Host.Pointer = {120, 110};
  Slow.MouseMove(&StartButton, Host.Pointer);
  Timer.Advance(799);
  EXPECT_FALSE(Display.Visible);
  Timer.Advance(1);
  EXPECT_TRUE(Display.Visible);
  Host.Pointer = {120, 140};
  Slow.MouseMove(&UntilCorrectBox, Host.Pointer);
  EXPECT_FALSE(Display.Visible);  // the old hint goes while the next one waits
  EXPECT_TRUE(Slow.RecentlyActive());
  Timer.Advance(100);
  EXPECT_EQ(Display.Text, ToSjis(WindowTexts::UntilCorrectHint));
  Timer.Advance(999);
  EXPECT_TRUE(Display.Visible);
  Timer.Advance(1);
  EXPECT_FALSE(Display.Visible);
}

TEST(ShortHintTest, CutsAtTheFirstBarButNotInsideADoubleByteCharacter) {
  EXPECT_EQ(ShortHint("short|long"), "short");
  EXPECT_EQ(ShortHint("no bar"), "no bar");
  // "－" is 0x81 0x7C: its trail byte is the bar's code.
  const std::string Minus = DrillTexts().MinusGlyph;
  ASSERT_EQ(Minus, "\x81\x7C");
  EXPECT_EQ(ShortHint(Minus + "a|b"), Minus + "a");
  EXPECT_EQ(ShortHint(Minus), Minus);
}

}  // namespace
