// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's check box: a click anywhere in its bounds toggles it, not
// only on its box and caption, and its box is as tall as the caption's letters
// (as far as the control's height allows).
#include <QCheckBox>

class TWholeCheckBox : public QCheckBox {
public:
  TWholeCheckBox(const QString& Caption, QWidget* Parent);

protected:
  bool hitButton(const QPoint& Pos) const override { return rect().contains(Pos); }
};
