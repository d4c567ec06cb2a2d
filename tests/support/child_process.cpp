// SPDX-License-Identifier: GPL-3.0-or-later
#include "child_process.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <grp.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void WriteAllOrDie(int Fd, const std::string& Bytes) {
  size_t Done = 0;
  while (Done < Bytes.size()) {
    ssize_t N = ::write(Fd, Bytes.data() + Done, Bytes.size() - Done);
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) ::_exit(3);
    Done += static_cast<size_t>(N);
  }
}

// Each text as its length in 8 bytes, then its bytes.
std::string Pack(const std::vector<std::string>& Texts) {
  std::string Out;
  for (const std::string& Text : Texts) {
    uint64_t Size = Text.size();
    Out.append(reinterpret_cast<const char*>(&Size), sizeof Size);
    Out += Text;
  }
  return Out;
}

std::vector<std::string> Unpack(const std::string& Bytes) {
  std::vector<std::string> Texts;
  size_t At = 0;
  while (At + sizeof(uint64_t) <= Bytes.size()) {
    uint64_t Size = 0;
    std::memcpy(&Size, Bytes.data() + At, sizeof Size);
    At += sizeof Size;
    if (Size > Bytes.size() - At) return {"child report cut short"};
    Texts.push_back(Bytes.substr(At, Size));
    At += Size;
  }
  return Texts;
}

}  // namespace

std::vector<std::string> RunInChild(const std::function<std::vector<std::string>()>& Body) {
  int Pipe[2];
  if (::pipe(Pipe) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
  pid_t Child = ::fork();
  if (Child < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
  if (Child == 0) {
    ::close(Pipe[0]);
    std::vector<std::string> Report;
    try {
      Report = Body();
    } catch (const std::exception& E) {
      Report = {std::string("uncaught: ") + E.what()};
    } catch (...) {
      Report = {"uncaught: something not an exception"};
    }
    WriteAllOrDie(Pipe[1], Pack(Report));
    ::close(Pipe[1]);
    ::_exit(0);  // the child must not run the test process's exit code
  }
  ::close(Pipe[1]);
  std::string Bytes;
  char Buffer[4096];
  for (;;) {
    ssize_t N = ::read(Pipe[0], Buffer, sizeof Buffer);
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) break;
    Bytes.append(Buffer, static_cast<size_t>(N));
  }
  ::close(Pipe[0]);
  int Status = 0;
  while (::waitpid(Child, &Status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(Status) || WEXITSTATUS(Status) != 0) {
    return {"child ended abnormally: status " + std::to_string(Status)};
  }
  return Unpack(Bytes);
}

void GiveToTestUser(const std::string& Name) {
  if (::geteuid() != 0) return;
  if (::chown(Name.c_str(), TestUserId, TestGroupId) != 0) {
    throw std::runtime_error("chown " + Name + ": " + std::strerror(errno));
  }
}

std::string BecomeUnprivileged() {
  if (::geteuid() != 0) return "";
  if (::setgroups(0, nullptr) != 0) return std::string("setgroups: ") + std::strerror(errno);
  if (::setgid(TestGroupId) != 0) return std::string("setgid(65534): ") + std::strerror(errno);
  if (::setuid(TestUserId) != 0) return std::string("setuid(65534): ") + std::strerror(errno);
  if (::geteuid() != TestUserId) return "still running as user " + std::to_string(::geteuid());
  if (::access(".", X_OK) != 0) {
    return std::string("user 65534 cannot enter the test directory (is TMPDIR private?): ") + std::strerror(errno);
  }
  return "";
}
