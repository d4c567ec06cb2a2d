// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shift_JIS (code page 932) <-> UTF-8, through glibc iconv "CP932".
// The engine, history and chart keep every text as Shift_JIS bytes; these two
// functions are the only way in and out of that encoding.
#include <string>
#include <string_view>

// Converts UTF-8 to Shift_JIS. A character that code page 932 cannot hold
// becomes "?" so that it stays visible in messages.
std::string ToSjis(std::string_view Utf8);

// Converts Shift_JIS to UTF-8. A byte sequence that is not Shift_JIS becomes U+FFFD.
std::string FromSjis(std::string_view Sjis);

// Converts a fixed text of the program; the text must convert exactly, else the
// program stops at start-up (a wrong literal is a programming error).
std::string FixedSjis(std::string_view Utf8);
