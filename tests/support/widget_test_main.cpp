// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the widget tests: one toolkit application per process, on the
// off-screen platform and with a runtime directory of its own unless the
// environment names others.
#include <gtest/gtest.h>

#include <QApplication>
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
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (at build time) needs no display.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  GDefaultHandler = qInstallMessageHandler(QuietMessages);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir RuntimeDir;
  if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", RuntimeDir.path().toUtf8());
  QApplication Toolkit(argc, argv);
  return RUN_ALL_TESTS();
}
