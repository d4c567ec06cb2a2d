// The main window's score chart button, for tests that also include the chart
// headers (the main window's layout names colours of its own).
#include "form1.h"

QPushButton* ScoreChartButton(TForm1& Form) { return Form.Button3; }
