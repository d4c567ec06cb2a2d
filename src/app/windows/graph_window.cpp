// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/graph_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include "app/access/accessibility.h"
#include "app/shell/application.h"
#include "app/widgets/face_kept_button.h"
#include "app/widgets/focus_mark.h"
#include "app/widgets/history_list_box.h"
#include "app/windows/graph_window_menu.h"
#include "app/windows/window_support.h"
#include "app/windows/window_texts.h"
#include "chart_qt/chart_fonts.h"
#include "chart_qt/chart_widget.h"
#include "chart_qt/font_table.h"
#include "chart_qt/qt_colors.h"
#include "hints/contrast.h"
#include "platform/program_texts.h"
#include "results/result_chart.h"
#include "results/results.h"

namespace {

// The chart's panel where the desktop's button face is dark: the light
// button face of the usual desktops.
constexpr TColor clChartLightFace = RGB(239, 239, 239);

}  // namespace

TGraphWindow::TGraphWindow(TApplication& Application, QWidget* MainWindow, const TResults& Results)
    : QDialog(MainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      FApplication(Application),
      FResults(Results) {
  constexpr int ClientWidth = 792, ClientHeight = 573;
  const double Scale = Application.WindowScale(QSize(ClientWidth, ClientHeight));
  auto Scaled = [Scale](int Pixels) { return ScaledPixels(Pixels, Scale); };

  setObjectName(QStringLiteral("GraphWindow"));
  setWindowTitle(QString::fromUtf8(WindowTexts::GraphWindowCaption));
  setFixedSize(Scaled(ClientWidth), Scaled(ClientHeight));
  setFont(ProgramFont(Texts().PGothicFace, Scaled(21)));
  QPalette Palette = palette();
  Palette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
  setPalette(Palette);
  setAutoFillBackground(true);
  SetAccessibleTexts(*this, WindowTexts::GraphWindowCaption, WindowTexts::GraphWindowDescription);

  UseDesktopColors(QApplication::palette());
  // The chart draws in device pixels, its fonts sized for them.
  const QScreen* Screen = QGuiApplication::primaryScreen();
  const double DeviceRatio = Screen != nullptr ? Screen->devicePixelRatio() : 1.0;
  FChartWidget = new TChartWidget(this, ProgramChartFonts(Scale * DeviceRatio), DeviceRatio);
  ConfigureResultChart(FChartWidget->Chart());
  // The chart's texts are black and blue on its panel, the button face; where
  // the desktop's button face is too dark for them the panel keeps a light
  // face of its own.
  if (ContrastRatio(clBlack, ColorToRGB(clBtnFace)) < MinimumTextContrast) FChartWidget->Chart().Color = clChartLightFace;
  ResultChart = FChartWidget;
  ResultChart->setObjectName(QStringLiteral("ResultChart"));
  ResultChart->setGeometry(0, 0, Scaled(705), Scaled(569));
  FChartAccess.emplace(*FChartWidget, FResults.History());

  HistoryBox = new THistoryListBox(ResultChart, FResults.History(), Scaled(21));
  HistoryBox->setObjectName(QStringLiteral("HistoryBox"));
  HistoryBox->setGeometry(Scaled(216), Scaled(168), Scaled(201), Scaled(97));
  HistoryBox->setFrameShape(QFrame::NoFrame);
  HistoryBox->setFocusPolicy(Qt::NoFocus);
  HistoryBox->hide();
  SetAccessibleTexts(*HistoryBox, WindowTexts::HistoryListName, WindowTexts::HistoryListDescription);

  CloseButton = new TFaceKeptButton(QString::fromUtf8(WindowTexts::CloseCaption), this);
  CloseButton->setObjectName(QStringLiteral("CloseButton"));
  CloseButton->setGeometry(Scaled(712), Scaled(8), Scaled(75), Scaled(33));
  CloseButton->setFocusPolicy(Qt::StrongFocus);
  CloseButton->setAutoDefault(true);  // Enter and Space close the window
  SetAccessibleTexts(*CloseButton, WindowTexts::CloseCaption, WindowTexts::CloseDescription);
  connect(CloseButton, &QPushButton::clicked, this, [this] { reject(); });
  CloseButton->installEventFilter(this);
  (new TFocusMark(this))->Watch(*CloseButton);

  // The page's chart is drawn anew at the chart's unscaled size (705 x 569), twice over.
  FChartExport.emplace(*this, FChartWidget->Chart(), QSize(705, 569), FResults.History());
  FMenu = new TGraphWindowMenu(
      *this, *FChartWidget,
      {[this] { FApplication.Guard([this] { FChartExport->Print(); }); },
       [this] { FApplication.Guard([this] { FChartExport->Save(); }); },
       [this](TChartKey Key) { PressChartKey(FChartWidget->Chart(), Key); }});
}

void TGraphWindow::ShowHistoryLines() {
  HistoryBox->LinesReplaced();
}

void TGraphWindow::showEvent(QShowEvent* Event) {
  // The window system's own show (coming back from the minimised state) is
  // no new showing: the series stay as they are.
  if (Event->spontaneous()) {
    QDialog::showEvent(Event);
    return;
  }
  if (!FShownBefore) {
    // Centred on the desktop the first time; later showings keep the place.
    FShownBefore = true;
    CentreOnDesktop(*this);
  }
  FApplication.Guard([this] { FillFromHistory(); });
  QDialog::showEvent(Event);
}

void TGraphWindow::FillFromHistory() {
  ShowHistoryLines();
  // A line that holds no drill's figures keeps its place empty; its error goes
  // to the error box once, and the window opens with every other drill.
  FChartAccess->Shown();
  FResults.FillChart(FChartWidget->Chart());
}

void TGraphWindow::keyPressEvent(QKeyEvent* Event) {
  // Escape closes the window as the close button does.
  if (Event->key() == Qt::Key_Escape && Event->modifiers() == Qt::NoModifier) {
    Event->accept();
    reject();
    return;
  }
  if (FChartAccess->KeyPressed(*Event) || FMenu->KeyPressed(*Event)) {
    Event->accept();
    return;
  }
  QDialog::keyPressEvent(Event);
}

bool TGraphWindow::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == CloseButton && Event->type() == QEvent::KeyPress) {
    return FChartAccess->KeyPressed(*static_cast<QKeyEvent*>(Event));
  }
  return QDialog::eventFilter(Watched, Event);
}
