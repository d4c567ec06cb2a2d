// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/access/accessibility.h"
#include "app/access/native_geometry.h"
#include "app/access/native_pixels_accessible.h"
#include "app/windows/window_support.h"
#include "app/windows/window_texts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLabel>


namespace {

// The role a widget is told with, where its class does not say it; a label
// with the static-text role is a label whose text is its value.
constexpr const char* RoleProperty = "surasuraAccessibleRole";

// The program's own interfaces tell their widget's place in the screen's own
// pixels, as the wrapped interfaces of the other widgets do.
class TNativePixelsWidget : public QAccessibleWidget {
public:
  TNativePixelsWidget(QWidget* Widget, QAccessible::Role Role) : QAccessibleWidget(Widget, Role) {}

  // Only the place: the child at a point is found by the children's places,
  // which are in the screen's own pixels too.
  QRect rect() const override { return NativeRect(*widget(), QAccessibleWidget::rect()); }
};

// A widget told with the role it is marked with.
class TRoleAccessible : public TNativePixelsWidget {
public:
  TRoleAccessible(QWidget* Widget, QAccessible::Role Role) : TNativePixelsWidget(Widget, Role) {}
};

// A label with a name of its own, whose text is its value. The text is also
// offered read-only through the text interface, which is what a screen reader
// reads and what its change notices travel by.
class TValueLabelAccessible : public TNativePixelsWidget, public QAccessibleTextInterface {
public:
  explicit TValueLabelAccessible(QLabel* Label) : TNativePixelsWidget(Label, QAccessible::StaticText) {}

  void* interface_cast(QAccessible::InterfaceType Type) override {
    if (Type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(Type);
  }

  QString text(QAccessible::Text Which) const override {
    if (Which == QAccessible::Value) return Text();
    return QAccessibleWidget::text(Which);
  }

  QAccessible::State state() const override {
    QAccessible::State State = QAccessibleWidget::state();
    State.readOnly = true;
    return State;
  }

  // QAccessibleTextInterface: the whole text, no caret, no selection.
  QString text(int StartOffset, int EndOffset) const override { return Text().mid(StartOffset, EndOffset - StartOffset); }
  int characterCount() const override { return static_cast<int>(Text().size()); }
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  int selectionCount() const override { return 0; }
  void selection(int, int* StartOffset, int* EndOffset) const override { *StartOffset = *EndOffset = 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  QRect characterRect(int Offset) const override {
    const QFontMetrics Metrics(widget()->font());
    const QString Shown = Text();
    if (Offset < 0 || Offset >= Shown.size()) return QRect();
    const QPoint TopLeft = widget()->mapToGlobal(QPoint(Metrics.horizontalAdvance(Shown.left(Offset)), 0));
    const QSize Size(Metrics.horizontalAdvance(Shown.at(Offset)), Metrics.height());
    return NativeRect(*widget(), QRect(TopLeft, Size));
  }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int Offset, int* StartOffset, int* EndOffset) const override {
    *StartOffset = *EndOffset = Offset;
    return QString();
  }

private:
  QString Text() const { return static_cast<const QLabel*>(widget())->text(); }
};

// Set while the toolkit makes its own interface for a widget, which the
// program then wraps.
bool MakingOwnInterface = false;

// Every widget's interface: the program's own for a widget marked with a
// role, the toolkit's wrapped for the others, all in the screen's own pixels.
// The toolkit's interface enters its cache under the widget as it is made;
// the wrapper returned here then takes the widget's entry.
QAccessibleInterface* ProgramInterfaceFor(const QString&, QObject* Object) {
  if (Object == nullptr || !Object->isWidgetType() || MakingOwnInterface) return nullptr;
  const QVariant Marked = Object->property(RoleProperty);
  if (!Marked.isValid()) {
    MakingOwnInterface = true;
    QAccessibleInterface* Own = QAccessible::queryAccessibleInterface(Object);
    MakingOwnInterface = false;
    return Own != nullptr ? InNativePixels(Own) : nullptr;
  }
  const auto Role = static_cast<QAccessible::Role>(Marked.toInt());
  if (auto* Label = qobject_cast<QLabel*>(Object); Label != nullptr && Role == QAccessible::StaticText) {
    return new TValueLabelAccessible(Label);
  }
  return new TRoleAccessible(static_cast<QWidget*>(Object), Role);
}

// Marks Widget with Role. The toolkit keeps the first interface it made for
// an object; one made before the mark (as soon as assistive technology
// looked) is dropped, so that the next look gets the program's.
void GiveRole(QWidget& Widget, QAccessible::Role Role) {
  InstallAccessibleInterfaces();
  Widget.setProperty(RoleProperty, static_cast<int>(Role));
  QAccessibleInterface* Interface = QAccessible::queryAccessibleInterface(&Widget);
  if (Interface != nullptr && dynamic_cast<TRoleAccessible*>(Interface) == nullptr &&
      dynamic_cast<TValueLabelAccessible*>(Interface) == nullptr) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(Interface));
  }
}

void AnnounceValue(QWidget& Control, const QString& Value) {
  QAccessibleValueChangeEvent Event(&Control, Value);
  QAccessible::updateAccessibility(&Event);
}

}  // namespace

void InstallAccessibleInterfaces() {
  static const bool Installed = [] {
    QAccessible::installFactory(&ProgramInterfaceFor);
    return true;
  }();
  (void)Installed;
}

void SetAccessibleTexts(QWidget& Control, const char* Name, const char* Description) {
  Control.setAccessibleName(QString::fromUtf8(Name));
  Control.setAccessibleDescription(QString::fromUtf8(Description));
}

void ShowTextAsValue(QLabel& Label) { GiveRole(Label, QAccessible::StaticText); }

void ShowAsWindow(QWidget& Window) { GiveRole(Window, QAccessible::Window); }

void ShowAsChart(QWidget& Chart) { GiveRole(Chart, QAccessible::Chart); }

void ShowAsErrorBox(QWidget& Box, const QString& Message) {
  GiveRole(Box, QAccessible::AlertMessage);
  Box.setAccessibleName(QString::fromUtf8(WindowTexts::ErrorBoxName));
  Box.setAccessibleDescription(Message);
}

void AnnounceDescription(QWidget& Control, const std::string& SjisDescription) {
  // The toolkit sends the description-change notice itself, once per change.
  Control.setAccessibleDescription(FromSjisText(SjisDescription));
}

void AnnounceNewTopLine(QWidget& Log, const QString& Line) {
  AnnounceValue(Log, Line);
  // The row's own creation notice: the platform's bridge passes it on as a
  // new child of the list, the line being the child's name. The list's rows
  // follow insertions only while assistive technology listens; a row asked
  // for at another time would keep its place in the list's cache and name an
  // older line later.
  if (!QAccessible::isActive()) return;
  QAccessibleInterface* List = QAccessible::queryAccessibleInterface(&Log);
  QAccessibleInterface* Row = List != nullptr && List->childCount() > 0 ? List->child(0) : nullptr;
  if (Row != nullptr) {
    QAccessibleEvent Event(Row, QAccessible::ObjectCreated);
    QAccessible::updateAccessibility(&Event);
  }
}

void AnnounceLabelText(QLabel& Label, const QString& OldText) {
  AnnounceValue(Label, Label.text());
  QAccessibleTextUpdateEvent Event(&Label, 0, OldText, Label.text());
  QAccessible::updateAccessibility(&Event);
}
