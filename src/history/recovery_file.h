// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finished drills that could not be written to the history by the time the
// program ended. They wait in the user's data directory, in a file named
// after the history's folder, until the next start in that folder puts them
// into its history.
#include <string>
#include <vector>

class THistoryFile;

// Where the lines of the history folder Folder (an absolute path) wait:
// $XDG_DATA_HOME/surasura/, by default ~/.local/share/surasura/, and a name
// made of the folder's path. Empty when the user has no home.
std::string RecoveryFileName(const std::string& Folder);

// Writes Lines to the recovery file, each followed by CR LF, after the lines
// already waiting there that are not among them (counted as often as they
// stand); the directory is made with mode 0700. Returns 0, or the errno of the
// step that failed.
int KeepForRecovery(const std::string& FileName, const std::vector<std::string>& Lines);

// The lines waiting in the recovery file; none when there is no such file.
std::vector<std::string> RecoveredLines(const std::string& FileName);

// Appends to History, in their order, the recovered lines it does not hold
// yet: a line it holds n times accounts for n of the recovered ones. Returns
// how many it appended.
std::size_t AppendRecovered(THistoryFile& History, const std::vector<std::string>& Lines);
