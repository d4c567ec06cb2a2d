// SPDX-License-Identifier: GPL-3.0-or-later
// TextToInt on arbitrary bytes agrees with a small reference reader written
// apart from it: the reference finds the parts of the text first and leaves the
// arithmetic to 64-bit integers, the real reader works digit by digit on 32 bits.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "platform/app_error.h"
#include "platform/program_texts.h"
#include "platform/text_to_int.h"

namespace {

bool IsDecimal(char C) { return C >= '0' && C <= '9'; }
bool IsHex(char C) { return IsDecimal(C) || (C >= 'a' && C <= 'f') || (C >= 'A' && C <= 'F'); }

// Blanks, a sign, a radix mark, digits to the end: the number, or nothing.
std::optional<int32_t> ReferenceValue(std::string_view Text) {
  const size_t Start = Text.find_first_not_of(' ');
  if (Start == std::string_view::npos) return std::nullopt;
  std::string_view Rest = Text.substr(Start);
  bool Negative = false;
  if (Rest[0] == '+' || Rest[0] == '-') {
    Negative = Rest[0] == '-';
    Rest.remove_prefix(1);
  }
  bool Hex = false;
  if (!Rest.empty() && (Rest[0] == '$' || Rest[0] == 'x' || Rest[0] == 'X')) {
    Hex = true;
    Rest.remove_prefix(1);
  } else if (Rest.size() >= 2 && Rest[0] == '0' && (Rest[1] == 'x' || Rest[1] == 'X')) {
    Hex = true;
    Rest.remove_prefix(2);
  }
  if (Rest.empty()) return std::nullopt;
  for (char C : Rest) {
    if (Hex ? !IsHex(C) : !IsDecimal(C)) return std::nullopt;
  }
  // Leading zeros never overflow; what remains must fit.
  const size_t FirstSignificant = Rest.find_first_not_of('0');
  const std::string_view Significant =
      FirstSignificant == std::string_view::npos ? std::string_view() : Rest.substr(FirstSignificant);
  if (Significant.size() > (Hex ? 8u : 10u)) return std::nullopt;
  const int64_t Magnitude = Significant.empty() ? 0 : std::stoll(std::string(Significant), nullptr, Hex ? 16 : 10);
  if (Hex) {
    // The 32-bit pattern read as signed, negated after a "-" (wrapping).
    const uint32_t Pattern = static_cast<uint32_t>(Magnitude);
    return static_cast<int32_t>(Negative ? 0u - Pattern : Pattern);
  }
  if (Magnitude > 2147483647 && !(Negative && Magnitude == 2147483648)) return std::nullopt;
  return static_cast<int32_t>(Negative ? -Magnitude : Magnitude);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  const std::optional<int32_t> Expected = ReferenceValue(Text);

  int32_t Value = 0x5A5A5A5A;
  const bool Read = TryTextToInt(Text, Value);
  FUZZ_CHECK(Read == Expected.has_value(), "TryTextToInt says %d, the reference %d", Read, Expected.has_value());
  if (Read) FUZZ_CHECK(Value == *Expected, "value %d, the reference %d", Value, *Expected);

  try {
    const int32_t Thrown = TextToInt(Text);
    FUZZ_CHECK(Expected && Thrown == *Expected, "TextToInt read %d where the reference does not agree", Thrown);
  } catch (const EConvertError& Error) {
    FUZZ_CHECK(!Expected, "TextToInt failed on a number");
    // The message carries the whole text as given, untrimmed, NUL bytes included.
    std::string Message = Texts().NotAnInteger;
    Message.replace(Message.find("%s"), 2, Text);
    FUZZ_CHECK(Error.Message() == Message, "message is not the text in quotes");
  }
  return 0;
}
