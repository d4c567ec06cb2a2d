// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's data directory of the program, where files that belong to one
// history folder (the recovery file, the daily copies) are kept under names
// made of that folder's path.
#include <string>

// $XDG_DATA_HOME/surasura, by default ~/.local/share/surasura; empty when the
// user has no home.
std::string DataDirectory();

// The folder's path as one file name: "/home/u/drill" gives "%home%u%drill"
// ("%" itself doubled), one name per folder, readable by a person who looks
// for it.
std::string FolderFileStem(const std::string& Folder);

// Makes the directory and those above it that are missing; the last with mode
// 0700, as it holds the user's results. Returns 0, or the errno of the step
// that failed.
int MakeDirectories(const std::string& Path);
