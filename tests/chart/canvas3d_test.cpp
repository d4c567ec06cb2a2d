// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas: oblique projection, darkened faces, box faces and their
// visibility, clipping silhouettes, pens, brushes, texts and the kept image.
#include <gtest/gtest.h>

#include "chart/canvas3d.h"
#include "recording_surface.h"

namespace {

using TPoints = std::vector<TPoint>;

struct TCanvasTest : ::testing::Test {
  TRecordingSurface Surface;
  TCanvas3D Canvas{Surface};
  void SetUp() override {
    Canvas.StartDrawing(400, 300, true);
    Canvas.SetProjection(20, TRect{0, 0, 400, 300}, TRect{10, 10, 90, 90});
    Surface.Clear();
  }
};

TEST_F(TCanvasTest, DefaultViewMovesDeepPointsRightAndUp) {
  EXPECT_EQ(Canvas.ProjectPoint(100, 200, 0), (TPoint{100, 200}));
  EXPECT_EQ(Canvas.ProjectPoint(100, 200, 20), (TPoint{120, 180}));
  Canvas.BeginFlat();
  EXPECT_EQ(Canvas.ProjectPoint(100, 200, 20), (TPoint{100, 200}));
  Canvas.EndFlat();
  EXPECT_EQ(Canvas.ProjectPoint(100, 200, 20), (TPoint{120, 180}));
}

TEST_F(TCanvasTest, ZoomedProjectionRoundsHalvesToEven) {
  Canvas.View3DOptions.Zoom = 150;
  Canvas.View3DOptions.HorizOffset = 3;
  Canvas.StartDrawing(400, 300, true);
  Canvas.SetProjection(20, TRect{0, 0, 400, 300}, TRect{10, 10, 90, 90});  // centre (50, 50)
  EXPECT_EQ(Canvas.ProjectPoint(51, 50, 0), (TPoint{55, 50}));  // 1.5 -> 2, +50 +3
  EXPECT_EQ(Canvas.ProjectPoint(53, 50, 0), (TPoint{57, 50}));  // 4.5 -> 4
  EXPECT_EQ(Canvas.ProjectPoint(50, 50, 1), (TPoint{55, 48}));  // 1.5 -> 2, -1.5 -> -2
}

TEST_F(TCanvasTest, FlatChartDoesNotProject) {
  Canvas.StartDrawing(400, 300, false);
  EXPECT_EQ(Canvas.ProjectPoint(100, 200, 20), (TPoint{100, 200}));
}

TEST(Darken, SubtractsFromEveryComponentDownToZero) {
  EXPECT_EQ(Darken(RGB(255, 255, 255), 128), RGB(127, 127, 127));
  EXPECT_EQ(Darken(RGB(255, 0, 0), 64), RGB(191, 0, 0));
  EXPECT_EQ(Darken(RGB(100, 200, 50), 128), RGB(0, 72, 0));
  EXPECT_EQ(Darken(RGB(128, 129, 0), 128), RGB(0, 1, 0));
  SetSystemColor(clBtnShadow, RGB(160, 150, 140));
  EXPECT_EQ(Darken(clBtnShadow, 100), RGB(60, 50, 40));
}

TEST_F(TCanvasTest, BoxShowsFrontRightSideAndTopWithDarkerFaces) {
  Canvas.PrepareBrush(clRed, TBrushStyle::Solid, clAutoColor);
  Canvas.Box(300, 342, 200, 400, 10, 20, true);
  const auto P = Surface.CallsOf("Polygon");
  ASSERT_EQ(P.size(), 3u);
  EXPECT_EQ(P[0].Points, (TPoints{{310, 190}, {352, 190}, {352, 390}, {310, 390}}));
  EXPECT_EQ(P[0].Brush.Color, clRed);
  EXPECT_EQ(P[1].Points, (TPoints{{352, 190}, {362, 180}, {362, 380}, {352, 390}}));
  EXPECT_EQ(P[1].Brush.Color, RGB(127, 0, 0));
  EXPECT_EQ(P[2].Points, (TPoints{{310, 190}, {352, 190}, {362, 180}, {320, 180}}));
  EXPECT_EQ(P[2].Brush.Color, RGB(191, 0, 0));  // from red, not from the side's colour
}

TEST_F(TCanvasTest, FlatBoxDrawsTheFrontFaceOnly) {
  Canvas.PrepareBrush(clRed, TBrushStyle::Solid, clAutoColor);
  Canvas.Box(300, 342, 200, 400, 10, 10, true);
  ASSERT_EQ(Surface.CallsOf("Polygon").size(), 1u);
  // A box of no height still shows its top when it has depth.
  Surface.Clear();
  Canvas.Box(300, 342, 400, 400, 10, 20, true);
  const auto P = Surface.CallsOf("Polygon");
  ASSERT_EQ(P.size(), 3u);
  EXPECT_EQ(P[2].Points, (TPoints{{310, 390}, {352, 390}, {362, 380}, {320, 380}}));
}

TEST_F(TCanvasTest, BoxSeenFromTheOtherSideShowsItsLeftFace) {
  Canvas.PrepareBrush(clRed, TBrushStyle::Solid, clAutoColor);
  Canvas.Box(100, 120, 50, 80, 20, 10, true);  // the back lies to the left
  const auto P = Surface.CallsOf("Polygon");
  ASSERT_EQ(P.size(), 2u);
  EXPECT_EQ(P[1].Points, (TPoints{{120, 30}, {110, 40}, {110, 70}, {120, 60}}));
}

TEST_F(TCanvasTest, ClipBoxIsTheSixCorneredSilhouette) {
  Canvas.ClipBox(TRect{88, 69, 597, 519}, 0, 20);
  const auto C = Surface.CallsOf("SetClipPolygon");
  ASSERT_EQ(C.size(), 1u);
  EXPECT_EQ(C[0].Points, (TPoints{{88, 519}, {88, 69}, {108, 49}, {617, 49}, {617, 499}, {597, 519}}));
  Canvas.Unclip();
  EXPECT_EQ(Surface.CallsOf("ClearClip").size(), 1u);

  Surface.Clear();
  Canvas.StartDrawing(400, 300, false);
  Canvas.ClipBox(TRect{88, 69, 597, 519}, 0, 20);
  EXPECT_EQ(Surface.CallsOf("SetClipPolygon")[0].Points, (TPoints{{89, 70}, {597, 70}, {597, 518}, {89, 518}}));
}

TEST_F(TCanvasTest, PrimitivesWithDepthProjectEveryCorner) {
  Canvas.PlaneAtX(88, 69, 519, 0, 21);
  Canvas.PlaneAtY(88, 519, 597, 0, 20);
  Canvas.RectangleAtZ(TRect{89, 68, 597, 519}, 20);
  Canvas.Ribbon(TPoint{10, 50}, TPoint{0, 40}, 0, 10);
  const auto P = Surface.CallsOf("Polygon");
  ASSERT_EQ(P.size(), 4u);
  EXPECT_EQ(P[0].Points, (TPoints{{88, 69}, {109, 48}, {109, 498}, {88, 519}}));
  EXPECT_EQ(P[1].Points, (TPoints{{88, 519}, {597, 519}, {617, 499}, {108, 499}}));
  EXPECT_EQ(P[2].Points, (TPoints{{109, 48}, {617, 48}, {617, 499}, {109, 499}}));
  EXPECT_EQ(P[3].Points, (TPoints{{10, 50}, {0, 40}, {10, 30}, {20, 40}}));

  Canvas.DepthLine(5, 50, 0, 20);
  Canvas.HorizLineAtZ(1, 9, 50, 20);
  const auto M = Surface.CallsOf("MoveTo");
  const auto L = Surface.CallsOf("LineTo");
  EXPECT_EQ(M[0].Points[0], (TPoint{5, 50}));
  EXPECT_EQ(L[0].Points[0], (TPoint{25, 30}));
  EXPECT_EQ(M[1].Points[0], (TPoint{21, 30}));
  EXPECT_EQ(L[1].Points[0], (TPoint{29, 30}));
}

TEST_F(TCanvasTest, ChartPensBecomeSurfacePens) {
  Canvas.UseChartPen(TChartPen{clRed, 3, TPenStyle::Solid, false, false});
  Canvas.Line(0, 0, 1, 1);
  Canvas.UseChartPen(TChartPen{clGray, 1, TPenStyle::Solid, true, true});
  Canvas.Line(0, 0, 1, 1);
  Canvas.UseChartPen(TChartPen{clGray, 2, TPenStyle::Solid, true, true});  // dots only at width 1
  Canvas.Line(0, 0, 1, 1);
  SetSystemColor(clBtnShadow, RGB(1, 2, 3));
  Canvas.UseChartPen(TChartPen{clBtnShadow, 2, TPenStyle::Solid, true, false});
  Canvas.Line(0, 0, 1, 1);
  const auto L = Surface.CallsOf("LineTo");
  EXPECT_EQ(L[0].Pen.Style, TPenStyle::Clear);
  EXPECT_EQ(L[1].Pen, (TSurfacePen{clGray, 1, TPenStyle::Dot, TPenMode::Copy}));
  EXPECT_EQ(L[2].Pen, (TSurfacePen{clGray, 2, TPenStyle::Solid, TPenMode::Copy}));
  EXPECT_EQ(L[3].Pen, (TSurfacePen{RGB(1, 2, 3), 2, TPenStyle::Solid, TPenMode::Copy}));
}

TEST_F(TCanvasTest, BrushPreparationSetsTheTextBackground) {
  Canvas.PrepareBrush(clRed, TBrushStyle::Solid, clAutoColor);
  Canvas.Polygon({});
  Canvas.PrepareBrush(clWhite, TBrushStyle::Clear, clWhite);  // same as its background: black
  Canvas.Polygon({});
  Canvas.PrepareBrush(clBlack, TBrushStyle::Clear, clBlack);  // on black: white
  Canvas.Polygon({});
  Canvas.PanelColor = RGB(10, 20, 30);
  Canvas.PrepareBrush(clAutoColor, TBrushStyle::Clear, clAutoColor);  // both the panel colour
  Canvas.Polygon({});
  const auto P = Surface.CallsOf("Polygon");
  EXPECT_EQ(P[0].Brush, (TSurfaceBrush{clRed, TBrushStyle::Solid}));
  EXPECT_EQ(P[0].BackgroundMode, TBackgroundMode::Transparent);
  EXPECT_EQ(P[1].Brush, (TSurfaceBrush{clBlack, TBrushStyle::Clear}));
  EXPECT_EQ(P[1].BackgroundMode, TBackgroundMode::Opaque);
  EXPECT_EQ(P[1].BackgroundColor, clWhite);
  EXPECT_EQ(P[2].Brush.Color, clWhite);
  EXPECT_EQ(P[3].Brush.Color, clBlack);
  EXPECT_EQ(P[3].BackgroundColor, RGB(10, 20, 30));
}

TEST_F(TCanvasTest, RotatedAndZoomedTextsUseATemporaryFont) {
  TSurfaceFont F;
  F.Height = 21;
  Canvas.SetFont(F);
  Canvas.RotatedTextAtZ(100, 200, 20, 90, "a");
  Canvas.RotatedText(0, 0, 450, "b");  // above 360: 90
  Canvas.TextAtZ(100, 200, 0, "c");
  const auto T = Surface.CallsOf("TextOut");
  ASSERT_EQ(T.size(), 3u);
  EXPECT_EQ(T[0].Points[0], (TPoint{120, 180}));
  EXPECT_EQ(T[0].Font.Escapement, 900);
  EXPECT_EQ(T[0].Brush.Style, TBrushStyle::Clear);
  EXPECT_EQ(T[1].Font.Escapement, 900);
  EXPECT_EQ(T[2].Font.Escapement, 0);

  Canvas.View3DOptions.Zoom = 200;
  Canvas.StartDrawing(400, 300, true);
  Canvas.SetFont(F);
  Surface.Clear();
  Canvas.TextAtZ(0, 0, 0, "d");
  Canvas.TextOut(0, 0, "e");  // flat text output is never scaled
  const auto Z = Surface.CallsOf("TextOut");
  // 21 pixels are 16 points; twice that, 32 points, are 43 pixels.
  EXPECT_EQ(Z[0].Font.Height, 43);
  EXPECT_EQ(Z[1].Font.Height, 21);
}

TEST_F(TCanvasTest, ZoomedTextsScaleTheFontSizeInPoints) {
  // (height in pixels, zoom per cent, scaled height in pixels)
  const struct {
    int Height, Zoom, Scaled;
  } Cases[] = {
      {12, 50, 5},   // 9 pt -> 4.5 pt, halves to even: 4 pt -> 5 px
      {21, 150, 32}, // 16 pt -> 24 pt
      {13, 150, 20}, // 10 pt -> 15 pt
      {12, 5, 1},    // 9 pt -> 0 pt: at least 1 pt -> 1 px
  };
  for (const auto& C : Cases) {
    Canvas.View3DOptions.Zoom = C.Zoom;
    Canvas.StartDrawing(400, 300, true);
    TSurfaceFont F;
    F.Height = C.Height;
    Canvas.SetFont(F);
    Surface.Clear();
    Canvas.TextAtZ(0, 0, 0, "a");
    Canvas.RotatedTextAtZ(0, 0, 0, 90, "b");
    const auto T = Surface.CallsOf("TextOut");
    ASSERT_EQ(T.size(), 2u);
    EXPECT_EQ(T[0].Font.Height, C.Scaled) << C.Height << " px at " << C.Zoom << "%";
    EXPECT_EQ(T[1].Font.Height, C.Scaled) << C.Height << " px at " << C.Zoom << "%";
    EXPECT_EQ(Canvas.Font().Height, C.Height);  // the current font is kept
  }
}

TEST_F(TCanvasTest, KeptImageIsCopiedOnlyWhileNothingChanged) {
  TRecordingSurface Fresh;
  TCanvas3D C(Fresh);
  EXPECT_FALSE(C.RedrawFromBuffer());  // nothing drawn yet
  C.StartDrawing(10, 10, true);
  C.PresentImage();
  EXPECT_TRUE(C.RedrawFromBuffer());
  EXPECT_EQ(Fresh.CallsOf("Present").size(), 2u);
  C.MarkDirty();
  EXPECT_FALSE(C.RedrawFromBuffer());
  EXPECT_EQ(Fresh.CallsOf("Present").size(), 2u);
}

}  // namespace
