// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed texts of the history file, as Shift_JIS bytes: the error messages
// of opening, creating and writing it, and of a line that cannot be put in.
// The source holds them as UTF-8; FixedSjis converts each exactly once, at
// first use.
#include <string>

#include "platform/sjis.h"

struct THistoryTexts {
  // Error messages (the error box appends the final ".").
  std::string CannotOpenFile = FixedSjis("ファイル \"%s\". %s は開けません");
  std::string CannotCreateFile = FixedSjis("ファイル \"%s\". %s を作成できません");
  std::string StreamWriteError = FixedSjis("ストリームへの書き込みエラー");
  std::string CannotInsertLine = FixedSjis("行を挿入できません");
};

// The one instance, converted at first use.
const THistoryTexts& HistoryTexts();
