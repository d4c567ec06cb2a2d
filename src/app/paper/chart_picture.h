// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result chart as a picture for paper: drawn anew by the chart engine at a
// multiple of its size on screen, with the ranges it shows now (its zoom and
// scroll), on a white panel.
#include <QImage>
#include <QSize>

class TChart;
class THistoryFile;

// Shown is the chart of the graph window, History the lines it shows, Design
// the chart's size in the window at 96 per inch; the picture is Scale times
// that size, its texts Scale times as high as at 96 per inch.
QImage ChartPicture(const TChart& Shown, const THistoryFile& History, QSize Design, double Scale);
