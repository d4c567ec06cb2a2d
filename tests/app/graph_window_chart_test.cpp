// SPDX-License-Identifier: GPL-3.0-or-later
// The graph window's chart: rebuilt from the history at every showing, an
// error box for a damaged line with the points before it kept, and a zoom
// that outlives closing the window.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/windows/graph_window.h"
#include "app/windows/main_window.h"
#include "app_test_support.h"
#include "chart_qt/chart_widget.h"
#include "history_lines.h"
#include "platform/sjis.h"
#include "results/results.h"
#include "temp_work_dir.h"

namespace {

const std::string LineA = ToSjis("所要時間 03分12秒 正答率 85%  2024/03/14 20:01");
const std::string LineB = ToSjis("所要時間 04分40秒 正答率100%  2024/03/15 08:30");
const std::string LineC = ToSjis("所要時間 02分5x秒 正答率 70%  2024/03/15 09:30");
const std::string LineD = ToSjis("所要時間 02分55秒 正答率 60%  2024/03/15 10:30");

int RedPixels(const QImage& Image) {
  int N = 0;
  for (int Y = 0; Y < Image.height(); ++Y) {
    for (int X = 0; X < Image.width(); ++X) N += Image.pixel(X, Y) == qRgb(255, 0, 0) ? 1 : 0;
  }
  return N;
}

TEST(GraphWindowChart, ShowingTheWindowDrawsTheHistory) {
  TProgramFixture Program;
  WriteBytes(Program.HistoryPath(), CrlfLines({LineA, LineB}));
  Program.Create();
  TChart& Chart = Program.GraphWindow().ChartWidget().Chart();
  int Bars = -1, Points = -1, Red = 0;
  double Last = 0;
  TModalWatch Watch([&](QWidget*) {
    Bars = Chart.Series(0).PointCount();
    Points = Chart.Series(1).PointCount();
    Last = Chart.Series(1).YValues.ValueAt(1);
    Red = RedPixels(Program.GraphWindow().ResultChart->grab().toImage());
  });
  Program.MainWindow().ChartButton->click();
  ASSERT_TRUE(Watch.Done());
  EXPECT_EQ(Bars, 2);
  EXPECT_EQ(Points, 2);
  EXPECT_EQ(Last, 4 * 60 + 40);
  EXPECT_GT(Red, 1000);

  // A drill finished meanwhile is there at the next showing, nothing doubled.
  Program.Results().Record(LineA);
  TModalWatch Again([&](QWidget*) { Bars = Chart.Series(0).PointCount(); });
  Program.MainWindow().ChartButton->click();
  ASSERT_TRUE(Again.Done());
  EXPECT_EQ(Bars, 3);
}

TEST(GraphWindowChart, ADamagedLineGivesAnErrorBoxAndTheWindowOpensWithEveryOtherDrill) {
  TProgramFixture Program;
  WriteBytes(Program.HistoryPath(), CrlfLines({LineA, LineB, LineC, LineD}));
  // Right after the start a box names the damaged line and the drills read.
  QString Notice;
  TModalWatch StartBox([&](QWidget* Modal) {
    if (auto* MessageBox = qobject_cast<QMessageBox*>(Modal)) Notice = MessageBox->text();
  });
  Program.Create();
  ASSERT_TRUE(StartBox.Done());
  EXPECT_TRUE(Notice.contains(U("が 1 行ありました（3 行目）"))) << Notice.toStdString();
  EXPECT_TRUE(Notice.contains(U("読めた 3 回分"))) << Notice.toStdString();
  TChart& Chart = Program.GraphWindow().ChartWidget().Chart();
  QString Text;
  bool WindowShown = false;
  int Bars = -1, Points = -1;
  std::unique_ptr<TModalWatch> Window;
  TModalWatch Box([&](QWidget* Modal) {
    if (auto* MessageBox = qobject_cast<QMessageBox*>(Modal)) Text = MessageBox->text();
    Window = std::make_unique<TModalWatch>([&](QWidget* Shown) {
      WindowShown = Shown == &Program.GraphWindow();
      Bars = Chart.Series(0).PointCount();
      Points = Chart.Series(1).PointCount();
    });
  });
  Program.MainWindow().ChartButton->click();
  ASSERT_TRUE(Box.Done());
  EXPECT_EQ(Text, U("'5x' は整数ではありません."));
  ASSERT_TRUE(Window && Window->Done());
  EXPECT_TRUE(WindowShown);
  EXPECT_EQ(Bars, 3);  // the damaged line's place stays empty, the drill after it is drawn
  EXPECT_EQ(Points, 3);
}

TEST(GraphWindowChart, AZoomOutlivesClosingTheWindow) {
  TProgramFixture Program;
  WriteBytes(Program.HistoryPath(), CrlfLines({LineA, LineB, LineD}));
  Program.Create();
  TChart& Chart = Program.GraphWindow().ChartWidget().Chart();
  TModalWatch Zoom([&](QWidget*) {
    Program.GraphWindow().ResultChart->grab();  // laid out
    const TRect P = Chart.PlotRect;
    Chart.MouseDown(TMouseButton::Left, P.Left + 50, P.Top + 50);
    Chart.MouseMove(P.Left + 200, P.Top + 200);
    Chart.MouseUp(TMouseButton::Left, P.Left + 200, P.Top + 200);
  });
  Program.MainWindow().ChartButton->click();
  ASSERT_TRUE(Zoom.Done());
  ASSERT_TRUE(Chart.ZoomScroll.IsZoomedIn());
  const double Min = Chart.LeftAxis.Minimum, Max = Chart.LeftAxis.Maximum;
  EXPECT_LT(Max - Min, 100);

  bool Zoomed = false;
  int Bars = 0;
  TModalWatch Again([&](QWidget*) {
    Program.GraphWindow().ResultChart->grab();
    Zoomed = Chart.ZoomScroll.IsZoomedIn();
    Bars = Chart.Series(0).PointCount();
  });
  Program.MainWindow().ChartButton->click();
  ASSERT_TRUE(Again.Done());
  EXPECT_TRUE(Zoomed);
  EXPECT_EQ(Bars, 3);
  EXPECT_EQ(Chart.LeftAxis.Minimum, Min);
  EXPECT_EQ(Chart.LeftAxis.Maximum, Max);
  EXPECT_EQ(Chart.LeftAxis.RangeMin, Min);
}

// Closing the window (Enter on its button) while a mouse button is still held
// on the chart ends the drag there. Here the button comes up over the main
// window, so the chart never sees the release: at the next showing plain
// pointer moves neither draw a zoom rectangle nor scroll, and a click zooms
// nothing. (Where the release does reach the hidden chart, the end-to-end
// case shows that it zooms nothing either.)
TEST(GraphWindowChart, ClosingTheWindowDuringADragEndsTheDrag) {
  for (const Qt::MouseButton Button : {Qt::LeftButton, Qt::RightButton}) {
    SCOPED_TRACE(Button == Qt::LeftButton ? "zoom drag" : "scroll drag");
    TProgramFixture Program;
    WriteBytes(Program.HistoryPath(), CrlfLines({LineA, LineB, LineD}));
    Program.Create();
    TChart& Chart = Program.GraphWindow().ChartWidget().Chart();
    QWidget* ResultChart = Program.GraphWindow().ResultChart;
    bool ClosedByEnter = false;
    TModalWatch Drag([&](QWidget* Modal) {
      (void)QTest::qWaitForWindowExposed(Modal);
      ResultChart->grab();  // laid out
      const TRect P = Chart.PlotRect;
      QTest::mousePress(ResultChart, Button, Qt::NoModifier, QPoint(P.Left + 50, P.Top + 50));
      QTest::mouseMove(ResultChart, QPoint(P.Left + 80, P.Top + 80));
      QTest::keyClick(Program.GraphWindow().CloseButton, Qt::Key_Return);
      ClosedByEnter = !Modal->isVisible();
      // The button comes up over the main window, now under the pointer.
      QTest::mouseRelease(Program.GraphWindow().parentWidget(), Button, Qt::NoModifier, QPoint(100, 100));
    });
    Program.MainWindow().ChartButton->click();
    ASSERT_TRUE(Drag.Done());
    ASSERT_TRUE(ClosedByEnter);
    EXPECT_FALSE(Chart.ZoomScroll.IsZoomedIn());

    const double LeftMin = Chart.LeftAxis.Minimum, LeftMax = Chart.LeftAxis.Maximum;
    const double RightMin = Chart.RightAxis.Minimum, RightMax = Chart.RightAxis.Maximum;
    bool Dragging = true;
    TModalWatch Again([&](QWidget* Modal) {
      (void)QTest::qWaitForWindowExposed(Modal);
      ResultChart->grab();
      const TRect P = Chart.PlotRect;
      for (int Step = 1; Step <= 4; ++Step) {
        QTest::mouseMove(ResultChart, QPoint(P.Left + 80 + 30 * Step, P.Top + 80 + 30 * Step));
      }
      Dragging = Chart.ZoomScroll.Zoom().Dragging || Chart.ZoomScroll.Panning().Dragging;
      QTest::mouseClick(ResultChart, Qt::LeftButton, Qt::NoModifier, QPoint(P.Left + 200, P.Top + 200));
    });
    Program.MainWindow().ChartButton->click();
    ASSERT_TRUE(Again.Done());
    EXPECT_FALSE(Dragging);
    EXPECT_FALSE(Chart.ZoomScroll.IsZoomedIn());
    EXPECT_EQ(Chart.LeftAxis.Minimum, LeftMin);
    EXPECT_EQ(Chart.LeftAxis.Maximum, LeftMax);
    EXPECT_EQ(Chart.RightAxis.Minimum, RightMin);
    EXPECT_EQ(Chart.RightAxis.Maximum, RightMax);
  }
}

// Every point asks for a repaint, but a showing draws the chart once: the
// requests merge into the one paint after the rebuild.
TEST(GraphWindowChart, EachShowingDrawsTheChartOnce) {
  TProgramFixture Program;
  WriteBytes(Program.HistoryPath(), CrlfLines({LineA, LineB, LineD}));
  Program.Create();
  TChart& Chart = Program.GraphWindow().ChartWidget().Chart();
  for (int Showing = 0; Showing < 2; ++Showing) {
    const int Before = Chart.FullPaintCount();
    int Drawn = -1;
    TModalWatch Watch([&](QWidget* Modal) {
      (void)QTest::qWaitForWindowExposed(Modal);
      QTest::qWait(100);
      Drawn = Chart.FullPaintCount() - Before;
    });
    Program.MainWindow().ChartButton->click();
    ASSERT_TRUE(Watch.Done());
    EXPECT_EQ(Drawn, 1) << Showing;
  }
}

// Only a showing by the program rebuilds the series: the window coming back
// from the minimised state is no new showing.
TEST(GraphWindowChart, RestoringAMinimisedWindowRebuildsNothing) {
  TProgramFixture Program;
  WriteBytes(Program.HistoryPath(), CrlfLines({LineA}));
  Program.Create();
  TChart& Chart = Program.GraphWindow().ChartWidget().Chart();
  int Bars = -1;
  TModalWatch Watch([&](QWidget* Modal) {
    (void)QTest::qWaitForWindowExposed(Modal);
    Program.Results().Record(LineB);
    Modal->setWindowState(Qt::WindowMinimized);
    QTest::qWait(50);
    Modal->setWindowState(Qt::WindowNoState);
    QTest::qWait(50);
    Bars = Chart.Series(0).PointCount();
  });
  Program.MainWindow().ChartButton->click();
  ASSERT_TRUE(Watch.Done());
  EXPECT_EQ(Bars, 1);
}

}  // namespace
