// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result graph window: shows the chart of the results, modally, and keeps
// the history's lines in a hidden list box. It only displays: the results
// (TResults) are read and recorded elsewhere. Its menu and Ctrl+P, Ctrl+S
// print the chart and save it or the history (TChartExport).
#include <QDialog>
#include <optional>

#include "app/access/result_chart_access.h"
#include "app/paper/chart_export.h"

class THistoryListBox;
class TChartWidget;
class QPushButton;
class TApplication;
class TResults;
class TGraphWindowMenu;

class TGraphWindow : public QDialog {
public:
  // Creates the window hidden, owned by the main window, showing Results.
  TGraphWindow(TApplication& Application, QWidget* MainWindow, const TResults& Results);

  // The hidden list takes the history's lines as they are now (after the
  // history is read; each showing does it again).
  void ShowHistoryLines();

  TChartWidget& ChartWidget() const { return *FChartWidget; }
  // Printing and saving the chart and the figures (Ctrl+P, Ctrl+S, the menu).
  TChartExport& ChartExport() { return *FChartExport; }
  TGraphWindowMenu& Menu() const { return *FMenu; }

  QWidget* ResultChart = nullptr;         // the result chart (ChartWidget)
  THistoryListBox* HistoryBox = nullptr;  // the history lines, never visible
  QPushButton* CloseButton = nullptr;     // "閉じる"

protected:
  void showEvent(QShowEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  // The chart's keys reach the window before the close button, which would
  // take the arrow keys for moving the focus.
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  // Runs each time the window is shown, before it is first painted: the chart
  // rebuilds its series from the history here.
  void FillFromHistory();

  TApplication& FApplication;
  const TResults& FResults;
  TChartWidget* FChartWidget = nullptr;
  std::optional<TResultChartAccess> FChartAccess;
  std::optional<TChartExport> FChartExport;
  TGraphWindowMenu* FMenu = nullptr;
  bool FShownBefore = false;
};
