// SPDX-License-Identifier: GPL-3.0-or-later
#include "hints/cursor_margin.h"

#include <QBitmap>
#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <optional>
#include <vector>

#ifdef SURASURA_HAVE_XFIXES
#include <QtGui/qguiapplication_platform.h>
// Xlib last: its macros (None, Bool, KeyPress...) would clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#endif

namespace {

// Margin from the alpha channel of a row-major image of Width x Height pixels.
template <typename TIsVisible>
int MarginOfRows(int Width, int Height, int HotY, TIsVisible IsVisible) {
  for (int Y = Height - 1; Y >= 0; --Y) {
    for (int X = 0; X < Width; ++X) {
      if (IsVisible(X, Y)) return Y >= HotY ? Y - HotY + 1 : 0;
    }
  }
  return 0;
}

#ifdef SURASURA_HAVE_XFIXES
// The pointer image the X server shows now, through the XFIXES extension.
std::optional<int> X11CursorMargin() {
  auto* X11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* Dpy = X11 ? X11->display() : nullptr;
  if (!Dpy) return std::nullopt;
  int EventBase = 0;
  int ErrorBase = 0;
  if (!XFixesQueryExtension(Dpy, &EventBase, &ErrorBase)) return std::nullopt;
  XFixesCursorImage* Image = XFixesGetCursorImage(Dpy);
  if (!Image) return std::nullopt;
  // Each pixel is ARGB in the low 32 bits of an unsigned long.
  const int Margin = MarginOfRows(Image->width, Image->height, Image->yhot, [Image](int X, int Y) {
    return ((Image->pixels[Y * Image->width + X] >> 24) & 0xFF) != 0;
  });
  const bool Empty = Image->width == 0 || Image->height == 0;
  XFree(Image);
  if (Empty) return std::nullopt;
  // The server counts device pixels; hints are placed in logical ones.
  const QScreen* Screen = QGuiApplication::primaryScreen();
  const double Ratio = Screen ? Screen->devicePixelRatio() : 1.0;
  return static_cast<int>(std::lround(Margin / Ratio));
}
#endif

// A cursor the program made from a picture of its own.
std::optional<int> BitmapCursorMargin(const QWidget* Under) {
  if (!Under) return std::nullopt;
  const QCursor Cursor = Under->cursor();
  if (Cursor.shape() != Qt::BitmapCursor) return std::nullopt;
  QImage Image;
  if (!Cursor.pixmap().isNull()) {
    Image = Cursor.pixmap().toImage();
  } else if (!Cursor.mask().isNull()) {
    Image = Cursor.mask().toImage();
    // A mask bit of 1 is a visible pixel; as an image that is the colour 1 (black).
    Image = Image.convertToFormat(QImage::Format_ARGB32);
    for (int Y = 0; Y < Image.height(); ++Y) {
      for (int X = 0; X < Image.width(); ++X) {
        Image.setPixelColor(X, Y, qGray(Image.pixel(X, Y)) < 128 ? QColor(0, 0, 0, 255) : QColor(0, 0, 0, 0));
      }
    }
  } else {
    return std::nullopt;
  }
  return CursorMarginOf(Image, Cursor.hotSpot());
}

}  // namespace

int CursorMarginOf(const QImage& Image, QPoint HotSpot) {
  const QImage Argb = Image.convertToFormat(QImage::Format_ARGB32);
  return MarginOfRows(Argb.width(), Argb.height(), HotSpot.y(),
                      [&Argb](int X, int Y) { return qAlpha(Argb.pixel(X, Y)) != 0; });
}

int DefaultCursorHeight(double Dpi) { return static_cast<int>(std::lround(Dpi * 16.0 / 72.0)); }

int CurrentCursorMargin(const QWidget* Under) {
#ifdef SURASURA_HAVE_XFIXES
  if (const auto Margin = X11CursorMargin()) return *Margin;
#endif
  if (const auto Margin = BitmapCursorMargin(Under)) return *Margin;
  const QScreen* Screen = QGuiApplication::primaryScreen();
  return DefaultCursorHeight(Screen ? Screen->logicalDotsPerInchY() : 96.0);
}
