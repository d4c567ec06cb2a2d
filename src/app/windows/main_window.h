// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main drill window: the question boxes, the answer box, the clock, the
// drill log and the buttons. It forwards its events to the drill run and
// carries out the run's display operations; the drill logic is not here.
#include <QWidget>

#include "drill/drill_clock.h"
#include "drill/drill_run.h"
#include "drill/drill_view.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class TAlignedEdit;
class TApplication;
class TGraphWindow;
class TResults;
struct TControlLayout;

class TMainWindow : public QWidget, public TDrillView {
public:
  // Creates the window and its controls from the layout, hidden. Each
  // finished drill is recorded in Results.
  TMainWindow(TApplication& Application, TDrillClock& Clock, TResults& Results);
  ~TMainWindow() override;

  // Sets the clock label and shows the window, centred on the desktop, with
  // the focus on the start button.
  void ShowAtStart();
  // The result graph window, shown by the score chart button.
  void SetGraphWindow(TGraphWindow* GraphWindow) { FGraphWindow = GraphWindow; }

  TDrillRun& Run() { return FRun; }
  double Scale() const { return FScale; }
  // A size of the layout on this screen.
  int Scaled(int Pixels) const;

  // Event handlers.
  void StartClick();
  void EndClick();
  void ChartClick();
  void UntilCorrectClick();
  void ClockTick();
  // Returns true when the key is taken (Enter, or a character the filter refuses).
  bool AnswerKeyPress(const QString& Character, bool IsEnter);

  // TDrillView
  void ClearLog() override;
  void InsertLogLine(const std::string& Line) override;
  void ClearAnswer() override;
  void FocusAnswer() override;
  void ShowQuestion(const std::string& LeftText, const std::string& Glyph, const std::string& RightText) override;
  void ClearQuestion() override;
  void ShowClock(const std::string& Text) override;
  void FocusStart() override;
  void ShowError(const std::string& Message) override;
  void StoreSummary(const std::string& Line) override;
  bool StartClock() override;
  void StopClock() override;
  void UpdateDisplay() override;

  // The controls, named as in the layout.
  TAlignedEdit* LeftBox = nullptr;
  TAlignedEdit* OperatorBox = nullptr;
  TAlignedEdit* RightBox = nullptr;
  TAlignedEdit* AnswerBox = nullptr;
  QLabel* ClockLabel = nullptr;
  QLabel* EqualsLabel = nullptr;
  QLabel* MakerLabel = nullptr;
  QLabel* AuthorLabel = nullptr;
  QLabel* LogoImage = nullptr;
  QPushButton* StartButton = nullptr;
  QPushButton* EndButton = nullptr;
  QPushButton* ChartButton = nullptr;
  QCheckBox* UntilCorrectBox = nullptr;
  QListWidget* LogBox = nullptr;
  QTimer* ClockTimer = nullptr;

protected:
  void closeEvent(QCloseEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QWidget* CreateControl(const TControlLayout& Layout);
  void PlaceControl(QWidget* Control, const TControlLayout& Layout);
  void FocusControl(QWidget* Control);
  void CentreOnDesktop();
  bool ButtonKey(QWidget* Control, QKeyEvent* Key);

  TApplication& FApplication;
  TDrillClock& FClock;
  TResults& FResults;
  TDrillRun FRun;
  TGraphWindow* FGraphWindow = nullptr;
  double FScale = 1.0;
  bool FEnding = false;
  bool FShownBefore = false;
};
