// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon: the windows show the same picture the desktop entry
// installs, in every size up to 256 pixels.
#include <QApplication>
#include <QImage>
#include <QWindow>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "app/assets/program_icon.h"
#include "app/windows/graph_window.h"
#include "app/windows/main_window.h"
#include "app_test_support.h"

namespace {

QString InstalledPng(int Size) {
  return QStringLiteral(SURASURA_ICON_DIR "/%1x%1/apps/").arg(Size) + ApplicationId() + QStringLiteral(".png");
}

}  // namespace

TEST(ProgramIcon, CarriesEveryWindowSizeOfTheInstalledIcon) {
  const QIcon Icon = ProgramIcon();
  // Pixmaps hold premultiplied colours: the files are compared so too.
  const QList<QSize> Sizes = Icon.availableSizes();
  for (int Size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    EXPECT_TRUE(Sizes.contains(QSize(Size, Size))) << Size;
    const QImage Installed(InstalledPng(Size));
    ASSERT_FALSE(Installed.isNull()) << InstalledPng(Size).toStdString();
    EXPECT_EQ(Icon.pixmap(Size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
              Installed.convertToFormat(QImage::Format_ARGB32_Premultiplied))
        << Size;
  }
}

TEST(ProgramIcon, IsTheIconOfTheApplicationAndOfBothWindows) {
  TProgramFixture Program;
  Program.Create();
  const QImage Expected = QImage(InstalledPng(48)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  auto Shown = [](const QIcon& Icon) { return Icon.pixmap(48).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied); };
  EXPECT_EQ(Shown(QApplication::windowIcon()), Expected);
  EXPECT_EQ(Shown(Program.MainWindow().windowIcon()), Expected);
  EXPECT_EQ(Shown(Program.GraphWindow().windowIcon()), Expected);
  EXPECT_EQ(QGuiApplication::desktopFileName(), ApplicationId());
}

// At start the main window is painted first and then given the icon, once:
// a window created while the application has an icon is handed it twice.
TEST(ProgramIcon, ReachesTheMainWindowOnceAfterItsFirstPaint) {
  QApplication::setWindowIcon(QIcon());  // as in a process just started
  TProgramFixture Program;
  std::vector<std::string> Steps;
  {
    TEventWatch Watch([&](QObject* Watched, QEvent* Event) {
      if (Event->type() == QEvent::Paint && Watched->objectName() == QStringLiteral("MainWindow") &&
          (Steps.empty() || Steps.back() != "paint")) {
        Steps.push_back("paint");
      }
      // The main window's window handed an icon that is not empty.
      if (Event->type() == QEvent::WindowIconChange && Watched->isWindowType() &&
          !static_cast<QWindow*>(Watched)->icon().isNull()) {
        for (QWidget* Window : QApplication::topLevelWidgets()) {
          if (Window->objectName() == QStringLiteral("MainWindow") && Window->windowHandle() == Watched) {
            Steps.push_back("icon");
          }
        }
      }
    });
    Program.Create();
  }
  EXPECT_EQ(Steps, (std::vector<std::string>{"paint", "icon"}));
  EXPECT_FALSE(Program.MainWindow().windowHandle()->icon().isNull());
}
