// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A copy of the history put back in place of a damaged one, with the drills
// the damaged file still holds that were finished after the copy was made.
#include <string>
#include <vector>

// The copy's lines, then the lines of Damaged that read whole as a drill (its
// figures and its date and time readable, no NUL byte) and were finished in a
// minute after the copy's newest drill, in their order. No drill of 100
// questions is finished within the minute of another, so a line of that
// minute or before it is the copy's own or a damaged form of one; it is not
// taken (the damaged file is kept whole beside the history). A copy without a
// dated drill takes every whole drill of Damaged.
std::vector<std::string> MergeAfterCopy(const std::vector<std::string>& Copy, const std::vector<std::string>& Damaged);
