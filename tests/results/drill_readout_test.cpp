// SPDX-License-Identifier: GPL-3.0-or-later
// The readout of one drill from its history line: a whole line, a longer
// line, and damaged lines that show what they can.
#include "results/drill_readout.h"

#include <gtest/gtest.h>

#include "platform/sjis.h"

namespace {

TEST(DrillReadout, ShowsWhatTheLineHolds) {
  struct TRow {
    const char* Case;
    std::string Line;  // Shift_JIS
    int Number;
    const char* Expected;  // UTF-8
  };
  const TRow Rows[] = {
      {"whole line", ToSjis("所要時間 04分36秒 正答率 96%  2026/12/07 10:15"), 12,
       "12回目（横軸 11）　2026/12/07 10:15　正答率 96%　所要時間 4分36秒"},
      {"hundred, leading zeros", ToSjis("所要時間 00分05秒 正答率100%  2024/01/02 03:04"), 1,
       "1回目（横軸 0）　2024/01/02 03:04　正答率 100%　所要時間 0分5秒"},
      {"47 bytes: a longer date", ToSjis("所要時間 03分12秒 正答率 85%  2024/03/14 20:01:"), 7,
       "7回目（横軸 6）　2024/03/14 20:01:　正答率 85%　所要時間 3分12秒"},
      {"date with trailing blanks", ToSjis("所要時間 03分12秒 正答率  5%  2024/03/14    "), 2,
       "2回目（横軸 1）　2024/03/14　正答率 5%　所要時間 3分12秒"},
      {"letters in the seconds", ToSjis("所要時間 03分1x秒 正答率 85%  2024/03/14 20:01"), 3,
       "3回目（横軸 2）　2024/03/14 20:01　正答率 85%"},
      {"letters in the percentage", ToSjis("所要時間 03分12秒 正答率 8a%  2024/03/14 20:01"), 4,
       "4回目（横軸 3）　2024/03/14 20:01　所要時間 3分12秒"},
      {"ends inside the percentage", ToSjis("所要時間 03分12秒 正答率 8"), 5, "5回目（横軸 4）　正答率 8%　所要時間 3分12秒"},
      {"ends before the seconds", ToSjis("所要時間 03分"), 6, "6回目（横軸 5）"},
      {"empty", "", 9, "9回目（横軸 8）"},
      {"foreign bytes", std::string("\x81\x40\xff\xfe garbage", 12), 10, "10回目（横軸 9）"},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Case);
    EXPECT_EQ(FromSjis(DrillReadout(Row.Line, Row.Number)), Row.Expected);
  }
}

}  // namespace
