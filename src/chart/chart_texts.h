// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed texts of the chart, as Shift_JIS bytes: the error messages of a
// value asked for past the end of a series and of a bar width out of range.
// The source holds them as UTF-8; FixedSjis converts each exactly once, at
// first use.
#include <string>

#include "platform/sjis.h"

struct TChartTexts {
  // Error messages (the error box appends the final ".").
  std::string ListIndexOutOfRange = FixedSjis("リストのインデックスが範囲を超えています (%d)");
  std::string BarWidthOutOfRange = FixedSjis("棒の幅は 1% から 100% でなければなりません");
};

// The one instance, converted at first use.
const TChartTexts& ChartTexts();
