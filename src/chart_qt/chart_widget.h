// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window that hosts a chart: it paints the chart's kept image, gives the
// chart its size, passes the mouse on to it, and names the point under a
// resting pointer as its hint. It never takes the focus.
#include <QPointF>
#include <QWidget>
#include <functional>
#include <string>

#include "chart/chart.h"
#include "chart_qt/qpainter_surface.h"
#include "hints/hint_controller.h"

class QPainter;

class TChartWidget : public QWidget, public TPointerHints {
public:
  // The chart is laid out and drawn in device pixels, DeviceRatio of them to
  // a widget pixel, so its lines and texts are as sharp as the screen allows;
  // Resolver gives its fonts in device pixels too.
  TChartWidget(QWidget* Parent, TFontResolver Resolver, double DeviceRatio = 1.0);

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
  // A widget position in the chart's own (device) pixels.
  QPoint ChartPoint(QPointF LocalPos) const;

  double FDeviceRatio;
  TQPainterSurface FSurface;
  TChart FChart{FSurface};
  QPainter* FPaintPainter = nullptr;  // set while paintEvent runs
  bool FPaintAsked = false;            // a paint was asked for and has not begun yet
};
