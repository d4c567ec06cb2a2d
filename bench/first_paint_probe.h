// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The toolkit with a probe for a window's first picture: the toolkit paints a
// window and sends the picture to the display while it handles one event (an
// expose or an update request), so the picture is on screen when the handling
// of the event that carried the watched widget's first paint has ended.
// Whatever the program does after that (the program creates its graph window
// and reads the history there) is not counted.
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <functional>
#include <utility>

#include "probe_report.h"

class TFirstPaintApplication : public QApplication {
public:
  using QApplication::QApplication;

  // Calls Painted once, with the time, when the first paint of a widget that
  // IsWatched accepts is on screen. A later Watch starts over.
  void Watch(std::function<bool(const QWidget&)> IsWatched, std::function<void(long long)> Painted) {
    FIsWatched = std::move(IsWatched);
    FPainted = std::move(Painted);
    FPaintSeen = false;
  }

  bool notify(QObject* Receiver, QEvent* Event) override {
    if (FPainted && !FPaintSeen && Event->type() == QEvent::Paint && Receiver->isWidgetType() &&
        FIsWatched(*static_cast<const QWidget*>(Receiver))) {
      FPaintSeen = true;
    }
    ++FDepth;
    const bool Handled = QApplication::notify(Receiver, Event);
    if (--FDepth == 0 && FPaintSeen && FPainted) {
      const auto Painted = std::exchange(FPainted, nullptr);
      Painted(MonotonicNs());
    }
    return Handled;
  }

private:
  std::function<bool(const QWidget&)> FIsWatched;
  std::function<void(long long)> FPainted;
  bool FPaintSeen = false;
  int FDepth = 0;
};
