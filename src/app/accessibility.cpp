#include "accessibility.h"
#include "window_support.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLabel>


namespace {

// Marks a label whose text is its value.
constexpr const char* ValueLabelProperty = "surasuraTextIsValue";

// A label with a name of its own, whose text is its value. The text is also
// offered read-only through the text interface, which is what a screen reader
// reads and what its change notices travel by.
class TValueLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
  explicit TValueLabelAccessible(QLabel* Label) : QAccessibleWidget(Label, QAccessible::StaticText) {}

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
    return QRect(TopLeft, QSize(Metrics.horizontalAdvance(Shown.at(Offset)), Metrics.height()));
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

QAccessibleInterface* ProgramInterfaceFor(const QString& ClassName, QObject* Object) {
  if (ClassName == QLatin1String("QLabel") && Object != nullptr && Object->property(ValueLabelProperty).toBool()) {
    return new TValueLabelAccessible(static_cast<QLabel*>(Object));
  }
  return nullptr;
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

void ShowTextAsValue(QLabel& Label) {
  InstallAccessibleInterfaces();
  Label.setProperty(ValueLabelProperty, true);
  // The toolkit keeps the first interface it made for an object; one made
  // before the label was marked (as soon as assistive technology looked) is
  // dropped, so that the next look gets the value label's.
  QAccessibleInterface* Interface = QAccessible::queryAccessibleInterface(&Label);
  if (Interface != nullptr && dynamic_cast<TValueLabelAccessible*>(Interface) == nullptr) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(Interface));
  }
}

void AnnounceDescription(QWidget& Control, const std::string& SjisDescription) {
  // The toolkit sends the description-change notice itself, once per change.
  Control.setAccessibleDescription(FromSjisText(SjisDescription));
}

void AnnounceValue(QWidget& Control, const QString& Value) {
  QAccessibleValueChangeEvent Event(&Control, Value);
  QAccessible::updateAccessibility(&Event);
}

void AnnounceLabelText(QLabel& Label, const QString& OldText) {
  AnnounceValue(Label, Label.text());
  QAccessibleTextUpdateEvent Event(&Label, 0, OldText, Label.text());
  QAccessible::updateAccessibility(&Event);
}
