// すらすら算数帳: start, run until the main window is closed, end.
#include <QApplication>

#include "application.h"
#include "drill_clock.h"
#include "program.h"
#include "sjis.h"

int main(int argc, char** argv) {
  QApplication Toolkit(argc, argv);
  TApplication Application(Toolkit, ToSjis(QCoreApplication::applicationFilePath().toStdString()));
  TSystemDrillClock Clock;
  TProgramWindows Windows = CreateWindows(Application, Clock);
  return Application.Run();
}
