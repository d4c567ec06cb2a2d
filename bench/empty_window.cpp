// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the start-up and memory figures: an empty Qt window that
// reports its first paint the way the program's probe does.
//
//   empty_window           400 x 300 pixels, nothing in it
//   empty_window button    the main window's size with one push button: what
//                          the first text and the first control cost alone
#include <QPushButton>
#include <QWidget>
#include <cstring>

#include "first_paint_probe.h"

int main(int argc, char** argv) {
  const bool WithButton = argc > 1 && std::strcmp(argv[1], "button") == 0;
  TFirstPaintApplication Toolkit(argc, argv);
  QWidget Window;
  Window.resize(400, 300);
  if (WithButton) {
    Window.resize(792, 566);
    new QPushButton(QStringLiteral("OK"), &Window);
  }
  Toolkit.Watch([&](const QWidget& Widget) { return Widget.window() == &Window; }, ReportAndExit);
  Window.show();
  return Toolkit.exec();
}
