// SPDX-License-Identifier: GPL-3.0-or-later
// The chart on paper and in files: the saved PDF read back through pdftotext
// and rendered through pdftoppm, files that cannot be written, the name the
// save dialog's choice gives, and the graph window's menu and keys.
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "app/paper/chart_export.h"
#include "app/paper/chart_picture.h"
#include "app/windows/graph_window.h"
#include "app/windows/graph_window_menu.h"
#include "app/windows/main_window.h"
#include "app_test_support.h"
#include "chart/chart_keys.h"
#include "chart_qt/chart_widget.h"
#include "platform/app_error.h"
#include "platform/sjis.h"
#include "results/results.h"
#include "temp_work_dir.h"

namespace {

std::string Line(int Seconds, int Percent, const QDate& Day, const char* Time) {
  char Text[96];
  std::snprintf(Text, sizeof Text, "所要時間 %02d分%02d秒 正答率%3d%%  %04d/%02d/%02d %s", Seconds / 60, Seconds % 60,
                Percent, Day.year(), Day.month(), Day.day(), Time);
  return ToSjis(Text);
}

QString Output(const QString& Program, const QStringList& Arguments) {
  QProcess Process;
  Process.start(Program, Arguments);
  if (!Process.waitForFinished(60000) || Process.exitCode() != 0) return QString();
  return QString::fromUtf8(Process.readAllStandardOutput());
}

TEST(ChartExport, ThePdfHoldsThePeriodTheMonthsAndTheRecords) {
  TProgramFixture Program;
  // Three drills this month and one the month before, and a damaged line.
  const QDate Today = QDate::currentDate();
  const QDate Earlier = Today.addMonths(-1);
  const QDate First(Earlier.year(), Earlier.month(), 3);
  const QDate Last(Today.year(), Today.month(), 1);
  WriteBytes(Program.HistoryPath(), Line(250, 40, First, "08:00") + "\r\n" + Line(200, 80, Last, "09:00") +
                                          "\r\n" + ToSjis("所要時間 0x分") + "\r\n" + Line(100, 90, Last, "10:00") +
                                          "\r\n" + Line(150, 100, Last, "11:00") + "\r\n");
  TModalWatch Notice([](QWidget*) {});  // the start's notice of the damaged line
  Program.Create();
  const QString Pdf = Program.Dir.filePath(QStringLiteral("page.pdf"));
  Program.GraphWindow().ChartExport().SavePdf(Pdf);

  const QString Text = Output(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), Pdf, QStringLiteral("-")}).remove(QLatin1Char(' '));
  ASSERT_FALSE(Text.isEmpty()) << "pdftotext read nothing";
  const auto DateText = [](const QDate& Day) { return U("%1年%2月%3日").arg(Day.year()).arg(Day.month()).arg(Day.day()); };
  const auto MonthText = [](const QDate& Day) { return U("%1年%2月").arg(Day.year()).arg(Day.month()); };
  const QString Expected[] = {
      U("すらすら算数帳"),
      DateText(First),                   // the period
      DateText(Last),
      U("ドリル4回"),
      MonthText(Today) + U("3回90.0%1分40秒2分30秒"),  // drills, mean, fastest, median
      MonthText(Earlier) + U("1回40.0%4分10秒4分10秒"),
      U("最高の正答率100%（") + DateText(Last) + U("の5回目）"),
      U("最短の所要時間1分40秒（") + DateText(Last) + U("の4回目）"),
  };
  for (const QString& Part : Expected) EXPECT_TRUE(Text.contains(Part)) << Part.toStdString() << "\n" << Text.toStdString();

  const QString Png = Program.Dir.filePath(QStringLiteral("page"));
  Output(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"),
                                   QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                   QStringLiteral("1"), QStringLiteral("-singlefile"), Pdf, Png});
  const QImage Page(Png + QStringLiteral(".png"));
  ASSERT_FALSE(Page.isNull());
  EXPECT_LT(Page.width(), Page.height());  // upright A4
  int Dark = 0, Red = 0;
  for (int Y = 0; Y < Page.height(); ++Y) {
    for (int X = 0; X < Page.width(); ++X) {
      const QColor C = Page.pixelColor(X, Y);
      if (C.lightness() < 128) ++Dark;
      if (C.red() > 200 && C.green() < 80 && C.blue() < 80) ++Red;  // the bars
    }
  }
  EXPECT_GT(Dark, Page.width() * Page.height() / 100);
  EXPECT_GT(Red, 50);
}

// The page's chart is the chart as the window shows it, zoomed, scrolled and
// paged: drawn at the window's size, it is the window's picture pixel for
// pixel (both on the white panel of paper).
TEST(ChartExport, ThePagesChartIsTheChartAsShown) {
  TProgramFixture Program;
  std::string History;
  for (int I = 0; I < 100; ++I) History += Line(120 + 3 * I, (40 + 2 * I) % 101, QDate(2024, 3, 1 + I % 28), "10:00") + "\r\n";
  WriteBytes(Program.HistoryPath(), History);
  Program.Create();
  const QSize Design(705, 569);
  int Compared = 0;
  TModalWatch Watch([&](QWidget*) {
    TChartWidget& Widget = Program.GraphWindow().ChartWidget();
    TChart& Chart = Widget.Chart();
    Chart.Color = clWhite;
    for (const std::optional<TChartKey> Key :
         {std::optional<TChartKey>(), std::optional(TChartKey::ZoomIn), std::optional(TChartKey::ScrollLeft),
          std::optional(TChartKey::Restore), std::optional(TChartKey::LatestPage),
          std::optional(TChartKey::PageBack)}) {
      SCOPED_TRACE(Key ? static_cast<int>(*Key) : -1);
      Chart.Invalidate();
      Chart.Paint();
      if (Key) {
        ASSERT_TRUE(PressChartKey(Chart, *Key));
        Chart.Paint();
      }
      ASSERT_EQ(Widget.Surface().Image().size(), Design);
      EXPECT_EQ(ChartPicture(Chart, Program.Results().History(), Design, 1.0), Widget.Surface().Image());
      ++Compared;
    }
  });
  Program.MainWindow().ChartButton->click();
  ASSERT_TRUE(Watch.Done());
  EXPECT_EQ(Compared, 6);
}

// A save that fails is told with the path and leaves the folder as it was: a
// folder that is not there, a file in a folder's place, and a disk that fills
// up half way (a cap on the file size, as a full disk would stop the writing),
// where the file saved before stays whole.
TEST(ChartExport, ASaveThatFailsIsToldAndKeepsWhatWasThere) {
  TProgramFixture Program;
  std::string History;
  for (int I = 0; I < 300; ++I) History += Line(100 + I % 50, I % 101, QDate(2024, 3, 1 + I % 28), "10:00") + "\r\n";
  WriteBytes(Program.HistoryPath(), History);
  WriteBytes(Program.Dir.filePath(QStringLiteral("plain")).toStdString(), "");
  Program.Create();
  struct TRow {
    const char* Name;
    bool Capped;  // the file size capped at 4 KB, over a file saved before
  };
  const TRow Rows[] = {{"no-such-folder/a", false}, {"plain/a", false}, {"kept", true}};
  TChartExport& Export = Program.GraphWindow().ChartExport();
  for (const TRow& Row : Rows) {
    for (const bool Pdf : {true, false}) {
      const QString Path = Program.Dir.filePath(QString::fromUtf8(Row.Name) + (Pdf ? ".pdf" : ".csv"));
      SCOPED_TRACE(Path.toStdString());
      if (Row.Capped) WriteBytes(Path.toStdString(), "saved before");
      const auto OldSignal = std::signal(SIGXFSZ, SIG_IGN);
      rlimit Old{};
      getrlimit(RLIMIT_FSIZE, &Old);
      rlimit Capped = Old;
      if (Row.Capped) Capped.rlim_cur = 4096;
      setrlimit(RLIMIT_FSIZE, &Capped);
      QString Message = QStringLiteral("no error");
      try {
        Pdf ? Export.SavePdf(Path) : Export.SaveCsv(Path);
      } catch (const EFileError& Error) {
        Message = QString::fromStdString(FromSjis(Error.Message()));
      }
      setrlimit(RLIMIT_FSIZE, &Old);
      std::signal(SIGXFSZ, OldSignal);
      EXPECT_TRUE(Message.contains(Path)) << Message.toStdString();
      EXPECT_TRUE(Message.contains(U("保存できませんでした"))) << Message.toStdString();
      if (Row.Capped) {
        EXPECT_EQ(ReadBytes(Path.toStdString()), "saved before");
      }
    }
  }
  EXPECT_EQ(QDir(Program.Dir.path()).entryList(QDir::Files),
            QStringList({"HIST_ZV.DAT", "kept.csv", "kept.pdf", "plain"}));
}

TEST(ChartExport, TheNameOrElseTheChosenTypeSaysWhatIsSaved) {
  struct TRow {
    const char* Chosen;
    TSaveKind Type;
    const char* Path;
    TSaveKind Kind;
  };
  const TRow Rows[] = {
      {"/d/a.pdf", TSaveKind::Csv, "/d/a.pdf", TSaveKind::Pdf},
      {"/d/a.CSV", TSaveKind::Pdf, "/d/a.CSV", TSaveKind::Csv},
      {"/d/a", TSaveKind::Csv, "/d/a.csv", TSaveKind::Csv},
      {"/d/a.txt", TSaveKind::Pdf, "/d/a.txt.pdf", TSaveKind::Pdf},
  };
  for (const TRow& Row : Rows) {
    const TSaveTarget Target = SaveTargetOf(QString::fromUtf8(Row.Chosen), Row.Type);
    EXPECT_EQ(Target.Path, QString::fromUtf8(Row.Path));
    EXPECT_EQ(Target.Kind, Row.Kind) << Row.Chosen;
  }
}

// Ctrl+S in the shown window: the save dialog offers a name with the day's
// date in the documents folder; choosing CSV changes the name's ending, and
// a name without one is saved as the type chosen.
TEST(ChartExport, TheSaveDialogsTypeChoosesTheFile) {
  TProgramFixture Program;
  WriteBytes(Program.HistoryPath(), Line(100, 90, QDate(2024, 3, 1), "10:00") + "\r\n");
  const QString Home = Program.Dir.filePath(QStringLiteral("home"));
  ASSERT_TRUE(QDir().mkpath(Home + QStringLiteral("/Documents")));
  const TScopedEnv HomeDir("HOME", Home.toStdString());
  const TScopedEnv ConfigDir("XDG_CONFIG_HOME", Home.toStdString() + "/.config");
  Program.Create();
  QString Offered, OfferedFolder, AfterCsv;
  const QString Chosen = Program.Dir.filePath(QStringLiteral("figures"));
  TModalWatch Watch([&](QWidget*) {
    QTimer::singleShot(50, [&] {
      auto* Dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (Dialog == nullptr) return;
      auto* Name = Dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      auto* Type = Dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
      if (Name == nullptr || Type == nullptr) return Dialog->reject();
      Offered = Name->text();
      OfferedFolder = Dialog->directory().absolutePath();
      QTest::keyClick(Type, Qt::Key_Down);
      AfterCsv = Name->text();
      Name->setText(Chosen);
      QTest::keyClick(Name, Qt::Key_Return);
    });
    QTest::keyClick(Program.GraphWindow().CloseButton, Qt::Key_S, Qt::ControlModifier);
  });
  Program.MainWindow().ChartButton->click();
  ASSERT_TRUE(Watch.Done());
  const QString Today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
  EXPECT_EQ(Offered, U("すらすら算数帳の成績-") + Today + QStringLiteral(".pdf"));
  EXPECT_EQ(OfferedFolder, QDir(Home + QStringLiteral("/Documents")).absolutePath());
  EXPECT_EQ(AfterCsv, U("すらすら算数帳の成績-") + Today + QStringLiteral(".csv"));
  EXPECT_TRUE(ReadBytes((Chosen + QStringLiteral(".csv")).toStdString()).starts_with("\xEF\xBB\xBF"));
}

// In the shown window: which gestures and keys open the menu, and what it lists.
TEST(ChartExport, TheMenuOpensOnAClickAndItsKeysButNotOnARightDrag) {
  TProgramFixture Program;
  WriteBytes(Program.HistoryPath(), Line(100, 90, QDate(2024, 3, 1), "10:00") + "\r\n");
  Program.Create();
  struct TRow {
    const char* Case;
    std::function<void(TGraphWindow&)> Act;
    bool Opens;
  };
  const QPoint Middle(350, 300);
  const TRow Rows[] = {
      {"right click", [&](TGraphWindow& W) { QTest::mouseClick(W.ResultChart, Qt::RightButton, {}, Middle); }, true},
      {"right drag",
       [&](TGraphWindow& W) {
         QTest::mousePress(W.ResultChart, Qt::RightButton, {}, Middle);
         QTest::mouseMove(W.ResultChart, Middle + QPoint(40, 0));
         QTest::mouseRelease(W.ResultChart, Qt::RightButton, {}, Middle + QPoint(40, 0));
       },
       false},
      {"left click", [&](TGraphWindow& W) { QTest::mouseClick(W.ResultChart, Qt::LeftButton, {}, Middle); }, false},
      {"Shift+F10", [](TGraphWindow& W) { QTest::keyClick(W.CloseButton, Qt::Key_F10, Qt::ShiftModifier); }, true},
      {"menu key", [](TGraphWindow& W) { QTest::keyClick(W.CloseButton, Qt::Key_Menu); }, true},
      {"F10 alone", [](TGraphWindow& W) { QTest::keyClick(W.CloseButton, Qt::Key_F10); }, false},
  };
  QStringList Items;
  for (const TRow& Row : Rows) {
    bool Open = false;
    TModalWatch Watch([&](QWidget*) {
      TGraphWindow& Window = Program.GraphWindow();
      Row.Act(Window);
      QMenu& Menu = Window.Menu().Menu();
      Open = Menu.isVisible();
      Menu.hide();
      Items.clear();
      for (const QAction* Action : Menu.actions()) {
        if (!Action->isSeparator()) Items << Action->text().section(QLatin1Char('\t'), 1);
      }
    });
    Program.MainWindow().ChartButton->click();
    ASSERT_TRUE(Watch.Done());
    EXPECT_EQ(Open, Row.Opens) << Row.Case;
  }
  EXPECT_EQ(Items, QStringList({"Ctrl+P", "Ctrl+S", "+", "-", "Home", U("←"), U("→"), U("↑"), U("↓"), "End",
                                "Page Up", "Page Down"}));
}

}  // namespace
