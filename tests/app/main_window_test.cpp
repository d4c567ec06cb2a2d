// The main drill window: layout, display operations, focus rules, the answer
// box, the clock under modal windows, closing, and whole drills.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "aligned_edit.h"
#include "app_test_support.h"
#include "form1.h"
#include "form1_layout.h"
#include "form2.h"
#include "program_texts.h"
#include "sjis.h"

namespace {

class MainWindow : public ::testing::Test {
protected:
  void SetUp() override { Program.Create(); }
  TForm1& Form() { return Program.Form1(); }
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
  QByteArray HistoryBytes() {
    QFile File(QString::fromStdString(Program.HistoryPath()));
    if (!File.open(QIODevice::ReadOnly)) return QByteArray();
    return File.readAll();
  }

  TProgramFixture Program;
};

}  // namespace

TEST_F(MainWindow, EveryControlSitsWhereTheLayoutPutsIt) {
  EXPECT_EQ(Form().size(), QSize(792, 566));
  EXPECT_EQ(Form().minimumSize(), Form().maximumSize());  // not resizable
  EXPECT_EQ(Form().windowTitle(), U(" (^-^)) すらすら算数帳"));
  EXPECT_EQ(Form().palette().color(QPalette::Window), QColor(192, 220, 192));
  for (const TControlLayout& Layout : Form1Controls()) {
    auto* Control = Form().findChild<QWidget*>(QString::fromLatin1(Layout.Name));
    ASSERT_NE(Control, nullptr) << Layout.Name;
    EXPECT_EQ(Control->pos(), QPoint(Layout.Left, Layout.Top)) << Layout.Name;
    if (!Layout.AutoSize || Layout.Kind == kdImage) {
      EXPECT_EQ(Control->size(), QSize(Layout.Width, Layout.Height)) << Layout.Name;
    }
    EXPECT_TRUE(Control->isVisible()) << Layout.Name;
    EXPECT_TRUE(Control->isEnabled()) << Layout.Name;
  }
}

TEST_F(MainWindow, ControlsShowTheirTextsFontsAndColours) {
  EXPECT_EQ(Form().Button1->text(), U("開始"));
  EXPECT_EQ(Form().Button2->text(), U("終了"));
  EXPECT_EQ(Form().Button3->text(), U("成績図"));
  EXPECT_EQ(Form().CheckBox1->text(), U("正解する迄"));
  EXPECT_FALSE(Form().CheckBox1->isChecked());
  EXPECT_EQ(Form().Label1->text(), U("00分00秒"));
  EXPECT_EQ(Form().Label2->text(), U("="));
  EXPECT_EQ(Form().Label3->text(), U("そよかぜ・ラボ"));
  EXPECT_EQ(Form().Label4->text(), U("rezu！diz"));
  EXPECT_EQ(Form().ListBox1->count(), 0);
  EXPECT_FALSE(Form().Image1->pixmap().isNull());

  EXPECT_EQ(QFontInfo(Form().Edit1->font()).family(), U("IPAGothic"));
  EXPECT_EQ(Form().Edit1->font().pixelSize(), 104);
  EXPECT_EQ(QFontInfo(Form().Button1->font()).family(), U("IPAPGothic"));
  EXPECT_EQ(Form().Button1->font().pixelSize(), 29);
  EXPECT_EQ(Form().Label1->font().pixelSize(), 37);
  EXPECT_EQ(Form().ListBox1->font().pixelSize(), 32);
  EXPECT_EQ(Form().Label3->font().pixelSize(), 19);

  EXPECT_EQ(Form().Edit1->palette().color(QPalette::Text), QColor(0, 0, 128));
  EXPECT_EQ(Form().Edit1->palette().color(QPalette::Base), QApplication::palette().color(QPalette::ToolTipBase));
  EXPECT_EQ(Form().Edit3->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
  EXPECT_EQ(Form().Label1->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(Form().ListBox1->palette().color(QPalette::Text), QColor(0, 128, 128));
  EXPECT_EQ(Form().Label2->palette().color(QPalette::WindowText), QColor(0, 0, 0));

  EXPECT_TRUE(Form().Edit1->isReadOnly());
  EXPECT_TRUE(Form().Edit2->isReadOnly());
  EXPECT_TRUE(Form().Edit4->isReadOnly());
  EXPECT_FALSE(Form().Edit3->isReadOnly());
  EXPECT_EQ(Form().Edit3->maxLength(), 3);
  EXPECT_EQ(Form().Edit3->Alignment(), taRightJustify);
  EXPECT_EQ(Form().Edit1->Alignment(), taCenter);
}

TEST_F(MainWindow, TheLogFontIsTwiceAsWideForDoubleByteCharacters) {
  const QFontMetricsF Metrics(Form().ListBox1->font());
  EXPECT_DOUBLE_EQ(Metrics.horizontalAdvance(U("不")), 2 * Metrics.horizontalAdvance(U("0")));
  EXPECT_DOUBLE_EQ(Metrics.horizontalAdvance(U("＋")), 2 * Metrics.horizontalAdvance(U(" ")));
}

TEST_F(MainWindow, ViewOperationsLandInTheirControlsInOrder) {
  QStringList Changes;
  for (TAlignedEdit* Edit : {Form().Edit1, Form().Edit2, Form().Edit3, Form().Edit4}) {
    QObject::connect(Edit, &QLineEdit::textChanged, [&Changes, Edit] { Changes << Edit->objectName(); });
  }
  Form().ShowQuestion("7", Texts().MinusGlyph, "15");
  EXPECT_EQ(Changes, QStringList({"Edit1", "Edit2", "Edit4"}));
  EXPECT_EQ(Form().Edit1->text(), U("7"));
  EXPECT_EQ(Form().Edit4->text(), U("－"));
  EXPECT_EQ(Form().Edit2->text(), U("15"));

  Form().Edit3->setText(U("12"));
  Changes.clear();
  Form().ClearQuestion();
  EXPECT_EQ(Changes, QStringList({"Edit1", "Edit2", "Edit3", "Edit4"}));

  Form().InsertLogLine("first");
  Form().InsertLogLine(ToSjis("二番目"));
  ASSERT_EQ(Form().ListBox1->count(), 2);
  EXPECT_EQ(Form().ListBox1->item(0)->text(), U("二番目"));
  EXPECT_EQ(Form().ListBox1->item(1)->text(), U("first"));
  Form().ClearLog();
  EXPECT_EQ(Form().ListBox1->count(), 0);

  Form().ShowClock(ToSjis("04分59秒"));
  EXPECT_EQ(Form().Label1->text(), U("04分59秒"));
  Form().FocusAnswer();
  EXPECT_EQ(Focused(), U("Edit3"));
  Form().FocusStart();
  EXPECT_EQ(Focused(), U("Button1"));
}

TEST_F(MainWindow, TheClockLabelFollowsTheWidthOfItsText) {
  const QRect AtRest = Form().Label1->geometry();
  EXPECT_EQ(AtRest.size(), Form().Label1->sizeHint());
  // A drill of 100 minutes or more shows three minute digits.
  Form().ShowClock(ToSjis("100分00秒"));
  EXPECT_EQ(Form().Label1->pos(), AtRest.topLeft());
  EXPECT_EQ(Form().Label1->size(), Form().Label1->sizeHint());
  EXPECT_GT(Form().Label1->width(), AtRest.width());
  Form().ShowClock(Texts().ClockAtRest);
  EXPECT_EQ(Form().Label1->geometry(), AtRest);
}

TEST_F(MainWindow, StartingADrillShowsTheFirstQuestionInTheBoxes) {
  Form().InsertLogLine("old line");
  Key(Qt::Key_Return);  // the start button has the focus
  const TQuestion& Question = Form().Run().CurrentQuestion();
  EXPECT_EQ(Form().Run().State(), rsAsking);
  EXPECT_EQ(Form().ListBox1->count(), 0);
  EXPECT_EQ(Form().Edit1->text(), QString::number(Question.Left));
  EXPECT_EQ(Form().Edit2->text(), QString::number(Question.Right));
  EXPECT_EQ(ToSjis(Form().Edit4->text().toStdString()), OperatorGlyph(Question.Op));
  EXPECT_EQ(Focused(), U("Edit3"));
  EXPECT_TRUE(Form().Timer1->isActive());
}

TEST_F(MainWindow, TabAndShiftTabFollowTheTabOrder) {
  EXPECT_EQ(Focused(), U("Button1"));
  const QStringList Forward{"Button2", "ListBox1", "Button3", "CheckBox1", "Edit1",
                            "Edit4",   "Edit2",    "Edit3",   "Button1"};
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
  EXPECT_EQ(Seen, QStringList({"Edit3", "Edit2", "Edit4", "Edit1", "CheckBox1", "Button3", "ListBox1", "Button2",
                               "Button1"}));
  Key(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(Focused(), U("Button1"));
}

TEST_F(MainWindow, ArrowKeysMoveTheFocusOnlyFromButtonsAndTheCheckBox) {
  Key(Qt::Key_Right);
  EXPECT_EQ(Focused(), U("Button2"));
  Key(Qt::Key_Down);
  EXPECT_EQ(Focused(), U("ListBox1"));
  Key(Qt::Key_Down);  // the list box keeps it
  EXPECT_EQ(Focused(), U("ListBox1"));
  Form().Button3->setFocus();
  Key(Qt::Key_Up);
  EXPECT_EQ(Focused(), U("ListBox1"));
  Form().CheckBox1->setFocus();
  Key(Qt::Key_Down);
  EXPECT_EQ(Focused(), U("Edit1"));
  Key(Qt::Key_Left);  // a read-only box keeps it too
  EXPECT_EQ(Focused(), U("Edit1"));
  Form().Button1->setFocus();
  Key(Qt::Key_Left);  // wraps to the end
  EXPECT_EQ(Focused(), U("Edit3"));
}

TEST_F(MainWindow, KeysHeldWithAltMoveNoFocus) {
  for (QWidget* Control : std::initializer_list<QWidget*>{Form().Button1, Form().CheckBox1, Form().Button3}) {
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
  QCheckBox& Box = *Form().CheckBox1;
  const QList<QPoint> Points{{Box.width() - 2, Box.height() / 2}, {Box.width() - 1, 0}, {0, Box.height() - 1},
                             {Box.width() / 2, Box.height() / 2}};
  bool Checked = false;
  for (const QPoint& Point : Points) {
    Form().Edit3->setFocus();
    QTest::mouseClick(&Box, Qt::LeftButton, Qt::NoModifier, Point);
    Checked = !Checked;
    EXPECT_EQ(Box.isChecked(), Checked) << "click at " << Point.x() << ", " << Point.y();
    EXPECT_EQ(Focused(), U("Button1")) << "click at " << Point.x() << ", " << Point.y();
  }
}

TEST_F(MainWindow, EnterAndSpaceClickTheFocusedButton) {
  Key(Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(Form().Run().State(), rsIdle);
  Key(Qt::Key_Space);
  EXPECT_EQ(Form().Run().State(), rsAsking);
  EXPECT_EQ(Focused(), U("Edit3"));

  // The check box: Space toggles it and the focus goes to the start button;
  // Enter on it clicks nothing.
  Form().CheckBox1->setFocus();
  Key(Qt::Key_Return);
  EXPECT_FALSE(Form().CheckBox1->isChecked());
  EXPECT_EQ(Focused(), U("CheckBox1"));
  Key(Qt::Key_Space);
  EXPECT_TRUE(Form().CheckBox1->isChecked());
  EXPECT_EQ(Focused(), U("Button1"));
}

TEST_F(MainWindow, ReadOnlyBoxesSelectTheirTextWhenTabbedToAndRefuseTyping) {
  Form().ShowQuestion("12", Texts().PlusGlyph, "3");
  Form().CheckBox1->setFocus();
  Key(Qt::Key_Tab);
  ASSERT_EQ(Focused(), U("Edit1"));
  EXPECT_EQ(Form().Edit1->selectedText(), U("12"));
  QTest::keyClicks(Form().Edit1, "9");
  EXPECT_EQ(Form().Edit1->text(), U("12"));
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
  for (QLineEdit* Box : {static_cast<QLineEdit*>(Form().Edit1), static_cast<QLineEdit*>(Form().Edit3)}) {
    EXPECT_EQ(CaretPixels(Box), 0) << Box->objectName().toStdString();
    Box->setFocus();
    ASSERT_TRUE(Box->hasFocus());
    EXPECT_GE(CaretPixels(Box), Box->height() / 2) << Box->objectName().toStdString();
    Form().Button1->setFocus();
    EXPECT_EQ(CaretPixels(Box), 0) << Box->objectName().toStdString();
  }
  QApplication::setCursorFlashTime(FlashTime);
}

TEST_F(MainWindow, TheAnswerBoxTakesDigitsAndBackspaceOnly) {
  TAlignedEdit* Edit3 = Form().Edit3;
  Edit3->setFocus();
  QTest::keyClicks(Edit3, "1a-2 ");
  EXPECT_EQ(Edit3->text(), U("12"));
  QTest::keyClick(Edit3, Qt::Key_Backspace);
  EXPECT_EQ(Edit3->text(), U("1"));
  QTest::keyClicks(Edit3, "234");  // at most three characters
  EXPECT_EQ(Edit3->text(), U("123"));
  QTest::keyClick(Edit3, Qt::Key_Escape);
  QTest::keyClick(Edit3, Qt::Key_Left);  // keys that type nothing act on the box
  QTest::keyClick(Edit3, Qt::Key_Delete);
  EXPECT_EQ(Edit3->text(), U("12"));
  // A full-width digit is no digit here.
  Edit3->clear();
  QTest::keyClick(Edit3, Qt::Key_1, Qt::NoModifier);
  QKeyEvent Wide(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, U("１"));
  QApplication::sendEvent(Edit3, &Wide);
  EXPECT_EQ(Edit3->text(), U("1"));
  EXPECT_FALSE(Edit3->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_TRUE(Form().Edit1->testAttribute(Qt::WA_InputMethodEnabled) || Form().Edit1->isReadOnly());
}

TEST_F(MainWindow, DeleteActsOnTheAnswerBoxAlthoughTheServerGivesItAText) {
  // An X server reports the Delete key with the text DEL (0x7F); it still
  // deletes and is not refused as a typed character.
  TAlignedEdit* Edit3 = Form().Edit3;
  Edit3->setFocus();
  Edit3->setText(U("123"));
  Edit3->setCursorPosition(1);
  QKeyEvent Delete(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
  QApplication::sendEvent(Edit3, &Delete);
  EXPECT_EQ(Edit3->text(), U("13"));
  // A DEL typed with some other key is still no digit.
  QKeyEvent Typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x7F)));
  QApplication::sendEvent(Edit3, &Typed);
  EXPECT_EQ(Edit3->text(), U("13"));
}

TEST_F(MainWindow, EnterInTheAnswerBoxCommitsAndNeverReachesTheBox) {
  Key(Qt::Key_Return);
  const int Answer = Form().Run().CurrentQuestion().Answer;
  QTest::keyClicks(Form().Edit3, QString::number(Answer));
  QTest::keyClick(Form().Edit3, Qt::Key_Return);
  EXPECT_EQ(Form().Run().QuestionNo(), 2);
  EXPECT_EQ(Form().Run().CorrectCount(), 1);
  ASSERT_EQ(Form().ListBox1->count(), 1);
  EXPECT_TRUE(Form().ListBox1->item(0)->text().contains(U("正解"))) << Form().ListBox1->item(0)->text().toStdString();
  EXPECT_EQ(Form().Edit3->text(), QString());
  EXPECT_EQ(Focused(), U("Edit3"));
  QTest::keyClick(Form().Edit3, Qt::Key_Enter);  // the keypad's Enter too
  EXPECT_EQ(Form().Run().QuestionNo(), 3);
}

TEST_F(MainWindow, APastedCharacterOutsideTheCodePageIsReportedAsAQuestionMark) {
  Key(Qt::Key_Return);
  Form().Edit3->setText(U("1😀"));  // as by the context menu's paste
  QString Text;
  TModalWatch Watch([&](QWidget* Modal) { Text = static_cast<QMessageBox*>(Modal)->text(); });
  QTest::keyClick(Form().Edit3, Qt::Key_Return);
  EXPECT_EQ(Text, U("'1?' は整数ではありません."));
  EXPECT_EQ(Form().Run().State(), rsHalted);
  EXPECT_EQ(Form().ListBox1->count(), 0);
}

TEST_F(MainWindow, APastedNulCharacterIsReportedWithTheWholeText) {
  Key(Qt::Key_Return);
  Form().Edit3->setText(U("1") + QChar(u'\0') + U("2"));  // as by the context menu's paste (3 at most)
  QString Text;
  TModalWatch Watch([&](QWidget* Modal) { Text = static_cast<QMessageBox*>(Modal)->text(); });
  QTest::keyClick(Form().Edit3, Qt::Key_Return);
  EXPECT_EQ(Text, U("'1") + QChar(u'\0') + U("2' は整数ではありません."));
  EXPECT_EQ(Form().Run().State(), rsHalted);
}

TEST_F(MainWindow, TheClockNeverTicksBeforeItsHalfSecondOfTheDrill) {
  // The clock shows whole seconds of the drill: a tick that came a little
  // before the second it stands for would show the second before for another
  // half second, and a drill's summary would take that text.
  QObject Context;
  QElapsedTimer SinceStart;
  std::vector<qint64> Ticks;
  QObject::connect(Form().Timer1, &QTimer::timeout, &Context, [&] { Ticks.push_back(SinceStart.elapsed()); });
  SinceStart.start();
  Key(Qt::Key_Return);
  ASSERT_EQ(Form().Run().State(), rsAsking);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Ticks.size() >= 4; }, 10000));
  for (std::size_t K = 0; K < 4; ++K) EXPECT_GE(Ticks[K], 500 * static_cast<qint64>(K + 1)) << "tick " << K + 1;
}

TEST_F(MainWindow, TheClockTicksWhileTheGraphWindowIsUp) {
  Key(Qt::Key_Return);
  QString DuringModal;
  bool SawGraph = false;
  TModalWatch Watch([&](QWidget* Modal) {
    SawGraph = Modal == &Program.Form2();
    Program.Clock.Now += 61 * 1000;
    (void)QTest::qWaitFor([&] { return Form().Label1->text() == U("01分01秒"); }, 3000);
    DuringModal = Form().Label1->text();
  });
  Form().Button3->click();
  EXPECT_TRUE(SawGraph);
  EXPECT_EQ(DuringModal, U("01分01秒"));
  // Not back to the answer box: to the start button, once the main window is
  // active again.
  EXPECT_EQ(Form().focusWidget(), Form().Button1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Focused() == U("Button1"); }));
  EXPECT_EQ(Form().Run().State(), rsAsking);
}

TEST_F(MainWindow, TheClockTicksWhileAnErrorBoxIsUp) {
  Key(Qt::Key_Return);
  Form().CheckBox1->click();
  ASSERT_TRUE(Form().CheckBox1->isChecked());
  EXPECT_EQ(Focused(), U("Button1"));
  Form().Edit3->setText(U("x"));
  QString Text, DuringBox;
  TModalWatch Watch([&](QWidget* Modal) {
    Text = static_cast<QMessageBox*>(Modal)->text();
    Program.Clock.Now += 5 * 1000;
    (void)QTest::qWaitFor([&] { return Form().Label1->text() == U("00分05秒"); }, 3000);
    DuringBox = Form().Label1->text();
  });
  QTest::keyClick(Form().Edit3, Qt::Key_Return);
  EXPECT_EQ(Text, U("'x' は整数ではありません."));
  EXPECT_EQ(DuringBox, U("00分05秒"));
  EXPECT_EQ(Form().Edit3->text(), U("x"));  // until-correct mode keeps the text
  EXPECT_EQ(Form().Run().State(), rsAsking);
}

TEST_F(MainWindow, AfterAnErrorBoxTheMainWindowIsActiveAgainWithItsFocus) {
  Key(Qt::Key_Return);
  Form().Edit3->setText(U("1a"));  // as by the context menu's paste
  TModalWatch Watch([](QWidget*) {});
  QTest::keyClick(Form().Edit3, Qt::Key_Return);
  ASSERT_TRUE(Watch.Done());
  EXPECT_EQ(Form().Run().State(), rsHalted);
  // The keys typed next go where they went before the box.
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &Form(); }));
  EXPECT_EQ(Focused(), U("Edit3"));
}

TEST_F(MainWindow, ClosingDuringADrillWritesNothingAndEndsTheProgram) {
  Key(Qt::Key_Return);
  for (int I = 0; I < 5; ++I) QTest::keyClick(Form().Edit3, Qt::Key_Return);
  ASSERT_EQ(Form().ListBox1->count(), 5);
  bool Closed = true;
  QTimer::singleShot(0, [&] { Closed = Form().close(); });
  EXPECT_EQ(RunUntilTheProgramEnds(), 0);
  EXPECT_FALSE(Closed);  // the window stays on screen until the program has ended
  EXPECT_TRUE(Program.App().Terminated());
  EXPECT_EQ(Form().Run().State(), rsIdle);
  EXPECT_FALSE(Form().Timer1->isActive());
  EXPECT_EQ(Form().ListBox1->count(), 5);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Program.HistoryPath())));
  EXPECT_EQ(Program.Form2().History().Count(), 0u);
}

TEST_F(MainWindow, TheEndButtonAbortsTheDrillToo) {
  Key(Qt::Key_Return);
  for (int I = 0; I < 99; ++I) QTest::keyClick(Form().Edit3, Qt::Key_Return);
  ASSERT_EQ(Form().Run().QuestionNo(), 100);
  QTimer::singleShot(0, [&] { Form().Button2->click(); });
  EXPECT_EQ(RunUntilTheProgramEnds(), 0);
  EXPECT_TRUE(Program.App().Terminated());
  EXPECT_EQ(Form().Run().State(), rsIdle);
  QTest::keyClick(Form().Edit3, Qt::Key_Return);  // a late Enter commits nothing
  EXPECT_EQ(Form().ListBox1->count(), 99);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Program.HistoryPath())));
}

TEST_F(MainWindow, TheEndButtonEndsTheProgramWithoutADrill) {
  QTimer::singleShot(0, [&] { Form().Button2->click(); });
  EXPECT_EQ(RunUntilTheProgramEnds(), 0);
  EXPECT_TRUE(Program.App().Terminated());
}

TEST_F(MainWindow, AWholeDrillOfEmptyAnswersWritesOneHistoryLine) {
  Key(Qt::Key_Return);
  for (int I = 0; I < 100; ++I) {
    ASSERT_EQ(Focused(), U("Edit3")) << "question " << I + 1;
    Key(Qt::Key_Return);
  }
  const QByteArray Bytes = HistoryBytes();
  const std::string Summary = ToSjis("所要時間 00分00秒 正答率  0%  2024/03/15 09:05");
  EXPECT_EQ(Bytes.size(), 48);
  EXPECT_EQ(Bytes.toStdString(), Summary + "\r\n");
  ASSERT_EQ(Form().ListBox1->count(), 101);
  EXPECT_EQ(Form().ListBox1->item(0)->text().toStdString(), FromSjis(Summary));
  EXPECT_TRUE(Form().ListBox1->item(1)->text().startsWith(U("100:")));
  EXPECT_TRUE(Form().ListBox1->item(100)->text().startsWith(U("  1:")));
  EXPECT_EQ(Program.Form2().History().Count(), 1u);
  EXPECT_EQ(Focused(), U("Button1"));
  EXPECT_EQ(Form().Label1->text(), U("00分00秒"));
  EXPECT_EQ(Form().Edit1->text(), QString());
  EXPECT_FALSE(Form().Timer1->isActive());
  EXPECT_EQ(Form().Run().State(), rsIdle);
}

TEST_F(MainWindow, AWholeDrillOfRightAnswersTypedByKey) {
  Key(Qt::Key_Return);
  for (int I = 0; I < 100; ++I) {
    Program.Clock.Now += 2000;
    QTest::keyClicks(Form().Edit3, QString::number(Form().Run().CurrentQuestion().Answer));
    Key(Qt::Key_Return);
  }
  const QByteArray Bytes = HistoryBytes();
  ASSERT_EQ(Bytes.size(), 48);
  EXPECT_EQ(Bytes.mid(24, 3), QByteArray("100"));
  // A second drill adds a second line.
  Key(Qt::Key_Return);
  for (int I = 0; I < 100; ++I) Key(Qt::Key_Return);
  EXPECT_EQ(HistoryBytes().size(), 96);
  EXPECT_EQ(Program.Form2().History().Count(), 2u);
}

TEST_F(MainWindow, AHistoryThatCannotBeWrittenGivesABoxAndTheProgramGoesOn) {
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Program.HistoryPath())));
  Key(Qt::Key_Return);
  Program.Clock.Now += 65 * 1000;
  // One tick of the clock: "01分05秒" (however late a busy machine runs the timer).
  (void)QTest::qWaitFor([&] { return Form().Label1->text() == U("01分05秒"); }, 10000);
  ASSERT_EQ(Form().Label1->text(), U("01分05秒"));
  for (int I = 0; I < 99; ++I) Key(Qt::Key_Return);
  QString Text;
  TModalWatch Watch([&](QWidget* Modal) { Text = static_cast<QMessageBox*>(Modal)->text(); });
  Key(Qt::Key_Return);
  ASSERT_TRUE(Watch.Done());
  EXPECT_TRUE(Text.endsWith(U("を作成できません."))) << Text.toStdString();
  EXPECT_EQ(Program.Form2().History().Count(), 1u);  // kept for the next write
  EXPECT_EQ(Form().ListBox1->count(), 101);
  EXPECT_EQ(Form().Label1->text(), U("01分05秒"));  // the final time stays
  EXPECT_EQ(Form().Run().State(), rsIdle);
  EXPECT_EQ(Form().focusWidget(), Form().Edit3);  // the focus stays where it was
  // The next drill goes on as usual.
  QTest::keyClick(Form().Button1, Qt::Key_Return);
  EXPECT_EQ(Form().Run().State(), rsAsking);
}

TEST(MainWindowScaling, OnA120DpiScreenTheLayoutGrowsInProportion) {
  TProgramFixture Program(120);
  Program.Create();
  TForm1& Form = Program.Form1();
  const double Factor = 24.0 / 19;
  auto Scaled = [Factor](int V) { return static_cast<int>(std::lround(V * Factor)); };
  EXPECT_EQ(Form.size(), QSize(Scaled(792), Scaled(566)));
  EXPECT_EQ(Form.Button1->geometry(), QRect(Scaled(607), Scaled(52), Scaled(166), Scaled(38)));
  EXPECT_EQ(Form.ListBox1->geometry(), QRect(Scaled(12), Scaled(121), Scaled(765), Scaled(398)));
  EXPECT_EQ(Form.Image1->geometry(), QRect(Scaled(18), Scaled(528), Scaled(192), Scaled(27)));
  EXPECT_EQ(Form.Edit1->font().pixelSize(), Scaled(104));
  EXPECT_EQ(Form.Button1->font().pixelSize(), Scaled(29));
  EXPECT_EQ(Program.Form2().size(), QSize(Scaled(792), Scaled(573)));
}

