// SPDX-License-Identifier: GPL-3.0-or-later
// A thousand drills finished one after another in one process against the real
// history file: every line is there at the end, byte for byte, and the heap
// grows by the lines the list keeps and nothing more.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <string>

#include "headless_drill.h"
#include "history/history_file.h"
#include "temp_work_dir.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator keeps the count (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

// Bytes the program has allocated and not freed; 0 where that cannot be told.
size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

TEST(LongRun, AThousandDrillsInOneProcessKeepEveryLineAndNoMoreMemory) {
  TTempWorkDir Dir;
  TResults Results;
  const THistoryFile& History = Results.History();
  Results.Load();
  THeadlessDrill Drill(Results);

  std::string Expected;
  size_t LineBytes = 0;
  size_t HeapAfterFirst = 0;
  constexpr int First = 100, Drills = 1000;
  for (int N = 0; N < Drills; ++N) {
    const std::string Line = Drill.Finish(N);
    ASSERT_EQ(Line, THeadlessDrill::ExpectedLine(N)) << "drill " << N;
    ASSERT_TRUE(Drill.Errors().empty()) << "drill " << N << ": " << Drill.Errors().front();
    ASSERT_EQ(Drill.LogLines(), 101u) << "the log holds one drill";
    Expected += Line + "\r\n";
    if (N == First - 1) HeapAfterFirst = HeapInUse();
    // The allocator's chunk for the line's bytes and their NUL: 8 bytes of
    // bookkeeping, rounded up to 16.
    if (N >= First) LineBytes += (Line.size() + 1 + 8 + 15) / 16 * 16;
  }
  const size_t HeapAtEnd = HeapInUse();

  EXPECT_EQ(ReadBytes("HIST_ZV.DAT"), Expected);
  EXPECT_EQ(EntriesOf("."), std::set<std::string>{"HIST_ZV.DAT"});
  THistoryFile Again;
  Again.Load();
  EXPECT_EQ(Again.Lines(), History.Lines());

  if (HeapAfterFirst == 0) GTEST_SKIP() << "the heap in use cannot be measured here";
  // Each further line: its chunk, and its place in the list: a 32-byte string
  // object, up to three times over while the list doubles its room.
  const long long Growth = static_cast<long long>(HeapAtEnd) - static_cast<long long>(HeapAfterFirst);
  const long long Allowed = static_cast<long long>(LineBytes) + (Drills - First) * 3 * 32 + 16 * 1024;
  std::printf("heap after %d drills %zu bytes, after %d %zu bytes: %lld more for %zu bytes of lines\n", First,
              HeapAfterFirst, Drills, HeapAtEnd, Growth, LineBytes);
  EXPECT_LE(Growth, Allowed) << "the heap grew beyond the lines";
}

}  // namespace
