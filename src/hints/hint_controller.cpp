#include "hint_controller.h"

#include <QVariant>
#include <QWidget>

QString ControlHint(const QWidget* Control) {
  if (Control == nullptr) return QString();
  return Control->property(HintProperty).toString();
}
