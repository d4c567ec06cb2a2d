// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the windows tell assistive technology (screen readers and the like):
// each control's name and description, the role of the widgets the toolkit
// cannot tell by their class (the main window, the chart, the error box), the
// clock label's text as its value, every widget's place in the screen's own
// pixels, and a notice whenever the clock, the drill log or a description
// changes.
#include <QString>
#include <string>

class QLabel;
class QWidget;

// Makes the program's own accessible interfaces known to the toolkit: from
// then on every widget gets one. Once per process, before the windows are
// created; later calls do nothing.
void InstallAccessibleInterfaces();

// Gives Control its accessible name and description (UTF-8 texts).
void SetAccessibleTexts(QWidget& Control, const char* Name, const char* Description);

// The label's text becomes its accessible value and text, beside its fixed
// name: the clock is "経過時間" and its value is the time.
void ShowTextAsValue(QLabel& Label);

// The main window is a plain top-level widget, which the toolkit takes for a
// pane inside something else: it is told as a window (a frame), so a screen
// reader announces it as one.
void ShowAsWindow(QWidget& Window);

// The result chart is told as a chart, not as an empty pane.
void ShowAsChart(QWidget& Chart);

// The error box is told as an alert named "エラー" and described by its
// message (its caption is the program's file name).
void ShowAsErrorBox(QWidget& Box, const QString& Message);

// Gives Control a new accessible description (Shift_JIS); a changed one is
// sent to assistive technology as a description-change notice.
void AnnounceDescription(QWidget& Control, const std::string& SjisDescription);

// Tells assistive technology that the list Log shows Line as its new first
// row: a value-change notice with the line, and the row as a new child, which
// is what a screen reader outside the process receives.
void AnnounceNewTopLine(QWidget& Log, const QString& Line);

// Tells assistive technology that a label marked by ShowTextAsValue changed
// from OldText to the text it shows now.
void AnnounceLabelText(QLabel& Label, const QString& OldText);
