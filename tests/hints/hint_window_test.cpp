// SPDX-License-Identifier: GPL-3.0-or-later
// The hint window: its enlarged font, its size, its place on the desktop, its paint.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include "app/windows/window_texts.h"
#include "hints/cursor_margin.h"
#include "hints/hint_window.h"
#include "platform/sjis.h"
#include "widget_texts.h"

namespace {

double PrimaryDpi() { return QGuiApplication::primaryScreen()->logicalDotsPerInchY(); }

class HintWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    FSavedFont = QToolTip::font();
    QToolTip::setFont(QFont(QStringLiteral("IPAGothic"), 9));
  }
  void TearDown() override { QToolTip::setFont(FSavedFont); }
  QFont FSavedFont;
};

TEST(HintFontSizeTest, PointsAndPixelsConvertWithTheDensityRoundingHalfAway) {
  EXPECT_EQ(PointsToPixels(9, 96), 12);
  EXPECT_EQ(PointsToPixels(14, 96), 19);    // 18.67
  EXPECT_EQ(PixelsToPoints(14, 96), 11);    // 10.5
  EXPECT_EQ(PointsToPixels(10.5, 96), 14);  // 14.0
  EXPECT_EQ(PointsToPixels(3, 120), 5);     // 5.0
  EXPECT_EQ(PointsToPixels(15, 120), 25);
  QFont NinePoint(QStringLiteral("IPAGothic"), 9);
  EXPECT_EQ(EnlargedPixelHeight(NinePoint, 5, 96), 19);
  EXPECT_EQ(EnlargedPixelHeight(NinePoint, 5, 120), 23);  // 9 pt = 15 px -> 14 pt = 23.3 px
  QFont FourteenPixels;
  FourteenPixels.setPixelSize(14);
  EXPECT_EQ(EnlargedPixelHeight(FourteenPixels, 5, 96), 21);  // 11 pt + 5 = 16 pt = 21.3 px
}

TEST_F(HintWindowTest, ProgramsHintFontIsFivePointsLargerThanTheSystemsHintFont) {
  THintWindow Standard;
  TMyHintWindow Enlarged;
  EXPECT_EQ(Standard.CanvasFont().pointSize(), 9);
  EXPECT_EQ(Enlarged.CanvasFont().family(), Standard.CanvasFont().family());
  EXPECT_EQ(Enlarged.CanvasFont().pixelSize(), PointsToPixels(14, PrimaryDpi()));
  if (PrimaryDpi() == 96) {
    EXPECT_EQ(Enlarged.CanvasFont().pixelSize(), 19);
  }
  // A system font given in pixels is enlarged the same way.
  QFont Sixteen(QStringLiteral("IPAGothic"));
  Sixteen.setPixelSize(16);
  QToolTip::setFont(Sixteen);
  TMyHintWindow FromPixels;
  EXPECT_EQ(FromPixels.CanvasFont().pixelSize(), PointsToPixels(PixelsToPoints(16, PrimaryDpi()) + 5, PrimaryDpi()));
}

TEST_F(HintWindowTest, WindowIsTheTextPlusSixEachWay) {
  TMyHintWindow Window;
  const std::string Text = ToSjis(WindowTexts::UntilCorrectHint);
  const QRect Calc = Window.CalcHintRect(800, Text);
  const QFontMetrics Metrics(Window.CanvasFont());
  const QRect TextRect = Metrics.boundingRect(QRect(0, 0, 800, 0), Qt::TextWordWrap, QStringFromSjis(Text));
  EXPECT_EQ(Calc, QRect(0, 0, TextRect.width() + 6, TextRect.height() + 2));
  EXPECT_GT(TextRect.height(), 18);  // one line of 19-pixel characters at 96 dpi, more elsewhere
  Window.ActivateHint(Calc.translated(100, 120), Text);
  EXPECT_TRUE(Window.isVisible());
  EXPECT_EQ(Window.geometry(), QRect(100, 120, TextRect.width() + 6, TextRect.height() + 6));
  EXPECT_EQ(Window.Text(), QStringLiteral("[レ]次の問題に進みません"));
}

TEST_F(HintWindowTest, LinesBreakBetweenWordsAtTheMaximumWidth) {
  TMyHintWindow Window;
  const std::string Text = "one two three four five six seven eight";
  const QRect Wide = Window.CalcHintRect(2000, Text);
  const QRect Narrow = Window.CalcHintRect(Wide.width() / 2, Text);
  EXPECT_LE(Narrow.width() - 6, Wide.width() / 2);
  EXPECT_GE(Narrow.height() - 2, 2 * (Wide.height() - 2));
  // "&" is shown as itself and takes room.
  EXPECT_GT(Window.CalcHintRect(2000, "a&b").width(), Window.CalcHintRect(2000, "ab").width());
}

TEST_F(HintWindowTest, ClampedToTheDesktopAtTheRightAndBottomEdges) {
  const QRect Desktop = QGuiApplication::primaryScreen()->virtualGeometry();
  TMyHintWindow Window;
  const QRect Calc = Window.CalcHintRect(Desktop.width(), ToSjis(WindowTexts::StartHint));
  Window.ActivateHint(Calc.translated(Desktop.right() - 10, Desktop.bottom() - 5), ToSjis(WindowTexts::StartHint));
  EXPECT_EQ(Window.geometry().right(), Desktop.right());
  EXPECT_EQ(Window.geometry().bottom(), Desktop.bottom());
  EXPECT_EQ(Window.geometry().width(), Calc.width());
  EXPECT_EQ(Window.geometry().height(), Calc.height() + 4);
  Window.ActivateHint(Calc.translated(Desktop.left() - 50, Desktop.top() - 50), ToSjis(WindowTexts::StartHint));
  EXPECT_EQ(Window.geometry().topLeft(), Desktop.topLeft());
}

TEST(ClampToDesktopTest, DesktopsThatDoNotStartAtTheOrigin) {
  const QRect Desktop(-1280, 0, 3200, 1080);  // a second monitor left of the primary one
  EXPECT_EQ(ClampToDesktop(QRect(1900, 1070, 100, 30), Desktop).topLeft(), QPoint(1820, 1050));
  EXPECT_EQ(ClampToDesktop(QRect(-1300, -5, 100, 30), Desktop).topLeft(), QPoint(-1280, 0));
  EXPECT_EQ(ClampToDesktop(QRect(-600, 500, 100, 30), Desktop).topLeft(), QPoint(-600, 500));
  // Larger than the desktop: the top-left corner stays on it.
  EXPECT_EQ(ClampToDesktop(QRect(10, 10, 4000, 30), Desktop).topLeft(), QPoint(-1280, 10));
}

TEST_F(HintWindowTest, NeverTakesMouseInputOrTheActiveWindow) {
  QWidget Main;
  Main.resize(200, 100);
  Main.show();
  Main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main));
  TMyHintWindow Window;
  EXPECT_TRUE(Window.windowFlags().testFlag(Qt::WindowTransparentForInput));
  EXPECT_TRUE(Window.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(Window.windowType(), Qt::ToolTip);
  EXPECT_TRUE(Window.testAttribute(Qt::WA_TransparentForMouseEvents));
  Window.ActivateHint(Window.CalcHintRect(800, ToSjis(WindowTexts::EndHint)).translated(10, 10), ToSjis(WindowTexts::EndHint));
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &Main);
}

TEST_F(HintWindowTest, PaintsTextOnTheHintColourInsideARaisedBorder) {
  TMyHintWindow Window;
  Window.SetColor(QColor(10, 200, 30));
  Window.ActivateHint(Window.CalcHintRect(800, ToSjis(WindowTexts::StartHint)).translated(20, 20), ToSjis(WindowTexts::StartHint));
  const QImage Image = Window.grab().toImage();
  const QRgb Back = qRgb(10, 200, 30);
  const int W = Image.width();
  const int H = Image.height();
  const QRgb Light = Window.palette().color(QPalette::Midlight).rgb();
  const QRgb Dark = Window.palette().color(QPalette::Shadow).rgb();
  ASSERT_NE(Light, Dark);
  EXPECT_EQ(Image.pixel(0, 0), Light);
  EXPECT_EQ(Image.pixel(W - 1, H - 1), Dark);
  EXPECT_EQ(Image.pixel(0, H / 2), Light);
  EXPECT_EQ(Image.pixel(W / 2, 0), Light);
  EXPECT_EQ(Image.pixel(W - 1, H / 2), Dark);
  EXPECT_EQ(Image.pixel(W / 2, H - 1), Dark);
  // Two clear pixels between border and text on the left and at the top.
  for (int Y = 1; Y < H - 1; ++Y)
    for (int X = 1; X <= 2; ++X) ASSERT_EQ(Image.pixel(X, Y), Back) << X << "," << Y;
  for (int X = 1; X < W - 1; ++X) ASSERT_EQ(Image.pixel(X, 1), Back) << X;
  int TextPixels = 0;
  for (int Y = 3; Y < H - 1; ++Y)
    for (int X = 3; X < W - 1; ++X) TextPixels += Image.pixel(X, Y) != Back;
  EXPECT_GT(TextPixels, 50);
}

TEST(HintWindowEventsTest, KeysMouseButtonsWheelAndActivationCancelButMovesDoNot) {
  QKeyEvent Key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  QKeyEvent AltKey(QEvent::KeyRelease, Qt::Key_F4, Qt::AltModifier);
  QMouseEvent Press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent Move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QWheelEvent Wheel(QPointF(1, 1), QPointF(1, 1), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  EXPECT_TRUE(THintWindow::IsHintMsg(Key));
  EXPECT_TRUE(THintWindow::IsHintMsg(AltKey));
  EXPECT_TRUE(THintWindow::IsHintMsg(Press));
  EXPECT_TRUE(THintWindow::IsHintMsg(Wheel));
  EXPECT_TRUE(THintWindow::IsHintMsg(QEvent(QEvent::WindowDeactivate)));
  EXPECT_FALSE(THintWindow::IsHintMsg(Move));
  EXPECT_FALSE(THintWindow::IsHintMsg(QEvent(QEvent::Paint)));
  EXPECT_FALSE(THintWindow::IsHintMsg(QEvent(QEvent::Timer)));
}

TEST(HintAnimationTest, OnlyAfterAPauseForShortTextsWhenTheDesktopAsksForIt) {
  EXPECT_EQ(ChooseHintAnimation(251, 10, true, true, false), THintAnimation::Fade);
  EXPECT_EQ(ChooseHintAnimation(251, 10, true, false, false), THintAnimation::SlideDown);
  EXPECT_EQ(ChooseHintAnimation(251, 10, true, false, true), THintAnimation::SlideUp);
  EXPECT_EQ(ChooseHintAnimation(250, 10, true, true, false), THintAnimation::None);
  EXPECT_EQ(ChooseHintAnimation(-5, 10, true, true, false), THintAnimation::None);
  EXPECT_EQ(ChooseHintAnimation(1000, 100, true, true, false), THintAnimation::None);
  EXPECT_EQ(ChooseHintAnimation(1000, 99, false, true, false), THintAnimation::None);
}

TEST(CursorMarginTest, RowsFromTheHotSpotToTheLowestVisibleRow) {
  QImage Arrow(16, 24, QImage::Format_ARGB32);
  Arrow.fill(Qt::transparent);
  for (int Y = 0; Y < 19; ++Y) Arrow.setPixelColor(Y % 16, Y, Qt::black);  // rows 0..18 visible
  EXPECT_EQ(CursorMarginOf(Arrow, QPoint(0, 0)), 19);
  EXPECT_EQ(CursorMarginOf(Arrow, QPoint(5, 7)), 12);
  EXPECT_EQ(CursorMarginOf(Arrow, QPoint(0, 20)), 0);
  Arrow.fill(Qt::transparent);
  EXPECT_EQ(CursorMarginOf(Arrow, QPoint(0, 0)), 0);
  EXPECT_EQ(DefaultCursorHeight(96), 21);
  EXPECT_EQ(DefaultCursorHeight(120), 27);
}

}  // namespace
