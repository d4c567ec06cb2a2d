// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every window of the program does alike: turns the engine's Shift_JIS
// texts into the toolkit's strings and back, sizes its layout for this screen,
// and centres itself on the desktop.
#include <QString>
#include <string>
#include <string_view>

class QWidget;

QString FromSjisText(std::string_view Sjis);
std::string ToSjisText(const QString& Text);

// A size of a layout drawn for 96 pixels per inch, on a screen whose layouts
// grow by Scale, rounded to whole pixels.
int ScaledPixels(int Pixels, double Scale);

// Moves Window, frame and all, to the middle of the whole desktop, never past
// the desktop's top left corner. Does nothing without a screen.
void CentreOnDesktop(QWidget& Window);
