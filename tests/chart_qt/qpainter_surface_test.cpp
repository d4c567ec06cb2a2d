// SPDX-License-Identifier: GPL-3.0-or-later
// The surface's image is kept while its size stays, and its fonts come from
// the program's font table.
#include <gtest/gtest.h>

#include <QFontInfo>

#include "qpainter_surface_test_support.h"

namespace {

TEST_F(QPainterSurfaceTest, ImageIsKeptWhileTheSizeStays) {
  const int Created = Surface.ImageCreations();
  Surface.FillRect(TRect{0, 0, 5, 5}, clRed);
  Surface.EnsureImageSize(60, 40);
  EXPECT_EQ(Surface.ImageCreations(), Created);
  EXPECT_EQ(At(2, 2), qRgb(255, 0, 0));  // content kept
  Surface.EnsureImageSize(61, 40);
  EXPECT_EQ(Surface.ImageCreations(), Created + 1);
  EXPECT_EQ(Surface.Image().width(), 61);
}

TEST_F(QPainterSurfaceTest, FontsComeFromTheProgramsFontTable) {
  TSurfaceFont Font;
  Font.Name = Texts().PGothicFace;
  Font.Height = 21;
  QFontInfo Info(ProgramChartFonts()(Font));
  EXPECT_EQ(Info.family().toStdString(), "IPAPGothic");
  EXPECT_EQ(Info.pixelSize(), 21);
  EXPECT_EQ(QFontInfo(ProgramChartFonts(1.5)(Font)).pixelSize(), 32);  // 31.5, away from zero
  Font.Name = Texts().PMinchoFace;
  Font.Height = 12;
  EXPECT_EQ(QFontInfo(ProgramChartFonts()(Font)).family().toStdString(), "IPAPMincho");
  Font.Bold = true;
  EXPECT_TRUE(QFontInfo(ProgramChartFonts()(Font)).bold());

  // The surface measures with the fonts its resolver gives.
  int Calls = 0;
  TQPainterSurface Other([&Calls](const TSurfaceFont& F) {
    ++Calls;
    QFont Q(QStringLiteral("IPAGothic"));
    Q.setPixelSize(F.Height * 2);
    return Q;
  });
  Other.SetFont(Font);
  EXPECT_GT(Calls, 0);
  EXPECT_GE(Other.TextExtent("W").Height, 24);
  Surface.SetFont(Font);
  EXPECT_LT(Surface.TextExtent("W").Height, 20);
}

}  // namespace
