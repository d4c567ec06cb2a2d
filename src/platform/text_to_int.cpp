// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_to_int.h"

#include <string>

#include "platform/app_error.h"
#include "platform/program_texts.h"

namespace {

int HexDigitValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  return -1;
}

}  // namespace

bool TryTextToInt(std::string_view Text, int32_t& Value) {
  size_t I = 0;
  const size_t N = Text.size();
  while (I < N && Text[I] == ' ') ++I;
  bool Negative = false;
  if (I < N && (Text[I] == '-' || Text[I] == '+')) {
    Negative = Text[I] == '-';
    ++I;
  }
  if (I < N && (Text[I] == '$' || Text[I] == 'x' || Text[I] == 'X')) {
    ++I;
  } else if (I + 1 < N && Text[I] == '0' && (Text[I + 1] == 'x' || Text[I + 1] == 'X')) {
    I += 2;
  } else {
    // Decimal.
    if (I >= N) return false;
    uint32_t Result = 0;
    for (; I < N; ++I) {
      if (Text[I] < '0' || Text[I] > '9') return false;
      if (Result > 214748364u) return false;
      Result = Result * 10u + static_cast<uint32_t>(Text[I] - '0');
    }
    if (Result > 2147483647u && !(Negative && Result == 2147483648u)) return false;
    Value = Negative ? static_cast<int32_t>(0u - Result) : static_cast<int32_t>(Result);
    return true;
  }
  // Hexadecimal: the 32-bit pattern read as signed, negated after a "-".
  if (I >= N) return false;
  uint32_t Result = 0;
  for (; I < N; ++I) {
    int Digit = HexDigitValue(Text[I]);
    if (Digit < 0) return false;
    if (Result > 0x0FFFFFFFu) return false;
    Result = (Result << 4) | static_cast<uint32_t>(Digit);
  }
  Value = static_cast<int32_t>(Negative ? 0u - Result : Result);
  return true;
}

int32_t TextToInt(std::string_view Text) {
  int32_t Value = 0;
  if (!TryTextToInt(Text, Value)) {
    std::string Message = Texts().NotAnInteger;
    Message.replace(Message.find("%s"), 2, Text);
    throw EConvertError(Message);
  }
  return Value;
}
