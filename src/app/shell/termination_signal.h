// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM (a log-out, a shutdown, `kill`) ends the program the way its close
// box does, so that the end runs its last save instead of dropping finished
// drills that are not in the file yet. The signal only writes a byte to a
// pipe; the event loop reads it and calls the handler.
#include <QObject>
#include <functional>

class QSocketNotifier;

class TTerminationSignal : public QObject {
public:
  explicit TTerminationSignal(std::function<void()> OnTerminate);
  ~TTerminationSignal() override;

private:
  std::function<void()> FOnTerminate;
  QSocketNotifier* FNotifier = nullptr;
};
