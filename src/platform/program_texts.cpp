#include "program_texts.h"

const TProgramTexts& Texts() {
  static const TProgramTexts Instance;
  return Instance;
}
