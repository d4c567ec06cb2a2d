// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared pieces of the widget tests: the windows of the program in a scratch
// directory with a clock the test sets, a way to look at a modal window, and a
// watch on every event.
#include <QObject>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>

#include "app/shell/application.h"
#include "app/shell/program.h"
#include "fake_drill_clock.h"
#include "widget_texts.h"

class QWidget;

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
// the history file in a fresh directory, and the user's data directory (the
// history's daily copies) in it as "data".
class TProgramFixture {
public:
  explicit TProgramFixture(double ScreenDpi = 0);
  ~TProgramFixture();

  std::string HistoryPath() const;
  TApplication& App() { return *FApp; }
  class TMainWindow& MainWindow() { return *FWindows.MainWindow; }
  class TGraphWindow& GraphWindow() { return *FWindows.GraphWindow; }
  class TResults& Results() { return *FWindows.Results; }
  TFakeDrillClock Clock;  // at 5,000,000 ms, its counter standing at 123456789
  QTemporaryDir Dir;

  void Create();

private:
  std::unique_ptr<TApplication> FApp;
  TProgramWindows FWindows;
};
