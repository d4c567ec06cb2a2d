// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_test_support.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include "app/windows/graph_window.h"
#include "app/windows/main_window.h"
#include "platform/sjis.h"

TModalWatch::TModalWatch(std::function<void(QWidget*)> Inspect) : FTimer(new QTimer) {
  FTimer->setInterval(10);
  QObject::connect(FTimer, &QTimer::timeout, [Timer = FTimer, Done = FDone, Inspect] {
    QWidget* Modal = QApplication::activeModalWidget();
    if (Modal == nullptr || *Done) return;
    *Done = true;
    Timer->stop();
    Inspect(Modal);
    if (auto* Dialog = qobject_cast<QDialog*>(Modal)) Dialog->reject();
  });
  FTimer->start();
}

TModalWatch::~TModalWatch() { delete FTimer; }

TEventWatch::TEventWatch(std::function<void(QObject*, QEvent*)> Watch) : FWatch(std::move(Watch)) {
  qApp->installEventFilter(this);
}

TEventWatch::~TEventWatch() { qApp->removeEventFilter(this); }

bool TEventWatch::eventFilter(QObject* Watched, QEvent* Event) {
  FWatch(Watched, Event);
  return false;
}

TProgramFixture::TProgramFixture(double ScreenDpi) {
  // The daily copies of the history go to the scratch directory too.
  qputenv("XDG_DATA_HOME", Dir.filePath(QStringLiteral("data")).toUtf8());
  Clock.Now = 5000000;
  Clock.Counter = 123456789u;
  FApp = std::make_unique<TApplication>(*qApp, ToSjis(QCoreApplication::applicationFilePath().toStdString()));
  if (ScreenDpi > 0) FApp->SetScreenDpi(ScreenDpi);
}

void TProgramFixture::Create() {
  FWindows = CreateWindows(*FApp, Clock, HistoryPath());
  if (!QTest::qWaitForWindowActive(FWindows.MainWindow.get())) qWarning("the main window did not become active");
}

TProgramFixture::~TProgramFixture() = default;

std::string TProgramFixture::HistoryPath() const { return Dir.filePath(QStringLiteral("HIST_ZV.DAT")).toStdString(); }
