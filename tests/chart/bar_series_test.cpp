// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/bar_series.h"

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "chart/chart_texts.h"
#include "chart/line_series.h"
#include "platform/app_error.h"
#include "chart_test_support.h"
#include "series_drawing.h"

namespace {

void SetAxis(TChartAxis& Axis, int Start, int End, double Min, double Max) {
  Axis.StartPixel = Start;
  Axis.EndPixel = End;
  Axis.AxisLength = End - Start;
  Axis.CenterPixel = (Start + End) / 2;
  Axis.RangeMin = Min;
  Axis.RangeMax = Max;
}

// A bar series laid out by hand, as the chart would: the bottom axis 600
// pixels from x 21 (value v at pixel 21 + v), the left axis 0 to 100 from
// y 370 up to 170 (85 at row 200), the series in the back slot of depth 10.
class BarSeriesTest : public ::testing::Test {
protected:
  TRecordingSurface Surface;
  TChart Chart{Surface};
  TBarSeries& Bars = Chart.AddSeries<TBarSeries>();

  void SetUp() override {
    Bars.Marks.ArrowLength = 20;
    Bars.Marks.Font.Height = 16;
    Surface.FixedWidths = {{"85", 16}, {"W", 14}};
  }

  void LayOut(double LeftMin = 0, double LeftMax = 100) {
    Chart.ClipPoints = false;
    Chart.PlotRect = TRect{21, 170, 621, 370};
    SetAxis(Chart.BottomAxis, 21, 621, 0, 600);
    SetAxis(Chart.LeftAxis, 170, 370, LeftMin, LeftMax);
    Chart.DepthPerSeries = 10;
    Chart.TotalDepth = 20;
    Chart.Canvas.StartDrawing(705, 569, true);
    Chart.Canvas.SetProjection(20, TRect{0, 0, 705, 569}, Chart.PlotRect);
    Bars.SetDepthSlot(1, 10);
    int Left = 0, Right = 0;
    Bars.HorizontalMargins(Left, Right);
    Surface.Clear();
  }

  void Draw() {
    Bars.CalcVisibleRange();
    Bars.DrawAllPoints();
    Bars.DrawMarks();
  }

  // Nine drills at x 300 to 308 (bars 42 wide), only the first drawn: the
  // others are null points.
  void NineDrillsFirstShown(double Value) {
    Bars.AddPoint(300, Value, "", clAutoColor);
    for (int I = 1; I < 9; ++I) Bars.AddPoint(300 + I, 50, "", clNone);
  }

  std::vector<TRecordedCall> Polygons() const { return Surface.CallsOf("Polygon"); }
};

TEST_F(BarSeriesTest, WorkedExampleToThePixel) {
  NineDrillsFirstShown(85);
  LayOut();
  ASSERT_EQ(Bars.BarPixelWidth(), 42);
  EXPECT_EQ(Chart.BottomAxis.ValueToPixel(300), 321);  // the bar 300 to 342, centred on it
  Draw();

  // Box(300, 342, 200, 370, 10, 20): front, right side, top, in that order.
  auto Faces = Polygons();
  ASSERT_EQ(Faces.size(), 3u);
  EXPECT_EQ(SortedPoints(Faces[0].Points), SortedPoints({{310, 190}, {352, 190}, {352, 360}, {310, 360}}));
  EXPECT_EQ(Faces[0].Brush.Color, RGB(255, 0, 0));
  EXPECT_EQ(SortedPoints(Faces[1].Points), SortedPoints({{352, 190}, {362, 180}, {362, 350}, {352, 360}}));
  EXPECT_EQ(Faces[1].Brush.Color, RGB(127, 0, 0));
  EXPECT_EQ(SortedPoints(Faces[2].Points), SortedPoints({{310, 190}, {352, 190}, {362, 180}, {320, 180}}));
  EXPECT_EQ(Faces[2].Brush.Color, RGB(191, 0, 0));
  for (const auto& Face : Faces) {
    EXPECT_EQ(Face.Pen.Color, clBlack);
    EXPECT_EQ(Face.Pen.Width, 1);
    EXPECT_EQ(Face.Brush.Style, TBrushStyle::Solid);
  }

  // The white arrow at depth 15.
  auto Lines = DrawnLines(Surface);
  ASSERT_EQ(Lines.size(), 1u);
  EXPECT_EQ(Lines[0].From, (TPoint{336, 185}));
  EXPECT_EQ(Lines[0].To, (TPoint{336, 165}));
  EXPECT_EQ(Lines[0].Pen.Color, clWhite);

  // The light-yellow box, drawn flat at the projected arrow end.
  auto Boxes = Surface.CallsOf("Rectangle");
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Rect, (TRect{320, 148, 352, 166}));
  EXPECT_EQ(Boxes[0].Brush.Color, clLightYellow);
  EXPECT_EQ(Boxes[0].Brush.Style, TBrushStyle::Solid);
  EXPECT_EQ(Boxes[0].Pen.Color, clBlack);

  auto Texts85 = Surface.TextsOf("85");
  ASSERT_EQ(Texts85.size(), 1u);
  EXPECT_EQ(Texts85[0].Points[0], (TPoint{336, 149}));
  EXPECT_EQ(Texts85[0].HorizAlign, THorizTextAlign::Center);
  EXPECT_EQ(Texts85[0].VertAlign, TVertTextAlign::Top);
  EXPECT_EQ(Texts85[0].Font.Height, 16);
  EXPECT_EQ(Texts85[0].Brush.Style, TBrushStyle::Clear);
  EXPECT_EQ(Surface.CallsOf("TextOut").size(), 1u);

  // The geometry before projection is kept for the point.
  ASSERT_GE(Bars.Marks.Positions.size(), 1u);
  const TSeriesMarkPosition& P = Bars.Marks.Positions[0];
  EXPECT_EQ(P.ArrowFrom, (TPoint{321, 200}));
  EXPECT_EQ(P.ArrowTo, (TPoint{321, 180}));
  EXPECT_EQ(P.LeftTop, (TPoint{305, 163}));
  EXPECT_EQ(P.Width, 32);
  EXPECT_EQ(P.Height, 18);
}

TEST_F(BarSeriesTest, BarWidthFromPointCountOnA600PixelAxis) {
  const struct {
    int Drills;
    int Width;
  } Cases[] = {{9, 42}, {7, 52}, {3, 106}, {1, 210}, {0, 0}};
  for (const auto& Case : Cases) {
    Bars.ClearPoints();
    for (int I = 0; I < Case.Drills; ++I) Bars.AddPoint(I, 50, "", clAutoColor);
    LayOut();
    EXPECT_EQ(Bars.BarPixelWidth(), Case.Width) << Case.Drills << " drills";
    int Left = -1, Right = -1;
    Bars.HorizontalMargins(Left, Right);
    EXPECT_EQ(Left, Case.Width);
    EXPECT_EQ(Right, Case.Width);
  }
}

TEST_F(BarSeriesTest, MarginsAndWidthVariants) {
  for (int I = 0; I < 9; ++I) Bars.AddPoint(I, 50, "", clAutoColor);
  LayOut();
  // Without side margins the room is 600 / 9 = 66: 46 wide, half of it kept free.
  Bars.SideMargins = false;
  int Left = 0, Right = 0;
  Bars.HorizontalMargins(Left, Right);
  EXPECT_EQ(Bars.BarPixelWidth(), 46);
  EXPECT_EQ(Left, 23);
  EXPECT_EQ(Right, 23);

  Bars.SideMargins = true;
  Bars.SetBarWidthPercent(25);  // room 60: 15, made even
  Bars.HorizontalMargins(Left, Right);
  EXPECT_EQ(Bars.BarPixelWidth(), 16);
}

TEST_F(BarSeriesTest, SettingsOutOfRangeAreRefused) {
  EXPECT_EQ(Bars.BarWidthPercent(), 70);
  for (int Bad : {0, 101, -5}) {
    try {
      Bars.SetBarWidthPercent(Bad);
      ADD_FAILURE() << Bad;
    } catch (const EAppError& Error) {
      EXPECT_EQ(std::string(Error.what()), ChartTexts().BarWidthOutOfRange);
    }
  }
  EXPECT_EQ(Bars.BarWidthPercent(), 70);
  Bars.SetBarWidthPercent(1);
  Bars.SetBarWidthPercent(100);
  EXPECT_EQ(Bars.BarWidthPercent(), 100);
}

TEST_F(BarSeriesTest, VerticalMarginsLeaveRoomForTheMarks) {
  int Top = -1, Bottom = -1;
  Bars.VerticalMargins(Top, Bottom);  // no points
  EXPECT_EQ(Top, 0);
  EXPECT_EQ(Bottom, 0);

  Bars.AddPoint(0, 85, "", clAutoColor);
  Bars.AddPoint(1, 20, "", clAutoColor);
  Bars.VerticalMargins(Top, Bottom);
  EXPECT_EQ(Top, 38 + 1);  // 16 + 20 + 2
  EXPECT_EQ(Bottom, 0);

  Bars.AddPoint(2, -5, "", clAutoColor);
  Bars.VerticalMargins(Top, Bottom);
  EXPECT_EQ(Top, 39);
  EXPECT_EQ(Bottom, 39);

  Bars.Marks.Visible = false;
  Bars.VerticalMargins(Top, Bottom);
  EXPECT_EQ(Top, 0);
  EXPECT_EQ(Bottom, 0);

  // Only bars of no height: nothing above the origin needs room.
  Bars.Marks.Visible = true;
  Bars.ClearPoints();
  Bars.AddPoint(0, 0, "", clAutoColor);
  Bars.VerticalMargins(Top, Bottom);
  EXPECT_EQ(Top, 0);
  EXPECT_EQ(Bottom, 0);
}

TEST_F(BarSeriesTest, YExtremesTakeInTheOrigin) {
  Bars.AddPoint(0, 20, "", clAutoColor);
  Bars.AddPoint(1, 80, "", clAutoColor);
  EXPECT_EQ(Bars.LowestY(), 0);
  EXPECT_EQ(Bars.HighestY(), 80);
  Bars.UseYOrigin = false;
  EXPECT_EQ(Bars.LowestY(), 20);
}

TEST_F(BarSeriesTest, ZeroPercentShowsOnlyTheDarkerTopFace) {
  NineDrillsFirstShown(0);
  LayOut();
  Draw();
  auto Faces = Polygons();
  std::vector<TRecordedCall> Visible;
  for (const auto& Face : Faces)
    if (DoubleArea(Face.Points) > 0) Visible.push_back(Face);
  ASSERT_EQ(Visible.size(), 1u);
  EXPECT_EQ(SortedPoints(Visible[0].Points), SortedPoints({{310, 360}, {352, 360}, {362, 350}, {320, 350}}));
  EXPECT_EQ(Visible[0].Brush.Color, RGB(191, 0, 0));

  // The mark "0" still stands 20 pixels above it.
  auto Lines = DrawnLines(Surface);
  ASSERT_EQ(Lines.size(), 1u);
  EXPECT_EQ(Lines[0].From, (TPoint{336, 355}));
  EXPECT_EQ(Lines[0].To, (TPoint{336, 335}));
  EXPECT_EQ(Surface.TextsOf("0").size(), 1u);
}

TEST_F(BarSeriesTest, MarkOfANegativeBarHangsBelowIt) {
  Surface.FixedWidths["-20"] = 16;
  NineDrillsFirstShown(-20);
  LayOut(-100, 100);  // origin row 270, value row 290
  Draw();
  const TSeriesMarkPosition& P = Bars.Marks.Positions.at(0);
  EXPECT_EQ(P.ArrowFrom, (TPoint{321, 290}));
  EXPECT_EQ(P.ArrowTo, (TPoint{321, 328}));  // 20 + box height below
  EXPECT_EQ(P.LeftTop, (TPoint{305, 311}));
  auto Faces = Polygons();
  ASSERT_FALSE(Faces.empty());
  EXPECT_EQ(SortedPoints(Faces[0].Points), SortedPoints({{310, 260}, {352, 260}, {352, 280}, {310, 280}}));
}

TEST_F(BarSeriesTest, MarkTextLabelFirstThenValue) {
  Bars.AddPoint(0, 85, "", clAutoColor);
  Bars.AddPoint(1, 100, "ok", clAutoColor);
  Bars.AddPoint(2, 1234.5, "", clAutoColor);
  LayOut();
  Draw();
  EXPECT_EQ(Surface.TextsOf("85").size(), 1u);
  EXPECT_EQ(Surface.TextsOf("ok").size(), 1u);
  EXPECT_EQ(Surface.TextsOf("100").size(), 0u);
  EXPECT_EQ(Surface.TextsOf("1,234.5").size(), 1u);

  Surface.Clear();
  Bars.Marks.Style = TSeriesMarksStyle::Value;
  Draw();
  EXPECT_EQ(Surface.TextsOf("100").size(), 1u);
  EXPECT_EQ(Surface.TextsOf("ok").size(), 0u);
}

// A value's mark text and box are kept from paint to paint: a new value
// format or mark font shows at the next paint all the same.
TEST_F(BarSeriesTest, MarksFollowANewValueFormatOrFontAtTheNextPaint) {
  Bars.AddPoint(200, 1234.5, "", clAutoColor);
  Bars.AddPoint(400, 1234.5, "", clAutoColor);
  LayOut();
  Draw();
  EXPECT_EQ(Surface.TextsOf("1,234.5").size(), 2u);
  const int HeightBefore = Bars.Marks.Positions.at(0).Height;

  Surface.Clear();
  Bars.ValueFormat = "0.00";
  Draw();
  EXPECT_EQ(Surface.TextsOf("1,234.5").size(), 0u);
  EXPECT_EQ(Surface.TextsOf("1234.50").size(), 2u);

  Surface.Clear();
  Bars.Marks.Font.Height = 30;
  Draw();
  EXPECT_EQ(Surface.TextsOf("1234.50").size(), 2u);
  EXPECT_GT(Bars.Marks.Positions.at(0).Height, HeightBefore);
}

TEST_F(BarSeriesTest, HiddenMarksAndNullPointsDrawNothingOfTheirOwn) {
  NineDrillsFirstShown(85);
  LayOut();
  Bars.Marks.Visible = false;
  Draw();
  EXPECT_EQ(Polygons().size(), 3u);  // the one drawn bar
  EXPECT_TRUE(Surface.CallsOf("Rectangle").empty());
  EXPECT_TRUE(Surface.CallsOf("TextOut").empty());
  EXPECT_TRUE(DrawnLines(Surface).empty());
}

TEST_F(BarSeriesTest, ArrowAvoidsThePointAndPanelColours) {
  Chart.Canvas.StartDrawing(705, 569, true);
  Chart.Canvas.SetProjection(0, TRect{0, 0, 705, 569}, TRect{0, 0, 705, 569});
  TSeriesMarkPosition Position{{100, 100}, {100, 80}, {90, 63}, 20, 18};
  Bars.Marks.Arrow.Color = clRed;
  Bars.Marks.DrawMark(Chart.Canvas, 3, "x", Position, 0, clRed, clBtnFace);
  Bars.Marks.Arrow.Color = clBlack;
  Bars.Marks.DrawMark(Chart.Canvas, 3, "x", Position, 0, clRed, clBlack);
  Bars.Marks.Arrow.Color = clBlue;
  Bars.Marks.DrawMark(Chart.Canvas, 3, "x", Position, 0, clRed, clBtnFace);
  auto Lines = DrawnLines(Surface);
  ASSERT_EQ(Lines.size(), 3u);
  EXPECT_EQ(Lines[0].Pen.Color, clBlack);
  EXPECT_EQ(Lines[1].Pen.Color, clWhite);
  EXPECT_EQ(Lines[2].Pen.Color, clBlue);
  ASSERT_EQ(Bars.Marks.Positions.size(), 4u);
  EXPECT_EQ(Bars.Marks.Positions[3].LeftTop, (TPoint{90, 63}));

  // A transparent mark without frame draws no box.
  Surface.Clear();
  Bars.Marks.Transparent = true;
  Bars.Marks.Frame.Visible = false;
  Bars.Marks.DrawMark(Chart.Canvas, 0, "x", Position, 0, clRed, clBtnFace);
  EXPECT_TRUE(Surface.CallsOf("Rectangle").empty());
  auto Texts = Surface.TextsOf("x");
  ASSERT_EQ(Texts.size(), 1u);
  EXPECT_EQ(Texts[0].Points[0], (TPoint{100, 63}));  // no frame: text at the box top
}

TEST_F(BarSeriesTest, ClickedHitsTheDrawnBox) {
  NineDrillsFirstShown(85);
  LayOut();
  EXPECT_FALSE(Bars.Clicked(330, 300).has_value());  // nothing drawn yet
  Draw();
  EXPECT_EQ(Bars.Clicked(330, 300), 0);   // front face
  EXPECT_EQ(Bars.Clicked(357, 200), 0);   // right side
  EXPECT_EQ(Bars.Clicked(340, 184), 0);   // top
  EXPECT_FALSE(Bars.Clicked(305, 300).has_value());  // left of the front face
  EXPECT_FALSE(Bars.Clicked(365, 300).has_value());
  EXPECT_FALSE(Bars.Clicked(330, 365).has_value());  // below the bar
}

// The whole chart as the result graph window configures it.
class ResultChartTest : public ::testing::Test {
protected:
  TRealResultChartFixture Real;
  TRecordingSurface& Surface = Real.Surface;
  TChart& Chart = Real.Chart;
  TBarSeries& Bars = *Real.Bars;
  TLineSeries& Line = *Real.Line;

  void AddDrill(int Index, double Percent, double Seconds) {
    Bars.AddPoint(Index, Percent, "", clAutoColor);
    Line.AddPoint(Index, Seconds, "", clAutoColor);
  }

  static bool IsBarFace(const TRecordedCall& Call) {
    return Call.Op == "Polygon" && (Call.Brush.Color == RGB(255, 0, 0) || Call.Brush.Color == RGB(127, 0, 0) ||
                                    Call.Brush.Color == RGB(191, 0, 0));
  }
  static bool IsMarkBox(const TRecordedCall& Call) {
    return Call.Op == "Rectangle" && Call.Brush.Color == clLightYellow;
  }
  static bool IsRibbon(const TRecordedCall& Call) {
    return Call.Op == "Polygon" && (Call.Brush.Color == RGB(0, 0, 255) || Call.Brush.Color == RGB(0, 0, 191));
  }
};

TEST_F(ResultChartTest, BarsThenTheirMarksThenTheLine) {
  AddDrill(0, 60, 250);
  AddDrill(1, 85, 150);
  AddDrill(2, 100, 200);
  Chart.Paint();

  const long LastBar = LastCall(Surface, IsBarFace);
  const long FirstMark = FirstCall(Surface, IsMarkBox);
  const long LastMark = LastCall(Surface, [](const TRecordedCall& C) { return C.Op == "TextOut" && C.Text == "100"; });
  const long FirstRibbon = FirstCall(Surface, IsRibbon);
  ASSERT_GE(LastBar, 0);
  ASSERT_GE(FirstMark, 0);
  ASSERT_GE(FirstRibbon, 0);
  EXPECT_LT(LastBar, FirstMark);
  EXPECT_LT(LastMark, FirstRibbon);
  long BarFaces = 0, MarkBoxes = 0;
  for (const auto& Call : Surface.Calls) {
    BarFaces += IsBarFace(Call);
    MarkBoxes += IsMarkBox(Call);
  }
  EXPECT_EQ(BarFaces, 9);
  EXPECT_EQ(MarkBoxes, 3);
  std::vector<TRecordedCall> Ribbons;
  for (const auto& Call : Surface.Calls)
    if (IsRibbon(Call)) Ribbons.push_back(Call);
  EXPECT_EQ(Ribbons.size(), 2u);
  for (const auto& Ribbon : Ribbons) EXPECT_TRUE(Ribbon.Clipped);
}

TEST_F(ResultChartTest, FullMarkStandsAboveThePlotBoxUnclipped) {
  AddDrill(0, 100, 200);
  Chart.Paint();
  auto Boxes = Surface.CallsOf("Rectangle");
  std::vector<TRecordedCall> Marks;
  for (const auto& Box : Boxes)
    if (IsMarkBox(Box)) Marks.push_back(Box);
  ASSERT_EQ(Marks.size(), 1u);
  EXPECT_LT(Marks[0].Rect.Top, Chart.PlotRect.Top);
  EXPECT_FALSE(Marks[0].Clipped);
  auto Text = Surface.TextsOf("100");
  ASSERT_FALSE(Text.empty());
  EXPECT_FALSE(Text.back().Clipped);
  // The bar itself is drawn inside the clip of the plot box.
  long Front = FirstCall(Surface, IsBarFace);
  ASSERT_GE(Front, 0);
  EXPECT_TRUE(Surface.Calls[static_cast<size_t>(Front)].Clipped);
}

TEST_F(ResultChartTest, OutOfRangeDurationIsCutAtThePlotBox) {
  AddDrill(0, 50, 200);
  AddDrill(1, 50, 400);
  AddDrill(2, 50, 50);
  Chart.Paint();
  std::vector<TRecordedCall> Ribbons;
  for (const auto& Call : Surface.Calls)
    if (IsRibbon(Call)) Ribbons.push_back(Call);
  ASSERT_EQ(Ribbons.size(), 2u);
  for (const auto& Ribbon : Ribbons) EXPECT_TRUE(Ribbon.Clipped);
  // The piece to 400 s reaches above the plot box, the one to 50 s below it.
  int MinY = 100000, MaxY = -100000;
  for (const auto& Ribbon : Ribbons)
    for (const TPoint& P : Ribbon.Points) {
      MinY = std::min(MinY, P.Y);
      MaxY = std::max(MaxY, P.Y);
    }
  EXPECT_LT(MinY, Chart.PlotRect.Top);
  EXPECT_GT(MaxY, Chart.PlotRect.Bottom);
}

TEST_F(ResultChartTest, BottomAxisKeepsABarWidthFreeAtBothEnds) {
  for (int I = 0; I < 9; ++I) AddDrill(I, 50 + I, 150 + 10 * I);
  Chart.Paint();
  const int Width = Bars.BarPixelWidth();
  ASSERT_GT(Width, 0);
  EXPECT_EQ(Width % 2, 0);
  // The outermost x values stand one bar width inside the plot box's ends.
  EXPECT_EQ(Chart.BottomAxis.ValueToPixel(Bars.XValues.ValueAt(0)) - Chart.PlotRect.Left, Width);
  EXPECT_NEAR(Chart.PlotRect.Right - Chart.BottomAxis.ValueToPixel(Bars.XValues.ValueAt(8)), Width, 1);
  // Front faces (red) lie at the bar slot's front depth, inside the plot box.
  for (const auto& Call : Surface.Calls) {
    if (Call.Op != "Polygon" || Call.Brush.Color != clRed) continue;
    for (const TPoint& P : Call.Points) {
      EXPECT_GE(P.X, Chart.PlotRect.Left + Bars.StartZ);
      EXPECT_LE(P.X, Chart.PlotRect.Right + Bars.StartZ);
    }
  }
}

}  // namespace

namespace {

// Bars in the same place: one that a later bar reaches over completely is not
// drawn (its three faces); a taller earlier one is. With a see-through brush
// or a dotted outline every bar is drawn. The mouse finds the same bars.
TEST_F(BarSeriesTest, BarsCoveredByLaterOnesAreLeftOut) {
  for (double Value : {40.0, 85.0, 60.0, 60.0}) Bars.AddPoint(300, Value, "", clAutoColor);
  Bars.AddPoint(350, 10, "", clAutoColor);
  LayOut();
  Bars.Marks.Visible = false;
  Draw();
  // 40 lies inside 85, the first 60 inside the second; 85, 60 and 10 are drawn.
  EXPECT_EQ(Polygons().size(), 9u);
  EXPECT_EQ(Bars.Clicked(330, 300), 3);

  for (int Case = 0; Case < 3; ++Case) {
    SCOPED_TRACE(Case);
    Bars.LeaveOutCoveredShapes = Case != 0;
    Bars.BarBrush.Style = Case == 1 ? TBrushStyle::Clear : TBrushStyle::Solid;
    Bars.BarPen.Style = Case == 2 ? TPenStyle::Dot : TPenStyle::Solid;
    LayOut();
    Draw();
    EXPECT_EQ(Polygons().size(), 15u);
    EXPECT_EQ(Bars.Clicked(330, 300), 3);
  }
}

}  // namespace
