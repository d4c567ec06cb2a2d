// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where each line of the history's text begins, and how the text is made from
// a file's bytes: every line followed by CR LF.
#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/byte_buffer.h"

// The start of each line. While every line but the last is as long as a
// summary line and its CR LF (the usual file), the starts are known from
// their number alone and none is stored: a million drills cost no memory and
// no time here.
class TLineStarts {
public:
  // The length of a summary line with its CR LF.
  static constexpr std::size_t Stride = 48;

  std::size_t size() const { return FStored ? FStarts.size() : FCount; }
  std::size_t operator[](std::size_t Index) const { return FStored ? FStarts[Index] : Index * Stride; }
  // Throws std::bad_alloc, leaving the list as it was.
  void push_back(std::size_t Start) {
    if (!FStored && Start == FCount * Stride) {
      ++FCount;
      return;
    }
    Store(Start);
  }
  void clear();
  void swap(TLineStarts& Other) noexcept;

private:
  void Store(std::size_t Start);

  bool FStored = false;
  std::size_t FCount = 0;
  std::vector<std::size_t> FStarts;
};

// Finds the lines of a file's bytes while the file is read, as long as every
// line ends with CR LF: give it all the bytes read so far after each piece,
// then the whole at the end.
class TCrlfLineFinder {
public:
  explicit TCrlfLineFinder(TLineStarts& Starts);
  // Takes the lines that end within Bytes, 64 bytes at a time.
  void Take(std::string_view Bytes);
  // True when Bytes, the whole file, holds only lines that end with CR LF.
  bool Finish(std::string_view Bytes);

private:
  // Takes the byte at Index of the file.
  void TakeByte(std::size_t Index, char Byte);

  TLineStarts& FStarts;
  std::size_t FTaken = 0;   // how many of the file's bytes were looked at
  std::size_t FLineAt = 0;  // where the line not ended yet begins
  bool FCrBefore = false;   // the last byte looked at was a CR
  bool FCrlfOnly = true;
};

// The lines of a file's bytes, each followed by CR LF, for a file whose line
// ends are not all CR LF: CR LF, a lone LF and a lone CR each end a line. Every
// other byte, a NUL too, belongs to its line, so that a damaged byte costs no
// line and the next save writes the line back as the file held it.
TByteBuffer ReformedLines(std::string_view Bytes, TLineStarts& Starts);
