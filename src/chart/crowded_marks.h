// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which value marks to leave out where they crowd: a mark whose box would
// cover the box of a later mark, the title or the value axes' labels is not
// drawn, so that many points leave readable rows of marks instead of a wall.
// The last mark is always drawn.
#include <optional>
#include <vector>

#include "chart/surface.h"

// Boxes holds the marks' boxes on screen in point order (nothing for a point
// without a mark). Going from the last to the first, a box that meets a box
// kept before it or one of Avoid is left out. Returns, per box, whether it is
// left out.
std::vector<bool> CrowdedMarks(const std::vector<std::optional<TRect>>& Boxes, const std::vector<TRect>& Avoid);
