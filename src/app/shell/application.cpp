// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/application.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <memory>

#include "app/access/accessibility.h"
#include "app/assets/program_icon.h"
#include "app/windows/window_support.h"
#include "app/windows/window_texts.h"
#include "chart_qt/font_table.h"
#include "chart_qt/qt_colors.h"
#include "hints/hint_window.h"
#include "platform/program_texts.h"
#include "platform/sjis.h"

namespace {

bool IsSjisLeadByte(unsigned char C) { return (C >= 0x81 && C <= 0x9F) || (C >= 0xE0 && C <= 0xFC); }

// Length of the character that starts at Text[Pos]: 2 for a lead byte with a
// byte after it, else 1.
std::size_t CharLength(const std::string& Text, std::size_t Pos) {
  return IsSjisLeadByte(static_cast<unsigned char>(Text[Pos])) && Pos + 1 < Text.size() ? 2 : 1;
}

}  // namespace

std::string ApplicationTitle(const std::string& SjisFileName) {
  // The directory ends at the last "/"; no trail byte of a double-byte
  // character has that value.
  const std::size_t Slash = SjisFileName.rfind('/');
  std::string Name = Slash == std::string::npos ? SjisFileName : SjisFileName.substr(Slash + 1);
  for (std::size_t Pos = 0; Pos < Name.size(); Pos += CharLength(Name, Pos)) {
    if (Name[Pos] == '.') {
      Name.erase(Pos);
      break;
    }
  }
  // Letters after the first byte go to lower case. Double-byte characters are
  // left whole: lowering a trail byte would turn it into another character.
  for (std::size_t Pos = 0; Pos < Name.size();) {
    const std::size_t Length = CharLength(Name, Pos);
    if (Pos > 0 && Length == 1 && Name[Pos] >= 'A' && Name[Pos] <= 'Z') Name[Pos] = static_cast<char>(Name[Pos] - 'A' + 'a');
    Pos += Length;
  }
  return Name;
}

std::string ErrorBoxText(const std::string& SjisMessage) {
  if (SjisMessage.empty()) return SjisMessage;
  std::size_t Last = 0;
  for (std::size_t Pos = 0; Pos < SjisMessage.size(); Pos += CharLength(SjisMessage, Pos)) Last = Pos;
  const std::string LastChar = SjisMessage.substr(Last);
  // std::string compares its bytes as unsigned char.
  return LastChar > std::string(".") ? SjisMessage + "." : SjisMessage;
}

double LayoutScaleFor(double Dpi) {
  constexpr int DesignTextHeight = 19;
  // The character height of the window font once scaled to the screen; a font
  // of N pixels is N pixels high, so this is also the measured height.
  const int Measured = static_cast<int>(std::lround(DesignTextHeight * Dpi / 96.0));
  if (Measured <= 0 || Measured == DesignTextHeight) return 1.0;
  return static_cast<double>(Measured) / DesignTextHeight;
}

double FittedLayoutScale(double Scale, double DeviceRatio, QSize Design, QSize Available, QSize Frame) {
  if (Design.isEmpty()) return Scale;
  const double Across = static_cast<double>(Available.width() - Frame.width()) / Design.width();
  const double Down = static_cast<double>(Available.height() - Frame.height()) / Design.height();
  const double Fits = std::min(Across, Down);
  if (Scale <= Fits) return Scale;
  // The unscaled window in device pixels is the smallest it ever gets.
  const double Smallest = DeviceRatio > 0 ? 1.0 / DeviceRatio : 1.0;
  return std::max(Fits, Smallest);
}

TApplication::TApplication(QApplication& Toolkit, const std::string& SjisExecutablePath)
    : FToolkit(Toolkit), FTitle(ApplicationTitle(SjisExecutablePath)) {
  InstallFontSubstitutes();
  UseDesktopColors(QApplication::palette());
  // The desktop matches the running program to its desktop entry by this name.
  QGuiApplication::setDesktopFileName(ApplicationId());
  InstallAccessibleInterfaces();
  // The standard buttons of message boxes read in Japanese.
  if (FTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    FTranslatorInstalled = QCoreApplication::installTranslator(&FTranslator);
  }
  // The program ends when the main window is closed, not when windows hide.
  QApplication::setQuitOnLastWindowClosed(false);
  // Where the toolkit scales the layout itself the logical density stays 96.
  if (const QScreen* Screen = QGuiApplication::primaryScreen()) FScreenDpi = Screen->logicalDotsPerInch();
  FToolkit.installEventFilter(this);
}

TApplication::~TApplication() {
  FToolkit.removeEventFilter(this);
  if (FTranslatorInstalled) QCoreApplication::removeTranslator(&FTranslator);
}

double TApplication::WindowScale(QSize Design) const {
  const QScreen* Screen = QGuiApplication::primaryScreen();
  if (Screen == nullptr) return LayoutScale();
  // The window manager's frame is not known before the window is shown: the
  // style's title bar and borders stand in for it.
  const QStyle* Style = QApplication::style();
  const int Border = Style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  const QSize Frame(2 * Border, Style->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * Border);
  return FittedLayoutScale(LayoutScale(), Screen->devicePixelRatio(), Design, Screen->availableGeometry().size(), Frame);
}

void TApplication::ShowProgramIcon() {
  if (FIconShown) return;
  FIconShown = true;
  // The toolkit passes it on to the windows already shown, each once.
  QApplication::setWindowIcon(ProgramIcon());
}

QFont TApplication::ErrorBoxFont() const {
  // The buttons' size in the windows' layout, scaled as they are.
  constexpr int DesignHeight = 29;
  const int Height = std::max(ScaledPixels(DesignHeight, LayoutScale()), TMyHintWindow::TextPixelHeight());
  return ProgramFont(Texts().PGothicFace, Height);
}

template <typename TMake>
void TApplication::RunBox(TMake&& Make) {
  ShowProgramIcon();
  if (QWidget* Grabber = QWidget::mouseGrabber()) Grabber->releaseMouse();
  QWidget* Parent = QApplication::activeModalWidget();
  if (Parent == nullptr) Parent = QApplication::activeWindow();
  if (Parent == nullptr && FMainWindow != nullptr && FMainWindow->isVisible()) Parent = FMainWindow;
  // A box that comes while no window of the program is active yet (at the
  // start) gives the keyboard to the window it stands over.
  const QPointer<QWidget> WasActive = QApplication::activeWindow() ? QApplication::activeWindow() : Parent;
  QMessageBox& Box = Make(Parent);
  Box.setTextFormat(Qt::PlainText);
  Box.setFont(ErrorBoxFont());
  ShowAsErrorBox(Box, Box.text());
  if (Box.icon() == QMessageBox::Question) Box.setAccessibleName(QString::fromUtf8(WindowTexts::QuestionBoxName));
  Box.exec();
  Box.hide();
  // The window that was active before has the keyboard again, with its focus
  // where it was; without a window manager nobody else gives it back.
  const QWidget* NowActive = QApplication::activeWindow();
  if (WasActive != nullptr && WasActive->isVisible() && (NowActive == nullptr || NowActive == &Box)) {
    WasActive->activateWindow();
  }
}

void TApplication::ShowError(const std::string& SjisMessage) noexcept {
  try {
    std::unique_ptr<QMessageBox> Box;
    RunBox([&](QWidget* Parent) -> QMessageBox& {
      Box = std::make_unique<QMessageBox>(QMessageBox::Critical, FromSjisText(FTitle),
                                          FromSjisText(ErrorBoxText(SjisMessage)), QMessageBox::Ok, Parent);
      return *Box;
    });
  } catch (...) {
    // Nothing sensible is left to show an error with.
  }
}

bool TApplication::AskQuestion(const QString& Message, const QString& Yes, const QString& No) noexcept {
  try {
    std::unique_ptr<QMessageBox> Box;
    const QAbstractButton* YesButton = nullptr;
    RunBox([&](QWidget* Parent) -> QMessageBox& {
      Box = std::make_unique<QMessageBox>(QMessageBox::Question, FromSjisText(FTitle), Message,
                                          QMessageBox::NoButton, Parent);
      YesButton = Box->addButton(Yes, QMessageBox::AcceptRole);
      QPushButton* NoButton = Box->addButton(No, QMessageBox::RejectRole);
      Box->setDefaultButton(NoButton);
      Box->setEscapeButton(NoButton);
      return *Box;
    });
    return Box->clickedButton() == YesButton;
  } catch (...) {
    return false;
  }
}

int TApplication::ShowModal(QDialog& Window) {
  if (Window.isVisible() || !Window.isEnabled()) throw EAppError(FixedSjis(WindowTexts::CannotMakeVisibleWindowModal));
  if (QWidget* Grabber = QWidget::mouseGrabber()) Grabber->releaseMouse();
  const QPointer<QWidget> WasActive = QApplication::activeWindow();
  Window.exec();
  Window.hide();
  const QWidget* NowActive = QApplication::activeWindow();
  if (WasActive != nullptr && (NowActive == nullptr || NowActive == &Window)) WasActive->activateWindow();
  constexpr int ModalResultCancel = 2;
  return ModalResultCancel;
}

void TApplication::PumpEvents() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void TApplication::Terminate() {
  FTerminated = true;
  QCoreApplication::exit(0);
}

int TApplication::Run() {
  if (!FTerminated) FToolkit.exec();
  return 0;
}

void TApplication::InstallHintController(std::unique_ptr<THintController> Controller) {
  FHintController = std::move(Controller);
}

namespace {

// Alt+F4 is the close command of the window that has the keyboard. Where a
// window manager takes the key for itself this never comes; elsewhere the
// program carries the command out.
bool IsCloseCommand(const QEvent& Event) {
  if (Event.type() != QEvent::KeyPress) return false;
  const auto& Key = static_cast<const QKeyEvent&>(Event);
  const Qt::KeyboardModifiers Modifiers = Key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  return Key.key() == Qt::Key_F4 && Modifiers == Qt::AltModifier;
}

}  // namespace

bool TApplication::eventFilter(QObject* Watched, QEvent* Event) {
  if (FHintController != nullptr) ForwardToHints(Watched, Event);
  if (IsCloseCommand(*Event) && Watched->isWidgetType()) {
    QWidget* Window = static_cast<QWidget*>(Watched)->window();
    if (Window->isVisible() && Window->isEnabled()) {
      Event->accept();
      Window->close();
      return true;
    }
  }
  return false;
}

void TApplication::ForwardToHints(QObject* Watched, QEvent* Event) {
  switch (Event->type()) {
    // A window sees every move once, before its widgets (which see moves only
    // when they track the mouse). The pointer's entry into a window is a place
    // like a move's: a Wayland compositor may tell only the entry when the
    // pointer stops at once inside, with no move after it.
    case QEvent::MouseMove:
    case QEvent::Enter:
      if (Watched->isWindowType()) {
        const auto* At = static_cast<QSinglePointEvent*>(Event);
        const QPoint Global = At->globalPosition().toPoint();
        FHintController->PointerMoved(WidgetUnderPointer(Watched, At->position(), Global), Global);
      }
      break;
    case QEvent::Leave:
      if (Watched->isWindowType()) FHintController->PointerOutside();
      break;
    default:
      if (THintWindow::IsHintMsg(*Event)) FHintController->CancelHint();
      break;
  }
}
