#include "program.h"

#include "application.h"
#include "form1.h"
#include "form2.h"

TProgramWindows::TProgramWindows() = default;
TProgramWindows::TProgramWindows(TProgramWindows&&) noexcept = default;
TProgramWindows& TProgramWindows::operator=(TProgramWindows&&) noexcept = default;
// The graph window is a child of the main window in the toolkit's object tree:
// it goes first, so that the main window does not delete it a second time.
TProgramWindows::~TProgramWindows() {
  Form2.reset();
  Form1.reset();
}

TProgramWindows CreateWindows(TApplication& Application, TDrillClock& Clock, const std::string& HistoryFileName) {
  TProgramWindows Windows;
  Windows.Form1 = std::make_unique<TForm1>(Application, Clock);
  Application.Guard([&] { Windows.Form1->FormCreate(); });
  Windows.Form2 = std::make_unique<TForm2>(Application, Windows.Form1.get(), HistoryFileName);
  Windows.Form1->SetGraphWindow(Windows.Form2.get());
  Application.Guard([&] { Windows.Form2->FormCreate(); });
  return Windows;
}
