// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: title, error box, scaling rule, Japanese buttons,
// modal display and the events handed to the hint controller.
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/widgets/aligned_edit.h"
#include "app/windows/graph_window.h"
#include "app/windows/main_window.h"
#include "app/windows/window_texts.h"
#include "app_test_support.h"
#include "drill/drill_texts.h"
#include "hints/hint_window.h"
#include "platform/app_error.h"
#include "platform/program_texts.h"
#include "platform/sjis.h"

TEST(ApplicationTitle, IsTheFileNameUpToItsFirstDotWithLaterLettersLowered) {
  EXPECT_EQ(ApplicationTitle("/usr/local/bin/surasura"), "surasura");
  EXPECT_EQ(ApplicationTitle("/opt/SuraSura.Exe"), "Surasura");
  EXPECT_EQ(ApplicationTitle("/a.b/Drill.tar.gz"), "Drill");  // dots of the directory do not count
  EXPECT_EQ(ApplicationTitle("QUIZ"), "Quiz");
  EXPECT_EQ(ApplicationTitle("/x/.hidden"), "");
}

TEST(ApplicationTitle, LeavesDoubleByteCharactersWhole) {
  // "ア" is 0x83 0x41: its trail byte is an "A" that must not become "a".
  const std::string Name = ToSjis("アA表B.exe");  // "表" is 0x95 0x5C
  EXPECT_EQ(ApplicationTitle("/x/" + Name), ToSjis("アa表b"));
}

TEST(ApplicationTitle, OfThisProgramComesFromItsExecutable) {
  TProgramFixture Program;
  EXPECT_EQ(Program.App().Title(), "app_tests");
}

TEST(ErrorBoxText, AppendsAFullStopAfterCharactersAboveIt) {
  EXPECT_EQ(ErrorBoxText("abc"), "abc.");
  EXPECT_EQ(ErrorBoxText("x = 7"), "x = 7.");
  EXPECT_EQ(ErrorBoxText("path/"), "path/.");  // "/" is 0x2F
  const std::string Japanese = DrillTexts().NoTimer;
  EXPECT_EQ(ErrorBoxText(Japanese), Japanese + ".");
  EXPECT_EQ(ErrorBoxText(ToSjis("ｱ")), ToSjis("ｱ") + ".");  // half-width kana, one byte 0xB1
}

TEST(ErrorBoxText, LeavesMessagesEndingInAFullStopOrBelowAlone) {
  EXPECT_EQ(ErrorBoxText("done."), "done.");
  EXPECT_EQ(ErrorBoxText("stop!"), "stop!");
  EXPECT_EQ(ErrorBoxText("trailing "), "trailing ");
  EXPECT_EQ(ErrorBoxText("a,"), "a,");
  EXPECT_EQ(ErrorBoxText("x-"), "x-");
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(LayoutScale, GrowsWithTheRoundedWindowFontHeight) {
  EXPECT_DOUBLE_EQ(LayoutScaleFor(96), 1.0);
  EXPECT_DOUBLE_EQ(LayoutScaleFor(100), 20.0 / 19);  // 19.79 -> 20
  EXPECT_DOUBLE_EQ(LayoutScaleFor(120), 24.0 / 19);  // 23.75 -> 24
  EXPECT_DOUBLE_EQ(LayoutScaleFor(144), 29.0 / 19);  // 28.5 -> 29
  EXPECT_DOUBLE_EQ(LayoutScaleFor(98), 1.0);         // 19.4 -> 19
}

TEST(ErrorDisplay, ShowsAStopBoxCaptionedWithTheTitle) {
  TProgramFixture Program;
  Program.Create();
  QString Caption, Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QWidget* Parent = nullptr;
  int Buttons = 0;
  TModalWatch Watch([&](QWidget* Modal) {
    auto* Box = qobject_cast<QMessageBox*>(Modal);
    ASSERT_NE(Box, nullptr);
    Caption = Box->windowTitle();
    Text = Box->text();
    Icon = Box->icon();
    Parent = Box->parentWidget();
    Buttons = static_cast<int>(Box->buttons().size());
  });
  Program.App().ShowError(Texts().NotAnInteger);
  ASSERT_TRUE(Watch.Done());
  EXPECT_EQ(Caption, U("app_tests"));
  EXPECT_EQ(Text, U("'%s' は整数ではありません."));
  EXPECT_EQ(Icon, QMessageBox::Critical);
  EXPECT_EQ(Parent, &Program.MainWindow());
  EXPECT_EQ(Buttons, 1);
}

TEST(ErrorDisplay, TheBoxReadsAsLargeAsTheHintsAndTheButtons) {
  for (const double Dpi : {0.0, 144.0}) {  // the offscreen screen's own density, and 150 %
    TProgramFixture Program(Dpi);
    Program.Create();
    int Words = 0, Button = 0;
    TModalWatch Watch([&](QWidget* Modal) {
      auto* Box = qobject_cast<QMessageBox*>(Modal);
      ASSERT_NE(Box, nullptr);
      Words = Box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->fontInfo().pixelSize();
      Button = Box->buttons().front()->fontInfo().pixelSize();
    });
    Program.App().ShowError(DrillTexts().NoTimer);
    ASSERT_TRUE(Watch.Done());
    const TMyHintWindow Hint;
    const int Least = std::max(Hint.CanvasFont().pixelSize(), Program.MainWindow().StartButton->fontInfo().pixelSize());
    EXPECT_GE(Words, Least) << Dpi;
    EXPECT_GE(Button, Least) << Dpi;
  }
}

TEST(ErrorDisplay, GuardEndsTheHandlerAtTheErrorAndShowsIt) {
  TProgramFixture Program;
  Program.Create();
  QString Text;
  TModalWatch Watch([&](QWidget* Modal) { Text = static_cast<QMessageBox*>(Modal)->text(); });
  int Reached = 0;
  Program.App().Guard([&] {
    Reached = 1;
    throw EFileError("disk full!");
    Reached = 2;  // never runs
  });
  EXPECT_EQ(Reached, 1);
  EXPECT_EQ(Text, U("disk full!"));
}

TEST(ErrorDisplay, GuardShowsTheMessagePastANulByte) {
  TProgramFixture Program;
  Program.Create();
  QString Text;
  TModalWatch Watch([&](QWidget* Modal) { Text = static_cast<QMessageBox*>(Modal)->text(); });
  Program.App().Guard([] { throw EFileError(std::string("disk\0full!", 10)); });
  EXPECT_EQ(Text, U("disk") + QChar(u'\0') + U("full!"));
}

TEST(Application, LoadsTheJapaneseTextsOfStandardButtons) {
  TProgramFixture Program;
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), U("キャンセル"));
}

TEST(ModalDisplay, RefusesAWindowThatIsAlreadyVisible) {
  TProgramFixture Program;
  Program.Create();
  Program.GraphWindow().show();
  try {
    Program.App().ShowModal(Program.GraphWindow());
    FAIL() << "a visible window was shown modally";
  } catch (const EAppError& Error) {
    EXPECT_EQ(std::string(Error.what()), FixedSjis(WindowTexts::CannotMakeVisibleWindowModal));
  }
  Program.GraphWindow().hide();
}

TEST(ModalDisplay, ReturnsCancelWhenTheWindowIsClosed) {
  TProgramFixture Program;
  Program.Create();
  bool WasModal = false;
  TModalWatch Watch([&](QWidget* Modal) {
    WasModal = Modal == &Program.GraphWindow();
    // The main window takes no input while the graph window is up: a click
    // that comes through the window system finds it blocked.
    QPushButton* Start = Program.MainWindow().StartButton;
    QTest::mouseClick(Program.MainWindow().windowHandle(), Qt::LeftButton, {},
                      Start->mapTo(&Program.MainWindow(), Start->rect().center()));
  });
  EXPECT_EQ(Program.App().ShowModal(Program.GraphWindow()), 2);
  EXPECT_TRUE(WasModal);
  EXPECT_EQ(Program.MainWindow().Run().State(), TRunState::Idle);
  EXPECT_FALSE(Program.GraphWindow().isVisible());
}

// Alt+F4 is a close command like the close box, on whichever window has the
// keyboard, where no window manager takes the key first.
TEST(CloseCommand, AltF4ClosesTheGraphWindowWithCancel) {
  TProgramFixture Program;
  Program.Create();
  bool ClosedByKey = false;
  TModalWatch Watch([&](QWidget* Modal) {
    (void)QTest::qWaitForWindowActive(Modal);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::AltModifier);
    ClosedByKey = !Modal->isVisible();
  });
  EXPECT_EQ(Program.App().ShowModal(Program.GraphWindow()), 2);
  EXPECT_TRUE(ClosedByKey);
  EXPECT_FALSE(Program.App().Terminated()) << "closing the graph window does not end the program";
  EXPECT_TRUE(Program.MainWindow().isVisible());
  EXPECT_TRUE(Program.MainWindow().isEnabled());
}

TEST(CloseCommand, AltF4OnTheMainWindowAbandonsTheDrillAndEndsTheProgram) {
  TProgramFixture Program;
  Program.Create();
  TMainWindow& Window = Program.MainWindow();
  QTest::keyClick(Window.StartButton, Qt::Key_Return);
  ASSERT_EQ(Window.Run().State(), TRunState::Asking);
  QTest::keyClick(Window.AnswerBox, Qt::Key_F4, Qt::AltModifier);
  EXPECT_TRUE(Program.App().Terminated());
  EXPECT_EQ(Window.Run().State(), TRunState::Idle);
  EXPECT_TRUE(Window.isVisible()) << "the main window stays on screen until the program has ended";
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Program.HistoryPath())));
}

TEST(CloseCommand, OtherF4KeysCloseNothing) {
  TProgramFixture Program;
  Program.Create();
  TMainWindow& Window = Program.MainWindow();
  QTest::keyClick(Window.StartButton, Qt::Key_F4);
  QTest::keyClick(Window.StartButton, Qt::Key_F4, Qt::ControlModifier | Qt::AltModifier);
  QTest::keyClick(Window.StartButton, Qt::Key_F3, Qt::AltModifier);
  EXPECT_FALSE(Program.App().Terminated());
}

namespace {

struct THintEvent {
  std::string Kind;
  QWidget* Control = nullptr;
};

class TRecordingHints : public THintController {
public:
  explicit TRecordingHints(std::vector<THintEvent>& Events) : FEvents(Events) {}
  void PointerMoved(QWidget* Control, const QPoint&) override { FEvents.push_back({"move", Control}); }
  void PointerOutside() override { FEvents.push_back({"outside"}); }
  void CancelHint() override { FEvents.push_back({"cancel"}); }

private:
  std::vector<THintEvent>& FEvents;
};

}  // namespace

TEST(HintHook, ForwardsPointerMovesAndCancellingInput) {
  // The recorder writes here until the program is gone (its windows deactivate on the way out).
  std::vector<THintEvent> Events;
  TProgramFixture Program;
  Program.Create();
  Program.App().InstallHintController(std::make_unique<TRecordingHints>(Events));
  TMainWindow& Window = Program.MainWindow();

  QTest::mouseMove(Window.ChartButton, QPoint(20, 10));
  ASSERT_FALSE(Events.empty());
  EXPECT_EQ(Events.back().Kind, "move");
  EXPECT_EQ(Events.back().Control, Window.ChartButton);
  EXPECT_EQ(ControlHint(Window.ChartButton), U("成績履歴を表示します"));
  EXPECT_EQ(ControlHint(Window.ClockLabel), QString());  // labels show no hints

  Events.clear();
  QTest::keyClick(Window.StartButton, Qt::Key_Shift);
  ASSERT_FALSE(Events.empty());
  EXPECT_EQ(Events.front().Kind, "cancel");

  Events.clear();
  QTest::mousePress(Window.LogBox->viewport(), Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseRelease(Window.LogBox->viewport(), Qt::RightButton, {}, QPoint(5, 5));
  ASSERT_FALSE(Events.empty());
  EXPECT_TRUE(std::any_of(Events.begin(), Events.end(), [](const THintEvent& E) { return E.Kind == "cancel"; }));
}

TEST(HintHook, EveryHintTextOfTheMainWindow) {
  TProgramFixture Program;
  Program.Create();
  TMainWindow& Window = Program.MainWindow();
  EXPECT_EQ(ControlHint(Window.StartButton), U("ドリルを開始します"));
  EXPECT_EQ(ControlHint(Window.EndButton), U("ドリルを終了します"));
  EXPECT_EQ(ControlHint(Window.UntilCorrectBox), U("[レ]次の問題に進みません"));
  for (QWidget* Silent : std::initializer_list<QWidget*>{Window.LeftBox, Window.AnswerBox, Window.LogBox,
                                                        Window.LogoImage, Window.ClockLabel}) {
    EXPECT_TRUE(ControlHint(Silent).isEmpty()) << Silent->objectName().toStdString();
  }
}
