// SPDX-License-Identifier: GPL-3.0-or-later
// The file layer on the real file system: presence, full paths, error texts,
// and replacing a file's content.
#include "platform/files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <locale.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

#include "child_process.h"
#include "platform/sjis.h"
#include "temp_work_dir.h"

namespace {

using TNames = std::set<std::string>;

locale_t CLocale() {
  static const locale_t C = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return C;
}

class FilesTest : public ::testing::Test {
protected:
  TTempWorkDir Dir;
};

TEST_F(FilesTest, PresentMeansAnEntryThatIsNotADirectory) {
  EXPECT_FALSE(FileIsPresent("F"));
  WriteBytes("F", "");
  EXPECT_TRUE(FileIsPresent("F")) << "an empty file is present";
  ASSERT_EQ(::mkdir("D", 0755), 0);
  EXPECT_FALSE(FileIsPresent("D"));
  ASSERT_EQ(::symlink("D", "ToD"), 0);
  EXPECT_FALSE(FileIsPresent("ToD"));
  ASSERT_EQ(::symlink("F", "ToF"), 0);
  EXPECT_TRUE(FileIsPresent("ToF"));
  ASSERT_EQ(::symlink("nowhere", "Dangling"), 0);
  EXPECT_TRUE(FileIsPresent("Dangling"));
}

TEST_F(FilesTest, ExpandsAgainstTheCurrentDirectory) {
  char* Cwd = ::getcwd(nullptr, 0);
  const std::string Here = Cwd;
  std::free(Cwd);
  EXPECT_EQ(ExpandFileName("./HIST_ZV.DAT"), Here + "/HIST_ZV.DAT");
  EXPECT_EQ(ExpandFileName("HIST_ZV.DAT"), Here + "/HIST_ZV.DAT");
  EXPECT_EQ(ExpandFileName("a/./b/../c"), Here + "/a/c");
  EXPECT_EQ(ExpandFileName("/x//y/../z"), "/x/z");
  ASSERT_EQ(::chdir("/"), 0);
  EXPECT_EQ(ExpandFileName("./HIST_ZV.DAT"), "/HIST_ZV.DAT");
  EXPECT_EQ(ExpandFileName("."), "/");
}

TEST(ErrorTexts, AJapaneseLocaleGetsTheReasonInJapaneseAndNoOtherDoes) {
  struct TEnvironment {
    const char *All, *Messages, *Lang;
    bool Japanese;
  };
  const TEnvironment Environments[] = {
      {nullptr, nullptr, "ja_JP.UTF-8", true}, {nullptr, "ja_JP.UTF-8", "C", true},
      {"ja_JP.eucJP", nullptr, nullptr, true}, {nullptr, nullptr, "ja", true},
      {"C", nullptr, "ja_JP.UTF-8", false},    {nullptr, nullptr, nullptr, false},
      {nullptr, nullptr, "en_US.UTF-8", false},
  };
  const int Errors[] = {EACCES, EPERM,  EISDIR, ENOENT, ENOSPC,       EDQUOT, EROFS,
                        EIO,    EFBIG,  ETXTBSY, EINVAL, ENOTDIR, ELOOP, ENAMETOOLONG,
                        EBUSY,  EEXIST, EMFILE, ENOMEM, 4321};
  for (const TEnvironment& Env : Environments) {
    const TScopedEnv All("LC_ALL", Env.All), Messages("LC_MESSAGES", Env.Messages), Lang("LANG", Env.Lang);
    const std::string Where = "environment " + std::to_string(&Env - Environments);
    for (const int Error : Errors) {
      const std::string Text = OsErrorText(Error);
      const std::string Utf8 = FromSjis(Text);
      ASSERT_FALSE(Text.empty()) << Where << " " << Error;
      if (Env.Japanese) {
        EXPECT_FALSE(std::regex_search(Text, std::regex("[A-Za-z]{3}"))) << Where << " " << Error << ": " << Utf8;
        EXPECT_NE(Utf8.find("\xE3"), std::string::npos) << Where << " " << Error << ": no kana in " << Utf8;
        EXPECT_EQ(Utf8.find("\xEF\xBF\xBD"), std::string::npos) << Where << " " << Error << ": not Shift_JIS";
      } else {
        EXPECT_EQ(Text, std::string(::strerror_l(Error, CLocale()))) << Where << " " << Error;
      }
    }
  }
  // An error the program has no words of its own for is named by its number.
  const TScopedEnv All("LC_ALL", nullptr), Messages("LC_MESSAGES", nullptr), Lang("LANG", "ja_JP.UTF-8");
  EXPECT_NE(OsErrorText(4321).find("4321"), std::string::npos);
}

TEST(ErrorTexts, SystemTextIsTrimmedAndCut) {
  const TScopedEnv All("LC_ALL", "C"), Messages("LC_MESSAGES", nullptr), Lang("LANG", nullptr);
  EXPECT_EQ(OsErrorText(EACCES), "Permission denied");
  EXPECT_EQ(FitErrorText("Access is denied.\r\n"), "Access is denied");
  EXPECT_EQ(FitErrorText("Done. . \t"), "Done");
  EXPECT_EQ(FitErrorText("..."), "");
  EXPECT_EQ(FitErrorText(std::string(300, 'a')), std::string(256, 'a'));
  // A double-byte character across byte 256 is left out whole.
  const std::string Wide = "\x82\xA0";  // "あ"
  std::string Long = std::string(255, 'a') + Wide + Wide;
  EXPECT_EQ(FitErrorText(Long), std::string(255, 'a'));
  Long = std::string(254, 'a') + Wide + Wide;
  EXPECT_EQ(FitErrorText(Long), std::string(254, 'a') + Wide);
}

TEST_F(FilesTest, ReadsEveryByte) {
  std::string Big;
  for (int I = 0; I < 200000; ++I) Big += static_cast<char>(I * 7);
  WriteBytes("F", Big);
  std::string Bytes = "left over";
  EXPECT_EQ(ReadWholeFile("F", Bytes), 0);
  EXPECT_EQ(Bytes, Big);
  EXPECT_EQ(ReadWholeFile("missing", Bytes), ENOENT);
}

TEST_F(FilesTest, ReplacesTheContentWhole) {
  WriteBytes("F", "old content");
  std::string KeptAs = "x";
  TReplaceResult Result = ReplaceFileContents("./F", "new", false, &KeptAs);
  EXPECT_EQ(Result.Step, TReplaceStep::Done);
  EXPECT_EQ(KeptAs, "");
  EXPECT_EQ(ReadBytes("F"), "new");
  EXPECT_EQ(EntriesOf("."), TNames{"F"});
  Result = ReplaceFileContents("./F", "", false);
  EXPECT_EQ(Result.Step, TReplaceStep::Done);
  EXPECT_EQ(ReadBytes("F"), "");
}

// The new content replaces the old file, but the file stays the owner's: a
// history written once by the superuser (the program started with sudo) must
// not become a file that its owner may no longer write.
TEST_F(FilesTest, ReplacingKeepsTheFilesOwner) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the superuser may give a file away";
  WriteBytes("F", "old content");
  ASSERT_EQ(::chown("F", TestUserId, TestGroupId), 0);
  ASSERT_EQ(::chmod("F", 0640), 0);
  EXPECT_EQ(ReplaceFileContents("./F", "new", false).Step, TReplaceStep::Done);
  struct stat St;
  ASSERT_EQ(::stat("F", &St), 0);
  EXPECT_EQ(St.st_uid, TestUserId);
  EXPECT_EQ(St.st_gid, TestGroupId);
  EXPECT_EQ(St.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadBytes("F"), "new");
}

TEST_F(FilesTest, KeepsTheOldFileWhenAsked) {
  std::string KeptAs;
  EXPECT_EQ(ReplaceFileContents("./F", "first", true, &KeptAs).Step, TReplaceStep::Done);
  EXPECT_EQ(KeptAs, "") << "no old file, nothing to keep";
  EXPECT_EQ(ReplaceFileContents("./F", "second", true, &KeptAs).Step, TReplaceStep::Done);
  EXPECT_EQ(KeptAs, "./F.bak");
  EXPECT_EQ(ReplaceFileContents("./F", "third", true, &KeptAs).Step, TReplaceStep::Done);
  EXPECT_EQ(KeptAs, "./F.bak.1");
  EXPECT_EQ(ReadBytes("F"), "third");
  EXPECT_EQ(ReadBytes("F.bak"), "first");
  EXPECT_EQ(ReadBytes("F.bak.1"), "second");
  EXPECT_EQ(EntriesOf("."), (TNames{"F", "F.bak", "F.bak.1"}));
}

TEST_F(FilesTest, ReportsTheStepThatFailed) {
  ASSERT_EQ(::mkdir("D", 0755), 0);
  TReplaceResult Result = ReplaceFileContents("D", "x", true);
  EXPECT_EQ(Result.Step, TReplaceStep::Create);
  EXPECT_EQ(Result.Error, EISDIR);
  Result = ReplaceFileContents("missing/F", "x", false);
  EXPECT_EQ(Result.Step, TReplaceStep::Create);
  EXPECT_EQ(Result.Error, ENOENT);
  EXPECT_EQ(EntriesOf("."), TNames{"D"});
  EXPECT_EQ(EntriesOf("D"), TNames{});
}

}  // namespace
