// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and memory: starts the program's probe, the empty window and the
// window with one button in turn, each a fresh process, and takes the time
// from just before the process is started to its first paint, and its peak
// resident memory.
//
//   startup_bench PROBE EMPTY WORK_DIR [STARTS]
//
// Makes WORK_DIR/start with a history of 10,000 drills (the start-up figure)
// and WORK_DIR/graph with 100,000 (the memory figure: the probe opens the
// graph window there), and WORK_DIR/graph-one with one drill. Needs a display.
#include <fcntl.h>
#include <sys/stat.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "probe_report.h"

extern char** environ;

namespace {

struct TStart {
  double Ms = 0;
  double PeakMb = 0;
};

TStart StartOnce(const std::string& Program, const std::string& Mode, const std::string& Dir) {
  int Pipe[2];
  if (::pipe(Pipe) != 0) std::exit(1);
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_adddup2(&Actions, Pipe[1], 1);
  posix_spawn_file_actions_addclose(&Actions, Pipe[0]);
  posix_spawn_file_actions_addchdir_np(&Actions, Dir.c_str());
  std::vector<char*> Args{const_cast<char*>(Program.c_str())};
  if (!Mode.empty()) Args.push_back(const_cast<char*>(Mode.c_str()));
  Args.push_back(nullptr);
  pid_t Child = 0;
  const long long Start = MonotonicNs();
  if (posix_spawn(&Child, Program.c_str(), &Actions, nullptr, Args.data(), environ) != 0) {
    std::perror("posix_spawn");
    std::exit(1);
  }
  ::close(Pipe[1]);
  std::string Out;
  char Buffer[256];
  ssize_t N;
  while ((N = ::read(Pipe[0], Buffer, sizeof Buffer)) > 0) Out.append(Buffer, static_cast<size_t>(N));
  ::close(Pipe[0]);
  int Status = 0;
  ::waitpid(Child, &Status, 0);
  posix_spawn_file_actions_destroy(&Actions);
  long long Painted = 0;
  long PeakKb = 0;
  if (std::sscanf(Out.c_str(), "painted_ns=%lld peak_kb=%ld", &Painted, &PeakKb) != 2) {
    std::fprintf(stderr, "%s gave no figures: %s\n", Program.c_str(), Out.c_str());
    std::exit(1);
  }
  return TStart{(Painted - Start) / 1e6, PeakKb / 1024.0};
}

std::string MakeHistoryDir(const std::string& Work, const char* Name, std::size_t Lines) {
  const std::string Dir = Work + "/" + Name;
  ::mkdir(Work.c_str(), 0755);
  ::mkdir(Dir.c_str(), 0755);
  std::ofstream File(Dir + "/HIST_ZV.DAT", std::ios::binary | std::ios::trunc);
  File << HistoryBytes(Lines);
  return Dir;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: startup_bench PROBE EMPTY WORK_DIR [STARTS]\n");
    return 2;
  }
  // The programs start in the history's directory: their paths must not be relative.
  auto Absolute = [](const char* Path) {
    char* Real = ::realpath(Path, nullptr);
    std::string Result = Real ? Real : Path;
    std::free(Real);
    return Result;
  };
  const std::string Probe = Absolute(argv[1]), Empty = Absolute(argv[2]), Work = argv[3];
  const int Starts = argc > 4 ? std::atoi(argv[4]) : 10;
  const std::string StartDir = MakeHistoryDir(Work, "start", 10000);
  const std::string GraphDir = MakeHistoryDir(Work, "graph", 100000);
  const std::string OneDrillDir = MakeHistoryDir(Work, "graph-one", 1);

  // The window with one button is no floor: it shows how much of the figures
  // the first text and control of any window take.
  const std::vector<double> Startup =
      RunAlternating({{"ours", [&] { return StartOnce(Probe, "", StartDir).Ms; }},
                      {"floor", [&] { return StartOnce(Empty, "", StartDir).Ms; }},
                      {"button", [&] { return StartOnce(Empty, "button", StartDir).Ms; }}},
                     2, Starts);
  // The program with a history of one drill shows what it takes before any
  // drill is kept.
  std::vector<double> OursPeak, OneDrillPeak, FloorPeak, ButtonPeak;
  auto Peak = [](std::vector<double>& Peaks, const std::string& Program, const char* Mode, const std::string& Dir) {
    return [&Peaks, Program, Mode, &Dir] {
      Peaks.push_back(StartOnce(Program, Mode, Dir).PeakMb);
      return 0.0;
    };
  };
  RunAlternating({{"ours", Peak(OursPeak, Probe, "graph", GraphDir)},
                  {"one drill", Peak(OneDrillPeak, Probe, "graph", OneDrillDir)},
                  {"floor", Peak(FloorPeak, Empty, "", GraphDir)},
                  {"button", Peak(ButtonPeak, Empty, "button", GraphDir)}},
                 0, 5);
  const double Ours = Median(OursPeak), OneDrill = Median(OneDrillPeak), Floor = Median(FloorPeak),
               Button = Median(ButtonPeak);
  std::printf("%-24s %12s %12s %8s %12s %8s\n", "start-up", "ours", "floor", "ratio", "one button", "ratio");
  std::printf("%-24s %12.3f %12.3f %8.2f %12.3f %8.2f\n", "first paint ms (10,000)", Startup[0], Startup[1],
              Startup[0] / Startup[1], Startup[2], Startup[2] / Startup[1]);
  std::printf("%-24s %12.1f %12.1f %8.1f %12.1f %8.1f\n", "peak MB (graph, 100,000)", Ours, Floor, Ours - Floor,
              Button, Button - Floor);
  std::printf("%-24s %12.1f %12.1f %8.1f\n", "peak MB (graph, 1)", OneDrill, Floor, OneDrill - Floor);
  std::printf("BENCH startup ours_ms=%s floor_ms=%s ratio=%.3f\n", Ms(Startup[0]).c_str(), Ms(Startup[1]).c_str(),
              Startup[0] / Startup[1]);
  std::printf("BENCH startup_one_button ms=%s ratio=%.3f\n", Ms(Startup[2]).c_str(), Startup[2] / Startup[1]);
  std::printf("BENCH memory ours_mb=%.1f floor_mb=%.1f extra_mb=%.1f\n", Ours, Floor, Ours - Floor);
  std::printf("BENCH memory_one_drill ours_mb=%.1f extra_mb=%.1f\n", OneDrill, OneDrill - Floor);
  std::printf("BENCH memory_one_button mb=%.1f extra_mb=%.1f\n", Button, Button - Floor);
  return 0;
}
