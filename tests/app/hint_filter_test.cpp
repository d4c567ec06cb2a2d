// Hints on real widgets: the application's events reach the hint state, the
// program's hint window shows the text, keys and buttons remove it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include "cursor_margin.h"
#include "hint_filter.h"
#include "hint_window.h"
#include "program_texts.h"

namespace {

class TManualTimer : public THintTimer {
public:
  std::vector<int> Started;
  bool Running = false;
  void Start(int Ms) override {
    Started.push_back(Ms);
    Running = true;
  }
  void Stop() override { Running = false; }
};

class HintFilterTest : public ::testing::Test {
protected:
  void SetUp() override {
    Window.setGeometry(100, 100, 400, 200);
    Button1 = new QPushButton(QStringLiteral("開始"), &Window);
    Button1->setGeometry(10, 10, 100, 30);
    Label = new QLabel(QStringLiteral("label"), &Window);
    Label->setGeometry(10, 100, 100, 30);
    auto Timer = std::make_unique<TManualTimer>();
    ManualTimer = Timer.get();
    Filter = new THintFilter(*qApp, {{Button1, Texts().StartHint}}, THintPauses{}, std::move(Timer));
    Window.show();
    Window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
  }
  void TearDown() override { delete Filter; }

  // A move of the pointer to Local in Widget, as the window system reports it.
  void MoveOver(QWidget* Widget, QPoint Local) {
    const QPoint Global = Widget->mapToGlobal(Local);
    QCursor::setPos(Global);
    QMouseEvent Move(QEvent::MouseMove, Local, Global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    Move.setTimestamp(++Time);
    QApplication::sendEvent(Widget, &Move);
  }
  void ShowHintOnButton1() {
    MoveOver(Button1, {20, 10});
    ASSERT_EQ(ManualTimer->Started.back(), 500);
    Filter->State().TimerExpired();
    ASSERT_TRUE(Filter->HintWindow().isVisible());
  }

  QWidget Window;
  QPushButton* Button1 = nullptr;
  QLabel* Label = nullptr;
  TManualTimer* ManualTimer = nullptr;
  THintFilter* Filter = nullptr;
  quint64 Time = 1000;
};

TEST_F(HintFilterTest, RestingOnAButtonShowsItsHintJustBelowThePointer) {
  ShowHintOnButton1();
  THintWindow& Hint = Filter->HintWindow();
  EXPECT_NE(dynamic_cast<TMyHintWindow*>(&Hint), nullptr);
  EXPECT_EQ(Hint.Text(), QStringLiteral("ドリルを開始します"));
  const QPoint Pointer = Button1->mapToGlobal(QPoint(20, 10));
  // No pointer image to read off-screen: the default cursor height is the margin.
  const int Margin = DefaultCursorHeight(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
  EXPECT_EQ(Hint.geometry().topLeft(), Pointer + QPoint(0, Margin));
  EXPECT_EQ(Hint.Color(), QToolTip::palette().color(QPalette::Active, QPalette::ToolTipBase));
  EXPECT_EQ(ManualTimer->Started.back(), 2500);
}

TEST_F(HintFilterTest, AKeyAClickOrTheWheelRemovesTheHint) {
  ShowHintOnButton1();
  QTest::keyClick(Button1, Qt::Key_Shift);
  EXPECT_FALSE(Filter->HintWindow().isVisible());
  EXPECT_FALSE(ManualTimer->Running);

  MoveOver(Label, {5, 5});
  ShowHintOnButton1();
  QTest::mousePress(Button1, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
  EXPECT_FALSE(Filter->HintWindow().isVisible());
  QTest::mouseRelease(Button1, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));

  MoveOver(Label, {5, 5});
  ShowHintOnButton1();
  QWheelEvent Wheel(QPointF(20, 10), Button1->mapToGlobal(QPointF(20, 10)), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Button1, &Wheel);
  EXPECT_FALSE(Filter->HintWindow().isVisible());
}

TEST_F(HintFilterTest, AControlWithoutHintOrTheWindowItselfCancels) {
  ShowHintOnButton1();
  MoveOver(Label, {5, 5});
  EXPECT_FALSE(Filter->HintWindow().isVisible());
  EXPECT_EQ(Filter->State().HintControl(), nullptr);
  ShowHintOnButton1();
  MoveOver(&Window, {300, 150});
  EXPECT_FALSE(Filter->HintWindow().isVisible());
}

TEST_F(HintFilterTest, NoHintWhenNoWindowOfTheApplicationIsActive) {
  MoveOver(Button1, {20, 10});
  QWidget Other;
  Other.setGeometry(600, 400, 50, 50);
  Other.show();
  Other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Other));
  // Make the application inactive as a whole, as when another program's window is active.
  QApplication::setActiveWindow(nullptr);
  QCursor::setPos(Button1->mapToGlobal(QPoint(20, 10)));
  Filter->State().TimerExpired();
  EXPECT_FALSE(Filter->HintWindow().isVisible());
}

TEST_F(HintFilterTest, ANewHintFontMakesANewHintWindowFiveLargerAgain) {
  const QFont Saved = QToolTip::font();
  QToolTip::setFont(QFont(QStringLiteral("IPAGothic"), 12));
  const double Dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
  ShowHintOnButton1();
  EXPECT_EQ(Filter->HintWindow().CanvasFont().pixelSize(), PointsToPixels(17, Dpi));
  EXPECT_EQ(Filter->HintWindow().Text(), QStringLiteral("ドリルを開始します"));
  QToolTip::setFont(Saved);
}

TEST_F(HintFilterTest, AWidgetThatGoesAwayTakesItsHintWithIt) {
  ShowHintOnButton1();
  delete Button1;
  EXPECT_EQ(Filter->State().HintControl(), nullptr);
  EXPECT_FALSE(Filter->HintWindow().isVisible());
}

}  // namespace
