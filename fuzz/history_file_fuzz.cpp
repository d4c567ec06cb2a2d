// SPDX-License-Identifier: GPL-3.0-or-later
// The history loader and its field readers on arbitrary file bytes:
// - the lines are what a plain reading of the format gives (CR LF, a lone LF
//   and a lone CR end a line, every other byte, NUL too, belongs to its
//   line), and none holds a line end;
// - each field reader gives the number the field's bytes spell, or the
//   conversion message with exactly those bytes;
// - after a new line is appended, the bytes that Save wrote load back to the
//   same list, and nothing else is left beside the file.
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "history/history_file.h"
#include "platform/app_error.h"
#include "platform/program_texts.h"
#include "platform/text_to_int.h"

namespace {

namespace fs = std::filesystem;

// A directory of this process's own, emptied for every input. In memory where
// the machine offers it: Save flushes every file to the disk. The fuzzing
// engine may end the process without running exit handlers, so directories
// of processes that are gone are removed when the next run starts.
const fs::path& WorkDir() {
  // Never destroyed, so that the exit handler can still use it.
  static const fs::path* const Dir = [] {
    const fs::path Base = ::access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm") : fs::temp_directory_path();
    const std::string Prefix = "surasura-fuzz-";
    std::error_code Ignored;
    for (const auto& Entry : fs::directory_iterator(Base, Ignored)) {
      const std::string Name = Entry.path().filename().string();
      if (Name.rfind(Prefix, 0) != 0) continue;
      const long Pid = std::strtol(Name.c_str() + Prefix.size(), nullptr, 10);
      if (Pid > 0 && ::kill(static_cast<pid_t>(Pid), 0) != 0 && errno == ESRCH) fs::remove_all(Entry.path(), Ignored);
    }
    const fs::path Made = Base / (Prefix + std::to_string(::getpid()));
    fs::remove_all(Made, Ignored);
    fs::create_directory(Made);
    std::atexit([] {
      std::error_code Ignored;
      fs::remove_all(WorkDir(), Ignored);
    });
    return new fs::path(Made);
  }();
  return *Dir;
}

void WriteFile(const fs::path& Path, const std::string& Bytes) {
  std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
  Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  FUZZ_CHECK(Out.good(), "cannot write %s", Path.c_str());
}

std::string ReadFile(const fs::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

// The lines read byte by byte with a state of "after a CR".
std::vector<std::string> ReferenceLines(const std::string& Bytes) {
  std::vector<std::string> Lines;
  std::string Current;
  bool InLine = false;  // bytes or a line end have started a line
  bool AfterCr = false;
  for (size_t I = 0; I < Bytes.size(); ++I) {
    const char C = Bytes[I];
    if (C == '\n' && AfterCr) {  // the LF of a CR LF
      AfterCr = false;
      continue;
    }
    AfterCr = false;
    if (C == '\r' || C == '\n') {
      Lines.push_back(Current);
      Current.clear();
      InLine = false;
      AfterCr = C == '\r';
      continue;
    }
    Current.push_back(C);
    InLine = true;
  }
  if (InLine) Lines.push_back(Current);
  return Lines;
}

std::string NotAnInteger(const std::string& Field) {
  std::string Message = Texts().NotAnInteger;
  Message.replace(Message.find("%s"), 2, Field);
  return Message;
}

std::string FieldOf(const std::string& Line, size_t First, size_t Width) {
  return Line.size() < First ? std::string() : Line.substr(First - 1, Width);
}

template <typename TReader>
void CheckReader(TReader Reader, const std::string& Line, size_t First, size_t Width) {
  const std::string Field = FieldOf(Line, First, Width);
  int32_t Expected = 0;
  const bool IsNumber = TryTextToInt(Field, Expected);
  try {
    const int32_t Value = Reader(Line);
    FUZZ_CHECK(IsNumber && Value == Expected, "field \"%s\" read as %d", Field.c_str(), Value);
  } catch (const EConvertError& Error) {
    FUZZ_CHECK(!IsNumber, "field \"%s\" is a number but failed", Field.c_str());
    FUZZ_CHECK(Error.Message() == NotAnInteger(Field), "message does not carry the field's bytes");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TFuzzInput In(Data, Size);
  // The first bytes up to a 0xFF make the line that the next drill appends.
  const std::string NewLine = In.Text(60, '\xFF');
  const std::string Bytes = In.Rest();

  const fs::path Dir = WorkDir();
  for (const auto& Entry : fs::directory_iterator(Dir)) fs::remove_all(Entry.path());
  const fs::path File = Dir / "HIST_ZV.DAT";
  WriteFile(File, Bytes);

  THistoryFile History(File.string());
  History.Load();
  const std::vector<std::string> Expected = ReferenceLines(Bytes);
  FUZZ_CHECK(History.Lines() == Expected, "%zu lines loaded, the reference reads %zu", History.Count(),
             Expected.size());

  for (const std::string& Line : History.Lines()) {
    FUZZ_CHECK(Line.find_first_of("\r\n") == std::string::npos, "a line holds a line end");
    CheckReader(THistoryFile::PercentOf, Line, 25, 3);
    CheckReader(THistoryFile::MinutesOf, Line, 10, 2);
    CheckReader(THistoryFile::SecondsOf, Line, 14, 2);
    // The figures are there exactly when all three readers read them.
    int32_t Percent = 0, Minutes = 0, Seconds = 0;
    const bool Readable = TryTextToInt(FieldOf(Line, 25, 3), Percent) && TryTextToInt(FieldOf(Line, 10, 2), Minutes) &&
                          TryTextToInt(FieldOf(Line, 14, 2), Seconds);
    const std::optional<TDrillFigures> Figures = THistoryFile::FiguresOf(Line);
    FUZZ_CHECK(Figures.has_value() == Readable, "figures %s where the readers say %s", Figures ? "read" : "missing",
               Readable ? "read" : "missing");
    FUZZ_CHECK(!Figures || (Figures->Percent == Percent && Figures->Minutes == Minutes && Figures->Seconds == Seconds),
               "figures differ from the readers'");
  }

  // A drill's line never holds a line end; the list takes it at the end.
  std::string Appended;
  for (char C : NewLine) {
    if (C != '\r' && C != '\n' && C != '\0') Appended.push_back(C);
  }
  History.Append(Appended);
  History.Save();

  std::string Written;
  for (const std::string& Line : History.Lines()) Written += Line + "\r\n";
  FUZZ_CHECK(ReadFile(File) == Written, "the file is not the list with CR LF after every line");

  THistoryFile Again(File.string());
  Again.Load();
  FUZZ_CHECK(Again.Lines() == History.Lines(), "the saved list loads back as %zu lines, not %zu", Again.Count(),
             History.Count());

  // Every line was read, so nothing needs keeping beside the file.
  size_t Entries = 0;
  for (const auto& Entry : fs::directory_iterator(Dir)) {
    (void)Entry;
    ++Entries;
  }
  FUZZ_CHECK(Entries == 1, "%zu files where the history alone should be", Entries);
  return 0;
}
