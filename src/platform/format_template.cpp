// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/format_template.h"

#include <charconv>
#include <cmath>

#include "platform/app_error.h"

namespace {

// Widths and precisions beyond this are taken as this; no text of the program
// comes near it, and it keeps a damaged template from asking for gigabytes.
constexpr int MaxFieldSize = 4096;

struct TConversion {
  bool LeftAlign = false;
  int Width = -1;
  int Precision = -1;
  char Letter = 0;
};

int ReadNumber(std::string_view Template, size_t& Pos) {
  int Value = 0;
  while (Pos < Template.size() && Template[Pos] >= '0' && Template[Pos] <= '9') {
    if (Value <= MaxFieldSize) Value = Value * 10 + (Template[Pos] - '0');
    ++Pos;
  }
  return Value > MaxFieldSize ? MaxFieldSize : Value;
}

std::string FormatInteger(int32_t Value, int Precision) {
  uint32_t Magnitude = Value < 0 ? 0u - static_cast<uint32_t>(Value) : static_cast<uint32_t>(Value);
  std::string Digits = std::to_string(Magnitude);
  if (Precision > static_cast<int>(Digits.size())) {
    Digits.insert(0, static_cast<size_t>(Precision) - Digits.size(), '0');
  }
  return Value < 0 ? "-" + Digits : Digits;
}

[[noreturn]] void BadArgument(const TConversion& C, size_t Index) {
  throw EAppError(std::string("FormatTemplate: conversion %") + C.Letter + " at argument " +
                  std::to_string(Index) + " has no argument of its kind");
}

}  // namespace

std::string FormatFixed(double Value, int Decimals) {
  if (Decimals < 0) Decimals = 0;
  if (Decimals > MaxFieldSize) Decimals = MaxFieldSize;
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";

  // 18 significant digits, correctly rounded (ties to even):
  // "d.ddddddddddddddddde+XX".
  // std::to_chars is exact and ignores the locale's decimal separator.
  char Buffer[64];
  const auto End = std::to_chars(Buffer, Buffer + sizeof Buffer, std::fabs(Value),
                                 std::chars_format::scientific, 17).ptr;
  std::string Digits(1, Buffer[0]);
  Digits.append(Buffer + 2, 17);
  int Exponent = 0;
  std::from_chars(Buffer + 20 + (Buffer[20] == '+'), End, Exponent);
  int Point = Exponent + 1;  // digits before the decimal point

  // Leading zeros so that at least one digit stands before the point, trailing
  // zeros so that the digit after the last kept decimal exists.
  if (Point < 1) {
    Digits.insert(0, static_cast<size_t>(1 - Point), '0');
    Point = 1;
  }
  const size_t Kept = static_cast<size_t>(Point) + static_cast<size_t>(Decimals);
  if (Digits.size() < Kept + 1) Digits.append(Kept + 1 - Digits.size(), '0');

  // Half away from zero on the magnitude: look at the first dropped digit only.
  const bool RoundUp = Digits[Kept] >= '5';
  Digits.resize(Kept);
  if (RoundUp) {
    size_t I = Kept;
    while (I > 0 && Digits[I - 1] == '9') Digits[--I] = '0';
    if (I > 0) {
      ++Digits[I - 1];
    } else {
      Digits.insert(0, 1, '1');
      ++Point;
    }
  }
  std::string IntegerPart = Digits.substr(0, static_cast<size_t>(Point));
  const std::string FractionPart = Digits.substr(static_cast<size_t>(Point));
  const size_t FirstNonZero = IntegerPart.find_first_not_of('0');
  IntegerPart = FirstNonZero == std::string::npos ? "0" : IntegerPart.substr(FirstNonZero);

  std::string Result = IntegerPart;
  if (Decimals > 0) Result += "." + FractionPart;
  bool IsZero = Result.find_first_not_of("0.") == std::string::npos;
  if (Value < 0 && !IsZero) Result.insert(0, 1, '-');
  return Result;
}

std::string FormatTemplate(std::string_view Template, const std::vector<TFormatArg>& Args) {
  std::string Out;
  Out.reserve(Template.size() + 16);
  size_t ArgIndex = 0;
  size_t Pos = 0;
  while (Pos < Template.size()) {
    char Ch = Template[Pos++];
    if (Ch != '%') {
      Out.push_back(Ch);
      continue;
    }
    if (Pos < Template.size() && Template[Pos] == '%') {
      Out.push_back('%');
      ++Pos;
      continue;
    }
    TConversion C;
    if (Pos < Template.size() && Template[Pos] == '-') {
      C.LeftAlign = true;
      ++Pos;
    }
    if (Pos < Template.size() && Template[Pos] >= '0' && Template[Pos] <= '9') C.Width = ReadNumber(Template, Pos);
    if (Pos < Template.size() && Template[Pos] == '.') {
      ++Pos;
      C.Precision = ReadNumber(Template, Pos);
    }
    if (Pos >= Template.size()) {
      throw EAppError("FormatTemplate: template ends inside a conversion");
    }
    C.Letter = static_cast<char>(Template[Pos++] & ~0x20);  // upper case
    if (ArgIndex >= Args.size()) BadArgument(C, ArgIndex);
    const TFormatArg& Arg = Args[ArgIndex];
    std::string Field;
    switch (C.Letter) {
      case 'D':
        if (!std::holds_alternative<int32_t>(Arg)) BadArgument(C, ArgIndex);
        Field = FormatInteger(std::get<int32_t>(Arg), C.Precision);
        break;
      case 'S':
        if (!std::holds_alternative<std::string>(Arg)) BadArgument(C, ArgIndex);
        Field = std::get<std::string>(Arg);
        if (C.Precision >= 0 && Field.size() > static_cast<size_t>(C.Precision)) Field.resize(static_cast<size_t>(C.Precision));
        break;
      case 'F':
        if (!std::holds_alternative<double>(Arg)) BadArgument(C, ArgIndex);
        Field = FormatFixed(std::get<double>(Arg), C.Precision < 0 ? 2 : C.Precision);
        break;
      default:
        throw EAppError(std::string("FormatTemplate: unknown conversion letter '") + C.Letter + "'");
    }
    ++ArgIndex;
    if (C.Width > static_cast<int>(Field.size())) {
      size_t Fill = static_cast<size_t>(C.Width) - Field.size();
      if (C.LeftAlign) {
        Field.append(Fill, ' ');
      } else {
        Field.insert(0, Fill, ' ');
      }
    }
    Out += Field;
  }
  return Out;
}
