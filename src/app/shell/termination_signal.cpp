// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/termination_signal.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int SignalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char Byte = 1;
  [[maybe_unused]] const ssize_t Written = ::write(SignalPipe[0], &Byte, 1);
}

}  // namespace

TTerminationSignal::TTerminationSignal(std::function<void()> OnTerminate) : FOnTerminate(std::move(OnTerminate)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, SignalPipe) != 0) return;
  FNotifier = new QSocketNotifier(SignalPipe[1], QSocketNotifier::Read, this);
  connect(FNotifier, &QSocketNotifier::activated, this, [this] {
    char Byte = 0;
    [[maybe_unused]] const ssize_t Read = ::read(SignalPipe[1], &Byte, 1);
    if (FOnTerminate) FOnTerminate();
  });
  struct sigaction Action {};
  Action.sa_handler = OnSignal;
  sigemptyset(&Action.sa_mask);
  Action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &Action, nullptr);
}

TTerminationSignal::~TTerminationSignal() {
  ::signal(SIGTERM, SIG_DFL);
  for (int& End : SignalPipe) {
    if (End >= 0) ::close(End);
    End = -1;
  }
}
