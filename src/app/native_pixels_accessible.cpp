// A widget's accessible interface whose place is in the screen's own pixels:
// a wrapper that hands every question to the toolkit's interface and maps the
// answers that are places on the screen.
#include "native_pixels_accessible.h"
#include "native_geometry.h"

#include <QAccessible>
#include <QWidget>

namespace {

// The text interface is the toolkit's too, but for the places of characters
// (where a magnifier follows the caret) and the point a character is asked
// at; it is offered only where the toolkit's interface has one.
class TNativePixelsAccessible : public QAccessibleInterface, public QAccessibleTextInterface {
public:
  explicit TNativePixelsAccessible(QAccessibleInterface* Own) : Own(Own), OwnId(QAccessible::uniqueId(Own)) {}

  // By its cache id: the cache may have deleted Own first when it ends.
  ~TNativePixelsAccessible() override { QAccessible::deleteAccessibleInterface(OwnId); }

  QRect rect() const override {
    const QWidget* Shown = Widget();
    return Shown != nullptr ? NativeRect(*Shown, Own->rect()) : Own->rect();
  }

  // A child widget is found by the place it tells, in the screen's own
  // pixels; a part that is no widget (a row of a list) by the toolkit's
  // interface, which places it in logical pixels.
  QAccessibleInterface* childAt(int X, int Y) const override {
    for (int Index = Own->childCount() - 1; Index >= 0; --Index) {
      QAccessibleInterface* Child = Own->child(Index);
      if (Child != nullptr && Child->isValid() && Child->rect().contains(X, Y)) return Child;
    }
    const QWidget* Shown = Widget();
    const QPoint At = Shown != nullptr ? LogicalPoint(*Shown, QPoint(X, Y)) : QPoint(X, Y);
    QAccessibleInterface* Part = Own->childAt(At.x(), At.y());
    const bool IsWidget = Part != nullptr && Part->object() != nullptr && Part->object()->isWidgetType();
    return IsWidget ? nullptr : Part;
  }

  bool isValid() const override { return Own->isValid(); }
  QObject* object() const override { return Own->object(); }
  QWindow* window() const override { return Own->window(); }
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation Match) const override {
    return Own->relations(Match);
  }
  QAccessibleInterface* focusChild() const override { return Own->focusChild(); }
  QAccessibleInterface* parent() const override { return Own->parent(); }
  QAccessibleInterface* child(int Index) const override { return Own->child(Index); }
  int childCount() const override { return Own->childCount(); }
  int indexOfChild(const QAccessibleInterface* Child) const override { return Own->indexOfChild(Child); }
  QString text(QAccessible::Text Which) const override { return Own->text(Which); }
  void setText(QAccessible::Text Which, const QString& Text) override { Own->setText(Which, Text); }
  QAccessible::Role role() const override { return Own->role(); }
  QAccessible::State state() const override { return Own->state(); }
  QColor foregroundColor() const override { return Own->foregroundColor(); }
  QColor backgroundColor() const override { return Own->backgroundColor(); }
  void virtual_hook(int Id, void* Data) override { Own->virtual_hook(Id, Data); }
  void* interface_cast(QAccessible::InterfaceType Type) override {
    if (Type == QAccessible::TextInterface && OwnText() != nullptr) return static_cast<QAccessibleTextInterface*>(this);
    return Own->interface_cast(Type);
  }

  // The text interface.
  QRect characterRect(int Offset) const override {
    const QWidget* Shown = Widget();
    const QRect Logical = OwnText()->characterRect(Offset);
    return Shown != nullptr ? NativeRect(*Shown, Logical) : Logical;
  }
  int offsetAtPoint(const QPoint& Point) const override {
    const QWidget* Shown = Widget();
    return OwnText()->offsetAtPoint(Shown != nullptr ? LogicalPoint(*Shown, Point) : Point);
  }
  void selection(int Index, int* Start, int* End) const override { OwnText()->selection(Index, Start, End); }
  int selectionCount() const override { return OwnText()->selectionCount(); }
  void addSelection(int Start, int End) override { OwnText()->addSelection(Start, End); }
  void removeSelection(int Index) override { OwnText()->removeSelection(Index); }
  void setSelection(int Index, int Start, int End) override { OwnText()->setSelection(Index, Start, End); }
  int cursorPosition() const override { return OwnText()->cursorPosition(); }
  void setCursorPosition(int Position) override { OwnText()->setCursorPosition(Position); }
  QString text(int Start, int End) const override { return OwnText()->text(Start, End); }
  QString textBeforeOffset(int Offset, QAccessible::TextBoundaryType Boundary, int* Start, int* End) const override {
    return OwnText()->textBeforeOffset(Offset, Boundary, Start, End);
  }
  QString textAfterOffset(int Offset, QAccessible::TextBoundaryType Boundary, int* Start, int* End) const override {
    return OwnText()->textAfterOffset(Offset, Boundary, Start, End);
  }
  QString textAtOffset(int Offset, QAccessible::TextBoundaryType Boundary, int* Start, int* End) const override {
    return OwnText()->textAtOffset(Offset, Boundary, Start, End);
  }
  int characterCount() const override { return OwnText()->characterCount(); }
  void scrollToSubstring(int Start, int End) override { OwnText()->scrollToSubstring(Start, End); }
  QString attributes(int Offset, int* Start, int* End) const override {
    return OwnText()->attributes(Offset, Start, End);
  }

private:
  const QWidget* Widget() const { return qobject_cast<const QWidget*>(Own->object()); }
  QAccessibleTextInterface* OwnText() const { return Own->textInterface(); }

  QAccessibleInterface* const Own;
  const QAccessible::Id OwnId;
};

}  // namespace

QAccessibleInterface* InNativePixels(QAccessibleInterface* Own) { return new TNativePixelsAccessible(Own); }
