#include "aligned_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>

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
}
