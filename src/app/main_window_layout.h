#pragma once
// The layout of the main drill window as data: the window and every control
// with its place, size, font, colours, caption, tab position and settings,
// in client pixels for a screen of 96 pixels per inch.
#include <string>
#include <vector>

#include "aligned_edit.h"
#include "colors.h"
#include "program_texts.h"

// The window's own background shows through a control with no colour of its own.
constexpr TColor clFormBackground = clNone;

enum TControlKind { kdAlignedEdit, kdLabel, kdPushButton, kdCheckBox, kdListBox, kdImage };

using TTextField = std::string TProgramTexts::*;

struct TControlLayout {
  const char* Name;
  TControlKind Kind;
  int Left, Top, Width, Height;  // Width 0: follows the text
  bool AutoSize = false;         // size follows the text or picture
  TTextField Caption = nullptr;  // text at start; none when null
  TTextField Face = nullptr;     // font face; none for the picture
  int FontHeight = 0;            // character height in pixels
  TColor FontColour = clWindowText;
  TColor Background = clFormBackground;
  int TabOrder = -1;             // -1: takes no focus
  TTextField Hint = nullptr;     // hint text; hint off when null
  TAlignment Alignment = taLeftJustify;
  bool ReadOnly = false;
  int MaxLength = 0;             // 0: no limit
  TTextField AccessibleName = nullptr;         // what assistive technology calls it
  TTextField AccessibleDescription = nullptr;  // and what it says the control is for
};

struct TFormLayout {
  TTextField Caption;
  int ClientWidth, ClientHeight;
  TColor Background;
  TTextField Face;
  int FontHeight;
  int ListRowHeight;  // rows of the drill log at design
  TTextField AccessibleName;
  TTextField AccessibleDescription;
};

const TFormLayout& MainWindowLayout();
const std::vector<TControlLayout>& MainWindowControls();
const TControlLayout& MainWindowControl(const std::string& Name);
