// SPDX-License-Identifier: GPL-3.0-or-later
// The marks left out where they crowd: later boxes win, the avoided areas
// turn away all but the last box, boxes only touching are not crowded.
#include "chart/crowded_marks.h"

#include <gtest/gtest.h>

namespace {

TEST(CrowdedMarks, LaterBoxesAndTheLastWin) {
  using TBoxes = std::vector<std::optional<TRect>>;
  struct TRow {
    const char* Case;
    TBoxes Boxes;
    std::vector<TRect> Avoid;
    std::vector<bool> LeftOut;
  };
  const TRect A{0, 0, 30, 20}, B{20, 10, 50, 30}, C{30, 0, 60, 20}, Far{-200, -90, -170, -70};
  const TRect Title{100, 0, 200, 20};
  const TRow Rows[] = {
      {"none", {}, {}, {}},
      {"one over another: the earlier goes", {A, B}, {}, {true, false}},
      {"touching edges only", {A, C}, {}, {false, false}},
      {"a left-out box crowds nothing", {A, B, C}, {}, {false, true, false}},
      {"points without marks are passed over", {A, std::nullopt, B}, {}, {true, false, false}},
      {"over the title", {TRect{150, 10, 180, 30}, A}, {Title}, {true, false}},
      {"the last stays even over the title", {A, TRect{150, 10, 180, 30}}, {Title}, {false, false}},
      {"far to the left and above, across grid cells", {Far, TRect{-180, -80, 40, -60}}, {}, {true, false}},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Case);
    EXPECT_EQ(CrowdedMarks(Row.Boxes, Row.Avoid), Row.LeftOut);
  }
}

}  // namespace
