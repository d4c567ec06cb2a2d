#pragma once
// The window that hosts a chart: it paints the chart's kept image, gives the
// chart its size, and passes the mouse on to it. It never takes the focus.
#include <QWidget>

#include "chart.h"
#include "qpainter_surface.h"

class QPainter;

class TChartWidget : public QWidget {
public:
  TChartWidget(QWidget* Parent, TFontResolver Resolver);

  TChart& Chart() { return FChart; }
  TQPainterSurface& Surface() { return FSurface; }

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
