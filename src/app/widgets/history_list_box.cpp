// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/history_list_box.h"

#include <QAbstractListModel>
#include <QStyledItemDelegate>

#include "app/windows/window_support.h"
#include "history/history_file.h"

// The history's lines as a list of items, one per line, oldest first.
class THistoryLinesModel : public QAbstractListModel {
public:
  THistoryLinesModel(QObject* Parent, const THistoryFile& History) : QAbstractListModel(Parent), FHistory(History) {}

  int rowCount(const QModelIndex& Parent = QModelIndex()) const override {
    return Parent.isValid() ? 0 : FRows;
  }
  QVariant data(const QModelIndex& Index, int Role) const override {
    if (!Index.isValid() || Index.row() >= FRows || (Role != Qt::DisplayRole && Role != Qt::AccessibleTextRole)) {
      return QVariant();
    }
    return Text(Index.row());
  }
  QString Text(int Row) const {
    return FromSjisText(FHistory.Line(static_cast<std::size_t>(Row)));
  }

  void Replaced() {
    beginResetModel();
    FRows = static_cast<int>(FHistory.Count());
    endResetModel();
  }

private:
  const THistoryFile& FHistory;
  int FRows = 0;  // the lines the views know of
};

// Draws the items as usual, each of one fixed height.
class TFixedHeightItems : public QStyledItemDelegate {
public:
  TFixedHeightItems(QObject* Parent, int Height) : QStyledItemDelegate(Parent), FHeight(Height) {}
  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    return QSize(QStyledItemDelegate::sizeHint(Option, Index).width(), FHeight);
  }

private:
  int FHeight;
};

THistoryListBox::THistoryListBox(QWidget* Parent, const THistoryFile& History, int ItemHeight)
    : QListView(Parent), FModel(new THistoryLinesModel(this, History)) {
  setModel(FModel);
  setItemDelegate(new TFixedHeightItems(this, ItemHeight));
  // Every item is as high as the first: no line is measured to lay out the list.
  setUniformItemSizes(true);
}

int THistoryListBox::count() const { return FModel->rowCount(); }

QString THistoryListBox::ItemText(int Row) const { return FModel->Text(Row); }

void THistoryListBox::LinesReplaced() { FModel->Replaced(); }
