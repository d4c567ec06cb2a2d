// SPDX-License-Identifier: GPL-3.0-or-later
// A framed text box drawn the same way twice is copied from the picture kept
// of the first: the copy must give the very pixels the drawing gives, and a
// box drawn any other way (text, colours, font, size, text place, a text
// running past the box, a box cut by the image or the clip) must be drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "chart/canvas3d.h"
#include "chart_qt/chart_fonts.h"
#include "chart_qt/qpainter_surface.h"
#include "platform/program_texts.h"

namespace {

constexpr int Width = 200, Height = 120;

struct TBoxLook {
  std::vector<std::string> Lines{"87"};
  int BoxWidth = 34, BoxHeight = 20;
  int TextDx = 17, TextDy = 1;  // the text's reference point from the box's corner
  TColor Fill = RGB(255, 255, 128);
  TSurfacePen Frame{RGB(0, 0, 0), 1, TPenStyle::Solid, TPenMode::Copy};
  TSurfaceFont Font{};
};

TSurfaceFont MarkFont() {
  TSurfaceFont Font;
  Font.Name = Texts().PGothicFace;
  Font.Height = 16;
  Font.Color = RGB(0, 0, 0);
  return Font;
}

TBoxLook Look() {
  TBoxLook Look;
  Look.Font = MarkFont();
  return Look;
}

// A chart-like ground of stripes in two colours: a box picture that took any
// of it along would show at another place.
void PaintGround(TCanvas3D& Canvas) {
  for (int Y = 0; Y < Height; Y += 3) {
    Canvas.FillRect(TRect{0, Y, Width, Y + 3}, (Y / 3) % 2 ? RGB(200, 40, 40) : RGB(240, 240, 240));
  }
  for (int X = 0; X < Width; X += 7) Canvas.FillRect(TRect{X, 0, X + 2, Height}, RGB(30, 30, 220));
}

void DrawBox(TCanvas3D& Canvas, const TBoxLook& Look, int Left, int Top) {
  Canvas.SetFont(Look.Font);
  Canvas.SetPen(Look.Frame);
  Canvas.PrepareBrush(Look.Fill, TBrushStyle::Solid, Look.Fill);
  Canvas.TextBox(TRect{Left, Top, Left + Look.BoxWidth, Top + Look.BoxHeight}, Look.Lines, Left + Look.TextDx,
                 Top + Look.TextDy);
}

struct TPlacedBox {
  TBoxLook Look;
  int Left, Top;
};

// The boxes drawn in the order given on a new surface, optionally clipped.
QImage Draw(const std::vector<TPlacedBox>& Boxes, const std::vector<TPoint>* Clip = nullptr) {
  TQPainterSurface Surface(ProgramChartFonts());
  TCanvas3D Canvas(Surface);
  Canvas.StartDrawing(Width, Height, false);
  PaintGround(Canvas);
  if (Clip) Surface.SetClipPolygon(*Clip);
  for (const TPlacedBox& Box : Boxes) DrawBox(Canvas, Box.Look, Box.Left, Box.Top);
  Surface.ClearClip();
  return Surface.Image().copy();
}

// The second box drawn after the first (so possibly copied from its picture)
// against the second drawn first (so surely drawn); the boxes do not overlap.
void ExpectSecondBoxDrawnTrue(const TBoxLook& First, const TBoxLook& Second, int SecondLeft = 101,
                              int SecondTop = 52, const std::vector<TPoint>* Clip = nullptr) {
  const QImage Copied = Draw({{First, 10, 10}, {Second, SecondLeft, SecondTop}}, Clip);
  const QImage Drawn = Draw({{Second, SecondLeft, SecondTop}, {First, 10, 10}}, Clip);
  EXPECT_TRUE(Copied == Drawn);
}

TEST(TextBoxPictures, ABoxDrawnAgainTheSameWayGivesTheDrawnPixels) {
  ExpectSecondBoxDrawnTrue(Look(), Look());
  TBoxLook TwoLines = Look();
  TwoLines.Lines = {"12", "345"};
  TwoLines.BoxHeight = 36;
  ExpectSecondBoxDrawnTrue(TwoLines, TwoLines);
  // Many times over, at odd and even places: each box as it is drawn alone.
  std::vector<TPlacedBox> Row;
  for (int I = 0; I < 5; ++I) Row.push_back({Look(), 3 + 37 * I, 80 + I});
  const QImage Together = Draw(Row);
  for (const TPlacedBox& Box : Row) {
    const QRect Area(Box.Left, Box.Top, Box.Look.BoxWidth, Box.Look.BoxHeight);
    EXPECT_TRUE(Draw({Box}).copy(Area) == Together.copy(Area)) << Box.Left;
  }
}

TEST(TextBoxPictures, ABoxDrawnAnyOtherWayIsDrawn) {
  std::vector<std::pair<const char*, std::function<void(TBoxLook&)>>> Changes{
      {"text", [](TBoxLook& L) { L.Lines = {"88"}; }},
      {"second line", [](TBoxLook& L) { L.Lines = {"87", "1"}; }},
      {"fill", [](TBoxLook& L) { L.Fill = RGB(255, 255, 127); }},
      {"frame colour", [](TBoxLook& L) { L.Frame.Color = RGB(0, 0, 1); }},
      {"font colour", [](TBoxLook& L) { L.Font.Color = RGB(0, 0, 200); }},
      {"font height", [](TBoxLook& L) { L.Font.Height = 15; }},
      {"bold", [](TBoxLook& L) { L.Font.Bold = true; }},
      {"italic", [](TBoxLook& L) { L.Font.Italic = true; }},
      {"face", [](TBoxLook& L) { L.Font.Name = Texts().PMinchoFace; }},
      {"box width", [](TBoxLook& L) { L.BoxWidth = 36; L.TextDx = 18; }},
      {"box height", [](TBoxLook& L) { L.BoxHeight = 21; }},
      {"text across", [](TBoxLook& L) { L.TextDx = 16; }},
      {"text down", [](TBoxLook& L) { L.TextDy = 2; }},
  };
  for (const auto& [Name, Change] : Changes) {
    SCOPED_TRACE(Name);
    TBoxLook Other = Look();
    Change(Other);
    ExpectSecondBoxDrawnTrue(Look(), Other);
  }
}

TEST(TextBoxPictures, BoxesThatDoNotSetAllTheirPixelsAreDrawnEachTime) {
  // Text running past the box, a dotted frame, a wide frame: what lies
  // around or beneath shows, so no picture may stand for them.
  TBoxLook Narrow = Look();
  Narrow.Lines = {"1234567"};
  Narrow.BoxWidth = 20;
  Narrow.TextDx = 10;
  TBoxLook Dotted = Look();
  Dotted.Frame.Style = TPenStyle::Dot;
  TBoxLook Wide = Look();
  Wide.Frame.Width = 2;
  for (const TBoxLook& L : {Narrow, Dotted, Wide}) ExpectSecondBoxDrawnTrue(L, L, 101, 52);
  // The same boxes land on another phase of the stripes.
  for (const TBoxLook& L : {Narrow, Dotted, Wide}) ExpectSecondBoxDrawnTrue(L, L, 102, 53);
}

TEST(TextBoxPictures, BoxesCutByTheImageOrTheClipAreDrawn) {
  // Past the image's right and bottom edges.
  ExpectSecondBoxDrawnTrue(Look(), Look(), Width - 20, 52);
  ExpectSecondBoxDrawnTrue(Look(), Look(), 101, Height - 9);
  // A slanted clip that holds the first box and cuts the second.
  const std::vector<TPoint> Clip{{0, 0}, {150, 0}, {110, Height}, {0, Height}};
  ExpectSecondBoxDrawnTrue(Look(), Look(), 101, 52, &Clip);
  ExpectSecondBoxDrawnTrue(Look(), Look(), 90, 90, &Clip);
}

}  // namespace
