// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed texts of this layer and of more than one layer above it that share
// no lower one, as Shift_JIS bytes: the number conversion's error message and
// the font faces the windows, the printed page, the chart widget and the
// result chart ask for. The source holds them as UTF-8; FixedSjis converts
// each exactly once, at first use. Every other text lives beside its users:
// the history's in history/history_texts.h, the chart's in
// chart/chart_texts.h, the drill's in drill/drill_texts.h, the results' (with
// the result chart's titles) in results/result_texts.h, the windows' in
// app/windows/window_texts.h and the printed page's in app/paper/paper_texts.h.
#include <string>

#include "platform/sjis.h"

struct TProgramTexts {
  // Error messages (the error box appends the final ".").
  std::string NotAnInteger = FixedSjis("'%s' は整数ではありません");

  // Font face names as the windows and the chart ask for them.
  std::string GothicFace = FixedSjis("ＭＳ ゴシック");
  std::string PGothicFace = FixedSjis("ＭＳ Ｐゴシック");
  std::string PMinchoFace = FixedSjis("ＭＳ Ｐ明朝");
};

// The one instance, converted at first use.
const TProgramTexts& Texts();
