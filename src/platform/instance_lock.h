// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One running copy of the program per history folder. The copy that runs
// holds a lock on a file named after the folder's identity (its device and
// inode, so two paths to one folder are one), in the user's runtime
// directory. The operating system drops the lock when its holder ends,
// however it ends, so a killed copy never blocks the next start.
#include <string>

// The folder's identity as a name ("surasura-<device>-<inode>"), or an empty
// string when the folder cannot be examined.
std::string FolderKey(const std::string& Folder);

// The user's directory for the lock and its socket: $XDG_RUNTIME_DIR, or
// /tmp/surasura-<uid> (made with mode 0700, and used only when it is the
// user's own and no one else may enter it). Empty when there is none.
std::string InstanceDirectory();

class TInstanceLock {
public:
  // Tries to take the lock on Path at once; holds it until destroyed.
  explicit TInstanceLock(const std::string& Path);
  ~TInstanceLock();
  TInstanceLock(const TInstanceLock&) = delete;
  TInstanceLock& operator=(const TInstanceLock&) = delete;

  // True when this process holds the lock; false when another does, or when
  // the lock file could not be opened at all (see Opened).
  bool Held() const { return FHeld; }
  bool Opened() const { return FDescriptor >= 0; }

private:
  int FDescriptor = -1;
  bool FHeld = false;
};
