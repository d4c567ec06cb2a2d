// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logo picture of the main window, stored in the program as progressive JPEG data.
#include <cstddef>

extern const unsigned char LogoJpeg[];
extern const std::size_t LogoJpegSize;
