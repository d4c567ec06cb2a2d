#pragma once
// Finishes whole drills without windows: the drill run of the program with a
// display that keeps its log in memory and hands every summary to the results,
// as the main window does. Drill
// number N always gives the same summary line, so that a test can tell which
// lists the file may hold.
#include <cstdint>
#include <string>
#include <vector>

#include "drill_clock.h"
#include "drill_run.h"
#include "drill_view.h"
#include "results.h"

class THeadlessDrill : private TDrillView, private TDrillClock {
public:
  explicit THeadlessDrill(TResults& Results);

  // Runs drill number N from the start button to the last Enter and returns
  // its summary line. The results record it as in the program.
  std::string Finish(int N);

  // The messages the error box would have shown, oldest first.
  const std::vector<std::string>& Errors() const { return FErrors; }
  void ClearErrors() { FErrors.clear(); }
  // Lines now in the drill log (the last drill's, its summary on top).
  std::size_t LogLines() const { return FLog.size(); }

  // The summary line of drill number N, made as the drill makes it.
  static std::string ExpectedLine(int N);

private:
  // TDrillView
  void ClearLog() override { FLog.clear(); }
  void InsertLogLine(const std::string& Line) override { FLog.push_back(Line); }
  void ClearAnswer() override {}
  void FocusAnswer() override {}
  void ShowQuestion(const std::string&, const std::string&, const std::string&) override {}
  void ClearQuestion() override {}
  void ShowClock(const std::string&) override {}
  void FocusStart() override {}
  void ShowError(const std::string& Message) override { FErrors.push_back(Message); }
  void StoreSummary(const std::string& Line) override { FResults.Record(Line); }
  bool StartClock() override { return true; }
  void StopClock() override {}
  void UpdateDisplay() override {}
  // TDrillClock
  uint32_t TickCount() override { return FNow; }
  std::optional<uint64_t> PerformanceCounter() override { return FCounter; }
  TDateTime LocalDateTime() override { return FWhen; }

  TResults& FResults;
  TDrillRun FRun;
  uint32_t FNow = 0;
  uint64_t FCounter = 0;
  TDateTime FWhen;
  std::vector<std::string> FLog;
  std::vector<std::string> FErrors;
};
