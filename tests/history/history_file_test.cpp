// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing the history file, and the fields of its lines, on the
// real file system in a fresh working directory per test.
#include "history/history_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "drill/drill_texts.h"
#include "platform/app_error.h"
#include "platform/sjis.h"
#include "temp_work_dir.h"

namespace {

const std::string FileName = "HIST_ZV.DAT";
const std::string Crlf = "\r\n";

std::string Summary(const std::string& ClockUtf8, double Percent, const std::string& Date = "2024/03/15 09:05") {
  return SummaryLine(ToSjis(ClockUtf8), Percent, Date);
}

std::string NotAnInteger(const std::string& Field) { return "'" + Field + "'" + ToSjis(" は整数ではありません"); }

// The message that a field reader threw, or "no error".
template <typename Reader>
std::string ReaderError(Reader Read, const std::string& Line) {
  try {
    Read(Line);
  } catch (const EConvertError& E) {
    return E.what();
  }
  return "no error";
}

class HistoryFileTest : public ::testing::Test {
protected:
  std::vector<std::string> LoadFrom(const std::string& Bytes) {
    WriteBytes(FileName, Bytes);
    THistoryFile History;
    History.Load();
    return History.Lines();
  }

  TTempWorkDir Dir;
};

TEST_F(HistoryFileTest, SplitsLinesAtEveryKindOfLineEnd) {
  using L = std::vector<std::string>;
  EXPECT_EQ(LoadFrom(""), L{});
  EXPECT_EQ(LoadFrom("a\r\nb\r\n"), (L{"a", "b"}));
  EXPECT_EQ(LoadFrom("a\nb\n"), (L{"a", "b"}));
  EXPECT_EQ(LoadFrom("a\rb\r"), (L{"a", "b"}));
  EXPECT_EQ(LoadFrom("a\r\nb"), (L{"a", "b"})) << "a last line without a line end is a line";
  EXPECT_EQ(LoadFrom("a\n\rb"), (L{"a", "", "b"})) << "LF CR ends a line, then an empty one";
  EXPECT_EQ(LoadFrom("a\r\r\nb"), (L{"a", "", "b"}));
  EXPECT_EQ(LoadFrom("a\r\n\r\nb\r\n"), (L{"a", "", "b"}));
  EXPECT_EQ(LoadFrom("\r\n"), L{""});
  EXPECT_EQ(LoadFrom("\n\n"), (L{"", ""}));
}

// Long lines are scanned several bytes at a time: a line end is found
// wherever it falls, a NUL or another control byte stays in its line, and the
// usual CR LF file is read the same as any other.
TEST_F(HistoryFileTest, FindsLineEndsAndNulWhereverTheyFallInALongLine) {
  using L = std::vector<std::string>;
  const std::string Long = "0123456789abcdefghijklmnopqrstuvwxyz0123456789";
  for (size_t At = 0; At <= 20; ++At) {
    SCOPED_TRACE(At);
    const std::string Head = Long.substr(0, At), Tail = Long.substr(At);
    EXPECT_EQ(LoadFrom(Long + "\r\n" + Head + "\r" + Tail + "\r\n"), (L{Long, Head, Tail}));
    EXPECT_EQ(LoadFrom(Head + "\n" + Tail + "\r\n" + Long + "\r\n"), (L{Head, Tail, Long}));
    EXPECT_EQ(LoadFrom(Long + "\r\n" + Head + std::string(1, '\0') + Tail + "\r\n"),
              (L{Long, Head + std::string(1, '\0') + Tail}));
    EXPECT_EQ(LoadFrom(Head + "\t\x01\x0C" + Tail + "\r\n"), (L{Head + "\t\x01\x0C" + Tail}));
    EXPECT_EQ(LoadFrom(Long + "\r\n" + Head), At == 0 ? L{Long} : (L{Long, Head})) << "the last line has no line end";
  }
}

// A NUL byte is damage, not the text's end: it stays in its line, and the
// lines after it are read.
TEST_F(HistoryFileTest, NulByteStaysInItsLine) {
  using L = std::vector<std::string>;
  EXPECT_EQ(LoadFrom(std::string("ab\0cd\r\nef\r\n", 11)), (L{std::string("ab\0cd", 5), "ef"}));
  EXPECT_EQ(LoadFrom(std::string("ab\r\n\0cd\n", 8)), (L{"ab", std::string("\0cd", 3)}));
  EXPECT_EQ(LoadFrom(std::string("\0\0", 2)), L{std::string("\0\0", 2)});
}

TEST_F(HistoryFileTest, KeepsShiftJisBytesAsTheyAre) {
  const std::string Line = Summary("05分23秒", 87);
  ASSERT_EQ(Line.size(), 46u);
  // 0x0A and 0x0D never occur inside Shift_JIS characters, 0x5C ("\") does.
  const std::string Other = ToSjis("表示");
  EXPECT_EQ(LoadFrom(Line + Crlf + Other + Crlf), (std::vector<std::string>{Line, Other}));
}

TEST_F(HistoryFileTest, NoFileLoadsNothingAndFirstSaveCreatesOneLine) {
  THistoryFile History;
  History.Load();
  EXPECT_EQ(History.Count(), 0u);
  EXPECT_EQ(EntriesOf("."), std::set<std::string>{}) << "Load must not create the file";

  const std::string Line = Summary("05分23秒", 87);
  History.Append(Line);
  History.Save();
  const std::string Bytes = ReadBytes(FileName);
  EXPECT_EQ(Bytes.size(), 48u);
  EXPECT_EQ(Bytes, Line + Crlf);
  EXPECT_EQ(EntriesOf("."), std::set<std::string>{FileName});
}

TEST_F(HistoryFileTest, NewFileGetsTheUsualPermissions) {
  const mode_t Previous = ::umask(022);
  THistoryFile History;
  History.Append("x");
  History.Save();
  ::umask(Previous);
  struct stat St;
  ASSERT_EQ(::stat(FileName.c_str(), &St), 0);
  EXPECT_EQ(St.st_mode & 07777, 0644u);
}

TEST_F(HistoryFileTest, SaveWritesEveryLineWithCrLf) {
  const std::string A = Summary("05分23秒", 87);
  const std::string B = Summary("02分01秒", 100, "2024/03/16 10:00");
  // LF only, a last line without an end, and an empty line between two drills.
  WriteBytes(FileName, A + "\n\n" + B);
  THistoryFile History;
  History.Load();
  ASSERT_EQ(History.Lines(), (std::vector<std::string>{A, "", B}));

  const std::string C = Summary("03分00秒", 5, "2024/03/17 11:00");
  History.Append(C);
  EXPECT_EQ(History.Line(3), C) << "the newest drill is the last line";
  History.Save();
  EXPECT_EQ(ReadBytes(FileName), A + Crlf + Crlf + B + Crlf + C + Crlf);
  EXPECT_EQ(EntriesOf("."), std::set<std::string>{FileName}) << "a file read whole needs no kept copy";

  THistoryFile Again;
  Again.Load();
  EXPECT_EQ(Again.Lines(), (std::vector<std::string>{A, "", B, C}));
}

TEST_F(HistoryFileTest, KeepsTheOldFilesPermissions) {
  WriteBytes(FileName, "a\r\n");
  ASSERT_EQ(::chmod(FileName.c_str(), 0640), 0);
  THistoryFile History;
  History.Load();
  History.Append("b");
  History.Save();
  struct stat St;
  ASSERT_EQ(::stat(FileName.c_str(), &St), 0);
  EXPECT_EQ(St.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadBytes(FileName), "a\r\nb\r\n");
}

TEST_F(HistoryFileTest, WritesThroughALinkToTheFileItPointsTo) {
  ASSERT_EQ(::mkdir("real", 0755), 0);
  WriteBytes("real/history", "a\r\n");
  ASSERT_EQ(::symlink("real/history", FileName.c_str()), 0);
  THistoryFile History;
  History.Load();
  History.Append("b");
  History.Save();
  struct stat St;
  ASSERT_EQ(::lstat(FileName.c_str(), &St), 0);
  EXPECT_TRUE(S_ISLNK(St.st_mode)) << "the link must stay a link";
  EXPECT_EQ(ReadBytes("real/history"), "a\r\nb\r\n");
  EXPECT_EQ(EntriesOf("real"), std::set<std::string>{"history"});
}

TEST_F(HistoryFileTest, FileIsTakenFromTheWorkingDirectoryOfEachAccess) {
  ASSERT_EQ(::mkdir("one", 0755), 0);
  ASSERT_EQ(::mkdir("two", 0755), 0);
  WriteBytes("one/" + FileName, "first\r\n");
  ASSERT_EQ(::chdir("one"), 0);
  THistoryFile History;
  History.Load();
  ASSERT_EQ(::chdir("../two"), 0);
  History.Append("second");
  History.Save();
  ASSERT_EQ(::chdir(".."), 0);
  EXPECT_EQ(ReadBytes("two/" + FileName), "first\r\nsecond\r\n");
  EXPECT_EQ(ReadBytes("one/" + FileName), "first\r\n");
}

TEST(HistoryFields, ReadTheNumbersOfASummaryLine) {
  const std::string Line = Summary("05分23秒", 87);
  EXPECT_EQ(THistoryFile::PercentOf(Line), 87);
  EXPECT_EQ(THistoryFile::MinutesOf(Line), 5) << "\"05\" reads as 5";
  EXPECT_EQ(THistoryFile::SecondsOf(Line), 23);
  EXPECT_EQ(THistoryFile::PercentOf(Summary("59分59秒", 100)), 100);
  EXPECT_EQ(THistoryFile::PercentOf(Summary("59分59秒", 5)), 5) << "\"  5\": leading blanks are skipped";
  EXPECT_EQ(THistoryFile::PercentOf(Summary("00分00秒", 0)), 0);
  EXPECT_EQ(THistoryFile::MinutesOf(Summary("99分00秒", 0)), 99);
}

// A line edited by hand: each field reads as the strict conversion reads it.
TEST(HistoryFields, FieldsOtherThanBlanksAndDigitsReadStrictly) {
  auto WithPercent = [](const char* Field) {
    std::string Line = Summary("05分23秒", 87);
    Line.replace(24, 3, Field);
    return Line;
  };
  EXPECT_EQ(THistoryFile::PercentOf(WithPercent(" -5")), -5);
  EXPECT_EQ(THistoryFile::PercentOf(WithPercent("+42")), 42);
  EXPECT_EQ(THistoryFile::PercentOf(WithPercent("$1F")), 31);
  EXPECT_EQ(THistoryFile::PercentOf(WithPercent("007")), 7);
  EXPECT_EQ(ReaderError(THistoryFile::PercentOf, WithPercent("5  ")), NotAnInteger("5  "));
  EXPECT_EQ(ReaderError(THistoryFile::PercentOf, WithPercent(" 5a")), NotAnInteger(" 5a"));
  EXPECT_EQ(ReaderError(THistoryFile::PercentOf, WithPercent("   ")), NotAnInteger("   "));
}

TEST(HistoryFields, ShortLinesGiveShortOrEmptyFields) {
  const std::string Line = Summary("05分23秒", 87);
  // 26 bytes: the percentage field is " 8" and still a number.
  EXPECT_EQ(THistoryFile::PercentOf(Line.substr(0, 26)), 8);
  EXPECT_EQ(ReaderError(THistoryFile::PercentOf, Line.substr(0, 25)), NotAnInteger(" "));
  EXPECT_EQ(ReaderError(THistoryFile::PercentOf, Line.substr(0, 24)), NotAnInteger(""));
  EXPECT_EQ(THistoryFile::MinutesOf(Line.substr(0, 10)), 0) << "field \"0\"";
  EXPECT_EQ(ReaderError(THistoryFile::SecondsOf, Line.substr(0, 13)), NotAnInteger(""));
  EXPECT_EQ(ReaderError(THistoryFile::MinutesOf, ""), NotAnInteger(""));
  EXPECT_EQ(ReaderError(THistoryFile::PercentOf, ""), "'' \x82\xCD\x90\xAE\x90\x94\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1");
}

TEST(HistoryFields, HundredMinuteLineFailsOnThePercentage) {
  const std::string Line = Summary("100分05秒", 87);
  ASSERT_EQ(Line.size(), 47u);
  // Bytes 25-27 are the second byte of "率" (0x97 0xA6) and " 8".
  EXPECT_EQ(ReaderError(THistoryFile::PercentOf, Line), NotAnInteger("\xA6 8"));
  EXPECT_EQ(THistoryFile::MinutesOf(Line), 10);
  EXPECT_EQ(ReaderError(THistoryFile::SecondsOf, Line), NotAnInteger("\xAA" "0"));
}

TEST(HistoryFields, ForeignLineFailsWithItsFieldBytes) {
  const std::string Line = "this is not a summary line, not at all";
  EXPECT_EQ(ReaderError(THistoryFile::MinutesOf, Line), NotAnInteger("ot"));
  EXPECT_EQ(ReaderError(THistoryFile::PercentOf, Line), NotAnInteger("ne,"));
}

}  // namespace
