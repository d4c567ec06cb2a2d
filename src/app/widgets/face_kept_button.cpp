// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/face_kept_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <optional>

namespace {

// The one colour the button stands on: its window's background, filled by
// the window itself.
std::optional<QRgb> GroundColor(const QWidget& Button) {
  const QWidget* Parent = Button.parentWidget();
  if (Parent == nullptr || !Parent->autoFillBackground()) return std::nullopt;
  const QBrush& Ground = Parent->palette().brush(Parent->backgroundRole());
  if (Ground.style() != Qt::SolidPattern || !Ground.isOpaque()) return std::nullopt;
  return Ground.color().rgba();
}

}  // namespace

void TFaceKeptButton::paintEvent(QPaintEvent* Event) {
  const std::optional<QRgb> Ground = GroundColor(*this);
  if (!Ground) {
    QPushButton::paintEvent(Event);
    return;
  }
  QStyleOptionButton Option;
  initStyleOption(&Option);
  const TLook Look{static_cast<int>(Option.state),
                   static_cast<int>(Option.features),
                   size(),
                   Option.text,
                   Option.icon.cacheKey(),
                   Option.iconSize,
                   Option.palette.cacheKey(),
                   font().key(),
                   devicePixelRatioF(),
                   *Ground,
                   style()};
  if (FFace.isNull() || !(Look == FLook)) {
    // What a paint on the window would do: the window's background, then the
    // style's face with a painter set up from the button.
    FFace = QImage(size() * Look.PixelRatio, QImage::Format_ARGB32_Premultiplied);
    FFace.setDevicePixelRatio(Look.PixelRatio);
    FFace.fill(QColor::fromRgba(*Ground));
    QPainter Face(&FFace);
    Face.setFont(font());
    Face.setPen(QPen(palette().brush(foregroundRole()), 1));
    Face.setBackground(palette().brush(backgroundRole()));
    style()->drawControl(QStyle::CE_PushButton, &Option, &Face, this);
    FLook = Look;
  }
  QPainter Painter(this);
  Painter.drawImage(0, 0, FFace);
}
