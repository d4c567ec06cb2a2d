// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The readout of one finished drill, made from its history line: which drill
// it is, its date and time, the percentage and the time taken, as the hint
// over the drill's bar shows them. Shift_JIS in, Shift_JIS out.
#include <compare>
#include <optional>
#include <string>
#include <string_view>

// DrillNumber counts from 1 (the oldest drill); the readout names the drill
// by it and by the number under its bar, DrillNumber - 1, so that the two
// cannot be read as a contradiction. Fields that do not read as
// numbers are left out, and so is a date and time the line does not reach:
// a damaged line shows what it can.
std::string DrillReadout(std::string_view Line, int DrillNumber);

// The line's date and time as it holds them: everything after the fixed
// fields, without surrounding blanks (empty when the line ends before).
std::string_view DateTimeOf(std::string_view Line);

// The date and time of DateTimeOf read as numbers: "YYYY/MM/DD HH:MM", each
// separator any one character that is not a digit (the regional separators
// the drill's end wrote), or nothing when the line holds no such date and time.
struct TDrillTime {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0;
  auto operator<=>(const TDrillTime&) const = default;
};
std::optional<TDrillTime> DrillTimeOf(std::string_view Line);
