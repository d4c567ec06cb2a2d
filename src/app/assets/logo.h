// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logo picture of the main window: JPEG data decoded with libjpeg.
#include <QImage>
#include <cstddef>

// Decodes baseline or progressive JPEG data to an RGB image. Data that libjpeg
// cannot decode gives a null image; it never ends the program.
QImage DecodeJpeg(const unsigned char* Data, std::size_t Size);

// The program's own 192 x 27 logo (null if its data were damaged).
QImage LogoPicture();
