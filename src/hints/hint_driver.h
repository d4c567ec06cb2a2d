// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives the hint state from the application's event watch: the pointer moves and
// the cancelling input that the application object reports, the hint timer, and
// the one hint window. The controls with hints are those whose hint property is
// set (HintProperty); the hint window is the program's enlarged one.
#include <QFont>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "hints/hint_controller.h"
#include "hints/hint_state.h"
#include "hints/hint_window.h"

class THintDriver : public THintController, private THintHost, private THintDisplay {
public:
  // Makes the one hint window (the hint window class).
  using THintWindowClass = std::function<std::unique_ptr<THintWindow>()>;

  // Timer: nullptr for the event loop's own timer. WindowClass: nullptr for TMyHintWindow.
  explicit THintDriver(const THintSettings& Settings, std::unique_ptr<THintTimer> Timer = nullptr,
                       THintWindowClass WindowClass = nullptr);
  ~THintDriver() override;
  THintDriver(const THintDriver&) = delete;
  THintDriver& operator=(const THintDriver&) = delete;

  // THintController: what the application object reports.
  void PointerMoved(QWidget* Control, const QPoint& GlobalPos) override;
  void PointerOutside() override;
  void CancelHint() override;

  THintState& State() { return *FState; }
  THintWindow& HintWindow() { return *FWindow; }

  // Switches hints off and on: the hint window is made anew, in the current hint font.
  void RecreateHintWindow();

private:
  // Gives a control whose hint follows the pointer the hint at GlobalPos.
  void FollowPointer(QWidget* Control, const QPoint& GlobalPos);
  // Makes the hint window anew when the desktop's hint font has changed since it was made.
  void FollowHintFont();
  void ReplaceHintWindow();
  // The widget under P, looking through the hint window.
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

  THintWindowClass FWindowClass;
  std::unique_ptr<THintWindow> FWindow;
  QFont FWindowFont;  // the desktop's hint font when FWindow was made
  QPointer<QWidget> FPointerWindow;  // the window of the last pointer move
  std::unique_ptr<THintTimer> FTimer;
  std::unique_ptr<THintState> FState;
};
