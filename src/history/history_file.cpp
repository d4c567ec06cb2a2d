// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_file.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "history/history_texts.h"
#include "history/line_starts.h"
#include "platform/app_error.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/sjis.h"
#include "platform/text_to_int.h"

namespace {

constexpr std::string_view LineEnd = "\r\n";

// A file read whole with its lines, found piece by piece as the file comes
// in, while its bytes are still in the cache. Text holds each line followed by
// CR LF, Starts where each begins, and Bytes the file's own bytes where they
// differ from Text (other line ends), else nothing.
struct TFileLines {
  TByteBuffer Text;
  TLineStarts Starts;
  TByteBuffer Bytes;
  std::string_view FileBytes() const { return Bytes.empty() ? ViewOf(Text) : ViewOf(Bytes); }
};

int ReadLines(const std::string& FileName, TFileLines& Read, TFileStamp* Stamp) {
  TCrlfLineFinder Lines(Read.Starts);
  auto Take = [&](std::string_view ReadSoFar) { Lines.Take(ReadSoFar); };
  if (int Error = ReadWholeFile(FileName, Read.Bytes, Stamp, Take)) return Error;
  if (Lines.Finish(ViewOf(Read.Bytes))) {
    Read.Text.swap(Read.Bytes);
  } else {
    Read.Text = ReformedLines(ViewOf(Read.Bytes), Read.Starts);
  }
  return 0;
}

// "ファイル "%s". %s ..." with the file's full path and the system's text.
std::string FileMessage(const std::string& Template, const std::string& FileName, int Error) {
  std::string Message = Template;
  size_t At = Message.find("%s");
  const std::string Path = ToSjis(ExpandFileName(FileName));
  Message.replace(At, 2, Path);
  At = Message.find("%s", At + Path.size());
  Message.replace(At, 2, OsErrorText(Error));
  return Message;
}

// The field at 1-based byte First, at most Width bytes: shorter when the line
// ends inside it, empty when the line ends before it.
std::string_view FieldOf(std::string_view Line, size_t First, size_t Width) {
  if (Line.size() < First) return {};
  return Line.substr(First - 1, Width);
}

// A field's value. The program writes a field as spaces and then its digits,
// which are read here at once (a field this short cannot overflow); any other
// text goes through the strict conversion. False when it is not a number.
bool TryFieldValue(std::string_view Field, int32_t& Value) {
  size_t I = 0;
  while (I < Field.size() && Field[I] == ' ') ++I;
  if (I < Field.size() && Field.size() <= 4) {
    int32_t Digits = 0;
    for (; I < Field.size() && Field[I] >= '0' && Field[I] <= '9'; ++I) Digits = Digits * 10 + (Field[I] - '0');
    if (I == Field.size()) {
      Value = Digits;
      return true;
    }
  }
  return TryTextToInt(Field, Value);
}

int32_t FieldValue(std::string_view Field) {
  int32_t Value = 0;
  return TryFieldValue(Field, Value) ? Value : TextToInt(Field);
}

constexpr size_t PercentAt = 25, PercentWidth = 3;
constexpr size_t MinutesAt = 10, MinutesWidth = 2;
constexpr size_t SecondsAt = 14, SecondsWidth = 2;

}  // namespace

THistoryFile::THistoryFile(std::string FileName) : FFileName(std::move(FileName)) {}

void THistoryFile::Load() {
  if (!FileIsPresent(FFileName)) return;
  try {
    TFileLines Read;
    TFileStamp Stamp;
    if (int Error = ReadLines(FFileName, Read, &Stamp)) {
      FFileNotReadWhole = true;
      throw EFileError(FileMessage(HistoryTexts().CannotOpenFile, FFileName, Error));
    }
    FText.swap(Read.Text);
    FStarts.swap(Read.Starts);
    FSavedSize = FText.size();
    FLoadedBytes.swap(Read.Bytes);
    // A file written a moment ago may be written again within the same tick
    // of the file system's clock, its stamp unchanged: its bytes are compared.
    if (!StampIsRecent(Stamp)) FStamp = Stamp;
  } catch (const std::bad_alloc&) {
    FFileNotReadWhole = true;
    throw EListError(HistoryTexts().CannotInsertLine);
  }
}

std::string_view THistoryFile::Line(std::size_t Index) const {
  if (Index >= FStarts.size()) throw std::out_of_range("THistoryFile::Line");
  const size_t Start = FStarts[Index];
  const size_t Next = Index + 1 < FStarts.size() ? FStarts[Index + 1] : FText.size();
  return ViewOf(FText).substr(Start, Next - Start - LineEnd.size());
}

std::vector<std::string> THistoryFile::Lines() const {
  std::vector<std::string> Result;
  Result.reserve(Count());
  for (size_t I = 0; I < Count(); ++I) Result.emplace_back(Line(I));
  return Result;
}

std::string_view THistoryFile::KnownBytes() const {
  if (!FLoadedBytes.empty()) return ViewOf(FLoadedBytes);
  return ViewOf(FText).substr(0, FSavedSize);
}

std::vector<std::string> THistoryFile::UnsavedLines() const {
  std::vector<std::string> Result;
  for (size_t I = 0; I < Count(); ++I) {
    if (FStarts[I] >= FSavedSize) Result.emplace_back(Line(I));
  }
  return Result;
}

void THistoryFile::Append(const std::string& Line) {
  const size_t OldSize = FText.size();
  const size_t NewSize = OldSize + Line.size() + LineEnd.size();
  try {
    // Room first, growing by half again at least, so that a failure leaves
    // the list as it was and a long run of appends copies little.
    if (FText.capacity() < NewSize) FText.reserve(std::max(NewSize, OldSize + OldSize / 2 + 64));
    FStarts.push_back(OldSize);
  } catch (const std::bad_alloc&) {
    throw EListError(HistoryTexts().CannotInsertLine);
  }
  ::Append(FText, Line);
  ::Append(FText, LineEnd);
}

void THistoryFile::Save() {
  // A writer that hangs holds the folder for no longer than this save waits.
  const TFolderLock Lock(FFileName, std::chrono::milliseconds(2000));
  TFileLines Found;
  const bool Present = FileIsPresent(FFileName);
  // A file that is gone (or cannot be read) gets the whole list, as at the
  // first save.
  const std::string_view Known = KnownBytes();
  TFileStamp Stamp;
  const bool AsSeen = Present && FStamp && FileStampOf(FFileName, Stamp) && Stamp == *FStamp;
  const bool Unchanged =
      !Present || AsSeen || ReadLines(FFileName, Found, nullptr) != 0 || Found.FileBytes() == Known;

  // The usual case: the file is as this list last saw it, and the text
  // already holds every line followed by CR LF.
  bool KeepOld = FFileNotReadWhole;
  if (!Unchanged) {
    // Another writer saved since. Its text first, then the lines appended here.
    const std::string_view FoundBytes = Found.FileBytes();
    KeepOld = FFileNotReadWhole || FoundBytes.size() <= Known.size() || FoundBytes.substr(0, Known.size()) != Known;
    const size_t FoundSize = Found.Text.size();
    ::Append(Found.Text, ViewOf(FText).substr(FSavedSize));
    for (size_t I = 0; I < FStarts.size(); ++I) {
      if (FStarts[I] >= FSavedSize) Found.Starts.push_back(FoundSize + (FStarts[I] - FSavedSize));
    }
  }
  const TByteBuffer& Bytes = Unchanged ? FText : Found.Text;
  const TReplaceResult Result = ReplaceFileContents(FFileName, ViewOf(Bytes), KeepOld);
  switch (Result.Step) {
    case TReplaceStep::Done:
      if (!Unchanged) {
        FText.swap(Found.Text);
        FStarts.swap(Found.Starts);
      }
      FSavedSize = FText.size();
      FLoadedBytes.clear();
      FFileNotReadWhole = false;
      // The file now holds the bytes written here. Only a program that wrote
      // it in place, to the same size, within the same tick of the file
      // system's clock would go unseen; every copy of this program replaces
      // the file, which makes a new one.
      if (FileStampOf(FFileName, Stamp)) {
        FStamp = Stamp;
      } else {
        FStamp.reset();
      }
      return;
    case TReplaceStep::Create:
      throw EFileError(FileMessage(HistoryTexts().CannotCreateFile, FFileName, Result.Error));
    case TReplaceStep::Write:
      throw EFileError(HistoryTexts().StreamWriteError);
  }
}

int32_t THistoryFile::PercentOf(std::string_view Line) { return FieldValue(FieldOf(Line, PercentAt, PercentWidth)); }

int32_t THistoryFile::MinutesOf(std::string_view Line) { return FieldValue(FieldOf(Line, MinutesAt, MinutesWidth)); }

int32_t THistoryFile::SecondsOf(std::string_view Line) { return FieldValue(FieldOf(Line, SecondsAt, SecondsWidth)); }

std::optional<TDrillFigures> THistoryFile::FiguresOf(std::string_view Line) {
  TDrillFigures Figures;
  if (TryFieldValue(FieldOf(Line, PercentAt, PercentWidth), Figures.Percent) &&
      TryFieldValue(FieldOf(Line, MinutesAt, MinutesWidth), Figures.Minutes) &&
      TryFieldValue(FieldOf(Line, SecondsAt, SecondsWidth), Figures.Seconds)) {
    return Figures;
  }
  return std::nullopt;
}
