// SPDX-License-Identifier: GPL-3.0-or-later
// The focus ring, painted after the control's own painting.
#include "app/widgets/focus_mark.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QWidget>
#include <cmath>

namespace {

TColor ToRgb(const QColor& Color) {
  return RGB(static_cast<unsigned>(Color.red()), static_cast<unsigned>(Color.green()),
             static_cast<unsigned>(Color.blue()));
}

QColor ToQt(TColor Rgb) {
  return QColor(static_cast<int>(RedOf(Rgb)), static_cast<int>(GreenOf(Rgb)), static_cast<int>(BlueOf(Rgb)));
}

// A list box is painted in two parts: its frame, and inside it the viewport,
// which carries the ring.
QWidget* RingCarrier(QWidget& Control) {
  if (auto* Area = qobject_cast<QAbstractScrollArea*>(&Control)) return Area->viewport();
  return &Control;
}

void PaintRing(QWidget& Carrier, const TFocusMarkColors& Colors, int Width) {
  QPainter Painter(&Carrier);
  const QRect Whole = Carrier.rect();
  auto Ring = [&Painter](const QRect& Box, int W, const QColor& Color) {
    Painter.fillRect(QRect(Box.left(), Box.top(), Box.width(), W), Color);
    Painter.fillRect(QRect(Box.left(), Box.bottom() - W + 1, Box.width(), W), Color);
    Painter.fillRect(QRect(Box.left(), Box.top(), W, Box.height()), Color);
    Painter.fillRect(QRect(Box.right() - W + 1, Box.top(), W, Box.height()), Color);
  };
  Ring(Whole, Width, ToQt(Colors.Outer));
  if (Colors.Inner != Colors.Outer) Ring(Whole.adjusted(Width, Width, -Width, -Width), Width, ToQt(Colors.Inner));
}

}  // namespace

int TFocusMark::RingWidth(double DeviceRatio) {
  if (DeviceRatio <= 0) DeviceRatio = 1.0;
  return std::max(1, static_cast<int>(std::ceil(2.0 / DeviceRatio - 1e-9)));
}

TFocusMarkColors TFocusMark::ColorsOn(const QWidget& Control) {
  const QWidget* Window = Control.parentWidget() != nullptr ? Control.parentWidget() : &Control;
  const QColor Outside = Window->palette().color(QPalette::Window);
  QColor Inside = Outside;  // a check box has no face of its own
  if (qobject_cast<const QLineEdit*>(&Control) != nullptr || qobject_cast<const QAbstractScrollArea*>(&Control) != nullptr) {
    Inside = Control.palette().color(QPalette::Base);
  } else if (qobject_cast<const QAbstractButton*>(&Control) != nullptr && qobject_cast<const QCheckBox*>(&Control) == nullptr) {
    Inside = Control.palette().color(QPalette::Button);
  }
  return FocusMarkColors(ToRgb(Outside), ToRgb(Inside));
}

void TFocusMark::Watch(QWidget& Control) {
  Control.installEventFilter(this);
  QWidget* Carrier = RingCarrier(Control);
  if (Carrier != &Control) Carrier->installEventFilter(this);
}

bool TFocusMark::eventFilter(QObject* Watched, QEvent* Event) {
  if (!Watched->isWidgetType()) return false;
  auto* Widget = static_cast<QWidget*>(Watched);
  switch (Event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      RingCarrier(*Widget)->update();
      return false;
    case QEvent::Paint: {
      // The carrier is the control itself or a list box's viewport.
      QWidget* Control = Widget;
      if (auto* Area = qobject_cast<QAbstractScrollArea*>(Widget->parentWidget()); Area != nullptr && Area->viewport() == Widget) {
        Control = Area;
      } else if (RingCarrier(*Widget) != Widget) {
        return false;
      }
      if (!Control->hasFocus() || FPainting == Widget) return false;
      // The control paints first (through every other watcher: a list box's
      // viewport is painted by its list's watcher), then the ring goes over
      // its edge.
      FPainting = Widget;
      QCoreApplication::sendEvent(Widget, Event);
      FPainting = nullptr;
      PaintRing(*Widget, ColorsOn(*Control), RingWidth(Widget->devicePixelRatioF()));
      return true;
    }
    default:
      return false;
  }
}
