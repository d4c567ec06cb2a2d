// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/single_instance.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include "platform/instance_lock.h"

#ifdef SURASURA_HAVE_X11
#include <QtGui/qguiapplication_platform.h>
// Xlib last: its macros (None, Bool, KeyPress...) would clash with Qt's names.
#include <X11/Xlib.h>
#endif

namespace {

constexpr char Request[] = "forward\n";
constexpr char Answer[] = "ok\n";
// How long a start waits for the running copy's answer before it opens on
// its own: a running copy answers from its event loop within moments, one
// still starting once its windows are up.
constexpr int AnswerWaitMs = 5000;

}  // namespace

TSingleInstance::TSingleInstance(const std::string& Folder) {
  const std::string Directory = InstanceDirectory();
  const std::string Key = FolderKey(Folder);
  if (Directory.empty() || Key.empty()) return;
  FSocketPath = Directory + "/" + Key + ".socket";
  FLock = std::make_unique<TInstanceLock>(Directory + "/" + Key + ".lock");
  if (!FLock->Held()) return;
  // Listening from the start, a second start that comes while this one is
  // still opening its windows is answered once the event loop runs. Holding
  // the lock, any socket left at this path is a killed copy's.
  QLocalServer::removeServer(QString::fromStdString(FSocketPath));
  FServer = new QLocalServer(this);
  FServer->setSocketOptions(QLocalServer::UserAccessOption);
  if (!FServer->listen(QString::fromStdString(FSocketPath))) return;
  connect(FServer, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* Socket = FServer->nextPendingConnection()) {
      connect(Socket, &QLocalSocket::disconnected, Socket, &QObject::deleteLater);
      connect(Socket, &QLocalSocket::readyRead, this, [this, Socket] {
        if (!Socket->canReadLine()) return;
        if (Socket->readLine() == Request) {
          BringForward();
          Socket->write(Answer);
          Socket->flush();
        }
        Socket->disconnectFromServer();
      });
    }
  });
}

TSingleInstance::~TSingleInstance() = default;

bool TSingleInstance::HandedToRunningCopy() {
  if (!FLock || !FLock->Opened() || FLock->Held()) return false;
  QLocalSocket Socket;
  Socket.connectToServer(QString::fromStdString(FSocketPath));
  if (!Socket.waitForConnected(AnswerWaitMs)) return false;
  Socket.write(Request);
  if (!Socket.waitForBytesWritten(AnswerWaitMs)) return false;
  while (Socket.bytesAvailable() < static_cast<qint64>(sizeof(Answer) - 1)) {
    if (!Socket.waitForReadyRead(AnswerWaitMs)) return false;
  }
  return Socket.readAll().startsWith(Answer);
}

void TSingleInstance::Serve(QWidget& Window) { FWindow = &Window; }

void TSingleInstance::BringForward() {
  QWidget* Target = QApplication::activeModalWidget();
  if (Target == nullptr) Target = FWindow;
  if (Target == nullptr) return;
  if (Target->isMinimized()) Target->showNormal();
  Target->raise();
  Target->activateWindow();
#ifdef SURASURA_HAVE_X11
  // The toolkit asks for the keyboard with the time of the last event it saw,
  // which the X server refuses once another window took the keyboard later
  // (as the second start's own window would); the request to come forward is
  // the user's latest action, so it is asked for as of now.
  auto* X11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (Display* Dpy = X11 ? X11->display() : nullptr) {
    XSetInputFocus(Dpy, static_cast<Window>(Target->winId()), RevertToParent, CurrentTime);
    XFlush(Dpy);
  }
#endif
}
