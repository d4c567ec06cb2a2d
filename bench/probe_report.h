// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the start-up probes print on their standard output: the moment of a
// first paint on the system's monotonic clock, and the peak resident memory.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

inline long long MonotonicNs() {
  timespec Now{};
  clock_gettime(CLOCK_MONOTONIC, &Now);
  return static_cast<long long>(Now.tv_sec) * 1000000000LL + Now.tv_nsec;
}

// VmHWM of this process in kB (0 when unknown).
inline long PeakResidentKb() {
  FILE* Status = std::fopen("/proc/self/status", "r");
  if (!Status) return 0;
  char Line[256];
  long Kb = 0;
  while (std::fgets(Line, sizeof Line, Status)) {
    if (std::strncmp(Line, "VmHWM:", 6) == 0) Kb = std::atol(Line + 6);
  }
  std::fclose(Status);
  return Kb;
}

// Prints the figures and ends the process at once.
[[noreturn]] inline void ReportAndExit(long long PaintedNs) {
  std::printf("painted_ns=%lld peak_kb=%ld\n", PaintedNs, PeakResidentKb());
  std::fflush(stdout);
  _exit(0);
}
