#include "form2.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "accessibility.h"
#include "application.h"
#include "chart_fonts.h"
#include "qt_colors.h"
#include "chart_widget.h"
#include "face_kept_button.h"
#include "font_table.h"
#include "history_list_box.h"
#include "program_texts.h"
#include "result_chart.h"
#include "sjis.h"

namespace {

QString FromSjisText(const std::string& Sjis) { return QString::fromStdString(FromSjis(Sjis)); }

}  // namespace

TForm2::TForm2(TApplication& Application, QWidget* MainWindow, std::string HistoryFileName)
    : QDialog(MainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      FApplication(Application),
      FHistory(std::move(HistoryFileName)) {
  const double Scale = Application.LayoutScale();
  auto Scaled = [Scale](int Pixels) { return static_cast<int>(std::lround(Pixels * Scale)); };

  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(FromSjisText(Texts().Form2Caption));
  setFixedSize(Scaled(792), Scaled(573));
  setFont(ProgramFont(Texts().PGothicFace, Scaled(21)));
  QPalette Palette = palette();
  Palette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
  setPalette(Palette);
  setAutoFillBackground(true);
  SetAccessibleTexts(*this, Texts().Form2Caption, Texts().Form2Description);

  UseDesktopColors(QApplication::palette());
  FChartWidget = new TChartWidget(this, ProgramChartFonts(Scale));
  ConfigureResultChart(FChartWidget->Chart());
  Chart1 = FChartWidget;
  Chart1->setObjectName(QStringLiteral("Chart1"));
  Chart1->setGeometry(0, 0, Scaled(705), Scaled(569));
  SetAccessibleTexts(*Chart1, Texts().ChartName, Texts().ChartDescription);

  ListBox1 = new THistoryListBox(Chart1, FHistory, Scaled(21));
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setGeometry(Scaled(216), Scaled(168), Scaled(201), Scaled(97));
  ListBox1->setFrameShape(QFrame::NoFrame);
  ListBox1->setFocusPolicy(Qt::NoFocus);
  ListBox1->hide();
  SetAccessibleTexts(*ListBox1, Texts().HistoryListName, Texts().HistoryListDescription);

  Button1 = new TFaceKeptButton(FromSjisText(Texts().CloseCaption), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(Scaled(712), Scaled(8), Scaled(75), Scaled(33));
  Button1->setFocusPolicy(Qt::StrongFocus);
  Button1->setAutoDefault(true);  // Enter and Space close the window
  SetAccessibleTexts(*Button1, Texts().CloseCaption, Texts().CloseDescription);
  connect(Button1, &QPushButton::clicked, this, [this] { reject(); });
}

void TForm2::FormCreate() {
  // Whatever was read before a failure stays in the list.
  try {
    FHistory.Load();
  } catch (...) {
    ShowHistoryLines();
    throw;
  }
  ShowHistoryLines();
}

void TForm2::StoreSummary(const std::string& Line) {
  FHistory.Append(Line);
  ListBox1->LineAppended();
  FHistory.Save();
}

void TForm2::ShowHistoryLines() {
  ListBox1->LinesReplaced();
}

void TForm2::showEvent(QShowEvent* Event) {
  // The window system's own show (coming back from the minimised state) is
  // no new showing: the series stay as they are.
  if (Event->spontaneous()) {
    QDialog::showEvent(Event);
    return;
  }
  if (!FShownBefore) {
    // Centred on the desktop the first time; later showings keep the place.
    FShownBefore = true;
    if (const QScreen* Screen = QGuiApplication::primaryScreen()) {
      const QRect Desktop = Screen->virtualGeometry();
      const QSize Outer = frameGeometry().size();
      move(std::max(0, (Desktop.width() - Outer.width()) / 2), std::max(0, (Desktop.height() - Outer.height()) / 2));
    }
  }
  FApplication.Guard([this] { FormShow(); });
  QDialog::showEvent(Event);
}

void TForm2::FormShow() {
  // A bad field stops the rebuild there; the points before it stay, and the
  // error goes to the error box while the window opens all the same.
  FillResultChart(FChartWidget->Chart(), FHistory);
}

void TForm2::keyPressEvent(QKeyEvent* Event) {
  // The window has no cancel button: Escape does nothing.
  if (Event->key() == Qt::Key_Escape && Event->modifiers() == Qt::NoModifier) {
    Event->accept();
    return;
  }
  QDialog::keyPressEvent(Event);
}
