// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's items are a table; the zoom items show their keys after a tab
// (the keys themselves stay with the window's own key handling).
#include "app/windows/graph_window_menu.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <array>

#include "app/windows/window_texts.h"
#include "chart/chart_zoom.h"

namespace {

struct TChartItem {
  const char* Text;
  TChartKey Key;
};
constexpr std::array<TChartItem, 10> ChartItems{{
    {WindowTexts::MenuZoomIn, TChartKey::ZoomIn},
    {WindowTexts::MenuZoomOut, TChartKey::ZoomOut},
    {WindowTexts::MenuRestore, TChartKey::Restore},
    {WindowTexts::MenuScrollLeft, TChartKey::ScrollLeft},
    {WindowTexts::MenuScrollRight, TChartKey::ScrollRight},
    {WindowTexts::MenuScrollUp, TChartKey::ScrollUp},
    {WindowTexts::MenuScrollDown, TChartKey::ScrollDown},
    {WindowTexts::MenuLatestPage, TChartKey::LatestPage},
    {WindowTexts::MenuPageBack, TChartKey::PageBack},
    {WindowTexts::MenuPageForward, TChartKey::PageForward},
}};

}  // namespace

TGraphWindowMenu::TGraphWindowMenu(QWidget& Window, QWidget& Chart, TCommands Commands)
    : QObject(&Window), FWindow(Window), FChart(Chart), FCommands(std::move(Commands)), FMenu(new QMenu(&Window)) {
  FMenu->setObjectName(QStringLiteral("GraphMenu"));
  FMenu->setFont(Window.font());
  FMenu->setAccessibleName(QString::fromUtf8(WindowTexts::MenuName));
  FMenu->addAction(QString::fromUtf8(WindowTexts::MenuPrint), this, [this] { FCommands.Print(); });
  FMenu->addAction(QString::fromUtf8(WindowTexts::MenuSave), this, [this] { FCommands.Save(); });
  FMenu->addSeparator();
  for (const TChartItem& Item : ChartItems) {
    FMenu->addAction(QString::fromUtf8(Item.Text), this, [this, Key = Item.Key] { FCommands.ChartKey(Key); });
  }
  FChart.installEventFilter(this);
}

bool TGraphWindowMenu::KeyPressed(const QKeyEvent& Event) {
  const Qt::KeyboardModifiers Modifiers = Event.modifiers() & ~Qt::KeypadModifier;
  if (Modifiers == Qt::ControlModifier && Event.key() == Qt::Key_P) {
    FCommands.Print();
  } else if (Modifiers == Qt::ControlModifier && Event.key() == Qt::Key_S) {
    FCommands.Save();
  } else if ((Modifiers == Qt::NoModifier && Event.key() == Qt::Key_Menu) ||
             (Modifiers == Qt::ShiftModifier && Event.key() == Qt::Key_F10)) {
    // From the keyboard the menu opens near the chart's top left corner.
    Open(FChart.mapToGlobal(QPoint(FChart.width() / 8, FChart.height() / 8)));
  } else {
    return false;
  }
  return true;
}

bool TGraphWindowMenu::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched != &FChart) return false;
  switch (Event->type()) {
    case QEvent::MouseButtonPress: {
      const auto* Mouse = static_cast<QMouseEvent*>(Event);
      if (Mouse->button() == Qt::RightButton) {
        FRightDown = true;
        FRightDragged = false;
        FRightDownAt = Mouse->position().toPoint();
      }
      break;
    }
    case QEvent::MouseMove: {
      const auto* Mouse = static_cast<QMouseEvent*>(Event);
      // As far as the chart's own click tolerance: a move beyond is a drag.
      if (FRightDown && (Mouse->position().toPoint() - FRightDownAt).manhattanLength() >
                            TChartZoomScroll::ClickTolerance) {
        FRightDragged = true;
      }
      break;
    }
    case QEvent::MouseButtonRelease: {
      const auto* Mouse = static_cast<QMouseEvent*>(Event);
      if (Mouse->button() != Qt::RightButton || !FRightDown) break;
      FRightDown = false;
      if (!FRightDragged && (Mouse->position().toPoint() - FRightDownAt).manhattanLength() <=
                                TChartZoomScroll::ClickTolerance) {
        Open(Mouse->globalPosition().toPoint());
      }
      break;
    }
    default: break;
  }
  return false;
}

void TGraphWindowMenu::Open(QPoint Global) { FMenu->popup(Global); }
