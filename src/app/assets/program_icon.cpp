// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/assets/program_icon.h"

#include <QImage>
#include <QPixmap>

#include "app/assets/program_icon_pixels.h"

QString ApplicationId() { return QStringLiteral(SURASURA_APP_ID); }

QIcon ProgramIcon() {
  // The pixels of the PNGs the desktop entry installs, carried decoded: no
  // file is read and no image format is looked up at start.
  QIcon Icon;
  for (int I = 0; I < ProgramIconPixelsCount; ++I) {
    const TIconPixels& Size = ProgramIconPixels[I];
    const QImage Image(reinterpret_cast<const uchar*>(Size.Pixels), Size.Width, Size.Height,
                       Size.Width * static_cast<qsizetype>(sizeof(unsigned int)),
                       Size.Alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    Icon.addPixmap(QPixmap::fromImage(Image));
  }
  return Icon;
}
