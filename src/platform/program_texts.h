// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed texts of the lowest layers and of more than one layer above, as
// Shift_JIS bytes: the error messages of the number conversion, the history
// and the chart, the chart's titles and the font faces. The source holds them
// as UTF-8; FixedSjis converts each exactly once, at first use. The drill's
// words are in drill/drill_texts.h, the results' in results/result_texts.h,
// the windows' in the window layer.
#include <string>

#include "platform/sjis.h"

struct TProgramTexts {
  // Error messages (the error box appends the final ".").
  std::string NotAnInteger = FixedSjis("'%s' は整数ではありません");
  std::string CannotOpenFile = FixedSjis("ファイル \"%s\". %s は開けません");
  std::string CannotCreateFile = FixedSjis("ファイル \"%s\". %s を作成できません");
  std::string StreamWriteError = FixedSjis("ストリームへの書き込みエラー");
  std::string CannotInsertLine = FixedSjis("行を挿入できません");
  std::string ListIndexOutOfRange = FixedSjis("リストのインデックスが範囲を超えています (%d)");
  std::string BarWidthOutOfRange = FixedSjis("棒の幅は 1% から 100% でなければなりません");

  // The result chart.
  std::string ChartTitle = FixedSjis("結果グラフ");
  std::string LeftAxisTitle = FixedSjis("正答率（％）");
  std::string RightAxisTitle = FixedSjis("所要時間（秒）");
  std::string BarSeriesTitle = FixedSjis("正答率");

  // Font face names as the windows and the chart ask for them.
  std::string GothicFace = FixedSjis("ＭＳ ゴシック");
  std::string PGothicFace = FixedSjis("ＭＳ Ｐゴシック");
  std::string PMinchoFace = FixedSjis("ＭＳ Ｐ明朝");
};

// The one instance, converted at first use.
const TProgramTexts& Texts();
