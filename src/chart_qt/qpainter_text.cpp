// SPDX-License-Identifier: GPL-3.0-or-later
// Text: widths and the box a text's ink can reach, drawn with QPainter or
// copied from a kept picture of it when the ground under it is plain.
#include <QFontMetrics>
#include <cstring>
#include <optional>
#include <tuple>
#include <utility>

#include "chart_qt/qpainter_pixels.h"
#include "platform/sjis.h"

namespace {

QString ToQString(const std::string& Sjis) { return QString::fromStdString(FromSjis(Sjis)); }

}  // namespace

TQPainterSurface::TTextInfo& TQPainterSurface::TextInfo(const std::string& Text) {
  auto& Texts = FFontEntry->Texts;
  auto It = Texts.find(Text);
  if (It != Texts.end()) return It->second;
  // A chart has a few hundred different texts at most; a flood of new ones
  // (a label per point of a huge range) must not grow this without end.
  if (Texts.size() >= 4096) Texts.clear();
  TTextInfo Info;
  Info.Chars = ToQString(Text);
  Info.Width = FFontEntry->Metrics.horizontalAdvance(Info.Chars);
  return Texts.emplace(Text, std::move(Info)).first->second;
}

// The box that the text's ink can touch, relative to the point Draw is given:
// drawn dark on light and light on dark, every pixel that changes in either,
// and one pixel more on each side. Empty when nothing shows; nullopt when the
// ink may run past the probe.
std::optional<QRect> TQPainterSurface::FindInk(const TTextInfo& Info, const TDrawText& Draw, bool Turned) const {
  const int Height = FFontEntry->Ascent + FFontEntry->Descent;
  const int Margin = 2 * Height + 8;
  // Level text runs right of the pen; turned text may run any way from it.
  const int Across = Turned ? Info.Width + Margin : Margin;
  const QSize Size = Turned ? QSize(2 * Across, 2 * Across) : QSize(Info.Width + 2 * Margin, Height + 2 * Margin);
  const QPoint Origin = Turned ? QPoint(Across, Across) : QPoint(Margin, Margin + FFontEntry->Ascent);
  QRect Ink;
  for (const auto& [Ground, Ink1] : {std::pair{Qt::white, Qt::black}, std::pair{Qt::black, Qt::white}}) {
    QImage Probe(Size, QImage::Format_RGB32);
    Probe.fill(Ground);
    const QRgb Plain = Probe.pixel(0, 0);
    QPainter P(&Probe);
    PreparePainter(P);
    P.setFont(FFontEntry->Font);
    P.setPen(QColor(Ink1));
    Draw(P, Origin.x(), Origin.y());
    P.end();
    for (int Y = 0; Y < Size.height(); ++Y) {
      const QRgb* Row = reinterpret_cast<const QRgb*>(Probe.constScanLine(Y));
      for (int X = 0; X < Size.width(); ++X) {
        if (Row[X] != Plain) Ink |= QRect(X, Y, 1, 1);
      }
    }
  }
  if (Ink.isEmpty()) return QRect();
  if (Ink.left() <= 1 || Ink.top() <= 1 || Ink.right() >= Size.width() - 2 || Ink.bottom() >= Size.height() - 2) {
    return std::nullopt;
  }
  return Ink.adjusted(-1, -1, 1, 1).translated(-Origin);
}

// Draws the level text with its pen at the point given.
TQPainterSurface::TDrawText TQPainterSurface::LevelText(const TTextInfo& Info) {
  return [&Info](QPainter& P, int X, int Y) { P.drawText(X, Y, Info.Chars); };
}

void TQPainterSurface::FindInk(TTextInfo& Info) {
  Info.InkTried = true;
  const std::optional<QRect> Ink = FindInk(Info, LevelText(Info), false);
  Info.InkKnown = Ink.has_value();
  Info.Ink = Ink.value_or(QRect());
}

bool TQPainterSurface::CopyInkPicture(const QRect& Ink, int X, int Y, TInkPictures& Pictures, const TDrawText& Draw) {
  if (FBits == nullptr) return false;
  if (Ink.isEmpty()) return true;  // nothing to see
  const QRect Box = Ink.translated(X, Y);
  if (!FImage.rect().contains(Box) || !RectInsideClip(Box)) return false;
  const QRgb Ground = FBits[static_cast<qsizetype>(Box.top()) * FStride + Box.left()];
  for (int Row = Box.top(); Row <= Box.bottom(); ++Row) {
    if (!AllPixels(FBits + static_cast<qsizetype>(Row) * FStride + Box.left(), Box.width(), Ground)) return false;
  }
  const QRgb TextColor = ToPixel(FFont.Color);
  QImage& Picture = Pictures[{TextColor, Ground}];
  if (Picture.isNull()) {
    Picture = QImage(Box.size(), QImage::Format_RGB32);
    Picture.fill(QColor::fromRgb(Ground));
    QPainter P(&Picture);
    PreparePainter(P);
    P.setFont(FFontEntry->Font);
    P.setPen(QColor::fromRgb(TextColor));
    Draw(P, -Ink.left(), -Ink.top());
  }
  for (int Row = 0; Row < Box.height(); ++Row) {
    std::memcpy(FBits + static_cast<qsizetype>(Box.top() + Row) * FStride + Box.left(), Picture.constScanLine(Row),
                static_cast<size_t>(Box.width()) * sizeof(QRgb));
  }
  return true;
}

bool TQPainterSurface::CopyTextPicture(TTextInfo& Info, int PenX, int PenY) {
  if (FBits == nullptr) return false;
  if (!Info.InkTried) FindInk(Info);
  if (!Info.InkKnown) return false;
  return CopyInkPicture(Info.Ink, PenX, PenY, Info.Pictures, LevelText(Info));
}

bool TQPainterSurface::CopyTurnedTextPicture(TTextInfo& Info, int X, int Y, int Dx, int Baseline) {
  // Only quarter turns: they move the glyphs' pixels without resampling them.
  if (FBits == nullptr || FFont.Escapement % 900 != 0) return false;
  const TDrawText Draw = [&, Angle = FFont.Escapement](QPainter& P, int AtX, int AtY) {
    P.translate(AtX, AtY);
    P.rotate(-Angle / 10.0);
    P.drawText(Dx, Baseline, Info.Chars);
    P.resetTransform();
  };
  auto [It, New] = Info.Turned.try_emplace(std::tuple{FFont.Escapement % 3600, Dx, Baseline});
  TTurnedInk& Turned = It->second;
  if (New) {
    const std::optional<QRect> Ink = FindInk(Info, Draw, true);
    Turned.Known = Ink.has_value();
    Turned.Ink = Ink.value_or(QRect());
  }
  if (!Turned.Known) return false;
  return CopyInkPicture(Turned.Ink, X, Y, Turned.Pictures, Draw);
}

std::pair<int, int> TQPainterSurface::PenOffset(const TTextInfo& Info) const {
  const int Dx = FHorizAlign == THorizTextAlign::Left     ? 0
                 : FHorizAlign == THorizTextAlign::Center ? -Info.Width / 2
                                                          : -Info.Width;
  const int Baseline = FVertAlign == TVertTextAlign::Top      ? FFontEntry->Ascent
                       : FVertAlign == TVertTextAlign::Bottom ? -FFontEntry->Descent
                                                              : 0;
  return {Dx, Baseline};
}

void TQPainterSurface::TextOut(int X, int Y, const std::string& Text) {
  QPainter* P = Painter(TPenMode::Copy);
  if (P == nullptr) return;
  TTextInfo& Info = TextInfo(Text);
  const int Width = Info.Width;
  const int Ascent = FFontEntry->Ascent, Descent = FFontEntry->Descent;
  const auto [Dx, Baseline] = PenOffset(Info);
  const bool Turned = FFont.Escapement % 3600 != 0;
  if (FBackgroundMode == TBackgroundMode::Opaque) {
    if (!Turned) {
      FillArea(X + Dx, Y + Baseline - Ascent, X + Dx + Width - 1, Y + Baseline + Descent - 1,
               ToPixel(FBackgroundColor));
    } else {
      P->translate(X, Y);
      P->rotate(-FFont.Escapement / 10.0);
      P->fillRect(QRect(Dx, Baseline - Ascent, Width, Ascent + Descent), ToQColor(FBackgroundColor));
      P->resetTransform();
    }
  }
  if (Turned ? CopyTurnedTextPicture(Info, X, Y, Dx, Baseline) : CopyTextPicture(Info, X + Dx, Y + Baseline)) return;
  // The text box turns around the reference point. (Only the transform is
  // undone afterwards: a saved and restored painter state would bring back
  // the clip of that moment and undo a clip set later.)
  P->translate(X, Y);
  if (Turned) P->rotate(-FFont.Escapement / 10.0);
  P->setFont(FFontEntry->Font);
  P->setPen(ToQColor(FFont.Color));
  P->drawText(Dx, Baseline, Info.Chars);
  P->resetTransform();
}

std::optional<TRect> TQPainterSurface::TextOutBounds(int X, int Y, const std::string& Text) {
  if (FFont.Escapement % 3600 != 0) return std::nullopt;
  TTextInfo& Info = TextInfo(Text);
  if (!Info.InkTried) FindInk(Info);
  if (!Info.InkKnown) return std::nullopt;
  const int Ascent = FFontEntry->Ascent, Descent = FFontEntry->Descent;
  const auto [Dx, Baseline] = PenOffset(Info);
  QRect Box = Info.Ink.isEmpty() ? QRect() : Info.Ink.translated(X + Dx, Y + Baseline);
  if (FBackgroundMode == TBackgroundMode::Opaque && Info.Width > 0) {
    Box |= QRect(X + Dx, Y + Baseline - Ascent, Info.Width, Ascent + Descent);
  }
  if (Box.isEmpty()) return TRect{X, Y, X, Y};
  return TRect{Box.left(), Box.top(), Box.right() + 1, Box.bottom() + 1};
}

TSize TQPainterSurface::TextExtent(const std::string& Text) {
  return TSize{TextInfo(Text).Width, FFontEntry->Ascent + FFontEntry->Descent};
}
