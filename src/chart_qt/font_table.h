// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fonts of the windows: the face names the layouts ask for, mapped to the
// fonts installed on this system through one table, with heights in pixels.
#include <QFont>
#include <QString>
#include <string>

// The installed family that stands in for a face name (Shift_JIS), or the
// name itself (as Unicode) when the table has no entry for it.
QString InstalledFamily(const std::string& SjisFace);

// A regular font of the given face and character height in pixels.
QFont ProgramFont(const std::string& SjisFace, int PixelHeight);

// Registers the table with the toolkit as well, so that a font created from a
// face name elsewhere resolves the same way. Called once at start.
void InstallFontSubstitutes();
