#pragma once
// Shared pieces of the widget tests: a clock the test sets, the windows of the
// program in a scratch directory, a way to look at a modal window, and a watch
// on every event.
#include <QObject>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>

#include "application.h"
#include "drill_clock.h"
#include "program.h"

class QWidget;

class TFakeClock : public TDrillClock {
public:
  uint32_t Now = 5000000;
  uint32_t TickCount() override { return Now; }
  std::optional<uint64_t> PerformanceCounter() override { return 123456789u; }
  TDateTime LocalDateTime() override { return TDateTime{2024, 3, 15, 9, 5, 0}; }
};

// UTF-8 <-> the QString the widgets hold.
QString U(const char* Utf8);

// Runs Inspect on the next modal window once it is up (an error box or the
// graph window), then closes that window. Returns false from Done() until then.
class TModalWatch {
public:
  explicit TModalWatch(std::function<void(QWidget*)> Inspect);
  ~TModalWatch();
  bool Done() const { return *FDone; }

private:
  std::shared_ptr<bool> FDone = std::make_shared<bool>(false);
  class QTimer* FTimer;
};

// Shows Watch every event of the application while it lives.
class TEventWatch : public QObject {
public:
  explicit TEventWatch(std::function<void(QObject*, QEvent*)> Watch);
  ~TEventWatch() override;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  std::function<void(QObject*, QEvent*)> FWatch;
};

// The application object and both windows, as the program starts them, with
// the history file in a fresh directory.
class TProgramFixture {
public:
  explicit TProgramFixture(double ScreenDpi = 0);
  ~TProgramFixture();

  std::string HistoryPath() const;
  TApplication& App() { return *FApp; }
  class TMainWindow& MainWindow() { return *FWindows.MainWindow; }
  class TGraphWindow& GraphWindow() { return *FWindows.GraphWindow; }
  class TResults& Results() { return *FWindows.Results; }
  TFakeClock Clock;
  QTemporaryDir Dir;

  void Create();

private:
  std::unique_ptr<TApplication> FApp;
  TProgramWindows FWindows;
};
