// SPDX-License-Identifier: GPL-3.0-or-later
#include "drill/drill_texts.h"

#include "platform/format_template.h"

namespace {

// Minutes, seconds and milliseconds of a duration; integer division truncates.
std::vector<TFormatArg> TimeParts(int32_t D) {
  return {D / 60000, (D % 60000) / 1000, (D % 60000) % 1000};
}

std::string TwoDigits(int Value) { return FormatTemplate("%.2D", {static_cast<int32_t>(Value)}); }

}  // namespace

const TDrillTexts& DrillTexts() {
  static const TDrillTexts Instance;
  return Instance;
}

std::string OperandText(int32_t Value) { return FormatTemplate(DrillTexts().OperandTemplate, {Value}); }

std::string QuestionTimeText(int32_t Milliseconds) {
  return FormatTemplate(DrillTexts().QuestionTimeTemplate, TimeParts(Milliseconds));
}

std::string ClockLabelText(int32_t Milliseconds) {
  return FormatTemplate(DrillTexts().ClockTemplate, TimeParts(Milliseconds));
}

std::string CorrectLine(int32_t N, int32_t Left, const std::string& Glyph, int32_t Right,
                        int32_t Given, const std::string& Time) {
  return FormatTemplate(DrillTexts().CorrectLineTemplate, {N, Left, Glyph, Right, Given, Time});
}

std::string WrongLine(int32_t N, int32_t Left, const std::string& Glyph, int32_t Right,
                      int32_t Given, int32_t Answer, const std::string& Time) {
  return FormatTemplate(DrillTexts().WrongLineTemplate, {N, Left, Glyph, Right, Given, Answer, Time});
}

std::string NoAnswerLine(int32_t N, int32_t Left, const std::string& Glyph, int32_t Right,
                         int32_t Answer, const std::string& Time) {
  return FormatTemplate(DrillTexts().NoAnswerLineTemplate, {N, Left, Glyph, Right, std::string(), Answer, Time});
}

std::string DateText(const TDateTime& When, char DateSep, char TimeSep) {
  return FormatTemplate("%.4D", {static_cast<int32_t>(When.Year)}) + DateSep + TwoDigits(When.Month) +
         DateSep + TwoDigits(When.Day) + ' ' + TwoDigits(When.Hour) + TimeSep + TwoDigits(When.Minute);
}

std::string SummaryLine(const std::string& Clock, double Percent, const std::string& Date) {
  return FormatTemplate(DrillTexts().SummaryTemplate, {Clock, Percent, Date});
}
