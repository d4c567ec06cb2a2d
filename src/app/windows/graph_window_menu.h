// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The graph window's menu: print, save, and the chart's zoom and scroll keys,
// each item showing the key that does the same. It opens on a right click on
// the chart that is no drag (a right-button drag scrolls the chart), on
// Shift+F10 and on the menu key; Ctrl+P and Ctrl+S print and save directly.
#include <QObject>
#include <QPoint>
#include <functional>

#include "chart/chart_keys.h"

class QKeyEvent;
class QMenu;
class QWidget;

class TGraphWindowMenu : public QObject {
public:
  struct TCommands {
    std::function<void()> Print;
    std::function<void()> Save;
    std::function<void(TChartKey)> ChartKey;
  };
  // The menu of Window, in its font; Chart is the widget whose right clicks open it.
  TGraphWindowMenu(QWidget& Window, QWidget& Chart, TCommands Commands);

  // A key pressed in the window: true when it was one of the menu's own keys
  // (Ctrl+P, Ctrl+S, Shift+F10, the menu key), carried out.
  bool KeyPressed(const QKeyEvent& Event);

  QMenu& Menu() const { return *FMenu; }

protected:
  // Watches the chart's right button for a click without a drag.
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  void Open(QPoint Global);

  QWidget& FWindow;
  QWidget& FChart;
  TCommands FCommands;
  QMenu* FMenu;
  bool FRightDown = false;
  bool FRightDragged = false;
  QPoint FRightDownAt;
};
