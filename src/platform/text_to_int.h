// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The strict text-to-integer conversion used for the answer box and the history fields.
#include <cstdint>
#include <string_view>

// Reads the whole text: leading blanks (0x20 only), one optional sign, then
// decimal digits or "$", "x", "0x" hexadecimal, and nothing after the digits.
// Throws EConvertError "'%s' は整数ではありません" with the text as given.
int32_t TextToInt(std::string_view Text);

// The same reading without the error: false when the text is not a whole number.
bool TryTextToInt(std::string_view Text, int32_t& Value);
