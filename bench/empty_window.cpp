// The floor of the start-up and memory figures: an empty Qt window that
// reports its first paint the way the program's probe does.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "probe_report.h"

namespace {

class TPaintProbe : public QObject {
public:
  explicit TPaintProbe(QWidget& Window) : FWindow(Window) {}

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::Paint && Watched == &FWindow && !FPainted) {
      FPainted = true;
      QTimer::singleShot(0, [] { ReportAndExit(MonotonicNs()); });
    }
    return false;
  }

private:
  QWidget& FWindow;
  bool FPainted = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication Toolkit(argc, argv);
  QWidget Window;
  Window.resize(400, 300);
  TPaintProbe Probe(Window);
  Toolkit.installEventFilter(&Probe);
  Window.show();
  return Toolkit.exec();
}
