// SPDX-License-Identifier: GPL-3.0-or-later
// The widget tests share one toolkit application per process.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (at build time) needs no display.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QApplication Toolkit(argc, argv);
  return RUN_ALL_TESTS();
}
