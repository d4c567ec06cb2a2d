#pragma once
// The layout of the main drill window as data: the window and every control
// with its place, size, font, colours, caption, tab position and settings,
// in client pixels for a screen of 96 pixels per inch.
#include <string>
#include <vector>

#include "aligned_edit.h"
#include "program_texts.h"

// A colour: a fixed RGB value or one of the platform's current colours.
enum TColourKind {
  ckRgb,             // the RGB value given
  ckInfoBk,          // tool-tip background
  ckWindow,          // background of edit boxes
  ckWindowText,      // text of windows and controls
  ckButtonFace,      // face of push buttons
  ckFormBackground,  // the window's own background shows through
};

struct TColour {
  TColourKind Kind = ckFormBackground;
  int Red = 0, Green = 0, Blue = 0;
};

constexpr TColour RgbColour(int Red, int Green, int Blue) { return TColour{ckRgb, Red, Green, Blue}; }
constexpr TColour clNavy = RgbColour(0, 0, 128);
constexpr TColour clBlack = RgbColour(0, 0, 0);
constexpr TColour clBlue = RgbColour(0, 0, 255);
constexpr TColour clTeal = RgbColour(0, 128, 128);
constexpr TColour clMoneyGreen = RgbColour(192, 220, 192);
constexpr TColour clInfoBk{ckInfoBk};
constexpr TColour clWindow{ckWindow};
constexpr TColour clWindowText{ckWindowText};
constexpr TColour clBtnFace{ckButtonFace};
constexpr TColour clFormBackground{ckFormBackground};

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
  TColour FontColour = clWindowText;
  TColour Background = clFormBackground;
  int TabOrder = -1;             // -1: takes no focus
  TTextField Hint = nullptr;     // hint text; hint off when null
  TAlignment Alignment = taLeftJustify;
  bool ReadOnly = false;
  int MaxLength = 0;             // 0: no limit
};

struct TFormLayout {
  TTextField Caption;
  int ClientWidth, ClientHeight;
  TColour Background;
  TTextField Face;
  int FontHeight;
  int ListRowHeight;  // rows of the drill log at design
};

const TFormLayout& Form1Window();
const std::vector<TControlLayout>& Form1Controls();
const TControlLayout& Form1Control(const std::string& Name);
