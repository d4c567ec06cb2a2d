#include "history_file.h"

#include <new>
#include <string_view>
#include <utility>

#include "app_error.h"
#include "files.h"
#include "program_texts.h"
#include "sjis.h"
#include "text_to_int.h"

namespace {

constexpr std::string_view LineEnd = "\r\n";

// Splits the file's bytes into lines: CR LF, a lone LF and a lone CR each end
// a line; a NUL byte ends the text. Returns false when a NUL byte left bytes
// unread.
bool SplitLines(std::string_view Bytes, std::vector<std::string>& Lines) {
  size_t At = 0;
  while (At < Bytes.size() && Bytes[At] != '\0') {
    size_t End = Bytes.find_first_of(std::string_view("\r\n\0", 3), At);
    if (End == std::string_view::npos) End = Bytes.size();
    Lines.emplace_back(Bytes.substr(At, End - At));
    At = End;
    if (At < Bytes.size() && Bytes[At] == '\r') ++At;
    if (At < Bytes.size() && Bytes[At] == '\n') ++At;
  }
  return At == Bytes.size();
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
std::string_view FieldOf(const std::string& Line, size_t First, size_t Width) {
  if (Line.size() < First) return {};
  return std::string_view(Line).substr(First - 1, Width);
}

}  // namespace

THistoryFile::THistoryFile(std::string FileName) : FFileName(std::move(FileName)) {}

void THistoryFile::Load() {
  if (!FileIsPresent(FFileName)) return;
  try {
    std::string Bytes;
    if (int Error = ReadWholeFile(FFileName, Bytes)) {
      FFileNotReadWhole = true;
      throw EFileError(FileMessage(Texts().CannotOpenFile, FFileName, Error));
    }
    FLines.clear();
    FFileNotReadWhole = !SplitLines(Bytes, FLines);
  } catch (const std::bad_alloc&) {
    FFileNotReadWhole = true;
    throw EListError(Texts().CannotInsertLine);
  }
}

void THistoryFile::Append(const std::string& Line) {
  try {
    FLines.push_back(Line);
  } catch (const std::bad_alloc&) {
    throw EListError(Texts().CannotInsertLine);
  }
}

void THistoryFile::Save() {
  std::string Bytes;
  try {
    size_t Size = 0;
    for (const std::string& Line : FLines) Size += Line.size() + LineEnd.size();
    Bytes.reserve(Size);
    for (const std::string& Line : FLines) {
      Bytes += Line;
      Bytes += LineEnd;
    }
  } catch (const std::bad_alloc&) {
    // Not a byte of the list could be written.
    throw EFileError(Texts().StreamWriteError);
  }
  const TReplaceResult Result = ReplaceFileContents(FFileName, Bytes, FFileNotReadWhole);
  switch (Result.Step) {
    case TReplaceStep::Done:
      FFileNotReadWhole = false;
      return;
    case TReplaceStep::Create:
      throw EFileError(FileMessage(Texts().CannotCreateFile, FFileName, Result.Error));
    case TReplaceStep::Write:
      throw EFileError(Texts().StreamWriteError);
  }
}

int32_t THistoryFile::PercentOf(const std::string& Line) { return TextToInt(FieldOf(Line, 25, 3)); }

int32_t THistoryFile::MinutesOf(const std::string& Line) { return TextToInt(FieldOf(Line, 10, 2)); }

int32_t THistoryFile::SecondsOf(const std::string& Line) { return TextToInt(FieldOf(Line, 14, 2)); }
