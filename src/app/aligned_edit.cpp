#include "aligned_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
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
  if (FAlignment == taCenter) Horizontal = Qt::AlignHCenter;
  if (FAlignment == taRightJustify) Horizontal = Qt::AlignRight;
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
  if (FDirectKeys) setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TAlignedEdit::changeEvent(QEvent* Event) {
  QLineEdit::changeEvent(Event);
  if (Event->type() == QEvent::ReadOnlyChange || Event->type() == QEvent::EnabledChange) ApplyInputMethod();
}

void TAlignedEdit::inputMethodEvent(QInputMethodEvent* Event) {
  // A box that takes keys directly ignores whatever an input method composed.
  if (FDirectKeys) {
    Event->ignore();
    return;
  }
  QLineEdit::inputMethodEvent(Event);
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
