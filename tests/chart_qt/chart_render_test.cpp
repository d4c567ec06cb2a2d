// SPDX-License-Identifier: GPL-3.0-or-later
// The result chart drawn with QPainter and the IPA fonts, checked pixel by
// pixel where the geometry fixes the colour; the pictures are kept as PNG.
// Also the chart widget: one paint for many points, copies without layout,
// the mouse passed on to the chart.
#include <gtest/gtest.h>

#include <array>

#include <QDir>
#include <QMouseEvent>
#include <QTest>

#include "chart/bar_series.h"
#include "chart/chart.h"
#include "chart_qt/chart_fonts.h"
#include "chart_qt/chart_widget.h"
#include "chart_qt/qpainter_surface.h"
#include "chart_test_history.h"
#include "results/result_chart.h"

namespace {

QRgb Rgb(TColor Color) {
  TColor C = ColorToRGB(Color);
  return qRgb(static_cast<int>(RedOf(C)), static_cast<int>(GreenOf(C)), static_cast<int>(BlueOf(C)));
}

std::string Name(QRgb C) {
  return "(" + std::to_string(qRed(C)) + ", " + std::to_string(qGreen(C)) + ", " + std::to_string(qBlue(C)) + ")";
}

#define EXPECT_PIXEL(Image, X, Y, Color) \
  EXPECT_EQ(Name((Image).pixel((X), (Y))), Name(Color)) << "at (" << (X) << ", " << (Y) << ")"

void SavePicture(const QImage& Image, const char* FileName) {
  QDir().mkpath(SURASURA_PICTURES_DIR);
  EXPECT_TRUE(Image.save(QString(SURASURA_PICTURES_DIR) + "/" + FileName));
}

// The chart must draw exactly the kept picture: the ones in docs/ and the
// references of long histories were drawn before the surface's fast paths,
// and no change of the drawing code may move a pixel of them.
void ExpectSameAsKept(const QImage& Image, const QString& KeptPath) {
  const QImage Kept(KeptPath);
  ASSERT_FALSE(Kept.isNull()) << KeptPath.toStdString();
  ASSERT_EQ(Kept.size(), Image.size());
  const QImage A = Kept.convertToFormat(QImage::Format_RGB32);
  const QImage B = Image.convertToFormat(QImage::Format_RGB32);
  int Differing = 0;
  QPoint First(-1, -1);
  for (int Y = 0; Y < A.height(); ++Y) {
    for (int X = 0; X < A.width(); ++X) {
      if (A.pixel(X, Y) == B.pixel(X, Y)) continue;
      if (Differing++ == 0) First = QPoint(X, Y);
    }
  }
  EXPECT_EQ(Differing, 0) << KeptPath.toStdString() << ": first at (" << First.x() << ", " << First.y() << ") kept "
                          << Name(A.pixel(First)) << ", drawn " << Name(B.pixel(First));
}

QString Docs(const char* FileName) { return QString(SURASURA_DOCS_DIR) + "/" + FileName; }
QString Reference(const char* FileName) { return QString(SURASURA_REFERENCE_DIR) + "/" + FileName; }

// 30 drills: bars between 20 and 60 per cent, durations 250 to 290 seconds
// (the ribbon runs well above the bars); drills 10 and 11 take equally long.
std::vector<std::pair<int, int>> ThirtyDrills() {
  std::vector<std::pair<int, int>> Drills;
  for (int I = 0; I < 30; ++I) Drills.push_back({20 + (I * 7) % 41, I == 11 ? 250 + 10 % 41 : 250 + I % 41});
  return Drills;
}

class ResultChartPictureTest : public ::testing::Test {
protected:
  void SetUp() override {
    ConfigureResultChart(Chart);
    Chart.SetSize(705, 569);
  }

  const QImage& Paint() {
    Chart.Paint();
    return Surface.Image();
  }

  // The picture with covered shapes left out, after checking that it equals
  // the one with every shape drawn.
  QImage PaintLeavingOutAndNot() {
    const QImage LeftOut = Paint().copy();
    for (int I = 0; I < Chart.SeriesCount(); ++I) Chart.Series(I).LeaveOutCoveredShapes = false;
    Chart.Invalidate();
    const QImage Everything = Paint().copy();
    for (int I = 0; I < Chart.SeriesCount(); ++I) Chart.Series(I).LeaveOutCoveredShapes = true;
    EXPECT_EQ(LeftOut.size(), Everything.size());
    int Differing = 0;
    for (int Y = 0; Y < std::min(LeftOut.height(), Everything.height()); ++Y) {
      for (int X = 0; X < std::min(LeftOut.width(), Everything.width()); ++X) {
        Differing += LeftOut.pixel(X, Y) != Everything.pixel(X, Y) ? 1 : 0;
      }
    }
    EXPECT_EQ(Differing, 0);
    return LeftOut;
  }

  // Pixels in the rectangle whose colour is close to pure blue.
  int BluePixels(const QImage& Image, TRect Area) const {
    int N = 0;
    for (int Y = Area.Top; Y < Area.Bottom; ++Y) {
      for (int X = Area.Left; X < Area.Right; ++X) {
        QRgb C = Image.pixel(X, Y);
        N += (qBlue(C) >= 200 && qRed(C) <= 80 && qGreen(C) <= 80) ? 1 : 0;
      }
    }
    return N;
  }

  int ColourPixels(const QImage& Image, TRect Area, QRgb Colour) const {
    int N = 0;
    for (int Y = Area.Top; Y < Area.Bottom; ++Y) {
      for (int X = Area.Left; X < Area.Right; ++X) N += Image.pixel(X, Y) == Colour ? 1 : 0;
    }
    return N;
  }

  // What every picture of this chart shows, empty or not.
  void ExpectFrame(const QImage& Image) {
    const TRect& P = Chart.PlotRect;
    const int Depth = Chart.TotalDepth;
    ASSERT_EQ(Depth, 20);
    // Panel, with the raised bevel around it.
    EXPECT_PIXEL(Image, 10, 300, Rgb(clBtnFace));
    EXPECT_PIXEL(Image, 0, 300, Rgb(clBtnHighlight));
    EXPECT_PIXEL(Image, 704, 300, Rgb(clBtnShadow));
    // Light-yellow left wall, between the grid lines at 100 and 90.
    const int Y95 = Chart.LeftAxis.ValueToPixel(95);
    EXPECT_PIXEL(Image, P.Left + 10, Y95 - 10, Rgb(clLightYellow));
    // White floor, in front of the bars' slot.
    EXPECT_PIXEL(Image, P.Left + 4, P.Bottom - 3, Rgb(clWhite));
    // The back wall is hollow: the panel shows through.
    EXPECT_PIXEL(Image, P.Right - 3, Y95 - Depth, Rgb(clBtnFace));
    // Black back wall outline at its top-left corner.
    EXPECT_PIXEL(Image, P.Left + 1 + Depth, P.Top - 1 - Depth, qRgb(0, 0, 0));
    // Axis lines, black, 2 pixels: left at the front, right at the back
    // (away from the label rows, where the dotted grid line starts).
    EXPECT_PIXEL(Image, P.Left, Y95, qRgb(0, 0, 0));
    EXPECT_PIXEL(Image, P.Right + Depth, Chart.RightAxis.ValueToPixel(290) - Depth, qRgb(0, 0, 0));

    // Blue title "結果グラフ" in its band above the plot box, centred between 21 and 684.
    const int TitleTop = 23;
    EXPECT_GT(BluePixels(Image, TRect{300, TitleTop, 405, TitleTop + 22}), 100);
    EXPECT_EQ(BluePixels(Image, TRect{0, 0, 705, TitleTop}), 0);
    EXPECT_EQ(BluePixels(Image, TRect{0, TitleTop, 290, TitleTop + 22}), 0);
    EXPECT_EQ(BluePixels(Image, TRect{415, TitleTop, 705, TitleTop + 22}), 0);
  }

  TQPainterSurface Surface{ProgramChartFonts()};
  TChart Chart{Surface};
};

TEST_F(ResultChartPictureTest, EmptyHistory) {
  FillResultChart(Chart, MakeHistory({}));
  const QImage& Image = Paint();
  SavePicture(Image, "chart-empty.png");
  ExpectSameAsKept(Image, Docs("chart-empty.png"));
  ExpectFrame(Image);
  // No bars and no line: nothing blue below the title.
  EXPECT_EQ(BluePixels(Image, TRect{0, 50, 705, 569}), 0);
  // The single bottom label sits at the middle of the axis.
  int Ink = 0;
  const int Mid = Chart.BottomAxis.CenterPixel;
  for (int Y = Chart.BottomAxis.LabelsEdge; Y < Chart.BottomAxis.LabelsEdge + 22; ++Y) {
    for (int X = Mid - 8; X < Mid + 8; ++X) Ink += Image.pixel(X, Y) == qRgb(0, 0, 0) ? 1 : 0;
  }
  EXPECT_GT(Ink, 5);
}

TEST_F(ResultChartPictureTest, ThirtyDrills) {
  const auto Drills = ThirtyDrills();
  FillResultChart(Chart, MakeHistory(Drills));
  const QImage& Image = Paint();
  SavePicture(Image, "chart-30.png");
  ExpectSameAsKept(Image, Docs("chart-30.png"));
  ExpectFrame(Image);

  auto& Bars = dynamic_cast<TBarSeries&>(Chart.Series(0));
  const int Width = Bars.BarPixelWidth();
  ASSERT_GT(Width, 4);
  const int Z0 = Bars.StartZ, Z1 = Bars.EndZ;
  const int Bottom = Chart.PlotRect.Bottom;
  for (int I = 0; I < 30; ++I) {
    const int Middle = Chart.BottomAxis.ValueToPixel(Bars.XValues.ValueAt(I));  // each bar centred on its x
    const int Top = Chart.LeftAxis.ValueToPixel(Drills[I].first);
    const int MidY = (Top + Bottom) / 2;
    // Red front face at the bars' depth.
    EXPECT_PIXEL(Image, Middle + Z0, MidY - Z0, qRgb(255, 0, 0));
    const int Zm = (Z0 + Z1) / 2;
    // Light-yellow mark box above the bar, drawn where the marks' depth puts it
    // (its corner, clear of the text).
    const TSeriesMarkPosition& Mark = Bars.Marks.Positions.at(static_cast<size_t>(I));
    const TPoint Box = Chart.Canvas.ProjectPoint(Mark.LeftTop.X, Mark.LeftTop.Y, Zm);
    EXPECT_PIXEL(Image, Box.X + 2, Box.Y + 2, Rgb(clLightYellow));
    EXPECT_PIXEL(Image, Box.X, Box.Y + 2, qRgb(0, 0, 0));
  }
  // The last bar's right side is not covered by another bar: darker still.
  const int LastRight = Chart.BottomAxis.ValueToPixel(Bars.XValues.ValueAt(29)) + Width / 2;
  const int LastTop = Chart.LeftAxis.ValueToPixel(Drills[29].first);
  const int Zm = (Z0 + Z1) / 2;
  EXPECT_PIXEL(Image, LastRight + Zm, (LastTop + Bottom) / 2 - Zm, Rgb(Darken(clRed, 128)));

  // Blue ribbon through the line series' slot, where drills 10 and 11 lie level.
  const TChartSeries& Line = Chart.Series(1);
  const int X10 = Chart.BottomAxis.ValueToPixel(10), X11 = Chart.BottomAxis.ValueToPixel(11);
  const int Y = Chart.RightAxis.ValueToPixel(Drills[10].second);
  const int Zl = (Line.StartZ + Line.EndZ) / 2;
  EXPECT_PIXEL(Image, (X10 + X11) / 2 + Zl, Y - Zl, qRgb(0, 0, 255));
  EXPECT_GT(BluePixels(Image, Chart.PlotRect), 30 * 20);
}

TEST_F(ResultChartPictureTest, OneDrill) {
  FillResultChart(Chart, MakeHistory({{85, 150}}));
  const QImage& Image = Paint();
  SavePicture(Image, "chart-1.png");
  ExpectSameAsKept(Image, Docs("chart-1.png"));
  ExpectFrame(Image);
  // One bar standing on the middle of the bottom axis, no line.
  const int Mid = Chart.BottomAxis.CenterPixel;
  auto& Bars = dynamic_cast<TBarSeries&>(Chart.Series(0));
  const int Z0 = Bars.StartZ, Zm = (Bars.StartZ + Bars.EndZ) / 2;
  const int Left = Chart.BottomAxis.ValueToPixel(Bars.XValues.ValueAt(0)) - Bars.BarPixelWidth() / 2;
  const int Right = Left + Bars.BarPixelWidth();
  EXPECT_LE(Left, Mid);
  EXPECT_GT(Right, Mid);
  const int Top = Chart.LeftAxis.ValueToPixel(85);
  EXPECT_PIXEL(Image, Mid + Z0, Chart.LeftAxis.ValueToPixel(40) - Z0, qRgb(255, 0, 0));
  // Top face darkened by 64, right side by 128, the white arrow up from the top's middle.
  EXPECT_PIXEL(Image, Left + 3 + Zm, Top - Zm, Rgb(Darken(clRed, 64)));
  EXPECT_PIXEL(Image, Right + Zm, Chart.LeftAxis.ValueToPixel(40) - Zm, Rgb(Darken(clRed, 128)));
  EXPECT_PIXEL(Image, (Left + Right) / 2 + Zm, Top - Zm - 10, Rgb(clWhite));
  EXPECT_EQ(BluePixels(Image, TRect{0, 50, 705, 569}), 0);
}

// Long histories: bars a pixel wide or none, value marks piled on each other,
// the ribbon folding back and forth.
TEST_F(ResultChartPictureTest, LongHistoriesDrawAsTheirReferences) {
  for (const int N : {100, 1000}) {
    SCOPED_TRACE(N);
    FillResultChart(Chart, MadeUpHistory(static_cast<std::size_t>(N)));
    const QImage& Image = Paint();
    const char* FileName = N == 100 ? "chart-100.png" : "chart-1000.png";
    SavePicture(Image, FileName);
    ExpectSameAsKept(Image, Reference(FileName));
  }
}

// Long histories whose bars share pixel columns and whose ribbon runs up and
// down inside one column: the paint leaves out what later bars and pieces
// cover, and every picture must equal the one with every shape drawn, also
// zoomed in (bars cut by the plot box) and scrolled.
TEST_F(ResultChartPictureTest, LeavingOutCoveredShapesChangesNoPixel) {
  std::vector<std::pair<int, int>> Runs;  // equal values in runs, nested durations
  for (int I = 0; I < 4000; ++I) Runs.push_back({(I / 37) * 13 % 101, 100 + (I * I) % 221});
  std::vector<std::pair<int, int>> Steps;  // a staircase up and down, then flat
  for (int I = 0; I < 2500; ++I) Steps.push_back({I < 2000 ? (I % 200 < 100 ? I % 100 : 100 - I % 100) : 50, 300 - I % 7});
  const TRect P = Chart.PlotRect;
  struct TCase {
    const char* Name;
    THistoryFile History;
    std::vector<std::pair<TMouseButton, std::array<int, 4>>> Drags;  // from x, y to x, y
  };
  std::vector<TCase> Cases;
  Cases.push_back({"made-up 3000", MadeUpHistory(3000), {}});
  Cases.push_back({"runs 4000", MakeHistory(Runs), {}});
  Cases.push_back({"steps 2500", MakeHistory(Steps), {}});
  Cases.push_back({"made-up 5000 zoomed", MadeUpHistory(5000),
                   {{TMouseButton::Left, {P.Left + 200, P.Top + 150, P.Left + 330, P.Top + 300}}}});
  Cases.push_back({"runs 4000 zoomed and scrolled", MakeHistory(Runs),
                   {{TMouseButton::Left, {P.Left + 100, P.Top + 50, P.Left + 260, P.Top + 250}},
                    {TMouseButton::Right, {P.Left + 300, P.Top + 200, P.Left + 220, P.Top + 260}}}});
  FillResultChart(Chart, MadeUpHistory(0));
  const QImage EmptyChart = Paint().copy();
  for (TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    FillResultChart(Chart, Case.History);
    for (const auto& [Button, At] : Case.Drags) {
      Chart.MouseDown(Button, At[0], At[1]);
      Chart.MouseMove((At[0] + At[2]) / 2, (At[1] + At[3]) / 2);
      Chart.MouseMove(At[2], At[3]);
      Chart.MouseUp(Button, At[2], At[3]);
    }
    const QImage LeftOut = PaintLeavingOutAndNot();
    // Not the empty chart's picture.
    EXPECT_NE(LeftOut, EmptyChart);
    if (Chart.ZoomScroll.IsZoomedIn()) Chart.ZoomScroll.UndoZoom();
  }

  // Marks whose boxes later marks cover from both sides while their arrows
  // stay in sight: points out of x order, and no ribbon; crowded marks drawn.
  FillResultChart(Chart, MadeUpHistory(0));
  TChartSeries& Bars = Chart.Series(0);
  Bars.Marks.LeaveOutCrowded = false;
  Bars.XValues.Order = TChartListOrder::None;
  for (double X : {20.0, 19.6, 20.4, 30.0, 29.5, 30.5, 30.0}) Bars.AddPoint(X, 50, "", clAutoColor);
  for (double X : {40.0, 39.6, 40.4}) Bars.AddPoint(X, X == 40.0 ? 9 : 10, "", clAutoColor);
  const QImage Crossed = PaintLeavingOutAndNot();
  const TSeriesMarkPosition& First = Bars.Marks.Positions.at(0);
  // The first arrow shows, in the arrow colour, below the boxes.
  SavePicture(Crossed, "marks-covered-from-both-sides.png");
  const TPoint Arrow = Chart.Canvas.ProjectPoint(First.ArrowFrom.X, First.ArrowFrom.Y - 3, Bars.MiddleZ);
  EXPECT_EQ(Crossed.pixel(Arrow.X, Arrow.Y), qRgb(255, 255, 255));
}

// Hand-edited histories may hold percentages below 0 or above 100 and drills
// of up to 99 minutes: bars and marks beyond the plot box, the ribbon far
// outside it. Leaving out covered shapes changes no pixel there either, at
// any panel size, zoomed in or not.
TEST_F(ResultChartPictureTest, LeavingOutCoveredShapesChangesNoPixelBeyondTheAxes) {
  unsigned Seed = 12345;
  auto Next = [&Seed](int Below) {
    Seed = Seed * 1103515245u + 12345u;
    return static_cast<int>((Seed >> 8) % static_cast<unsigned>(Below));
  };
  for (int Case = 0; Case < 60; ++Case) {
    SCOPED_TRACE(Case);
    std::vector<std::pair<int, int>> Drills;
    const int N = Case < 30 ? 1 + Next(60) : 50 + Next(900);
    for (int I = 0; I < N; ++I) {
      const int Percent = Next(4) == 0 ? Next(1099) - 99 : Next(101);
      const int Seconds = Next(4) == 0 ? Next(6000) : 100 + Next(201);
      Drills.push_back({Percent, Seconds});
    }
    FillResultChart(Chart, MakeHistory(Drills));
    Chart.SetSize(Case % 3 == 0 ? 705 : 150 + Next(900), Case % 3 == 0 ? 569 : 120 + Next(700));
    if (Case % 4 == 1) {
      Paint();  // the drag goes by what the user sees
      const TRect P = Chart.PlotRect;
      Chart.MouseDown(TMouseButton::Left, P.Left + 20 + Next(100), P.Top + 10 + Next(60));
      Chart.MouseMove(P.Left + 150, P.Top + 150);
      Chart.MouseUp(TMouseButton::Left, P.Left + 160 + Next(200), P.Top + 100 + Next(200));
    }
    PaintLeavingOutAndNot();
    if (Chart.ZoomScroll.IsZoomedIn()) Chart.ZoomScroll.UndoZoom();
  }
}

TEST_F(ResultChartPictureTest, ZoomChangesThePictureAndUndoRestoresItExactly) {
  FillResultChart(Chart, MakeHistory(ThirtyDrills()));
  const QImage Before = Paint().copy();
  const TRect P = Chart.PlotRect;
  Chart.MouseDown(TMouseButton::Left, P.Left + 120, P.Top + 40);
  Chart.MouseMove(P.Left + 250, P.Top + 200);
  // The zoom rectangle shows while dragging, inverted against the picture.
  EXPECT_NE(Surface.Image(), Before);
  Chart.MouseUp(TMouseButton::Left, P.Left + 320, P.Top + 260);
  ASSERT_TRUE(Chart.ZoomScroll.IsZoomedIn());
  const QImage Zoomed = Paint().copy();
  SavePicture(Zoomed, "chart-zoomed.png");
  ExpectSameAsKept(Zoomed, Docs("chart-zoomed.png"));
  EXPECT_NE(Zoomed, Before);
  // Bars (their width follows the point count, not the zoom) and ribbon still there.
  EXPECT_GT(ColourPixels(Zoomed, Chart.PlotRect, qRgb(255, 0, 0)), 1000);
  EXPECT_GT(BluePixels(Zoomed, Chart.PlotRect), 500);

  Chart.MouseDown(TMouseButton::Left, P.Left + 300, P.Top + 300);
  Chart.MouseMove(P.Left + 200, P.Top + 100);
  Chart.MouseUp(TMouseButton::Left, P.Left + 200, P.Top + 100);
  EXPECT_FALSE(Chart.ZoomScroll.IsZoomedIn());
  EXPECT_EQ(Paint(), Before);
}

TEST_F(ResultChartPictureTest, ASmallDragLeavesNoTrace) {
  FillResultChart(Chart, MakeHistory(ThirtyDrills()));
  const QImage Before = Paint().copy();
  const TRect P = Chart.PlotRect;
  Chart.MouseDown(TMouseButton::Left, P.Left + 100, P.Top + 100);
  Chart.MouseMove(P.Left + 130, P.Top + 107);
  Chart.MouseMove(P.Left + 110, P.Top + 140);
  Chart.MouseUp(TMouseButton::Left, P.Left + 110, P.Top + 140);
  EXPECT_EQ(Surface.Image(), Before);
  EXPECT_TRUE(Chart.Canvas.RedrawFromBuffer());  // the kept image still holds
}

// The zoom rectangle while the button is held: over red bars, the blue
// ribbon and the white bottom wall each pixel of its two-pixel ring changes
// plainly; drawn again at the same place it is gone.
TEST_F(ResultChartPictureTest, TheZoomRectangleShowsOnEveryColourAndGoesAgain) {
  FillResultChart(Chart, MakeHistory(ThirtyDrills()));
  const QImage Before = Paint().copy();
  auto Find = [&](QRgb Colour) {
    for (int Y = Chart.PlotRect.Top + 5; Y < Chart.PlotRect.Bottom + 20; ++Y) {
      for (int X = Chart.PlotRect.Left + 5; X < Chart.PlotRect.Right - 5; ++X) {
        if (Before.pixel(X, Y) == Colour) return QPoint(X, Y);
      }
    }
    return QPoint(-1, -1);
  };
  for (const QRgb Colour : {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)}) {
    SCOPED_TRACE(Name(Colour));
    const QPoint At = Find(Colour);
    ASSERT_GE(At.x(), 0);
    // A rectangle whose top left corner lies on that colour.
    Chart.MouseDown(TMouseButton::Left, At.x(), At.y());
    Chart.MouseMove(At.x() + 40, At.y() + 30);
    const QImage& During = Surface.Image();
    for (const QPoint P : {At, At + QPoint(1, 1)}) {
      const QRgb Was = Before.pixel(P), Is = During.pixel(P);
      const int Distance = std::abs(qRed(Was) - qRed(Is)) + std::abs(qGreen(Was) - qGreen(Is)) +
                           std::abs(qBlue(Was) - qBlue(Is));
      EXPECT_GE(Distance, 3 * 200) << "at (" << P.x() << ", " << P.y() << ") " << Name(Was) << " -> " << Name(Is);
    }
    Chart.MouseMove(At.x(), At.y());  // back to nothing: no zoom on release
    Chart.MouseUp(TMouseButton::Left, At.x(), At.y());
    EXPECT_EQ(Surface.Image(), Before);
  }
}

class ChartWidgetTest : public ::testing::Test {
protected:
  void SetUp() override {
    ConfigureResultChart(Widget.Chart());
    Widget.resize(705, 569);
    Widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Widget));
    QCoreApplication::processEvents();
  }

  void Send(QEvent::Type Type, Qt::MouseButton Button, Qt::MouseButtons Held, int X, int Y) {
    QMouseEvent Event(Type, QPointF(X, Y), Widget.mapToGlobal(QPointF(X, Y)), Button, Held, Qt::NoModifier);
    QCoreApplication::sendEvent(&Widget, &Event);
  }

  TChartWidget Widget{nullptr, ProgramChartFonts()};
};

TEST_F(ChartWidgetTest, SizeFocusAndOnePaintForManyPoints) {
  EXPECT_EQ(Widget.focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(Widget.Chart().Width(), 705);
  EXPECT_EQ(Widget.Chart().Height(), 569);
  const int Before = Widget.Chart().FullPaintCount();
  FillResultChart(Widget.Chart(), MakeHistory(ThirtyDrills()));  // 60 points, each asking for a paint
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(Widget.Chart().FullPaintCount(), Before + 1);

  // Uncovering the window only copies the kept image.
  const QImage Shown = Widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(Widget.Chart().FullPaintCount(), Before + 1);
  EXPECT_EQ(Shown, Widget.Surface().Image());

  Widget.resize(600, 500);
  QCoreApplication::processEvents();
  EXPECT_EQ(Widget.Chart().Width(), 600);
  Widget.grab();
  EXPECT_EQ(Widget.Surface().Image().size(), QSize(600, 500));
}

// The widget asks for one paint however many changes come before it: the
// next change after a paint, or a change made while hidden, must still be
// painted.
TEST_F(ChartWidgetTest, AChangeAfterEachPaintOrWhileHiddenIsPainted) {
  FillResultChart(Widget.Chart(), MakeHistory(ThirtyDrills()));
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  int Paints = Widget.Chart().FullPaintCount();
  for (int Round = 0; Round < 3; ++Round) {
    Widget.Chart().Invalidate();
    Widget.Chart().Invalidate();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(Widget.Chart().FullPaintCount(), ++Paints) << Round;
  }
  Widget.hide();
  Widget.Chart().Invalidate();
  QCoreApplication::processEvents();
  EXPECT_EQ(Widget.Chart().FullPaintCount(), Paints);
  Widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Widget));
  QCoreApplication::processEvents();
  EXPECT_EQ(Widget.Chart().FullPaintCount(), ++Paints);
  Widget.Chart().Invalidate();
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(Widget.Chart().FullPaintCount(), ++Paints);
}

TEST_F(ChartWidgetTest, MouseDragsReachTheChart) {
  FillResultChart(Widget.Chart(), MakeHistory(ThirtyDrills()));
  const QImage Before = Widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const TRect P = Widget.Chart().PlotRect;
  const int X = P.Left + 100, Y = P.Top + 100;
  Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, X, Y);
  Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, X + 60, Y + 50);
  // The rectangle is on screen while dragging.
  const QImage Dragging = Widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_NE(Dragging, Before);
  EXPECT_NE(Dragging.pixel(X + 30, Y), Before.pixel(X + 30, Y));
  Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, X + 60, Y + 50);
  EXPECT_TRUE(Widget.Chart().ZoomScroll.IsZoomedIn());

  // The right button scrolls.
  const double Max = Widget.Chart().RightAxis.Maximum;
  Widget.grab();
  Send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, X, Y);
  Send(QEvent::MouseMove, Qt::NoButton, Qt::RightButton, X, Y + 20);
  Send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, X, Y + 20);
  EXPECT_GT(Widget.Chart().RightAxis.Maximum, Max);
}

}  // namespace
