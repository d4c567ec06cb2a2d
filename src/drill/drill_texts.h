// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text that a drill shows or stores, byte for byte (Shift_JIS). The
// summary line is also the line format of the history file, so its widths and
// blanks are part of a file format.
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/sjis.h"

// The fixed texts of a drill. The source holds them as UTF-8; FixedSjis
// converts each exactly once, at first use.
struct TDrillTexts {
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

  // A drill that cannot time itself.
  std::string NoTimer = FixedSjis("タイマーを取得できません");
};

// The one instance, converted at first use.
const TDrillTexts& DrillTexts();

// Plain decimal text of an operand ("7", "15").
std::string OperandText(int32_t Value);

// "00分03秒042": minutes (at least two digits), seconds, milliseconds.
std::string QuestionTimeText(int32_t Milliseconds);

// "05分23秒": the elapsed-time clock.
std::string ClockLabelText(int32_t Milliseconds);

// Log lines, 45 bytes while the question time is under 100 minutes.
std::string CorrectLine(int32_t N, int32_t Left, const std::string& Glyph, int32_t Right,
                        int32_t Given, const std::string& Time);
std::string WrongLine(int32_t N, int32_t Left, const std::string& Glyph, int32_t Right,
                      int32_t Given, int32_t Answer, const std::string& Time);
std::string NoAnswerLine(int32_t N, int32_t Left, const std::string& Glyph, int32_t Right,
                         int32_t Answer, const std::string& Time);

// "YYYY/MM/DD HH:NN" with the regional separators.
std::string DateText(const TDateTime& When, char DateSep = DateSeparator(), char TimeSep = TimeSeparator());

// "所要時間 05分23秒 正答率 87%  2024/03/15 09:05": 46 bytes below 100 minutes.
std::string SummaryLine(const std::string& Clock, double Percent, const std::string& Date);
