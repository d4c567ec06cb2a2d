// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/program.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <chrono>

#include "app/shell/application.h"
#include "app/windows/graph_window.h"
#include "app/windows/main_window.h"
#include "app/windows/restore_box.h"
#include "results/results.h"

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
  GraphWindow.reset();
  MainWindow.reset();
}

TProgramWindows CreateWindows(TApplication& Application, TDrillClock& Clock, const std::string& FileName) {
  TProgramWindows Windows;
  Windows.Results = std::make_unique<TResults>(FileName);
  Windows.Results->KeepDailyCopies(Clock);
  Windows.MainWindow = std::make_unique<TMainWindow>(Application, Clock, *Windows.Results);
  TFirstPaintWait FirstPaint(*Windows.MainWindow);
  Application.Guard([&] { Windows.MainWindow->ShowAtStart(); });
  // The program's icon, the graph window's creation and the history read come
  // after the main window's first paint; a click or key waits for them.
  FirstPaint.Wait(std::chrono::milliseconds(250));
  Application.ShowProgramIcon();
  Windows.GraphWindow = std::make_unique<TGraphWindow>(Application, Windows.MainWindow.get(), *Windows.Results);
  Windows.MainWindow->SetGraphWindow(Windows.GraphWindow.get());
  // Whatever was read before a fault stays in the history, and the hidden list
  // shows it while the error box is up.
  Application.Guard([&] {
    try {
      Windows.Results->Load();
    } catch (...) {
      Windows.GraphWindow->ShowHistoryLines();
      throw;
    }
    Windows.GraphWindow->ShowHistoryLines();
  });
  // Damaged lines in the history are told about once, over the main window.
  // When the history is damaged or missing and the folder has daily copies,
  // the notice offers the newest copy instead; Enter keeps the history as it is.
  const std::string Notice = Windows.Results->LoadNotice();
  std::optional<TRestoreOffer> Offer;
  Application.Guard([&] { Offer = Windows.Results->RestoreOffer(); });
  if (!Offer) {
    if (!Notice.empty()) Application.ShowError(Notice);
  } else if (AskToRestore(Application, Notice, *Offer)) {
    Application.Guard([&] {
      try {
        Windows.Results->Restore(Offer->Copy);
      } catch (...) {
        Windows.GraphWindow->ShowHistoryLines();
        throw;
      }
      Windows.GraphWindow->ShowHistoryLines();
    });
  }
  return Windows;
}
