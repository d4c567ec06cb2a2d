// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The graph window's hidden list box of the history lines. Its items are the
// history list's lines, read from the list when they are asked for, so that a
// long history is not kept a second time as texts of the list box.
#include <QListView>
#include <QString>

class THistoryFile;
class THistoryLinesModel;

class THistoryListBox : public QListView {
public:
  // Every item is ItemHeight pixels high.
  THistoryListBox(QWidget* Parent, const THistoryFile& History, int ItemHeight);

  int count() const;
  // The text of item Row (the line, converted from Shift_JIS).
  QString ItemText(int Row) const;

  // The history list changed: the items are its lines as they are now.
  void LinesReplaced();

private:
  THistoryLinesModel* FModel;
};
