// SPDX-License-Identifier: GPL-3.0-or-later
// すらすら算数帳: start, run until the main window is closed, end; or carry out
// a command-line option for the history's daily copies and end.
#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/shell/application.h"
#include "app/shell/font_config_loader.h"
#include "app/shell/program.h"
#include "app/shell/single_instance.h"
#include "app/shell/termination_signal.h"
#include "app/windows/main_window.h"
#include "drill/drill_clock.h"
#include "platform/sjis.h"
#include "results/copy_commands.h"

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

// --list-copies and --restore DATE, carried out without the window system.
std::optional<int> RunCopyOption(int argc, char** argv) {
  std::string Out, Err;
  const std::optional<int> Status =
      RunCopyCommand(std::vector<std::string>(argv + 1, argv + argc), Out, Err, HistoryFileName);
  std::fputs(Out.c_str(), stdout);
  std::fputs(Err.c_str(), stderr);
  return Status;
}

}  // namespace

int main(int argc, char** argv) {
  // A write beyond the file size limit must fail like a full disk, so that
  // the history shows its message and keeps the drill's line; by default the
  // signal would end the program there.
  std::signal(SIGXFSZ, SIG_IGN);
  if (const std::optional<int> Status = RunCopyOption(argc, argv)) return *Status;
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
