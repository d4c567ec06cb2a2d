// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_texts.h"

const THistoryTexts& HistoryTexts() {
  static const THistoryTexts Instance;
  return Instance;
}
