// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/whole_check_box.h"

#include <QFontMetrics>
#include <QProxyStyle>
#include <algorithm>

namespace {

// The desktop's style with the check box's box sized to the caption's letters
// (the style's own box is a fixed 13 or so pixels, a speck beside a large
// caption). The tick is drawn to the box's size.
class TCaptionSizedBoxStyle : public QProxyStyle {
public:
  int pixelMetric(PixelMetric Metric, const QStyleOption* Option, const QWidget* Widget) const override {
    const auto* Box = qobject_cast<const QCheckBox*>(Widget);
    if (Box != nullptr && (Metric == PM_IndicatorWidth || Metric == PM_IndicatorHeight)) {
      const int Letters = QFontMetrics(Box->font()).tightBoundingRect(Box->text()).height();
      return std::min(std::max(Letters, QProxyStyle::pixelMetric(Metric, Option, Widget)), Box->height());
    }
    return QProxyStyle::pixelMetric(Metric, Option, Widget);
  }
};

}  // namespace

TWholeCheckBox::TWholeCheckBox(const QString& Caption, QWidget* Parent) : QCheckBox(Caption, Parent) {
  auto* Style = new TCaptionSizedBoxStyle;
  Style->setParent(this);
  setStyle(Style);
}
