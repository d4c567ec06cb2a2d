// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace {

std::string FolderOf(const std::string& FileName) {
  const std::size_t Slash = FileName.rfind('/');
  if (Slash == std::string::npos) return ".";
  return Slash == 0 ? "/" : FileName.substr(0, Slash);
}

}  // namespace

TFolderLock::TFolderLock(const std::string& FileName, std::chrono::milliseconds Wait) {
  FDescriptor = ::open(FolderOf(FileName).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (FDescriptor < 0) return;
  const auto Deadline = std::chrono::steady_clock::now() + Wait;
  for (;;) {
    if (::flock(FDescriptor, LOCK_EX | LOCK_NB) == 0) {
      FHeld = true;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) return;  // no locks here
    if (std::chrono::steady_clock::now() >= Deadline) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

TFolderLock::~TFolderLock() {
  if (FDescriptor >= 0) ::close(FDescriptor);  // closing drops the lock
}
