// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart's drawing surface on screen: an off-screen QImage drawn with
// QPainter, antialiasing off, following the raster conventions of TSurface2D
// pixel for pixel. Fonts are found through a resolver so that the program's one
// font table decides which installed font stands for a face name.
//
// Fast paths, each giving the very pixels QPainter gives: one painter stays
// open on the image from the first drawing call to Present (and opens anew at
// each clip change); 1-pixel pen strokes, filled rectangles and the faces of
// the chart's boxes are written straight into the image, and so are other
// filled outlines (the line's ribbon) by QPainter's own rule (polygon_rows.h)
// where it applies; a text drawn onto a plain background is copied from a
// kept picture of it.
//
// The members are defined by job: the image and painter here
// (qpainter_surface.cpp), pixel writes within the clip (qpainter_pixels.*),
// lines and pens (qpainter_lines.cpp), fills and the boxes' faces
// (qpainter_faces.cpp), text (qpainter_text.cpp), the clip and kept pictures
// (qpainter_clip.cpp).
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "chart/surface.h"

// Turns a face name (Shift_JIS) and a pixel height into an installed font.
using TFontResolver = std::function<QFont(const TSurfaceFont&)>;

class TQPainterSurface : public TSurface2D {
public:
  explicit TQPainterSurface(TFontResolver Resolver);
  ~TQPainterSurface() override;
  TQPainterSurface(const TQPainterSurface&) = delete;
  TQPainterSurface& operator=(const TQPainterSurface&) = delete;

  // Called by Present with the finished image (the window copies it).
  std::function<void(const QImage&)> OnPresent;
  const QImage& Image() const { return FImage; }
  // Number of times the image was (re)created.
  int ImageCreations() const { return FImageCreations; }

  void EnsureImageSize(int Width, int Height) override;
  void Present() override;
  void SetPen(const TSurfacePen& Pen) override { FPen = Pen; }
  void SetBrush(const TSurfaceBrush& Brush) override { FBrush = Brush; }
  void SetFont(const TSurfaceFont& Font) override;
  void SetBackground(TBackgroundMode Mode, TColor Color) override;
  void SetTextAlign(THorizTextAlign Horiz, TVertTextAlign Vert) override;
  void Polygon(const std::vector<TPoint>& Points) override;
  void Polyline(const std::vector<TPoint>& Points) override;
  void MoveTo(int X, int Y) override;
  void LineTo(int X, int Y) override;
  void Rectangle(const TRect& R) override;
  void FillRect(const TRect& R, TColor Color) override;
  void TextOut(int X, int Y, const std::string& Text) override;
  TSize TextExtent(const std::string& Text) override;
  std::optional<TRect> TextOutBounds(int X, int Y, const std::string& Text) override;
  void SetClipPolygon(const std::vector<TPoint>& Points) override;
  void ClearClip() override;
  void SetPaintedLater(const TColumnRuns& Runs) override;
  void KeepPicture(const std::string& Key, const TRect& Area) override;
  bool CopyKeptPicture(const std::string& Key, const TRect& Area) override;

private:
  struct TKeptPicture {
    int Width = 0, Height = 0;
    std::vector<QRgb> Pixels;  // row by row
  };
  // The area as a QRect when every pixel of it may be written now: inside the
  // image and the clip, the painter open, no rows left for later.
  std::optional<QRect> WholeAreaWritable(const TRect& Area);

  // Pictures of a text's ink box, keyed by text colour and background colour.
  using TInkPictures = std::map<std::pair<QRgb, QRgb>, QImage>;
  // A text turned by a quarter turn, for one alignment: its ink box relative
  // to the reference point (Known false when it cannot be told).
  struct TTurnedInk {
    bool Known = false;
    QRect Ink;
    TInkPictures Pictures;
  };
  // A text in one font: its characters, width, and the box its ink can reach
  // relative to the pen position (empty when it cannot be told).
  struct TTextInfo {
    QString Chars;
    int Width = 0;
    bool InkTried = false;
    bool InkKnown = false;
    QRect Ink;
    TInkPictures Pictures;
    // Keyed by turn (tenths of a degree), pen offset across and to the baseline.
    std::map<std::tuple<int, int, int>, TTurnedInk> Turned;
  };
  // Draws a text with its reference point at (X, Y) on a painter with the
  // font and pen set.
  using TDrawText = std::function<void(QPainter&, int X, int Y)>;
  struct TFontEntry {
    QFont Font;
    QFontMetrics Metrics;
    int Ascent = 0;
    int Descent = 0;
    std::unordered_map<std::string, TTextInfo> Texts;
    explicit TFontEntry(const QFont& F) : Font(F), Metrics(F), Ascent(Metrics.ascent()), Descent(Metrics.descent()) {}
  };

  // The painter on the image, opened when first needed, with the raster mode
  // set; null when there is no image to draw on.
  QPainter* Painter(TPenMode Mode) {
    if (FBits != nullptr && Mode == FPainterMode) return &FPainter;  // open, in this mode
    return OpenPainter(Mode);
  }
  QPainter* OpenPainter(TPenMode Mode);
  void EndPainting();
  void StrokeLine(TPoint A, TPoint B, bool LastPixel);
  bool FillWideLevelLine(TPoint A, TPoint B);
  // A dotted level line from A towards B (the pen's colour On, the gaps Gap
  // when they show), within the image and the clip.
  void DottedRow(TPoint A, TPoint B, bool LastPixel, QRgb On, bool GapShows, QRgb Gap);
  void StrokeOpenPath(const std::vector<TPoint>& Points, bool LastPixel);
  // Writes one pixel when it lies on the image and inside the clip.
  void PutPixel(int X, int Y, QRgb Color);
  // Fills Left..Right x Top..Bottom (inclusive) within the image and the clip.
  void FillArea(int Left, int Top, int Right, int Bottom, QRgb Color);
  // Pixels From..To of row Y, inside the image and the clip.
  void FillRow(int Y, int From, int To, QRgb Color);
  bool InsideClip(int X, int Y) const;
  // Sets rows From..To of column X to Color, leaving out the rows of the
  // areas painted later (only columns are cut: a column's rows are one run
  // in each area, and columns are where the chart's boxes overlap most).
  void FillColumn(int X, int From, int To, QRgb Color);
  void WriteSteepLine(TPoint A, TPoint B, bool LastPixel, QRgb Color);
  bool RectInsideClip(const QRect& R) const;
  // True when the box Left..Right x Top..Bottom (inclusive) lies inside a
  // clip whose rows and columns are each one run (false when it cannot tell).
  bool BoxInsideClip(int Left, int Top, int Right, int Bottom) const;
  TTextInfo& TextInfo(const std::string& Text);
  static TDrawText LevelText(const TTextInfo& Info);
  void FindInk(TTextInfo& Info);
  // The box the ink of Draw can touch, relative to its reference point
  // (Turned: the text may run any way from it); nullopt when it cannot be told.
  std::optional<QRect> FindInk(const TTextInfo& Info, const TDrawText& Draw, bool Turned) const;
  // Where the text's pen starts, from the reference point of TextOut, for the
  // current alignment: across, and down to the baseline.
  std::pair<int, int> PenOffset(const TTextInfo& Info) const;
  // Copies the kept picture of the text when the ground under its ink box is
  // one plain colour; false when the text must be drawn.
  bool CopyTextPicture(TTextInfo& Info, int PenX, int PenY);
  // The same for a text turned by a quarter turn about (X, Y).
  bool CopyTurnedTextPicture(TTextInfo& Info, int X, int Y, int Dx, int Baseline);
  // Copies the picture of the ink box Ink (relative to (X, Y)) when the
  // ground under it is one plain colour; Draw makes the picture the first time.
  bool CopyInkPicture(const QRect& Ink, int X, int Y, TInkPictures& Pictures, const TDrawText& Draw);

  TFontResolver FResolver;
  QImage FImage;
  int FImageCreations = 0;
  QPainter FPainter;
  TPenMode FPainterMode = TPenMode::Copy;
  QRgb* FBits = nullptr;  // the image's pixels while the painter is open
  qsizetype FStride = 0;  // pixels per row
  int FImageWidth = 0, FImageHeight = 0;
  TSurfacePen FPen;
  TSurfaceBrush FBrush;
  TSurfaceFont FFont;
  TFontEntry* FFontEntry = nullptr;
  std::map<std::tuple<std::string, int, int, bool, bool>, std::unique_ptr<TFontEntry>> FFonts;
  TBackgroundMode FBackgroundMode = TBackgroundMode::Transparent;
  TColor FBackgroundColor = clWhite;
  THorizTextAlign FHorizAlign = THorizTextAlign::Left;
  TVertTextAlign FVertAlign = TVertTextAlign::Top;
  TPoint FPenPos;
  bool FClipped = false;
  // The outline of the last clip and what follows from it (kept while
  // unclipped, for the next clip to the same outline).
  bool FClipKnown = false;
  std::vector<TPoint> FClipPoints;
  QRegion FClipRegion;
  QRect FClipBounds;  // the clip's bounding box
  // The clip as spans per row: rows FClipTop.. each with [first, last] spans.
  int FClipTop = 0;
  std::vector<std::pair<int, int>> FClipRowRange;  // per row: index range into FClipSpans
  std::vector<std::pair<int, int>> FClipSpans;
  // A clip of one span per row (any convex clip, such as the plot box): that
  // span of each row, [1, 0] for a row outside it.
  bool FClipOneSpanPerRow = false;
  bool FClipColumnsWhole = false;  // and every column meets it in one run of rows
  std::vector<std::pair<int, int>> FClipRowSpan;
  // The rows painted later, column by column from FLaterFirstColumn: one run
  // per column (none when its first row is past its last).
  int FLaterFirstColumn = 0;
  std::vector<std::pair<int, int>> FLaterRows;
  // Pictures kept by KeepPicture, and their pixels in all.
  std::unordered_map<std::string, TKeptPicture> FKeptPictures;
  size_t FKeptPixels = 0;
};
