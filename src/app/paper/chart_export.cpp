// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs and the writing: the page is drawn by chart_page.cpp from the
// figures of history_report.cpp; the CSV text comes from history_csv.cpp.
// Files go through QSaveFile: a new file renamed over the old one at the end.
#include "app/paper/chart_export.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>

#include "app/paper/chart_page.h"
#include "app/paper/chart_picture.h"
#include "app/paper/paper_texts.h"
#include "app/windows/window_texts.h"
#include "platform/app_error.h"
#include "platform/clock.h"
#include "platform/sjis.h"
#include "results/history_csv.h"
#include "results/history_report.h"

namespace {

// The chart on paper: twice its size on screen, which prints at about 240
// pixels per inch across the page.
constexpr double PictureScale = 2.0;
constexpr int PdfResolution = 300;

QString SuffixOf(TSaveKind Kind) { return Kind == TSaveKind::Pdf ? QStringLiteral(".pdf") : QStringLiteral(".csv"); }

[[noreturn]] void SaveFailed(const QString& Path) {
  throw EFileError(ToSjis(QString::fromUtf8(PaperTexts::SaveFailedTemplate).arg(Path).toStdString()));
}

// The dialog's file name box follows a change of the file type: its name gets
// the new type's ending (Qt's own dialog; a desktop's dialog does this itself).
void SuffixFollowsType(QFileDialog& Dialog) {
  QObject::connect(&Dialog, &QFileDialog::filterSelected, &Dialog, [&Dialog](const QString& Filter) {
    auto* NameBox = Dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (NameBox == nullptr) return;
    const TSaveKind Kind = Filter == QString::fromUtf8(PaperTexts::SaveCsvFilter) ? TSaveKind::Csv : TSaveKind::Pdf;
    QString Name = NameBox->text();
    const QString Other = SuffixOf(Kind == TSaveKind::Pdf ? TSaveKind::Csv : TSaveKind::Pdf);
    if (Name.endsWith(Other, Qt::CaseInsensitive)) NameBox->setText(Name.chopped(Other.size()) + SuffixOf(Kind));
  });
}

// Bytes as the file at Path: a new file put in the old one's place once every
// byte reached it. A write that stops short is no error to the file itself,
// and the last bytes wait in its buffer until the flush, whose failure the
// commit alone does not see: either would put a file cut short in the old
// one's place.
void WriteWhole(const QString& Path, const char* Bytes, qint64 Size) {
  QSaveFile File(Path);
  if (!File.open(QIODevice::WriteOnly) || File.write(Bytes, Size) != Size || !File.flush() || !File.commit()) {
    SaveFailed(Path);
  }
}

}  // namespace

TSaveTarget SaveTargetOf(const QString& Chosen, TSaveKind ChosenType) {
  for (TSaveKind Kind : {TSaveKind::Pdf, TSaveKind::Csv}) {
    if (Chosen.endsWith(SuffixOf(Kind), Qt::CaseInsensitive)) return {Chosen, Kind};
  }
  return {Chosen + SuffixOf(ChosenType), ChosenType};
}

TChartExport::TChartExport(QWidget& Window, const TChart& Chart, QSize Design, const THistoryFile& History)
    : FWindow(Window), FChart(Chart), FDesign(Design), FHistory(History) {}

QString TChartExport::DefaultPath() {
  QString Folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (Folder.isEmpty() || !QDir(Folder).exists()) Folder = QDir::homePath();
  const TDateTime Today = LocalDateTime();
  const QString Date = QStringLiteral("%1-%2-%3")
                           .arg(Today.Year, 4, 10, QLatin1Char('0'))
                           .arg(Today.Month, 2, 10, QLatin1Char('0'))
                           .arg(Today.Day, 2, 10, QLatin1Char('0'));
  return QDir(Folder).filePath(QString::fromUtf8(PaperTexts::SaveDefaultName) + Date + SuffixOf(TSaveKind::Pdf));
}

void TChartExport::Print() {
  QPrinter Printer(QPrinter::HighResolution);
  Printer.setDocName(QString::fromUtf8(PaperTexts::PageTitle));
  SetUpChartPage(Printer);
  QPrintDialog Dialog(&Printer, &FWindow);
  Dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  if (Dialog.exec() != QDialog::Accepted) return;
  const TDateTime Today = LocalDateTime();
  if (!PaintChartPage(Printer, ChartPicture(FChart, FHistory, FDesign, PictureScale),
                      MakeHistoryReport(FHistory, Today.Year, Today.Month), Today)) {
    throw EFileError(ToSjis(PaperTexts::PrintFailedText));
  }
}

void TChartExport::Save() {
  QFileDialog Dialog(&FWindow, QString::fromUtf8(PaperTexts::SaveDialogCaption));
  Dialog.setAcceptMode(QFileDialog::AcceptSave);
  Dialog.setFileMode(QFileDialog::AnyFile);
  const QString PdfFilter = QString::fromUtf8(PaperTexts::SavePdfFilter);
  Dialog.setNameFilters({PdfFilter, QString::fromUtf8(PaperTexts::SaveCsvFilter)});
  const QString Default = DefaultPath();
  Dialog.setDirectory(QFileInfo(Default).absolutePath());
  Dialog.selectFile(QFileInfo(Default).fileName());
  SuffixFollowsType(Dialog);
  if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty()) return;
  const TSaveKind Type = Dialog.selectedNameFilter() == PdfFilter ? TSaveKind::Pdf : TSaveKind::Csv;
  const TSaveTarget Target = SaveTargetOf(Dialog.selectedFiles().constFirst(), Type);
  if (Target.Kind == TSaveKind::Pdf) {
    SavePdf(Target.Path);
  } else {
    SaveCsv(Target.Path);
  }
}

void TChartExport::SavePdf(const QString& Path) const {
  // The page is made in memory first: the PDF writer does not tell a write
  // that stopped short (a full disk), the file's own writes below do.
  QBuffer Pdf;
  Pdf.open(QIODevice::WriteOnly);
  const TDateTime Today = LocalDateTime();
  bool Painted;
  {
    QPdfWriter Writer(&Pdf);
    Writer.setResolution(PdfResolution);
    Writer.setCreator(QString::fromUtf8(WindowTexts::MainWindowAccessibleName));
    Writer.setTitle(QString::fromUtf8(PaperTexts::PageTitle));
    SetUpChartPage(Writer);
    Painted = PaintChartPage(Writer, ChartPicture(FChart, FHistory, FDesign, PictureScale),
                             MakeHistoryReport(FHistory, Today.Year, Today.Month), Today);
  }
  if (!Painted) SaveFailed(Path);
  WriteWhole(Path, Pdf.data().constData(), Pdf.data().size());
}

void TChartExport::SaveCsv(const QString& Path) const {
  const std::string Csv = HistoryCsv(FHistory);
  WriteWhole(Path, Csv.data(), static_cast<qint64>(Csv.size()));
}
