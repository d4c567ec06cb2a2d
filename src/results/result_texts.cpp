// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/result_texts.h"

const TResultTexts& ResultTexts() {
  static const TResultTexts Instance;
  return Instance;
}
