// SPDX-License-Identifier: GPL-3.0-or-later
// What can go wrong around the history file: a directory in its place, a
// full disk, a damaged file, a file or directory the user may not touch. Each
// case checks the message byte for byte and that the old file survives.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "child_process.h"
#include "drill/drill_texts.h"
#include "history/history_file.h"
#include "history/history_texts.h"
#include "platform/app_error.h"
#include "platform/sjis.h"
#include "temp_work_dir.h"

namespace {

using TNames = std::set<std::string>;

const std::string FileName = "HIST_ZV.DAT";
const std::string Kept = "HIST_ZV.DAT.bak";
const std::string Crlf = "\r\n";

std::string Summary(const std::string& Date, double Percent = 87) {
  return SummaryLine(ToSjis("05分23秒"), Percent, Date);
}
const std::string A = Summary("2024/03/15 09:05");
const std::string B = Summary("2024/03/16 10:15", 90);
const std::string C = Summary("2024/03/17 11:25", 95);
const std::string D = Summary("2024/03/18 12:35", 100);
const std::string E = Summary("2024/03/19 13:45", 100);

std::string LoadError(THistoryFile& History) {
  try {
    History.Load();
  } catch (const EFileError& Error) {
    return Error.what();
  }
  return "no error";
}

std::string SaveError(THistoryFile& History) {
  try {
    History.Save();
  } catch (const EFileError& Error) {
    return Error.what();
  }
  return "no error";
}

// Loads the history, appends Line and saves it: the load's message, the count
// of lines loaded and the save's message.
std::vector<std::string> LoadAppendAndSave(const std::string& Line) {
  THistoryFile History;
  std::string Loaded = LoadError(History);
  std::string Count = std::to_string(History.Count());
  History.Append(Line);
  return {Loaded, Count, SaveError(History)};
}

// Loads the history, appends Line and saves it: the save's message.
std::vector<std::string> AppendAndSave(const std::string& Line) {
  THistoryFile History;
  History.Load();
  History.Append(Line);
  return {SaveError(History)};
}

// Loads the history, appends Line and saves it with the file size limited to
// Limit bytes (run in a child): the save's message and the lines in the list.
std::vector<std::string> SaveWithFileSizeLimit(rlim_t Limit, const std::string& Line) {
  THistoryFile History;
  History.Load();
  History.Append(Line);
  rlimit Size{};
  if (::getrlimit(RLIMIT_FSIZE, &Size) != 0) return {"getrlimit failed"};
  Size.rlim_cur = Limit;
  if (::setrlimit(RLIMIT_FSIZE, &Size) != 0) return {"setrlimit failed"};
  ::signal(SIGXFSZ, SIG_IGN);
  return {SaveError(History), std::to_string(History.Count())};
}

class HistoryFailureTest : public ::testing::Test {
protected:
  std::string FullPath() const { return CurrentDir() + "/" + FileName; }
  std::string OpenMessage(const std::string& SystemText) const {
    return ToSjis("ファイル \"" + FullPath() + "\". " + SystemText + " は開けません");
  }
  std::string CreateMessage(const std::string& SystemText) const {
    return ToSjis("ファイル \"" + FullPath() + "\". " + SystemText + " を作成できません");
  }

  // Runs Body in a child process as a user that permissions apply to. The
  // first text of the result is empty, or says why the case could not run.
  static std::vector<std::string> AsTestUser(const std::function<std::vector<std::string>()>& Body) {
    return RunInChild([&Body]() -> std::vector<std::string> {
      const std::string Why = BecomeUnprivileged();
      if (!Why.empty()) return {"cannot run as an unprivileged user: " + Why};
      std::vector<std::string> Report = Body();
      Report.insert(Report.begin(), "");
      return Report;
    });
  }

  TTempWorkDir Dir;
};

TEST_F(HistoryFailureTest, DirectoryInPlaceOfTheFile) {
  ASSERT_EQ(::mkdir(FileName.c_str(), 0755), 0);
  THistoryFile History;
  EXPECT_EQ(LoadError(History), "no error");
  EXPECT_EQ(History.Count(), 0u);

  History.Append(A);
  EXPECT_EQ(SaveError(History), CreateMessage("Is a directory"));
  History.Append(B);
  EXPECT_EQ(SaveError(History), CreateMessage("Is a directory")) << "every Save fails";
  EXPECT_EQ(EntriesOf("."), TNames{FileName}) << "nothing may stay behind";
  EXPECT_EQ(EntriesOf(FileName), TNames{});

  // The lines stay in the list; the next Save that can, stores them.
  EXPECT_EQ(History.Count(), 2u);
  ASSERT_EQ(::rmdir(FileName.c_str()), 0);
  EXPECT_EQ(SaveError(History), "no error");
  EXPECT_EQ(ReadBytes(FileName), A + Crlf + B + Crlf);
}

TEST_F(HistoryFailureTest, ShortWriteLeavesTheOldFileAsItWas) {
  const std::string Plain = A + Crlf + B + Crlf + C + Crlf;
  const std::string Damaged = A + Crlf + B + Crlf + std::string("x\0y", 3) + Crlf + C + Crlf;
  // No byte can be written, or the first 100 bytes but not the rest (the new
  // content is 192 or 147 bytes).
  for (rlim_t Limit : {rlim_t{0}, rlim_t{100}}) {
    for (const std::string& Old : {Plain, Damaged}) {
      SCOPED_TRACE("file size limit " + std::to_string(Limit) + (Old == Plain ? ", plain file" : ", file with NUL"));
      WriteBytes(FileName, Old);
      std::vector<std::string> Report = RunInChild([Limit] { return SaveWithFileSizeLimit(Limit, D); });
      ASSERT_EQ(Report.size(), 2u) << Report.at(0);
      EXPECT_EQ(Report[0], HistoryTexts().StreamWriteError);
      EXPECT_EQ(Report[1], Old == Plain ? "4" : "5") << "the new line stays in the list";
      EXPECT_EQ(ReadBytes(FileName), Old);
      EXPECT_EQ(EntriesOf("."), TNames{FileName}) << "no new file and no kept copy may stay behind";
    }
  }
}

// A NUL byte in the middle costs no line: every line is read, the NUL's line
// as it stands, and each save writes them all back; nothing needs keeping.
TEST_F(HistoryFailureTest, NulByteInTheMiddleIsWrittenBackWithEveryLine) {
  const std::string Old = A + Crlf + B + Crlf + std::string("ab\0cd", 5) + Crlf + C + Crlf;
  WriteBytes(FileName, Old);
  THistoryFile History;
  History.Load();
  EXPECT_EQ(History.Lines(), (std::vector<std::string>{A, B, std::string("ab\0cd", 5), C}));

  History.Append(D);
  History.Save();
  History.Append(E);
  History.Save();
  EXPECT_EQ(ReadBytes(FileName), Old + D + Crlf + E + Crlf);
  EXPECT_EQ(EntriesOf("."), TNames{FileName});
}

// Another writer changed the file between this list's load and its save: the
// file is kept first, and never over an earlier kept copy.
TEST_F(HistoryFailureTest, KeptCopyNeverOverwritesAnEarlierOne) {
  WriteBytes(FileName, A + Crlf + B + Crlf);
  THistoryFile History;
  History.Load();
  const std::string Old = B + Crlf;  // shortened by another writer
  WriteBytes(FileName, Old);
  WriteBytes(Kept, "earlier");
  WriteBytes(Kept + ".1", "earlier too");
  History.Append(C);
  History.Save();
  EXPECT_EQ(ReadBytes(FileName), B + Crlf + C + Crlf);
  EXPECT_EQ(ReadBytes(Kept), "earlier");
  EXPECT_EQ(ReadBytes(Kept + ".1"), "earlier too");
  EXPECT_EQ(ReadBytes(Kept + ".2"), Old);
  EXPECT_EQ(EntriesOf("."), (TNames{FileName, Kept, Kept + ".1", Kept + ".2"}));
}

TEST_F(HistoryFailureTest, CopyKeptByAKilledWriterIsNotMadeAgain) {
  // A writer killed after keeping the changed file and before replacing it
  // leaves the kept copy beside the unchanged file: a second name of it, or
  // (where the file system has no second names) a copy of its bytes.
  const std::string Old = B + Crlf;
  for (bool SecondName : {true, false}) {
    SCOPED_TRACE(SecondName ? "second name" : "copy");
    for (const std::string& Name : EntriesOf(".")) ASSERT_EQ(::unlink(Name.c_str()), 0);
    WriteBytes(FileName, A + Crlf + B + Crlf);
    THistoryFile History;
    History.Load();
    WriteBytes(FileName, Old);
    if (SecondName) {
      ASSERT_EQ(::link(FileName.c_str(), Kept.c_str()), 0);
    } else {
      WriteBytes(Kept, Old);
    }
    WriteBytes(Kept + ".1", "earlier, other bytes");
    History.Append(C);
    History.Save();
    EXPECT_EQ(ReadBytes(FileName), B + Crlf + C + Crlf);
    EXPECT_EQ(ReadBytes(Kept), Old);
    EXPECT_EQ(ReadBytes(Kept + ".1"), "earlier, other bytes");
    EXPECT_EQ(EntriesOf("."), (TNames{FileName, Kept, Kept + ".1"})) << "the changed file is kept once";
  }
}

TEST_F(HistoryFailureTest, LinkThatPointsNowhereCannotBeOpened) {
  ASSERT_EQ(::symlink("nowhere", FileName.c_str()), 0);
  THistoryFile History;
  EXPECT_EQ(LoadError(History), OpenMessage("No such file or directory"));
  EXPECT_EQ(History.Count(), 0u);
  // No bytes are lost by replacing it.
  History.Append(A);
  EXPECT_EQ(SaveError(History), "no error");
  EXPECT_EQ(ReadBytes(FileName), A + Crlf);
  EXPECT_EQ(EntriesOf("."), TNames{FileName});
}

// A named pipe or a device in the file's place (or a link to one, as to
// /dev/null) holds no history. Reading a pipe would wait for a writer that
// never comes, and the program would hang at its start; replacing a device
// would put a plain file in place of a device of the system. Both are a file
// that cannot be read, and every save fails, as for a directory, leaving them
// as they are. (The child ends itself after a minute should Load hang.)
TEST_F(HistoryFailureTest, NamedPipeOrDeviceInPlaceOfTheFileIsNeitherWaitedForNorReplaced) {
  ASSERT_EQ(::mkfifo("pipe", 0644), 0);
  // The device of /dev/null, made here; only root may make one.
  const bool Device = ::mknod("device", S_IFCHR | 0666, ::makedev(1, 3)) == 0;
  for (const std::string Target : {"pipe", "device"}) {
    if (Target == "device" && !Device) continue;
    SCOPED_TRACE(Target);
    ::unlink(FileName.c_str());
    ASSERT_EQ(::symlink(Target.c_str(), FileName.c_str()), 0);
    std::vector<std::string> Report = RunInChild([] {
      ::alarm(60);
      return LoadAppendAndSave(A);
    });
    ASSERT_EQ(Report.size(), 3u) << Report.at(0);
    EXPECT_EQ(Report[0], OpenMessage("Invalid argument"));
    EXPECT_EQ(Report[1], "0");
    EXPECT_EQ(Report[2], CreateMessage("Invalid argument"));
    struct stat St;
    ASSERT_EQ(::stat(FileName.c_str(), &St), 0);
    EXPECT_TRUE(Target == "pipe" ? S_ISFIFO(St.st_mode) : S_ISCHR(St.st_mode)) << "replaced by a file";
  }
  EXPECT_EQ(EntriesOf("."), (Device ? TNames{FileName, "pipe", "device"} : TNames{FileName, "pipe"}));
}

TEST_F(HistoryFailureTest, FileThatCannotBeOpenedIsNeitherReadNorReplaced) {
  const std::string Old = A + Crlf + B + Crlf;
  ASSERT_EQ(::chmod(".", 0777), 0);
  WriteBytes(FileName, Old);
  ASSERT_EQ(::chmod(FileName.c_str(), 0), 0);
  std::vector<std::string> Report = AsTestUser([] { return LoadAppendAndSave(C); });
  ASSERT_EQ(Report.size(), 4u) << Report.at(0);
  EXPECT_EQ(Report[1], OpenMessage("Permission denied"));
  EXPECT_EQ(Report[2], "0") << "the list stays empty";
  EXPECT_EQ(Report[3], CreateMessage("Permission denied"));
  ASSERT_EQ(::chmod(FileName.c_str(), 0644), 0);
  EXPECT_EQ(ReadBytes(FileName), Old);
  EXPECT_EQ(EntriesOf("."), TNames{FileName});
}

TEST_F(HistoryFailureTest, UnreadableFileIsKeptBeforeTheFirstSave) {
  // The user's own file, writable but not readable.
  const std::string Old = A + Crlf + B + Crlf;
  ASSERT_EQ(::chmod(".", 0777), 0);
  WriteBytes(FileName, Old);
  GiveToTestUser(FileName);
  ASSERT_EQ(::chmod(FileName.c_str(), 0200), 0);
  std::vector<std::string> Report = AsTestUser([] {
    THistoryFile History;
    std::string Loaded = LoadError(History);
    History.Append(C);
    std::string First = SaveError(History);
    History.Append(D);
    return std::vector<std::string>{Loaded, First, SaveError(History)};
  });
  ASSERT_EQ(Report.size(), 4u) << Report.at(0);
  EXPECT_EQ(Report[1], OpenMessage("Permission denied"));
  EXPECT_EQ(Report[2], "no error");
  EXPECT_EQ(Report[3], "no error");
  struct stat St;
  ASSERT_EQ(::stat(FileName.c_str(), &St), 0);
  EXPECT_EQ(St.st_mode & 07777, 0200u) << "the new file keeps the old one's permissions";
  ASSERT_EQ(::chmod(FileName.c_str(), 0644), 0);
  ASSERT_EQ(::chmod(Kept.c_str(), 0644), 0);
  EXPECT_EQ(ReadBytes(Kept), Old);
  EXPECT_EQ(ReadBytes(FileName), C + Crlf + D + Crlf);
  EXPECT_EQ(EntriesOf("."), (TNames{FileName, Kept}));
}

// A directory that takes no new entries: a history file there that the user
// may write is still written, in place; a missing one cannot be created.
TEST_F(HistoryFailureTest, ReadOnlyDirectory) {
  const std::string Old = A + Crlf + B + Crlf;
  WriteBytes(FileName, Old);
  GiveToTestUser(FileName);
  ASSERT_EQ(::chmod(".", 0555), 0);
  std::vector<std::string> Report = AsTestUser([] {
    THistoryFile History;
    std::string Loaded = LoadError(History);
    History.Append(C);
    std::string First = SaveError(History);
    History.Append(D);
    return std::vector<std::string>{Loaded, std::to_string(History.Count()), First, SaveError(History)};
  });
  ASSERT_EQ(Report.size(), 5u) << Report.at(0);
  EXPECT_EQ(Report[1], "no error");
  EXPECT_EQ(Report[2], "4");
  EXPECT_EQ(Report[3], "no error");
  EXPECT_EQ(Report[4], "no error");
  EXPECT_EQ(ReadBytes(FileName), Old + C + Crlf + D + Crlf);
  EXPECT_EQ(EntriesOf("."), TNames{FileName});
}

TEST_F(HistoryFailureTest, ReadOnlyDirectoryRewritesOtherLineEndsInPlace) {
  // LF line ends and no end after the last line: the whole file is written over.
  WriteBytes(FileName, A + "\n" + B);
  GiveToTestUser(FileName);
  ASSERT_EQ(::chmod(".", 0555), 0);
  std::vector<std::string> Report = AsTestUser([] { return AppendAndSave(C); });
  ASSERT_EQ(Report.size(), 2u) << Report.at(0);
  EXPECT_EQ(Report[1], "no error");
  EXPECT_EQ(ReadBytes(FileName), A + Crlf + B + Crlf + C + Crlf);
  EXPECT_EQ(EntriesOf("."), TNames{FileName});
}

TEST_F(HistoryFailureTest, ReadOnlyDirectoryWithoutAFileOrWithADamagedOne) {
  // No file: nothing can be created.
  ASSERT_EQ(::chmod(".", 0555), 0);
  std::vector<std::string> Report = AsTestUser([] { return AppendAndSave(C); });
  ASSERT_EQ(Report.size(), 2u) << Report.at(0);
  EXPECT_EQ(Report[1], CreateMessage("Permission denied"));
  EXPECT_EQ(EntriesOf("."), TNames{});

  // A file with a NUL byte is read whole: the new line is appended where the
  // file is, and every old byte stays.
  ASSERT_EQ(::chmod(".", 0755), 0);
  const std::string Old = A + Crlf + std::string("\0", 1) + B + Crlf;
  WriteBytes(FileName, Old);
  GiveToTestUser(FileName);
  ASSERT_EQ(::chmod(".", 0555), 0);
  Report = AsTestUser([] { return AppendAndSave(C); });
  ASSERT_EQ(Report.size(), 2u) << Report.at(0);
  EXPECT_EQ(Report[1], "no error");
  EXPECT_EQ(ReadBytes(FileName), Old + C + Crlf);
  EXPECT_EQ(EntriesOf("."), TNames{FileName});
}

TEST_F(HistoryFailureTest, ReadOnlyDirectoryShortWritePutsTheOldBytesBack) {
  const std::string Plain = A + Crlf + B + Crlf;
  const std::string LfOnly = A + "\n" + B + "\n";
  for (const std::string& Old : {Plain, LfOnly}) {
    SCOPED_TRACE(Old == Plain ? "appending" : "writing over");
    ASSERT_EQ(::chmod(".", 0755), 0);
    WriteBytes(FileName, Old);
    GiveToTestUser(FileName);
    ASSERT_EQ(::chmod(".", 0555), 0);
    // Room for the old bytes and half a line more.
    const rlim_t Limit = Plain.size() + 20;
    std::vector<std::string> Report = AsTestUser([Limit] { return SaveWithFileSizeLimit(Limit, C); });
    ASSERT_EQ(Report.size(), 3u) << Report.at(0);
    EXPECT_EQ(Report[1], HistoryTexts().StreamWriteError);
    EXPECT_EQ(Report[2], "3") << "the new line stays in the list";
    EXPECT_EQ(ReadBytes(FileName), Old);
    EXPECT_EQ(EntriesOf("."), TNames{FileName});
  }
}

TEST_F(HistoryFailureTest, ReadOnlyFile) {
  const std::string Old = A + Crlf;
  ASSERT_EQ(::chmod(".", 0777), 0);
  WriteBytes(FileName, Old);
  ASSERT_EQ(::chmod(FileName.c_str(), 0444), 0);
  std::vector<std::string> Report = AsTestUser([] {
    THistoryFile History;
    std::string Loaded = LoadError(History);
    History.Append(B);
    return std::vector<std::string>{Loaded, SaveError(History)};
  });
  ASSERT_EQ(Report.size(), 3u) << Report.at(0);
  EXPECT_EQ(Report[1], "no error");
  EXPECT_EQ(Report[2], CreateMessage("Permission denied"));
  EXPECT_EQ(ReadBytes(FileName), Old);
  EXPECT_EQ(EntriesOf("."), TNames{FileName});
}

}  // namespace

namespace {

// A file that no one may write is read-only for the superuser too: it is not
// replaced, whoever runs the program.
TEST_F(HistoryFailureTest, FileWithoutWritePermissionIsReadOnlyForEveryUser) {
  const std::string Old = A + Crlf;
  WriteBytes(FileName, Old);
  ASSERT_EQ(::chmod(FileName.c_str(), 0444), 0);
  THistoryFile History;
  EXPECT_EQ(LoadError(History), "no error");
  History.Append(B);
  EXPECT_EQ(SaveError(History), CreateMessage("Permission denied"));
  EXPECT_EQ(SaveError(History), CreateMessage("Permission denied")) << "every Save fails";
  EXPECT_EQ(History.Count(), 2u);
  EXPECT_EQ(ReadBytes(FileName), Old);
  EXPECT_EQ(EntriesOf("."), TNames{FileName});

  // Writable again: the next Save stores both lines.
  ASSERT_EQ(::chmod(FileName.c_str(), 0644), 0);
  EXPECT_EQ(SaveError(History), "no error");
  EXPECT_EQ(ReadBytes(FileName), A + Crlf + B + Crlf);
}

}  // namespace
