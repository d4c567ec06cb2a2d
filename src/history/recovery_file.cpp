// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/recovery_file.h"

#include <cerrno>
#include <map>
#include <string_view>

#include "history/data_directory.h"
#include "history/history_file.h"
#include "platform/files.h"

namespace {

std::vector<std::string> SplitCrLf(std::string_view Bytes) {
  std::vector<std::string> Lines;
  while (!Bytes.empty()) {
    const std::size_t End = Bytes.find("\r\n");
    Lines.emplace_back(Bytes.substr(0, End));
    if (End == std::string_view::npos) break;
    Bytes.remove_prefix(End + 2);
  }
  return Lines;
}

}  // namespace

std::string RecoveryFileName(const std::string& Folder) {
  const std::string Directory = DataDirectory();
  if (Directory.empty()) return std::string();
  return Directory + "/" + FolderFileStem(Folder) + "." + std::string(HistoryBaseName);
}

int KeepForRecovery(const std::string& FileName, const std::vector<std::string>& Lines) {
  const std::size_t Slash = FileName.rfind('/');
  if (Slash == std::string::npos || Slash == 0) return EINVAL;
  if (const int Error = MakeDirectories(FileName.substr(0, Slash))) return Error;
  // The lines already waiting that Lines does not account for (two drills of
  // one minute, time and percentage have the same line: lines count as many
  // times as they stand), then Lines.
  std::map<std::string, int> Given;
  for (const std::string& Line : Lines) ++Given[Line];
  std::vector<std::string> All;
  for (std::string& Line : RecoveredLines(FileName)) {
    if (Given[Line] > 0) --Given[Line];
    else All.push_back(std::move(Line));
  }
  All.insert(All.end(), Lines.begin(), Lines.end());
  std::string Bytes;
  for (const std::string& Line : All) Bytes += Line + "\r\n";
  const TReplaceResult Result = ReplaceFileContents(FileName, Bytes, false);
  return Result.Step == TReplaceStep::Done ? 0 : (Result.Error != 0 ? Result.Error : EIO);
}

std::vector<std::string> RecoveredLines(const std::string& FileName) {
  std::string Bytes;
  if (FileName.empty() || !FileIsPresent(FileName) || ReadWholeFile(FileName, Bytes) != 0) return {};
  return SplitCrLf(Bytes);
}

std::size_t AppendRecovered(THistoryFile& History, const std::vector<std::string>& Lines) {
  // A line the history holds as often as the recovered ones do is in it
  // already; drills of one minute, time and percentage share a line.
  std::map<std::string, int> Held;
  for (std::size_t I = 0; I < History.Count(); ++I) ++Held[std::string(History.Line(I))];
  std::size_t Appended = 0;
  for (const std::string& Line : Lines) {
    if (Held[Line] > 0) {
      --Held[Line];
      continue;
    }
    History.Append(Line);
    ++Appended;
  }
  return Appended;
}
