// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh directory for one test to work in: it becomes the working directory
// on construction; on destruction the previous working directory comes back
// and the directory goes away with everything in it.
#include <optional>
#include <set>
#include <string>
#include <string_view>

class TTempWorkDir {
public:
  TTempWorkDir();
  ~TTempWorkDir();
  TTempWorkDir(const TTempWorkDir&) = delete;
  TTempWorkDir& operator=(const TTempWorkDir&) = delete;

  // The directory's absolute path.
  const std::string& Path() const { return FPath; }

private:
  std::string FPath;
  std::string FPreviousDir;
};

// An environment variable set to Value (nullptr: unset) for the object's
// life; the earlier setting comes back after.
class TScopedEnv {
public:
  TScopedEnv(const char* Name, const char* Value);
  TScopedEnv(const char* Name, const std::string& Value) : TScopedEnv(Name, Value.c_str()) {}
  ~TScopedEnv();
  TScopedEnv(const TScopedEnv&) = delete;
  TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
  std::string FName;
  std::optional<std::string> FSaved;
};

// The working directory's absolute path.
std::string CurrentDir();

// Every byte of a file; throws std::runtime_error when it cannot be read.
std::string ReadBytes(const std::string& Name);
// Creates or truncates the file and writes Bytes; throws std::runtime_error on failure.
void WriteBytes(const std::string& Name, std::string_view Bytes);
// The names in a directory, without "." and "..".
std::set<std::string> EntriesOf(const std::string& Directory);
