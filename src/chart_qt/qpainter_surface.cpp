// SPDX-License-Identifier: GPL-3.0-or-later
// The image and the painter kept open on it, and the settings of font,
// background and text alignment.
#include "chart_qt/qpainter_surface.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "chart_qt/qpainter_pixels.h"

namespace {

QPainter::CompositionMode CompositionOf(TPenMode Mode) {
  return Mode == TPenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination : QPainter::CompositionMode_SourceOver;
}

}  // namespace

TQPainterSurface::TQPainterSurface(TFontResolver Resolver) : FResolver(std::move(Resolver)) { SetFont(FFont); }

TQPainterSurface::~TQPainterSurface() { EndPainting(); }

void TQPainterSurface::EnsureImageSize(int Width, int Height) {
  Width = std::max(Width, 0);
  Height = std::max(Height, 0);
  if (FImage.width() == Width && FImage.height() == Height && !FImage.isNull()) return;
  EndPainting();
  if (Width == 0 || Height == 0) {
    FImage = QImage();
  } else {
    FImage = QImage(Width, Height, QImage::Format_RGB32);
    FImage.fill(Qt::white);
  }
  ++FImageCreations;
}

void TQPainterSurface::Present() {
  EndPainting();
  if (OnPresent) OnPresent(FImage);
}

QPainter* TQPainterSurface::OpenPainter(TPenMode Mode) {
  // FBits is set exactly while the painter is open.
  if (FBits == nullptr) {
    if (FImage.isNull()) return nullptr;
    // The image's pixels become this image's own before the painter opens;
    // while it is open a copy of the image is a copy of the pixels.
    FBits = reinterpret_cast<QRgb*>(FImage.bits());
    FStride = FImage.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    if (!FPainter.begin(&FImage)) {
      FBits = nullptr;
      return nullptr;
    }
    FBits = reinterpret_cast<QRgb*>(const_cast<uchar*>(FImage.constBits()));
    FImageWidth = FImage.width();
    FImageHeight = FImage.height();
    PreparePainter(FPainter);
    FPainterMode = TPenMode::Copy;
    FPainter.setCompositionMode(CompositionOf(TPenMode::Copy));
    if (FClipped) FPainter.setClipRegion(FClipRegion);
  }
  if (Mode != FPainterMode) {
    FPainterMode = Mode;
    FPainter.setCompositionMode(CompositionOf(Mode));
  }
  return &FPainter;
}

void TQPainterSurface::EndPainting() {
  if (FPainter.isActive()) FPainter.end();
  FBits = nullptr;
}

void TQPainterSurface::SetFont(const TSurfaceFont& Font) {
  if (Font == FFont && FFontEntry != nullptr) return;
  FFont = Font;
  auto Key = std::make_tuple(Font.Name, Font.Height, Font.Escapement, Font.Bold, Font.Italic);
  auto It = FFonts.find(Key);
  if (It == FFonts.end()) {
    It = FFonts.emplace(std::move(Key), std::make_unique<TFontEntry>(FResolver(Font))).first;
  }
  FFontEntry = It->second.get();
}

void TQPainterSurface::SetBackground(TBackgroundMode Mode, TColor Color) {
  FBackgroundMode = Mode;
  FBackgroundColor = Color;
}

void TQPainterSurface::SetTextAlign(THorizTextAlign Horiz, TVertTextAlign Vert) {
  FHorizAlign = Horiz;
  FVertAlign = Vert;
}
