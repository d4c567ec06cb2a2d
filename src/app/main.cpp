// SPDX-License-Identifier: GPL-3.0-or-later
// すらすら算数帳: start, run until the main window is closed, end.
#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "application.h"
#include "drill_clock.h"
#include "font_config_loader.h"
#include "main_window.h"
#include "program.h"
#include "single_instance.h"
#include "termination_signal.h"
#include "sjis.h"

namespace {

// Everything of the program's own lives and ends in here, before the toolkit.
int RunProgram() {
  // One copy per history folder: a second start brings the first forward.
  TSingleInstance Instance;
  if (Instance.HandedToRunningCopy()) return 0;
  TApplication Application(*qApp, ToSjis(QCoreApplication::applicationFilePath().toStdString()));
  TSystemDrillClock Clock;
  TProgramWindows Windows = CreateWindows(Application, Clock);
  Instance.Serve(*Windows.MainWindow);
  TTerminationSignal Termination([&Windows] { Windows.MainWindow->close(); });
  return Application.Run();
}

}  // namespace

int main(int argc, char** argv) {
  // A write beyond the file size limit must fail like a full disk, so that
  // the history shows its message and keeps the drill's line; by default the
  // signal would end the program there.
  std::signal(SIGXFSZ, SIG_IGN);
  // The font configuration is read while the toolkit connects to the display.
  TFontConfigLoader FontConfig;
  QApplication Toolkit(argc, argv);
  FontConfig.Wait();
  const int Status = RunProgram();
  // The toolkit's Wayland plugin (Qt 6.4) can wait for ever for its event
  // thread when it disconnects, and the ended program would never leave.
  // Every file is written and every window gone by now: the process ends
  // without that disconnect.
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    std::fflush(nullptr);
    std::_Exit(Status);
  }
  return Status;
}
