// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/question.h"

#include "drill/drill_clock.h"
#include "drill/drill_texts.h"

const std::string& OperatorGlyph(TOperator Op) {
  switch (Op) {
    case TOperator::Plus: return DrillTexts().PlusGlyph;
    case TOperator::Minus: return DrillTexts().MinusGlyph;
    case TOperator::Times: break;
  }
  return DrillTexts().TimesGlyph;
}

void TRandomSource::Reseed(TDrillClock& Clock) {
  if (auto Counter = Clock.PerformanceCounter()) {
    Seed = static_cast<uint32_t>(*Counter);
  } else {
    Seed = Clock.TickCount();
  }
}

int32_t TRandomSource::Next(int32_t Range) {
  Seed = Seed * 134775813u + 1u;
  return static_cast<int32_t>((static_cast<uint64_t>(Seed) * static_cast<uint32_t>(Range)) >> 32);
}

TQuestion TQuestionGenerator::NextQuestion() {
  TQuestion Q;
  Q.Left = FRandom.Next(20);
  if (Q.Left < 10) {
    Q.Right = FRandom.Next(20);
    Q.Op = Q.Right < 10 ? TOperator::Times : TOperator::Plus;
  } else {
    Q.Right = FRandom.Next(10);
    switch (FRandom.Next(3)) {
      case 0: Q.Op = TOperator::Plus; break;
      case 1: Q.Op = TOperator::Minus; break;
      default: Q.Op = TOperator::Times; break;
    }
  }
  switch (Q.Op) {
    case TOperator::Plus: Q.Answer = Q.Left + Q.Right; break;
    case TOperator::Minus: Q.Answer = Q.Left - Q.Right; break;
    case TOperator::Times: Q.Answer = Q.Left * Q.Right; break;
  }
  return Q;
}
