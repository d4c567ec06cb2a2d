// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A push button that keeps the picture of its face. The style draws the face
// once for each look (state, size, caption, palette, font) onto the window's
// background and later paints copy it: the graph window's close button is
// painted at every opening, and the style lays out its caption anew each
// time. A button whose window does not fill its background with one colour
// paints as any push button.
#include <QImage>
#include <QPushButton>

class TFaceKeptButton : public QPushButton {
public:
  using QPushButton::QPushButton;

protected:
  void paintEvent(QPaintEvent* Event) override;

private:
  struct TLook {
    int State = 0;
    int Features = 0;
    QSize Size;
    QString Text;
    qint64 Icon = 0;
    QSize IconSize;
    qint64 Palette = 0;
    QString Font;
    qreal PixelRatio = 0;
    QRgb Background = 0;
    const QStyle* Style = nullptr;
    bool operator==(const TLook&) const = default;
  };

  QImage FFace;
  TLook FLook;
};
