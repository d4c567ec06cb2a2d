// SPDX-License-Identifier: GPL-3.0-or-later
// The history file with a million drills: Load against reading the same
// bytes into one buffer, Save against writing them to a new file with one
// write and one fsync. Runs in the directory it is started in.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <memory>
#include <string>

#include "bench_support.h"
#include "history/history_file.h"

namespace {

constexpr std::size_t Lines = 1000000;
const char* const OursName = "./HIST_ZV.DAT";
const char* const FloorName = "./floor.dat";

void Check(bool Ok, const char* What) {
  if (!Ok) {
    std::perror(What);
    std::exit(1);
  }
}

void WriteFloor(const std::string& Bytes) {
  ::unlink(FloorName);
  const int Fd = ::open(FloorName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  Check(Fd >= 0, "open");
  Check(::write(Fd, Bytes.data(), Bytes.size()) == static_cast<ssize_t>(Bytes.size()), "write");
  Check(::fsync(Fd) == 0, "fsync");
  Check(::close(Fd) == 0, "close");
}

// One buffer of the file's size (not cleared first), filled by read.
std::size_t ReadFloor(std::unique_ptr<char[]>& Buffer) {
  const int Fd = ::open(FloorName, O_RDONLY | O_CLOEXEC);
  Check(Fd >= 0, "open");
  struct stat St;
  Check(::fstat(Fd, &St) == 0, "fstat");
  const std::size_t Size = static_cast<std::size_t>(St.st_size);
  Buffer.reset(new char[Size]);
  std::size_t Done = 0;
  while (Done < Size) {
    const ssize_t N = ::read(Fd, Buffer.get() + Done, Size - Done);
    Check(N > 0, "read");
    Done += static_cast<std::size_t>(N);
  }
  ::close(Fd);
  return Done;
}

}  // namespace

int main(int argc, char** argv) {
  const int Repetitions = argc > 1 ? std::atoi(argv[1]) : 20;
  const std::string Bytes = HistoryBytes(Lines);
  WriteFloor(Bytes);
  {
    THistoryFile Seed(OursName);
    for (std::size_t I = 0; I < Lines; ++I) Seed.Append(Bytes.substr(I * 48, 46));
    Seed.Save();
  }

  std::size_t Loaded = 0;
  std::unique_ptr<char[]> Buffer;
  std::size_t Read = 0;
  const std::vector<double> Load = RunAlternating(
      {{"ours", [&] {
          THistoryFile History(OursName);
          const double Ms = TimeMs([&] { History.Load(); });
          Loaded = History.Count();
          return Ms;  // the list's release is not part of the load
        }},
       {"floor", [&] {
          Buffer.reset();
          return TimeMs([&] { Read = ReadFloor(Buffer); });
        }}},
      2, Repetitions);
  if (Loaded != Lines || Read != Bytes.size()) throw std::runtime_error("history bench read short");

  THistoryFile History(OursName);
  History.Load();
  const std::vector<double> Save = RunAlternating(
      {{"ours", [&] { return TimeMs([&] { History.Save(); }); }},
       {"floor", [&] { return TimeMs([&] { WriteFloor(Bytes); }); }}},
      2, Repetitions);
  ::unlink(FloorName);
  ::unlink(OursName);

  std::printf("%-16s %12s %12s %8s\n", "history", "ours ms", "floor ms", "ratio");
  std::printf("%-16s %12.3f %12.3f %8.2f\n", "load 1M lines", Load[0], Load[1], Load[0] / Load[1]);
  std::printf("%-16s %12.3f %12.3f %8.2f\n", "save 1M lines", Save[0], Save[1], Save[0] / Save[1]);
  std::printf("BENCH history_load lines=%zu ours_ms=%s floor_ms=%s ratio=%.3f\n", Lines, Ms(Load[0]).c_str(),
              Ms(Load[1]).c_str(), Load[0] / Load[1]);
  std::printf("BENCH history_save lines=%zu ours_ms=%s floor_ms=%s ratio=%.3f\n", Lines, Ms(Save[0]).c_str(),
              Ms(Save[1]).c_str(), Save[0] / Save[1]);
  return 0;
}
