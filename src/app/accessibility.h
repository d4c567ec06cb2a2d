#pragma once
// What the windows tell assistive technology (screen readers and the like):
// each control's name and description, the clock label's text as its value,
// and a notice whenever the clock, the drill log or a description changes.
#include <QString>
#include <string>

class QLabel;
class QWidget;

// Makes the program's own accessible interfaces known to the toolkit. Once per
// process, before the windows are created; later calls do nothing.
void InstallAccessibleInterfaces();

// Gives Control its accessible name and description (UTF-8 texts).
void SetAccessibleTexts(QWidget& Control, const char* Name, const char* Description);

// The label's text becomes its accessible value and text, beside its fixed
// name: the clock is "経過時間" and its value is the time.
void ShowTextAsValue(QLabel& Label);

// Gives Control a new accessible description (Shift_JIS); a changed one is
// sent to assistive technology as a description-change notice.
void AnnounceDescription(QWidget& Control, const std::string& SjisDescription);

// Tells assistive technology that Control now shows Value (a new log line).
void AnnounceValue(QWidget& Control, const QString& Value);

// Tells assistive technology that a label marked by ShowTextAsValue changed
// from OldText to the text it shows now.
void AnnounceLabelText(QLabel& Label, const QString& OldText);
