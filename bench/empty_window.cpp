// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the start-up and memory figures: an empty Qt window that
// reports its first paint the way the program's probe does.
#include <QWidget>

#include "first_paint_probe.h"

int main(int argc, char** argv) {
  TFirstPaintApplication Toolkit(argc, argv);
  QWidget Window;
  Window.resize(400, 300);
  Toolkit.Watch([&](const QWidget& Widget) { return &Widget == &Window; }, ReportAndExit);
  Window.show();
  return Toolkit.exec();
}
