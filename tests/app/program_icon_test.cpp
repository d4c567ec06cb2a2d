// The program's icon: the windows show the same picture the desktop entry
// installs, in every size up to 256 pixels.
#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

#include "app_test_support.h"
#include "form1.h"
#include "form2.h"
#include "program_icon.h"

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
  EXPECT_EQ(Shown(Program.Form1().windowIcon()), Expected);
  EXPECT_EQ(Shown(Program.Form2().windowIcon()), Expected);
  EXPECT_EQ(QGuiApplication::desktopFileName(), ApplicationId());
}
