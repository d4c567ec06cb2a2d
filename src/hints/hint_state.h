// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When a hint is shown and hidden: the hint control, the recently-active flag,
// the hint control rectangle and the one hint timer. It owns no widget; the
// controls, the timer and the hint window are reached through the three small
// interfaces below, so the timing can be driven by a test clock.
#include <QPoint>
#include <QRect>
#include <string>

// A control as the hint state sees it: an identity only.
using THintTarget = const void*;

// What the hint state asks of the windows and the pointer.
class THintHost {
public:
  virtual ~THintHost() = default;
  // The first of Control and its parents whose hint is switched on, or nullptr.
  virtual THintTarget HintOwnerOf(THintTarget Control) const = 0;
  // The control under the screen point P (disabled controls included), or nullptr.
  virtual THintTarget ControlAt(QPoint P) const = 0;
  // The control's hint text, Shift_JIS.
  virtual std::string HintOf(THintTarget Control) const = 0;
  // The control's bounds in screen coordinates.
  virtual QRect ScreenBoundsOf(THintTarget Control) const = 0;
  // True while one of the application's windows is the active window.
  virtual bool ApplicationActive() const = 0;
  // The pointer position on the screen now.
  virtual QPoint CursorPos() const = 0;
  // Pixel rows from the pointer's hot spot down to the bottom of its image.
  virtual int CursorMargin() const = 0;
  // The width of the primary screen: the widest a hint may be.
  virtual int PrimaryScreenWidth() const = 0;
};

// The hint timer: one pending expiry at most; Start replaces a pending one.
class THintTimer {
public:
  virtual ~THintTimer() = default;
  virtual void Start(int Milliseconds) = 0;
  virtual void Stop() = 0;
};

// The hint window as the hint state drives it.
class THintDisplay {
public:
  virtual ~THintDisplay() = default;
  // The rectangle the text needs, from (0, 0), when lines may be at most MaxWidth wide.
  virtual QRect CalcHintRect(int MaxWidth, const std::string& Text) = 0;
  // Shows Text at the rectangle (as computed, moved to its place), in the hint colour.
  virtual void ActivateHint(QRect Rect, const std::string& Text) = 0;
  virtual void HideHint() = 0;
  virtual bool HintVisible() const = 0;
};

// The application's hint pauses, in milliseconds.
struct THintPauses {
  int Pause = 500;       // rest over a control before its hint
  int ShortPause = 0;    // before the next control's hint while one is active
  int HidePause = 2500;  // how long a hint stays
};

class THintState {
public:
  THintState(THintHost& Host, THintTimer& Timer, THintDisplay& Display, THintPauses Pauses = {});

  // The pointer moved to screen point P over Control (nullptr: over no control).
  void MouseMove(THintTarget Control, QPoint P);
  // The hint timer went off.
  void TimerExpired();
  // Something the user did that removes the hint (keys, mouse buttons, activation).
  void CancelHint();

  // Hints on or off; off cancels the hint and shows none until switched on.
  void SetShowHints(bool Show);

  THintTarget HintControl() const { return FHintControl; }
  bool RecentlyActive() const { return FRecentlyActive; }

private:
  enum class TTimerMode { Stopped, Show, Hide };

  void StartTimer(int Milliseconds, TTimerMode Mode);
  void StopTimer();
  void ActivateHint(QPoint P);

  THintHost& FHost;
  THintTimer& FTimer;
  THintDisplay& FDisplay;
  THintPauses FPauses;
  bool FShowHints = true;
  THintTarget FHintControl = nullptr;
  bool FRecentlyActive = false;
  QRect FHintControlRect;
  TTimerMode FTimerMode = TTimerMode::Stopped;
};

// The part of a hint text that is shown: everything before the first "|"
// (double-byte characters are skipped whole, so a trail byte 0x7C is no bar).
std::string ShortHint(const std::string& SjisHint);
