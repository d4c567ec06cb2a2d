// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An exclusive lock on the folder that holds a file, for the moment one
// writer reads the file again and replaces it: two copies of the program that
// save into one folder take turns. The lock is on the folder itself, so no
// lock file is left beside the history. It is waited for a short, bounded
// time only: a folder whose file system has no locks, or a writer that hangs,
// lets the save go on without it rather than hang the program.
#include <chrono>
#include <string>

class TFolderLock {
public:
  TFolderLock(const std::string& FileName, std::chrono::milliseconds Wait);
  ~TFolderLock();
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

  bool Held() const { return FHeld; }

private:
  int FDescriptor = -1;
  bool FHeld = false;
};
