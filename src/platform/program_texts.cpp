// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/program_texts.h"

const TProgramTexts& Texts() {
  static const TProgramTexts Instance;
  return Instance;
}
