#pragma once
// The results history: the summary lines of all finished drills, oldest first,
// and the file that stores them. Owns the file and nothing else.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The history file the program reads and writes, in the working directory.
inline constexpr char HistoryFileName[] = "./HIST_ZV.DAT";

class THistoryFile {
public:
  // FileName is relative to the working directory at each access.
  explicit THistoryFile(std::string FileName = HistoryFileName);

  // Fills the list from the file if it is present. Throws EFileError with the
  // user's message when the file is present but cannot be read.
  void Load();
  // Adds the newest drill's summary line at the end. Throws EListError when
  // the list cannot take another line.
  void Append(const std::string& Line);
  // Writes the whole list to the file, each line followed by CR LF. Throws
  // EFileError on failure; the old file is then left as it was and the list
  // keeps every line. When Load did not read the whole file, the old file is
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
  // False when Load stopped before the file's end (a NUL byte, a read error):
  // the file holds bytes the list lacks, kept as the .bak copy at the next save.
  bool ReadWhole() const { return !FFileNotReadWhole; }
  // Where Load kept the whole file when it stopped at a NUL byte (the .bak
  // copy the next save would make), so that the user can be told at once;
  // empty when it read the whole file or could not keep it.
  const std::string& KeptCopy() const { return FKeptCopy; }

  // Fields of a summary line; each throws EConvertError when not a number.
  static int32_t PercentOf(std::string_view Line);  // bytes 25-27
  static int32_t MinutesOf(std::string_view Line);  // bytes 10-11
  static int32_t SecondsOf(std::string_view Line);  // bytes 14-15

private:
  std::string FFileName;
  // The lines as the file stores them: each followed by CR LF, so that Save
  // writes this text as it is. FStarts[i] is where line i begins.
  std::string FText;
  std::vector<std::size_t> FStarts;
  // The file on disk holds bytes that the list lacks (Load failed or stopped
  // at a NUL byte); the next Save keeps the old file before replacing it.
  bool FFileNotReadWhole = false;
  // How much of FText the file held when this list last read or wrote it:
  // what lies beyond is appended here and not saved yet. The file's bytes then
  // were that part of FText, unless Load found them in another form (other
  // line ends, a NUL byte), which FLoadedBytes then holds.
  std::size_t FSavedSize = 0;
  std::string FLoadedBytes;
  std::string_view KnownBytes() const;
  std::string FKeptCopy;
};
