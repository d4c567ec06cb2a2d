// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/covered_shapes.h"

#include <gtest/gtest.h>

#include <map>

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

// Boxes come in from the last drawn to the first (right to left, as the
// marks do); an earlier box is covered when every pixel lies under them.
TEST(CoveredAreaTest, ABoxIsCoveredWhenEveryRowLiesInTheBoxesAfterIt) {
  TCoveredArea Later;
  EXPECT_FALSE(Later.Covers(TRect{10, 10, 20, 20}));
  EXPECT_TRUE(Later.Covers(TRect{10, 10, 10, 20}));  // no pixel
  Later.Add(TRect{30, 10, 50, 30});
  Later.Add(TRect{20, 15, 31, 40});  // overlaps it: rows 15..29 run 20..49
  EXPECT_TRUE(Later.Covers(TRect{20, 15, 50, 30}));
  EXPECT_FALSE(Later.Covers(TRect{20, 15, 51, 30}));  // one column past
  EXPECT_FALSE(Later.Covers(TRect{19, 15, 50, 30}));
  EXPECT_FALSE(Later.Covers(TRect{20, 14, 50, 30}));  // row 14 holds 30..49 only
  EXPECT_TRUE(Later.Covers(TRect{30, 10, 50, 30}));
  EXPECT_TRUE(Later.Covers(TRect{20, 30, 31, 40}));
  EXPECT_FALSE(Later.Covers(TRect{20, 30, 31, 41}));  // below every box
  Later.Add(TRect{10, 20, 20, 25});  // meets the row's run at its left: 10..49
  EXPECT_TRUE(Later.Covers(TRect{10, 20, 50, 25}));
  // Apart from a row's run, a box takes the row's place.
  Later.Add(TRect{0, 12, 5, 13});
  EXPECT_TRUE(Later.Covers(TRect{0, 12, 5, 13}));
  EXPECT_FALSE(Later.Covers(TRect{30, 12, 50, 13}));
  EXPECT_TRUE(Later.Covers(TRect{30, 11, 50, 12}));
  // Rows above and below the ones seen so far are not covered, and come in.
  EXPECT_FALSE(Later.Covers(TRect{30, 5, 31, 6}));
  Later.Add(TRect{30, 5, 31, 6});
  EXPECT_TRUE(Later.Covers(TRect{30, 5, 31, 6}));
  EXPECT_TRUE(Later.Covers(TRect{30, 10, 50, 12}));
  Later.Add(TRect{0, 100, 5, 101});
  EXPECT_TRUE(Later.Covers(TRect{0, 100, 5, 101}));
  EXPECT_FALSE(Later.Covers(TRect{0, 99, 5, 100}));
  // Far outside any picture nothing is kept.
  Later.Add(TRect{0, 40000, 5, 40001});
  EXPECT_FALSE(Later.Covers(TRect{0, 40000, 5, 40001}));
  Later.Clear();
  EXPECT_FALSE(Later.Covers(TRect{30, 10, 50, 30}));
}

// The rows of each column a cut holds (columns without any left out).
std::map<int, std::pair<int, int>> RowsOf(const TColumnRuns& Cut) {
  std::map<int, std::pair<int, int>> Rows;
  for (std::size_t I = 0; I < Cut.Rows.size(); ++I) {
    if (Cut.Rows[I].first <= Cut.Rows[I].second) Rows[Cut.FirstColumn + static_cast<int>(I)] = Cut.Rows[I];
  }
  return Rows;
}

// Shapes are handed in from the last drawn to the first; each one's cut holds
// what the shapes after it paint in its columns, taken in drawing order.
TEST(LaterColumnsTest, ACutHoldsWhatTheShapesAfterItPaintInItsColumns) {
  TLaterColumns Later;
  Later.Start(100, 80);
  Later.KeepCut(3, 10, 14);  // the last shape: nothing after it
  Later.Add(TBoxColumns{10, 12, 30, 50, 2});  // columns 10..14
  Later.KeepCut(2, 8, 16);
  Later.Add(TBoxColumns{20, 20, 60, 70, 0});  // far off: column 20 only
  Later.KeepCut(1, 9, 20);
  Later.Add(TBoxColumns{9, 9, 51, 60, 0});  // column 9, meeting nothing

  using TRows = std::map<int, std::pair<int, int>>;
  EXPECT_EQ(RowsOf(Later.CutOf(1)), (TRows{{10, {30, 50}}, {11, {29, 50}}, {12, {28, 50}}, {13, {28, 49}},
                                          {14, {28, 48}}, {20, {60, 70}}}));
  // Columns 8 and 15, 16 had nothing after shape 2; 9 is shape 1's own.
  EXPECT_EQ(RowsOf(Later.CutOf(2)), (TRows{{10, {30, 50}}, {11, {29, 50}}, {12, {28, 50}}, {13, {28, 49}},
                                          {14, {28, 48}}}));
  EXPECT_TRUE(RowsOf(Later.CutOf(3)).empty());
  EXPECT_TRUE(Later.CutOf(3).Rows.empty());  // taken once
}

TEST(LaterColumnsTest, RunsThatMeetAreJoinedAndOfTwoApartTheLongerIsKept) {
  TLaterColumns Later;
  Later.Start(50, 200);
  Later.KeepCut(9, 0, 0);
  Later.Add(TBoxColumns{0, 0, 100, 110, 0});
  Later.Add(TBoxColumns{0, 0, 111, 120, 0});  // meets it below: 100..120
  Later.KeepCut(8, 0, 0);
  Later.Add(TBoxColumns{0, 0, 10, 15, 0});  // apart and shorter: left aside
  Later.KeepCut(7, 0, 0);
  Later.Add(TBoxColumns{0, 0, 20, 60, 0});  // apart and longer: kept instead
  Later.KeepCut(6, 0, 0);
  Later.Add(TBoxColumns{0, 0, 55, 99, 0});  // overlaps it and meets the first: 20..99
  Later.KeepCut(5, 0, 0);
  EXPECT_EQ(RowsOf(Later.CutOf(5)), (std::map<int, std::pair<int, int>>{{0, {20, 99}}}));
  EXPECT_EQ(RowsOf(Later.CutOf(6)), (std::map<int, std::pair<int, int>>{{0, {20, 60}}}));
  EXPECT_EQ(RowsOf(Later.CutOf(7)), (std::map<int, std::pair<int, int>>{{0, {100, 120}}}));
  EXPECT_EQ(RowsOf(Later.CutOf(8)), (std::map<int, std::pair<int, int>>{{0, {100, 120}}}));
  EXPECT_TRUE(RowsOf(Later.CutOf(9)).empty());  // kept before anything came
}

// A shape all of whose pixels in the picture the shapes after it paint is
// hidden; one with no pixel in the picture is not said to be (nothing to
// leave out that the paint would miss).
TEST(LaterColumnsTest, AShapeUnderWhatComesLaterIsHidden) {
  TLaterColumns Later;
  Later.Start(100, 80);
  Later.Add(TBoxColumns{10, 20, 30, 60, 5});   // columns 10..25
  Later.Add(TBoxColumns{26, 26, 25, 60, 0});   // and 26, one row higher
  EXPECT_TRUE(Later.Covers(TBoxColumns{12, 15, 40, 50, 3}));
  EXPECT_TRUE(Later.Covers(TBoxColumns{10, 20, 30, 60, 5}));   // the same box
  EXPECT_FALSE(Later.Covers(TBoxColumns{10, 20, 29, 60, 5}));  // a row higher
  EXPECT_FALSE(Later.Covers(TBoxColumns{9, 20, 30, 60, 5}));   // a column further left
  EXPECT_TRUE(Later.Covers(TBoxColumns{25, 25, 30, 54, 1}));   // into column 26
  EXPECT_FALSE(Later.Covers(TBoxColumns{25, 25, 30, 54, 2}));  // column 27 is bare
  // Rows and columns outside the picture do not count, but some must be in it.
  Later.Add(TBoxColumns{90, 99, 70, 79, 0});
  EXPECT_TRUE(Later.Covers(TBoxColumns{95, 120, 75, 200, 0}));
  EXPECT_FALSE(Later.Covers(TBoxColumns{100, 120, 75, 200, 0}));
  EXPECT_FALSE(Later.Covers(TBoxColumns{90, 99, 80, 200, 0}));
  // Rectangles hold Left..Right-1 x Top..Bottom-1.
  EXPECT_TRUE(Later.Covers(TRect{12, 40, 19, 51}));
  EXPECT_TRUE(Later.Covers(TRect{10, 30, 21, 61}));
  EXPECT_FALSE(Later.Covers(TRect{10, 29, 21, 61}));
  EXPECT_FALSE(Later.Covers(TRect{10, 30, 21, 62}));
  EXPECT_FALSE(Later.Covers(TRect{26, 30, 28, 40}));  // column 27 is bare
  EXPECT_TRUE(Later.Covers(TRect{95, 75, 120, 200}));
  EXPECT_FALSE(Later.Covers(TRect{100, 75, 120, 200}));
}

// A cut is given only to the shape it was kept for, in drawing order; one
// asked for out of turn gives nothing (which leaves the shape drawn whole).
// Columns outside the picture are left out, and rows far outside it are
// held to one row past its edge.
TEST(LaterColumnsTest, CutsOnlyInTurnAndInsideThePicture) {
  TLaterColumns Later;
  Later.Start(20, 30);
  Later.Add(TBoxColumns{-5, 25, -1000, 1000, 0});
  Later.KeepCut(4, -3, 2);
  Later.KeepCut(2, 18, 40);
  EXPECT_TRUE(Later.CutOf(4).Rows.empty());  // 2 comes first
  using TRows = std::map<int, std::pair<int, int>>;
  EXPECT_EQ(RowsOf(Later.CutOf(2)), (TRows{{18, {-1, 30}}, {19, {-1, 30}}}));
  EXPECT_EQ(RowsOf(Later.CutOf(4)), (TRows{{0, {-1, 30}}, {1, {-1, 30}}, {2, {-1, 30}}}));
  // Starting again forgets every cut.
  Later.KeepCut(1, 0, 5);
  Later.Start(20, 30);
  EXPECT_TRUE(Later.CutOf(1).Rows.empty());
}

}  // namespace
