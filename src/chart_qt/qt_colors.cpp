// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_qt/qt_colors.h"

namespace {

TColor FromQColor(const QColor& C) {
  return RGB(static_cast<unsigned>(C.red()), static_cast<unsigned>(C.green()), static_cast<unsigned>(C.blue()));
}

}  // namespace

QColor ToQColor(TColor Color) {
  if (Color == clNone) return QColor();
  const TColor Rgb = ColorToRGB(Color);
  return QColor(static_cast<int>(RedOf(Rgb)), static_cast<int>(GreenOf(Rgb)), static_cast<int>(BlueOf(Rgb)));
}

void UseDesktopColors(const QPalette& Palette) {
  auto Active = [&Palette](QPalette::ColorRole Role) { return FromQColor(Palette.color(QPalette::Active, Role)); };
  SetSystemColor(clWindow, Active(QPalette::Base));
  SetSystemColor(clWindowText, Active(QPalette::WindowText));
  SetSystemColor(clBtnFace, Active(QPalette::Button));
  SetSystemColor(clBtnHighlight, Active(QPalette::Light));
  SetSystemColor(clBtnShadow, Active(QPalette::Dark));
  SetSystemColor(clInfoBk, Active(QPalette::ToolTipBase));
  SetSystemColor(clInfoText, Active(QPalette::ToolTipText));
}
