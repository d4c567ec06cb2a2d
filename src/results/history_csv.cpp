// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV: each line's fields read as the chart reads them, the date and time
// rewritten in ISO 8601, the texts converted from Shift_JIS.
#include "results/history_csv.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "history/history_file.h"
#include "platform/sjis.h"
#include "results/drill_readout.h"
#include "results/result_texts.h"

namespace {

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char RowEnd[] = "\r\n";

std::string IsoDateTime(const TDrillTime& When) {
  char Text[32];
  std::snprintf(Text, sizeof Text, "%04d-%02d-%02dT%02d:%02d", When.Year, When.Month, When.Day, When.Hour,
                When.Minute);
  return Text;
}

// A damaged line's text for the spreadsheet: Shift_JIS turned into UTF-8, a
// NUL byte (which no spreadsheet keeps) shown as U+FFFD.
std::string LineText(std::string_view Line) {
  std::string Text;
  std::size_t From = 0;
  while (From <= Line.size()) {
    const std::size_t Nul = std::min(Line.find('\0', From), Line.size());
    Text += FromSjis(Line.substr(From, Nul - From));
    if (Nul == Line.size()) break;
    Text += "\xEF\xBF\xBD";
    From = Nul + 1;
  }
  return Text;
}

void AddRow(std::string& Csv, const std::vector<std::string>& Fields) {
  for (std::size_t I = 0; I < Fields.size(); ++I) {
    if (I > 0) Csv += ',';
    Csv += CsvField(Fields[I]);
  }
  Csv += RowEnd;
}

}  // namespace

std::string CsvField(std::string_view Text) {
  const bool Quoted = Text.find_first_of(",\"\r\n") != std::string_view::npos ||
                      (!Text.empty() && (Text.front() == ' ' || Text.back() == ' '));
  if (!Quoted) return std::string(Text);
  std::string Field = "\"";
  for (char C : Text) {
    if (C == '"') Field += '"';
    Field += C;
  }
  Field += '"';
  return Field;
}

std::string HistoryCsv(const THistoryFile& History) {
  const TResultTexts& T = ResultTexts();
  std::string Csv = ByteOrderMark;
  AddRow(Csv, {FromSjis(T.CsvNumberHeading), FromSjis(T.CsvDateTimeHeading), FromSjis(T.CsvPercentHeading),
               FromSjis(T.CsvSecondsHeading), FromSjis(T.CsvLineHeading)});
  for (std::size_t I = 0; I < History.Count(); ++I) {
    const std::string_view Line = History.Line(I);
    const std::optional<TDrillFigures> Figures = THistoryFile::FiguresOf(Line);
    const std::optional<TDrillTime> When = DrillTimeOf(Line);
    std::vector<std::string> Row(5);
    Row[0] = std::to_string(I + 1);
    if (When) Row[1] = IsoDateTime(*When);
    if (Figures) {
      Row[2] = std::to_string(Figures->Percent);
      Row[3] = std::to_string(Figures->Minutes * 60 + Figures->Seconds);
    }
    if (!Figures || !When) Row[4] = LineText(Line);
    AddRow(Csv, Row);
  }
  return Csv;
}
