// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_qt/chart_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <optional>

#include "chart/hit_test.h"
#include "platform/sjis.h"

namespace {

std::optional<TMouseButton> ChartButton(Qt::MouseButton Button) {
  switch (Button) {
    case Qt::LeftButton: return TMouseButton::Left;
    case Qt::RightButton: return TMouseButton::Right;
    case Qt::MiddleButton: return TMouseButton::Middle;
    default: return std::nullopt;
  }
}

}  // namespace

TChartWidget::TChartWidget(QWidget* Parent, TFontResolver Resolver, double DeviceRatio)
    : QWidget(Parent), FDeviceRatio(DeviceRatio > 0 ? DeviceRatio : 1.0), FSurface(std::move(Resolver)) {
  setFocusPolicy(Qt::NoFocus);
  // The chart's image covers the whole widget: no background to erase first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Inside a paint the image is copied to the widget; outside (the zoom
  // rectangle drawn during a drag) the widget asks for a paint, which copies
  // the kept image without drawing the chart again.
  FSurface.OnPresent = [this](const QImage& Image) {
    if (FPaintPainter != nullptr) {
      if (FDeviceRatio == 1.0) {
        FPaintPainter->drawImage(0, 0, Image);
      } else {
        // One image pixel to one device pixel: no resampling.
        FPaintPainter->drawImage(QRectF(0, 0, Image.width() / FDeviceRatio, Image.height() / FDeviceRatio), Image);
      }
    } else {
      update();
    }
  };
  // Any number of invalidations before the next paint merge into one: a
  // history of 100,000 drills filled in point by point asks once, not
  // 200,000 times. (Asked while hidden, the paint comes when shown.)
  FChart.OnInvalidate = [this] {
    if (FPaintAsked) return;
    FPaintAsked = true;
    update();
  };
  resizeEvent(nullptr);
}

QPoint TChartWidget::ChartPoint(QPointF LocalPos) const {
  return (LocalPos * FDeviceRatio).toPoint();
}

void TChartWidget::paintEvent(QPaintEvent*) {
  FPaintAsked = false;
  QPainter Painter(this);
  FPaintPainter = &Painter;
  struct TResetPainter {
    QPainter*& Target;
    ~TResetPainter() { Target = nullptr; }
  } Reset{FPaintPainter};
  const int LayoutsBefore = FChart.FullPaintCount();
  FChart.Paint();
  if (OnLaidOut && FChart.FullPaintCount() != LayoutsBefore) OnLaidOut();
}

QString TChartWidget::HintAt(const QPoint& LocalPos) const {
  const TChartZoomScroll& Mouse = FChart.ZoomScroll;
  if (!PointHint || Mouse.Zoom().Dragging || Mouse.Panning().Dragging) return QString();
  const QPoint At = ChartPoint(LocalPos);
  const std::optional<int> Point = PointAt(FChart, At.x(), At.y());
  if (!Point) return QString();
  return QString::fromStdString(FromSjis(PointHint(*Point)));
}

void TChartWidget::resizeEvent(QResizeEvent*) {
  FChart.SetSize(static_cast<int>(std::lround(width() * FDeviceRatio)),
                 static_cast<int>(std::lround(height() * FDeviceRatio)));
}

// A drag that is on when the window closes (Enter or Alt+F4 with a button
// held) gets its release nowhere: it ends here, or the next showing would
// zoom or scroll on plain pointer moves.
void TChartWidget::hideEvent(QHideEvent*) { FChart.ZoomScroll.CancelDrags(); }

void TChartWidget::mousePressEvent(QMouseEvent* Event) {
  if (auto Button = ChartButton(Event->button())) {
    const QPoint P = ChartPoint(Event->position());
    FChart.MouseDown(*Button, P.x(), P.y());
  }
}

void TChartWidget::mouseMoveEvent(QMouseEvent* Event) {
  const QPoint P = ChartPoint(Event->position());
  FChart.MouseMove(P.x(), P.y());
}

void TChartWidget::mouseReleaseEvent(QMouseEvent* Event) {
  if (auto Button = ChartButton(Event->button())) {
    const QPoint P = ChartPoint(Event->position());
    FChart.MouseUp(*Button, P.x(), P.y());
  }
}
