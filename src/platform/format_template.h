// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The template formatter that makes the program's texts: the drill's records,
// the results' notices and readouts. Templates and results are Shift_JIS
// bytes; only "%" starts a conversion, so Japanese text passes through.
//
//   %[-][width][.precision]letter   letters D (integer), S (string), F (fixed),
//                                   either case; "%%" is one "%".
// Widths count bytes and fill with blanks on the left ("-": on the right).
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

using TFormatArg = std::variant<int32_t, std::string, double>;

// Arguments are taken in order; arguments left over are ignored. A conversion
// without an argument of its kind throws EAppError (a programming error).
std::string FormatTemplate(std::string_view Template, const std::vector<TFormatArg>& Args);

// Fixed notation with Decimals places: the value is first brought to 18
// significant digits (ties to even), then rounded half away from zero.
// A value that rounds to zero has no minus sign.
std::string FormatFixed(double Value, int Decimals);
