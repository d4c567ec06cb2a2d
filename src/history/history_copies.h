// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The daily copies of a history folder's HIST_ZV.DAT in the user's data
// directory: a directory per folder beside the recovery files
// ($XDG_DATA_HOME/surasura/%home%u%drill.copies/), one file per day named by
// it (2026-03-05.HIST_ZV.DAT). Each is written as the history is: a new file,
// flushed, renamed into place.
#include <string>
#include <string_view>
#include <vector>

#include "history/copy_schedule.h"

struct THistoryCopy {
  TDay Day;
  std::string FileName;
};

// The directory of the folder Folder's copies (an absolute path); empty when
// the user has no home.
std::string CopiesDirectory(const std::string& Folder);

// The folder's copies, oldest first; none when there are none or the
// directory cannot be read.
std::vector<THistoryCopy> HistoryCopies(const std::string& Folder);

// Whether the folder has a copy of Day.
bool HasCopyOn(const std::string& Folder, TDay Day);

// After a save on Today, when the folder has no copy of Today yet: unless the
// newest copy holds Bytes already, Bytes become Today's copy; then the copies
// that CopiesToKeep does not keep go. The directories are made with
// mode 0700. Returns 0, or the errno of the step that failed (nothing is
// removed then).
int KeepDailyCopy(const std::string& Folder, std::string_view Bytes, TDay Today);

// How many lines of a copy hold a drill's figures.
int DrillsIn(const std::vector<std::string>& Lines);
