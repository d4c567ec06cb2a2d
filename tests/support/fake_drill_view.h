// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A main window without widgets for the drill run: it keeps what the window
// would show (the log, the question, the clock text, the error boxes), hands
// each finished drill's summary to Store (or keeps it in Stored), and can list
// every operation in order as one readable string each.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "drill/drill_view.h"
#include "platform/app_error.h"

class TFakeDrillView : public TDrillView {
public:
  std::vector<std::string> Log;  // the drill log: top line first
  std::string Left, Glyph, Right, Clock, Answer;
  std::vector<std::string> Errors;  // the error boxes' messages, oldest first
  bool ClockRunning = false;
  bool TimerAvailable = true;  // false: StartClock finds no timer

  // Where a finished drill's summary goes; without it the summary is kept in
  // Stored. StoreFails makes the store throw the user's write error instead.
  std::function<void(const std::string&)> Store;
  std::vector<std::string> Stored;
  bool StoreFails = false;

  // Every operation, when KeepTrace is set ("ShowClock 00分01秒", ...).
  bool KeepTrace = false;
  std::vector<std::string> Trace;
  // The traced operations that begin with Prefix.
  std::size_t Count(const std::string& Prefix) const {
    std::size_t N = 0;
    for (const std::string& T : Trace) N += T.rfind(Prefix, 0) == 0 ? 1 : 0;
    return N;
  }

  void ClearLog() override {
    Log.clear();
    Note("ClearLog");
  }
  void InsertLogLine(const std::string& Line) override {
    Log.insert(Log.begin(), Line);
    if (KeepTrace) Note("InsertLogLine " + Line);
  }
  void ClearAnswer() override {
    Answer.clear();
    Note("ClearAnswer");
  }
  void FocusAnswer() override { Note("FocusAnswer"); }
  void ShowQuestion(const std::string& L, const std::string& G, const std::string& R) override {
    Left = L;
    Glyph = G;
    Right = R;
    if (KeepTrace) Note("ShowQuestion " + L + " " + G + " " + R);
  }
  void ClearQuestion() override {
    Left.clear();
    Glyph.clear();
    Right.clear();
    Note("ClearQuestion");
  }
  void ShowClock(const std::string& Text) override {
    Clock = Text;
    if (KeepTrace) Note("ShowClock " + Text);
  }
  void FocusStart() override { Note("FocusStart"); }
  void ShowError(const std::string& Message) override {
    Errors.push_back(Message);
    if (KeepTrace) Note("ShowError " + Message);
  }
  void StoreSummary(const std::string& Line) override {
    if (KeepTrace) Note("StoreSummary " + Line);
    if (StoreFails) throw EFileError("disk full");
    if (Store) {
      Store(Line);
    } else {
      Stored.push_back(Line);
    }
  }
  bool StartClock() override {
    Note("StartClock");
    if (!TimerAvailable) return false;
    ClockRunning = true;
    return true;
  }
  void StopClock() override {
    ClockRunning = false;
    Note("StopClock");
  }
  void UpdateDisplay() override { Note("UpdateDisplay"); }

private:
  void Note(std::string_view Operation) {
    if (KeepTrace) Trace.emplace_back(Operation);
  }
};
