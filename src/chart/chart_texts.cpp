// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_texts.h"

const TChartTexts& ChartTexts() {
  static const TChartTexts Instance;
  return Instance;
}
