// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// History bytes as the tests build them: a drill's summary line for a day,
// and lines each ended by CR LF as the history file keeps them.
#include <string>
#include <vector>

#include "drill/drill_texts.h"

// The summary of a drill of Seconds (3 minutes 12 by default) with Percent
// right, finished When ("2026/03/01 09:05").
inline std::string DrillLine(int Percent, const char* When, int Seconds = 192) {
  return SummaryLine(ClockLabelText(Seconds * 1000), Percent, When);
}

// Every line followed by CR LF.
inline std::string CrlfLines(const std::vector<std::string>& Lines) {
  std::string Bytes;
  for (const std::string& Line : Lines) Bytes += Line + "\r\n";
  return Bytes;
}
