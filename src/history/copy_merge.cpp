// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/copy_merge.h"

#include <optional>
#include <string_view>

#include "history/history_file.h"

namespace {

// The minute a summary line's drill was finished, as "YYYYMMDDHHMM" from
// "YYYY/MM/DD HH:MM" at the line's end (the separators are the region's).
std::optional<std::string> MinuteOf(std::string_view Line) {
  constexpr std::size_t DateStart = 30, DateLength = 16;
  if (Line.size() != DateStart + DateLength) return std::nullopt;
  std::string Digits;
  for (const std::size_t At : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15}) {
    const char Ch = Line[DateStart + At];
    if (Ch < '0' || Ch > '9') return std::nullopt;
    Digits += Ch;
  }
  return Digits;
}

bool ReadsWhole(std::string_view Line) {
  return Line.find('\0') == std::string_view::npos && THistoryFile::FiguresOf(Line).has_value() &&
         MinuteOf(Line).has_value();
}

}  // namespace

std::vector<std::string> MergeAfterCopy(const std::vector<std::string>& Copy, const std::vector<std::string>& Damaged) {
  std::optional<std::string> Newest;
  for (const std::string& Line : Copy) {
    if (const auto Minute = MinuteOf(Line); Minute && (!Newest || *Minute > *Newest)) Newest = Minute;
  }
  std::vector<std::string> Merged = Copy;
  for (const std::string& Line : Damaged) {
    if (ReadsWhole(Line) && (!Newest || *MinuteOf(Line) > *Newest)) Merged.push_back(Line);
  }
  return Merged;
}
