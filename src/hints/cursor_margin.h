// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How far below the pointer's hot spot its visible image ends, so that a hint can
// be put just below the pointer.
#include <QImage>
#include <QPoint>

// Pixel rows from the hot spot down to the lowest row of Image that has a visible
// (not fully transparent) pixel, that row counted; 0 when no visible row lies below.
int CursorMarginOf(const QImage& Image, QPoint HotSpot);

// The height of a pointer image when its shape cannot be read: the size the X
// cursor library picks at this density when none is configured (16 points).
int DefaultCursorHeight(double Dpi);

// The margin for the pointer as it is on the screen now: from the window system's
// current cursor image where it gives one, else from Under's own bitmap cursor,
// else DefaultCursorHeight of the primary screen.
class QWidget;
int CurrentCursorMargin(const QWidget* Under);
