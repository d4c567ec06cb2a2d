// SPDX-License-Identifier: GPL-3.0-or-later
// The strict text-to-integer reading: the forms it accepts, the texts it
// refuses, and the failure message that quotes the text.
#include "platform/text_to_int.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/app_error.h"

namespace {

std::optional<int32_t> Read(std::string_view Text) {
  int32_t Value = 0;
  if (!TryTextToInt(Text, Value)) return std::nullopt;
  return Value;
}

}  // namespace

TEST(TextToInt, AcceptsDecimalWithLeadingBlanksAndOneSign) {
  EXPECT_EQ(Read(" 87"), 87);
  EXPECT_EQ(Read("05"), 5);
  EXPECT_EQ(Read("007"), 7);
  EXPECT_EQ(Read("  -12"), -12);
  EXPECT_EQ(Read("+3"), 3);
  EXPECT_EQ(Read("100"), 100);
  EXPECT_EQ(Read("2147483647"), 2147483647);
  EXPECT_EQ(Read("-2147483648"), INT32_MIN);
}

TEST(TextToInt, AcceptsHexadecimalForms) {
  EXPECT_EQ(Read("x1F"), 31);
  EXPECT_EQ(Read("$ff"), 255);
  EXPECT_EQ(Read("0X10"), 16);
  EXPECT_EQ(Read("$FFFFFFFF"), -1);
  EXPECT_EQ(Read("-$10"), -16);
  EXPECT_EQ(Read("$80000000"), INT32_MIN);
}

TEST(TextToInt, RejectsEverythingElse) {
  for (std::string_view Bad : {"", "87 ", "-", "+", " ", "\t5", "--5", "+-5", "1.0", "1a", "x", "$", "0x",
                               "2147483648", "-2147483649", "99999999999", "$100000000", "\x82\x54"}) {
    EXPECT_FALSE(Read(Bad).has_value()) << "'" << Bad << "'";
  }
}

TEST(TextToInt, FailureMessageQuotesTheWholeText) {
  try {
    TextToInt("12 ");
    FAIL() << "no error";
  } catch (const EConvertError& Error) {
    // '12 ' は整数ではありません
    EXPECT_EQ(std::string(Error.what()),
              "'12 '\x20\x82\xCD\x90\xAE\x90\x94\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1");
  }
  try {
    TextToInt("");
    FAIL() << "no error";
  } catch (const EConvertError& Error) {
    EXPECT_EQ(std::string(Error.what()).substr(0, 3), "'' ");
  }
}
