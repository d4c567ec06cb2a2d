// The program as main.cpp starts it, with a probe that notes the first paint
// of the main window and reports it. "startup_probe graph" then opens the
// result graph window as well and reports after its chart's first paint.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "application.h"
#include "chart_widget.h"
#include "drill_clock.h"
#include "font_config_loader.h"
#include "form2.h"
#include "probe_report.h"
#include "program.h"
#include "sjis.h"

namespace {

class TPaintProbe : public QObject {
public:
  TPaintProbe(TApplication& App, bool OpenGraph) : FApp(App), FOpenGraph(OpenGraph) {}
  TProgramWindows* Windows = nullptr;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() != QEvent::Paint || !Watched->isWidgetType()) return false;
    QWidget* Widget = static_cast<QWidget*>(Watched);
    if (!FMainPainted && FApp.MainWindow() != nullptr && Widget->window() == FApp.MainWindow()) {
      FMainPainted = true;
      // After the paint that is starting now.
      QTimer::singleShot(0, [this] { MainWindowPainted(); });
    } else if (FGraphOpened && !FGraphPainted && Windows && Widget == &Windows->Form2->ChartWidget()) {
      FGraphPainted = true;
      QTimer::singleShot(0, [] { ReportAndExit(MonotonicNs()); });
    }
    return false;
  }

private:
  void MainWindowPainted() {
    const long long At = MonotonicNs();
    if (!FOpenGraph) ReportAndExit(At);
    if (!Windows) {
      // The main window is painted before CreateWindows has returned.
      QTimer::singleShot(0, [this] { MainWindowPainted(); });
      return;
    }
    FGraphOpened = true;
    Windows->Form2->show();
  }

  TApplication& FApp;
  bool FOpenGraph;
  bool FMainPainted = false;
  bool FGraphOpened = false;
  bool FGraphPainted = false;
};

}  // namespace

int main(int argc, char** argv) {
  const bool OpenGraph = argc > 1 && std::string(argv[1]) == "graph";
  TFontConfigLoader FontConfig;
  QApplication Toolkit(argc, argv);
  FontConfig.Wait();
  TApplication Application(Toolkit, ToSjis(QCoreApplication::applicationFilePath().toStdString()));
  TPaintProbe Probe(Application, OpenGraph);
  Toolkit.installEventFilter(&Probe);
  TSystemDrillClock Clock;
  TProgramWindows Windows = CreateWindows(Application, Clock);
  Probe.Windows = &Windows;
  return Application.Run();
}
