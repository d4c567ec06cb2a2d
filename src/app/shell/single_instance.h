// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A second start of the program in a folder whose history a running copy
// already has open brings that copy to the front and ends, as desktop
// programs do: the running copy holds the folder's lock (instance_lock.h) and
// listens on a local socket beside it. A copy that cannot be reached (hung,
// or another user's) does not keep the new one from starting.
#include <QObject>
#include <memory>
#include <string>

class QLocalServer;
class QWidget;
class TInstanceLock;

class TSingleInstance : public QObject {
public:
  // Takes the lock of Folder's history, or finds it taken.
  explicit TSingleInstance(const std::string& Folder = ".");
  ~TSingleInstance() override;

  // True when a running copy for this folder was asked to come to the front
  // and said it did: this start then ends.
  bool HandedToRunningCopy();

  // A later start brings Window to the front, or the modal window shown over
  // it.
  void Serve(QWidget& Window);

private:
  void BringForward();

  std::string FSocketPath;
  std::unique_ptr<TInstanceLock> FLock;
  QLocalServer* FServer = nullptr;
  QWidget* FWindow = nullptr;
};
