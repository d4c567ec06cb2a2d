// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a fuzzer's bytes as a stream of small values, and the check that ends a
// fuzz run when a property does not hold. Shared by every fuzz target, which
// also build without the fuzzing engine to replay saved inputs in the tests.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Stops the run with the property that failed; the fuzzing engine keeps the
// input, and a replay in the tests fails.
#define FUZZ_CHECK(Condition, ...)                                                   \
  do {                                                                               \
    if (!(Condition)) {                                                              \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #Condition); \
      std::fprintf(stderr, "  " __VA_ARGS__);                                        \
      std::fprintf(stderr, "\n");                                                    \
      std::abort();                                                                  \
    }                                                                                \
  } while (0)

class TFuzzInput {
public:
  TFuzzInput(const uint8_t* Data, size_t Size) : FData(Data), FSize(Size) {}

  bool Empty() const { return FAt >= FSize; }
  size_t Left() const { return FSize - FAt; }

  // The next byte, 0 once the input is used up.
  uint8_t Byte() { return FAt < FSize ? FData[FAt++] : 0; }
  bool Bool() { return Byte() & 1; }
  // Little-endian, missing bytes are 0.
  uint16_t U16() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
  uint32_t U32() { return static_cast<uint32_t>(U16()) | (static_cast<uint32_t>(U16()) << 16); }
  uint64_t U64() { return static_cast<uint64_t>(U32()) | (static_cast<uint64_t>(U32()) << 32); }
  // A value from Min to Max (inclusive).
  int Range(int Min, int Max) {
    const uint32_t Span = static_cast<uint32_t>(Max - Min) + 1u;
    return Min + static_cast<int>(U32() % Span);
  }
  // At most Count bytes.
  std::string Bytes(size_t Count) {
    if (Count > Left()) Count = Left();
    std::string Result(reinterpret_cast<const char*>(FData + FAt), Count);
    FAt += Count;
    return Result;
  }
  // A text of at most MaxLength bytes, ended by the byte Terminator or the input's end.
  std::string Text(size_t MaxLength, char Terminator) {
    std::string Result;
    while (!Empty() && Result.size() < MaxLength) {
      const char C = static_cast<char>(Byte());
      if (C == Terminator) break;
      Result.push_back(C);
    }
    return Result;
  }
  std::string Rest() { return Bytes(Left()); }

private:
  const uint8_t* FData;
  size_t FSize;
  size_t FAt = 0;
};
