#include "covered_shapes.h"

#include <gtest/gtest.h>

namespace {

// Shapes come in from the last drawn to the first.
TEST(CoveredShapesTest, AShapeIsCoveredByALaterOneOfItsFamilyThatSpansItsRows) {
  TCoveredShapes Later;
  EXPECT_FALSE(Later.CoveredLater(7, 100, 200));  // the last shape: nothing after it
  EXPECT_TRUE(Later.CoveredLater(7, 120, 200));   // inside
  EXPECT_TRUE(Later.CoveredLater(7, 100, 200));   // the same rows
  EXPECT_FALSE(Later.CoveredLater(7, 90, 150));   // sticks out at the top
  EXPECT_FALSE(Later.CoveredLater(7, 150, 210));  // at the bottom
  EXPECT_TRUE(Later.CoveredLater(7, 95, 140));    // inside the one that stuck out
  EXPECT_FALSE(Later.CoveredLater(7, 50, 300));   // spans all of them
  EXPECT_TRUE(Later.CoveredLater(7, 205, 300));
}

TEST(CoveredShapesTest, AnotherFamilyCoversNothingAndEndsTheFamilyBeforeIt) {
  TCoveredShapes Later;
  EXPECT_FALSE(Later.CoveredLater(1, 0, 500));
  EXPECT_FALSE(Later.CoveredLater(2, 10, 20));  // other edges: not covered
  EXPECT_FALSE(Later.CoveredLater(1, 10, 20));  // family 1 starts again
  EXPECT_TRUE(Later.CoveredLater(1, 12, 20));
  // Keys that differ only in their upper half are other families.
  EXPECT_FALSE(Later.CoveredLater(std::int64_t{1} << 32 | 1, 12, 20));
}

}  // namespace
