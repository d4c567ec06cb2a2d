// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target over saved inputs without the fuzzing engine: every file
// named on the command line, and every file in every directory named there
// (except hidden ones such as .gitkeep).
// A property that does not hold stops the run (abort), which fails the test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

namespace {

std::vector<char> ReadFile(const std::filesystem::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> Inputs;
  for (int I = 1; I < argc; ++I) {
    const std::filesystem::path Arg(argv[I]);
    if (std::filesystem::is_directory(Arg)) {
      for (const auto& Entry : std::filesystem::directory_iterator(Arg)) {
        if (Entry.is_regular_file() && Entry.path().filename().string()[0] != '.') Inputs.push_back(Entry.path());
      }
    } else if (std::filesystem::exists(Arg)) {
      Inputs.push_back(Arg);
    } else {
      std::fprintf(stderr, "no such input: %s\n", argv[I]);
      return 2;
    }
  }
  std::sort(Inputs.begin(), Inputs.end());
  if (Inputs.empty()) {
    std::fprintf(stderr, "no inputs to replay\n");
    return 2;
  }
  for (const auto& Path : Inputs) {
    const std::vector<char> Bytes = ReadFile(Path);
    std::fprintf(stderr, "replay %s (%zu bytes)\n", Path.c_str(), Bytes.size());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size());
  }
  std::printf("%zu inputs replayed, every property held\n", Inputs.size());
  return 0;
}
