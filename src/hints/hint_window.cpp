// SPDX-License-Identifier: GPL-3.0-or-later
#include "hints/hint_window.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QToolTip>
#include <QVariantAnimation>
#include <QWindow>
#include <cmath>
#include <limits>

#include "hints/contrast.h"
#include "platform/clock.h"
#include "platform/sjis.h"

namespace {

constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;  // "&" stays itself
constexpr int AnimationMs = 100;

int RoundHalfAway(double Value) { return static_cast<int>(std::lround(Value)); }

double ScreenDpi() {
  const QScreen* Screen = QGuiApplication::primaryScreen();
  return Screen ? Screen->logicalDotsPerInchY() : 96.0;
}

QRect DesktopRect() {
  const QScreen* Screen = QGuiApplication::primaryScreen();
  return Screen ? Screen->virtualGeometry() : QRect();
}

// Window's frame in the coordinates of its own mapToGlobal, which are those
// of the pointer's positions in its events. On Wayland these need not be the
// coordinates of the window's geometry: a client cannot place a window, and
// the place it asked for stays in the geometry.
QRect FrameInPointerCoordinates(const QWidget& Window) {
  const QRect Client(Window.mapToGlobal(QPoint(0, 0)), Window.size());
  const QRect Geometry = Window.geometry();
  const QRect Frame = Window.frameGeometry();
  return Client.adjusted(Frame.left() - Geometry.left(), Frame.top() - Geometry.top(),
                         Frame.right() - Geometry.right(), Frame.bottom() - Geometry.bottom());
}

}  // namespace

THintWindow::THintWindow(TTickSource Ticks)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus),
      FTicks(Ticks ? std::move(Ticks) : TTickSource(TickCount)),
      FColor(255, 255, 128) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  // The canvas keeps the hint font (and its colour) as they are now.
  FCanvasFont = QToolTip::font();
  FHintTextColor = QToolTip::palette().color(QPalette::Active, QPalette::ToolTipText);
  SetColor(FColor);
}

THintWindow::~THintWindow() = default;

void THintWindow::SetColor(QColor Color) {
  FColor = Color;
  // The desktop's hint text on a ground of another origin (the light yellow
  // under a dark palette) is darkened or lightened until it reads.
  auto Rgb = [](const QColor& C) {
    return RGB(static_cast<unsigned>(C.red()), static_cast<unsigned>(C.green()), static_cast<unsigned>(C.blue()));
  };
  const TColor Readable = ReadableTextColor(Rgb(FHintTextColor), Rgb(FColor));
  FTextColor = QColor(static_cast<int>(RedOf(Readable)), static_cast<int>(GreenOf(Readable)), static_cast<int>(BlueOf(Readable)));
}

QRect THintWindow::CalcHintRect(int MaxWidth, const std::string& Text) const {
  const QFontMetrics Metrics(FCanvasFont);
  const QRect Needed = Metrics.boundingRect(QRect(0, 0, MaxWidth, 0), TextFlags, QString::fromStdString(FromSjis(Text)));
  return QRect(0, 0, Needed.width() + 6, Needed.height() + 2);
}

void THintWindow::ActivateHint(QRect Rect, const std::string& Text) {
  FText = QString::fromStdString(FromSjis(Text));
  Rect.setHeight(Rect.height() + 4);
  const QRect Bounds = ClampToDesktop(Rect, HintArea());
  if (FAnimation) FAnimation->stop();
  clearMask();
  setWindowOpacity(1.0);
  setGeometry(Bounds);

  const uint32_t Now = FTicks();
  const int32_t Since = FHaveLastActivation ? static_cast<int32_t>(Now - FLastActivation)
                                            : std::numeric_limits<int32_t>::max();
  const bool PointerBelowTop = QCursor::pos().y() > Bounds.top();
  const THintAnimation Kind =
      ChooseHintAnimation(Since, Text.size(), QApplication::isEffectEnabled(Qt::UI_AnimateTooltip),
                          QApplication::isEffectEnabled(Qt::UI_FadeTooltip), PointerBelowTop);
  if (Kind == THintAnimation::Fade) setWindowOpacity(0.0);
  if (Kind == THintAnimation::SlideDown) setMask(QRegion(0, 0, Bounds.width(), 0));
  if (Kind == THintAnimation::SlideUp) setMask(QRegion(0, Bounds.height(), Bounds.width(), 0));

  show();
  KeepTransparentForInput();
  raise();
  update();
  if (Kind != THintAnimation::None) {
    if (!FAnimation) {
      FAnimation = new QVariantAnimation(this);
      FAnimation->setDuration(AnimationMs);
      FAnimation->setStartValue(0.0);
      FAnimation->setEndValue(1.0);
    }
    FAnimation->disconnect();
    QObject::connect(FAnimation, &QVariantAnimation::valueChanged, this, [this, Kind](const QVariant& Value) {
      const double Part = Value.toDouble();
      const int Shown = static_cast<int>(height() * Part);
      if (Kind == THintAnimation::Fade) setWindowOpacity(Part);
      if (Kind == THintAnimation::SlideDown) setMask(QRegion(0, 0, width(), Shown));
      if (Kind == THintAnimation::SlideUp) setMask(QRegion(0, height() - Shown, width(), Shown));
      if (Kind != THintAnimation::Fade) LeaveNoInputRegion();
    });
    QObject::connect(FAnimation, &QVariantAnimation::finished, this, [this] {
      clearMask();
      LeaveNoInputRegion();
      setWindowOpacity(1.0);
    });
    FAnimation->start();
  }
  FLastActivation = FTicks();
  FHaveLastActivation = true;
}

QRect THintWindow::HintArea() {
  if (!OnWayland()) return DesktopRect();
  // A Wayland client is told neither where its windows are nor what lies
  // around them: the one part of the desktop it knows to be shown is its own
  // window. The hint is a pop-up of the window it belongs to, kept inside
  // that window's frame, as it is kept on the desktop elsewhere.
  QWidget* Owner = FOwner ? FOwner.data() : QApplication::activeWindow();
  if (Owner == nullptr || Owner->windowHandle() == nullptr) return DesktopRect();
  if (windowHandle() == nullptr) create();
  if (windowHandle()->transientParent() != Owner->windowHandle()) {
    hide();  // a shown pop-up keeps the window it was placed against
    windowHandle()->setTransientParent(Owner->windowHandle());
  }
  return FrameInPointerCoordinates(*Owner);
}

void THintWindow::KeepTransparentForInput() {
  // The toolkit does not always pass the window's flag on to the window system
  // (a window it has made anew takes the pointer); a change of the flag on the
  // shown window does. A hint moved up over the pointer would otherwise take
  // it from the control below, which ended the hint at once, and would take
  // the clicks meant for the control.
  QWindow* Native = windowHandle();
  if (Native == nullptr) return;
  if (OnWayland()) {
    LeaveNoInputRegion();
    return;
  }
  Native->setFlags(Native->flags() & ~Qt::WindowTransparentForInput);
  Native->setFlags(Native->flags() | Qt::WindowTransparentForInput);
}

void THintWindow::LeaveNoInputRegion() {
  // The toolkit's Wayland plugin passes the flag on to no one, and takes a
  // window's mask as its surface's input region, a mask of nothing as the whole
  // surface: a mask wholly beside the surface leaves it no input region. The
  // widget's own mask, which clips what is drawn, stays as it is.
  QWindow* Native = windowHandle();
  if (Native != nullptr && OnWayland()) Native->setMask(QRegion(-1, -1, 1, 1));
}

void THintWindow::hideEvent(QHideEvent* Event) {
  if (FAnimation) FAnimation->stop();
  QWidget::hideEvent(Event);
}

bool THintWindow::IsHintMsg(const QEvent& Event) {
  switch (Event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::ApplicationStateChange:
      return true;
    default:
      return false;
  }
}

void THintWindow::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  const QRect Client = rect().adjusted(1, 1, -1, -1);
  Painter.fillRect(Client, FColor);
  NCPaint(Painter);
  Painter.setFont(FCanvasFont);
  Painter.setPen(FTextColor);
  Painter.drawText(Client.adjusted(2, 2, 0, 0), TextFlags, FText);
}

void THintWindow::NCPaint(QPainter& Painter) {
  const int Right = width() - 1;
  const int Bottom = height() - 1;
  Painter.setPen(palette().color(QPalette::Midlight));
  Painter.drawLine(0, 0, Right - 1, 0);
  Painter.drawLine(0, 0, 0, Bottom - 1);
  Painter.setPen(palette().color(QPalette::Shadow));
  Painter.drawLine(0, Bottom, Right, Bottom);
  Painter.drawLine(Right, 0, Right, Bottom);
}

TMyHintWindow::TMyHintWindow(TTickSource Ticks) : THintWindow(std::move(Ticks)) {
  FCanvasFont.setPixelSize(TextPixelHeight());
}

int TMyHintWindow::TextPixelHeight() { return EnlargedPixelHeight(QToolTip::font(), ExtraPoints, ScreenDpi()); }

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

int PointsToPixels(double Points, double Dpi) { return RoundHalfAway(Points * Dpi / 72.0); }

int PixelsToPoints(int Pixels, double Dpi) { return RoundHalfAway(Pixels * 72.0 / Dpi); }

int EnlargedPixelHeight(const QFont& Font, int AddPoints, double Dpi) {
  const int Pixels = Font.pixelSize() > 0 ? Font.pixelSize() : PointsToPixels(Font.pointSizeF(), Dpi);
  return PointsToPixels(PixelsToPoints(Pixels, Dpi) + AddPoints, Dpi);
}

QRect ClampToDesktop(QRect R, QRect Desktop) {
  if (R.top() + R.height() > Desktop.top() + Desktop.height()) R.moveTop(Desktop.top() + Desktop.height() - R.height());
  if (R.left() + R.width() > Desktop.left() + Desktop.width()) R.moveLeft(Desktop.left() + Desktop.width() - R.width());
  if (R.left() < Desktop.left()) R.moveLeft(Desktop.left());
  if (R.top() < Desktop.top()) R.moveTop(Desktop.top());
  return R;
}

THintAnimation ChooseHintAnimation(int32_t MsSinceLastShowing, size_t TextBytes, bool AnimateSetting,
                                   bool FadeSetting, bool PointerBelowTop) {
  if (MsSinceLastShowing <= 250 || TextBytes >= 100 || !AnimateSetting) return THintAnimation::None;
  if (FadeSetting) return THintAnimation::Fade;
  return PointerBelowTop ? THintAnimation::SlideUp : THintAnimation::SlideDown;
}
