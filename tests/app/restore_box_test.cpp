// SPDX-License-Identifier: GPL-3.0-or-later
// The start's box that offers the newest daily copy of a missing or damaged
// history: what it says, its default, and what each answer leaves.
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

#include "app_test_support.h"
#include "drill/drill_texts.h"
#include "history/history_copies.h"
#include "history_lines.h"
#include "results/results.h"
#include "temp_work_dir.h"

namespace {

const std::string A = DrillLine(85, "2026/03/01 09:05");
const std::string B = DrillLine(90, "2026/03/02 09:05");
const std::string C = DrillLine(95, "2026/03/06 09:05");

}  // namespace

TEST(RestoreBox, OffersTheNewestCopyAndEnterChangesNothing) {
  const std::string Damaged = A + "\r\n\x81\x40\r\n" + C + "\r\n";
  const struct {
    const char* Name;
    std::string History;  // empty: none
    bool PressRestore;    // else Enter
    const char* Said;
    std::string After;
  } Cases[] = {
      {"damaged, Enter", Damaged, false, "読めない所のある行", Damaged},
      {"damaged, 戻す", Damaged, true, "読めない所のある行", A + "\r\n" + B + "\r\n" + C + "\r\n"},
      {"missing, 戻す", "", true, "履歴ファイル HIST_ZV.DAT がありません", A + "\r\n" + B + "\r\n"},
  };
  for (const auto& Case : Cases) {
    TProgramFixture Program;
    const std::string Folder = Program.Dir.path().toStdString();
    ASSERT_EQ(KeepDailyCopy(Folder, A + "\r\n", {2026, 3, 1}), 0);
    ASSERT_EQ(KeepDailyCopy(Folder, A + "\r\n" + B + "\r\n", {2026, 3, 5}), 0);
    if (!Case.History.empty()) WriteBytes(Program.HistoryPath(), Case.History);
    QString Text, Default, Clicked;
    int PixelSize = 0;
    TModalWatch Watch([&](QWidget* Modal) {
      auto* Box = qobject_cast<QMessageBox*>(Modal);
      ASSERT_NE(Box, nullptr);
      Text = Box->text();
      Default = Box->defaultButton() ? Box->defaultButton()->text() : QString();
      PixelSize = Box->font().pixelSize();
      if (Case.PressRestore) {
        for (QAbstractButton* Button : Box->buttons()) {
          if (Button->text() == QStringLiteral("戻す")) Button->click();
        }
      } else {
        QTest::keyClick(Box, Qt::Key_Return);
      }
      Clicked = Box->clickedButton() ? Box->clickedButton()->text() : QString();
    });
    Program.Create();
    ASSERT_TRUE(Watch.Done()) << Case.Name;
    EXPECT_TRUE(Text.contains(QString::fromUtf8(Case.Said))) << Case.Name << ": " << Text.toStdString();
    EXPECT_TRUE(Text.contains(QStringLiteral("2026年3月5日"))) << Case.Name << ": " << Text.toStdString();
    EXPECT_TRUE(Text.contains(QStringLiteral("ドリル 2 回分"))) << Case.Name << ": " << Text.toStdString();
    EXPECT_EQ(Default.toStdString(), "戻さない") << Case.Name;
    EXPECT_EQ(Clicked.toStdString(), Case.PressRestore ? "戻す" : "戻さない") << Case.Name;
    EXPECT_EQ(PixelSize, Program.App().ErrorBoxFont().pixelSize()) << Case.Name;
    EXPECT_EQ(ReadBytes(Program.HistoryPath()), Case.After) << Case.Name;
    // The program goes on with the history the file holds.
    EXPECT_EQ(CrlfLines(Program.Results().History().Lines()), Case.After) << Case.Name;
  }
}
