// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/data_directory.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

std::string DataDirectory() {
  if (const char* Data = std::getenv("XDG_DATA_HOME"); Data != nullptr && Data[0] == '/') {
    return std::string(Data) + "/surasura";
  }
  const char* Home = std::getenv("HOME");
  if (Home == nullptr || Home[0] != '/') return std::string();
  return std::string(Home) + "/.local/share/surasura";
}

std::string FolderFileStem(const std::string& Folder) {
  std::string Name;
  for (const char Ch : Folder) {
    if (Ch == '/') Name += '%';
    else if (Ch == '%') Name += "%%";
    else Name += Ch;
  }
  return Name;
}

int MakeDirectories(const std::string& Path) {
  for (std::size_t Slash = Path.find('/', 1); Slash != std::string::npos; Slash = Path.find('/', Slash + 1)) {
    if (::mkdir(Path.substr(0, Slash).c_str(), 0755) != 0 && errno != EEXIST) return errno;
  }
  if (::mkdir(Path.c_str(), 0700) != 0 && errno != EEXIST) return errno;
  return 0;
}
