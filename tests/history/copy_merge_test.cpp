// SPDX-License-Identifier: GPL-3.0-or-later
// A copy put back in place of a damaged history takes the drills of the
// damaged file that were finished after the copy's newest one.
#include "history/copy_merge.h"

#include <gtest/gtest.h>

#include "drill/drill_texts.h"
#include "history_lines.h"

namespace {

using TLines = std::vector<std::string>;


const std::string A = DrillLine(85, "2026/03/01 09:05");
const std::string B = DrillLine(90, "2026/03/02 09:05");
const std::string C = DrillLine(95, "2026/03/03 09:05");
const std::string D = DrillLine(97, "2026/03/04 10:00");
// A's line with a damaged byte: its figures and date still read, a NUL between them.
const std::string ANul = std::string(A).replace(28, 1, 1, '\0');
// B's percentage damaged into another readable figure.
const std::string BOther = DrillLine(30, "2026/03/02 09:05");
// C's date damaged.
const std::string CBadDate = std::string(C).replace(33, 1, "x");

}  // namespace

TEST(CopyMerge, TakesTheWholeDrillsFinishedAfterTheCopy) {
  const struct {
    const char* Name;
    TLines Copy, Damaged, Merged;
  } Cases[] = {
      {"history missing", {A, B}, {}, {A, B}},
      {"nothing newer", {A, B}, {A, B, "garbage"}, {A, B}},
      {"newer drills follow the copy", {A, B}, {A, B, C, D}, {A, B, C, D}},
      {"a damaged old line is not taken", {A, B}, {ANul, B, C}, {A, B, C}},
      {"an old line damaged into other figures is not taken", {A, B}, {A, BOther, C}, {A, B, C}},
      {"a newer line with a NUL is not taken", {A}, {A, B, ANul.substr(0, 30) + "2026/03/05 09:05", C}, {A, B, C}},
      {"a newer line whose date cannot be read is not taken", {A}, {A, CBadDate, D}, {A, D}},
      {"lines lost from the middle of the damaged file", {A, B}, {A, C}, {A, B, C}},
      {"a line of the copy's last minute is the copy's own", {A, B}, {A, B, B}, {A, B}},
      {"a copy of no drills takes every whole drill", {"garbage"}, {A, ANul, B, B}, {"garbage", A, B, B}},
  };
  for (const auto& Case : Cases) EXPECT_EQ(MergeAfterCopy(Case.Copy, Case.Damaged), Case.Merged) << Case.Name;
}
