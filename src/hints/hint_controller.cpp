// SPDX-License-Identifier: GPL-3.0-or-later
#include "hints/hint_controller.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include "hints/hint_window.h"

QString ControlHint(const QWidget* Control) {
  if (Control == nullptr) return QString();
  return Control->property(HintProperty).toString();
}

QWidget* WidgetUnderPointer(const QObject* Window, const QPointF& Local, const QPoint& Global) {
  if (!OnWayland()) return QApplication::widgetAt(Global);
  const auto Windows = QApplication::topLevelWidgets();
  for (QWidget* Top : Windows) {
    if (Top->windowHandle() != Window) continue;
    QWidget* Child = Top->childAt(Local.toPoint());
    return Child != nullptr ? Child : Top;
  }
  return nullptr;
}
