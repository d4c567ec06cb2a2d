// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the chart paint figures of `make bench` as a picture: paint time
// against N, both axes logarithmic, one line per side.
//
//   bench_plot OUT.png RESULTS [BEFORE]
//
// RESULTS and BEFORE hold "BENCH chart_paint ..." lines; from BEFORE only our
// side is drawn, as the figure before the fast paths.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTextStream>
#include <cmath>
#include <map>
#include <vector>

namespace {

using TCurve = std::map<double, double>;  // N -> ms

std::map<QString, TCurve> ReadFigures(const QString& Path) {
  std::map<QString, TCurve> Curves;
  QFile File(Path);
  if (!File.open(QIODevice::ReadOnly)) return Curves;
  const QRegularExpression Field("(\\w+)=([0-9.]+)");
  QTextStream In(&File);
  while (!In.atEnd()) {
    const QString Line = In.readLine();
    if (!Line.startsWith("BENCH chart_paint ")) continue;
    std::map<QString, double> Values;
    for (auto It = Field.globalMatch(Line); It.hasNext();) {
      const auto Match = It.next();
      Values[Match.captured(1)] = Match.captured(2).toDouble();
    }
    const double N = Values["n"];
    for (const char* Side : {"ours_ms", "qtcharts_ms", "qcustomplot_ms"}) {
      if (Values.count(Side)) Curves[Side][N] = Values[Side];
    }
  }
  return Curves;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication App(argc, argv);
  auto Curves = ReadFigures(argv[2]);
  if (argc > 3) {
    auto Before = ReadFigures(argv[3]);
    if (Before.count("ours_ms")) Curves["ours_before_ms"] = Before["ours_ms"];
  }
  if (Curves.empty()) return 1;

  double MinN = 1e300, MaxN = 0, MinMs = 1e300, MaxMs = 0;
  for (const auto& [Name, Curve] : Curves) {
    for (const auto& [N, Ms] : Curve) {
      MinN = std::min(MinN, N), MaxN = std::max(MaxN, N);
      MinMs = std::min(MinMs, Ms), MaxMs = std::max(MaxMs, Ms);
    }
  }
  const double N0 = std::floor(std::log10(MinN)), N1 = std::ceil(std::log10(MaxN));
  const double M0 = std::floor(std::log10(std::max(MinMs, 1e-3))), M1 = std::ceil(std::log10(MaxMs));

  const int W = 980, H = 560;
  const QRect Plot(110, 50, W - 380, H - 120);
  QImage Image(W, H, QImage::Format_RGB32);
  Image.fill(Qt::white);
  QPainter P(&Image);
  P.setRenderHint(QPainter::Antialiasing, true);
  auto X = [&](double N) { return Plot.left() + (std::log10(N) - N0) / (N1 - N0) * Plot.width(); };
  auto Y = [&](double Ms) { return Plot.bottom() - (std::log10(Ms) - M0) / (M1 - M0) * Plot.height(); };

  QFont Font = P.font();
  Font.setPixelSize(13);
  P.setFont(Font);
  P.setPen(QColor(220, 220, 220));
  for (double E = N0; E <= N1; ++E) P.drawLine(QPointF(X(std::pow(10, E)), Plot.top()), QPointF(X(std::pow(10, E)), Plot.bottom()));
  for (double E = M0; E <= M1; ++E) P.drawLine(QPointF(Plot.left(), Y(std::pow(10, E))), QPointF(Plot.right(), Y(std::pow(10, E))));
  P.setPen(Qt::black);
  P.drawRect(Plot);
  for (double E = N0; E <= N1; ++E) {
    P.drawText(QRectF(X(std::pow(10, E)) - 40, Plot.bottom() + 6, 80, 18), Qt::AlignCenter,
               QString::number(std::pow(10, E), 'g', 7));
  }
  for (double E = M0; E <= M1; ++E) {
    P.drawText(QRectF(Plot.left() - 105, Y(std::pow(10, E)) - 9, 98, 18), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(std::pow(10, E), 'g', 7) + " ms");
  }
  P.drawText(QRectF(Plot.left(), Plot.bottom() + 28, Plot.width(), 20), Qt::AlignCenter,
             "drills in the history (N), logarithmic");
  Font.setPixelSize(16);
  Font.setBold(true);
  P.setFont(Font);
  P.drawText(QRectF(0, 10, W, 30), Qt::AlignCenter, "Chart paint time, 705 x 569, median");
  Font.setPixelSize(13);
  Font.setBold(false);
  P.setFont(Font);

  struct TStyle {
    const char* Key;
    const char* Label;
    QColor Color;
    Qt::PenStyle Style;
  };
  const TStyle Styles[] = {{"ours_ms", "result chart (ours)", QColor(200, 0, 0), Qt::SolidLine},
                           {"ours_before_ms", "ours before the fast paths", QColor(200, 120, 120), Qt::DashLine},
                           {"qtcharts_ms", "Qt Charts", QColor(0, 110, 0), Qt::SolidLine},
                           {"qcustomplot_ms", "QCustomPlot", QColor(0, 0, 200), Qt::SolidLine}};
  int LegendY = Plot.top() + 10;
  for (const TStyle& S : Styles) {
    auto It = Curves.find(S.Key);
    if (It == Curves.end()) continue;
    QPen Pen(S.Color, 2.5, S.Style);
    P.setPen(Pen);
    QPolygonF Points;
    for (const auto& [N, Ms] : It->second) Points << QPointF(X(N), Y(std::max(Ms, 1e-3)));
    P.drawPolyline(Points);
    P.setBrush(S.Color);
    for (const QPointF& Pt : Points) P.drawEllipse(Pt, 4, 4);
    P.setBrush(Qt::NoBrush);
    P.drawLine(Plot.right() + 20, LegendY, Plot.right() + 60, LegendY);
    P.setPen(Qt::black);
    P.drawText(QPointF(Plot.right() + 68, LegendY + 5), S.Label);
    LegendY += 24;
  }
  P.end();
  return Image.save(argv[1]) ? 0 : 1;
}
