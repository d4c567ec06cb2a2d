// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' shared pieces: text conversion at the widget boundary, layout
// sizes, centring.
#include "app/windows/window_support.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/sjis.h"

QString FromSjisText(std::string_view Sjis) { return QString::fromStdString(FromSjis(Sjis)); }

std::string ToSjisText(const QString& Text) { return ToSjis(Text.toStdString()); }

int ScaledPixels(int Pixels, double Scale) { return static_cast<int>(std::lround(Pixels * Scale)); }

void CentreOnDesktop(QWidget& Window) {
  const QScreen* Screen = QGuiApplication::primaryScreen();
  if (Screen == nullptr) return;
  const QRect Desktop = Screen->virtualGeometry();
  const QSize Outer = Window.frameGeometry().size();
  Window.move(std::max(0, (Desktop.width() - Outer.width()) / 2), std::max(0, (Desktop.height() - Outer.height()) / 2));
}
