#pragma once
// The main drill window: the question boxes, the answer box, the clock, the
// drill log and the buttons. It forwards its events to the drill run and
// carries out the run's display operations; the drill logic is not here.
#include <QWidget>

#include "drill_clock.h"
#include "drill_run.h"
#include "drill_view.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class TAlignedEdit;
class TApplication;
class TForm2;
struct TControlLayout;

class TForm1 : public QWidget, public TDrillView {
public:
  // Creates the window and its controls from the layout, hidden.
  TForm1(TApplication& Application, TDrillClock& Clock);
  ~TForm1() override;

  // Sets the clock label and shows the window, centred on the desktop, with
  // the focus on the start button.
  void FormCreate();
  // The result graph window, shown by the score chart button; it holds the
  // history that finished drills are stored in.
  void SetGraphWindow(TForm2* Form2) { FForm2 = Form2; }

  TDrillRun& Run() { return FRun; }
  double Scale() const { return FScale; }
  // A size of the layout on this screen.
  int Scaled(int Pixels) const;

  // Event handlers.
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void CheckBox1Click();
  void Timer1Timer();
  // Returns true when the key is taken (Enter, or a character the filter refuses).
  bool Edit3KeyPress(const QString& Character, bool IsEnter);

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
  TAlignedEdit* Edit1 = nullptr;
  TAlignedEdit* Edit4 = nullptr;
  TAlignedEdit* Edit2 = nullptr;
  TAlignedEdit* Edit3 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Image1 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QTimer* Timer1 = nullptr;

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
  TDrillRun FRun;
  TForm2* FForm2 = nullptr;
  double FScale = 1.0;
  bool FShownBefore = false;
};
