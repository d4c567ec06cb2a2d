// SPDX-License-Identifier: GPL-3.0-or-later
// The result chart's paint against the same bars and line drawn by two
// charting libraries at the same size onto a QImage; the graph window's
// opening (FormShow and its first paint); the copy-only repaint.
//
//   chart_bench [--reps R] [--warmup W] [--sizes 10,100,...] [--out DIR] [--reference DIR]
//               [--profile ROUNDS] [--draw-everything 1]
//
// --out keeps the three pictures of each size; --reference compares our
// pictures with ones kept before (a change of the drawing code must not move
// a pixel). --draw-everything 1 has our chart draw every shape, also those
// that later ones cover (the picture is the same, the time is not).
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDir>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QTemporaryDir>
#include <QValueAxis>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/shell/application.h"
#include "app/windows/graph_window.h"
#include "bench_support.h"
#include "chart/chart.h"
#include "chart_qt/chart_fonts.h"
#include "chart_qt/chart_widget.h"
#include "chart_qt/qpainter_surface.h"
#include "history/history_file.h"
#include "platform/program_texts.h"
#include "platform/sjis.h"
#include "qcustomplot.h"
#include "results/result_chart.h"
#include "results/result_texts.h"
#include "results/results.h"
#include "widget_texts.h"

namespace {

constexpr int ChartWidth = 705;
constexpr int ChartHeight = 569;

struct TOptions {
  int Repetitions = 20;
  int Warmup = 3;
  std::vector<int> Sizes{10, 100, 1000, 10000, 100000};
  QString OutDir;
  QString ReferenceDir;
  int ProfileRounds = 0;  // > 0: only paints our chart that many times (for a profiler), prints the median
  int ProfileOpenRounds = 0;  // > 0: only opens and closes the graph window that many times
  bool DrawEverything = false;
};

TOptions ParseOptions(int argc, char** argv) {
  TOptions Options;
  for (int I = 1; I + 1 < argc; I += 2) {
    const std::string Key = argv[I], Value = argv[I + 1];
    if (Key == "--reps") {
      Options.Repetitions = std::atoi(Value.c_str());
    } else if (Key == "--warmup") {
      Options.Warmup = std::atoi(Value.c_str());
    } else if (Key == "--sizes") {
      Options.Sizes.clear();
      std::stringstream List(Value);
      std::string Item;
      while (std::getline(List, Item, ',')) Options.Sizes.push_back(std::atoi(Item.c_str()));
    } else if (Key == "--out") {
      Options.OutDir = QString::fromStdString(Value);
    } else if (Key == "--profile") {
      Options.ProfileRounds = std::atoi(Value.c_str());
    } else if (Key == "--profile-open") {
      Options.ProfileOpenRounds = std::atoi(Value.c_str());
    } else if (Key == "--reference") {
      Options.ReferenceDir = QString::fromStdString(Value);
    } else if (Key == "--draw-everything") {
      Options.DrawEverything = Value == "1";
    }
  }
  return Options;
}


QColor Qt(TColor Color) {
  const TColor Rgb = ColorToRGB(Color);
  return QColor(static_cast<int>(RedOf(Rgb)), static_cast<int>(GreenOf(Rgb)), static_cast<int>(BlueOf(Rgb)));
}

// What both peers draw: x = drill index, bars of the percentage, a line of the seconds.
struct TSeriesData {
  QVector<double> X, Percent, Seconds;
};

TSeriesData DataOf(const THistoryFile& History) {
  TSeriesData Data;
  for (std::size_t I = 0; I < History.Count(); ++I) {
    const std::string_view Line = History.Line(I);
    Data.X.push_back(static_cast<double>(I));
    Data.Percent.push_back(THistoryFile::PercentOf(Line));
    Data.Seconds.push_back(THistoryFile::MinutesOf(Line) * 60.0 + THistoryFile::SecondsOf(Line));
  }
  return Data;
}

QImage NewImage() {
  QImage Image(ChartWidth, ChartHeight, QImage::Format_RGB32);
  Image.fill(Qt::white);
  return Image;
}

// --- the result chart itself ---------------------------------------------------

class TOurs {
public:
  TOurs(const THistoryFile& History, bool DrawEverything) {
    ConfigureResultChart(FChart);
    FChart.SetSize(ChartWidth, ChartHeight);
    FillResultChart(FChart, History);
    for (int I = 0; I < FChart.SeriesCount(); ++I) FChart.Series(I).LeaveOutCoveredShapes = !DrawEverything;
  }
  double PaintOnce() {
    FChart.Invalidate();
    return TimeMs([&] { FChart.Paint(); });
  }
  const QImage& Image() const { return FSurface.Image(); }

private:
  TQPainterSurface FSurface{ProgramChartFonts()};
  TChart FChart{FSurface};
};

// --- QCustomPlot ------------------------------------------------------------------

class TQCustomPlotSide {
public:
  TQCustomPlotSide(const TSeriesData& Data, const QFont& TitleFont, const QFont& LabelFont) : FImage(NewImage()) {
    const TResultTexts& T = ResultTexts();
    FPlot.resize(ChartWidth, ChartHeight);
    FPlot.setAntialiasedElements(QCP::aeNone);
    FPlot.setNotAntialiasedElements(QCP::aeAll);
    FPlot.setBackground(Qt(clBtnFace));
    FPlot.plotLayout()->insertRow(0);
    auto* Title = new QCPTextElement(&FPlot, QStringFromSjis(T.ChartTitle), TitleFont);
    Title->setTextColor(Qt::blue);
    FPlot.plotLayout()->addElement(0, 0, Title);

    auto* Bars = new QCPBars(FPlot.xAxis, FPlot.yAxis);
    Bars->setWidthType(QCPBars::wtPlotCoords);
    Bars->setWidth(0.7);  // 70 per cent of a drill's room, like ours
    Bars->setPen(QPen(Qt::black));
    Bars->setBrush(Qt::red);
    Bars->setData(Data.X, Data.Percent, true);
    QCPGraph* Line = FPlot.addGraph(FPlot.xAxis, FPlot.yAxis2);
    Line->setPen(QPen(Qt::blue));
    Line->setData(Data.X, Data.Seconds, true);

    const double Count = static_cast<double>(Data.X.size());
    FPlot.xAxis->setRange(-1, std::max(1.0, Count));
    FPlot.yAxis->setRange(0, 100);
    FPlot.yAxis2->setVisible(true);
    FPlot.yAxis2->setRange(100, 300);
    FPlot.yAxis->setLabel(QStringFromSjis(T.LeftAxisTitle));
    FPlot.yAxis2->setLabel(QStringFromSjis(T.RightAxisTitle));
    for (QCPAxis* Axis : {FPlot.xAxis, FPlot.yAxis, FPlot.yAxis2}) {
      Axis->setTickLabelFont(LabelFont);
      Axis->setLabelFont(LabelFont);
    }
  }
  double PaintOnce() {
    return TimeMs([&] {
      QCPPainter Painter(&FImage);
      Painter.setRenderHint(QPainter::Antialiasing, false);
      FPlot.toPainter(&Painter, ChartWidth, ChartHeight);
    });
  }
  const QImage& Image() const { return FImage; }

private:
  QCustomPlot FPlot;
  QImage FImage;
};

// --- Qt Charts --------------------------------------------------------------------

class TQtChartsSide {
public:
  TQtChartsSide(const TSeriesData& Data, const QFont& TitleFont, const QFont& LabelFont) : FImage(NewImage()) {
    const TResultTexts& T = ResultTexts();
    FChart = new QChart;
    FChart->setTitle(QStringFromSjis(T.ChartTitle));
    FChart->setTitleFont(TitleFont);
    FChart->setTitleBrush(Qt::blue);
    FChart->legend()->hide();
    FChart->setBackgroundBrush(Qt(clBtnFace));
    FChart->setBackgroundRoundness(0);
    FChart->setAnimationOptions(QChart::NoAnimation);

    auto* Set = new QBarSet(QStringFromSjis(T.BarSeriesTitle));
    Set->setColor(Qt::red);
    Set->setBorderColor(Qt::black);
    Set->append(QList<qreal>(Data.Percent.begin(), Data.Percent.end()));
    auto* Bars = new QBarSeries;
    Bars->append(Set);
    Bars->setBarWidth(0.7);
    auto* Line = new QLineSeries;
    Line->setColor(Qt::blue);
    QList<QPointF> Points;
    Points.reserve(Data.X.size());
    for (qsizetype I = 0; I < Data.X.size(); ++I) Points.append(QPointF(Data.X[I], Data.Seconds[I]));
    Line->replace(Points);
    FChart->addSeries(Bars);
    FChart->addSeries(Line);

    auto* X = new QValueAxis;
    X->setRange(-1, std::max<double>(1, static_cast<double>(Data.X.size())));
    auto* Left = new QValueAxis;
    Left->setRange(0, 100);
    Left->setTitleText(QStringFromSjis(T.LeftAxisTitle));
    auto* Right = new QValueAxis;
    Right->setRange(100, 300);
    Right->setTitleText(QStringFromSjis(T.RightAxisTitle));
    for (QValueAxis* Axis : {X, Left, Right}) {
      Axis->setLabelsFont(LabelFont);
      Axis->setTitleFont(LabelFont);
    }
    FChart->addAxis(X, Qt::AlignBottom);
    FChart->addAxis(Left, Qt::AlignLeft);
    FChart->addAxis(Right, Qt::AlignRight);
    Bars->attachAxis(X);
    Bars->attachAxis(Left);
    Line->attachAxis(X);
    Line->attachAxis(Right);

    FScene.addItem(FChart);
    FChart->setGeometry(0, 0, ChartWidth, ChartHeight);
    // The chart lays itself out through posted events.
    for (int I = 0; I < 5; ++I) QCoreApplication::processEvents();
  }
  double PaintOnce() {
    return TimeMs([&] {
      QPainter Painter(&FImage);
      Painter.setRenderHint(QPainter::Antialiasing, false);
      Painter.setRenderHint(QPainter::TextAntialiasing, true);
      FScene.render(&Painter, QRectF(0, 0, ChartWidth, ChartHeight), QRectF(0, 0, ChartWidth, ChartHeight));
    });
  }
  const QImage& Image() const { return FImage; }

private:
  QGraphicsScene FScene;
  QChart* FChart = nullptr;  // owned by the scene
  QImage FImage;
};

// --- the graph window ----------------------------------------------------------

// The result graph window with its history read from a file of N drills.
class TBenchGraphWindow {
public:
  TBenchGraphWindow(TApplication& App, QWidget& MainWindow, const std::string& Path)
      : FResults(Path), FWindow(App, &MainWindow, FResults) {
    FResults.Load();
    FWindow.ShowHistoryLines();
  }
  // show() runs FormShow; the events that follow paint the window the first time.
  double OpenOnce() {
    TChart& Chart = FWindow.ChartWidget().Chart();
    const int Before = Chart.FullPaintCount();
    const double Ms = TimeMs([&] {
      FWindow.show();
      for (int I = 0; I < 1000 && Chart.FullPaintCount() == Before; ++I) QCoreApplication::processEvents();
    });
    if (Chart.FullPaintCount() == Before) std::fprintf(stderr, "graph window did not paint\n");
    return Ms;
  }
  void Close() {
    FWindow.hide();
    QCoreApplication::processEvents();
  }
  TGraphWindow& Dialog() { return FWindow; }

private:
  TResults FResults;
  TGraphWindow FWindow;
};

bool SameImage(const QImage& A, const QImage& B) {
  return A.convertToFormat(QImage::Format_RGB32) == B.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication Toolkit(argc, argv);
  const TOptions Options = ParseOptions(argc, argv);
  TApplication App(Toolkit, "chart_bench");
  // (The application object gives the chart the desktop's colours, as in the program.)
  QWidget MainWindow;
  if (!Options.OutDir.isEmpty()) QDir().mkpath(Options.OutDir);
  QTemporaryDir Work;

  const TFontResolver Fonts = ProgramChartFonts();
  TSurfaceFont Face;
  Face.Name = Texts().PGothicFace;
  Face.Height = 21;
  const QFont Font21 = Fonts(Face);

  std::vector<std::string> Lines;
  std::printf("%8s %12s %12s %12s %8s %12s %12s %8s %10s\n", "N", "ours ms", "qtcharts ms", "qcustomplot", "ratio",
              "us/drill", "open ms", "open/pt", "reference");
  for (const int N : Options.Sizes) {
    const std::string Path = Work.filePath(QString("hist-%1.dat").arg(N)).toStdString();
    {
      std::ofstream File(Path, std::ios::binary);
      File << HistoryBytes(static_cast<std::size_t>(N));
    }
    THistoryFile History(Path);
    History.Load();
    const TSeriesData Data = DataOf(History);

    TOurs Ours(History, Options.DrawEverything);
    if (Options.ProfileRounds > 0) {
      std::vector<double> Times;
      for (int I = 0; I < Options.ProfileRounds; ++I) Times.push_back(Ours.PaintOnce());
      std::fprintf(stderr, "alone n=%d median_ms=%.3f\n", N, Median(Times));
      continue;
    }
    if (Options.ProfileOpenRounds > 0) {
      TBenchGraphWindow Window(App, MainWindow, Path);
      for (int I = 0; I < Options.ProfileOpenRounds; ++I) {
        Window.OpenOnce();
        Window.Close();
      }
      continue;
    }
    TQtChartsSide QtCharts(Data, Font21, Font21);
    TQCustomPlotSide QCustomPlot(Data, Font21, Font21);
    const std::vector<double> Paint =
        RunAlternating({{"ours", [&] { return Ours.PaintOnce(); }},
                        {"qtcharts", [&] { return QtCharts.PaintOnce(); }},
                        {"qcustomplot", [&] { return QCustomPlot.PaintOnce(); }}},
                       Options.Warmup, Options.Repetitions);

    std::string Reference = "-";
    if (!Options.ReferenceDir.isEmpty()) {
      QImage Kept(Options.ReferenceDir + QString("/chart-%1-ours.png").arg(N));
      Reference = Kept.isNull() ? "missing" : SameImage(Kept, Ours.Image()) ? "same" : "DIFFERENT";
    }
    if (!Options.OutDir.isEmpty()) {
      Ours.Image().save(Options.OutDir + QString("/chart-%1-ours.png").arg(N));
      QtCharts.Image().save(Options.OutDir + QString("/chart-%1-qtcharts.png").arg(N));
      QCustomPlot.Image().save(Options.OutDir + QString("/chart-%1-qcustomplot.png").arg(N));
    }

    // The window's opening against the chart's paint alone, alternating too.
    TBenchGraphWindow Window(App, MainWindow, Path);
    const std::vector<double> Open = RunAlternating({{"open", [&] {
                                                        const double Ms = Window.OpenOnce();
                                                        Window.Close();
                                                        return Ms;
                                                      }},
                                                     {"paint", [&] { return Ours.PaintOnce(); }}},
                                                    Options.Warmup, Options.Repetitions);

    const double Faster = std::min(Paint[1], Paint[2]);
    const double PerDrillUs = Paint[0] * 1000.0 / N;
    std::printf("%8d %12.3f %12.3f %12.3f %8.3f %12.3f %12.3f %8.3f %10s\n", N, Paint[0], Paint[1], Paint[2],
                Paint[0] / Faster, PerDrillUs, Open[0], Open[0] / Open[1], Reference.c_str());
    std::fflush(stdout);
    char Line[512];
    std::snprintf(Line, sizeof Line,
                  "BENCH chart_paint n=%d ours_ms=%s qtcharts_ms=%s qcustomplot_ms=%s ratio=%.3f us_per_drill=%.3f",
                  N, Ms(Paint[0]).c_str(), Ms(Paint[1]).c_str(), Ms(Paint[2]).c_str(), Paint[0] / Faster, PerDrillUs);
    Lines.push_back(Line);
    std::snprintf(Line, sizeof Line, "BENCH window_open n=%d ours_ms=%s chart_paint_ms=%s ratio=%.3f", N,
                  Ms(Open[0]).c_str(), Ms(Open[1]).c_str(), Open[0] / Open[1]);
    Lines.push_back(Line);

    if (N == 1000) {
      // The unchanged repaint copies the kept image to the window.
      Window.Dialog().show();
      QCoreApplication::processEvents();
      QWidget& Widget = Window.Dialog().ChartWidget();
      TChart& Chart = Window.Dialog().ChartWidget().Chart();
      const std::vector<double> Repaint = RunAlternating(
          {{"copy", [&] { return TimeMs([&] { Widget.repaint(); }); }},
           {"full", [&] {
              Chart.Invalidate();
              return TimeMs([&] { Widget.repaint(); });
            }}},
          Options.Warmup, Options.Repetitions);
      Window.Close();
      std::snprintf(Line, sizeof Line, "BENCH repaint n=%d copy_ms=%s full_ms=%s ratio=%.3f", N,
                    Ms(Repaint[0]).c_str(), Ms(Repaint[1]).c_str(), Repaint[0] / Repaint[1]);
      Lines.push_back(Line);
    }
  }
  for (const std::string& Line : Lines) std::printf("%s\n", Line.c_str());
  return 0;
}
