// SPDX-License-Identifier: GPL-3.0-or-later
#include "temp_work_dir.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

std::string CurrentDir() {
  char* Cwd = ::getcwd(nullptr, 0);
  if (!Cwd) throw std::runtime_error(std::string("getcwd: ") + std::strerror(errno));
  std::string Result(Cwd);
  std::free(Cwd);
  return Result;
}

namespace {

void SetEnv(const std::string& Name, const char* Value) {
  if (Value) {
    ::setenv(Name.c_str(), Value, 1);
  } else {
    ::unsetenv(Name.c_str());
  }
}

}  // namespace

TScopedEnv::TScopedEnv(const char* Name, const char* Value) : FName(Name) {
  if (const char* Saved = std::getenv(Name)) FSaved = Saved;
  SetEnv(FName, Value);
}

TScopedEnv::~TScopedEnv() { SetEnv(FName, FSaved ? FSaved->c_str() : nullptr); }

TTempWorkDir::TTempWorkDir() : FPreviousDir(CurrentDir()) {
  std::string Template = (fs::temp_directory_path() / "surasura-test-XXXXXX").string();
  if (!::mkdtemp(Template.data())) throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
  FPath = Template;
  if (::chdir(FPath.c_str()) != 0) throw std::runtime_error(std::string("chdir: ") + std::strerror(errno));
}

TTempWorkDir::~TTempWorkDir() {
  if (::chdir(FPreviousDir.c_str()) != 0) {
    // Nowhere better to go; the directory is still removed below.
  }
  std::error_code Ignored;
  // Tests take permissions away; give them back so that everything can go.
  fs::permissions(FPath, fs::perms::owner_all, fs::perm_options::add, Ignored);
  for (auto It = fs::recursive_directory_iterator(FPath, Ignored); It != fs::recursive_directory_iterator();
       It.increment(Ignored)) {
    if (It->is_directory(Ignored) && !It->is_symlink(Ignored)) {
      fs::permissions(It->path(), fs::perms::owner_all, fs::perm_options::add, Ignored);
    }
  }
  fs::remove_all(FPath, Ignored);
}

std::string ReadBytes(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  if (!In) throw std::runtime_error("cannot read " + Name);
  return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& Name, std::string_view Bytes) {
  std::ofstream Out(Name, std::ios::binary | std::ios::trunc);
  Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  Out.close();
  if (!Out) throw std::runtime_error("cannot write " + Name);
}

std::set<std::string> EntriesOf(const std::string& Directory) {
  std::set<std::string> Names;
  DIR* Dir = ::opendir(Directory.c_str());
  if (!Dir) throw std::runtime_error("cannot list " + Directory);
  while (dirent* Entry = ::readdir(Dir)) {
    std::string Name = Entry->d_name;
    if (Name != "." && Name != "..") Names.insert(Name);
  }
  ::closedir(Dir);
  return Names;
}
