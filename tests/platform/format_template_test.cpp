// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/format_template.h"

#include <gtest/gtest.h>

#include "platform/app_error.h"

TEST(FormatTemplate, IntegerWidthAndPrecision) {
  EXPECT_EQ(FormatTemplate("%3D", {int32_t{7}}), "  7");
  EXPECT_EQ(FormatTemplate("%3D", {int32_t{100}}), "100");
  EXPECT_EQ(FormatTemplate("%2D", {int32_t{5}}), " 5");
  EXPECT_EQ(FormatTemplate("%2D", {int32_t{12}}), "12");
  EXPECT_EQ(FormatTemplate("%.2D", {int32_t{7}}), "07");
  EXPECT_EQ(FormatTemplate("%.2D", {int32_t{123}}), "123");
  EXPECT_EQ(FormatTemplate("%.3D", {int32_t{-5}}), "-005");
  EXPECT_EQ(FormatTemplate("%D", {int32_t{INT32_MIN}}), "-2147483648");
  EXPECT_EQ(FormatTemplate("%-4D|", {int32_t{7}}), "7   |");
  EXPECT_EQ(FormatTemplate("%5.3d", {int32_t{7}}), "  007");  // letters in either case
}

TEST(FormatTemplate, StringsCountBytes) {
  EXPECT_EQ(FormatTemplate("%3S", {std::string()}), "   ");
  EXPECT_EQ(FormatTemplate("%3S", {std::string("\x81\x7B")}), " \x81\x7B");
  EXPECT_EQ(FormatTemplate("%.2S", {std::string("abcd")}), "ab");
  EXPECT_EQ(FormatTemplate("%1S", {std::string("long")}), "long");  // never cut by the width
}

TEST(FormatTemplate, PercentAndPassThroughAndLeftoverArguments) {
  EXPECT_EQ(FormatTemplate("100%%", {}), "100%");
  EXPECT_EQ(FormatTemplate("\x95\xAA%D", {int32_t{1}, int32_t{2}, int32_t{3}}), "\x95\xAA" "1");
}

TEST(FormatTemplate, MismatchedArgumentsAreReported) {
  EXPECT_THROW(FormatTemplate("%D", {}), EAppError);
  EXPECT_THROW(FormatTemplate("%D", {std::string("x")}), EAppError);
  EXPECT_THROW(FormatTemplate("%S", {1.0}), EAppError);
  EXPECT_THROW(FormatTemplate("%Q", {int32_t{1}}), EAppError);
  EXPECT_THROW(FormatTemplate("abc%3", {int32_t{1}}), EAppError);
}

TEST(FormatFixed, HalvesGoAwayFromZero) {
  EXPECT_EQ(FormatTemplate("%3.0F", {2.5}), "  3");
  EXPECT_EQ(FormatTemplate("%3.0F", {0.5}), "  1");
  EXPECT_EQ(FormatTemplate("%3.0F", {3.5}), "  4");
  EXPECT_EQ(FormatFixed(-2.5, 0), "-3");
  EXPECT_EQ(FormatFixed(0.125, 2), "0.13");    // an exact half in binary
  EXPECT_EQ(FormatFixed(9.9996, 3), "10.000");  // the carry runs into a new digit
  // The stored value decides, read to 18 digits: 1.005 is 1.00499999999999989...
  EXPECT_EQ(FormatFixed(1.005, 2), "1.00");
  EXPECT_EQ(FormatFixed(2.675, 2), "2.67");
  EXPECT_EQ(FormatFixed(4503599627370495.5, 0), "4503599627370496");
  EXPECT_EQ(FormatFixed(99.5, 0), "100");
}

TEST(FormatFixed, DefaultsAndZero) {
  EXPECT_EQ(FormatTemplate("%F", {1.5}), "1.50");
  EXPECT_EQ(FormatFixed(0.0, 0), "0");
  EXPECT_EQ(FormatFixed(-0.0, 2), "0.00");
  EXPECT_EQ(FormatFixed(-0.4, 0), "0");  // never "-0"
  EXPECT_EQ(FormatFixed(-0.004, 2), "0.00");
  EXPECT_EQ(FormatFixed(0.0004, 3), "0.000");
  EXPECT_EQ(FormatFixed(0.0005, 3), "0.001");
  EXPECT_EQ(FormatFixed(123456789.0, 1), "123456789.0");
  EXPECT_EQ(FormatFixed(1e20, 0), "100000000000000000000");
}

TEST(FormatFixed, EveryPercentageOfADrillIsItsCount) {
  for (int Count = 0; Count <= 100; ++Count) {
    double Percent = static_cast<double>(Count) / 100.0 * 100.0;
    std::string Expected = std::to_string(Count);
    Expected.insert(0, 3 - Expected.size(), ' ');
    EXPECT_EQ(FormatTemplate("%3.0F", {Percent}), Expected) << Count;
  }
}
