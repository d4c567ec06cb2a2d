// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A single-line edit box with an alignment of its text (left, centre, right).
// It selects all its text when it gets the focus other than by a left mouse
// click, and can ask the input method to stand aside so that keys arrive as
// typed. A read-only box shows its caret while it has the focus, as an editable
// one does.
#include <QBasicTimer>
#include <QLineEdit>

enum class TAlignment { Left, Center, Right };

class TAlignedEdit : public QLineEdit {
public:
  explicit TAlignedEdit(QWidget* Parent = nullptr);

  void SetAlignment(TAlignment Alignment);
  TAlignment Alignment() const { return FAlignment; }

  // Keys reach the box directly, with no composition of the input method: the
  // box tells the input method it takes no input, so the method passes keys
  // through and keeps its own mode for the other programs. Text that a method
  // commits all the same arrives as typed keys, full-width digits as digits.
  void SetDirectKeys(bool Direct);
  bool DirectKeys() const { return FDirectKeys; }

  // Read-only boxes take the focus but refuse changes.
  void SetReadOnly(bool ReadOnly);

protected:
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void timerEvent(QTimerEvent* Event) override;
  void changeEvent(QEvent* Event) override;
  void inputMethodEvent(QInputMethodEvent* Event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery Query) const override;

private:
  void ApplyAlignment();
  void ApplyInputMethod();
  // The caret of a read-only box (the toolkit draws none there).
  bool DrawsOwnCaret() const;
  void RestartCaret();

  QBasicTimer FCaretBlink;
  bool FCaretOn = false;

  TAlignment FAlignment = TAlignment::Left;
  bool FDirectKeys = false;
};
