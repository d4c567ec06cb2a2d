// SPDX-License-Identifier: GPL-3.0-or-later
#include "hints/hint_driver.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include "hints/cursor_margin.h"
#include "platform/sjis.h"

namespace {

// The hint timer as a single-shot timer of the event loop's thread.
class TEventLoopHintTimer : public THintTimer {
public:
  explicit TEventLoopHintTimer(std::function<void()> OnExpiry) {
    FTimer.setSingleShot(true);
    // The pauses are the whole 500 and 2500 ms, never a little less.
    FTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&FTimer, &QTimer::timeout, [OnExpiry = std::move(OnExpiry)] { OnExpiry(); });
  }
  void Start(int Milliseconds) override { FTimer.start(Milliseconds); }
  void Stop() override { FTimer.stop(); }

private:
  QTimer FTimer;
};

QWidget* AsWidget(THintTarget Target) { return static_cast<QWidget*>(const_cast<void*>(Target)); }

}  // namespace

THintDriver::THintDriver(const THintSettings& Settings, std::unique_ptr<THintTimer> Timer,
                         THintWindowClass WindowClass)
    : FWindowClass(std::move(WindowClass)), FTimer(std::move(Timer)) {
  if (!FWindowClass) FWindowClass = [] { return std::make_unique<TMyHintWindow>(); };
  if (!FTimer) FTimer = std::make_unique<TEventLoopHintTimer>([this] { FState->TimerExpired(); });
  FWindow = FWindowClass();
  FWindowFont = QToolTip::font();
  THintHost& Host = *this;
  THintDisplay& Display = *this;
  FState = std::make_unique<THintState>(Host, *FTimer, Display,
                                        THintPauses{Settings.PauseMs, Settings.ShortPauseMs, Settings.HidePauseMs});
}

THintDriver::~THintDriver() {
  // Hints off: the timer stops before the hint state and the window go.
  FState->SetShowHints(false);
}

void THintDriver::PointerMoved(QWidget* Control, const QPoint& GlobalPos) {
  if (Control && Control->window() == FWindow.get()) Control = WidgetAt(GlobalPos);
  if (Control) FPointerWindow = Control->window();
  FollowPointer(Control, GlobalPos);
  FState->MouseMove(Control, GlobalPos);
}

void THintDriver::FollowPointer(QWidget* Control, const QPoint& GlobalPos) {
  const auto* Follower = dynamic_cast<const TPointerHints*>(Control);
  if (Follower == nullptr) return;
  const QString Hint = Follower->HintAt(Control->mapFromGlobal(GlobalPos));
  if (Hint == ControlHint(Control)) return;
  // Another place with another hint: the one up (or pending) goes, and the
  // new one waits the full pause, as a move to another control does.
  if (FState->HintControl() == Control) FState->CancelHint();
  Control->setProperty(HintProperty, Hint);
}

void THintDriver::PointerOutside() {
  // A hint shown over the pointer (moved up from the desktop's bottom edge) can
  // take the pointer from the window below for a moment, until it lets the
  // pointer through: the pointer is still over the control, and the hint stays.
  // On Wayland a hint never takes the pointer, and the pointer's last place
  // known is inside the window it left: there, leaving is leaving.
  if (!OnWayland() && WidgetAt(QCursor::pos()) != nullptr) return;
  FState->CancelHint();
}

void THintDriver::CancelHint() { FState->CancelHint(); }

void THintDriver::RecreateHintWindow() {
  FState->SetShowHints(false);
  ReplaceHintWindow();
  FState->SetShowHints(true);
}

void THintDriver::FollowHintFont() {
  if (QToolTip::font() != FWindowFont) ReplaceHintWindow();
}

void THintDriver::ReplaceHintWindow() {
  FWindow.reset();
  FWindow = FWindowClass();
  FWindowFont = QToolTip::font();
}

QWidget* THintDriver::WidgetAt(QPoint P) const {
  if (OnWayland()) {
    // The pointer's places are those of the window it moved in last, which
    // need not be those of the windows' geometry (see WidgetUnderPointer).
    QWidget* Window = FPointerWindow;
    if (Window == nullptr || !Window->isVisible()) return nullptr;
    const QPoint Local = Window->mapFromGlobal(P);
    if (!Window->rect().contains(Local)) return nullptr;
    QWidget* Child = Window->childAt(Local);
    return Child != nullptr ? Child : Window;
  }
  QWidget* Found = QApplication::widgetAt(P);
  if (Found && Found->window() != FWindow.get()) return Found;
  // Where the window system counts the hint window as there, look below it.
  const auto Windows = QApplication::topLevelWidgets();
  for (QWidget* Window : Windows) {
    if (Window == FWindow.get() || !Window->isVisible() || !Window->geometry().contains(P)) continue;
    QWidget* Child = Window->childAt(Window->mapFromGlobal(P));
    return Child ? Child : Window;
  }
  return nullptr;
}

THintTarget THintDriver::HintOwnerOf(THintTarget Control) const {
  for (QWidget* Widget = AsWidget(Control); Widget; Widget = Widget->parentWidget()) {
    if (!ControlHint(Widget).isEmpty()) return Widget;
    if (Widget->isWindow()) break;
  }
  return nullptr;
}

THintTarget THintDriver::ControlAt(QPoint P) const { return WidgetAt(P); }

std::string THintDriver::HintOf(THintTarget Control) const {
  return ToSjis(ControlHint(AsWidget(Control)).toStdString());
}

QRect THintDriver::ScreenBoundsOf(THintTarget Control) const {
  const QWidget* Widget = AsWidget(Control);
  return QRect(Widget->mapToGlobal(QPoint(0, 0)), Widget->size());
}

bool THintDriver::ApplicationActive() const { return QApplication::activeWindow() != nullptr; }

QPoint THintDriver::CursorPos() const { return QCursor::pos(); }

int THintDriver::CursorMargin() const { return CurrentCursorMargin(WidgetAt(QCursor::pos())); }

int THintDriver::PrimaryScreenWidth() const {
  const QScreen* Screen = QGuiApplication::primaryScreen();
  return Screen ? Screen->geometry().width() : 0;
}

QRect THintDriver::CalcHintRect(int MaxWidth, const std::string& Text) {
  // Every showing starts here: a hint after a change of the desktop's fonts uses the new one.
  FollowHintFont();
  return FWindow->CalcHintRect(MaxWidth, Text);
}

void THintDriver::ActivateHint(QRect Rect, const std::string& Text) {
  // The hint colour is the tool-tip background as the desktop has it now.
  FWindow->SetColor(QToolTip::palette().color(QPalette::Active, QPalette::ToolTipBase));
  QWidget* Control = AsWidget(FState->HintControl());
  FWindow->SetOwner(Control != nullptr ? Control->window() : nullptr);
  FWindow->ActivateHint(Rect, Text);
}

void THintDriver::HideHint() {
  if (FWindow) FWindow->hide();
}

bool THintDriver::HintVisible() const { return FWindow && FWindow->isVisible(); }
