// SPDX-License-Identifier: GPL-3.0-or-later
// The page's layout: lines of text from the top, the records and the table
// from the bottom, and the chart in the room between, as large as its shape
// allows. Sizes in millimetres and points, turned into the device's pixels.
#include "app/paper/chart_page.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <array>
#include <cmath>

#include "app/paper/paper_texts.h"
#include "chart_qt/font_table.h"
#include "platform/program_texts.h"

namespace {

constexpr double MarginMm = 15;
constexpr double TitlePoints = 22, LinePoints = 15, TablePoints = 13, SmallPoints = 11;
constexpr int TableRows = 13;  // the headings and twelve months

QString Text(const char* Utf8) { return QString::fromUtf8(Utf8); }

QString DateText(int Year, int Month, int Day) {
  return Text(PaperTexts::PageDateTemplate).arg(Year).arg(Month).arg(Day);
}

QString DurationText(double Seconds) {
  const long Whole = std::lround(Seconds);
  return Text(PaperTexts::PageDurationTemplate).arg(Whole / 60).arg(Whole % 60);
}

QString PercentText(double Percent, int Decimals) {
  return Text(PaperTexts::PagePercentTemplate).arg(QString::number(Percent, 'f', Decimals));
}

QString PeriodText(const THistoryReport& Report) {
  if (Report.Drills == 0) return Text(PaperTexts::PageNoDrills);
  if (!Report.First) return Text(PaperTexts::PageUndatedTemplate).arg(Report.Drills);
  return Text(PaperTexts::PagePeriodTemplate)
      .arg(DateText(Report.First->Year, Report.First->Month, Report.First->Day),
           DateText(Report.Last->Year, Report.Last->Month, Report.Last->Day), QString::number(Report.Drills));
}

QString DrillText(const TRecordDrill& Drill) {
  if (!Drill.When) return Text(PaperTexts::PageDrillTemplate).arg(Drill.Number);
  return Text(PaperTexts::PageDrillOnTemplate)
      .arg(DateText(Drill.When->Year, Drill.When->Month, Drill.When->Day))
      .arg(Drill.Number);
}

std::array<QString, 5> MonthRow(const TMonthFigures& Month) {
  const QString None = Text(PaperTexts::PageNoFigure);
  return {Text(PaperTexts::PageMonthTemplate).arg(Month.Year).arg(Month.Month),
          Text(PaperTexts::PageCountTemplate).arg(Month.Drills),
          Month.MeanPercent ? PercentText(*Month.MeanPercent, 1) : None,
          Month.FastestSeconds ? DurationText(*Month.FastestSeconds) : None,
          Month.MedianSeconds ? DurationText(*Month.MedianSeconds) : None};
}

class TPageWriter {
public:
  TPageWriter(QPainter& Painter, double PixelsPerMm, int Width)
      : FPainter(Painter), FMm(PixelsPerMm), FWidth(Width) {}

  double Mm(double Millimetres) const { return Millimetres * FMm; }

  QFont Font(double Points, bool Bold = false) const {
    QFont Result(InstalledFamily(Texts().PGothicFace));
    Result.setPointSizeF(Points);
    Result.setBold(Bold);
    return Result;
  }

  // One line of text in a band across the page; returns the band's height.
  double Line(double Top, const QString& Line, const QFont& Font, Qt::Alignment Align = Qt::AlignLeft) {
    FPainter.setFont(Font);
    const double Height = FPainter.fontMetrics().height() * 1.25;
    FPainter.drawText(QRectF(0, Top, FWidth, Height), Align | Qt::AlignVCenter, Line);
    return Height;
  }

  double TableHeight() const {
    FPainter.setFont(Font(TablePoints));
    return FPainter.fontMetrics().height() * 1.6 * TableRows;
  }

  void Table(double Top, const THistoryReport& Report) {
    FPainter.setFont(Font(TablePoints));
    const double Row = FPainter.fontMetrics().height() * 1.6;
    constexpr std::array<double, 5> Shares{0.24, 0.14, 0.22, 0.20, 0.20};
    FPainter.setPen(QPen(Qt::black, Mm(0.3)));
    FPainter.fillRect(QRectF(0, Top, FWidth, Row), QColor(225, 225, 225));
    const std::array<QString, 5> Headings{Text(PaperTexts::PageMonthHeading), Text(PaperTexts::PageDrillsHeading),
                                          Text(PaperTexts::PageMeanHeading), Text(PaperTexts::PageFastestHeading),
                                          Text(PaperTexts::PageMedianHeading)};
    for (int R = 0; R < TableRows; ++R) {
      const double Y = Top + R * Row;
      const std::array<QString, 5> Cells = R == 0 ? Headings : MonthRow(Report.Months[static_cast<size_t>(R - 1)]);
      double X = 0;
      for (size_t C = 0; C < Cells.size(); ++C) {
        const double W = FWidth * Shares[C];
        FPainter.drawText(QRectF(X, Y, W, Row), Qt::AlignCenter, Cells[C]);
        X += W;
        if (C + 1 < Cells.size()) FPainter.drawLine(QPointF(X, Top), QPointF(X, Top + TableRows * Row));
      }
      FPainter.drawLine(QPointF(0, Y), QPointF(FWidth, Y));
    }
    FPainter.drawLine(QPointF(0, Top + TableRows * Row), QPointF(FWidth, Top + TableRows * Row));
    FPainter.drawLine(QPointF(0, Top), QPointF(0, Top + TableRows * Row));
    FPainter.drawLine(QPointF(FWidth, Top), QPointF(FWidth, Top + TableRows * Row));
  }

private:
  QPainter& FPainter;
  double FMm;
  int FWidth;
};

}  // namespace

void SetUpChartPage(QPagedPaintDevice& Device) {
  Device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter));
}

bool PaintChartPage(QPagedPaintDevice& Device, const QImage& Chart, const THistoryReport& Report,
                    const TDateTime& Today) {
  QPainter Painter;
  if (!Painter.begin(&Device)) return false;
  const int Width = Device.width(), Height = Device.height();
  TPageWriter Page(Painter, Device.logicalDpiX() / 25.4, Width);

  // From the top: the title and the day it was made, the period.
  double Top = 0;
  Page.Line(Top, Text(PaperTexts::PageMadeTemplate).arg(DateText(Today.Year, Today.Month, Today.Day)),
            Page.Font(SmallPoints), Qt::AlignRight);
  Top += Page.Line(Top, Text(PaperTexts::PageTitle), Page.Font(TitlePoints, true));
  Top += Page.Line(Top, PeriodText(Report), Page.Font(LinePoints)) + Page.Mm(2);

  // From the bottom: the records, the table and its caption.
  double Bottom = Height;
  const QFont Records = Page.Font(LinePoints);
  Painter.setFont(Records);
  const double RecordLine = Painter.fontMetrics().height() * 1.25;
  if (Report.Fastest) {
    Bottom -= RecordLine;
    Page.Line(Bottom, Text(PaperTexts::PageFastestTemplate).arg(DurationText(Report.Fastest->Seconds),
                                                                  DrillText(*Report.Fastest)), Records);
  }
  if (Report.Best) {
    Bottom -= RecordLine;
    Page.Line(Bottom, Text(PaperTexts::PageBestTemplate).arg(PercentText(Report.Best->Percent, 0),
                                                               DrillText(*Report.Best)), Records);
  }
  Bottom -= Page.Mm(3) + Page.TableHeight();
  Page.Table(Bottom, Report);
  Painter.setFont(Page.Font(LinePoints, true));
  Bottom -= Painter.fontMetrics().height() * 1.25;
  Page.Line(Bottom, Text(PaperTexts::PageTableCaption), Page.Font(LinePoints, true));
  Bottom -= Page.Mm(3);

  // The chart in the room between, centred, its shape kept.
  if (!Chart.isNull() && Bottom > Top) {
    const QSizeF Fitted = QSizeF(Chart.size()).scaled(QSizeF(Width, Bottom - Top), Qt::KeepAspectRatio);
    const QRectF Target((Width - Fitted.width()) / 2, Top, Fitted.width(), Fitted.height());
    Painter.setRenderHint(QPainter::SmoothPixmapTransform);
    Painter.drawImage(Target, Chart);
    Painter.setPen(QPen(Qt::black, Page.Mm(0.3)));
    Painter.drawRect(Target);
  }
  return Painter.end();
}
