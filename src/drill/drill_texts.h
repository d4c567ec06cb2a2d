// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text that a drill shows or stores, byte for byte (Shift_JIS). The
// summary line is also the line format of the history file, so its widths and
// blanks are part of a file format.
#include <cstdint>
#include <string>

#include "platform/clock.h"

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
