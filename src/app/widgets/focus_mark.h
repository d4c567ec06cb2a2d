// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard focus drawn plainly: a ring of at least two device pixels
// along the inner edge of the focused control, over whatever the style drew,
// in colours that stand out from the control's face and from the window
// around it. The controls paint as usual otherwise.
#include <QObject>

#include "hints/contrast.h"

class QWidget;

class TFocusMark : public QObject {
public:
  explicit TFocusMark(QObject* Parent) : QObject(Parent) {}

  // Control shows the mark while it has the focus.
  void Watch(QWidget& Control);

  // The ring's width in a control's own pixels, DeviceRatio device pixels
  // each: the fewest that make two device pixels.
  static int RingWidth(double DeviceRatio);
  // The ring's colours on Control: its face inside, its window's background
  // outside.
  static TFocusMarkColors ColorsOn(const QWidget& Control);

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QObject* FPainting = nullptr;  // the control whose own paint runs inside the watch
};
