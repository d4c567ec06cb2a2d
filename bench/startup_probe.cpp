// SPDX-License-Identifier: GPL-3.0-or-later
// The program as main.cpp starts it, with a probe that reports when the main
// window's first picture is on screen. "startup_probe graph" then opens the
// result graph window as well and reports once its chart's first picture is.
#include <QTimer>
#include <string>

#include "app/shell/application.h"
#include "app/shell/font_config_loader.h"
#include "app/shell/program.h"
#include "app/windows/graph_window.h"
#include "chart_qt/chart_widget.h"
#include "drill/drill_clock.h"
#include "first_paint_probe.h"
#include "platform/sjis.h"

namespace {

// Opens the graph window once the program has made it (the main window's
// first paint comes before CreateWindows has returned).
void OpenGraphWindow(TFirstPaintApplication& Toolkit, TProgramWindows& Windows) {
  if (!Windows.GraphWindow) {
    QTimer::singleShot(0, [&] { OpenGraphWindow(Toolkit, Windows); });
    return;
  }
  const QWidget* Chart = &Windows.GraphWindow->ChartWidget();
  Toolkit.Watch([Chart](const QWidget& Widget) { return &Widget == Chart; }, ReportAndExit);
  Windows.GraphWindow->show();
}

}  // namespace

int main(int argc, char** argv) {
  const bool OpenGraph = argc > 1 && std::string(argv[1]) == "graph";
  TFontConfigLoader FontConfig;
  TFirstPaintApplication Toolkit(argc, argv);
  FontConfig.Wait();
  TApplication Application(Toolkit, ToSjis(QCoreApplication::applicationFilePath().toStdString()));
  TProgramWindows Windows;
  Toolkit.Watch(
      [&](const QWidget& Widget) {
        return Application.MainWindow() != nullptr && Widget.window() == Application.MainWindow();
      },
      [&](long long PaintedAt) {
        if (!OpenGraph) ReportAndExit(PaintedAt);
        QTimer::singleShot(0, [&] { OpenGraphWindow(Toolkit, Windows); });
      });
  TSystemDrillClock Clock;
  Windows = CreateWindows(Application, Clock);
  return Application.Run();
}
