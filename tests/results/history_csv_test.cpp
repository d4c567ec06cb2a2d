// SPDX-License-Identifier: GPL-3.0-or-later
// The quoting of one CSV field; the whole file is read back by Python's csv
// module in csv_read_back_test.py.
#include "results/history_csv.h"

#include <gtest/gtest.h>

namespace {

TEST(HistoryCsv, QuotesAFieldOnlyWhereCsvAsksIt) {
  struct TRow {
    const char* Text;
    const char* Expected;
  };
  const TRow Rows[] = {
      {"", ""},
      {"2024-03-15T09:05", "2024-03-15T09:05"},
      {"所要時間 0x分", "所要時間 0x分"},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"\"", "\"\"\"\""},
      {"two\nrows", "\"two\nrows\""},
      {"cr\r", "\"cr\r\""},
      {" blank first", "\" blank first\""},
      {"blank last ", "\"blank last \""},
  };
  for (const TRow& Row : Rows) EXPECT_EQ(CsvField(Row.Text), Row.Expected) << Row.Text;
}

}  // namespace
