// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The graph window's chart on paper and in files: printing through the print
// dialog, and saving through the save dialog as the PDF of the printed page
// or as the whole history in CSV. Each failure throws EFileError with the
// user's message; nothing of the history or the chart changes.
#include <QSize>
#include <QString>

class QWidget;
class TChart;
class THistoryFile;

enum class TSaveKind { Pdf, Csv };

// Where a name chosen in the save dialog is saved, and how: a name ending in
// ".pdf" or ".csv" (any case) says it; any other name takes the chosen file
// type and its ending.
struct TSaveTarget {
  QString Path;
  TSaveKind Kind;
};
TSaveTarget SaveTargetOf(const QString& Chosen, TSaveKind ChosenType);

class TChartExport {
public:
  // Window is the dialogs' parent; Chart the chart it shows, Design that
  // chart's size at 96 per inch; History the lines the chart shows.
  TChartExport(QWidget& Window, const TChart& Chart, QSize Design, const THistoryFile& History);

  // Ctrl+P: the print dialog, then the page on the printer it chose.
  void Print();
  // Ctrl+S: the save dialog, then the file of the type it chose.
  void Save();

  // The page as a PDF file, and the history as a CSV file, at Path. Written
  // whole or not at all: a file already there stays as it was on failure.
  void SavePdf(const QString& Path) const;
  void SaveCsv(const QString& Path) const;

  // The name the save dialog starts with: in the user's documents folder,
  // with the day's date.
  static QString DefaultPath();

private:
  QWidget& FWindow;
  const TChart& FChart;
  QSize FDesign;
  const THistoryFile& FHistory;
};
