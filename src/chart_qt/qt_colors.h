// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's colour values on screen.
#include <QColor>
#include <QPalette>

#include "platform/colors.h"

// The colour as Qt draws it; a system colour through the desktop's table;
// clNone (no colour of its own) gives an invalid QColor.
QColor ToQColor(TColor Color);

// The desktop palette becomes the program's system colours (window, text,
// button face, highlight and shadow, tool-tip background and text).
void UseDesktopColors(const QPalette& Palette);
