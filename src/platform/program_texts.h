// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed texts of the engine, the history and the chart, in one place, as
// Shift_JIS bytes: the drill's records, the error messages, the chart's titles
// and the font faces. The source holds them as UTF-8; FixedSjis converts each
// exactly once, at first use. The windows' own words are in the window layer.
#include <string>

#include "platform/sjis.h"

struct TProgramTexts {
  // Drill record templates (formatted by FormatTemplate).
  std::string OperandTemplate = "%D";
  std::string ClockTemplate = FixedSjis("%.2D分%.2D秒");
  std::string QuestionTimeTemplate = FixedSjis("%.2D分%.2D秒%.3D");
  std::string CorrectLineTemplate = FixedSjis("%3D: %2D %S %2D = %3D  正解 　 　   %S");
  std::string WrongLineTemplate = FixedSjis("%3D: %2D %S %2D = %3D  不正解(%3D)  %S");
  std::string NoAnswerLineTemplate = FixedSjis("%3D: %2D %S %2D = %3S  不正解(%3D)  %S");
  std::string SummaryTemplate = FixedSjis("所要時間 %S 正答率%3.0F%%  %S");
  std::string ClockAtRest = FixedSjis("00分00秒");

  // Operator glyphs: one full-width character each.
  std::string PlusGlyph = FixedSjis("＋");   // 0x81 0x7B
  std::string MinusGlyph = FixedSjis("－");  // 0x81 0x7C
  std::string TimesGlyph = FixedSjis("×");   // 0x81 0x7E

  // Error messages (the error box appends the final ".").
  std::string NotAnInteger = FixedSjis("'%s' は整数ではありません");
  std::string NoTimer = FixedSjis("タイマーを取得できません");
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
