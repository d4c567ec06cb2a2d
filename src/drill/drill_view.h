// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The display operations that a drill run asks of the main window.
// The window carries them out on its controls; tests record them.
#include <string>

class TDrillView {
public:
  virtual ~TDrillView() = default;

  virtual void ClearLog() = 0;                                  // empty the drill log
  virtual void InsertLogLine(const std::string& Line) = 0;      // new top line of the log
  virtual void ClearAnswer() = 0;                               // empty the answer box
  virtual void FocusAnswer() = 0;                               // focus to the answer box
  virtual void ShowQuestion(const std::string& LeftText, const std::string& Glyph,
                            const std::string& RightText) = 0;  // left, right, then operator box
  virtual void ClearQuestion() = 0;                             // empty the four boxes
  virtual void ShowClock(const std::string& Text) = 0;          // clock label caption
  virtual void FocusStart() = 0;                                // focus to the start button
  virtual void ShowError(const std::string& Message) = 0;       // the application's error box
  // Records a finished drill's summary in the history and writes the file;
  // throws EAppError with the user's message when the file cannot be written.
  virtual void StoreSummary(const std::string& Line) = 0;

  // The 500 ms clock timer: StartClock returns false when no timer can be had.
  // Starting an already running clock keeps its pace.
  virtual bool StartClock() = 0;
  virtual void StopClock() = 0;

  // Lets the display update after a question is shown (runs pending events).
  virtual void UpdateDisplay() = 0;
};
