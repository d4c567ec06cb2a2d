// SPDX-License-Identifier: GPL-3.0-or-later
// Maps between the toolkit's logical pixels and the screen's own pixels.
#include "app/access/native_geometry.h"

#include <QScreen>
#include <QWidget>

namespace {

QPointF ScreenOrigin(const QWidget& Widget) {
  const QScreen* Screen = Widget.screen();
  return Screen != nullptr ? QPointF(Screen->geometry().topLeft()) : QPointF();
}

}  // namespace

QRect NativeRect(const QWidget& Widget, const QRect& Logical) {
  const qreal Ratio = Widget.devicePixelRatioF();
  if (Logical.isNull() || Ratio == 1.0) return Logical;
  const QPointF Origin = ScreenOrigin(Widget);
  const QPointF TopLeft = (QPointF(Logical.topLeft()) - Origin) * Ratio + Origin;
  return QRect(TopLeft.toPoint(), Logical.size() * Ratio);
}

QPoint LogicalPoint(const QWidget& Widget, const QPoint& Native) {
  const qreal Ratio = Widget.devicePixelRatioF();
  if (Ratio == 1.0) return Native;
  const QPointF Origin = ScreenOrigin(Widget);
  return ((QPointF(Native) - Origin) / Ratio + Origin).toPoint();
}
