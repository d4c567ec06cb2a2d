#include "hint_filter.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include "cursor_margin.h"

namespace {

// The hint timer as a single-shot timer of the event loop's thread.
class TEventLoopHintTimer : public THintTimer {
public:
  explicit TEventLoopHintTimer(std::function<void()> OnExpiry) {
    FTimer.setSingleShot(true);
    QObject::connect(&FTimer, &QTimer::timeout, [OnExpiry = std::move(OnExpiry)] { OnExpiry(); });
  }
  void Start(int Milliseconds) override { FTimer.start(Milliseconds); }
  void Stop() override { FTimer.stop(); }

private:
  QTimer FTimer;
};

QWidget* AsWidget(THintTarget Target) { return static_cast<QWidget*>(const_cast<void*>(Target)); }

}  // namespace

THintFilter::THintFilter(QApplication& App, THintTexts Hints, THintPauses Pauses, std::unique_ptr<THintTimer> Timer,
                         THintWindowClass WindowClass)
    : QObject(&App), FHints(std::move(Hints)), FWindowClass(std::move(WindowClass)), FTimer(std::move(Timer)) {
  if (!FWindowClass) FWindowClass = [] { return std::make_unique<TMyHintWindow>(); };
  if (!FTimer) FTimer = std::make_unique<TEventLoopHintTimer>([this] { FState->TimerExpired(); });
  FWindow = FWindowClass();
  FWindowFont = QToolTip::font();
  THintHost& Host = *this;
  THintDisplay& Display = *this;
  FState = std::make_unique<THintState>(Host, *FTimer, Display, Pauses);
  for (const auto& [Widget, Text] : FHints) {
    // A widget that goes away takes its hint with it.
    connect(Widget, &QObject::destroyed, this, [this, Widget] {
      if (FState->HintControl() == Widget) FState->CancelHint();
      FHints.erase(Widget);
    });
  }
  App.installEventFilter(this);
}

THintFilter::~THintFilter() {
  // Hints off: the timer stops before the hint state and the window go.
  if (FState) FState->SetShowHints(false);
}

void THintFilter::RecreateHintWindow() {
  FState->SetShowHints(false);
  ReplaceHintWindow();
  FState->SetShowHints(true);
}

void THintFilter::FollowHintFont() {
  if (QToolTip::font() != FWindowFont) ReplaceHintWindow();
}

void THintFilter::ReplaceHintWindow() {
  // The events of the windows' making and unmaking are their own business.
  FReplacing = true;
  FWindow.reset();
  FWindow = FWindowClass();
  FWindowFont = QToolTip::font();
  FReplacing = false;
}

bool THintFilter::eventFilter(QObject* Watched, QEvent* Event) {
  if (FReplacing || !FWindow) return false;
  if (!Watched->isWidgetType()) {
    if (Watched == qApp && FWindow->IsHintMsg(*Event)) FState->CancelHint();
    return false;
  }
  auto* Widget = static_cast<QWidget*>(Watched);
  if (Widget->window() == FWindow.get()) return false;
  if (Event->type() == QEvent::MouseMove) {
    MouseMoved(Widget, *static_cast<QMouseEvent*>(Event));
  } else if (Event->type() == QEvent::Leave && Widget->isWindow()) {
    // The pointer left the window for a place where no control of ours is.
    FState->CancelHint();
  } else if (FWindow->IsHintMsg(*Event)) {
    FState->CancelHint();
  }
  return false;
}

void THintFilter::MouseMoved(QWidget* Receiver, const QMouseEvent& Event) {
  const QPoint P = Event.globalPosition().toPoint();
  if (FHaveLastMove && Event.timestamp() == FLastMoveTime && P == FLastMovePos) return;
  FHaveLastMove = true;
  FLastMoveTime = Event.timestamp();
  FLastMovePos = P;
  // The first receiver is the widget under the pointer, unless a pressed button holds the mouse.
  QWidget* Control = Receiver->rect().contains(Receiver->mapFromGlobal(P)) ? Receiver : WidgetAt(P);
  FState->MouseMove(Control, P);
}

QWidget* THintFilter::WidgetAt(QPoint P) const {
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

THintTarget THintFilter::HintOwnerOf(THintTarget Control) const {
  for (QWidget* Widget = AsWidget(Control); Widget; Widget = Widget->parentWidget()) {
    if (FHints.count(Widget)) return Widget;
    if (Widget->isWindow()) break;
  }
  return nullptr;
}

THintTarget THintFilter::ControlAt(QPoint P) const { return WidgetAt(P); }

std::string THintFilter::HintOf(THintTarget Control) const {
  const auto Found = FHints.find(AsWidget(Control));
  return Found == FHints.end() ? std::string() : Found->second;
}

QRect THintFilter::ScreenBoundsOf(THintTarget Control) const {
  const QWidget* Widget = AsWidget(Control);
  return QRect(Widget->mapToGlobal(QPoint(0, 0)), Widget->size());
}

bool THintFilter::ApplicationActive() const { return QApplication::activeWindow() != nullptr; }

QPoint THintFilter::CursorPos() const { return QCursor::pos(); }

int THintFilter::CursorMargin() const { return CurrentCursorMargin(WidgetAt(QCursor::pos())); }

int THintFilter::PrimaryScreenWidth() const {
  const QScreen* Screen = QGuiApplication::primaryScreen();
  return Screen ? Screen->geometry().width() : 0;
}

QRect THintFilter::CalcHintRect(int MaxWidth, const std::string& Text) {
  // Every showing starts here: a hint after a change of the desktop's fonts uses the new one.
  FollowHintFont();
  return FWindow->CalcHintRect(MaxWidth, Text);
}

void THintFilter::ActivateHint(QRect Rect, const std::string& Text) {
  // The hint colour is the tool-tip background as the desktop has it now.
  FWindow->SetColor(QToolTip::palette().color(QPalette::Active, QPalette::ToolTipBase));
  FWindow->ActivateHint(Rect, Text);
}

void THintFilter::HideHint() { FWindow->hide(); }

bool THintFilter::HintVisible() const { return FWindow->isVisible(); }

THintFilter* InstallHints(QApplication& App, const THintTexts& Hints, THintPauses Pauses) {
  return new THintFilter(App, Hints, Pauses);
}
