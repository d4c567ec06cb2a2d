// SPDX-License-Identifier: GPL-3.0-or-later
// The result chart beside the mouse, in the graph window: keys that zoom and
// scroll it (one repaint each, the focus left alone), and the readout of the
// drill under the pointer.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "app/access/result_chart_access.h"
#include "app/windows/graph_window.h"
#include "app/windows/main_window.h"
#include "app_test_support.h"
#include "chart/bar_series.h"
#include "chart_qt/chart_widget.h"
#include "platform/sjis.h"
#include "temp_work_dir.h"

namespace {

const std::string History = ToSjis(
    "所要時間 03分12秒 正答率 85%  2024/03/14 20:01\r\n"
    "所要時間 04分40秒 正答率100%  2024/03/15 08:30\r\n"
    "所要時間 02分55秒 正答率 60%  2024/03/15 10:30\r\n");

class ResultChartAccess : public ::testing::Test {
protected:
  void SetUp() override {
    WriteBytes(Program.HistoryPath(), History);
    Program.Create();
  }
  TGraphWindow& Window() { return Program.GraphWindow(); }
  TChart& Chart() { return Window().ChartWidget().Chart(); }
  // Runs Inspect while the graph window is up, its chart painted.
  void WhileShown(const std::function<void()>& Inspect) {
    TModalWatch Watch([&](QWidget* Modal) {
      (void)QTest::qWaitForWindowActive(Modal);
      QTest::qWait(20);
      Inspect();
      Window().reject();
    });
    Program.MainWindow().ChartButton->click();
    ASSERT_TRUE(Watch.Done());
  }
  // A key as the window gets it (the close button has the focus); returns
  // the number of full paints it caused.
  int PressKey(Qt::Key Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
    const int Before = Chart().FullPaintCount();
    QTest::keyClick(QApplication::focusWidget(), Key, Modifiers);
    QTest::qWait(30);
    return Chart().FullPaintCount() - Before;
  }

  TProgramFixture Program;
};

TEST_F(ResultChartAccess, KeysZoomScrollAndRestoreWithOneRepaintEach) {
  // Each key, what the left axis then shows (it starts at 0 to 100).
  struct TRow {
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    double LeftMin, LeftMax;
  };
  const TRow Rows[] = {
      {Qt::Key_Plus, Qt::NoModifier, 25, 75},         {Qt::Key_Up, Qt::NoModifier, 30, 80},
      {Qt::Key_Minus, Qt::KeypadModifier, 0, 100},    {Qt::Key_Home, Qt::NoModifier, 0, 100},
      {Qt::Key_Plus, Qt::KeypadModifier | Qt::ShiftModifier, 25, 75},
      {Qt::Key_Down, Qt::NoModifier, 20, 70},         {Qt::Key_0, Qt::NoModifier, 0, 100},
  };

  WhileShown([&] {
    QWidget* Focus = QApplication::focusWidget();
    ASSERT_EQ(Focus, Window().CloseButton);
    const QImage First = Window().ResultChart->grab().toImage();
    for (const TRow& Row : Rows) {
      SCOPED_TRACE(QKeySequence(Row.Key).toString().toStdString());
      EXPECT_EQ(PressKey(Row.Key, Row.Modifiers), 1);
      EXPECT_NEAR(Chart().LeftAxis.RangeMin, Row.LeftMin, 1e-9);
      EXPECT_NEAR(Chart().LeftAxis.RangeMax, Row.LeftMax, 1e-9);
      EXPECT_EQ(QApplication::focusWidget(), Focus);
      EXPECT_TRUE(Window().isVisible());
    }
    // The arrows across move the bottom axis alone.
    const double BottomMin = Chart().BottomAxis.RangeMin, BottomWidth = Chart().BottomAxis.Range();
    EXPECT_EQ(PressKey(Qt::Key_Right), 1);
    EXPECT_NEAR(Chart().BottomAxis.RangeMin, BottomMin + BottomWidth / 10, 1e-9);
    EXPECT_NEAR(Chart().LeftAxis.RangeMin, 0, 1e-9);
    EXPECT_EQ(PressKey(Qt::Key_Home), 1);
    EXPECT_EQ(Window().ResultChart->grab().toImage(), First);
    // Keys with Ctrl or Alt are not the chart's.
    EXPECT_EQ(PressKey(Qt::Key_Plus, Qt::ControlModifier), 0);
    EXPECT_EQ(PressKey(Qt::Key_Left, Qt::AltModifier), 0);
  });
}

TEST_F(ResultChartAccess, ThePointerOnABarReadsOutItsDrill) {
  WhileShown([&] {
    TChartWidget& Widget = Window().ChartWidget();
    const auto& Bars = static_cast<const TBarSeries&>(Chart().Series(0));
    const TPoint OnSecond = Chart().Canvas.ProjectPoint(Chart().BottomAxis.ValueToPixel(Bars.XValues.ValueAt(1)),
                                                        Chart().LeftAxis.ValueToPixel(5), Bars.StartZ);
    const QPoint At(OnSecond.X, OnSecond.Y);
    EXPECT_EQ(Widget.HintAt(At), U("2回目（横軸 1）　2024/03/15 08:30　正答率 100%　所要時間 4分40秒"));
    EXPECT_EQ(Widget.HintAt(QPoint(Chart().PlotRect.Left + 3, Chart().PlotRect.Top + 3)), QString());
    // No readout while a drag is on.
    Chart().MouseDown(TMouseButton::Right, At.x(), At.y());
    EXPECT_EQ(Widget.HintAt(At), QString());
    Chart().MouseUp(TMouseButton::Right, At.x(), At.y());
    EXPECT_FALSE(Widget.HintAt(At).isEmpty());
  });
}

}  // namespace
