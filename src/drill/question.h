// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Questions of a drill: the record, the three operators, the random source and
// the generator that draws one question from it.
#include <cstdint>
#include <string>

enum class TOperator { Plus, Minus, Times };

struct TQuestion {
  int32_t Left = 0;   // 0..19
  TOperator Op = TOperator::Plus;
  int32_t Right = 0;  // 0..19
  int32_t Answer = 0; // 0..171
};

// The operator's only text: one full-width character, two Shift_JIS bytes.
const std::string& OperatorGlyph(TOperator Op);

class TDrillClock;

// A linear congruential source whose results come from the high bits of the state.
class TRandomSource {
public:
  uint32_t Seed = 0;

  // Seeds from the low 32 bits of the high-resolution counter, or from the
  // millisecond tick count when the counter cannot be read.
  void Reseed(TDrillClock& Clock);
  // 0 .. Range - 1; advances Seed.
  int32_t Next(int32_t Range);
};

class TQuestionGenerator {
public:
  explicit TQuestionGenerator(TRandomSource& Random) : FRandom(Random) {}
  // Draws two values (left under 10) or three (left 10 or more), in that order.
  TQuestion NextQuestion();

private:
  TRandomSource& FRandom;
};
