// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/main_window_layout.h"

#include <stdexcept>

#include "app/windows/window_texts.h"

using T = TProgramTexts;
namespace W = WindowTexts;

const TFormLayout& MainWindowLayout() {
  static const TFormLayout Window{W::MainWindowCaption, 792, 566, clMoneyGreen, &T::PGothicFace, 19, 33,
                                  W::MainWindowAccessibleName, W::MainWindowDescription};
  return Window;
}

const std::vector<TControlLayout>& MainWindowControls() {
  static const std::vector<TControlLayout> Controls{
      {.Name = "LeftBox", .Kind = TControlKind::AlignedEdit, .Left = 8, .Top = 8, .Width = 111, .Height = 105,
       .Face = &T::GothicFace, .FontHeight = 104, .FontColour = clNavy, .Background = clInfoBk,
       .TabOrder = 5, .Alignment = TAlignment::Center, .ReadOnly = true,
       .AccessibleName = W::LeftOperandName, .AccessibleDescription = W::LeftOperandDescription},
      {.Name = "OperatorBox", .Kind = TControlKind::AlignedEdit, .Left = 129, .Top = 8, .Width = 114, .Height = 105,
       .Face = &T::GothicFace, .FontHeight = 104, .FontColour = clNavy, .Background = clInfoBk,
       .TabOrder = 6, .Alignment = TAlignment::Center, .ReadOnly = true,
       .AccessibleName = W::OperatorName, .AccessibleDescription = W::OperatorDescription},
      {.Name = "RightBox", .Kind = TControlKind::AlignedEdit, .Left = 252, .Top = 8, .Width = 111, .Height = 105,
       .Face = &T::GothicFace, .FontHeight = 104, .FontColour = clNavy, .Background = clInfoBk,
       .TabOrder = 7, .Alignment = TAlignment::Center, .ReadOnly = true,
       .AccessibleName = W::RightOperandName, .AccessibleDescription = W::RightOperandDescription},
      {.Name = "EqualsLabel", .Kind = TControlKind::Label, .Left = 371, .Top = 10, .Width = 52, .Height = 104,
       .AutoSize = true, .Caption = W::EqualsCaption, .Face = &T::GothicFace, .FontHeight = 104,
       .FontColour = clBlack,
       .AccessibleName = W::EqualsName, .AccessibleDescription = W::EqualsDescription},
      {.Name = "AnswerBox", .Kind = TControlKind::AlignedEdit, .Left = 429, .Top = 8, .Width = 164, .Height = 105,
       .Face = &T::GothicFace, .FontHeight = 104, .FontColour = clWindowText, .Background = clWindow,
       .TabOrder = 8, .Alignment = TAlignment::Right, .MaxLength = 3,
       .AccessibleName = W::AnswerName, .AccessibleDescription = W::AnswerDescription},
      {.Name = "ClockLabel", .Kind = TControlKind::Label, .Left = 615, .Top = 8, .Width = 152, .Height = 37,
       .AutoSize = true, .Face = &T::GothicFace, .FontHeight = 37,
       .FontColour = clBlue,
       .AccessibleName = W::ClockName, .AccessibleDescription = W::ClockDescription},
      {.Name = "StartButton", .Kind = TControlKind::PushButton, .Left = 607, .Top = 52, .Width = 166, .Height = 38,
       .Caption = W::StartCaption, .Face = &T::PGothicFace, .FontHeight = 29, .Background = clBtnFace,
       .TabOrder = 0, .Hint = W::StartHint,
       .AccessibleName = W::StartCaption, .AccessibleDescription = W::StartHint},
      {.Name = "UntilCorrectBox", .Kind = TControlKind::CheckBox, .Left = 608, .Top = 92, .Width = 174, .Height = 26,
       .Caption = W::UntilCorrectCaption, .Face = &T::PGothicFace, .FontHeight = 29,
       .TabOrder = 4, .Hint = W::UntilCorrectHint,
       .AccessibleName = W::UntilCorrectCaption, .AccessibleDescription = W::UntilCorrectHint},
      {.Name = "LogBox", .Kind = TControlKind::ListBox, .Left = 12, .Top = 121, .Width = 765, .Height = 398,
       .Face = &T::GothicFace, .FontHeight = 32, .FontColour = clTeal, .Background = clInfoBk,
       .TabOrder = 2,
       .AccessibleName = W::LogName, .AccessibleDescription = W::LogDescription},
      {.Name = "LogoImage", .Kind = TControlKind::Image, .Left = 18, .Top = 528, .Width = 192, .Height = 27,
       .AutoSize = true,
       .AccessibleName = W::LogoName, .AccessibleDescription = W::LogoDescription},
      {.Name = "MakerLabel", .Kind = TControlKind::Label, .Left = 214, .Top = 524, .Width = 0, .Height = 19,
       .AutoSize = true, .Caption = W::MakerCaption, .Face = &T::PGothicFace, .FontHeight = 19,
       .FontColour = clTeal,
       .AccessibleName = W::MakerCaption, .AccessibleDescription = W::MakerDescription},
      {.Name = "AuthorLabel", .Kind = TControlKind::Label, .Left = 214, .Top = 545, .Width = 143, .Height = 19,
       .AutoSize = true, .Caption = W::AuthorCaption, .Face = &T::PGothicFace, .FontHeight = 19,
       .FontColour = clTeal,
       .AccessibleName = W::AuthorCaption, .AccessibleDescription = W::AuthorDescription},
      {.Name = "ChartButton", .Kind = TControlKind::PushButton, .Left = 440, .Top = 524, .Width = 166, .Height = 38,
       .Caption = W::ScoreChartCaption, .Face = &T::PGothicFace, .FontHeight = 29,
       .Background = clBtnFace, .TabOrder = 3, .Hint = W::ScoreChartHint,
       .AccessibleName = W::ScoreChartCaption, .AccessibleDescription = W::ScoreChartHint},
      {.Name = "EndButton", .Kind = TControlKind::PushButton, .Left = 614, .Top = 524, .Width = 166, .Height = 38,
       .Caption = W::EndCaption, .Face = &T::PGothicFace, .FontHeight = 29, .Background = clBtnFace,
       .TabOrder = 1, .Hint = W::EndHint,
       .AccessibleName = W::EndCaption, .AccessibleDescription = W::EndHint},
  };
  return Controls;
}

const TControlLayout& MainWindowControl(const std::string& Name) {
  for (const TControlLayout& Control : MainWindowControls()) {
    if (Name == Control.Name) return Control;
  }
  throw std::out_of_range("no control " + Name + " in the main window's layout");
}
