#pragma once
// History lists for the chart tests, made of real summary lines.
#include <string>
#include <utility>
#include <vector>

#include "drill_texts.h"
#include "history_file.h"
#include "sjis.h"

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
