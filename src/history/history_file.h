// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results history: the summary lines of all finished drills, oldest first,
// and the file that stores them. Owns the file and nothing else.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/line_starts.h"
#include "platform/byte_buffer.h"
#include "platform/files.h"

// The history file the program reads and writes, in the working directory.
inline constexpr char HistoryFileName[] = "./HIST_ZV.DAT";
// Its name without the folder.
inline constexpr std::string_view HistoryBaseName = std::string_view(HistoryFileName).substr(2);

// The figures of one finished drill, as its summary line holds them.
struct TDrillFigures {
  int32_t Percent = 0;
  int32_t Minutes = 0;
  int32_t Seconds = 0;
  // The drill's duration in whole seconds.
  double Duration() const { return static_cast<double>(Minutes) * 60 + Seconds; }
};

class THistoryFile {
public:
  // FileName is relative to the working directory at each access.
  explicit THistoryFile(std::string FileName = HistoryFileName);

  // Fills the list from the file if it is present: CR LF, a lone LF and a
  // lone CR each end a line; every other byte, a NUL too, belongs to its
  // line, so that a damaged byte costs no line and the file is written back
  // with every line it held. Throws EFileError with the user's message when
  // the file is present but cannot be read.
  void Load();
  // Adds the newest drill's summary line at the end. Throws EListError when
  // the list cannot take another line.
  void Append(const std::string& Line);
  // Writes the whole list to the file, each line followed by CR LF. Throws
  // EFileError on failure; the old file is then left as it was and the list
  // keeps every line. When Load could not read the file, the old file is
  // first kept beside it (HIST_ZV.DAT.bak, .bak.1, ...) so that the bytes the
  // list lacks are not lost.
  //
  // Another copy of the program may save into the same folder: the save takes
  // the folder's lock (waiting a moment at most) and reads the file again.
  // Lines another writer appended stay, and the lines appended here since the
  // last save follow them; a file changed in any other way (edited, replaced,
  // shortened) is kept as the .bak copy first, and the lines appended here
  // follow its content. After a save the list is what the file holds.
  void Save();

  std::size_t Count() const { return FStarts.size(); }
  // The line at Index (std::out_of_range past the end); valid until the list changes.
  std::string_view Line(std::size_t Index) const;
  // A copy of every line.
  std::vector<std::string> Lines() const;
  // The lines appended since the last save that succeeded (or since Load).
  std::vector<std::string> UnsavedLines() const;
  // False when Load could not read the file: it holds bytes the list lacks,
  // kept as the .bak copy at the next save.
  bool ReadWhole() const { return !FFileNotReadWhole; }

  // Fields of a summary line; each throws EConvertError when not a number.
  static int32_t PercentOf(std::string_view Line);  // bytes 25-27
  static int32_t MinutesOf(std::string_view Line);  // bytes 10-11
  static int32_t SecondsOf(std::string_view Line);  // bytes 14-15
  // All three, or nothing when one of them is not a number (a damaged or
  // foreign line, or a drill of 100 minutes or more).
  static std::optional<TDrillFigures> FiguresOf(std::string_view Line);

private:
  std::string FFileName;
  // The lines as the file stores them: each followed by CR LF, so that Save
  // writes this text as it is. FStarts[i] is where line i begins.
  TByteBuffer FText;
  TLineStarts FStarts;
  // The file on disk holds bytes that the list lacks (Load failed); the next
  // Save keeps the old file before replacing it.
  bool FFileNotReadWhole = false;
  // How much of FText the file held when this list last read or wrote it:
  // what lies beyond is appended here and not saved yet. The file's bytes then
  // were that part of FText, unless Load found them in another form (other
  // line ends), which FLoadedBytes then holds.
  std::size_t FSavedSize = 0;
  TByteBuffer FLoadedBytes;
  std::string_view KnownBytes() const;
  // The file as this list last read or wrote it, when that is proof enough
  // that the file still holds those bytes: the same file, size and times.
  std::optional<TFileStamp> FStamp;
};
