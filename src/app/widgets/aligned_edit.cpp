// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/aligned_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QTimerEvent>
#include <algorithm>

TAlignedEdit::TAlignedEdit(QWidget* Parent) : QLineEdit(Parent) {
  setFrame(true);  // always the sunken border
  ApplyAlignment();
}

void TAlignedEdit::SetAlignment(TAlignment Alignment) {
  FAlignment = Alignment;
  ApplyAlignment();
}

void TAlignedEdit::ApplyAlignment() {
  // Qt::AlignLeft and Qt::AlignRight follow the layout direction, so they swap
  // by themselves in a right-to-left window; centre stays.
  Qt::Alignment Horizontal = Qt::AlignLeft;
  if (FAlignment == TAlignment::Center) Horizontal = Qt::AlignHCenter;
  if (FAlignment == TAlignment::Right) Horizontal = Qt::AlignRight;
  setAlignment(Horizontal | Qt::AlignVCenter);
}

void TAlignedEdit::SetDirectKeys(bool Direct) {
  FDirectKeys = Direct;
  ApplyInputMethod();
}

void TAlignedEdit::SetReadOnly(bool ReadOnly) {
  setReadOnly(ReadOnly);
  RestartCaret();
  // QLineEdit turns the input method back on when its read-only state changes.
  ApplyInputMethod();
}

void TAlignedEdit::ApplyInputMethod() {
  if (!FDirectKeys) return;
  setAttribute(Qt::WA_InputMethodEnabled, false);
  // For a method that looks at the hints rather than at whether input is taken.
  setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhNoPredictiveText);
}

QVariant TAlignedEdit::inputMethodQuery(Qt::InputMethodQuery Query) const {
  // The line edit answers "enabled" whenever it is editable, whatever the
  // widget attribute says; the input method asks this when the box gets the
  // focus and, told no, sends every key through untouched.
  if (FDirectKeys && Query == Qt::ImEnabled) return false;
  return QLineEdit::inputMethodQuery(Query);
}

void TAlignedEdit::changeEvent(QEvent* Event) {
  QLineEdit::changeEvent(Event);
  if (Event->type() == QEvent::ReadOnlyChange || Event->type() == QEvent::EnabledChange) ApplyInputMethod();
}

namespace {

// A full-width digit ("０" to "９") as the digit it stands for; other
// characters as they are.
QChar HalfWidthDigit(QChar Character) {
  const char16_t Code = Character.unicode();
  if (Code >= u'\uFF10' && Code <= u'\uFF19') return QChar(u'0' + (Code - u'\uFF10'));
  return Character;
}

}  // namespace

void TAlignedEdit::inputMethodEvent(QInputMethodEvent* Event) {
  if (!FDirectKeys) {
    QLineEdit::inputMethodEvent(Event);
    return;
  }
  // A composition never shows here. Committed text goes through the same way
  // as typed keys (the window's key handler sees each character), so a digit
  // is taken and anything else refused as any other key.
  Event->accept();
  for (const QChar Character : Event->commitString()) {
    const QChar Typed = HalfWidthDigit(Character);
    const bool Digit = Typed >= u'0' && Typed <= u'9';
    const int Key = Digit ? Qt::Key_0 + (Typed.unicode() - u'0') : Qt::Key_unknown;
    QKeyEvent Press(QEvent::KeyPress, Key, Qt::NoModifier, QString(Typed));
    QApplication::sendEvent(this, &Press);
  }
}

void TAlignedEdit::focusInEvent(QFocusEvent* Event) {
  QLineEdit::focusInEvent(Event);
  const bool ByLeftClick =
      Event->reason() == Qt::MouseFocusReason && (QApplication::mouseButtons() & Qt::LeftButton);
  if (!ByLeftClick) selectAll();
  RestartCaret();
}

void TAlignedEdit::focusOutEvent(QFocusEvent* Event) {
  QLineEdit::focusOutEvent(Event);
  RestartCaret();
}

bool TAlignedEdit::DrawsOwnCaret() const { return isReadOnly() && hasFocus(); }

void TAlignedEdit::RestartCaret() {
  FCaretBlink.stop();
  FCaretOn = DrawsOwnCaret();
  // The caret blinks at the desktop's pace; a flash time below 2 ms means steady.
  const int FlashTime = QApplication::cursorFlashTime();
  if (FCaretOn && FlashTime >= 2) FCaretBlink.start(FlashTime / 2, this);
  update();
}

void TAlignedEdit::timerEvent(QTimerEvent* Event) {
  if (Event->timerId() != FCaretBlink.timerId()) {
    QLineEdit::timerEvent(Event);
    return;
  }
  FCaretOn = !FCaretOn && DrawsOwnCaret();
  if (!DrawsOwnCaret()) FCaretBlink.stop();
  update();
}

void TAlignedEdit::paintEvent(QPaintEvent* Event) {
  QLineEdit::paintEvent(Event);
  if (!FCaretOn || !DrawsOwnCaret()) return;
  // Where the toolkit puts an editable box's caret: the middle of its cursor rectangle.
  const QRect Cursor = cursorRect();
  const int Width = std::max(1, style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this));
  QPainter Painter(this);
  Painter.fillRect(QRect(Cursor.center().x(), Cursor.top(), Width, Cursor.height()), palette().color(QPalette::Text));
}
