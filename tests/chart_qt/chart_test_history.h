// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// History lists for the chart tests, made of real summary lines.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "drill/drill_texts.h"
#include "history/history_file.h"
#include "platform/sjis.h"

// Percentage and duration in seconds of each drill, oldest first.
inline THistoryFile HistoryOf(const std::vector<std::string>& Lines) {
  THistoryFile History("./NO_SUCH_HISTORY.DAT");
  for (const std::string& Line : Lines) History.Append(Line);
  return History;
}

inline THistoryFile MakeHistory(const std::vector<std::pair<int, int>>& Drills) {
  std::vector<std::string> Lines;
  for (auto [Percent, Seconds] : Drills) {
    Lines.push_back(SummaryLine(ClockLabelText(Seconds * 1000), Percent, "2024/03/15 09:05"));
  }
  return HistoryOf(Lines);
}

// Drill I of a made-up long history: percentages 0 to 100 and durations 1:40
// to 5:20 that wander with I, 46 bytes like every summary line. The reference
// pictures of long histories and the benchmarks are drawn from these lines.
inline std::string MadeUpHistoryLine(std::size_t I) {
  const unsigned Mix = static_cast<unsigned>(I) * 2654435761u;
  const int Percent = static_cast<int>((I * 7 + (Mix >> 27)) % 101);
  const int Seconds = 100 + static_cast<int>((I * 13 + (Mix >> 20) % 97) % 221);
  const int Day = 1 + static_cast<int>(I % 28);
  char Date[32];
  std::snprintf(Date, sizeof Date, "2024/03/%02d 09:%02d", Day, static_cast<int>(I % 60));
  return SummaryLine(ClockLabelText(Seconds * 1000), Percent, Date);
}

inline THistoryFile MadeUpHistory(std::size_t N) {
  THistoryFile History("./NO_SUCH_HISTORY.DAT");
  for (std::size_t I = 0; I < N; ++I) History.Append(MadeUpHistoryLine(I));
  return History;
}
