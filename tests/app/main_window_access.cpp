// The main window's score chart button, for tests that also include the chart
// headers (the main window's layout names colours of its own).
#include "main_window.h"

QPushButton* ScoreChartButton(TMainWindow& Window) { return Window.ChartButton; }
