// SPDX-License-Identifier: GPL-3.0-or-later
// The readout of one drill: each part is formatted from the program's texts,
// and a part whose field fails to convert is dropped instead of failing.
#include "results/drill_readout.h"

#include <optional>
#include <vector>

#include "history/history_file.h"
#include "platform/app_error.h"
#include "platform/format_template.h"
#include "results/result_texts.h"

namespace {

// The summary line's date and time begin at byte 31 (columns from 1).
constexpr size_t DateTimeStart = 30;

std::optional<int32_t> Field(int32_t (*Reader)(std::string_view), std::string_view Line) {
  try {
    return Reader(Line);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

}  // namespace

std::string_view DateTimeOf(std::string_view Line) {
  if (Line.size() <= DateTimeStart) return {};
  std::string_view Rest = Line.substr(DateTimeStart);
  const size_t First = Rest.find_first_not_of(' ');
  if (First == std::string_view::npos) return {};
  const size_t Last = Rest.find_last_not_of(' ');
  return Rest.substr(First, Last - First + 1);
}

std::optional<TDrillTime> DrillTimeOf(std::string_view Line) {
  const std::string_view Text = DateTimeOf(Line);
  // Y Y Y Y / M M / D D _ h h : m m
  if (Text.size() != 16) return std::nullopt;
  const auto Digit = [](char C) { return C >= '0' && C <= '9'; };
  int Fields[5] = {};
  const int Starts[5] = {0, 5, 8, 11, 14};
  const int Widths[5] = {4, 2, 2, 2, 2};
  for (int F = 0; F < 5; ++F) {
    for (int I = Starts[F]; I < Starts[F] + Widths[F]; ++I) {
      if (!Digit(Text[I])) return std::nullopt;
      Fields[F] = Fields[F] * 10 + (Text[I] - '0');
    }
  }
  for (int At : {4, 7, 10, 13}) {
    if (Digit(Text[At]) || static_cast<unsigned char>(Text[At]) >= 0x80) return std::nullopt;
  }
  if (Text[10] != ' ') return std::nullopt;
  const TDrillTime When{Fields[0], Fields[1], Fields[2], Fields[3], Fields[4]};
  if (When.Month < 1 || When.Month > 12 || When.Day < 1 || When.Day > 31 || When.Hour > 23 || When.Minute > 59) {
    return std::nullopt;
  }
  return When;
}

std::string DrillReadout(std::string_view Line, int DrillNumber) {
  const TResultTexts& T = ResultTexts();
  std::vector<std::string> Parts;
  Parts.push_back(FormatTemplate(T.ReadoutDrillTemplate, {int32_t{DrillNumber}, int32_t{DrillNumber - 1}}));
  if (const std::string_view When = DateTimeOf(Line); !When.empty()) Parts.emplace_back(When);
  if (const auto Percent = Field(&THistoryFile::PercentOf, Line)) {
    Parts.push_back(FormatTemplate(T.ReadoutPercentTemplate, {*Percent}));
  }
  const auto Minutes = Field(&THistoryFile::MinutesOf, Line);
  const auto Seconds = Field(&THistoryFile::SecondsOf, Line);
  if (Minutes && Seconds) Parts.push_back(FormatTemplate(T.ReadoutTimeTemplate, {*Minutes, *Seconds}));

  std::string Text;
  for (const std::string& Part : Parts) {
    if (!Text.empty()) Text += T.ReadoutSeparator;
    Text += Part;
  }
  return Text;
}
