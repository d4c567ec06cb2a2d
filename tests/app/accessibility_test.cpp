// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology sees of the two windows, through the toolkit's
// accessibility interfaces: a Japanese name and description for every
// control, the clock's time as its value and text, a notice each time the
// clock or the drill log changes, and the result chart's summary.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <gtest/gtest.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <vector>

#include "chart_qt/chart_widget.h"

#include "app/widgets/aligned_edit.h"
#include "app/windows/graph_window.h"
#include "app/windows/main_window.h"
#include "app/windows/main_window_layout.h"
#include "app_test_support.h"
#include "drill/drill_texts.h"
#include "platform/program_texts.h"
#include "platform/sjis.h"
#include "results/results.h"

namespace {

struct TNotice {
  QObject* Object;
  QAccessible::Event Type;
  QString Value;     // ValueChanged: the new value; ObjectCreated: the new object's name
  QString Inserted;  // TextUpdated: the text now shown
  QString Removed;   // TextUpdated: the text before
};

std::vector<TNotice>* Recorded = nullptr;

void Record(QAccessibleEvent* Event) {
  if (Recorded == nullptr) return;
  TNotice Notice{Event->object(), Event->type(), {}, {}, {}};
  if (Event->type() == QAccessible::ValueChanged) {
    Notice.Value = static_cast<QAccessibleValueChangeEvent*>(Event)->value().toString();
  } else if (Event->type() == QAccessible::ObjectCreated && Event->accessibleInterface() != nullptr) {
    Notice.Value = Event->accessibleInterface()->text(QAccessible::Name);
  } else if (Event->type() == QAccessible::TextUpdated) {
    Notice.Inserted = static_cast<QAccessibleTextUpdateEvent*>(Event)->textInserted();
    Notice.Removed = static_cast<QAccessibleTextUpdateEvent*>(Event)->textRemoved();
  }
  Recorded->push_back(Notice);
}

class Accessibility : public ::testing::Test {
protected:
  void SetUp() override {
    Program.Create();
    // As when a screen reader runs: the toolkit sends its notices, and the
    // test hears them in place of the platform's bridge.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QAccessible::installUpdateHandler(&Record);
    Recorded = &Notices;
  }
  void TearDown() override {
    Recorded = nullptr;
    QAccessible::installUpdateHandler(nullptr);
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
  }
  TMainWindow& Window() { return Program.MainWindow(); }
  static QAccessibleInterface* Of(QObject* Object) { return QAccessible::queryAccessibleInterface(Object); }
  std::vector<TNotice> NoticesOf(QObject* Object, QAccessible::Event Type) const {
    std::vector<TNotice> Found;
    for (const TNotice& Notice : Notices) {
      if (Notice.Object == Object && Notice.Type == Type) Found.push_back(Notice);
    }
    return Found;
  }

  TProgramFixture Program;
  std::vector<TNotice> Notices;
};

bool HasJapanese(const QString& Text) {
  for (QChar C : Text) {
    if (C.unicode() >= 0x3000) return true;
  }
  return false;
}

}  // namespace

TEST_F(Accessibility, EveryControlOfBothWindowsHasAJapaneseNameAndDescription) {
  std::vector<QWidget*> Controls{&Window(), &Program.GraphWindow()};
  for (QWidget* Shown : {static_cast<QWidget*>(&Window()), static_cast<QWidget*>(&Program.GraphWindow())}) {
    for (QWidget* Control : Shown->findChildren<QWidget*>()) {
      // Parts the toolkit makes inside a control (scroll bars, the list's
      // viewport) have no name of their own in the program; the graph window
      // is the main window's child, but a window of its own.
      if (Control->window() == Shown && !Control->objectName().isEmpty() &&
          !Control->objectName().startsWith(QLatin1String("qt_"))) {
        Controls.push_back(Control);
      }
    }
  }
  // The graph window has three: the chart, the history list, the button.
  ASSERT_EQ(Controls.size(), 2 + MainWindowControls().size() + 3);
  for (QWidget* Control : Controls) {
    QAccessibleInterface* Interface = Of(Control);
    ASSERT_NE(Interface, nullptr) << Control->objectName().toStdString();
    EXPECT_TRUE(HasJapanese(Interface->text(QAccessible::Name))) << Control->objectName().toStdString();
    EXPECT_TRUE(HasJapanese(Interface->text(QAccessible::Description))) << Control->objectName().toStdString();
  }
}

TEST_F(Accessibility, ControlsAreNamedForWhatTheyAreAndDescribedByTheirHints) {
  struct TNamed {
    QWidget* Control;
    const char* Name;
  };
  const std::vector<TNamed> Named{
      {Window().LeftBox, "左の数"},
      {Window().OperatorBox, "演算子"},
      {Window().RightBox, "右の数"},
      {Window().AnswerBox, "答え"},
      {Window().ClockLabel, "経過時間"},
      {Window().LogBox, "記録"},
      {Window().StartButton, "開始"},
      {Window().UntilCorrectBox, "正解する迄"},
      {Window().ChartButton, "成績図"},
      {Window().EndButton, "終了"},
      {&Window(), "すらすら算数帳"},
      {Program.GraphWindow().CloseButton, "閉じる"},
      {&Program.GraphWindow(), "結果グラフ"},
  };
  for (const TNamed& Each : Named) {
    EXPECT_EQ(Of(Each.Control)->text(QAccessible::Name), U(Each.Name)) << Each.Control->objectName().toStdString();
  }
  // The four controls with a hint say what the hint says.
  for (const TControlLayout& Layout : MainWindowControls()) {
    if (Layout.Hint == nullptr) continue;
    QWidget* Control = Window().findChild<QWidget*>(QString::fromLatin1(Layout.Name));
    EXPECT_EQ(Of(Control)->text(QAccessible::Description), QString::fromUtf8(Layout.Hint)) << Layout.Name;
  }
  EXPECT_EQ(Of(Window().StartButton)->text(QAccessible::Description), U("ドリルを開始します"));
}

TEST_F(Accessibility, WindowsTheToolkitCannotTellByTheirClassHaveTheirRoles) {
  // A screen reader announces a window by its role: the main window is a
  // plain top-level widget, which the toolkit alone gives the role of a pane.
  QString BoxName, BoxDescription;
  QAccessible::Role BoxRole = QAccessible::NoRole;
  TModalWatch Watch([&](QWidget* Modal) {
    BoxRole = Of(Modal)->role();
    BoxName = Of(Modal)->text(QAccessible::Name);
    BoxDescription = Of(Modal)->text(QAccessible::Description);
  });
  Program.App().ShowError(Texts().NotAnInteger);
  ASSERT_TRUE(Watch.Done());
  struct TRole {
    QAccessible::Role Role;
    QAccessible::Role Expected;
    const char* What;
  };
  const std::vector<TRole> Roles{
      {Of(&Window())->role(), QAccessible::Window, "main window"},
      {Of(&Program.GraphWindow())->role(), QAccessible::Dialog, "graph window"},
      {Of(Program.GraphWindow().ResultChart)->role(), QAccessible::Chart, "result chart"},
      {Of(Window().ClockLabel)->role(), QAccessible::StaticText, "clock"},
      {BoxRole, QAccessible::AlertMessage, "error box"},
  };
  for (const TRole& Each : Roles) EXPECT_EQ(Each.Role, Each.Expected) << Each.What;
  // The box's caption is the program's file name; its name is Japanese and
  // its description is the message.
  EXPECT_EQ(BoxName, U("エラー"));
  EXPECT_EQ(BoxDescription, U("'%s' は整数ではありません."));
  EXPECT_EQ(Of(&Window())->text(QAccessible::Name), U("すらすら算数帳"));
}

TEST_F(Accessibility, TheAnswerAndTheQuestionAreReadAsValues) {
  Window().ShowQuestion("12", DrillTexts().TimesGlyph, "7");
  QTest::keyClicks(Window().AnswerBox, QStringLiteral("84"));
  EXPECT_EQ(Of(Window().LeftBox)->text(QAccessible::Value), U("12"));
  EXPECT_EQ(Of(Window().OperatorBox)->text(QAccessible::Value), U("×"));
  EXPECT_EQ(Of(Window().RightBox)->text(QAccessible::Value), U("7"));
  EXPECT_EQ(Of(Window().AnswerBox)->text(QAccessible::Value), U("84"));
}

TEST_F(Accessibility, TheClockKeepsItsNameAndReadsItsTimeAsValueAndText) {
  QAccessibleInterface* Clock = Of(Window().ClockLabel);
  EXPECT_EQ(Clock->role(), QAccessible::StaticText);
  EXPECT_TRUE(Clock->state().readOnly);
  EXPECT_EQ(Clock->text(QAccessible::Value), U("00分00秒"));
  Window().ShowClock(ToSjis("03分07秒"));
  EXPECT_EQ(Clock->text(QAccessible::Name), U("経過時間"));
  EXPECT_EQ(Clock->text(QAccessible::Value), U("03分07秒"));
  QAccessibleTextInterface* TextOf = Clock->textInterface();
  ASSERT_NE(TextOf, nullptr);
  EXPECT_EQ(TextOf->characterCount(), 6);
  EXPECT_EQ(TextOf->text(0, TextOf->characterCount()), U("03分07秒"));
  EXPECT_EQ(TextOf->text(3, 5), U("07"));
  EXPECT_TRUE(TextOf->characterRect(2).isValid());
  EXPECT_FALSE(TextOf->characterRect(6).isValid());
}

TEST_F(Accessibility, TheClockIsAnnouncedWhenItsTextChangesAndOnlyThen) {
  Window().ShowClock(ToSjis("00分01秒"));
  Window().ShowClock(ToSjis("00分01秒"));  // the second tick of the same second
  Window().ShowClock(ToSjis("00分02秒"));
  const std::vector<TNotice> Values = NoticesOf(Window().ClockLabel, QAccessible::ValueChanged);
  ASSERT_EQ(Values.size(), 2u);
  EXPECT_EQ(Values[0].Value, U("00分01秒"));
  EXPECT_EQ(Values[1].Value, U("00分02秒"));
  const std::vector<TNotice> Texts = NoticesOf(Window().ClockLabel, QAccessible::TextUpdated);
  ASSERT_EQ(Texts.size(), 2u);
  EXPECT_EQ(Texts[1].Removed, U("00分01秒"));
  EXPECT_EQ(Texts[1].Inserted, U("00分02秒"));
}

TEST_F(Accessibility, EveryLineOfADrillIsAnnouncedAsItGoesOnTopOfTheLog) {
  QTest::keyClick(Window().StartButton, Qt::Key_Return);
  Program.Clock.Now += 1000;
  Window().ClockTick();
  for (int I = 0; I < 100; ++I) QTest::keyClick(Window().AnswerBox, Qt::Key_Return);
  const std::vector<TNotice> Lines = NoticesOf(Window().LogBox, QAccessible::ValueChanged);
  ASSERT_EQ(Lines.size(), 101u);  // 100 questions and the summary
  EXPECT_TRUE(Lines[0].Value.startsWith(U("  1:"))) << Lines[0].Value.toStdString();
  EXPECT_TRUE(Lines[99].Value.startsWith(U("100:"))) << Lines[99].Value.toStdString();
  EXPECT_TRUE(Lines[100].Value.startsWith(U("所要時間 00分01秒"))) << Lines[100].Value.toStdString();
  // The newest line is the log's first row for a reader walking the list,
  // and each row is announced as a new child, named by its line.
  QAccessibleInterface* Log = Of(Window().LogBox);
  ASSERT_EQ(Log->childCount(), 101);
  EXPECT_EQ(Log->child(0)->text(QAccessible::Name), Lines[100].Value);
  std::vector<TNotice> Rows;
  for (const TNotice& Notice : Notices) {
    if (Notice.Type == QAccessible::ObjectCreated) Rows.push_back(Notice);
  }
  ASSERT_EQ(Rows.size(), 101u);
  EXPECT_EQ(Rows[0].Value, Lines[0].Value);
  EXPECT_EQ(Rows[100].Value, Lines[100].Value);
  // The clock was announced as it ticked, and again when it went back to rest.
  const std::vector<TNotice> Clock = NoticesOf(Window().ClockLabel, QAccessible::ValueChanged);
  ASSERT_EQ(Clock.size(), 2u);
  EXPECT_EQ(Clock[0].Value, U("00分01秒"));
  EXPECT_EQ(Clock[1].Value, U("00分00秒"));
}

TEST_F(Accessibility, LinesLoggedWhileNobodyListensAreReadRightOnceSomebodyDoes) {
  QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
  QTest::keyClick(Window().StartButton, Qt::Key_Return);
  for (int I = 0; I < 3; ++I) QTest::keyClick(Window().AnswerBox, Qt::Key_Return);
  QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
  QAccessibleInterface* Log = Of(Window().LogBox);
  ASSERT_EQ(Log->childCount(), 3);
  for (int Row = 0; Row < 3; ++Row) {
    EXPECT_EQ(Log->child(Row)->text(QAccessible::Name), Window().LogBox->item(Row)->text()) << Row;
  }
}

TEST_F(Accessibility, NamesChangeNothingAWindowDoes) {
  // Names and descriptions are for assistive technology only: the captions,
  // the hints and the focus order stay the program's own.
  EXPECT_EQ(Window().StartButton->text(), U("開始"));
  EXPECT_EQ(Window().ClockLabel->text(), U("00分00秒"));
  EXPECT_EQ(Window().windowTitle(), U(" (^-^)) すらすら算数帳"));
  EXPECT_TRUE(Window().ClockLabel->toolTip().isEmpty());
  EXPECT_EQ(QApplication::focusWidget(), Window().StartButton);
}

TEST_F(Accessibility, TheChartIsNamedByItsTitleAndDescribedByASummaryThatFollowsTheKeys) {
  TGraphWindow& Graph = Program.GraphWindow();
  for (const char* Line : {"所要時間 03分12秒 正答率 85%  2024/03/14 20:01",
                           "所要時間 04分40秒 正答率100%  2024/03/15 08:30",
                           "所要時間 02分55秒 正答率 60%  2024/03/15 10:30"}) {
    Program.Results().Record(ToSjis(Line));
  }
  QString Shown, Zoomed;
  std::vector<TNotice> Announced;
  TModalWatch Watch([&](QWidget* Modal) {
    (void)QTest::qWaitForWindowActive(Modal);
    QTest::qWait(20);
    Shown = Of(Graph.ResultChart)->text(QAccessible::Description);
    Notices.clear();
    for (int Press = 0; Press < 2; ++Press) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
      QTest::qWait(30);
    }
    Zoomed = Of(Graph.ResultChart)->text(QAccessible::Description);
    Announced = NoticesOf(Graph.ResultChart, QAccessible::DescriptionChanged);
    Graph.reject();
  });
  Window().ChartButton->click();
  ASSERT_TRUE(Watch.Done());
  EXPECT_EQ(Of(Graph.ResultChart)->text(QAccessible::Name), U("結果グラフ"));
  EXPECT_EQ(Shown, U("3回分のドリルの成績です。最新の3回目は正答率 60%、所要時間 2分55秒。"
                     "最高の正答率は 100%、最短の所要時間は 2分55秒。表示は 3回分のうち 1回目から 3回目です。"));
  // Two tenths of the view to the right, the first drill is out of range.
  EXPECT_TRUE(Zoomed.endsWith(U("表示は 3回分のうち 2回目から 3回目です。"))) << Zoomed.toStdString();
  EXPECT_EQ(Announced.size(), 2u);  // one for each key
}
