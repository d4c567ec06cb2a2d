// Recording a finished drill in the history file, and the history as the
// result chart's series.
#include "results.h"

#include "result_chart.h"

TResults::TResults(std::string FileName) : FHistory(std::move(FileName)) {}

void TResults::Load() { FHistory.Load(); }

void TResults::Record(const std::string& SummaryLine) {
  // The line joins the list before the write: a failed write leaves it there
  // for the next one, which writes the whole list.
  FHistory.Append(SummaryLine);
  FHistory.Save();
}

void TResults::FillChart(TChart& Chart) const { FillResultChart(Chart, FHistory); }
