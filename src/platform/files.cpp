// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "platform/sjis.h"

namespace {

// Names tried for the kept old file before giving up.
constexpr unsigned MaxKeptCopies = 10000;
// The longest system error text a message carries.
constexpr size_t MaxErrorTextBytes = 256;

// A file descriptor that is closed when it goes out of scope.
class TFd {
public:
  TFd() = default;
  explicit TFd(int Fd) : FFd(Fd) {}
  ~TFd() {
    if (FFd >= 0) ::close(FFd);
  }
  TFd(TFd&& Other) noexcept : FFd(std::exchange(Other.FFd, -1)) {}
  TFd& operator=(TFd&& Other) noexcept {
    if (this != &Other) {
      if (FFd >= 0) ::close(FFd);
      FFd = std::exchange(Other.FFd, -1);
    }
    return *this;
  }

  int Get() const { return FFd; }
  bool IsOpen() const { return FFd >= 0; }
  // Closes now; returns 0 or the errno of close.
  int Close() {
    int Fd = FFd;
    FFd = -1;
    return ::close(Fd) == 0 ? 0 : errno;
  }

private:
  int FFd = -1;
};

// A file this module made that goes away again unless it is kept.
class TNewFile {
public:
  TNewFile() = default;
  ~TNewFile() {
    if (!FName.empty()) ::unlink(FName.c_str());
  }
  TNewFile(const TNewFile&) = delete;
  TNewFile& operator=(const TNewFile&) = delete;

  void Own(const std::string& Name) { FName = Name; }
  const std::string& Name() const { return FName; }
  void Keep() { FName.clear(); }

private:
  std::string FName;
};

// Writes every byte, going on after short writes and interruptions. Returns 0
// or the errno that stopped it.
int WriteAll(int Fd, std::string_view Bytes) {
  size_t Done = 0;
  while (Done < Bytes.size()) {
    ssize_t N = ::write(Fd, Bytes.data() + Done, Bytes.size() - Done);
    if (N < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (N == 0) return ENOSPC;  // the file takes nothing more
    Done += static_cast<size_t>(N);
  }
  return 0;
}

std::string DirectoryOf(const std::string& Path) {
  size_t Slash = Path.rfind('/');
  if (Slash == std::string::npos) return ".";
  if (Slash == 0) return "/";
  return Path.substr(0, Slash);
}

// The file that a name stands for: a link is followed to the file it points to.
std::string FileBehind(const std::string& Name) {
  struct stat St;
  if (::lstat(Name.c_str(), &St) == 0 && S_ISLNK(St.st_mode)) {
    if (char* Real = ::realpath(Name.c_str(), nullptr)) {
      std::string Result(Real);
      std::free(Real);
      return Result;
    }
  }
  return Name;
}

std::string NameInDirectory(const std::string& Path) {
  size_t Slash = Path.rfind('/');
  return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
}

// New files are named Base + ".new-<process id>-<count>-<nanoseconds>".
constexpr const char* NewFileMark = ".new-";

// Creates a file that did not exist, named Base plus a fresh suffix, open for
// writing and locked by this process until it is closed. Returns the
// descriptor, or -1 with errno set.
int CreateBesideExclusively(const std::string& Base, mode_t Mode, std::string& CreatedName) {
  static unsigned Counter = 0;
  for (int Attempt = 0; Attempt < 100; ++Attempt) {
    timespec Now{};
    ::clock_gettime(CLOCK_REALTIME, &Now);
    char Suffix[64];
    std::snprintf(Suffix, sizeof Suffix, "%s%ld-%u-%lx", NewFileMark, static_cast<long>(::getpid()), Counter++,
                  static_cast<unsigned long>(Now.tv_nsec));
    std::string Candidate = Base + Suffix;
    int Fd = ::open(Candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, Mode);
    if (Fd >= 0) {
      // The lock tells other processes that this file is being written.
      ::flock(Fd, LOCK_EX | LOCK_NB);
      CreatedName = Candidate;
      return Fd;
    }
    if (errno != EEXIST) return -1;
  }
  errno = EEXIST;
  return -1;
}

// Removes the new files that writers of Target left behind when they were
// killed part-way: named after a process that no longer runs, and locked by
// nobody. A file of a running writer (or of an unknown process) stays.
void RemoveAbandonedNewFiles(const std::string& Target) {
  const std::string Prefix = NameInDirectory(Target) + NewFileMark;
  DIR* Directory = ::opendir(DirectoryOf(Target).c_str());
  if (!Directory) return;
  while (const dirent* Entry = ::readdir(Directory)) {
    const std::string Name = Entry->d_name;
    if (Name.compare(0, Prefix.size(), Prefix) != 0) continue;
    char* End = nullptr;
    const long Pid = std::strtol(Name.c_str() + Prefix.size(), &End, 10);
    if (Pid <= 0 || *End != '-' || Pid == static_cast<long>(::getpid())) continue;
    if (::kill(static_cast<pid_t>(Pid), 0) == 0 || errno != ESRCH) continue;
    // The file has the history's permissions: readable, or at least writable.
    const int Flags = O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK;
    int Fd = ::openat(::dirfd(Directory), Name.c_str(), O_RDONLY | Flags);
    if (Fd < 0) Fd = ::openat(::dirfd(Directory), Name.c_str(), O_WRONLY | Flags);
    TFd File(Fd);
    if (!File.IsOpen() || ::flock(File.Get(), LOCK_EX | LOCK_NB) != 0) continue;
    ::unlinkat(::dirfd(Directory), Name.c_str(), 0);
  }
  ::closedir(Directory);
}

// Flushes a directory's entries to the disk. Some file systems cannot; the
// entries are then as safe as that file system makes them, so no error.
void SyncDirectory(const std::string& Directory) {
  int Fd = ::open(Directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (Fd < 0) return;
  ::fsync(Fd);
  ::close(Fd);
}

// Copies From into the new file To, which must not exist yet.
TReplaceResult CopyToNewFile(const std::string& From, const std::string& To) {
  TFd Source(::open(From.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
  if (!Source.IsOpen()) return {TReplaceStep::Create, errno};
  struct stat St;
  if (::fstat(Source.Get(), &St) != 0) return {TReplaceStep::Create, errno};
  TFd Copy(::open(To.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, St.st_mode & 07777));
  if (!Copy.IsOpen()) return {TReplaceStep::Create, errno};
  TNewFile Made;
  Made.Own(To);
  char Buffer[65536];
  for (;;) {
    ssize_t N = ::read(Source.Get(), Buffer, sizeof Buffer);
    if (N < 0) {
      if (errno == EINTR) continue;
      return {TReplaceStep::Create, errno};
    }
    if (N == 0) break;
    if (int Error = WriteAll(Copy.Get(), std::string_view(Buffer, static_cast<size_t>(N)))) {
      return {TReplaceStep::Write, Error};
    }
  }
  if (::fsync(Copy.Get()) != 0) return {TReplaceStep::Write, errno};
  if (int Error = Copy.Close()) return {TReplaceStep::Write, Error};
  Made.Keep();
  return {};
}

// True when the two names hold the same bytes: one file under two names, or
// two files of equal content.
bool SameContent(const std::string& A, const std::string& B) {
  struct stat StA, StB;
  if (::stat(A.c_str(), &StA) != 0 || ::stat(B.c_str(), &StB) != 0) return false;
  if (StA.st_dev == StB.st_dev && StA.st_ino == StB.st_ino) return true;
  if (!S_ISREG(StA.st_mode) || !S_ISREG(StB.st_mode) || StA.st_size != StB.st_size) return false;
  TFd FileA(::open(A.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
  TFd FileB(::open(B.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
  if (!FileA.IsOpen() || !FileB.IsOpen()) return false;
  std::vector<char> BufferA(65536), BufferB(65536);
  for (;;) {
    ssize_t N = ::read(FileA.Get(), BufferA.data(), BufferA.size());
    if (N < 0 && errno == EINTR) continue;
    if (N < 0) return false;
    size_t Got = 0;
    while (Got < static_cast<size_t>(N)) {
      ssize_t M = ::read(FileB.Get(), BufferB.data() + Got, static_cast<size_t>(N) - Got);
      if (M < 0 && errno == EINTR) continue;
      if (M <= 0) return false;
      Got += static_cast<size_t>(M);
    }
    if (std::memcmp(BufferA.data(), BufferB.data(), static_cast<size_t>(N)) != 0) return false;
    if (N == 0) return true;
  }
}

// Keeps the file Target under the first free name Target.bak, Target.bak.1, ...
// A second name for the same file when the file system allows it, else a copy.
// A name that already holds Target's bytes (kept by a writer that was killed
// before it could replace the file) is taken as it is, so that copies do not
// pile up; MadeNow then stays false. KeptName stays empty when there is no old
// file to keep.
TReplaceResult KeepOldFile(const std::string& Target, std::string& KeptName, bool& MadeNow) {
  KeptName.clear();
  MadeNow = false;
  bool Copying = false;
  for (unsigned I = 0; I < MaxKeptCopies; ++I) {
    std::string Candidate = Target + ".bak";
    if (I > 0) Candidate += "." + std::to_string(I);
    if (!Copying) {
      if (::link(Target.c_str(), Candidate.c_str()) == 0) {
        KeptName = Candidate;
        MadeNow = true;
        return {};
      }
      if (errno == EEXIST) {
        if (SameContent(Target, Candidate)) {
          KeptName = Candidate;
          return {};
        }
        continue;
      }
      struct stat St;
      if (::lstat(Target.c_str(), &St) != 0 && errno == ENOENT) return {};
      Copying = true;
    }
    TReplaceResult Result = CopyToNewFile(Target, Candidate);
    if (Result.Step == TReplaceStep::Done) {
      KeptName = Candidate;
      MadeNow = true;
      return Result;
    }
    if (Result.Step == TReplaceStep::Create && Result.Error == EEXIST) {
      if (SameContent(Target, Candidate)) {
        KeptName = Candidate;
        return {};
      }
      continue;
    }
    return Result;
  }
  return {TReplaceStep::Create, EEXIST};
}

bool IsSjisLeadByte(unsigned char C) { return (C >= 0x81 && C <= 0x9F) || (C >= 0xE0 && C <= 0xFC); }

// Reads Fd to its end into Bytes (a string or a byte buffer), in pieces small
// enough to stay in the cache until Read (when given) has seen every byte read
// so far. Bytes takes Size (the file's size) at once, and one byte more so that
// the read that finds the end needs no more room; it grows on if the file grew.
// Returns 0 or errno.
template <class TBytes>
int ReadAll(int Fd, size_t Size, TBytes& Bytes, const std::function<void(std::string_view)>& Read = {}) {
  constexpr size_t Piece = 64 * 1024;
  Bytes.resize(Size + 1);
  size_t Done = 0;
  for (;;) {
    if (Done == Bytes.size()) Bytes.resize(Done + Done / 2 + Piece);
    const ssize_t N = ::read(Fd, Bytes.data() + Done, std::min(Piece, Bytes.size() - Done));
    if (N < 0) {
      if (errno == EINTR) continue;
      const int Error = errno;
      Bytes.resize(Done);
      return Error;
    }
    if (N == 0) break;
    Done += static_cast<size_t>(N);
    if (Read) Read(std::string_view(Bytes.data(), Done));
  }
  Bytes.resize(Done);
  return 0;
}

// Writes Bytes at Offset of Fd. Returns 0 or errno.
int WriteAt(int Fd, off_t Offset, std::string_view Bytes) {
  if (::lseek(Fd, Offset, SEEK_SET) < 0) return errno;
  return WriteAll(Fd, Bytes);
}

// 0 when the file may be replaced, else the errno that forbids it. A file
// without any write permission is read-only for everyone, the superuser too.
int ReadOnlyError(const std::string& Target, const struct stat& Old) {
  if ((Old.st_mode & 0222) == 0) return EACCES;
  return ::faccessat(AT_FDCWD, Target.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

// Makes the existing file Target hold Bytes by writing into it where it is,
// for a directory that takes no new file beside it. When its old bytes begin
// the new ones (a line appended), only the new bytes are written after them;
// otherwise the file is written over from its start. On a failure the old
// bytes are put back as far as the disk allows.
TReplaceResult UpdateInPlace(const std::string& Target, std::string_view Bytes) {
  TFd File(::open(Target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY));
  if (!File.IsOpen()) return {TReplaceStep::Create, errno};
  struct stat St;
  if (::fstat(File.Get(), &St) != 0) return {TReplaceStep::Create, errno};
  std::string Old;
  if (int Error = ReadAll(File.Get(), static_cast<size_t>(St.st_size), Old)) return {TReplaceStep::Create, Error};
  const bool Appending = Bytes.substr(0, Old.size()) == Old;
  auto Restore = [&File, &Old, Appending] {
    if (!Appending) WriteAt(File.Get(), 0, Old);
    if (::ftruncate(File.Get(), static_cast<off_t>(Old.size())) == 0) ::fsync(File.Get());
  };
  int Error = Appending ? WriteAt(File.Get(), static_cast<off_t>(Old.size()), Bytes.substr(Old.size()))
                        : WriteAt(File.Get(), 0, Bytes);
  if (Error == 0 && ::ftruncate(File.Get(), static_cast<off_t>(Bytes.size())) != 0) Error = errno;
  if (Error == 0 && ::fsync(File.Get()) != 0) Error = errno;
  if (Error != 0) {
    Restore();
    return {TReplaceStep::Write, Error};
  }
  if (int CloseError = File.Close()) return {TReplaceStep::Write, CloseError};
  return {};
}

}  // namespace

bool FileIsPresent(const std::string& Name) {
  struct stat St;
  if (::lstat(Name.c_str(), &St) != 0) return false;
  if (S_ISLNK(St.st_mode)) {
    struct stat Pointed;
    if (::stat(Name.c_str(), &Pointed) == 0) return !S_ISDIR(Pointed.st_mode);
    return true;
  }
  return !S_ISDIR(St.st_mode);
}

namespace {

TFileStamp StampOf(const struct stat& St) {
  TFileStamp Stamp;
  Stamp.Device = static_cast<uint64_t>(St.st_dev);
  Stamp.Inode = static_cast<uint64_t>(St.st_ino);
  Stamp.Size = static_cast<int64_t>(St.st_size);
  Stamp.ModifiedNs = int64_t{St.st_mtim.tv_sec} * 1000000000 + St.st_mtim.tv_nsec;
  Stamp.ChangedNs = int64_t{St.st_ctim.tv_sec} * 1000000000 + St.st_ctim.tv_nsec;
  return Stamp;
}

}  // namespace

bool FileStampOf(const std::string& Name, TFileStamp& Stamp) {
  struct stat St;
  if (::stat(Name.c_str(), &St) != 0) return false;
  Stamp = StampOf(St);
  return true;
}

bool StampIsRecent(const TFileStamp& Stamp) {
  // The coarsest clock a history may meet is a FAT file system's, of two
  // seconds; a change that much later always shows in the stamp.
  constexpr int64_t Tick = 2'000'000'000;
  timespec Now{};
  ::clock_gettime(CLOCK_REALTIME, &Now);
  const int64_t NowNs = int64_t{Now.tv_sec} * 1000000000 + Now.tv_nsec;
  return NowNs - Stamp.ModifiedNs < Tick;
}

// Opens the file Name to be read whole, with its status. Opened without
// waiting: a named pipe of that name would otherwise block the open until some
// writer came. Only a regular file can be read whole: a pipe, a socket or a
// device would wait for data or never end (EINVAL).
int OpenWhole(const std::string& Name, TFd& File, struct stat& St) {
  File = TFd(::open(Name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!File.IsOpen()) return errno;
  if (::fstat(File.Get(), &St) != 0) return errno;
  if (!S_ISREG(St.st_mode)) return EINVAL;
  return 0;
}

int ReadWholeFile(const std::string& Name, std::string& Bytes, TFileStamp* Stamp) {
  Bytes.clear();
  TFd File;
  struct stat St;
  if (int Error = OpenWhole(Name, File, St)) return Error;
  if (Stamp) *Stamp = StampOf(St);
  return ReadAll(File.Get(), static_cast<size_t>(St.st_size), Bytes);
}

int ReadWholeFile(const std::string& Name, TByteBuffer& Bytes, TFileStamp* Stamp,
                  const std::function<void(std::string_view ReadSoFar)>& Read) {
  Bytes.clear();
  TFd File;
  struct stat St;
  if (int Error = OpenWhole(Name, File, St)) return Error;
  if (Stamp) *Stamp = StampOf(St);
  return ReadAll(File.Get(), static_cast<size_t>(St.st_size), Bytes, Read);
}

TReplaceResult ReplaceFileContents(const std::string& Name, std::string_view Bytes, bool KeepOld,
                                   std::string* KeptAs) {
  if (KeptAs) KeptAs->clear();
  const std::string Target = FileBehind(Name);
  struct stat Old;
  const bool OldFile = ::stat(Target.c_str(), &Old) == 0 && !S_ISDIR(Old.st_mode);

  // Only a regular file is replaced: a device or a named pipe in its place
  // (a link to /dev/null, say) stays as it is, like a directory there.
  if (OldFile && !S_ISREG(Old.st_mode)) return {TReplaceStep::Create, EINVAL};
  // A file its owner made read-only is not to be replaced.
  if (OldFile) {
    if (int Error = ReadOnlyError(Target, Old)) return {TReplaceStep::Create, Error};
  }

  RemoveAbandonedNewFiles(Target);
  std::string NewName;
  TFd New(CreateBesideExclusively(Target, 0666, NewName));
  if (!New.IsOpen()) {
    const int Error = errno;
    // A directory that takes no new entries may still hold a file the user may
    // write: that file is written where it is. Not when its old bytes are to
    // be kept, which needs a new entry too.
    if (OldFile && S_ISREG(Old.st_mode) && !KeepOld && (Error == EACCES || Error == EPERM)) {
      return UpdateInPlace(Target, Bytes);
    }
    return {TReplaceStep::Create, Error};
  }
  TNewFile Made;
  Made.Own(NewName);
  if (OldFile) {
    // The new file stays its owner's: a save by the superuser (the program
    // started with sudo) must not take the history from the user it belongs to.
    if (::fchown(New.Get(), Old.st_uid, Old.st_gid) != 0) {
      // Another user's file: the new one is the writer's; its content matters more.
    }
    if (::fchmod(New.Get(), Old.st_mode & 07777) != 0) {
      // The new file keeps the usual permissions; its content matters more.
    }
  }
  if (int Error = WriteAll(New.Get(), Bytes)) return {TReplaceStep::Write, Error};
  if (::fsync(New.Get()) != 0) return {TReplaceStep::Write, errno};
  if (int Error = New.Close()) return {TReplaceStep::Write, Error};

  std::string Kept;
  bool KeptNow = false;
  if (OldFile && KeepOld) {
    TReplaceResult Result = KeepOldFile(Target, Kept, KeptNow);
    if (Result.Step != TReplaceStep::Done) return Result;
  }
  if (::rename(NewName.c_str(), Target.c_str()) != 0) {
    int Error = errno;
    if (KeptNow) ::unlink(Kept.c_str());
    return {TReplaceStep::Create, Error};
  }
  Made.Keep();
  SyncDirectory(DirectoryOf(Target));
  if (KeptAs) *KeptAs = Kept;
  return {};
}

std::string ExpandFileName(const std::string& Name) {
  std::vector<std::string> Parts;
  auto AddParts = [&Parts](const std::string& Path) {
    size_t Start = 0;
    while (Start <= Path.size()) {
      size_t End = Path.find('/', Start);
      if (End == std::string::npos) End = Path.size();
      std::string Part = Path.substr(Start, End - Start);
      if (Part == "..") {
        if (!Parts.empty()) Parts.pop_back();
      } else if (!Part.empty() && Part != ".") {
        Parts.push_back(Part);
      }
      Start = End + 1;
    }
  };
  if (Name.empty() || Name[0] != '/') {
    char* Cwd = ::getcwd(nullptr, 0);
    if (!Cwd) return Name;
    std::string Directory(Cwd);
    std::free(Cwd);
    AddParts(Directory);
  }
  AddParts(Name);
  std::string Result;
  for (const std::string& Part : Parts) Result += "/" + Part;
  return Result.empty() ? "/" : Result;
}

std::string FitErrorText(std::string Text) {
  if (Text.size() > MaxErrorTextBytes) {
    size_t Cut = 0;
    while (Cut < Text.size()) {
      size_t Length = IsSjisLeadByte(static_cast<unsigned char>(Text[Cut])) ? 2 : 1;
      if (Cut + Length > MaxErrorTextBytes) break;
      Cut += Length;
    }
    Text.resize(Cut);
  }
  // No trail byte of a double-byte character is a blank, a line end or ".".
  while (!Text.empty() && (static_cast<unsigned char>(Text.back()) <= 0x20 || Text.back() == '.')) {
    Text.pop_back();
  }
  return Text;
}
