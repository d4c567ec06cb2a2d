// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the history file named first as the CSV file named second, as the
// graph window saves it: for the test that reads the CSV back.
#include <cstdio>
#include <fstream>
#include <iostream>

#include "history/history_file.h"
#include "platform/app_error.h"
#include "results/history_csv.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: history_csv_writer HISTORY CSV\n";
    return 2;
  }
  try {
    THistoryFile History(argv[1]);
    History.Load();
    std::ofstream Out(argv[2], std::ios::binary);
    Out << HistoryCsv(History);
    return Out.good() ? 0 : 1;
  } catch (const EAppError& Error) {
    std::cerr << Error.what() << '\n';
    return 1;
  }
}
