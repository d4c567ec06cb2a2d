// SPDX-License-Identifier: GPL-3.0-or-later
// The windows on enlarged and dark screens: the fit of a window to the
// screen's area, the places told to assistive technology in device pixels,
// the chart drawn in device pixels, the focus ring, and the contrast of every
// text under a light and a dark palette. Runs on an offscreen laptop screen of
// 1366 x 768 device pixels at 150 %.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/shell/application.h"
#include "app/widgets/aligned_edit.h"
#include "app/widgets/focus_mark.h"
#include "app/windows/graph_window.h"
#include "app/windows/main_window.h"
#include "app/windows/window_support.h"
#include "app_test_support.h"
#include "chart_qt/chart_widget.h"
#include "hints/contrast.h"
#include "hints/hint_window.h"

namespace {

TColor Rgb(const QColor& C) {
  return RGB(static_cast<unsigned>(C.red()), static_cast<unsigned>(C.green()), static_cast<unsigned>(C.blue()));
}

// The colours of a desktop in Breeze Dark, as its platform theme hands them over.
QPalette DarkPalette() {
  QPalette P;
  const QColor Window(32, 35, 38), View(20, 22, 24), Button(41, 44, 48), Text(252, 252, 252);
  P.setColor(QPalette::Window, Window);
  P.setColor(QPalette::WindowText, Text);
  P.setColor(QPalette::Base, View);
  P.setColor(QPalette::AlternateBase, Window);
  P.setColor(QPalette::Text, Text);
  P.setColor(QPalette::Button, Button);
  P.setColor(QPalette::ButtonText, Text);
  P.setColor(QPalette::ToolTipBase, Button);
  P.setColor(QPalette::ToolTipText, Text);
  P.setColor(QPalette::Highlight, QColor(61, 174, 233));
  P.setColor(QPalette::HighlightedText, Text);
  P.setColor(QPalette::Light, QColor(64, 69, 76));
  P.setColor(QPalette::Dark, QColor(16, 17, 19));
  return P;
}

// Sets the desktop's palette for one test and gives the old one back.
class TDesktopPalette {
public:
  explicit TDesktopPalette(const QPalette& Palette) : FBefore(QApplication::palette()) { QApplication::setPalette(Palette); }
  ~TDesktopPalette() { QApplication::setPalette(FBefore); }

private:
  QPalette FBefore;
};

double DeviceRatio() { return QGuiApplication::primaryScreen()->devicePixelRatio(); }

}  // namespace

TEST(FittedLayoutScale, ShrinksAWindowThatWouldNotFitButNeverBelowItsUnscaledSize) {
  struct TCase {
    const char* Screen;
    double Scale, Ratio;
    QSize Available, Frame;
    double Expected;
  };
  const QSize Main(792, 566);
  const TCase Cases[] = {
      {"full HD at 100 %", 1.0, 1.0, {1920, 1050}, {0, 30}, 1.0},
      {"full HD at 120 dpi", 24.0 / 19, 1.0, {1920, 1050}, {0, 30}, 24.0 / 19},
      {"1366 x 768 at 150 %, no panel", 1.0, 1.5, {911, 512}, {0, 0}, 512.0 / 566},
      {"1366 x 768 at 150 %, panel and title bar", 1.0, 1.5, {911, 488}, {4, 24}, 464.0 / 566},
      {"1366 x 768 at 120 dpi", 24.0 / 19, 1.0, {1366, 740}, {0, 30}, 710.0 / 566},
      {"1280 x 800 at 200 %", 1.0, 2.0, {640, 400}, {0, 0}, 400.0 / 566},
      {"640 x 480, too small for anything", 1.0, 1.0, {640, 480}, {0, 0}, 1.0},
      {"1024 x 500 at 200 %: the unscaled size at the least", 1.0, 2.0, {512, 250}, {0, 0}, 0.5},
      {"wide and low: the height decides", 1.0, 1.5, {2000, 400}, {0, 0}, 400.0 / 566},
      {"narrow and tall: the width decides", 1.0, 1.5, {600, 2000}, {0, 0}, 600.0 / 792},
  };
  for (const TCase& Case : Cases) {
    const double Scale = FittedLayoutScale(Case.Scale, Case.Ratio, Main, Case.Available, Case.Frame);
    EXPECT_DOUBLE_EQ(Scale, Case.Expected) << Case.Screen;
    // Shrunk, the window fits, frame and all, or stands at its unscaled size.
    if (Scale < Case.Scale && Scale * Case.Ratio > 1.0) {
      EXPECT_LE(ScaledPixels(Main.height(), Scale) + Case.Frame.height(), Case.Available.height()) << Case.Screen;
      EXPECT_LE(ScaledPixels(Main.width(), Scale) + Case.Frame.width(), Case.Available.width()) << Case.Screen;
    }
  }
}

TEST(Scaling, BothWindowsFitTheLaptopScreenWithTheirBottomRowOnIt) {
  ASSERT_DOUBLE_EQ(DeviceRatio(), 1.5) << "the laptop screen of the scaling tests is not set up";
  TProgramFixture Program;
  Program.Create();
  const QRect Available = QGuiApplication::primaryScreen()->availableGeometry();
  TMainWindow& Main = Program.MainWindow();
  TGraphWindow& Graph = Program.GraphWindow();
  Graph.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Graph));
  for (QWidget* Window : {static_cast<QWidget*>(&Main), static_cast<QWidget*>(&Graph)}) {
    EXPECT_TRUE(Available.contains(Window->frameGeometry())) << Window->objectName().toStdString();
    // Bigger on the screen than at 100 %, never smaller.
    EXPECT_GE(Window->height() * DeviceRatio(), 566) << Window->objectName().toStdString();
  }
  for (QWidget* Bottom : {static_cast<QWidget*>(Main.ChartButton), static_cast<QWidget*>(Main.EndButton)}) {
    const QRect OnScreen(Bottom->mapToGlobal(QPoint(0, 0)), Bottom->size());
    EXPECT_TRUE(Available.contains(OnScreen)) << Bottom->objectName().toStdString();
  }
  // The layout shrank as a whole: the end button sits where the layout puts
  // it, at the rule's scale.
  EXPECT_EQ(Main.EndButton->geometry(),
            QRect(Main.Scaled(614), Main.Scaled(524), Main.Scaled(166), Main.Scaled(38)));
  EXPECT_LT(Main.Scale(), 1.0);
  Graph.hide();
}

// The laptop screen's origin is (0, 0): a place in device pixels is the
// logical place times the ratio.
TEST(Scaling, AssistiveTechnologyIsToldEveryPlaceInDevicePixels) {
  ASSERT_DOUBLE_EQ(DeviceRatio(), 1.5) << "the laptop screen of the scaling tests is not set up";
  TProgramFixture Program;
  Program.Create();
  TMainWindow& Main = Program.MainWindow();
  QAccessibleInterface* Window = QAccessible::queryAccessibleInterface(&Main);
  ASSERT_NE(Window, nullptr);
  // The window and the clock have the program's own interfaces; the others the
  // toolkit's.
  for (QWidget* Control : {static_cast<QWidget*>(&Main), static_cast<QWidget*>(Main.ClockLabel),
                           static_cast<QWidget*>(Main.StartButton), static_cast<QWidget*>(Main.AnswerBox),
                           static_cast<QWidget*>(Main.LogBox)}) {
    SCOPED_TRACE(Control->objectName().toStdString());
    const QPoint Logical = Control->mapToGlobal(QPoint(0, 0));
    const QRect Device(qRound(Logical.x() * 1.5), qRound(Logical.y() * 1.5), qRound(Control->width() * 1.5),
                       qRound(Control->height() * 1.5));
    QAccessibleInterface* Told = QAccessible::queryAccessibleInterface(Control);
    ASSERT_NE(Told, nullptr);
    EXPECT_EQ(Told->rect(), Device);
    // Asked at a point in device pixels, the window answers with the control
    // there.
    if (Control != &Main) {
      const QPoint Inside = Device.topLeft() + QPoint(Device.width() * 5 / 6, Device.height() * 5 / 6);
      EXPECT_EQ(Window->childAt(Inside.x(), Inside.y()), Told);
    }
  }
}

// A magnifier follows the caret by the places of characters: those are in
// device pixels too, and a point in device pixels finds its character.
TEST(Scaling, CharacterPlacesAreToldInDevicePixels) {
  TProgramFixture Program;
  Program.Create();
  TMainWindow& Main = Program.MainWindow();
  TAlignedEdit& Box = *Main.AnswerBox;
  Box.setText("123");
  QAccessibleInterface* Told = QAccessible::queryAccessibleInterface(&Box);
  ASSERT_NE(Told, nullptr);
  QAccessibleTextInterface* Text = Told->textInterface();
  ASSERT_NE(Text, nullptr);
  ASSERT_EQ(Text->characterCount(), 3);
  const QRect BoxTold = Told->rect();
  const int Advance = QFontMetrics(Box.font()).horizontalAdvance(QLatin1Char('2'));
  for (int Offset = 0; Offset < 3; ++Offset) {
    SCOPED_TRACE(Offset);
    const QRect Character = Text->characterRect(Offset);
    EXPECT_TRUE(BoxTold.contains(Character.topLeft())) << "not in the box told at the same scale";
    EXPECT_NEAR(Character.width(), Advance * 1.5, 1.0);
  }
  // A quarter of a character inside either end of the text, in device pixels.
  auto DevicePoint = [&](int CaretAt, int Towards) {
    Box.setCursorPosition(CaretAt);
    const QRect Caret = static_cast<QLineEdit&>(Box).inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QPoint Logical = Box.mapToGlobal(Caret.center() + QPoint(Towards * Advance / 4, 0));
    return QPoint(qRound(Logical.x() * 1.5), qRound(Logical.y() * 1.5));
  };
  EXPECT_EQ(Text->offsetAtPoint(DevicePoint(0, +1)), 0);
  EXPECT_EQ(Text->offsetAtPoint(DevicePoint(3, -1)), 3);
}

// The log's rows are parts of the list, not widgets: they too are told in
// device pixels, and found there.
TEST(Scaling, LogRowsAreToldInDevicePixels) {
  TProgramFixture Program;
  Program.Create();
  TMainWindow& Main = Program.MainWindow();
  QTest::keyClick(Main.StartButton, Qt::Key_Return);
  for (int I = 0; I < 3; ++I) QTest::keyClick(Main.AnswerBox, Qt::Key_Return);
  QAccessibleInterface* Log = QAccessible::queryAccessibleInterface(Main.LogBox);
  ASSERT_NE(Log, nullptr);
  ASSERT_EQ(Log->childCount(), 3);
  for (int Row = 0; Row < 3; ++Row) {
    SCOPED_TRACE(Row);
    QAccessibleInterface* Told = Log->child(Row);
    ASSERT_NE(Told, nullptr);
    EXPECT_EQ(Log->child(Row), Told) << "another interface for the same row";
    EXPECT_EQ(Log->indexOfChild(Told), Row);
    const QRect Item = Main.LogBox->visualRect(Main.LogBox->model()->index(Row, 0));
    const QPoint Logical = Main.LogBox->viewport()->mapToGlobal(Item.topLeft());
    const QRect Device(qRound(Logical.x() * 1.5), qRound(Logical.y() * 1.5), qRound(Item.width() * 1.5),
                       qRound(Item.height() * 1.5));
    EXPECT_EQ(Told->rect(), Device);
    EXPECT_EQ(Log->childAt(Device.center().x(), Device.center().y()), Told);
    EXPECT_EQ(Told->text(QAccessible::Name), Main.LogBox->item(Row)->text());
  }
}

TEST(Scaling, TheChartIsDrawnInDevicePixels) {
  TProgramFixture Program;
  Program.Create();
  TGraphWindow& Graph = Program.GraphWindow();
  Graph.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Graph));
  Graph.ResultChart->repaint();
  const QImage& Image = Graph.ChartWidget().Surface().Image();
  const QSize Widget = Graph.ResultChart->size();
  // One image pixel to each device pixel, no upscaling.
  EXPECT_EQ(Image.size(), QSize(qRound(Widget.width() * DeviceRatio()), qRound(Widget.height() * DeviceRatio())));
  // And what the screen shows is that image.
  const QImage Shown = Graph.ResultChart->grab().toImage();
  EXPECT_EQ(Shown.size(), Image.size());
  int Differing = 0;
  for (int Y = 0; Y < Image.height(); Y += 7) {
    for (int X = 0; X < Image.width(); X += 7) Differing += Shown.pixel(X, Y) != Image.pixel(X, Y);
  }
  EXPECT_EQ(Differing, 0);
  Graph.hide();
}

TEST(Scaling, TheFocusRingIsTwoDevicePixelsWideAndStandsOut) {
  for (const double Ratio : {1.0, 1.25, 1.5, 2.0}) EXPECT_GE(TFocusMark::RingWidth(Ratio) * Ratio, 2.0) << Ratio;
  EXPECT_EQ(TFocusMark::RingWidth(1.0), 2);
  EXPECT_EQ(TFocusMark::RingWidth(2.0), 1);
  for (const QPalette& Palette : {QApplication::palette(), DarkPalette()}) {
    TDesktopPalette Desktop(Palette);
    TProgramFixture Program;
    Program.Create();
    TMainWindow& Main = Program.MainWindow();
    const TColor Around = Rgb(Main.palette().color(QPalette::Window));
    struct TCase {
      QWidget* Control;
      QWidget* Carrier;  // the widget the ring is drawn on
      TColor Face;
    };
    const TCase Cases[] = {
        {Main.StartButton, Main.StartButton, Rgb(Main.StartButton->palette().color(QPalette::Button))},
        {Main.EndButton, Main.EndButton, Rgb(Main.EndButton->palette().color(QPalette::Button))},
        {Main.AnswerBox, Main.AnswerBox, Rgb(Main.AnswerBox->palette().color(QPalette::Base))},
        {Main.LeftBox, Main.LeftBox, Rgb(Main.LeftBox->palette().color(QPalette::Base))},
        {Main.LogBox, Main.LogBox->viewport(), Rgb(Main.LogBox->palette().color(QPalette::Base))},
        {Main.UntilCorrectBox, Main.UntilCorrectBox, Around},
    };
    for (const TCase& Case : Cases) {
      const std::string Name = Case.Control->objectName().toStdString();
      Case.Control->setFocus();
      ASSERT_TRUE(Case.Control->hasFocus()) << Name;
      const TFocusMarkColors Ring = TFocusMark::ColorsOn(*Case.Control);
      EXPECT_GE(ContrastRatio(Ring.Outer, Around), MinimumMarkContrast) << Name;
      EXPECT_GE(ContrastRatio(Ring.Inner, Case.Face), MinimumMarkContrast) << Name;
      // On the screen, in device pixels: the outer colour along the carrier's
      // top edge, then the inner one, each at least two device pixels deep.
      const QImage Shown = Main.grab().toImage();
      const QPoint Top = Case.Carrier->mapTo(&Main, QPoint(Case.Carrier->width() / 2, 0));
      const int X = qRound(Top.x() * DeviceRatio()), Y = qRound(Top.y() * DeviceRatio());
      const int Deep = qRound(TFocusMark::RingWidth(DeviceRatio()) * DeviceRatio());
      ASSERT_GE(Deep, 2);
      for (int Row = 0; Row < Deep; ++Row) {
        EXPECT_EQ(Rgb(Shown.pixelColor(X, Y + Row)), Ring.Outer) << Name << " row " << Row;
        if (Ring.Inner != Ring.Outer) {
          EXPECT_EQ(Rgb(Shown.pixelColor(X, Y + Deep + Row)), Ring.Inner) << Name << " row " << Deep + Row;
        }
      }
      // Without the focus the ring is gone.
      Case.Control->clearFocus();
      const QImage Unfocused = Main.grab().toImage();
      bool AllRing = true;
      for (int Row = 0; Row < Deep; ++Row) AllRing = AllRing && Rgb(Unfocused.pixelColor(X, Y + Row)) == Ring.Outer;
      EXPECT_FALSE(AllRing) << Name;
    }
  }
}

TEST(Scaling, EveryTextReadsInTheLightAndTheDarkPalette) {
  for (const QPalette& Palette : {QApplication::palette(), DarkPalette()}) {
    TDesktopPalette Desktop(Palette);
    TProgramFixture Program;
    Program.Create();
    TMainWindow& Main = Program.MainWindow();
    const QColor WindowGround = Main.palette().color(QPalette::Window);
    struct TText {
      QWidget* Control;
      QColor Text, Ground;
    };
    auto Edit = [](QWidget* W) { return TText{W, W->palette().color(QPalette::Text), W->palette().color(QPalette::Base)}; };
    const TText Texts[] = {
        Edit(Main.LeftBox), Edit(Main.OperatorBox), Edit(Main.RightBox), Edit(Main.AnswerBox), Edit(Main.LogBox),
        {Main.EqualsLabel, Main.EqualsLabel->palette().color(QPalette::WindowText), WindowGround},
        {Main.ClockLabel, Main.ClockLabel->palette().color(QPalette::WindowText), WindowGround},
        {Main.UntilCorrectBox, Main.UntilCorrectBox->palette().color(QPalette::WindowText), WindowGround},
        {Main.StartButton, Main.StartButton->palette().color(QPalette::ButtonText), Main.StartButton->palette().color(QPalette::Button)},
        {Main.ChartButton, Main.ChartButton->palette().color(QPalette::ButtonText), Main.ChartButton->palette().color(QPalette::Button)},
        {Main.EndButton, Main.EndButton->palette().color(QPalette::ButtonText), Main.EndButton->palette().color(QPalette::Button)},
        {Program.GraphWindow().CloseButton, Program.GraphWindow().CloseButton->palette().color(QPalette::ButtonText),
         Program.GraphWindow().CloseButton->palette().color(QPalette::Button)},
    };
    for (const TText& T : Texts) {
      EXPECT_GE(ContrastRatio(Rgb(T.Text), Rgb(T.Ground)), MinimumTextContrast) << T.Control->objectName().toStdString();
    }
    // The chart's black and blue texts on its panel.
    const TColor Panel = ColorToRGB(Program.GraphWindow().ChartWidget().Chart().Color);
    EXPECT_GE(ContrastRatio(clBlack, Panel), MinimumTextContrast);
    EXPECT_GE(ContrastRatio(clBlue, Panel), MinimumTextContrast);
    // The hint on its light yellow and on the desktop's hint colour.
    THintWindow Hint;
    for (const QColor& Ground : {QColor(255, 255, 128), QApplication::palette().color(QPalette::ToolTipBase)}) {
      Hint.SetColor(Ground);
      EXPECT_GE(ContrastRatio(Rgb(Hint.TextColor()), Rgb(Ground)), MinimumTextContrast);
    }
  }
}

TEST(Scaling, TheCheckBoxTicksVisiblyInTheLightAndTheDarkPalette) {
  for (const QPalette& Palette : {QApplication::palette(), DarkPalette()}) {
    TDesktopPalette Desktop(Palette);
    TProgramFixture Program;
    Program.Create();
    QCheckBox& Box = *Program.MainWindow().UntilCorrectBox;
    const std::string Which = Palette.color(QPalette::Base).lightness() < 128 ? "dark" : "light";
    QStyleOptionButton Option;
    Option.initFrom(&Box);
    Option.text = Box.text();
    const QRect Logical = Box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &Option, &Box);
    const QRect Indicator(Logical.topLeft() * DeviceRatio(), Logical.size() * DeviceRatio());
    Box.setChecked(false);
    const QImage Unticked = Box.grab().toImage();
    Box.setChecked(true);
    const QImage Ticked = Box.grab().toImage();
    // The box: what differs from the window's ground down the middle of the
    // indicator, at least as tall as the caption's letters.
    const QColor Ground = Program.MainWindow().palette().color(QPalette::Window);
    const int X = Indicator.center().x();
    int Top = Unticked.height(), Bottom = -1;
    for (int Y = 0; Y < Unticked.height(); ++Y) {
      if (Unticked.pixelColor(X, Y) == Ground) continue;
      Top = std::min(Top, Y);
      Bottom = Y;
    }
    const int Letters = QFontMetrics(Box.font()).tightBoundingRect(Box.text()).height();
    EXPECT_GE((Bottom - Top + 1) / DeviceRatio(), Letters) << Which;
    // The tick: the pixels that ticking changes, the strongest of them at
    // least 3:1 against the box, and more than a speck of them.
    const TColor Face = Rgb(Unticked.pixelColor(Indicator.center()));
    double Strongest = 1.0;
    int Changed = 0;
    for (int Y = Indicator.top(); Y <= Indicator.bottom(); ++Y) {
      for (int Across = Indicator.left(); Across <= Indicator.right(); ++Across) {
        if (Ticked.pixel(Across, Y) == Unticked.pixel(Across, Y)) continue;
        ++Changed;
        Strongest = std::max(Strongest, ContrastRatio(Rgb(Ticked.pixelColor(Across, Y)), Face));
      }
    }
    EXPECT_GE(Strongest, MinimumMarkContrast) << Which;
    EXPECT_GE(Changed, Indicator.width() * Indicator.height() / 10) << Which;
  }
}
