// SPDX-License-Identifier: GPL-3.0-or-later
// FormatTemplate with arbitrary templates and arguments, in two ways:
// - any bytes as the template and any list of arguments: the result comes back
//   or a program error is thrown, never anything else; a template without "%"
//   comes back unchanged; the result's size stays within what the fields allow.
// - a template made of literal pieces and well-formed conversions with matching
//   arguments: the result is the pieces with each field as the C library writes
//   it (D and S), or a fixed-point text that reads back within half a unit of
//   its last place (F).
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "platform/app_error.h"
#include "platform/format_template.h"

namespace {

// The formatter takes no width or precision beyond this (see format_template.cpp).
constexpr size_t MaxFieldSize = 4096;

double AnyDouble(TFuzzInput& In) {
  switch (In.Byte() % 4) {
    case 0: {
      const uint64_t Bits = In.U64();
      double Value;
      std::memcpy(&Value, &Bits, sizeof Value);
      return Value;
    }
    case 1: return static_cast<double>(static_cast<int32_t>(In.U32())) / 100.0;
    case 2: return static_cast<double>(In.Range(0, 100)) / 100.0 * 100.0;  // as a summary's percentage
    default: return static_cast<double>(static_cast<int32_t>(In.U32())) + 0.5;
  }
}

void AddAnyArg(TFuzzInput& In, std::vector<TFormatArg>& Args) {
  switch (In.Byte() % 3) {
    case 0: Args.emplace_back(std::in_place_type<int32_t>, static_cast<int32_t>(In.U32())); break;
    case 1: Args.emplace_back(std::in_place_type<std::string>, In.Text(64, '\0')); break;
    default: Args.emplace_back(std::in_place_type<double>, AnyDouble(In)); break;
  }
}

size_t ArgSize(const TFormatArg& Arg) {
  if (const std::string* Text = std::get_if<std::string>(&Arg)) return Text->size();
  return 0;
}

void ArbitraryTemplate(TFuzzInput& In) {
  const std::string Template = In.Text(512, '\0');
  std::vector<TFormatArg> Args;
  const int Count = In.Range(0, 8);
  size_t ArgBytes = 0;
  for (int I = 0; I < Count; ++I) {
    AddAnyArg(In, Args);
    ArgBytes += ArgSize(Args.back());
  }
  try {
    const std::string Out = FormatTemplate(Template, Args);
    if (Template.find('%') == std::string::npos) FUZZ_CHECK(Out == Template, "a template without %% changed");
    // Each conversion gives at most its width, or its field: a number's digits
    // and its precision's zeros, or the string.
    const size_t PerConversion = 2 * MaxFieldSize + 400;
    FUZZ_CHECK(Out.size() <= Template.size() + Args.size() * PerConversion + ArgBytes, "result of %zu bytes",
               Out.size());
  } catch (const EAppError&) {
    // A conversion without an argument of its kind, an unknown letter, a cut template.
  }
}

// A fixed-point text: an optional "-", digits, and "." with Decimals digits when Decimals > 0.
bool IsFixedText(const std::string& Text, int Decimals) {
  size_t At = Text[0] == '-' ? 1 : 0;
  const size_t IntegerStart = At;
  while (At < Text.size() && Text[At] >= '0' && Text[At] <= '9') ++At;
  if (At == IntegerStart) return false;
  if (At - IntegerStart > 1 && Text[IntegerStart] == '0') return false;
  if (Decimals == 0) return At == Text.size();
  if (At >= Text.size() || Text[At] != '.') return false;
  ++At;
  const size_t Fraction = At;
  while (At < Text.size() && Text[At] >= '0' && Text[At] <= '9') ++At;
  return At == Text.size() && At - Fraction == static_cast<size_t>(Decimals);
}

void CheckFixed(double Value, int Decimals, const std::string& Text) {
  if (std::isnan(Value)) {
    FUZZ_CHECK(Text == "NAN", "NaN written as %s", Text.c_str());
    return;
  }
  if (std::isinf(Value)) {
    FUZZ_CHECK(Text == (Value < 0 ? "-INF" : "INF"), "infinity written as %s", Text.c_str());
    return;
  }
  FUZZ_CHECK(IsFixedText(Text, Decimals), "%.17g with %d decimals written as \"%s\"", Value, Decimals, Text.c_str());
  FUZZ_CHECK(Text[0] != '-' || Text.find_first_not_of("-0.") != std::string::npos, "a minus zero: %s", Text.c_str());
  FUZZ_CHECK((Text[0] == '-') == (Value < 0) || Text.find_first_not_of("-0.") == std::string::npos,
             "%.17g written with the wrong sign: %s", Value, Text.c_str());
  // Within half a unit of the last place kept (ties go away from zero), plus the
  // 18-digit first rounding and the reading back of the text.
  errno = 0;
  const long double Read = std::strtold(Text.c_str(), nullptr);
  const long double Unit = std::pow(10.0L, -Decimals);
  const long double Slack = std::fabs(static_cast<long double>(Value)) * 1e-17L + Unit * 1e-9L;
  const long double Error = std::fabs(Read - static_cast<long double>(Value));
  FUZZ_CHECK(Error <= Unit / 2 + Slack, "%.17g with %d decimals written as %s", Value, Decimals, Text.c_str());
}

std::string CField(const char* Format, int Width, int Precision, const TFormatArg& Arg) {
  std::vector<char> Buffer(2 * MaxFieldSize + 128);
  if (const int32_t* N = std::get_if<int32_t>(&Arg)) {
    std::snprintf(Buffer.data(), Buffer.size(), Format, Width, Precision, *N);
  } else {
    const std::string& S = std::get<std::string>(Arg);
    std::snprintf(Buffer.data(), Buffer.size(), Format, Width, Precision, S.c_str());
  }
  return Buffer.data();
}

void WellFormedTemplate(TFuzzInput& In) {
  std::string Template, Expected;
  std::vector<TFormatArg> Args;
  const int Pieces = In.Range(0, 12);
  for (int I = 0; I < Pieces && !In.Empty(); ++I) {
    const int Kind = In.Byte() % 5;
    if (Kind == 0) {
      // Literal bytes; "%%" gives one "%". NUL bytes are literal too.
      std::string Literal = In.Text(16, '\xFF');
      for (char C : Literal) {
        if (C == '%') {
          Template += "%%";
        } else {
          Template += C;
        }
        Expected += C;
      }
      continue;
    }
    const bool Left = In.Bool();
    const bool HasWidth = In.Bool();
    const int Width = HasWidth ? In.Range(0, 300) : 0;
    const bool HasPrecision = In.Bool();
    const int Precision = HasPrecision ? In.Range(0, 300) : -1;
    const bool Lower = In.Bool();
    std::string Conversion = "%";
    if (Left) Conversion += '-';
    if (HasWidth) Conversion += std::to_string(Width);
    if (HasPrecision) Conversion += "." + std::to_string(Precision);
    const char* CFormat = Left ? "%-*.*" : "%*.*";
    if (Kind == 1 || Kind == 2) {
      const int32_t N = static_cast<int32_t>(In.U32());
      Template += Conversion + (Lower ? "d" : "D");
      Args.push_back(N);
      // C writes no digit for a zero of precision 0; this formatter writes "0".
      const int CPrecision = (HasPrecision && !(Precision == 0 && N == 0)) ? Precision : -1;
      Expected += CField((std::string(CFormat) + "d").c_str(), Width, CPrecision, N);
    } else if (Kind == 3) {
      const std::string S = In.Text(40, '\0');
      Template += Conversion + (Lower ? "s" : "S");
      Args.push_back(S);
      Expected += CField((std::string(CFormat) + "s").c_str(), Width, Precision, S);
    } else {
      const double Value = AnyDouble(In);
      const int Decimals = HasPrecision ? Precision : 2;
      const std::string Field = FormatFixed(Value, Decimals);
      CheckFixed(Value, Decimals, Field);
      Template += Conversion + (Lower ? "f" : "F");
      Args.push_back(Value);
      const size_t Fill = static_cast<size_t>(Width) > Field.size() ? static_cast<size_t>(Width) - Field.size() : 0;
      Expected += Left ? Field + std::string(Fill, ' ') : std::string(Fill, ' ') + Field;
    }
  }
  // Arguments left over are ignored.
  const int Extra = In.Range(0, 2);
  for (int I = 0; I < Extra; ++I) AddAnyArg(In, Args);
  std::string Out;
  try {
    Out = FormatTemplate(Template, Args);
  } catch (const EAppError& Error) {
    FUZZ_CHECK(false, "well-formed template failed: %s", Error.what());
  }
  FUZZ_CHECK(Out == Expected, "template \"%s\" gave \"%s\", expected \"%s\"", Template.c_str(), Out.c_str(),
             Expected.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TFuzzInput In(Data, Size);
  if (In.Bool()) {
    ArbitraryTemplate(In);
  } else {
    WellFormedTemplate(In);
  }
  return 0;
}
