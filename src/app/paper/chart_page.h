// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart's page, printed or saved as PDF: the program's name, the period
// the history covers, the chart as shown, the table of the last twelve months
// and the records, in large type on one A4 page.
#include <QImage>

#include "platform/clock.h"
#include "results/history_report.h"

class QPagedPaintDevice;

// Sets Device up for the page: A4 upright, margins of 15 mm.
void SetUpChartPage(QPagedPaintDevice& Device);

// Draws the page on Device (set up by SetUpChartPage, or by the print dialog
// after it). False when the device cannot be painted on or did not take the
// page (a printer or file that failed).
bool PaintChartPage(QPagedPaintDevice& Device, const QImage& Chart, const THistoryReport& Report,
                    const TDateTime& Today);
