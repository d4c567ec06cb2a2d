// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object: the title, the error display, the modal display, the
// event pump, the end of the program, and the hook through which the hint
// controller learns what the pointer and the keyboard do. One per process.
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QTranslator>
#include <QWidget>
#include <memory>
#include <string>

#include "hints/hint_controller.h"

class QApplication;
class QDialog;
class QMessageBox;
class QPoint;

// The title: the executable's file name (Shift_JIS) without its directory and
// without everything from its first "." on, every letter after the first byte
// in lower case. Double-byte characters are stepped over whole.
std::string ApplicationTitle(const std::string& SjisFileName);

// The text of an error box: a "." is appended when the message's last character
// compares greater than "." byte by byte, unsigned.
std::string ErrorBoxText(const std::string& SjisMessage);

// The layout scale on a screen of Dpi logical pixels per inch: the window
// font's height, 19 pixels at 96 per inch, is scaled and rounded first, and
// every size grows by that rounded height over 19.
double LayoutScaleFor(double Dpi);

// The layout scale of a window whose client area is Design at 96 per inch,
// on a screen whose area for windows is Available (logical pixels) and whose
// toolkit draws DeviceRatio device pixels per logical one. The window keeps
// Scale when it fits, Frame (title bar and borders) included; otherwise it
// takes the largest scale that fits, but never one that makes it smaller on
// the screen than its unscaled size in device pixels.
double FittedLayoutScale(double Scale, double DeviceRatio, QSize Design, QSize Available, QSize Frame);

class TApplication : public QObject {
public:
  // Sets up the toolkit side: the title from the executable's path, the font
  // table, the Japanese texts of the standard dialog buttons, the event watch.
  TApplication(QApplication& Toolkit, const std::string& SjisExecutablePath);
  ~TApplication() override;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  const std::string& Title() const { return FTitle; }
  const THintSettings& HintSettings() const { return FHintSettings; }

  // The layout scale of the screen the program runs on (see LayoutScaleFor).
  // The density is the primary screen's logical one, read at start; windows
  // created after SetScreenDpi are laid out for the density given there.
  double LayoutScale() const { return LayoutScaleFor(FScreenDpi); }
  void SetScreenDpi(double Dpi) { FScreenDpi = Dpi; }
  // The layout scale of a window of client size Design at 96 per inch, made
  // to fit the primary screen's area for windows (see FittedLayoutScale).
  double WindowScale(QSize Design) const;

  // The main window: closing it ends the program; error boxes open over it
  // when no other window of the program is active.
  void SetMainWindow(QWidget* Window) { FMainWindow = Window; }
  QWidget* MainWindow() const { return FMainWindow; }

  // The program's icon on the taskbar and on every window of the program,
  // those shown already and those to come. Given once; later calls do nothing.
  // The start gives it after the main window's first paint: handing a window
  // all the icon's sizes takes a few milliseconds, twice over for a window
  // created while the application has an icon.
  void ShowProgramIcon();

  // Runs one event handler. An error that escapes it ends the handler there and
  // is shown in the error box; the program goes on.
  template <typename THandler>
  void Guard(THandler&& Handler) noexcept;

  // The error box: modal, captioned with the title, stop icon, one OK button,
  // its words in ErrorBoxFont.
  void ShowError(const std::string& SjisMessage) noexcept;
  // A question in a box that looks like the error box (caption, type, place)
  // with two buttons: true when Yes was pressed. No is the default button, and
  // Esc and closing the box answer it too, so that Enter changes nothing.
  bool AskQuestion(const QString& Message, const QString& Yes, const QString& No) noexcept;
  // The program's face as large as the windows' button captions, and never
  // smaller than a hint's text: read by the same eyes as the rest.
  QFont ErrorBoxFont() const;

  // Shows Window modally until it is closed; the other windows take no input
  // meanwhile but repaint, and timers keep running. Returns 2 (cancel), the
  // only result that closing the window gives.
  int ShowModal(QDialog& Window);

  // Handles the events that are pending and returns at once. Keyboard and
  // mouse input waits for the loop, so no handler of the user's runs inside.
  void PumpEvents();

  // Asks the event loops to end; the program then ends with exit code 0.
  void Terminate();
  bool Terminated() const { return FTerminated; }

  // Runs the main event loop until Terminate; returns the exit code.
  int Run();

  // The hint controller that the event watch feeds (none until installed).
  void InstallHintController(std::unique_ptr<THintController> Controller);
  THintController* HintController() const { return FHintController.get(); }

protected:
  // Feeds the hint controller, and carries out Alt+F4, the close command.
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  // Shows Box as the error box is shown: over the active window or the main
  // window, in ErrorBoxFont, the window active before taking the keyboard
  // back afterwards. The box is made by Make(Parent).
  template <typename TMake>
  void RunBox(TMake&& Make);
  void ForwardToHints(QObject* Watched, QEvent* Event);

  QApplication& FToolkit;
  std::string FTitle;
  THintSettings FHintSettings;
  double FScreenDpi = 96.0;
  QPointer<QWidget> FMainWindow;
  bool FTerminated = false;
  bool FIconShown = false;
  QTranslator FTranslator;
  bool FTranslatorInstalled = false;
  std::unique_ptr<THintController> FHintController;
};

#include <exception>

#include "platform/app_error.h"

template <typename THandler>
void TApplication::Guard(THandler&& Handler) noexcept {
  try {
    Handler();
  } catch (const EAppError& Error) {
    ShowError(Error.Message());
  } catch (const std::exception& Error) {
    ShowError(Error.what());
  }
}
