// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <map>

#include "app/access/accessibility.h"
#include "app/assets/logo.h"
#include "app/shell/application.h"
#include "app/widgets/aligned_edit.h"
#include "app/widgets/focus_mark.h"
#include "app/widgets/whole_check_box.h"
#include "app/windows/graph_window.h"
#include "app/windows/main_window_layout.h"
#include "app/windows/window_support.h"
#include "app/windows/window_texts.h"
#include "chart_qt/font_table.h"
#include "chart_qt/qt_colors.h"
#include "drill/drill_texts.h"
#include "hints/contrast.h"
#include "hints/hint_driver.h"
#include "platform/app_error.h"
#include "platform/program_texts.h"
#include "platform/sjis.h"
#include "results/results.h"

namespace {

// Rows of the drill log are all one height, that of the layout.
class TRowHeightDelegate : public QStyledItemDelegate {
public:
  TRowHeightDelegate(int RowHeight, QObject* Parent) : QStyledItemDelegate(Parent), FRowHeight(RowHeight) {}
  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    QSize Size = QStyledItemDelegate::sizeHint(Option, Index);
    Size.setHeight(FRowHeight);
    return Size;
  }

private:
  int FRowHeight;
};

// The text colour of a control on its ground. Where one of the two is the
// desktop's, which a dark palette turns dark, the text is made readable;
// pairs of the program's own colours stay as they are.
QColor ShownTextColour(const TControlLayout& Layout) {
  const TColor Ground = Layout.Background == clFormBackground ? MainWindowLayout().Background : Layout.Background;
  auto IsSystem = [](TColor Colour) { return (Colour & clSystemColor) != 0; };
  if (!IsSystem(Layout.FontColour) && !IsSystem(Ground)) return ToQColor(Layout.FontColour);
  return ToQColor(ReadableTextColor(ColorToRGB(Layout.FontColour), ColorToRGB(Ground)));
}

}  // namespace

TMainWindow::TMainWindow(TApplication& Application, TDrillClock& Clock, TResults& Results)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      FApplication(Application),
      FClock(Clock),
      FResults(Results),
      FRun(*this, Clock),
      FScale(Application.WindowScale(
          QSize(MainWindowLayout().ClientWidth, MainWindowLayout().ClientHeight))) {
  const TFormLayout& Window = MainWindowLayout();
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QString::fromUtf8(Window.Caption));
  setFixedSize(Scaled(Window.ClientWidth), Scaled(Window.ClientHeight));
  setFont(ProgramFont(Texts().*Window.Face, Scaled(Window.FontHeight)));
  QPalette Palette = palette();
  Palette.setColor(QPalette::Window, ToQColor(Window.Background));
  setPalette(Palette);
  setAutoFillBackground(true);
  SetAccessibleTexts(*this, Window.AccessibleName, Window.AccessibleDescription);
  ShowAsWindow(*this);

  std::map<std::string, QWidget*> Created;
  for (const TControlLayout& Layout : MainWindowControls()) Created[Layout.Name] = CreateControl(Layout);
  LeftBox = static_cast<TAlignedEdit*>(Created.at("LeftBox"));
  OperatorBox = static_cast<TAlignedEdit*>(Created.at("OperatorBox"));
  RightBox = static_cast<TAlignedEdit*>(Created.at("RightBox"));
  AnswerBox = static_cast<TAlignedEdit*>(Created.at("AnswerBox"));
  ClockLabel = static_cast<QLabel*>(Created.at("ClockLabel"));
  EqualsLabel = static_cast<QLabel*>(Created.at("EqualsLabel"));
  MakerLabel = static_cast<QLabel*>(Created.at("MakerLabel"));
  AuthorLabel = static_cast<QLabel*>(Created.at("AuthorLabel"));
  LogoImage = static_cast<QLabel*>(Created.at("LogoImage"));
  StartButton = static_cast<QPushButton*>(Created.at("StartButton"));
  EndButton = static_cast<QPushButton*>(Created.at("EndButton"));
  ChartButton = static_cast<QPushButton*>(Created.at("ChartButton"));
  UntilCorrectBox = static_cast<QCheckBox*>(Created.at("UntilCorrectBox"));
  LogBox = static_cast<QListWidget*>(Created.at("LogBox"));
  // The clock starts with the drill's clock text at rest; its size follows.
  ClockLabel->setText(FromSjisText(DrillTexts().ClockAtRest));
  PlaceControl(ClockLabel, MainWindowControl("ClockLabel"));
  // The clock is read out as "経過時間" with the time as its value.
  ShowTextAsValue(*ClockLabel);

  // The tab order of the layout.
  std::vector<const TControlLayout*> TabStops;
  for (const TControlLayout& Layout : MainWindowControls()) {
    if (Layout.TabOrder >= 0) TabStops.push_back(&Layout);
  }
  std::sort(TabStops.begin(), TabStops.end(),
            [](const TControlLayout* A, const TControlLayout* B) { return A->TabOrder < B->TabOrder; });
  for (std::size_t I = 1; I < TabStops.size(); ++I) {
    QWidget::setTabOrder(Created.at(TabStops[I - 1]->Name), Created.at(TabStops[I]->Name));
  }
  auto* Mark = new TFocusMark(this);
  for (const TControlLayout* Stop : TabStops) Mark->Watch(*Created.at(Stop->Name));

  AnswerBox->SetDirectKeys(true);
  AnswerBox->installEventFilter(this);
  for (QWidget* Control : std::initializer_list<QWidget*>{StartButton, EndButton, ChartButton, UntilCorrectBox}) {
    Control->installEventFilter(this);
  }

  ClockTimer = new QTimer(this);
  ClockTimer->setObjectName(QStringLiteral("ClockTimer"));
  ClockTimer->setInterval(500);
  // Never a little early: a tick shows the whole seconds the drill has run.
  ClockTimer->setTimerType(Qt::PreciseTimer);
  connect(ClockTimer, &QTimer::timeout, this, [this] { FApplication.Guard([this] { ClockTick(); }); });
  connect(StartButton, &QPushButton::clicked, this, [this] { FApplication.Guard([this] { StartClick(); }); });
  connect(EndButton, &QPushButton::clicked, this, [this] { FApplication.Guard([this] { EndClick(); }); });
  connect(ChartButton, &QPushButton::clicked, this, [this] { FApplication.Guard([this] { ChartClick(); }); });
  connect(UntilCorrectBox, &QCheckBox::clicked, this, [this] { FApplication.Guard([this] { UntilCorrectClick(); }); });

  FApplication.SetMainWindow(this);
}

TMainWindow::~TMainWindow() = default;

int TMainWindow::Scaled(int Pixels) const { return ScaledPixels(Pixels, FScale); }

QWidget* TMainWindow::CreateControl(const TControlLayout& Layout) {
  const QPalette& System = QApplication::palette();
  const QString Caption = Layout.Caption ? QString::fromUtf8(Layout.Caption) : QString();
  QWidget* Control = nullptr;
  QPalette Palette = palette();
  const QColor Text = ShownTextColour(Layout);
  const QColor Back = ToQColor(Layout.Background);
  switch (Layout.Kind) {
    case TControlKind::AlignedEdit: {
      auto* Edit = new TAlignedEdit(this);
      Edit->SetAlignment(Layout.Alignment);
      Edit->SetReadOnly(Layout.ReadOnly);
      if (Layout.MaxLength > 0) Edit->setMaxLength(Layout.MaxLength);
      Edit->setText(Caption);
      Palette.setColor(QPalette::Text, Text);
      Palette.setColor(QPalette::Base, Back);
      Control = Edit;
      break;
    }
    case TControlKind::Label: {
      auto* Label = new QLabel(Caption, this);
      Palette.setColor(QPalette::WindowText, Text);
      Control = Label;
      break;
    }
    case TControlKind::PushButton: {
      auto* Button = new QPushButton(Caption, this);
      Button->setAutoDefault(false);  // Enter is handled by the window's key rules
      Palette.setColor(QPalette::ButtonText, Text);
      Palette.setColor(QPalette::Button, Back);
      Control = Button;
      break;
    }
    case TControlKind::CheckBox: {
      auto* Box = new TWholeCheckBox(Caption, this);
      Box->setChecked(false);
      Palette.setColor(QPalette::WindowText, Text);
      // The box stands on the window's own light ground: white with a black
      // tick as on a light desktop. A dark palette's box would be a dark
      // square that reads as ticked.
      Palette.setColor(QPalette::Base, Qt::white);
      Palette.setColor(QPalette::Text, Qt::black);
      Control = Box;
      break;
    }
    case TControlKind::ListBox: {
      auto* List = new QListWidget(this);
      List->setSelectionMode(QAbstractItemView::SingleSelection);
      List->setSortingEnabled(false);
      List->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
      List->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      List->setUniformItemSizes(true);
      List->setItemDelegate(new TRowHeightDelegate(Scaled(MainWindowLayout().ListRowHeight), List));
      Palette.setColor(QPalette::Text, Text);
      Palette.setColor(QPalette::Base, Back);
      Control = List;
      break;
    }
    case TControlKind::Image: {
      auto* Image = new QLabel(this);
      Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      Control = Image;
      break;
    }
  }
  Control->setObjectName(QString::fromLatin1(Layout.Name));
  Control->setPalette(Palette);
  if (Layout.Face != nullptr) Control->setFont(ProgramFont(Texts().*Layout.Face, Scaled(Layout.FontHeight)));
  // The question boxes are reached by Tab (a screen reader reads them there)
  // but not by a click, which would take the typing away from the answer box.
  const Qt::FocusPolicy Reached = Layout.ReadOnly ? Qt::TabFocus : Qt::StrongFocus;
  Control->setFocusPolicy(Layout.TabOrder >= 0 ? Reached : Qt::NoFocus);
  if (Layout.Hint != nullptr) Control->setProperty(HintProperty, QString::fromUtf8(Layout.Hint));
  if (Layout.AccessibleName != nullptr) SetAccessibleTexts(*Control, Layout.AccessibleName, Layout.AccessibleDescription);
  PlaceControl(Control, Layout);
  return Control;
}

void TMainWindow::PlaceControl(QWidget* Control, const TControlLayout& Layout) {
  QSize Size(Scaled(Layout.Width), Scaled(Layout.Height));
  if (Layout.Kind == TControlKind::Image) {
    // The picture fills the control with its aspect kept; the control takes
    // the picture's size, scaled like the rest of the layout.
    const QImage Picture = LogoPicture();
    if (!Picture.isNull()) {
      Size = QSize(Scaled(Picture.width()), Scaled(Picture.height()));
      static_cast<QLabel*>(Control)->setPixmap(
          QPixmap::fromImage(Picture.scaled(Size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
  } else if (Layout.AutoSize) {
    Size = Control->sizeHint();
  }
  int Top = Scaled(Layout.Top);
  if (Layout.Kind == TControlKind::CheckBox) {
    // The caption's letters, and the box as tall as they are, are never cut:
    // where the letters are taller than the layout's control, it grows about
    // its middle.
    const int Letters = QFontMetrics(Control->font()).tightBoundingRect(QString::fromUtf8(Layout.Caption)).height();
    if (Letters > Size.height()) {
      Top -= (Letters - Size.height()) / 2;
      Size.setHeight(Letters);
    }
  }
  Control->setGeometry(Scaled(Layout.Left), Top, Size.width(), Size.height());
}

void TMainWindow::ShowAtStart() {
  ShowClock(DrillTexts().ClockAtRest);
  CentreOnDesktop();
  show();
  raise();
  activateWindow();
  StartButton->setFocus(Qt::ActiveWindowFocusReason);
  FShownBefore = true;
  // From now on hints show in the program's enlarged hint window.
  FApplication.InstallHintController(std::make_unique<THintDriver>(FApplication.HintSettings()));
}

void TMainWindow::CentreOnDesktop() {
  if (FShownBefore) return;
  ::CentreOnDesktop(*this);
}

// Event handlers ------------------------------------------------------------

void TMainWindow::StartClick() { FRun.Start(FClock.TickCount()); }

void TMainWindow::EndClick() {
  FRun.Abort();
  FApplication.PumpEvents();
  close();
}

void TMainWindow::ChartClick() {
  if (FGraphWindow != nullptr) FApplication.ShowModal(*FGraphWindow);
  // During a drill the next keys are the next answer: at the start button the
  // Enter after them would start the drill anew and lose the answers given.
  FocusControl(FRun.State() == TRunState::Asking ? static_cast<QWidget*>(AnswerBox) : StartButton);
}

void TMainWindow::UntilCorrectClick() { FocusControl(StartButton); }

void TMainWindow::ClockTick() { FRun.Tick(FClock.TickCount()); }

bool TMainWindow::AnswerKeyPress(const QString& Character, bool IsEnter) {
  if (IsEnter) {
    FRun.EnterPressed(ToSjisText(AnswerBox->text()), UntilCorrectBox->isChecked(), FClock.TickCount());
    return true;
  }
  const std::string Bytes = ToSjisText(Character);
  return !(Bytes.size() == 1 && FRun.FilterKey(Bytes[0]));
}

void TMainWindow::closeEvent(QCloseEvent* Event) {
  // A run under way ends without a trace; the window stays on screen until the
  // program has ended.
  FRun.Abort();
  Event->ignore();
  if (FEnding) return;  // a second close while the end's message is up
  FEnding = true;
  // Finished drills the file does not hold yet get a last try; the message
  // says where they wait when they still cannot be written.
  FApplication.Guard([this] { FResults.Finish(); });
  FApplication.Terminate();
}

bool TMainWindow::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::KeyPress) {
    auto* Key = static_cast<QKeyEvent*>(Event);
    if (Watched == AnswerBox) {
      const bool IsEnter = Key->key() == Qt::Key_Return || Key->key() == Qt::Key_Enter;
      // Enter held down answers one question, not question after question.
      if (IsEnter && Key->isAutoRepeat()) return true;
      // Keys that type nothing (arrows, Delete, Tab) act as usual. The X server
      // gives Delete the text DEL, but Delete is an editing key, not a character.
      if (!IsEnter && (Key->text().isEmpty() || Key->key() == Qt::Key_Tab || Key->key() == Qt::Key_Backtab ||
                       Key->key() == Qt::Key_Delete)) {
        return false;
      }
      bool Taken = true;
      FApplication.Guard([&] { Taken = AnswerKeyPress(Key->text(), IsEnter); });
      return Taken;
    }
    if (Watched == StartButton || Watched == EndButton || Watched == ChartButton || Watched == UntilCorrectBox) {
      return ButtonKey(static_cast<QWidget*>(Watched), Key);
    }
  } else if (Event->type() == QEvent::FocusIn || Event->type() == QEvent::FocusOut) {
    // A focused push button is drawn as the default button.
    if (auto* Button = dynamic_cast<QPushButton*>(Watched)) Button->setDefault(Event->type() == QEvent::FocusIn);
  }
  return false;
}

bool TMainWindow::ButtonKey(QWidget* Control, QKeyEvent* Key) {
  const Qt::KeyboardModifiers Modifiers = Key->modifiers() & ~Qt::KeypadModifier;
  switch (Key->key()) {
    // Arrows held with Alt move nothing (nor does the button's own handling).
    case Qt::Key_Left:
    case Qt::Key_Up:
      if (!(Modifiers & Qt::AltModifier)) focusNextPrevChild(false);
      return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
      if (!(Modifiers & Qt::AltModifier)) focusNextPrevChild(true);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (auto* Button = dynamic_cast<QPushButton*>(Control)) {
        // Enter alone clicks the focused button; with Shift, Ctrl or Alt it does
        // nothing. Right after a drill's last answer it is that answer's Enter
        // pressed twice (or held), and the result stays on screen.
        const bool Slip = Button == StartButton && !FRun.TakesStartKey(FClock.TickCount());
        if (Modifiers == Qt::NoModifier && !Slip) Button->click();
        return true;
      }
      return false;
    default:
      return false;
  }
}

// Display operations of the drill run ---------------------------------------

void TMainWindow::ClearLog() { LogBox->clear(); }

void TMainWindow::InsertLogLine(const std::string& Line) {
  const QString Text = FromSjisText(Line);
  LogBox->insertItem(0, Text);
  AnnounceNewTopLine(*LogBox, Text);
}

void TMainWindow::ClearAnswer() { AnswerBox->clear(); }

void TMainWindow::FocusAnswer() { FocusControl(AnswerBox); }

void TMainWindow::ShowQuestion(const std::string& LeftText, const std::string& Glyph, const std::string& RightText) {
  LeftBox->setText(FromSjisText(LeftText));
  RightBox->setText(FromSjisText(RightText));
  OperatorBox->setText(FromSjisText(Glyph));
}

void TMainWindow::ClearQuestion() {
  LeftBox->clear();
  RightBox->clear();
  AnswerBox->clear();
  OperatorBox->clear();
}

void TMainWindow::ShowClock(const std::string& Text) {
  // The clock is set twice a second but its text changes once: only a change
  // is announced.
  const QString Before = ClockLabel->text();
  ClockLabel->setText(FromSjisText(Text));
  // The label's size follows its text: three minute digits make it wider.
  ClockLabel->resize(ClockLabel->sizeHint());
  if (ClockLabel->text() != Before) AnnounceLabelText(*ClockLabel, Before);
}

void TMainWindow::FocusStart() { FocusControl(StartButton); }

void TMainWindow::ShowError(const std::string& Message) { FApplication.ShowError(Message); }

void TMainWindow::StoreSummary(const std::string& Line) {
  FResults.Record(Line);
  // A daily copy that could not be made is told once the window is at rest.
  if (std::string Notice = FResults.TakeCopyNotice(); !Notice.empty()) {
    QTimer::singleShot(0, this, [this, Notice = std::move(Notice)] { FApplication.ShowError(Notice); });
  }
}

bool TMainWindow::StartClock() {
  if (!ClockTimer->isActive()) ClockTimer->start();
  return ClockTimer->isActive();
}

void TMainWindow::StopClock() { ClockTimer->stop(); }

void TMainWindow::UpdateDisplay() { FApplication.PumpEvents(); }

void TMainWindow::FocusControl(QWidget* Control) {
  if (!Control->isVisible() || !Control->isEnabled() || !isEnabled()) {
    throw EAppError(FixedSjis(WindowTexts::CannotFocusDisabledWindow));
  }
  if (!isActiveWindow()) activateWindow();
  Control->setFocus(Qt::OtherFocusReason);
}
