// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

std::string FolderKey(const std::string& Folder) {
  struct stat Status {};
  if (::stat(Folder.c_str(), &Status) != 0) return std::string();
  return "surasura-" + std::to_string(static_cast<unsigned long long>(Status.st_dev)) + "-" +
         std::to_string(static_cast<unsigned long long>(Status.st_ino));
}

namespace {

// A directory this user owns and no one else may enter.
bool IsPrivateDirectory(const std::string& Path) {
  struct stat Status {};
  if (::lstat(Path.c_str(), &Status) != 0) return false;
  return S_ISDIR(Status.st_mode) && Status.st_uid == ::getuid() && (Status.st_mode & 077) == 0;
}

}  // namespace

std::string InstanceDirectory() {
  if (const char* Runtime = std::getenv("XDG_RUNTIME_DIR"); Runtime != nullptr && *Runtime != '\0') {
    if (IsPrivateDirectory(Runtime)) return Runtime;
  }
  const std::string Fallback = "/tmp/surasura-" + std::to_string(::getuid());
  if (::mkdir(Fallback.c_str(), 0700) != 0 && errno != EEXIST) return std::string();
  return IsPrivateDirectory(Fallback) ? Fallback : std::string();
}

TInstanceLock::TInstanceLock(const std::string& Path) {
  FDescriptor = ::open(Path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (FDescriptor < 0) return;
  int Result;
  do {
    Result = ::flock(FDescriptor, LOCK_EX | LOCK_NB);
  } while (Result != 0 && errno == EINTR);
  FHeld = Result == 0;
}

TInstanceLock::~TInstanceLock() {
  // Closing the file drops the lock.
  if (FDescriptor >= 0) ::close(FDescriptor);
}
