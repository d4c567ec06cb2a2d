// SPDX-License-Identifier: GPL-3.0-or-later
// Text on the surface: reference points, turned text and opaque boxes.
#include <gtest/gtest.h>

#include "qpainter_surface_test_support.h"
#include "results/result_texts.h"

namespace {

TEST_F(QPainterSurfaceTest, TextSitsOnItsReferencePoint) {
  TSurfaceFont Font;
  Font.Name = Texts().PGothicFace;
  Font.Height = 21;
  Font.Color = clBlue;
  Surface.EnsureImageSize(200, 200);
  Surface.FillRect(TRect{0, 0, 200, 200}, Paper);
  Surface.SetFont(Font);
  const std::string Text = ResultTexts().ChartTitle;
  const TSize Size = Surface.TextExtent(Text);
  EXPECT_GT(Size.Width, 4 * 15);
  EXPECT_GE(Size.Height, 21);
  EXPECT_LE(Size.Height, 30);

  auto InkWithin = [&](TRect Box) {
    TRect Ink = InkBounds();
    EXPECT_GE(Ink.Left, Box.Left);
    EXPECT_GE(Ink.Top, Box.Top);
    EXPECT_LE(Ink.Right, Box.Right);
    EXPECT_LE(Ink.Bottom, Box.Bottom);
    EXPECT_GT(std::max(Ink.Width(), Ink.Height()), Size.Width * 3 / 4);  // really drawn
  };

  Surface.SetTextAlign(THorizTextAlign::Left, TVertTextAlign::Top);
  Surface.TextOut(20, 30, Text);
  InkWithin(TRect{20, 30, 20 + Size.Width, 30 + Size.Height});

  Surface.FillRect(TRect{0, 0, 200, 200}, Paper);
  Surface.SetTextAlign(THorizTextAlign::Right, TVertTextAlign::Bottom);
  Surface.TextOut(180, 100, Text);
  InkWithin(TRect{180 - Size.Width, 100 - Size.Height, 180, 100});

  Surface.FillRect(TRect{0, 0, 200, 200}, Paper);
  Surface.SetTextAlign(THorizTextAlign::Center, TVertTextAlign::Top);
  Surface.TextOut(100, 10, Text);
  InkWithin(TRect{100 - Size.Width / 2 - 1, 10, 100 + Size.Width / 2 + 1, 10 + Size.Height});

  // Turned 90 degrees counter-clockwise about the reference point: it reads upward.
  Font.Escapement = 900;
  Surface.SetFont(Font);
  Surface.FillRect(TRect{0, 0, 200, 200}, Paper);
  Surface.SetTextAlign(THorizTextAlign::Left, TVertTextAlign::Top);
  Surface.TextOut(50, 150, Text);
  InkWithin(TRect{50, 150 - Size.Width, 50 + Size.Height, 151});
  // ... and 270 degrees: it reads downward, left of the point.
  Font.Escapement = 2700;
  Surface.SetFont(Font);
  Surface.FillRect(TRect{0, 0, 200, 200}, Paper);
  Surface.TextOut(50, 20, Text);
  InkWithin(TRect{50 - Size.Height, 20, 51, 20 + Size.Width});
}

TEST_F(QPainterSurfaceTest, OpaqueTextFillsItsBox) {
  TSurfaceFont Font;
  Font.Name = Texts().PGothicFace;
  Font.Height = 16;
  Surface.SetFont(Font);
  const TSize Size = Surface.TextExtent("8");
  Surface.SetTextAlign(THorizTextAlign::Left, TVertTextAlign::Top);
  Surface.SetBackground(TBackgroundMode::Opaque, clLightYellow);
  Surface.TextOut(3, 4, "8");
  EXPECT_EQ(At(3, 4), qRgb(255, 255, 128));
  EXPECT_EQ(At(3 + Size.Width - 1, 4 + Size.Height - 1), qRgb(255, 255, 128));
  EXPECT_FALSE(Ink(3 + Size.Width, 4));

  Surface.FillRect(TRect{0, 0, 60, 40}, Paper);
  Surface.SetBackground(TBackgroundMode::Transparent, clLightYellow);
  Surface.TextOut(3, 4, "8");
  EXPECT_FALSE(Ink(3, 4));
}

}  // namespace
