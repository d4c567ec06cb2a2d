// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The QString a widget shows, for the widget tests: from a UTF-8 literal of
// the test (U), or from the Shift_JIS bytes the engine hands the windows.
#include <QString>
#include <string_view>

#include "platform/sjis.h"

inline QString U(const char* Utf8) { return QString::fromUtf8(Utf8); }

inline QString QStringFromSjis(std::string_view Sjis) { return QString::fromStdString(FromSjis(Sjis)); }
