// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole history as a CSV file for spreadsheet programs: UTF-8 with a
// byte-order mark, a heading row, then one row per history line: its number
// (from 1), the date and time in ISO 8601, the percentage and the duration in
// seconds. A line not read whole (no drill's figures, or no date and time)
// keeps its row and its number, with its text, in UTF-8, in the last column
// and the fields it lacks empty. Fields are quoted where CSV asks it, rows end
// with CR LF.
#include <string>
#include <string_view>

class THistoryFile;

std::string HistoryCsv(const THistoryFile& History);

// One CSV field: as it is, or in double quotes (doubled inside) when it holds
// a comma, a double quote, a line end or blanks at either end.
std::string CsvField(std::string_view Text);
