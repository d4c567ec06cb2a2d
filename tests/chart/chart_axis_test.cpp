// SPDX-License-Identifier: GPL-3.0-or-later
// Axes on their own: the nice step sequence, value formatting, the label step
// and the labels drawn from the top of the range down, the value <-> pixel
// mapping, and label loops that must end.
#include <gtest/gtest.h>

#include "chart_test_support.h"

namespace {

TEST(NextNiceStep, RunsOneTwoFive) {
  EXPECT_EQ(NextNiceStep(1), 2);
  EXPECT_EQ(NextNiceStep(2), 5);
  EXPECT_EQ(NextNiceStep(5), 10);
  EXPECT_EQ(NextNiceStep(7), 10);
  EXPECT_EQ(NextNiceStep(10), 20);
  EXPECT_EQ(NextNiceStep(0.5), 1);
  EXPECT_EQ(NextNiceStep(0.2), 0.5);
  EXPECT_EQ(NextNiceStep(20), 50);
  EXPECT_EQ(NextNiceStep(3), 5);
  // In doubles the smallest step lands just above itself, never below.
  EXPECT_GT(NextNiceStep(1e-12), 1e-12);
}

TEST(FormatAxisValue, ThousandsAndUpToThreeDecimals) {
  const std::string F = "#,##0.###";
  EXPECT_EQ(FormatAxisValue(100, F), "100");
  EXPECT_EQ(FormatAxisValue(2.5, F), "2.5");
  EXPECT_EQ(FormatAxisValue(1000, F), "1,000");
  EXPECT_EQ(FormatAxisValue(-0.5, F), "-0.5");
  EXPECT_EQ(FormatAxisValue(0, F), "0");
  EXPECT_EQ(FormatAxisValue(0.25, F), "0.25");
  EXPECT_EQ(FormatAxisValue(1234567.5, F), "1,234,567.5");
  EXPECT_EQ(FormatAxisValue(-123456, F), "-123,456");
  EXPECT_EQ(FormatAxisValue(0.1 + 0.2, F), "0.3");
  EXPECT_EQ(FormatAxisValue(2.0005, F), "2.001");  // halves away from zero
  EXPECT_EQ(FormatAxisValue(-2.0005, F), "-2.001");
  EXPECT_EQ(FormatAxisValue(999.9996, F), "1,000");
  EXPECT_EQ(FormatAxisValue(-0.0001, F), "0");  // rounds to zero: no sign
  EXPECT_EQ(FormatAxisValue(1 - 10 * 0.1, F), "0");
  EXPECT_EQ(FormatAxisValue(1e-12, F), "0");
  EXPECT_EQ(FormatAxisValue(2.5, "0.00"), "2.50");
  EXPECT_EQ(FormatAxisValue(1234.5, "0"), "1235");
}

// One axis drawn on its own, with the plot box given.
struct TAxisAlone : ::testing::Test {
  TRecordingSurface Surface;
  TChart Chart{Surface};

  void Prepare(TChartAxis& Axis, double Min, double Max, const TRect& Plot) {
    Axis.SetMinMax(Min, Max);
    Axis.LabelsFont = Font("", 21);
    Chart.PlotRect = Plot;
    Axis.CalcRange();
    Axis.SetPixels(Plot);
  }
  std::vector<std::string> Labels() const {
    std::vector<std::string> Texts;
    for (const auto& Call : Surface.CallsOf("TextOut")) Texts.push_back(Call.Text);
    return Texts;
  }
};

TEST_F(TAxisAlone, LeftAxisOf400PixelsIsLabelledEveryTen) {
  Prepare(Chart.LeftAxis, 0, 100, TRect{100, 100, 500, 500});
  Chart.LeftAxis.LabelsEdge = 90;
  Chart.LeftAxis.Draw();
  EXPECT_EQ(Chart.LeftAxis.LabelStep, 10);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"100", "90", "80", "70", "60", "50", "40", "30", "20", "10", "0"}));
  const auto T = Surface.CallsOf("TextOut");
  EXPECT_EQ(T[0].Points[0], (TPoint{90, 90}));    // right-aligned, centred on y 100
  EXPECT_EQ(T[1].Points[0], (TPoint{90, 130}));   // 90 at y 140
  EXPECT_EQ(T[10].Points[0], (TPoint{90, 490}));  // 0 at y 500
  EXPECT_EQ(T[0].HorizAlign, THorizTextAlign::Right);
  EXPECT_EQ(T[0].VertAlign, TVertTextAlign::Top);
  EXPECT_EQ(T[0].BackgroundMode, TBackgroundMode::Transparent);
  EXPECT_EQ(Chart.LeftAxis.TickPositions,
            (std::vector<int>{100, 140, 180, 220, 260, 300, 340, 380, 420, 460, 500}));
}

// The label texts are kept from one drawing to the next: a new format must
// show at the next drawing all the same.
TEST_F(TAxisAlone, ANewValueFormatShowsAtTheNextDrawing) {
  Prepare(Chart.RightAxis, 100, 300, TRect{100, 100, 500, 500});
  Chart.RightAxis.Draw();
  ASSERT_EQ(Labels().front(), "300");
  Surface.Clear();
  Chart.RightAxis.AxisValuesFormat = "0.0";
  Chart.RightAxis.Draw();
  ASSERT_FALSE(Labels().empty());
  EXPECT_EQ(Labels().front(), "300.0");
  EXPECT_EQ(Labels().back(), "100.0");
}

TEST_F(TAxisAlone, RightAxisOf400PixelsIsLabelledEveryTwenty) {
  Prepare(Chart.RightAxis, 100, 300, TRect{100, 100, 500, 500});
  Chart.RightAxis.Draw();
  EXPECT_EQ(Chart.RightAxis.LabelStep, 20);
  EXPECT_EQ(Labels(),
            (std::vector<std::string>{"300", "280", "260", "240", "220", "200", "180", "160", "140", "120", "100"}));
  EXPECT_EQ(Surface.CallsOf("TextOut")[0].HorizAlign, THorizTextAlign::Left);
}

TEST_F(TAxisAlone, LabelsStayInsideTheRange) {
  Prepare(Chart.BottomAxis, -0.7, 9.7, TRect{0, 0, 600, 400});
  Chart.BottomAxis.Draw();
  EXPECT_EQ(Chart.BottomAxis.LabelStep, 1);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"9", "8", "7", "6", "5", "4", "3", "2", "1", "0"}));
  const auto T = Surface.CallsOf("TextOut");
  EXPECT_EQ(T[9].Points[0].X, 40);  // 0.7 of 10.4 over 600 pixels: 40.38
  EXPECT_EQ(T[9].HorizAlign, THorizTextAlign::Center);
}

TEST_F(TAxisAlone, StepGrowsWithTheLabelSize) {
  // Wider labels on a horizontal axis leave room for fewer of them.
  Prepare(Chart.BottomAxis, 0, 100000, TRect{0, 0, 600, 400});
  // "100,000" is 70 pixels wide, 77 with the gap: 8 labels at most, so 20000.
  EXPECT_EQ(Chart.BottomAxis.CalcLabelStep(), 20000);
  Chart.BottomAxis.Increment = 30000;
  EXPECT_EQ(Chart.BottomAxis.CalcLabelStep(), 30000);
  Chart.BottomAxis.AxisLength = 0;  // no room at all: the smallest step
  EXPECT_EQ(Chart.BottomAxis.CalcLabelStep(), 1e-12);
}

TEST_F(TAxisAlone, EqualRangeDrawsOneLabelInTheMiddle) {
  Prepare(Chart.BottomAxis, 0, 0, TRect{88, 0, 597, 400});
  Chart.BottomAxis.Draw();
  EXPECT_EQ(Labels(), (std::vector<std::string>{"0"}));
  EXPECT_EQ(Surface.CallsOf("TextOut")[0].Points[0].X, 342);
  EXPECT_EQ(Chart.BottomAxis.TickPositions, (std::vector<int>{342}));
}

TEST_F(TAxisAlone, LabelLoopsEndFarFromZero) {
  // At 20,000 a step of 1e-12 no longer lowers the value: one label.
  Prepare(Chart.BottomAxis, 20000, 20000, TRect{0, 0, 600, 400});
  Chart.BottomAxis.Draw();
  EXPECT_EQ(Labels(), (std::vector<std::string>{"20,000"}));

  // At 10,000 it lowers the value by one unit in the last place, down to the
  // loop's relative tolerance of 1e-12: the labels stop with the tick list.
  Surface.Clear();
  Prepare(Chart.BottomAxis, 10000, 10000, TRect{0, 0, 600, 400});
  Chart.BottomAxis.Draw();
  auto Texts = Labels();
  EXPECT_FALSE(Texts.empty());
  EXPECT_LE(Texts.size(), TChartAxis::MaxTickPositions);
  EXPECT_EQ(Chart.BottomAxis.TickPositions.size(), Texts.size());
  for (const auto& T : Texts) EXPECT_EQ(T, "10,000");
  for (const int P : Chart.BottomAxis.TickPositions) EXPECT_EQ(P, 300);

  // A zoom narrower than 1e-10 leaves a range of 1e-10 there.
  Surface.Clear();
  Chart.LeftAxis.FixAxisRange(10000, 10000);
  EXPECT_EQ(Chart.LeftAxis.Maximum, 10000 + 1e-10);
  Chart.LeftAxis.LabelsFont = Font("", 21);
  Chart.PlotRect = TRect{0, 0, 600, 400};
  Chart.LeftAxis.CalcRange();
  Chart.LeftAxis.SetPixels(Chart.PlotRect);
  Chart.LeftAxis.Draw();
  Texts = Labels();
  EXPECT_FALSE(Texts.empty());
  EXPECT_LE(Texts.size(), TChartAxis::MaxTickPositions);
  for (const auto& T : Texts) EXPECT_EQ(T, "10,000");

  Surface.Clear();
  Prepare(Chart.BottomAxis, 1e6, 1e6 + 0.5, TRect{0, 0, 600, 400});
  Chart.BottomAxis.Draw();
  EXPECT_EQ(Labels(), (std::vector<std::string>{"1,000,000.5", "1,000,000.4", "1,000,000.3", "1,000,000.2",
                                                "1,000,000.1", "1,000,000"}));
}

TEST_F(TAxisAlone, TenThousandStepsOrMoreDrawNoLabelsButTheLine) {
  Prepare(Chart.LeftAxis, 0, 100, TRect{100, 100, 500, 500});
  Chart.LeftAxis.LabelsSeparation = 0;  // the increment is taken as it is
  Chart.LeftAxis.Increment = 0.005;     // 20000 steps
  Chart.LeftAxis.Draw();
  EXPECT_TRUE(Surface.CallsOf("TextOut").empty());
  EXPECT_TRUE(Chart.LeftAxis.TickPositions.empty());
  const auto Lines = Surface.CallsOf("LineTo");
  ASSERT_EQ(Lines.size(), 1u);  // the axis line alone
  EXPECT_EQ(Lines[0].Pen.Width, 2);

  Surface.Clear();
  Chart.LeftAxis.Increment = 0.0101;  // 9901 steps: labelled
  Chart.LeftAxis.Draw();
  EXPECT_FALSE(Surface.CallsOf("TextOut").empty());
}

TEST_F(TAxisAlone, LabelsOffTheAxisAreDroppedUnlessAllowed) {
  Prepare(Chart.BottomAxis, 0, 10, TRect{0, 0, 600, 400});
  Chart.BottomAxis.LabelsOnAxis = false;
  Chart.BottomAxis.Draw();
  EXPECT_EQ(Labels(), (std::vector<std::string>{"9", "8", "7", "6", "5", "4", "3", "2", "1"}));
  EXPECT_EQ(Chart.BottomAxis.TickPositions.size(), 9u);
}

TEST_F(TAxisAlone, TicksGridAndMinorTicksOfTheLeftAxis) {
  Prepare(Chart.LeftAxis, 0, 100, TRect{100, 100, 500, 500});
  Chart.TotalDepth = 20;
  Chart.Canvas.StartDrawing(600, 600, true);
  Chart.Canvas.SetProjection(20, TRect{0, 0, 600, 600}, Chart.PlotRect);
  Surface.Clear();
  Chart.LeftAxis.MinorTickCount = 3;
  Chart.LeftAxis.Draw();
  std::vector<std::pair<TPoint, TPoint>> Ticks, Grid, Minor;
  const auto& C = Surface.Calls;
  for (size_t I = 0; I + 1 < C.size(); ++I) {
    if (C[I].Op != "MoveTo" || C[I + 1].Op != "LineTo") continue;
    const auto Segment = std::make_pair(C[I].Points[0], C[I + 1].Points[0]);
    if (C[I + 1].Pen.Style == TPenStyle::Dot)
      Grid.push_back(Segment);
    else if (C[I + 1].Pen.Color == clGray && Segment.first.X - Segment.second.X == 4)
      Ticks.push_back(Segment);
    else if (C[I + 1].Pen.Color == clGray)
      Minor.push_back(Segment);
  }
  ASSERT_EQ(Ticks.size(), 11u);
  EXPECT_EQ(Ticks[0], std::make_pair(TPoint{99, 100}, TPoint{95, 100}));
  // Across the left wall, then along the back wall.
  ASSERT_EQ(Grid.size(), 22u);
  EXPECT_EQ(Grid[0], std::make_pair(TPoint{100, 100}, TPoint{120, 80}));
  EXPECT_EQ(Grid[1], std::make_pair(TPoint{120, 80}, TPoint{520, 80}));
  // 3 between each of the 10 pairs; those beyond the ends are outside the axis.
  ASSERT_EQ(Minor.size(), 30u);
  EXPECT_EQ(Minor[0], std::make_pair(TPoint{99, 130}, TPoint{97, 130}));
  EXPECT_EQ(Minor[1], std::make_pair(TPoint{99, 120}, TPoint{97, 120}));
  EXPECT_EQ(Minor[2], std::make_pair(TPoint{99, 110}, TPoint{97, 110}));
}

TEST(AxisMapping, ValueToPixelRoundsHalvesToEvenAndFallsBackToTheCentre) {
  TRecordingSurface Surface;
  TChart Chart(Surface);
  TChartAxis& B = Chart.BottomAxis;
  B.RangeMin = 0;
  B.RangeMax = 2;
  B.SetPixels(TRect{10, 0, 15, 100});  // 5 pixels long
  EXPECT_EQ(B.ValueToPixel(1), 12);      // 2.5 -> 2
  EXPECT_EQ(B.ValueToPixel(0.2), 10);    // 0.5 -> 0
  EXPECT_EQ(B.ValueToPixel(1.8), 14);    // 4.5 -> 4
  EXPECT_EQ(B.ValueToPixel(2), 15);
  EXPECT_EQ(B.ValueToPixel(1e12), 12);   // too far for the pixel arithmetic
  EXPECT_EQ(B.PixelToValue(15), 2);
  EXPECT_EQ(B.PixelToValue(10), 0);

  TChartAxis& L = Chart.LeftAxis;
  L.RangeMin = 100;
  L.RangeMax = 300;
  L.SetPixels(TRect{0, 100, 10, 500});
  EXPECT_EQ(L.ValueToPixel(300), 100);
  EXPECT_EQ(L.ValueToPixel(100), 500);
  EXPECT_EQ(L.ValueToPixel(200), 300);
  EXPECT_EQ(L.PixelToValue(100), 300);
  EXPECT_EQ(L.PixelToValue(300), 200);
  L.RangeMax = 100;
  EXPECT_EQ(L.ValueToPixel(55), 300);  // empty range: the centre
  L.SetPixels(TRect{0, 100, 10, 100});
  EXPECT_EQ(L.PixelToValue(100), 0);  // no length
}

TEST(AxisRange, FixingAndAutomaticEnds) {
  TRecordingSurface Surface;
  TChart Chart(Surface);
  auto& S = Chart.AddSeries<TTestSeries>();
  S.AddPoint(2, 50, "", clAutoColor);
  S.AddPoint(7, -5, "", clAutoColor);
  TChartAxis& B = Chart.BottomAxis;
  B.CalcRange();
  EXPECT_EQ(B.RangeMin, 2);
  EXPECT_EQ(B.RangeMax, 7);
  EXPECT_EQ(B.Maximum, 7);  // the found range is kept
  Chart.LeftAxis.AutomaticMaximum = false;
  Chart.LeftAxis.Maximum = 80;
  Chart.LeftAxis.CalcRange();
  EXPECT_EQ(Chart.LeftAxis.RangeMin, -5);
  EXPECT_EQ(Chart.LeftAxis.RangeMax, 80);
  // An axis no series uses, and an inactive series that stands in.
  Chart.RightAxis.CalcRange();
  EXPECT_EQ(Chart.RightAxis.RangeMax, 0);
  S.Active = false;
  B.CalcRange();
  EXPECT_EQ(B.RangeMax, 7);
  B.FixAxisRange(9, 3);
  EXPECT_FALSE(B.Automatic || B.AutomaticMinimum || B.AutomaticMaximum);
  EXPECT_EQ(B.Minimum, 3);
  EXPECT_EQ(B.Maximum, 9);
  B.CalcRange();
  EXPECT_EQ(B.RangeMin, 3);
}

}  // namespace
