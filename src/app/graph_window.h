#pragma once
// The result graph window: holds the results history (loaded at creation,
// kept in the hidden list box) and shows the chart of it, modally.
#include <QDialog>
#include <optional>
#include <string>

#include "history_file.h"
#include "result_chart_access.h"

class THistoryListBox;
class TChartWidget;
class QPushButton;
class TApplication;

class TGraphWindow : public QDialog {
public:
  // Creates the window hidden, owned by the main window.
  TGraphWindow(TApplication& Application, QWidget* MainWindow, std::string HistoryFileName = "./HIST_ZV.DAT");

  // Loads the history file into the history list, if the file is there.
  void FormCreate();

  // A finished drill: its summary line joins the history, and the whole
  // history is written to the file. Throws EFileError when writing fails.
  void StoreSummary(const std::string& Line);

  const THistoryFile& History() const { return FHistory; }
  TChartWidget& ChartWidget() const { return *FChartWidget; }

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
  void FormShow();
  void ShowHistoryLines();

  TApplication& FApplication;
  THistoryFile FHistory;
  TChartWidget* FChartWidget = nullptr;
  std::optional<TResultChartAccess> FChartAccess;
  bool FShownBefore = false;
};
