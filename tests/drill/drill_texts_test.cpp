// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/drill_texts.h"

#include <gtest/gtest.h>

#include "drill/question.h"
#include "sjis_bytes.h"

namespace {

const std::string Minute = "\x95\xAA";
const std::string Second = "\x95\x62";

}  // namespace

TEST(DrillTexts, OperandTextIsPlainDecimal) {
  EXPECT_EQ(OperandText(7), "7");
  EXPECT_EQ(OperandText(15), "15");
  EXPECT_EQ(OperandText(0), "0");
}

TEST(DrillTexts, QuestionTimeText) {
  EXPECT_EQ(QuestionTimeText(3042), "00" + Minute + "03" + Second + "042");
  EXPECT_EQ(QuestionTimeText(61005), "01" + Minute + "01" + Second + "005");
  EXPECT_EQ(QuestionTimeText(60000), "01" + Minute + "00" + Second + "000");
  EXPECT_EQ(QuestionTimeText(59999), "00" + Minute + "59" + Second + "999");
  EXPECT_EQ(QuestionTimeText(6000000).size(), 12u);  // 100 minutes: three minute digits
  EXPECT_EQ(QuestionTimeText(6000000).substr(0, 3), "100");
}

TEST(DrillTexts, ClockLabelText) {
  EXPECT_EQ(ClockLabelText(323400), "05" + Minute + "23" + Second);
  EXPECT_EQ(ClockLabelText(0), DrillTexts().ClockAtRest);
  EXPECT_EQ(ClockLabelText(6000000), "100" + Minute + "00" + Second);
}

TEST(DrillTexts, CorrectLineMatchesItsByteDump) {
  std::string Line = CorrectLine(7, 12, OperatorGlyph(TOperator::Minus), 5, 7, QuestionTimeText(3042));
  EXPECT_EQ(Line, Bytes("0x20 0x20 0x37 0x3A 0x20 0x31 0x32 0x20 0x81 0x7C 0x20 0x20 0x35 0x20 0x3D 0x20 0x20 "
                        "0x20 0x37 0x20 0x20 0x90 0xB3 0x89 0xF0 0x20 0x81 0x40 0x20 0x81 0x40 0x20 0x20 0x20 "
                        "0x30 0x30 0x95 0xAA 0x30 0x33 0x95 0x62 0x30 0x34 0x32"));
  EXPECT_EQ(CorrectLine(100, 19, OperatorGlyph(TOperator::Times), 9, 171, QuestionTimeText(61005)),
            "100: 19 \x81\x7E  9 = 171  \x90\xB3\x89\xF0 \x81\x40 \x81\x40   01" + Minute + "01" + Second + "005");
}

TEST(DrillTexts, WrongAndNoAnswerLines) {
  const std::string Wrong = "\x95\x73\x90\xB3\x89\xF0(";  // 不正解(
  EXPECT_EQ(WrongLine(8, 3, OperatorGlyph(TOperator::Times), 7, 20, 21, QuestionTimeText(4310)),
            "  8:  3 \x81\x7E  7 =  20  " + Wrong + " 21)  00" + Minute + "04" + Second + "310");
  EXPECT_EQ(NoAnswerLine(9, 15, OperatorGlyph(TOperator::Plus), 4, 19, QuestionTimeText(10002)),
            "  9: 15 \x81\x7B  4 =      " + Wrong + " 19)  00" + Minute + "10" + Second + "002");
}

TEST(DrillTexts, EveryLogLineIs45BytesWithTheTimeAtByte35) {
  const std::string Time = QuestionTimeText(3042);
  for (const std::string& Line : {CorrectLine(1, 0, OperatorGlyph(TOperator::Times), 0, 0, Time),
                                  WrongLine(100, 19, OperatorGlyph(TOperator::Times), 9, 5, 171, Time),
                                  NoAnswerLine(55, 10, OperatorGlyph(TOperator::Minus), 9, 1, Time)}) {
    EXPECT_EQ(Line.size(), 45u);
    EXPECT_EQ(Line.substr(34), Time);
  }
}

TEST(DrillTexts, DateTextUsesTheSeparators) {
  TDateTime When{2024, 3, 15, 9, 5, 59};
  EXPECT_EQ(DateText(When, '/', ':'), "2024/03/15 09:05");
  EXPECT_EQ(DateText(When, '.', '.'), "2024.03.15 09.05");
  EXPECT_EQ(DateText(TDateTime{987, 12, 1, 23, 0, 0}, '/', ':'), "0987/12/01 23:00");
}

TEST(DrillTexts, SummaryLineLayout) {
  const std::string Line = SummaryLine(ClockLabelText(323400), 87.0, "2024/03/15 09:05");
  // 所要時間 05分23秒 正答率 87%  2024/03/15 09:05
  EXPECT_EQ(Line, Bytes("0x8F 0x8A 0x97 0x76 0x8E 0x9E 0x8A 0xD4") + " 05" + Minute + "23" + Second + " " +
                      Bytes("0x90 0xB3 0x93 0x9A 0x97 0xA6") + " 87%  2024/03/15 09:05");
  EXPECT_EQ(Line.size(), 46u);
  EXPECT_EQ(Line.substr(9, 2), "05");   // bytes 10-11
  EXPECT_EQ(Line.substr(13, 2), "23");  // bytes 14-15
  EXPECT_EQ(Line.substr(24, 3), " 87"); // bytes 25-27
  EXPECT_EQ(SummaryLine(ClockLabelText(0), 100.0, "2024/03/15 09:05").substr(18, 10),
            Bytes("0x90 0xB3 0x93 0x9A 0x97 0xA6") + "100%");
  EXPECT_EQ(SummaryLine(ClockLabelText(0), 0.0, "2024/03/15 09:05").substr(24, 4), "  0%");
  EXPECT_EQ(SummaryLine(ClockLabelText(6005000), 50.0, "2024/03/15 09:05").size(), 47u);
}
