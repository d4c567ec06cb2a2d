// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the rest of the program and the hints agree on: the controller the
// application object reports the pointer and the keyboard to, the hint
// settings, the property a control keeps its hint text in, and the controls
// whose hint follows the pointer.
#include <QString>

class QObject;
class QPoint;
class QPointF;
class QWidget;

// What the hint controller is told. The application object watches every event
// of its windows and forwards the ones that matter to hints; the controller
// decides what to show and when.
class THintController {
public:
  virtual ~THintController() = default;
  // The pointer moved; Control is the widget under it (may be null).
  virtual void PointerMoved(QWidget* Control, const QPoint& GlobalPos) = 0;
  // The pointer left the application's windows.
  virtual void PointerOutside() = 0;
  // An event that removes a hint came (a key, a mouse button, the wheel, a window
  // activated or deactivated: THintWindow::IsHintMsg): any hint goes away.
  virtual void CancelHint() = 0;
};

// The widget under the pointer for a mouse move that came to Window (a
// window of the toolkit) at Local, its own coordinates, and at Global on the
// desktop. Under X11 the place on the desktop finds it; a Wayland client is
// told places only inside its own windows, so there the window the move came
// to and the place in it do.
QWidget* WidgetUnderPointer(const QObject* Window, const QPointF& Local, const QPoint& Global);

// The hint settings of the application.
struct THintSettings {
  int PauseMs = 500;       // rest over a control before its first hint
  int ShortPauseMs = 0;    // delay of the next control's hint while one is up
  int HidePauseMs = 2500;  // time a hint stays up
};

// A control's hint text is kept in this property (QString); a control shows
// hints when the property is set and not empty.
inline constexpr const char* HintProperty = "surasuraHint";

// The hint text of Control: empty for none, or for no control.
QString ControlHint(const QWidget* Control);

// A control whose hint depends on where the pointer is over it (the result
// chart names the drill under the pointer). Before each pointer move is
// weighed, the control's hint property is set to the hint at the pointer; a
// different hint counts as another control's, whose hint waits its pause anew.
class TPointerHints {
public:
  virtual ~TPointerHints() = default;
  // The hint at LocalPos (control coordinates); empty where there is none.
  virtual QString HintAt(const QPoint& LocalPos) const = 0;
};
