// SPDX-License-Identifier: GPL-3.0-or-later
// A widget's accessible interface whose place is in the screen's own pixels:
// a wrapper that hands every question to the toolkit's interface and maps the
// answers that are places on the screen.
#include "app/access/native_geometry.h"
#include "app/access/native_pixels_accessible.h"

#include <QAccessible>
#include <QPointer>
#include <QWidget>
#include <unordered_map>

namespace {

// A part of a widget that is no widget itself (a row of the log), told in the
// screen's own pixels. The toolkit makes and deletes such parts as its model
// changes; the wrapper holds the part by its cache id and is invalid once the
// part is gone.
class TNativePixelsPart : public QAccessibleInterface {
public:
  TNativePixelsPart(QAccessible::Id PartId, const QWidget* Widget) : FPartId(PartId), FWidget(Widget) {}

  QAccessibleInterface* Part() const { return QAccessible::accessibleInterface(FPartId); }

  QRect rect() const override {
    QAccessibleInterface* Own = Part();
    if (Own == nullptr) return QRect();
    return FWidget != nullptr ? NativeRect(*FWidget, Own->rect()) : Own->rect();
  }
  bool isValid() const override { return Part() != nullptr && Part()->isValid(); }
  QObject* object() const override { return Part() != nullptr ? Part()->object() : nullptr; }
  QWindow* window() const override { return Part() != nullptr ? Part()->window() : nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return Part() != nullptr ? Part()->parent() : nullptr; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text Which) const override { return Part() != nullptr ? Part()->text(Which) : QString(); }
  void setText(QAccessible::Text Which, const QString& Text) override {
    if (Part() != nullptr) Part()->setText(Which, Text);
  }
  QAccessible::Role role() const override { return Part() != nullptr ? Part()->role() : QAccessible::NoRole; }
  QAccessible::State state() const override {
    if (Part() != nullptr) return Part()->state();
    QAccessible::State Gone;
    Gone.invalid = true;
    return Gone;
  }
  void* interface_cast(QAccessible::InterfaceType Type) override {
    return Part() != nullptr ? Part()->interface_cast(Type) : nullptr;
  }

private:
  const QAccessible::Id FPartId;
  const QPointer<const QWidget> FWidget;
};

// The text interface is the toolkit's too, but for the places of characters
// (where a magnifier follows the caret) and the point a character is asked
// at; it is offered only where the toolkit's interface has one.
class TNativePixelsAccessible : public QAccessibleInterface, public QAccessibleTextInterface {
public:
  explicit TNativePixelsAccessible(QAccessibleInterface* Own) : FOwn(Own), FOwnId(QAccessible::uniqueId(Own)) {}

  // By its cache id: the cache may have deleted FOwn first when it ends.
  ~TNativePixelsAccessible() override {
    for (const auto& [Part, Wrapper] : FParts) QAccessible::deleteAccessibleInterface(Wrapper);
    QAccessible::deleteAccessibleInterface(FOwnId);
  }

  QRect rect() const override {
    const QWidget* Shown = Widget();
    return Shown != nullptr ? NativeRect(*Shown, FOwn->rect()) : FOwn->rect();
  }

  // A child widget is found by the place it tells, in the screen's own
  // pixels; a part that is no widget (a row of a list) by the toolkit's
  // interface, which places it in logical pixels.
  QAccessibleInterface* childAt(int X, int Y) const override {
    for (int Index = FOwn->childCount() - 1; Index >= 0; --Index) {
      QAccessibleInterface* Child = FOwn->child(Index);
      if (Child != nullptr && IsWidget(Child) && Child->isValid() && Child->rect().contains(X, Y)) return Child;
    }
    const QWidget* Shown = Widget();
    const QPoint At = Shown != nullptr ? LogicalPoint(*Shown, QPoint(X, Y)) : QPoint(X, Y);
    QAccessibleInterface* Part = FOwn->childAt(At.x(), At.y());
    return Part != nullptr && IsWidget(Part) ? nullptr : InPixels(Part);
  }

  bool isValid() const override { return FOwn->isValid(); }
  QObject* object() const override { return FOwn->object(); }
  QWindow* window() const override { return FOwn->window(); }
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation Match) const override {
    return FOwn->relations(Match);
  }
  QAccessibleInterface* focusChild() const override { return InPixels(FOwn->focusChild()); }
  QAccessibleInterface* parent() const override { return FOwn->parent(); }
  QAccessibleInterface* child(int Index) const override { return InPixels(FOwn->child(Index)); }
  int childCount() const override { return FOwn->childCount(); }
  int indexOfChild(const QAccessibleInterface* Child) const override {
    const auto* Wrapped = dynamic_cast<const TNativePixelsPart*>(Child);
    return FOwn->indexOfChild(Wrapped != nullptr ? Wrapped->Part() : Child);
  }
  QString text(QAccessible::Text Which) const override { return FOwn->text(Which); }
  void setText(QAccessible::Text Which, const QString& Text) override { FOwn->setText(Which, Text); }
  QAccessible::Role role() const override { return FOwn->role(); }
  QAccessible::State state() const override { return FOwn->state(); }
  QColor foregroundColor() const override { return FOwn->foregroundColor(); }
  QColor backgroundColor() const override { return FOwn->backgroundColor(); }
  void virtual_hook(int Id, void* Data) override { FOwn->virtual_hook(Id, Data); }
  void* interface_cast(QAccessible::InterfaceType Type) override {
    if (Type == QAccessible::TextInterface && OwnText() != nullptr) return static_cast<QAccessibleTextInterface*>(this);
    return FOwn->interface_cast(Type);
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
  const QWidget* Widget() const { return qobject_cast<const QWidget*>(FOwn->object()); }
  QAccessibleTextInterface* OwnText() const { return FOwn->textInterface(); }

  static bool IsWidget(const QAccessibleInterface* Interface) {
    return Interface->object() != nullptr && Interface->object()->isWidgetType();
  }

  // A widget's interface as it is (it is wrapped itself); a part in its
  // wrapper, the same one each time it is asked for.
  QAccessibleInterface* InPixels(QAccessibleInterface* Child) const {
    if (Child == nullptr || IsWidget(Child)) return Child;
    const QAccessible::Id PartId = QAccessible::uniqueId(Child);
    if (const auto Known = FParts.find(PartId); Known != FParts.end()) {
      auto* Wrapper = dynamic_cast<TNativePixelsPart*>(QAccessible::accessibleInterface(Known->second));
      if (Wrapper != nullptr && Wrapper->Part() == Child) return Wrapper;
      QAccessible::deleteAccessibleInterface(Known->second);
      FParts.erase(Known);
    }
    ForgetGoneParts();
    auto* Wrapper = new TNativePixelsPart(PartId, Widget());
    FParts.emplace(PartId, QAccessible::registerAccessibleInterface(Wrapper));
    return Wrapper;
  }

  // The wrappers of parts the toolkit has deleted go too, now and then: the
  // whole list is looked through each time it has doubled.
  void ForgetGoneParts() const {
    if (FParts.size() < 2 * FPartsAfterLastLook + 16) return;
    for (auto It = FParts.begin(); It != FParts.end();) {
      if (QAccessible::accessibleInterface(It->first) != nullptr) {
        ++It;
        continue;
      }
      QAccessible::deleteAccessibleInterface(It->second);
      It = FParts.erase(It);
    }
    FPartsAfterLastLook = FParts.size();
  }

  // The toolkit's part's id -> its wrapper's id.
  mutable std::unordered_map<QAccessible::Id, QAccessible::Id> FParts;
  mutable std::size_t FPartsAfterLastLook = 0;

  QAccessibleInterface* const FOwn;
  const QAccessible::Id FOwnId;
};

}  // namespace

QAccessibleInterface* InNativePixels(QAccessibleInterface* Own) { return new TNativePixelsAccessible(Own); }
