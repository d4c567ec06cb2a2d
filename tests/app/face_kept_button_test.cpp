// SPDX-License-Identifier: GPL-3.0-or-later
// The close button that keeps its face paints exactly what a plain push
// button paints, in every look it takes, and a new look is drawn anew.
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "app/widgets/face_kept_button.h"

namespace {

// Two windows side by side in every respect but the button's kind.
struct TButtonPair {
  std::unique_ptr<QWidget> PlainWindow = MakeWindow();
  std::unique_ptr<QWidget> KeptWindow = MakeWindow();
  QPushButton* Plain = new QPushButton(QStringLiteral("閉じる"), PlainWindow.get());
  QPushButton* Kept = new TFaceKeptButton(QStringLiteral("閉じる"), KeptWindow.get());

  TButtonPair() {
    for (QPushButton* Button : {Plain, Kept}) {
      Button->setGeometry(12, 8, 75, 33);
      Button->setAutoDefault(true);
      QFont Font = Button->font();
      Font.setPixelSize(21);
      Button->setFont(Font);
    }
  }
  static std::unique_ptr<QWidget> MakeWindow() {
    auto Window = std::make_unique<QWidget>();
    Window->resize(100, 50);
    QPalette Palette = Window->palette();
    Palette.setColor(QPalette::Window, QColor(0xd4, 0xd0, 0xc8));
    Window->setPalette(Palette);
    Window->setAutoFillBackground(true);
    return Window;
  }
  void Both(const std::function<void(QPushButton&)>& Change) {
    Change(*Plain);
    Change(*Kept);
  }
  QImage Picture(QWidget& Window) { return Window.grab().toImage().convertToFormat(QImage::Format_RGB32); }
  void ExpectSamePictures(const char* Look) {
    const QImage A = Picture(*PlainWindow), B = Picture(*KeptWindow);
    ASSERT_EQ(A.size(), B.size()) << Look;
    EXPECT_TRUE(A == B) << Look;
  }
};

}  // namespace

TEST(FaceKeptButton, PaintsAsAPlainButtonInEveryLook) {
  TButtonPair Pair;
  Pair.ExpectSamePictures("at rest");
  Pair.ExpectSamePictures("at rest, painted again from the kept face");
  Pair.Both([](QPushButton& B) { B.setDown(true); });
  Pair.ExpectSamePictures("pressed");
  Pair.Both([](QPushButton& B) { B.setDown(false); });
  Pair.ExpectSamePictures("released");
  Pair.Both([](QPushButton& B) { B.setDefault(true); });
  Pair.ExpectSamePictures("default");
  Pair.Both([](QPushButton& B) { B.setText(QStringLiteral("戻る")); });
  Pair.ExpectSamePictures("another caption");
  Pair.Both([](QPushButton& B) { B.resize(90, 40); });
  Pair.ExpectSamePictures("another size");
  Pair.Both([](QPushButton& B) {
    QPalette Palette = B.palette();
    Palette.setColor(QPalette::ButtonText, Qt::darkRed);
    B.setPalette(Palette);
  });
  Pair.ExpectSamePictures("another text colour");
  // Focused from the keyboard in the active window (one window at a time).
  QImage Focused[2];
  for (int I = 0; I < 2; ++I) {
    QWidget& Window = I == 0 ? *Pair.PlainWindow : *Pair.KeptWindow;
    Window.show();
    Window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
    Window.findChild<QPushButton*>()->setFocus(Qt::TabFocusReason);
    Focused[I] = Pair.Picture(Window);
    Window.hide();
  }
  EXPECT_TRUE(Focused[0] == Focused[1]);
  EXPECT_FALSE(Focused[0] == Pair.Picture(*Pair.PlainWindow)) << "the focus shows";
  Pair.Both([](QPushButton& B) { B.setEnabled(false); });
  Pair.ExpectSamePictures("disabled");
}

TEST(FaceKeptButton, ChangesWithTheWindowsBackground) {
  TButtonPair Pair;
  Pair.ExpectSamePictures("first background");
  // Another colour of the same palette: the button's own palette is as before.
  for (QWidget* Window : {Pair.PlainWindow.get(), Pair.KeptWindow.get()}) Window->setBackgroundRole(QPalette::Base);
  Pair.ExpectSamePictures("second background");
  // A window that leaves its background to its own parent: the button paints
  // as any push button.
  for (QWidget* Window : {Pair.PlainWindow.get(), Pair.KeptWindow.get()}) Window->setAutoFillBackground(false);
  Pair.ExpectSamePictures("no background of its own");
}
