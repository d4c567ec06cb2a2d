// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/question.h"

#include <gtest/gtest.h>

#include <vector>

#include "fake_drill_clock.h"

namespace {

struct TExpected {
  int Left;
  TOperator Op;
  int Right;
  int Answer;
};

std::vector<TQuestion> Draw(uint32_t Seed, int Count) {
  TRandomSource Random;
  Random.Seed = Seed;
  TQuestionGenerator Generator(Random);
  std::vector<TQuestion> Result;
  for (int I = 0; I < Count; ++I) Result.push_back(Generator.NextQuestion());
  return Result;
}

void ExpectQuestions(uint32_t Seed, const std::vector<TExpected>& Expected) {
  auto Got = Draw(Seed, static_cast<int>(Expected.size()));
  for (size_t I = 0; I < Expected.size(); ++I) {
    SCOPED_TRACE("question " + std::to_string(I + 1));
    EXPECT_EQ(Got[I].Left, Expected[I].Left);
    EXPECT_EQ(Got[I].Op, Expected[I].Op);
    EXPECT_EQ(Got[I].Right, Expected[I].Right);
    EXPECT_EQ(Got[I].Answer, Expected[I].Answer);
  }
}

}  // namespace

TEST(RandomSource, NextFollowsTheWorkedExample) {
  TRandomSource Random;
  Random.Seed = 12345;
  EXPECT_EQ(Random.Next(20), 7);
  EXPECT_EQ(Random.Seed, 1655067934u);
  EXPECT_EQ(Random.Next(20), 5);
  EXPECT_EQ(Random.Seed, 1242767767u);
}

TEST(RandomSource, WrapsAtTheTopOfTheSeedAndStaysInRange) {
  for (int Range : {3, 10, 20, 1, 2147483647}) {
    TRandomSource Random;
    Random.Seed = 0xFFFFFFFFu;
    int32_t Value = Random.Next(Range);
    EXPECT_EQ(Random.Seed, 0xFFFFFFFFu * 134775813u + 1u);
    EXPECT_GE(Value, 0);
    EXPECT_LT(Value, Range);
  }
}

TEST(RandomSource, ReseedTakesTheLowBitsOfTheCounterElseTheTickCount) {
  TFakeDrillClock Clock;
  TRandomSource Random;
  Clock.Counter = 0x123456789ABCDEF0ull;
  Clock.Now = 77;
  Random.Reseed(Clock);
  EXPECT_EQ(Random.Seed, 0x9ABCDEF0u);
  Clock.Counter.reset();
  Random.Reseed(Clock);
  EXPECT_EQ(Random.Seed, 77u);
}

TEST(QuestionGenerator, SeedExamplesGiveTheListedQuestions) {
  ExpectQuestions(12345, {{7, TOperator::Times, 5, 35},
                          {1, TOperator::Plus, 11, 12},
                          {12, TOperator::Minus, 3, 9},
                          {1, TOperator::Times, 0, 0},
                          {18, TOperator::Plus, 9, 27},
                          {4, TOperator::Plus, 15, 19}});
  ExpectQuestions(0, {{0, TOperator::Times, 0, 0}, {17, TOperator::Plus, 2, 19}, {13, TOperator::Plus, 3, 16}});
}

TEST(QuestionGenerator, DrawRulesHoldOverManyQuestions) {
  int Subtractions = 0;
  int LargestAnswer = 0;
  for (const TQuestion& Q : Draw(987654321u, 100000)) {
    ASSERT_GE(Q.Left, 0);
    ASSERT_LE(Q.Left, 19);
    if (Q.Left < 10) {
      // A small left operand: times a single digit, or plus 10..19.
      ASSERT_EQ(Q.Op, Q.Right < 10 ? TOperator::Times : TOperator::Plus);
      ASSERT_LE(Q.Right, 19);
    } else {
      ASSERT_LE(Q.Right, 9);
    }
    if (Q.Op == TOperator::Minus) {
      ++Subtractions;
      ASSERT_GE(Q.Answer, 1);
    }
    ASSERT_GE(Q.Answer, 0);
    ASSERT_LE(Q.Answer, 171);
    if (Q.Answer > LargestAnswer) LargestAnswer = Q.Answer;
  }
  EXPECT_GT(Subtractions, 0);
  EXPECT_EQ(LargestAnswer, 171);  // 19 x 9 comes up in 100000 draws
}

TEST(QuestionGenerator, SameSeedSameSequence) {
  auto A = Draw(424242u, 100);
  auto B = Draw(424242u, 100);
  for (size_t I = 0; I < A.size(); ++I) {
    EXPECT_EQ(A[I].Left, B[I].Left);
    EXPECT_EQ(A[I].Op, B[I].Op);
    EXPECT_EQ(A[I].Right, B[I].Right);
  }
}

TEST(QuestionGenerator, GlyphsAreTheFullWidthOperators) {
  EXPECT_EQ(OperatorGlyph(TOperator::Plus), "\x81\x7B");
  EXPECT_EQ(OperatorGlyph(TOperator::Minus), "\x81\x7C");
  EXPECT_EQ(OperatorGlyph(TOperator::Times), "\x81\x7E");
}
