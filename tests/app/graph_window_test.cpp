// SPDX-License-Identifier: GPL-3.0-or-later
// The result graph window's shell: frame, controls, the history lines it shows.
#include <QApplication>
#include <QChildEvent>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/widgets/history_list_box.h"
#include "app/windows/graph_window.h"
#include "app/windows/main_window.h"
#include "app_test_support.h"
#include "history_lines.h"
#include "platform/sjis.h"
#include "results/results.h"
#include "temp_work_dir.h"

namespace {

const std::string LineA = ToSjis("所要時間 03分12秒 正答率 85%  2024/03/14 20:01");
const std::string LineB = ToSjis("所要時間 04分40秒 正答率100%  2024/03/15 08:30");

}  // namespace

TEST(GraphWindow, HasItsFrameAndOneFocusableButton) {
  TProgramFixture Program;
  Program.Create();
  TGraphWindow& Window = Program.GraphWindow();
  EXPECT_FALSE(Window.isVisible());
  EXPECT_EQ(Window.windowTitle(), U("結果グラフ"));
  EXPECT_EQ(Window.size(), QSize(792, 573));
  EXPECT_EQ(Window.minimumSize(), Window.maximumSize());
  EXPECT_EQ(Window.ResultChart->geometry(), QRect(0, 0, 705, 569));
  EXPECT_EQ(Window.HistoryBox->parentWidget(), Window.ResultChart);
  EXPECT_EQ(Window.HistoryBox->geometry(), QRect(216, 168, 201, 97));
  EXPECT_EQ(Window.CloseButton->geometry(), QRect(712, 8, 75, 33));
  EXPECT_EQ(Window.CloseButton->text(), U("閉じる"));
  int Focusable = 0;
  for (QWidget* Child : Window.findChildren<QWidget*>()) {
    if (Child->focusPolicy() != Qt::NoFocus && Child->isVisibleTo(&Window)) ++Focusable;
  }
  EXPECT_EQ(Focusable, 1);
}

TEST(GraphWindow, LoadsTheHistoryIntoItsHiddenListAtCreation) {
  TProgramFixture Program;
  WriteBytes(Program.HistoryPath(), CrlfLines({LineA, LineB}));
  Program.Create();
  TGraphWindow& Window = Program.GraphWindow();
  ASSERT_EQ(Window.HistoryBox->count(), 2);
  EXPECT_EQ(Window.HistoryBox->ItemText(0).toStdString(), FromSjis(LineA));
  EXPECT_EQ(Window.HistoryBox->ItemText(1).toStdString(), FromSjis(LineB));
  EXPECT_FALSE(Window.HistoryBox->isVisibleTo(&Window));
  EXPECT_EQ(Program.Results().History().Count(), 2u);
  // Its items are 21 pixels high, whatever the font.
  EXPECT_EQ(Window.HistoryBox->sizeHintForRow(0), 21);
  EXPECT_EQ(Window.HistoryBox->sizeHintForRow(1), 21);
}

// A line cut in the middle of a double-byte character shows as that line
// alone would, and the lines after it keep their places.
TEST(GraphWindow, ALineEndingInHalfACharacterStaysItsOwnItem) {
  TProgramFixture Program;
  const std::string Cut = LineA.substr(0, 9) + "\x95";
  WriteBytes(Program.HistoryPath(), CrlfLines({Cut, LineB, Cut}));
  TModalWatch Notice([](QWidget*) {});  // the start's notice of the two cut lines
  Program.Create();
  ASSERT_TRUE(Notice.Done());
  TGraphWindow& Window = Program.GraphWindow();
  ASSERT_EQ(Window.HistoryBox->count(), 3);
  EXPECT_EQ(Window.HistoryBox->ItemText(0).toStdString(), FromSjis(Cut));
  EXPECT_EQ(Window.HistoryBox->ItemText(1).toStdString(), FromSjis(LineB));
  EXPECT_EQ(Window.HistoryBox->ItemText(2).toStdString(), FromSjis(Cut));
}

// A drill recorded while the window is closed is in the hidden list when the
// window is shown next, nothing doubled.
TEST(GraphWindow, ARecordedDrillJoinsTheHiddenListAtTheNextShowing) {
  TProgramFixture Program;
  WriteBytes(Program.HistoryPath(), CrlfLines({LineA}));
  Program.Create();
  Program.Results().Record(LineB);
  int Items = -1;
  QString Last;
  TModalWatch Watch([&](QWidget*) {
    Items = Program.GraphWindow().HistoryBox->count();
    Last = Program.GraphWindow().HistoryBox->ItemText(Items - 1);
  });
  Program.MainWindow().ChartButton->click();
  ASSERT_TRUE(Watch.Done());
  EXPECT_EQ(Items, 2);
  EXPECT_EQ(Last.toStdString(), FromSjis(LineB));
}

TEST(GraphWindow, AHistoryThatCannotBeReadGivesABoxOverTheShownMainWindow) {
  TProgramFixture Program;
  // A link to itself: the file is there but cannot be opened (root reads
  // every file, whatever its permissions).
  const QString Path = QString::fromStdString(Program.HistoryPath());
  ASSERT_TRUE(QFile::link(Path, Path));
  QString Text;
  bool MainVisible = false;
  QWidget* Parent = nullptr;
  TModalWatch Watch([&](QWidget* Modal) {
    Text = static_cast<QMessageBox*>(Modal)->text();
    Parent = Modal->parentWidget();
    MainVisible = Parent != nullptr && Parent->isVisible();
  });
  Program.Create();
  ASSERT_TRUE(Watch.Done());
  EXPECT_TRUE(Text.startsWith(U("ファイル \"%1\". ").arg(Path))) << Text.toStdString();
  EXPECT_TRUE(Text.endsWith(U("は開けません."))) << Text.toStdString();
  EXPECT_EQ(Parent, &Program.MainWindow());
  EXPECT_TRUE(MainVisible);
  // The program runs on: a drill can be started.
  QTest::keyClick(Program.MainWindow().StartButton, Qt::Key_Return);
  EXPECT_EQ(Program.MainWindow().Run().State(), TRunState::Asking);
}

// The start's order: the main window is shown and painted, then the graph
// window is created (it joins the main window's children) and reads the history.
TEST(GraphWindow, IsCreatedAndReadsTheHistoryAfterTheMainWindowsFirstPaint) {
  TProgramFixture Program;
  WriteBytes(Program.HistoryPath(), CrlfLines({LineA}));
  std::vector<std::string> Steps;
  {
    TEventWatch Watch([&](QObject* Watched, QEvent* Event) {
      if (Watched->objectName() != QStringLiteral("MainWindow")) return;
      if (Event->type() == QEvent::Paint && (Steps.empty() || Steps.back() != "paint")) Steps.push_back("paint");
      if (Event->type() == QEvent::ChildAdded) {
        QObject* Child = static_cast<QChildEvent*>(Event)->child();
        if (Child->isWidgetType() && static_cast<QWidget*>(Child)->isWindow()) Steps.push_back("window");
      }
    });
    Program.Create();
  }
  // The graph window is there with the history read when the start returns.
  ASSERT_EQ(Program.Results().History().Count(), 1u);
  ASSERT_GE(Steps.size(), 2u);
  EXPECT_EQ(Steps[0], "paint");
  EXPECT_EQ(Steps[1], "window");
}

// Enter right after opening (the close button has the focus), Escape, and
// the close button itself all close the window the same way: hidden, the
// modal result cancel, the focus back on the start button.
TEST(GraphWindow, EnterEscapeAndTheCloseButtonCloseItAlike) {
  struct TWay {
    const char* Name;
    std::function<void(TGraphWindow&)> Close;
  };
  const std::vector<TWay> Ways = {
      {"Enter", [](TGraphWindow&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }},
      {"Escape", [](TGraphWindow&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
      {"close button", [](TGraphWindow& Window) { Window.CloseButton->click(); }},
  };
  for (const TWay& Way : Ways) {
    SCOPED_TRACE(Way.Name);
    TProgramFixture Program;
    Program.Create();
    TGraphWindow& Window = Program.GraphWindow();
    bool Closed = false;
    QWidget* FocusInside = nullptr;
    TModalWatch Watch([&](QWidget* Modal) {
      (void)QTest::qWaitForWindowActive(Modal);
      FocusInside = QApplication::focusWidget();
      Window.setResult(QDialog::Accepted);
      Way.Close(Window);
      Closed = !Modal->isVisible();
    });
    Program.MainWindow().ChartButton->click();
    EXPECT_EQ(FocusInside, Window.CloseButton);
    EXPECT_TRUE(Closed);
    EXPECT_EQ(Window.result(), QDialog::Rejected);
    // The main window is activated again through the window system.
    EXPECT_EQ(Program.MainWindow().focusWidget(), Program.MainWindow().StartButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == Program.MainWindow().StartButton; }));
  }
}

// Centred on the whole desktop at the first showing; a later showing keeps
// the place the window had when it was closed.
TEST(GraphWindow, IsCentredOnTheDesktopFirstAndThenKeepsItsPlace) {
  TProgramFixture Program;
  Program.Create();
  TGraphWindow& Window = Program.GraphWindow();
  const QRect Desktop = QGuiApplication::primaryScreen()->virtualGeometry();
  QPoint First, Second;
  TModalWatch Show([&](QWidget* Modal) {
    First = Modal->frameGeometry().topLeft();
    Modal->move(First + QPoint(37, 23));
  });
  Program.MainWindow().ChartButton->click();
  ASSERT_TRUE(Show.Done());
  const QSize Outer = Window.frameGeometry().size();
  EXPECT_EQ(First, QPoint(Desktop.x() + std::max(0, (Desktop.width() - Outer.width()) / 2),
                          Desktop.y() + std::max(0, (Desktop.height() - Outer.height()) / 2)));
  TModalWatch Again([&](QWidget* Modal) { Second = Modal->frameGeometry().topLeft(); });
  Program.MainWindow().ChartButton->click();
  ASSERT_TRUE(Again.Done());
  EXPECT_EQ(Second, First + QPoint(37, 23));
}
