#include "form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <map>

#include "accessibility.h"
#include "aligned_edit.h"
#include "app_error.h"
#include "application.h"
#include "font_table.h"
#include "form1_layout.h"
#include "form2.h"
#include "hint_driver.h"
#include "logo.h"
#include "program_texts.h"
#include "qt_colors.h"
#include "sjis.h"

namespace {

QString FromSjisText(const std::string& Sjis) { return QString::fromStdString(FromSjis(Sjis)); }

std::string ToSjisText(const QString& Text) { return ToSjis(Text.toStdString()); }

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

// A check box that a click anywhere in its bounds toggles, not only on its box
// and caption.
class TWholeCheckBox : public QCheckBox {
public:
  using QCheckBox::QCheckBox;

protected:
  bool hitButton(const QPoint& Pos) const override { return rect().contains(Pos); }
};

}  // namespace

TForm1::TForm1(TApplication& Application, TDrillClock& Clock)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      FApplication(Application),
      FClock(Clock),
      FRun(*this, Clock),
      FScale(Application.LayoutScale()) {
  const TFormLayout& Window = Form1Window();
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(FromSjisText(Texts().*Window.Caption));
  setFixedSize(Scaled(Window.ClientWidth), Scaled(Window.ClientHeight));
  setFont(ProgramFont(Texts().*Window.Face, Scaled(Window.FontHeight)));
  QPalette Palette = palette();
  Palette.setColor(QPalette::Window, ToQColor(Window.Background));
  setPalette(Palette);
  setAutoFillBackground(true);
  SetAccessibleTexts(*this, Texts().*Window.AccessibleName, Texts().*Window.AccessibleDescription);

  std::map<std::string, QWidget*> Created;
  for (const TControlLayout& Layout : Form1Controls()) Created[Layout.Name] = CreateControl(Layout);
  Edit1 = static_cast<TAlignedEdit*>(Created.at("Edit1"));
  Edit4 = static_cast<TAlignedEdit*>(Created.at("Edit4"));
  Edit2 = static_cast<TAlignedEdit*>(Created.at("Edit2"));
  Edit3 = static_cast<TAlignedEdit*>(Created.at("Edit3"));
  Label1 = static_cast<QLabel*>(Created.at("Label1"));
  Label2 = static_cast<QLabel*>(Created.at("Label2"));
  Label3 = static_cast<QLabel*>(Created.at("Label3"));
  Label4 = static_cast<QLabel*>(Created.at("Label4"));
  Image1 = static_cast<QLabel*>(Created.at("Image1"));
  Button1 = static_cast<QPushButton*>(Created.at("Button1"));
  Button2 = static_cast<QPushButton*>(Created.at("Button2"));
  Button3 = static_cast<QPushButton*>(Created.at("Button3"));
  CheckBox1 = static_cast<QCheckBox*>(Created.at("CheckBox1"));
  ListBox1 = static_cast<QListWidget*>(Created.at("ListBox1"));
  // The clock is read out as "経過時間" with the time as its value.
  ShowTextAsValue(*Label1);

  // The tab order of the layout.
  std::vector<const TControlLayout*> TabStops;
  for (const TControlLayout& Layout : Form1Controls()) {
    if (Layout.TabOrder >= 0) TabStops.push_back(&Layout);
  }
  std::sort(TabStops.begin(), TabStops.end(),
            [](const TControlLayout* A, const TControlLayout* B) { return A->TabOrder < B->TabOrder; });
  for (std::size_t I = 1; I < TabStops.size(); ++I) {
    QWidget::setTabOrder(Created.at(TabStops[I - 1]->Name), Created.at(TabStops[I]->Name));
  }

  Edit3->SetDirectKeys(true);
  Edit3->installEventFilter(this);
  for (QWidget* Control : std::initializer_list<QWidget*>{Button1, Button2, Button3, CheckBox1}) {
    Control->installEventFilter(this);
  }

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(500);
  // Never a little early: a tick shows the whole seconds the drill has run.
  Timer1->setTimerType(Qt::PreciseTimer);
  connect(Timer1, &QTimer::timeout, this, [this] { FApplication.Guard([this] { Timer1Timer(); }); });
  connect(Button1, &QPushButton::clicked, this, [this] { FApplication.Guard([this] { Button1Click(); }); });
  connect(Button2, &QPushButton::clicked, this, [this] { FApplication.Guard([this] { Button2Click(); }); });
  connect(Button3, &QPushButton::clicked, this, [this] { FApplication.Guard([this] { Button3Click(); }); });
  connect(CheckBox1, &QCheckBox::clicked, this, [this] { FApplication.Guard([this] { CheckBox1Click(); }); });

  FApplication.SetMainWindow(this);
}

TForm1::~TForm1() = default;

int TForm1::Scaled(int Pixels) const { return static_cast<int>(std::lround(Pixels * FScale)); }

QWidget* TForm1::CreateControl(const TControlLayout& Layout) {
  const QPalette& System = QApplication::palette();
  const QString Caption = Layout.Caption ? FromSjisText(Texts().*Layout.Caption) : QString();
  QWidget* Control = nullptr;
  QPalette Palette = palette();
  const QColor Text = ToQColor(Layout.FontColour);
  const QColor Back = ToQColor(Layout.Background);
  switch (Layout.Kind) {
    case kdAlignedEdit: {
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
    case kdLabel: {
      auto* Label = new QLabel(Caption, this);
      Palette.setColor(QPalette::WindowText, Text);
      Control = Label;
      break;
    }
    case kdPushButton: {
      auto* Button = new QPushButton(Caption, this);
      Button->setAutoDefault(false);  // Enter is handled by the window's key rules
      Palette.setColor(QPalette::ButtonText, Text);
      Palette.setColor(QPalette::Button, Back);
      Control = Button;
      break;
    }
    case kdCheckBox: {
      auto* Box = new TWholeCheckBox(Caption, this);
      Box->setChecked(false);
      Palette.setColor(QPalette::WindowText, Text);
      Control = Box;
      break;
    }
    case kdListBox: {
      auto* List = new QListWidget(this);
      List->setSelectionMode(QAbstractItemView::SingleSelection);
      List->setSortingEnabled(false);
      List->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
      List->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      List->setUniformItemSizes(true);
      List->setItemDelegate(new TRowHeightDelegate(Scaled(Form1Window().ListRowHeight), List));
      Palette.setColor(QPalette::Text, Text);
      Palette.setColor(QPalette::Base, Back);
      Control = List;
      break;
    }
    case kdImage: {
      auto* Image = new QLabel(this);
      Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      Control = Image;
      break;
    }
  }
  Control->setObjectName(QString::fromLatin1(Layout.Name));
  Control->setPalette(Palette);
  if (Layout.Face != nullptr) Control->setFont(ProgramFont(Texts().*Layout.Face, Scaled(Layout.FontHeight)));
  Control->setFocusPolicy(Layout.TabOrder >= 0 ? Qt::StrongFocus : Qt::NoFocus);
  if (Layout.Hint != nullptr) Control->setProperty(TApplication::HintProperty, FromSjisText(Texts().*Layout.Hint));
  if (Layout.AccessibleName != nullptr) {
    SetAccessibleTexts(*Control, Texts().*Layout.AccessibleName, Texts().*Layout.AccessibleDescription);
  }
  PlaceControl(Control, Layout);
  return Control;
}

void TForm1::PlaceControl(QWidget* Control, const TControlLayout& Layout) {
  QSize Size(Scaled(Layout.Width), Scaled(Layout.Height));
  if (Layout.Kind == kdImage) {
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
  Control->setGeometry(Scaled(Layout.Left), Scaled(Layout.Top), Size.width(), Size.height());
}

void TForm1::FormCreate() {
  ShowClock(Texts().ClockAtRest);
  CentreOnDesktop();
  show();
  raise();
  activateWindow();
  Button1->setFocus(Qt::ActiveWindowFocusReason);
  FShownBefore = true;
  // From now on hints show in the program's enlarged hint window.
  FApplication.InstallHintController(std::make_unique<THintDriver>(FApplication.HintSettings()));
}

void TForm1::CentreOnDesktop() {
  if (FShownBefore) return;
  const QScreen* Screen = QGuiApplication::primaryScreen();
  if (Screen == nullptr) return;
  const QRect Desktop = Screen->virtualGeometry();
  const QSize Outer = frameGeometry().size();
  move(std::max(0, (Desktop.width() - Outer.width()) / 2), std::max(0, (Desktop.height() - Outer.height()) / 2));
}

// Event handlers ------------------------------------------------------------

void TForm1::Button1Click() { FRun.Start(FClock.TickCount()); }

void TForm1::Button2Click() {
  FRun.Abort();
  FApplication.PumpEvents();
  close();
}

void TForm1::Button3Click() {
  if (FForm2 != nullptr) FApplication.ShowModal(*FForm2);
  FocusControl(Button1);
}

void TForm1::CheckBox1Click() { FocusControl(Button1); }

void TForm1::Timer1Timer() { FRun.Tick(FClock.TickCount()); }

bool TForm1::Edit3KeyPress(const QString& Character, bool IsEnter) {
  if (IsEnter) {
    FRun.EnterPressed(ToSjisText(Edit3->text()), CheckBox1->isChecked(), FClock.TickCount());
    return true;
  }
  const std::string Bytes = ToSjisText(Character);
  return !(Bytes.size() == 1 && FRun.FilterKey(Bytes[0]));
}

void TForm1::closeEvent(QCloseEvent* Event) {
  // A run under way ends without a trace; the window stays on screen until the
  // program has ended.
  FRun.Abort();
  Event->ignore();
  FApplication.Terminate();
}

bool TForm1::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::KeyPress) {
    auto* Key = static_cast<QKeyEvent*>(Event);
    if (Watched == Edit3) {
      const bool IsEnter = Key->key() == Qt::Key_Return || Key->key() == Qt::Key_Enter;
      // Keys that type nothing (arrows, Delete, Tab) act as usual. The X server
      // gives Delete the text DEL, but Delete is an editing key, not a character.
      if (!IsEnter && (Key->text().isEmpty() || Key->key() == Qt::Key_Tab || Key->key() == Qt::Key_Backtab ||
                       Key->key() == Qt::Key_Delete)) {
        return false;
      }
      bool Taken = true;
      FApplication.Guard([&] { Taken = Edit3KeyPress(Key->text(), IsEnter); });
      return Taken;
    }
    if (Watched == Button1 || Watched == Button2 || Watched == Button3 || Watched == CheckBox1) {
      return ButtonKey(static_cast<QWidget*>(Watched), Key);
    }
  } else if (Event->type() == QEvent::FocusIn || Event->type() == QEvent::FocusOut) {
    // A focused push button is drawn as the default button.
    if (auto* Button = dynamic_cast<QPushButton*>(Watched)) Button->setDefault(Event->type() == QEvent::FocusIn);
  }
  return false;
}

bool TForm1::ButtonKey(QWidget* Control, QKeyEvent* Key) {
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
        // Enter alone clicks the focused button; with Shift, Ctrl or Alt it does nothing.
        if (Modifiers == Qt::NoModifier) Button->click();
        return true;
      }
      return false;
    default:
      return false;
  }
}

// Display operations of the drill run ---------------------------------------

void TForm1::ClearLog() { ListBox1->clear(); }

void TForm1::InsertLogLine(const std::string& Line) {
  const QString Text = FromSjisText(Line);
  ListBox1->insertItem(0, Text);
  AnnounceValue(*ListBox1, Text);
}

void TForm1::ClearAnswer() { Edit3->clear(); }

void TForm1::FocusAnswer() { FocusControl(Edit3); }

void TForm1::ShowQuestion(const std::string& LeftText, const std::string& Glyph, const std::string& RightText) {
  Edit1->setText(FromSjisText(LeftText));
  Edit2->setText(FromSjisText(RightText));
  Edit4->setText(FromSjisText(Glyph));
}

void TForm1::ClearQuestion() {
  Edit1->clear();
  Edit2->clear();
  Edit3->clear();
  Edit4->clear();
}

void TForm1::ShowClock(const std::string& Text) {
  // The clock is set twice a second but its text changes once: only a change
  // is announced.
  const QString Before = Label1->text();
  Label1->setText(FromSjisText(Text));
  // The label's size follows its text: three minute digits make it wider.
  Label1->resize(Label1->sizeHint());
  if (Label1->text() != Before) AnnounceLabelText(*Label1, Before);
}

void TForm1::FocusStart() { FocusControl(Button1); }

void TForm1::ShowError(const std::string& Message) { FApplication.ShowError(Message); }

void TForm1::StoreSummary(const std::string& Line) {
  if (FForm2 == nullptr) throw EAppError(Texts().StreamWriteError);
  FForm2->StoreSummary(Line);
}

bool TForm1::StartClock() {
  if (!Timer1->isActive()) Timer1->start();
  return Timer1->isActive();
}

void TForm1::StopClock() { Timer1->stop(); }

void TForm1::UpdateDisplay() { FApplication.PumpEvents(); }

void TForm1::FocusControl(QWidget* Control) {
  if (!Control->isVisible() || !Control->isEnabled() || !isEnabled()) {
    throw EAppError(Texts().CannotFocusDisabledWindow);
  }
  if (!isActiveWindow()) activateWindow();
  Control->setFocus(Qt::OtherFocusReason);
}
