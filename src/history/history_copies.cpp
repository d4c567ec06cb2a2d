// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_copies.h"

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "history/data_directory.h"
#include "history/history_file.h"
#include "platform/files.h"

namespace {

constexpr std::string_view CopySuffix = ".HIST_ZV.DAT";
static_assert(CopySuffix.substr(1) == HistoryBaseName, "a copy is named after the history");

}  // namespace

std::string CopiesDirectory(const std::string& Folder) {
  const std::string Directory = DataDirectory();
  if (Directory.empty()) return std::string();
  return Directory + "/" + FolderFileStem(Folder) + ".copies";
}

std::vector<THistoryCopy> HistoryCopies(const std::string& Folder) {
  const std::string Directory = CopiesDirectory(Folder);
  std::vector<THistoryCopy> Copies;
  DIR* Entries = Directory.empty() ? nullptr : ::opendir(Directory.c_str());
  if (Entries == nullptr) return Copies;
  while (const dirent* Entry = ::readdir(Entries)) {
    const std::string_view Name = Entry->d_name;
    if (!Name.ends_with(CopySuffix)) continue;
    const std::optional<TDay> Day = DayFromText(Name.substr(0, Name.size() - CopySuffix.size()));
    const std::string FileName = Directory + "/" + std::string(Name);
    if (Day && FileIsPresent(FileName)) Copies.push_back({*Day, FileName});
  }
  ::closedir(Entries);
  std::sort(Copies.begin(), Copies.end(), [](const THistoryCopy& A, const THistoryCopy& B) { return A.Day < B.Day; });
  return Copies;
}

namespace {

std::string CopyFileName(const std::string& Folder, TDay Day) {
  return CopiesDirectory(Folder) + "/" + DayText(Day) + std::string(CopySuffix);
}

}  // namespace

bool HasCopyOn(const std::string& Folder, TDay Day) {
  return !CopiesDirectory(Folder).empty() && FileIsPresent(CopyFileName(Folder, Day));
}

int KeepDailyCopy(const std::string& Folder, std::string_view Bytes, TDay Today) {
  const std::string Directory = CopiesDirectory(Folder);
  if (Directory.empty()) return ENOENT;
  const std::vector<THistoryCopy> Copies = HistoryCopies(Folder);
  std::vector<TDay> Days;
  for (const THistoryCopy& Copy : Copies) Days.push_back(Copy.Day);
  if (std::find(Days.begin(), Days.end(), Today) != Days.end()) return 0;
  std::string Newest;
  const bool SameAsNewest = !Copies.empty() && ReadWholeFile(Copies.back().FileName, Newest) == 0 && Newest == Bytes;
  if (!SameAsNewest) {
    // The data directory first, so that it too gets mode 0700 when it is new.
    if (const int Error = MakeDirectories(DataDirectory())) return Error;
    if (const int Error = MakeDirectories(Directory)) return Error;
    const TReplaceResult Result = ReplaceFileContents(CopyFileName(Folder, Today), Bytes, false);
    if (Result.Step != TReplaceStep::Done) return Result.Error != 0 ? Result.Error : EIO;
    Days.push_back(Today);
  }
  const std::vector<TDay> Kept = CopiesToKeep(Today, Days);
  for (const THistoryCopy& Copy : Copies) {
    if (!std::binary_search(Kept.begin(), Kept.end(), Copy.Day)) std::remove(Copy.FileName.c_str());
  }
  return 0;
}

int DrillsIn(const std::vector<std::string>& Lines) {
  int Drills = 0;
  for (const std::string& Line : Lines) Drills += THistoryFile::FiguresOf(Line).has_value();
  return Drills;
}
