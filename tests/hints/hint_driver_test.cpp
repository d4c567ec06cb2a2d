// SPDX-License-Identifier: GPL-3.0-or-later
// Hints on real widgets: the application object's event watch reaches the hint
// state, the program's hint window shows the text, keys and buttons remove it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include "app/shell/application.h"
#include "app/windows/window_texts.h"
#include "app_test_support.h"
#include "fake_hint_timer.h"
#include "hints/cursor_margin.h"
#include "hints/hint_driver.h"
#include "hints/hint_window.h"

namespace {

// A control whose hint follows the pointer: "左" on its left half, "右" on the
// next 50 pixels, none beyond.
class TSpottedWidget : public QWidget, public TPointerHints {
public:
  using QWidget::QWidget;
  QString HintAt(const QPoint& LocalPos) const override {
    if (LocalPos.x() < 50) return QStringLiteral("左");
    if (LocalPos.x() < 100) return QStringLiteral("右");
    return QString();
  }
};

class HintDriverTest : public ::testing::Test {
protected:
  void SetUp() override {
    Window.setGeometry(100, 100, 400, 200);
    StartButton = new QPushButton(QStringLiteral("開始"), &Window);
    StartButton->setGeometry(10, 10, 100, 30);
    StartButton->setProperty(HintProperty, U(WindowTexts::StartHint));
    Label = new QLabel(QStringLiteral("label"), &Window);
    Label->setGeometry(10, 100, 100, 30);
    Spotted = new TSpottedWidget(&Window);
    Spotted->setGeometry(200, 10, 150, 30);
    Window.show();
    Window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
  }

  // Hints fed by the application object, as in the program.
  THintDriver& InstallDriver() {
    auto Timer = std::make_unique<TFakeHintTimer>();
    ManualTimer = Timer.get();
    auto Driver = std::make_unique<THintDriver>(THintSettings{}, std::move(Timer));
    THintDriver& Result = *Driver;
    App.InstallHintController(std::move(Driver));
    return Result;
  }

  // A move of the pointer to Local in Widget, as the window system reports it.
  void MoveOver(QWidget* Widget, QPoint Local) {
    QCursor::setPos(Widget->mapToGlobal(Local));
    QTest::mouseMove(Widget, Local);
  }
  void ShowHintOnStartButton(THintDriver& Driver) {
    MoveOver(Label, {5, 5});
    MoveOver(StartButton, {20, 10});
    ASSERT_FALSE(ManualTimer->Started.empty());
    ASSERT_EQ(ManualTimer->Started.back(), 500);
    Driver.State().TimerExpired();
    ASSERT_TRUE(Driver.HintWindow().isVisible());
  }

  TApplication App{*qApp, "surasura"};
  QWidget Window;
  QPushButton* StartButton = nullptr;
  QLabel* Label = nullptr;
  TSpottedWidget* Spotted = nullptr;
  TFakeHintTimer* ManualTimer = nullptr;
};

TEST_F(HintDriverTest, AHintThatFollowsThePointerWaitsAnewForEachPlace) {
  THintDriver& Driver = InstallDriver();
  THintWindow& Hint = Driver.HintWindow();
  MoveOver(Label, {5, 5});
  MoveOver(Spotted, {10, 10});
  ASSERT_EQ(ManualTimer->Started, std::vector<int>{500});
  Driver.State().TimerExpired();
  ASSERT_TRUE(Hint.isVisible());
  EXPECT_EQ(Hint.Text(), QStringLiteral("左"));

  // Within the same place the hint stays as it is.
  MoveOver(Spotted, {30, 12});
  EXPECT_TRUE(Hint.isVisible());
  EXPECT_EQ(ManualTimer->Started, (std::vector<int>{500, 2500}));

  // Another place: the hint goes, and the new one waits the whole pause.
  MoveOver(Spotted, {70, 10});
  EXPECT_FALSE(Hint.isVisible());
  EXPECT_EQ(ManualTimer->Started.back(), 500);
  Driver.State().TimerExpired();
  ASSERT_TRUE(Hint.isVisible());
  EXPECT_EQ(Hint.Text(), QStringLiteral("右"));

  // No hint there: it goes, and none is pending.
  MoveOver(Spotted, {120, 10});
  EXPECT_FALSE(Hint.isVisible());
  EXPECT_FALSE(ManualTimer->Running());
  EXPECT_EQ(ControlHint(Spotted), QString());
}

TEST_F(HintDriverTest, RestingOnAButtonShowsItsHintJustBelowThePointer) {
  THintDriver& Driver = InstallDriver();
  ShowHintOnStartButton(Driver);
  THintWindow& Hint = Driver.HintWindow();
  EXPECT_NE(dynamic_cast<TMyHintWindow*>(&Hint), nullptr);
  EXPECT_EQ(Hint.Text(), QStringLiteral("ドリルを開始します"));
  const QPoint Pointer = StartButton->mapToGlobal(QPoint(20, 10));
  // No pointer image to read off-screen: the default cursor height is the margin.
  const int Margin = DefaultCursorHeight(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
  EXPECT_EQ(Hint.geometry().topLeft(), Pointer + QPoint(0, Margin));
  EXPECT_EQ(Hint.Color(), QToolTip::palette().color(QPalette::Active, QPalette::ToolTipBase));
  EXPECT_EQ(ManualTimer->Started.back(), 2500);
}

TEST_F(HintDriverTest, TheHintWaitsItsWholePauseAndStaysItsWholeTime) {
  // The event loop's own timer: the pointer rests 500 ms before the hint comes,
  // and the hint stays 2500 ms, neither a little less.
  auto Owned = std::make_unique<THintDriver>(THintSettings{});
  THintDriver& Driver = *Owned;
  App.InstallHintController(std::move(Owned));
  QElapsedTimer Since;
  qint64 Shown = -1;
  qint64 Hidden = -1;
  TEventWatch Watch([&](QObject* Watched, QEvent* Event) {
    if (Watched != &Driver.HintWindow()) return;
    if (Event->type() == QEvent::Show) Shown = Since.elapsed();
    if (Event->type() == QEvent::Hide) Hidden = Since.elapsed();
  });
  MoveOver(Label, {5, 5});
  Since.start();
  MoveOver(StartButton, {20, 10});
  ASSERT_TRUE(QTest::qWaitFor([&] { return Hidden >= 0; }, 10000));
  ASSERT_GE(Shown, 0);
  EXPECT_GE(Shown, 500);
  EXPECT_GE(Hidden - Shown, 2500);
}

TEST_F(HintDriverTest, AnyKeyAnyMouseButtonOrTheWheelRemovesTheHint) {
  THintDriver& Driver = InstallDriver();
  ShowHintOnStartButton(Driver);
  QKeyEvent Release(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
  QApplication::sendEvent(StartButton, &Release);
  EXPECT_FALSE(Driver.HintWindow().isVisible());
  EXPECT_FALSE(ManualTimer->Running());

  ShowHintOnStartButton(Driver);
  QTest::mouseRelease(StartButton, Qt::RightButton, Qt::NoModifier, QPoint(20, 10));
  EXPECT_FALSE(Driver.HintWindow().isVisible());

  ShowHintOnStartButton(Driver);
  QWheelEvent Wheel(QPointF(20, 10), StartButton->mapToGlobal(QPointF(20, 10)), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(StartButton, &Wheel);
  EXPECT_FALSE(Driver.HintWindow().isVisible());

  ShowHintOnStartButton(Driver);
  QTest::keyClick(StartButton, Qt::Key_A, Qt::AltModifier);
  EXPECT_FALSE(Driver.HintWindow().isVisible());
}

TEST_F(HintDriverTest, AControlWithoutHintOrTheWindowItselfCancels) {
  THintDriver& Driver = InstallDriver();
  ShowHintOnStartButton(Driver);
  MoveOver(Label, {5, 5});
  EXPECT_FALSE(Driver.HintWindow().isVisible());
  EXPECT_EQ(Driver.State().HintControl(), nullptr);
  ShowHintOnStartButton(Driver);
  MoveOver(&Window, {300, 150});
  EXPECT_FALSE(Driver.HintWindow().isVisible());
}

TEST_F(HintDriverTest, LeavingTheWindowCancelsOnlyWhenThePointerIsOutside) {
  THintDriver& Driver = InstallDriver();
  ShowHintOnStartButton(Driver);
  // A hint moved up over the pointer: the window system reports that the
  // pointer left the window, but it is still over the button.
  QEvent Leave(QEvent::Leave);
  QApplication::sendEvent(Window.windowHandle(), &Leave);
  EXPECT_TRUE(Driver.HintWindow().isVisible());
  EXPECT_EQ(Driver.State().HintControl(), StartButton);
  // Really outside every window of the program.
  QCursor::setPos(Window.geometry().bottomRight() + QPoint(300, 300));
  QApplication::sendEvent(Window.windowHandle(), &Leave);
  EXPECT_FALSE(Driver.HintWindow().isVisible());
  EXPECT_EQ(Driver.State().HintControl(), nullptr);
}

TEST_F(HintDriverTest, NoHintWhenNoWindowOfTheApplicationIsActive) {
  THintDriver& Driver = InstallDriver();
  MoveOver(Label, {5, 5});
  MoveOver(StartButton, {20, 10});
  // As when another program's window has become the active one.
  QApplication::setActiveWindow(nullptr);
  Driver.State().TimerExpired();
  EXPECT_FALSE(Driver.HintWindow().isVisible());
}

TEST_F(HintDriverTest, ANewHintFontGivesANewHintWindowFiveLargerAgain) {
  THintDriver& Driver = InstallDriver();
  const QFont Saved = QToolTip::font();
  QToolTip::setFont(QFont(QStringLiteral("IPAGothic"), 12));
  ShowHintOnStartButton(Driver);
  const double Dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
  EXPECT_EQ(Driver.HintWindow().CanvasFont().pixelSize(), PointsToPixels(17, Dpi));
  EXPECT_EQ(Driver.HintWindow().Text(), QStringLiteral("ドリルを開始します"));
  QToolTip::setFont(Saved);
}

TEST_F(HintDriverTest, SwitchingHintsOffAndOnMakesANewWindowAndDropsTheHint) {
  THintDriver& Driver = InstallDriver();
  ShowHintOnStartButton(Driver);
  QPointer<THintWindow> Before = &Driver.HintWindow();
  Driver.RecreateHintWindow();
  EXPECT_TRUE(Before.isNull());
  EXPECT_FALSE(Driver.HintWindow().isVisible());
  EXPECT_EQ(Driver.State().HintControl(), nullptr);
}

}  // namespace
