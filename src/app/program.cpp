#include "program.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <chrono>

#include "application.h"
#include "form1.h"
#include "form2.h"

namespace {

// Runs the toolkit's events, user input left waiting, until the main window
// has been painted for the first time, so that what comes after its showing
// does not hold back its first picture on screen.
class TFirstPaintWait : public QObject {
public:
  explicit TFirstPaintWait(QWidget& Window) : FWindow(Window) { FWindow.installEventFilter(this); }
  ~TFirstPaintWait() override { FWindow.removeEventFilter(this); }

  // A window that is not exposed (started minimised, a display that does not
  // map it) is not waited for longer than Limit.
  void Wait(std::chrono::milliseconds Limit) {
    if (FPainted || !FWindow.isVisible()) return;
    QTimer::singleShot(Limit, &FLoop, &QEventLoop::quit);
    FLoop.exec(QEventLoop::ExcludeUserInputEvents);
  }

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Watched == &FWindow && Event->type() == QEvent::Paint && !FPainted) {
      FPainted = true;
      FLoop.quit();  // once this paint has been done
    }
    return false;
  }

private:
  QWidget& FWindow;
  QEventLoop FLoop;
  bool FPainted = false;
};

}  // namespace

TProgramWindows::TProgramWindows() = default;
TProgramWindows::TProgramWindows(TProgramWindows&&) noexcept = default;
TProgramWindows& TProgramWindows::operator=(TProgramWindows&&) noexcept = default;
// The graph window is a child of the main window in the toolkit's object tree:
// it goes first, so that the main window does not delete it a second time.
TProgramWindows::~TProgramWindows() {
  Form2.reset();
  Form1.reset();
}

TProgramWindows CreateWindows(TApplication& Application, TDrillClock& Clock, const std::string& HistoryFileName) {
  TProgramWindows Windows;
  Windows.Form1 = std::make_unique<TForm1>(Application, Clock);
  TFirstPaintWait FirstPaint(*Windows.Form1);
  Application.Guard([&] { Windows.Form1->FormCreate(); });
  // The program's icon, the graph window's creation and the history read come
  // after the main window's first paint; a click or key waits for them as before.
  FirstPaint.Wait(std::chrono::milliseconds(250));
  Application.ShowProgramIcon();
  Windows.Form2 = std::make_unique<TForm2>(Application, Windows.Form1.get(), HistoryFileName);
  Windows.Form1->SetGraphWindow(Windows.Form2.get());
  Application.Guard([&] { Windows.Form2->FormCreate(); });
  return Windows;
}
