// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout of the main drill window as data: the window and every control
// with its place, size, font, colours, caption, tab position and settings,
// in client pixels for a screen of 96 pixels per inch. Captions, hints and
// accessible texts are UTF-8 (window_texts.h); font faces are the program's
// Shift_JIS face names.
#include <string>
#include <vector>

#include "app/widgets/aligned_edit.h"
#include "platform/colors.h"
#include "platform/program_texts.h"

// The window's own background shows through a control with no colour of its own.
constexpr TColor clFormBackground = clNone;

enum class TControlKind { AlignedEdit, Label, PushButton, CheckBox, ListBox, Image };

using TFaceField = std::string TProgramTexts::*;

struct TControlLayout {
  const char* Name;
  TControlKind Kind;
  int Left, Top, Width, Height;  // Width 0: follows the text
  bool AutoSize = false;         // size follows the text or picture
  const char* Caption = nullptr;  // text at start; none when null
  TFaceField Face = nullptr;      // font face; none for the picture
  int FontHeight = 0;            // character height in pixels
  TColor FontColour = clWindowText;
  TColor Background = clFormBackground;
  int TabOrder = -1;             // -1: takes no focus
  const char* Hint = nullptr;    // hint text; hint off when null
  TAlignment Alignment = TAlignment::Left;
  bool ReadOnly = false;
  int MaxLength = 0;             // 0: no limit
  const char* AccessibleName = nullptr;         // what assistive technology calls it
  const char* AccessibleDescription = nullptr;  // and what it says the control is for
};

struct TFormLayout {
  const char* Caption;
  int ClientWidth, ClientHeight;
  TColor Background;
  TFaceField Face;
  int FontHeight;
  int ListRowHeight;  // rows of the drill log at design
  const char* AccessibleName;
  const char* AccessibleDescription;
};

const TFormLayout& MainWindowLayout();
const std::vector<TControlLayout>& MainWindowControls();
const TControlLayout& MainWindowControl(const std::string& Name);
