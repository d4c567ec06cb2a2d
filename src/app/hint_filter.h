#pragma once
// Connects the application's events to the hint state: every mouse move over
// one of the application's widgets, the events that remove a hint, the hint timer
// and the one hint window. Installed on the application object; lives as long as it.
#include <QFont>
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "hint_state.h"
#include "hint_window.h"

class QApplication;
class QWidget;

// Widgets that show a hint, with their hint texts (Shift_JIS).
using THintTexts = std::map<QWidget*, std::string>;

class THintFilter : public QObject, private THintHost, private THintDisplay {
public:
  // Makes the one hint window; replaced when the hint font changes.
  using THintWindowClass = std::function<std::unique_ptr<THintWindow>()>;

  // Timer: nullptr for the event loop's own timer.
  THintFilter(QApplication& App, THintTexts Hints, THintPauses Pauses = {},
              std::unique_ptr<THintTimer> Timer = nullptr, THintWindowClass WindowClass = nullptr);
  ~THintFilter() override;

  THintState& State() { return *FState; }
  THintWindow& HintWindow() { return *FWindow; }

  // Switches hints off and on: the hint window is made anew, in the current hint font.
  void RecreateHintWindow();
  // Makes the hint window anew when the desktop's hint font has changed since it was made.
  void FollowHintFont();

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  void ReplaceHintWindow();
  void MouseMoved(QWidget* Receiver, const class QMouseEvent& Event);
  QWidget* WidgetAt(QPoint P) const;

  // THintHost
  THintTarget HintOwnerOf(THintTarget Control) const override;
  THintTarget ControlAt(QPoint P) const override;
  std::string HintOf(THintTarget Control) const override;
  QRect ScreenBoundsOf(THintTarget Control) const override;
  bool ApplicationActive() const override;
  QPoint CursorPos() const override;
  int CursorMargin() const override;
  int PrimaryScreenWidth() const override;

  // THintDisplay
  QRect CalcHintRect(int MaxWidth, const std::string& Text) override;
  void ActivateHint(QRect Rect, const std::string& Text) override;
  void HideHint() override;
  bool HintVisible() const override;

  THintTexts FHints;
  THintWindowClass FWindowClass;
  std::unique_ptr<THintWindow> FWindow;
  QFont FWindowFont;
  bool FReplacing = false;  // while the hint window is made anew  // the desktop's hint font when FWindow was made
  std::unique_ptr<THintTimer> FTimer;
  std::unique_ptr<THintState> FState;
  // A move reaches the filter once per widget it passes on its way to the window.
  quint64 FLastMoveTime = 0;
  QPoint FLastMovePos{-1, -1};
  bool FHaveLastMove = false;
};

// Gives the widgets their hints: from now on they show them in the program's
// enlarged hint window. Returns the filter, owned by App.
THintFilter* InstallHints(QApplication& App, const THintTexts& Hints, THintPauses Pauses = {});
