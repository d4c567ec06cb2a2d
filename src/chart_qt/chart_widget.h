#pragma once
// The window that hosts a chart: it paints the chart's kept image, gives the
// chart its size, passes the mouse on to it, and names the point under a
// resting pointer as its hint. It never takes the focus.
#include <QWidget>
#include <functional>
#include <string>

#include "chart.h"
#include "hint_controller.h"
#include "qpainter_surface.h"

class QPainter;

class TChartWidget : public QWidget, public TPointerHints {
public:
  TChartWidget(QWidget* Parent, TFontResolver Resolver);

  TChart& Chart() { return FChart; }
  TQPainterSurface& Surface() { return FSurface; }

  // The hint over a point (its index in the series hit), Shift_JIS; without
  // it the chart shows no hints.
  std::function<std::string(int Point)> PointHint;
  // Called after each paint that laid the chart out anew (a showing, a zoom,
  // a scroll, new points).
  std::function<void()> OnLaidOut;

  // TPointerHints: the hint of the point the last paint drew at LocalPos;
  // none while a mouse drag is on.
  QString HintAt(const QPoint& LocalPos) const override;

protected:
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void hideEvent(QHideEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;

private:
  TQPainterSurface FSurface;
  TChart FChart{FSurface};
  QPainter* FPaintPainter = nullptr;  // set while paintEvent runs
  bool FPaintAsked = false;            // a paint was asked for and has not begun yet
};
