// SPDX-License-Identifier: GPL-3.0-or-later
// The history's summary for assistive technology: the figures read from the
// lines (damaged ones counted but giving nothing) and the sentences made of them.
#include "results/history_summary.h"

#include <gtest/gtest.h>

#include "history/history_file.h"
#include "platform/sjis.h"

namespace {

std::string Line(int Minutes, int Seconds, const char* Percent) {
  char Text[80];
  std::snprintf(Text, sizeof Text, "所要時間 %02d分%02d秒 正答率%s%%  2024/03/15 09:05", Minutes, Seconds, Percent);
  return ToSjis(Text);
}

TEST(HistorySummary, TellsTheCountTheLatestTheBestAndWhatIsShown) {
  struct TRow {
    const char* Case;
    std::vector<std::string> Lines;
    std::optional<TShownDrills> Shown;
    const char* Expected;
  };
  const std::vector<TRow> Rows = {
      {"no drills", {}, std::nullopt, "まだドリルの記録はありません。"},
      {"three drills",
       {Line(3, 12, " 85"), Line(2, 58, " 70"), Line(4, 36, " 96")},
       TShownDrills{1, 3},
       "3回分のドリルの成績です。最新の3回目は正答率 96%、所要時間 4分36秒。"
       "最高の正答率は 96%、最短の所要時間は 2分58秒。表示は 3回分のうち 1回目から 3回目です。"},
      {"scrolled away", {Line(3, 12, " 85")}, std::nullopt,
       "1回分のドリルの成績です。最新の1回目は正答率 85%、所要時間 3分12秒。"
       "最高の正答率は 85%、最短の所要時間は 3分12秒。表示の範囲にドリルはありません。"},
      {"latest damaged",
       {Line(3, 12, " 85"), ToSjis("所要時間 0x分00秒 正答率 ??%  ----")},
       TShownDrills{1, 2},
       "2回分のドリルの成績です。最高の正答率は 85%、最短の所要時間は 3分12秒。表示は 2回分のうち 1回目から 2回目です。"},
      {"latest without its time", {Line(1, 59, " 99"), ToSjis("所要時間 02分xx秒 正答率 40%  2024/03/15 09:05")},
       TShownDrills{1, 2},
       "2回分のドリルの成績です。最新の2回目は正答率 40%。最高の正答率は 99%、最短の所要時間は 1分59秒。"
       "表示は 2回分のうち 1回目から 2回目です。"},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Case);
    THistoryFile History("unused-by-this-test.DAT");
    for (const std::string& L : Row.Lines) History.Append(L);
    EXPECT_EQ(FromSjis(HistorySummary(ReadHistoryFigures(History), Row.Shown)), Row.Expected);
  }
}

}  // namespace
