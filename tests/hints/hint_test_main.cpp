// SPDX-License-Identifier: GPL-3.0-or-later
// The hint tests need an application object; without a display they use the
// off-screen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

// The off-screen platform cannot raise windows and says so at every hint.
QtMessageHandler GDefaultHandler = nullptr;

void QuietMessages(QtMsgType Type, const QMessageLogContext& Context, const QString& Message) {
  if (Message.contains(QStringLiteral("does not support raise"))) return;
  if (GDefaultHandler) GDefaultHandler(Type, Context, Message);
}

}  // namespace

int main(int argc, char** argv) {
  GDefaultHandler = qInstallMessageHandler(QuietMessages);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir RuntimeDir;
  if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", RuntimeDir.path().toUtf8());
  ::testing::InitGoogleTest(&argc, argv);
  QApplication App(argc, argv);
  return RUN_ALL_TESTS();
}
