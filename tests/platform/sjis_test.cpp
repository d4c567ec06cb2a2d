// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sjis.h"

#include <gtest/gtest.h>

TEST(Sjis, RoundTripsJapaneseText) {
  const std::string Utf8 = "所要時間 05分23秒 正答率 87%";
  const std::string Sjis = ToSjis(Utf8);
  EXPECT_EQ(Sjis.substr(0, 8), "\x8F\x8A\x97\x76\x8E\x9E\x8A\xD4");
  EXPECT_EQ(FromSjis(Sjis), Utf8);
}

TEST(Sjis, UnmappableCharacterBecomesQuestionMark) {
  // An emoji has no code page 932 form; it must stay visible, not vanish.
  EXPECT_EQ(ToSjis("1\xF0\x9F\x98\x80" "2"), "1?2");
}

TEST(Sjis, BrokenShiftJisBecomesReplacementCharacter) {
  EXPECT_EQ(FromSjis(std::string("A\x81", 2)), "A\xEF\xBF\xBD");
  EXPECT_EQ(FromSjis(std::string("\xA0Z", 2)), "\xEF\xBF\xBDZ");
}
