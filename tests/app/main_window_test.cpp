// SPDX-License-Identifier: GPL-3.0-or-later
// The main drill window: layout, display operations, focus rules, the answer
// box, the clock under modal windows, closing, and whole drills.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/widgets/aligned_edit.h"
#include "app/windows/graph_window.h"
#include "app/windows/main_window.h"
#include "app/windows/main_window_layout.h"
#include "app_test_support.h"
#include "drill/drill_texts.h"
#include "platform/sjis.h"
#include "results/results.h"
#include "temp_work_dir.h"

namespace {

class MainWindow : public ::testing::Test {
protected:
  void SetUp() override { Program.Create(); }
  TMainWindow& Window() { return Program.MainWindow(); }
  QString Focused() const {
    QWidget* W = QApplication::focusWidget();
    return W == nullptr ? QStringLiteral("(none)") : W->objectName();
  }
  void Key(Qt::Key Code, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), Code, Modifiers);
  }
  // Runs the program's main loop; a loop that does not end within 5 s is
  // ended by the test and counts as a failure.
  int RunUntilTheProgramEnds() {
    bool Stuck = false;
    QTimer Guard;
    Guard.setSingleShot(true);
    QObject::connect(&Guard, &QTimer::timeout, [&Stuck] {
      Stuck = true;
      QCoreApplication::exit(1);
    });
    Guard.start(5000);
    const int ExitCode = Program.App().Run();
    EXPECT_FALSE(Stuck) << "the program did not end";
    return ExitCode;
  }
  QByteArray HistoryBytes() { return QByteArray::fromStdString(ReadBytes(Program.HistoryPath())); }

  TProgramFixture Program;
};

}  // namespace

TEST_F(MainWindow, EveryControlSitsWhereTheLayoutPutsIt) {
  EXPECT_EQ(Window().size(), QSize(792, 566));
  EXPECT_EQ(Window().minimumSize(), Window().maximumSize());  // not resizable
  EXPECT_EQ(Window().windowTitle(), U(" (^-^)) すらすら算数帳"));
  EXPECT_EQ(Window().palette().color(QPalette::Window), QColor(192, 220, 192));
  for (const TControlLayout& Layout : MainWindowControls()) {
    auto* Control = Window().findChild<QWidget*>(QString::fromLatin1(Layout.Name));
    ASSERT_NE(Control, nullptr) << Layout.Name;
    // The check box grows about its middle to the height of its caption's letters.
    const int Grown = Layout.Kind != TControlKind::CheckBox
                          ? 0
                          : std::max(QFontMetrics(Control->font()).tightBoundingRect(U(Layout.Caption)).height() -
                                         Layout.Height, 0);
    EXPECT_EQ(Control->pos(), QPoint(Layout.Left, Layout.Top - Grown / 2)) << Layout.Name;
    if (!Layout.AutoSize || Layout.Kind == TControlKind::Image) {
      EXPECT_EQ(Control->size(), QSize(Layout.Width, Layout.Height + Grown)) << Layout.Name;
    }
    EXPECT_TRUE(Control->isVisible()) << Layout.Name;
    EXPECT_TRUE(Control->isEnabled()) << Layout.Name;
  }
}

TEST_F(MainWindow, ControlsShowTheirTextsFontsAndColours) {
  EXPECT_EQ(Window().StartButton->text(), U("開始"));
  EXPECT_EQ(Window().EndButton->text(), U("終了"));
  EXPECT_EQ(Window().ChartButton->text(), U("成績図"));
  EXPECT_EQ(Window().UntilCorrectBox->text(), U("正解する迄"));
  EXPECT_FALSE(Window().UntilCorrectBox->isChecked());
  EXPECT_EQ(Window().ClockLabel->text(), U("00分00秒"));
  EXPECT_EQ(Window().EqualsLabel->text(), U("="));
  EXPECT_EQ(Window().MakerLabel->text(), U("そよかぜ・ラボ"));
  EXPECT_EQ(Window().AuthorLabel->text(), U("rezu！diz"));
  EXPECT_EQ(Window().LogBox->count(), 0);
  EXPECT_FALSE(Window().LogoImage->pixmap().isNull());

  EXPECT_EQ(QFontInfo(Window().LeftBox->font()).family(), U("IPAGothic"));
  EXPECT_EQ(Window().LeftBox->font().pixelSize(), 104);
  EXPECT_EQ(QFontInfo(Window().StartButton->font()).family(), U("IPAPGothic"));
  EXPECT_EQ(Window().StartButton->font().pixelSize(), 29);
  EXPECT_EQ(Window().ClockLabel->font().pixelSize(), 37);
  EXPECT_EQ(Window().LogBox->font().pixelSize(), 32);
  EXPECT_EQ(Window().MakerLabel->font().pixelSize(), 19);

  EXPECT_EQ(Window().LeftBox->palette().color(QPalette::Text), QColor(0, 0, 128));
  EXPECT_EQ(Window().LeftBox->palette().color(QPalette::Base), QApplication::palette().color(QPalette::ToolTipBase));
  EXPECT_EQ(Window().AnswerBox->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
  EXPECT_EQ(Window().ClockLabel->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(Window().LogBox->palette().color(QPalette::Text), QColor(0, 128, 128));
  EXPECT_EQ(Window().EqualsLabel->palette().color(QPalette::WindowText), QColor(0, 0, 0));

  EXPECT_TRUE(Window().LeftBox->isReadOnly());
  EXPECT_TRUE(Window().RightBox->isReadOnly());
  EXPECT_TRUE(Window().OperatorBox->isReadOnly());
  EXPECT_FALSE(Window().AnswerBox->isReadOnly());
  EXPECT_EQ(Window().AnswerBox->maxLength(), 3);
  EXPECT_EQ(Window().AnswerBox->Alignment(), TAlignment::Right);
  EXPECT_EQ(Window().LeftBox->Alignment(), TAlignment::Center);
}

TEST_F(MainWindow, TheLogFontIsTwiceAsWideForDoubleByteCharacters) {
  const QFontMetricsF Metrics(Window().LogBox->font());
  EXPECT_DOUBLE_EQ(Metrics.horizontalAdvance(U("不")), 2 * Metrics.horizontalAdvance(U("0")));
  EXPECT_DOUBLE_EQ(Metrics.horizontalAdvance(U("＋")), 2 * Metrics.horizontalAdvance(U(" ")));
}

TEST_F(MainWindow, ViewOperationsLandInTheirControlsInOrder) {
  QStringList Changes;
  for (TAlignedEdit* Edit : {Window().LeftBox, Window().RightBox, Window().AnswerBox, Window().OperatorBox}) {
    QObject::connect(Edit, &QLineEdit::textChanged, [&Changes, Edit] { Changes << Edit->objectName(); });
  }
  Window().ShowQuestion("7", DrillTexts().MinusGlyph, "15");
  EXPECT_EQ(Changes, QStringList({"LeftBox", "RightBox", "OperatorBox"}));
  EXPECT_EQ(Window().LeftBox->text(), U("7"));
  EXPECT_EQ(Window().OperatorBox->text(), U("－"));
  EXPECT_EQ(Window().RightBox->text(), U("15"));

  Window().AnswerBox->setText(U("12"));
  Changes.clear();
  Window().ClearQuestion();
  EXPECT_EQ(Changes, QStringList({"LeftBox", "RightBox", "AnswerBox", "OperatorBox"}));

  Window().InsertLogLine("first");
  Window().InsertLogLine(ToSjis("二番目"));
  ASSERT_EQ(Window().LogBox->count(), 2);
  EXPECT_EQ(Window().LogBox->item(0)->text(), U("二番目"));
  EXPECT_EQ(Window().LogBox->item(1)->text(), U("first"));
  Window().ClearLog();
  EXPECT_EQ(Window().LogBox->count(), 0);

  Window().ShowClock(ToSjis("04分59秒"));
  EXPECT_EQ(Window().ClockLabel->text(), U("04分59秒"));
  Window().FocusAnswer();
  EXPECT_EQ(Focused(), U("AnswerBox"));
  Window().FocusStart();
  EXPECT_EQ(Focused(), U("StartButton"));
}

TEST_F(MainWindow, TheClockLabelFollowsTheWidthOfItsText) {
  const QRect AtRest = Window().ClockLabel->geometry();
  EXPECT_EQ(AtRest.size(), Window().ClockLabel->sizeHint());
  // A drill of 100 minutes or more shows three minute digits.
  Window().ShowClock(ToSjis("100分00秒"));
  EXPECT_EQ(Window().ClockLabel->pos(), AtRest.topLeft());
  EXPECT_EQ(Window().ClockLabel->size(), Window().ClockLabel->sizeHint());
  EXPECT_GT(Window().ClockLabel->width(), AtRest.width());
  Window().ShowClock(DrillTexts().ClockAtRest);
  EXPECT_EQ(Window().ClockLabel->geometry(), AtRest);
}

TEST_F(MainWindow, StartingADrillShowsTheFirstQuestionInTheBoxes) {
  Window().InsertLogLine("old line");
  Key(Qt::Key_Return);  // the start button has the focus
  const TQuestion& Question = Window().Run().CurrentQuestion();
  EXPECT_EQ(Window().Run().State(), TRunState::Asking);
  EXPECT_EQ(Window().LogBox->count(), 0);
  EXPECT_EQ(Window().LeftBox->text(), QString::number(Question.Left));
  EXPECT_EQ(Window().RightBox->text(), QString::number(Question.Right));
  EXPECT_EQ(ToSjis(Window().OperatorBox->text().toStdString()), OperatorGlyph(Question.Op));
  EXPECT_EQ(Focused(), U("AnswerBox"));
  EXPECT_TRUE(Window().ClockTimer->isActive());
}

TEST_F(MainWindow, TabAndShiftTabFollowTheTabOrder) {
  EXPECT_EQ(Focused(), U("StartButton"));
  const QStringList Forward{"EndButton",   "LogBox",   "ChartButton", "UntilCorrectBox", "LeftBox",
                            "OperatorBox", "RightBox", "AnswerBox",   "StartButton"};
  QStringList Seen;
  for (int I = 0; I < Forward.size(); ++I) {
    Key(Qt::Key_Tab);
    Seen << Focused();
  }
  EXPECT_EQ(Seen, Forward);
  Seen.clear();
  for (int I = 0; I < Forward.size(); ++I) {
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    Seen << Focused();
  }
  EXPECT_EQ(Seen, QStringList({"AnswerBox", "RightBox", "OperatorBox", "LeftBox", "UntilCorrectBox", "ChartButton",
                               "LogBox", "EndButton", "StartButton"}));
  Key(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(Focused(), U("StartButton"));
}

TEST_F(MainWindow, ArrowKeysMoveTheFocusOnlyFromButtonsAndTheCheckBox) {
  Key(Qt::Key_Right);
  EXPECT_EQ(Focused(), U("EndButton"));
  Key(Qt::Key_Down);
  EXPECT_EQ(Focused(), U("LogBox"));
  Key(Qt::Key_Down);  // the list box keeps it
  EXPECT_EQ(Focused(), U("LogBox"));
  Window().ChartButton->setFocus();
  Key(Qt::Key_Up);
  EXPECT_EQ(Focused(), U("LogBox"));
  Window().UntilCorrectBox->setFocus();
  Key(Qt::Key_Down);
  EXPECT_EQ(Focused(), U("LeftBox"));
  Key(Qt::Key_Left);  // a read-only box keeps it too
  EXPECT_EQ(Focused(), U("LeftBox"));
  Window().StartButton->setFocus();
  Key(Qt::Key_Left);  // wraps to the end
  EXPECT_EQ(Focused(), U("AnswerBox"));
}

TEST_F(MainWindow, KeysHeldWithAltMoveNoFocus) {
  for (QWidget* Control :
       std::initializer_list<QWidget*>{Window().StartButton, Window().UntilCorrectBox, Window().ChartButton}) {
    Control->setFocus();
    for (Qt::Key Code : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up, Qt::Key_Tab}) {
      Key(Code, Qt::AltModifier);
      EXPECT_EQ(Focused(), Control->objectName()) << "Alt and key " << Code;
    }
    Key(Qt::Key_Backtab, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(Focused(), Control->objectName()) << "Alt+Shift+Tab";
  }
}

TEST_F(MainWindow, AClickAnywhereOnTheCheckBoxTogglesIt) {
  // Also right of its caption and in the corners, where the box and the
  // caption do not reach.
  QCheckBox& Box = *Window().UntilCorrectBox;
  const QList<QPoint> Points{{Box.width() - 2, Box.height() / 2}, {Box.width() - 1, 0}, {0, Box.height() - 1},
                             {Box.width() / 2, Box.height() / 2}};
  bool Checked = false;
  for (const QPoint& Point : Points) {
    Window().AnswerBox->setFocus();
    QTest::mouseClick(&Box, Qt::LeftButton, Qt::NoModifier, Point);
    Checked = !Checked;
    EXPECT_EQ(Box.isChecked(), Checked) << "click at " << Point.x() << ", " << Point.y();
    EXPECT_EQ(Focused(), U("StartButton")) << "click at " << Point.x() << ", " << Point.y();
  }
}

TEST_F(MainWindow, EnterAndSpaceClickTheFocusedButton) {
  Key(Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(Window().Run().State(), TRunState::Idle);
  Key(Qt::Key_Space);
  EXPECT_EQ(Window().Run().State(), TRunState::Asking);
  EXPECT_EQ(Focused(), U("AnswerBox"));

  // The check box: Space toggles it and the focus goes to the start button;
  // Enter on it clicks nothing.
  Window().UntilCorrectBox->setFocus();
  Key(Qt::Key_Return);
  EXPECT_FALSE(Window().UntilCorrectBox->isChecked());
  EXPECT_EQ(Focused(), U("UntilCorrectBox"));
  Key(Qt::Key_Space);
  EXPECT_TRUE(Window().UntilCorrectBox->isChecked());
  EXPECT_EQ(Focused(), U("StartButton"));
}

TEST_F(MainWindow, ReadOnlyBoxesSelectTheirTextWhenTabbedToAndRefuseTyping) {
  Window().ShowQuestion("12", DrillTexts().PlusGlyph, "3");
  Window().UntilCorrectBox->setFocus();
  Key(Qt::Key_Tab);
  ASSERT_EQ(Focused(), U("LeftBox"));
  EXPECT_EQ(Window().LeftBox->selectedText(), U("12"));
  QTest::keyClicks(Window().LeftBox, "9");
  EXPECT_EQ(Window().LeftBox->text(), U("12"));
}

TEST_F(MainWindow, AFocusedReadOnlyBoxShowsACaret) {
  // Pixels of the box's text colour: the caret's when the box is empty.
  auto CaretPixels = [](QLineEdit* Box) {
    const QImage Picture = Box->grab().toImage();
    const QColor Ink = Box->palette().color(QPalette::Text);
    int Count = 0;
    for (int Y = 0; Y < Picture.height(); ++Y) {
      for (int X = 0; X < Picture.width(); ++X) Count += Picture.pixelColor(X, Y) == Ink;
    }
    return Count;
  };
  const int FlashTime = QApplication::cursorFlashTime();
  QApplication::setCursorFlashTime(0);  // a caret that does not blink
  for (QLineEdit* Box : {static_cast<QLineEdit*>(Window().LeftBox), static_cast<QLineEdit*>(Window().AnswerBox)}) {
    EXPECT_EQ(CaretPixels(Box), 0) << Box->objectName().toStdString();
    Box->setFocus();
    ASSERT_TRUE(Box->hasFocus());
    EXPECT_GE(CaretPixels(Box), Box->height() / 2) << Box->objectName().toStdString();
    Window().StartButton->setFocus();
    EXPECT_EQ(CaretPixels(Box), 0) << Box->objectName().toStdString();
  }
  QApplication::setCursorFlashTime(FlashTime);
}

TEST_F(MainWindow, TheAnswerBoxTakesDigitsAndBackspaceOnly) {
  TAlignedEdit* AnswerBox = Window().AnswerBox;
  AnswerBox->setFocus();
  QTest::keyClicks(AnswerBox, "1a-2 ");
  EXPECT_EQ(AnswerBox->text(), U("12"));
  QTest::keyClick(AnswerBox, Qt::Key_Backspace);
  EXPECT_EQ(AnswerBox->text(), U("1"));
  QTest::keyClicks(AnswerBox, "234");  // at most three characters
  EXPECT_EQ(AnswerBox->text(), U("123"));
  QTest::keyClick(AnswerBox, Qt::Key_Escape);
  QTest::keyClick(AnswerBox, Qt::Key_Left);  // keys that type nothing act on the box
  QTest::keyClick(AnswerBox, Qt::Key_Delete);
  EXPECT_EQ(AnswerBox->text(), U("12"));
  // A full-width digit is no digit here.
  AnswerBox->clear();
  QTest::keyClick(AnswerBox, Qt::Key_1, Qt::NoModifier);
  QKeyEvent Wide(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, U("１"));
  QApplication::sendEvent(AnswerBox, &Wide);
  EXPECT_EQ(AnswerBox->text(), U("1"));
  EXPECT_FALSE(AnswerBox->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_TRUE(Window().LeftBox->testAttribute(Qt::WA_InputMethodEnabled) || Window().LeftBox->isReadOnly());
}

TEST_F(MainWindow, TheAnswerBoxAsksTheInputMethodToStandAside) {
  // What an input method asks of the focused control before it takes a key.
  const auto TakesInput = [](QWidget* Control) {
    QInputMethodQueryEvent Query(Qt::ImEnabled);
    QApplication::sendEvent(Control, &Query);
    return Query.value(Qt::ImEnabled).toBool();
  };
  TAlignedEdit* AnswerBox = Window().AnswerBox;
  AnswerBox->setFocus();
  EXPECT_FALSE(TakesInput(AnswerBox));
  QLineEdit Elsewhere;  // an ordinary box keeps the input method
  EXPECT_TRUE(TakesInput(&Elsewhere));

  // Text a method commits all the same: full-width digits as digits, anything
  // else refused as a typed key; a composition never reaches the box.
  const struct {
    const char* Preedit;
    const char* Commit;
    const char* Text;
  } Cases[] = {
      {"", "１２", "12"}, {"", "7", "7"},     {"", "か", ""},         {"", "1か2", "12"},
      {"", "１２３４", "123"}, {"１", "", ""}, {"かき", "", ""}, {"", "ｋ０", "0"},
  };
  for (const auto& Case : Cases) {
    AnswerBox->clear();
    QInputMethodEvent Event(U(Case.Preedit), {});
    Event.setCommitString(U(Case.Commit));
    QApplication::sendEvent(AnswerBox, &Event);
    EXPECT_EQ(AnswerBox->text(), U(Case.Text)) << Case.Preedit << " / " << Case.Commit;
  }
}

TEST_F(MainWindow, DeleteActsOnTheAnswerBoxAlthoughTheServerGivesItAText) {
  // An X server reports the Delete key with the text DEL (0x7F); it still
  // deletes and is not refused as a typed character.
  TAlignedEdit* AnswerBox = Window().AnswerBox;
  AnswerBox->setFocus();
  AnswerBox->setText(U("123"));
  AnswerBox->setCursorPosition(1);
  QKeyEvent Delete(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
  QApplication::sendEvent(AnswerBox, &Delete);
  EXPECT_EQ(AnswerBox->text(), U("13"));
  // A DEL typed with some other key is still no digit.
  QKeyEvent Typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x7F)));
  QApplication::sendEvent(AnswerBox, &Typed);
  EXPECT_EQ(AnswerBox->text(), U("13"));
}

TEST_F(MainWindow, EnterInTheAnswerBoxCommitsAndNeverReachesTheBox) {
  Key(Qt::Key_Return);
  const int Answer = Window().Run().CurrentQuestion().Answer;
  QTest::keyClicks(Window().AnswerBox, QString::number(Answer));
  QTest::keyClick(Window().AnswerBox, Qt::Key_Return);
  EXPECT_EQ(Window().Run().QuestionNo(), 2);
  EXPECT_EQ(Window().Run().CorrectCount(), 1);
  ASSERT_EQ(Window().LogBox->count(), 1);
  EXPECT_TRUE(Window().LogBox->item(0)->text().contains(U("正解"))) << Window().LogBox->item(0)->text().toStdString();
  EXPECT_EQ(Window().AnswerBox->text(), QString());
  EXPECT_EQ(Focused(), U("AnswerBox"));
  QTest::keyClick(Window().AnswerBox, Qt::Key_Enter);  // the keypad's Enter too
  EXPECT_EQ(Window().Run().QuestionNo(), 3);
}

TEST_F(MainWindow, APastedCharacterOutsideTheCodePageIsReportedAsAQuestionMark) {
  Key(Qt::Key_Return);
  Window().AnswerBox->setText(U("1😀"));  // as by the context menu's paste
  QString Text;
  TModalWatch Watch([&](QWidget* Modal) { Text = static_cast<QMessageBox*>(Modal)->text(); });
  QTest::keyClick(Window().AnswerBox, Qt::Key_Return);
  EXPECT_EQ(Text, U("'1?' は整数ではありません."));
  EXPECT_EQ(Window().Run().State(), TRunState::Halted);
  EXPECT_EQ(Window().LogBox->count(), 0);
}

TEST_F(MainWindow, APastedNulCharacterIsReportedWithTheWholeText) {
  Key(Qt::Key_Return);
  Window().AnswerBox->setText(U("1") + QChar(u'\0') + U("2"));  // as by the context menu's paste (3 at most)
  QString Text;
  TModalWatch Watch([&](QWidget* Modal) { Text = static_cast<QMessageBox*>(Modal)->text(); });
  QTest::keyClick(Window().AnswerBox, Qt::Key_Return);
  EXPECT_EQ(Text, U("'1") + QChar(u'\0') + U("2' は整数ではありません."));
  EXPECT_EQ(Window().Run().State(), TRunState::Halted);
}

TEST_F(MainWindow, TheClockNeverTicksBeforeItsHalfSecondOfTheDrill) {
  // The clock shows whole seconds of the drill: a tick that came a little
  // before the second it stands for would show the second before for another
  // half second, and a drill's summary would take that text.
  QObject Context;
  QElapsedTimer SinceStart;
  std::vector<qint64> Ticks;
  QObject::connect(Window().ClockTimer, &QTimer::timeout, &Context, [&] { Ticks.push_back(SinceStart.elapsed()); });
  SinceStart.start();
  Key(Qt::Key_Return);
  ASSERT_EQ(Window().Run().State(), TRunState::Asking);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Ticks.size() >= 4; }, 10000));
  for (std::size_t K = 0; K < 4; ++K) EXPECT_GE(Ticks[K], 500 * static_cast<qint64>(K + 1)) << "tick " << K + 1;
}

TEST_F(MainWindow, TheClockTicksWhileTheGraphWindowIsUp) {
  Key(Qt::Key_Return);
  QString DuringModal;
  bool SawGraph = false;
  TModalWatch Watch([&](QWidget* Modal) {
    SawGraph = Modal == &Program.GraphWindow();
    Program.Clock.Now += 61 * 1000;
    (void)QTest::qWaitFor([&] { return Window().ClockLabel->text() == U("01分01秒"); }, 3000);
    DuringModal = Window().ClockLabel->text();
  });
  Window().ChartButton->click();
  EXPECT_TRUE(SawGraph);
  EXPECT_EQ(DuringModal, U("01分01秒"));
  // Back to the answer box, where the next digits are the next answer.
  EXPECT_EQ(Window().focusWidget(), Window().AnswerBox);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Focused() == U("AnswerBox"); }));
  EXPECT_EQ(Window().Run().State(), TRunState::Asking);
  QTest::keyClicks(Window().AnswerBox, "7");
  Key(Qt::Key_Return);
  EXPECT_EQ(Window().Run().QuestionNo(), 2);
  EXPECT_EQ(Window().LogBox->count(), 1);
}

TEST_F(MainWindow, EnterHeldDownAnswersOneQuestion) {
  Key(Qt::Key_Return);
  ASSERT_EQ(Window().Run().QuestionNo(), 1);
  QKeyEvent Repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
  for (int I = 0; I < 3; ++I) QApplication::sendEvent(Window().AnswerBox, &Repeat);
  EXPECT_EQ(Window().Run().QuestionNo(), 1);
  EXPECT_EQ(Window().LogBox->count(), 0);
  Key(Qt::Key_Return);  // a real press still counts
  EXPECT_EQ(Window().Run().QuestionNo(), 2);
}

TEST_F(MainWindow, TheClockTicksWhileAnErrorBoxIsUp) {
  Key(Qt::Key_Return);
  Window().UntilCorrectBox->click();
  ASSERT_TRUE(Window().UntilCorrectBox->isChecked());
  EXPECT_EQ(Focused(), U("StartButton"));
  Window().AnswerBox->setText(U("x"));
  QString Text, DuringBox;
  TModalWatch Watch([&](QWidget* Modal) {
    Text = static_cast<QMessageBox*>(Modal)->text();
    Program.Clock.Now += 5 * 1000;
    (void)QTest::qWaitFor([&] { return Window().ClockLabel->text() == U("00分05秒"); }, 3000);
    DuringBox = Window().ClockLabel->text();
  });
  QTest::keyClick(Window().AnswerBox, Qt::Key_Return);
  EXPECT_EQ(Text, U("'x' は整数ではありません."));
  EXPECT_EQ(DuringBox, U("00分05秒"));
  EXPECT_EQ(Window().AnswerBox->text(), U("x"));  // until-correct mode keeps the text
  EXPECT_EQ(Window().Run().State(), TRunState::Asking);
}

TEST_F(MainWindow, AfterAnErrorBoxTheMainWindowIsActiveAgainWithItsFocus) {
  Key(Qt::Key_Return);
  Window().AnswerBox->setText(U("1a"));  // as by the context menu's paste
  TModalWatch Watch([](QWidget*) {});
  QTest::keyClick(Window().AnswerBox, Qt::Key_Return);
  ASSERT_TRUE(Watch.Done());
  EXPECT_EQ(Window().Run().State(), TRunState::Halted);
  // The keys typed next go where they went before the box.
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &Window(); }));
  EXPECT_EQ(Focused(), U("AnswerBox"));
}

TEST_F(MainWindow, ClosingDuringADrillWritesNothingAndEndsTheProgram) {
  Key(Qt::Key_Return);
  for (int I = 0; I < 5; ++I) QTest::keyClick(Window().AnswerBox, Qt::Key_Return);
  ASSERT_EQ(Window().LogBox->count(), 5);
  bool Closed = true;
  QTimer::singleShot(0, [&] { Closed = Window().close(); });
  EXPECT_EQ(RunUntilTheProgramEnds(), 0);
  EXPECT_FALSE(Closed);  // the window stays on screen until the program has ended
  EXPECT_TRUE(Program.App().Terminated());
  EXPECT_EQ(Window().Run().State(), TRunState::Idle);
  EXPECT_FALSE(Window().ClockTimer->isActive());
  EXPECT_EQ(Window().LogBox->count(), 5);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Program.HistoryPath())));
  EXPECT_EQ(Program.Results().History().Count(), 0u);
}

TEST_F(MainWindow, TheEndButtonAbortsTheDrillToo) {
  Key(Qt::Key_Return);
  for (int I = 0; I < 99; ++I) QTest::keyClick(Window().AnswerBox, Qt::Key_Return);
  ASSERT_EQ(Window().Run().QuestionNo(), 100);
  QTimer::singleShot(0, [&] { Window().EndButton->click(); });
  EXPECT_EQ(RunUntilTheProgramEnds(), 0);
  EXPECT_TRUE(Program.App().Terminated());
  EXPECT_EQ(Window().Run().State(), TRunState::Idle);
  QTest::keyClick(Window().AnswerBox, Qt::Key_Return);  // a late Enter commits nothing
  EXPECT_EQ(Window().LogBox->count(), 99);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Program.HistoryPath())));
}

TEST_F(MainWindow, TheEndButtonEndsTheProgramWithoutADrill) {
  QTimer::singleShot(0, [&] { Window().EndButton->click(); });
  EXPECT_EQ(RunUntilTheProgramEnds(), 0);
  EXPECT_TRUE(Program.App().Terminated());
}

TEST_F(MainWindow, AWholeDrillOfEmptyAnswersWritesOneHistoryLine) {
  Key(Qt::Key_Return);
  for (int I = 0; I < 100; ++I) {
    ASSERT_EQ(Focused(), U("AnswerBox")) << "question " << I + 1;
    Key(Qt::Key_Return);
  }
  const QByteArray Bytes = HistoryBytes();
  const std::string Summary = ToSjis("所要時間 00分00秒 正答率  0%  2024/03/15 09:05");
  EXPECT_EQ(Bytes.size(), 48);
  EXPECT_EQ(Bytes.toStdString(), Summary + "\r\n");
  ASSERT_EQ(Window().LogBox->count(), 101);
  EXPECT_EQ(Window().LogBox->item(0)->text().toStdString(), FromSjis(Summary));
  EXPECT_TRUE(Window().LogBox->item(1)->text().startsWith(U("100:")));
  EXPECT_TRUE(Window().LogBox->item(100)->text().startsWith(U("  1:")));
  EXPECT_EQ(Program.Results().History().Count(), 1u);
  EXPECT_EQ(Focused(), U("StartButton"));
  EXPECT_EQ(Window().ClockLabel->text(), U("00分00秒"));
  EXPECT_EQ(Window().LeftBox->text(), QString());
  EXPECT_FALSE(Window().ClockTimer->isActive());
  EXPECT_EQ(Window().Run().State(), TRunState::Idle);
}

TEST_F(MainWindow, AWholeDrillOfRightAnswersTypedByKey) {
  Key(Qt::Key_Return);
  for (int I = 0; I < 100; ++I) {
    Program.Clock.Now += 2000;
    QTest::keyClicks(Window().AnswerBox, QString::number(Window().Run().CurrentQuestion().Answer));
    Key(Qt::Key_Return);
  }
  const QByteArray Bytes = HistoryBytes();
  ASSERT_EQ(Bytes.size(), 48);
  EXPECT_EQ(Bytes.mid(24, 3), QByteArray("100"));
  // A second drill adds a second line.
  Program.Clock.Now += TDrillRun::StartKeyPauseMs;
  Key(Qt::Key_Return);
  for (int I = 0; I < 100; ++I) Key(Qt::Key_Return);
  EXPECT_EQ(HistoryBytes().size(), 96);
  EXPECT_EQ(Program.Results().History().Count(), 2u);
}

TEST_F(MainWindow, AHistoryThatCannotBeWrittenGivesABoxAndTheProgramGoesOn) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Program.HistoryPath())));
  Key(Qt::Key_Return);
  Program.Clock.Now += 65 * 1000;
  // One tick of the clock: "01分05秒" (however late a busy machine runs the timer).
  (void)QTest::qWaitFor([&] { return Window().ClockLabel->text() == U("01分05秒"); }, 10000);
  ASSERT_EQ(Window().ClockLabel->text(), U("01分05秒"));
  for (int I = 0; I < 99; ++I) Key(Qt::Key_Return);
  QString Text;
  TModalWatch Watch([&](QWidget* Modal) { Text = static_cast<QMessageBox*>(Modal)->text(); });
  Key(Qt::Key_Return);
  ASSERT_TRUE(Watch.Done());
  // The reason, then what becomes of the drill.
  EXPECT_TRUE(Text.contains(U("を作成できません。"))) << Text.toStdString();
  EXPECT_TRUE(Text.endsWith(U("次に書き込めたときに履歴ファイルへ書き足します."))) << Text.toStdString();
  EXPECT_EQ(Program.Results().History().Count(), 1u);  // kept for the next write
  EXPECT_EQ(Window().LogBox->count(), 101);
  EXPECT_TRUE(Window().LogBox->item(0)->text().startsWith(U("所要時間 01分05秒")));
  // At rest as after a drill that was saved, and the next Enter, however soon
  // after the box, is the user's own: it starts the next drill.
  EXPECT_EQ(Window().ClockLabel->text(), U("00分00秒"));
  EXPECT_EQ(Window().Run().State(), TRunState::Idle);
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &Window(); }));
  ASSERT_EQ(Focused(), U("StartButton"));
  Key(Qt::Key_Return);
  EXPECT_EQ(Window().Run().State(), TRunState::Asking);
}

TEST_F(MainWindow, AnEnterRightAfterTheLastAnswerLeavesTheResultOnScreen) {
  auto FinishADrill = [&] {
    Key(Qt::Key_Return);
    for (int I = 0; I < 100; ++I) Key(Qt::Key_Return);
    ASSERT_EQ(Window().Run().State(), TRunState::Idle);
    ASSERT_EQ(Focused(), U("StartButton"));
  };
  FinishADrill();
  const QString Summary = Window().LogBox->item(0)->text();
  // A second press and a held key within the second start nothing.
  Program.Clock.Now += 300;
  Key(Qt::Key_Return);
  Program.Clock.Now += 400;
  QKeyEvent Repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
  QApplication::sendEvent(Window().StartButton, &Repeat);
  EXPECT_EQ(Window().Run().State(), TRunState::Idle);
  ASSERT_EQ(Window().LogBox->count(), 101);
  EXPECT_EQ(Window().LogBox->item(0)->text(), Summary);
  // A click does.
  QTest::mouseClick(Window().StartButton, Qt::LeftButton);
  EXPECT_EQ(Window().Run().State(), TRunState::Asking);
  // So does an Enter once the second is over.
  for (int I = 0; I < 100; ++I) Key(Qt::Key_Return);
  Program.Clock.Now += TDrillRun::StartKeyPauseMs;
  Key(Qt::Key_Return);
  EXPECT_EQ(Window().Run().State(), TRunState::Asking);
  EXPECT_EQ(Window().LogBox->count(), 0);
}

// The daily copy of the history cannot be made: the drill is saved all the
// same, and a box tells so once, with the window at rest.
TEST_F(MainWindow, ACopyThatCannotBeMadeIsToldOnceAfterTheDrill) {
  const QString NotADirectory = Program.Dir.filePath(QStringLiteral("not-a-directory"));
  WriteBytes(NotADirectory.toStdString(), "");
  qputenv("XDG_DATA_HOME", NotADirectory.toUtf8());
  for (int Drill = 1; Drill <= 2; ++Drill) {
    QString Told;
    TModalWatch Watch([&](QWidget* Modal) {
      Told = static_cast<QMessageBox*>(Modal)->text();
      EXPECT_EQ(Window().Run().State(), TRunState::Idle);
    });
    Program.Clock.Now += TDrillRun::StartKeyPauseMs;
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == Window().StartButton; }));
    Key(Qt::Key_Return);
    for (int I = 0; I < 100; ++I) Key(Qt::Key_Return);
    ASSERT_EQ(Window().Run().State(), TRunState::Idle);
    EXPECT_EQ(HistoryBytes().count("\r\n"), Drill);
    if (Drill == 1) {
      ASSERT_TRUE(QTest::qWaitFor([&] { return Watch.Done(); })) << "no box for the copy";
      EXPECT_TRUE(Told.contains(U("毎日のコピー"))) << Told.toStdString();
      EXPECT_TRUE(Told.contains(NotADirectory)) << Told.toStdString();
    } else {
      QCoreApplication::processEvents();
      EXPECT_FALSE(Watch.Done()) << "told a second time: " << Told.toStdString();
    }
  }
}

TEST(MainWindowScaling, OnA120DpiScreenTheLayoutGrowsInProportion) {
  TProgramFixture Program(120);
  Program.Create();
  TMainWindow& Window = Program.MainWindow();
  const double Factor = 24.0 / 19;
  auto Scaled = [Factor](int V) { return static_cast<int>(std::lround(V * Factor)); };
  EXPECT_EQ(Window.size(), QSize(Scaled(792), Scaled(566)));
  EXPECT_EQ(Window.StartButton->geometry(), QRect(Scaled(607), Scaled(52), Scaled(166), Scaled(38)));
  EXPECT_EQ(Window.LogBox->geometry(), QRect(Scaled(12), Scaled(121), Scaled(765), Scaled(398)));
  EXPECT_EQ(Window.LogoImage->geometry(), QRect(Scaled(18), Scaled(528), Scaled(192), Scaled(27)));
  EXPECT_EQ(Window.LeftBox->font().pixelSize(), Scaled(104));
  EXPECT_EQ(Window.StartButton->font().pixelSize(), Scaled(29));
  EXPECT_EQ(Program.GraphWindow().size(), QSize(Scaled(792), Scaled(573)));
}

