// SPDX-License-Identifier: GPL-3.0-or-later
// A plain line edit that takes the input method as any program's would: the
// input-method tests type into it first, to see that the method composes
// Japanese at all, and last, to see that its mode is as the drill found it.
// Enter prints the box's text as a line of UTF-8 on standard output and
// clears the box.
#include <QApplication>
#include <QLineEdit>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication Application(argc, argv);
  QLineEdit Box;
  Box.setWindowTitle(QStringLiteral("ime-probe"));
  QObject::connect(&Box, &QLineEdit::returnPressed, [&Box] {
    std::printf("%s\n", Box.text().toUtf8().constData());
    std::fflush(stdout);
    Box.clear();
  });
  Box.resize(320, 60);
  Box.show();
  return QApplication::exec();
}
