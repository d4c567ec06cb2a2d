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

#include "aligned_edit.h"
#include "app_error.h"
#include "app_test_support.h"
#include "form1.h"
#include "form2.h"
#include "program_texts.h"
#include "sjis.h"

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
  const std::string Japanese = Texts().NoTimer;
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
  EXPECT_EQ(Parent, &Program.Form1());
  EXPECT_EQ(Buttons, 1);
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
  Program.Form2().show();
  try {
    Program.App().ShowModal(Program.Form2());
    FAIL() << "a visible window was shown modally";
  } catch (const EAppError& Error) {
    EXPECT_EQ(std::string(Error.what()), Texts().CannotMakeVisibleWindowModal);
  }
  Program.Form2().hide();
}

TEST(ModalDisplay, ReturnsCancelWhenTheWindowIsClosed) {
  TProgramFixture Program;
  Program.Create();
  bool WasModal = false;
  TModalWatch Watch([&](QWidget* Modal) {
    WasModal = Modal == &Program.Form2();
    // The main window takes no input while the graph window is up: a click
    // that comes through the window system finds it blocked.
    QPushButton* Start = Program.Form1().Button1;
    QTest::mouseClick(Program.Form1().windowHandle(), Qt::LeftButton, {},
                      Start->mapTo(&Program.Form1(), Start->rect().center()));
  });
  EXPECT_EQ(Program.App().ShowModal(Program.Form2()), 2);
  EXPECT_TRUE(WasModal);
  EXPECT_EQ(Program.Form1().Run().State(), rsIdle);
  EXPECT_FALSE(Program.Form2().isVisible());
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
  EXPECT_EQ(Program.App().ShowModal(Program.Form2()), 2);
  EXPECT_TRUE(ClosedByKey);
  EXPECT_FALSE(Program.App().Terminated()) << "closing the graph window does not end the program";
  EXPECT_TRUE(Program.Form1().isVisible());
  EXPECT_TRUE(Program.Form1().isEnabled());
}

TEST(CloseCommand, AltF4OnTheMainWindowAbandonsTheDrillAndEndsTheProgram) {
  TProgramFixture Program;
  Program.Create();
  TForm1& Form = Program.Form1();
  QTest::keyClick(Form.Button1, Qt::Key_Return);
  ASSERT_EQ(Form.Run().State(), rsAsking);
  QTest::keyClick(Form.Edit3, Qt::Key_F4, Qt::AltModifier);
  EXPECT_TRUE(Program.App().Terminated());
  EXPECT_EQ(Form.Run().State(), rsIdle);
  EXPECT_TRUE(Form.isVisible()) << "the main window stays on screen until the program has ended";
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Program.HistoryPath())));
}

TEST(CloseCommand, OtherF4KeysCloseNothing) {
  TProgramFixture Program;
  Program.Create();
  TForm1& Form = Program.Form1();
  QTest::keyClick(Form.Button1, Qt::Key_F4);
  QTest::keyClick(Form.Button1, Qt::Key_F4, Qt::ControlModifier | Qt::AltModifier);
  QTest::keyClick(Form.Button1, Qt::Key_F3, Qt::AltModifier);
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
  TForm1& Form = Program.Form1();

  QTest::mouseMove(Form.Button3, QPoint(20, 10));
  ASSERT_FALSE(Events.empty());
  EXPECT_EQ(Events.back().Kind, "move");
  EXPECT_EQ(Events.back().Control, Form.Button3);
  EXPECT_EQ(TApplication::HintOf(Form.Button3), U("成績履歴を表示します"));
  EXPECT_EQ(TApplication::HintOf(Form.Label1), QString());  // labels show no hints

  Events.clear();
  QTest::keyClick(Form.Button1, Qt::Key_Shift);
  ASSERT_FALSE(Events.empty());
  EXPECT_EQ(Events.front().Kind, "cancel");

  Events.clear();
  QTest::mousePress(Form.ListBox1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseRelease(Form.ListBox1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
  ASSERT_FALSE(Events.empty());
  EXPECT_TRUE(std::any_of(Events.begin(), Events.end(), [](const THintEvent& E) { return E.Kind == "cancel"; }));
}

TEST(HintHook, EveryHintTextOfTheMainWindow) {
  TProgramFixture Program;
  Program.Create();
  TForm1& Form = Program.Form1();
  EXPECT_EQ(TApplication::HintOf(Form.Button1), U("ドリルを開始します"));
  EXPECT_EQ(TApplication::HintOf(Form.Button2), U("ドリルを終了します"));
  EXPECT_EQ(TApplication::HintOf(Form.CheckBox1), U("[レ]次の問題に進みません"));
  for (QWidget* Silent : std::initializer_list<QWidget*>{Form.Edit1, Form.Edit3, Form.ListBox1, Form.Image1, Form.Label1}) {
    EXPECT_TRUE(TApplication::HintOf(Silent).isEmpty()) << Silent->objectName().toStdString();
  }
}
