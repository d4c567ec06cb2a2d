// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a widget is in the screen's own pixels. The toolkit places widgets in
// scaled (logical) pixels; assistive technology that reads a place from
// outside the process (a screen magnifier following the focus, a click at a
// control's middle) works in the pixels the screen has.
#include <QPoint>
#include <QRect>

class QWidget;

// Logical, a rectangle in global logical pixels on Widget's screen, in the
// screen's own pixels: scaled by the widget's pixel ratio about the screen's
// top-left corner, which both kinds of pixel share. A null rectangle (a
// widget not shown) stays null; at a ratio of 1 nothing changes.
QRect NativeRect(const QWidget& Widget, const QRect& Logical);

// The other way: a point in the screen's own pixels, in global logical
// pixels, for a question such as "which control is at this point".
QPoint LogicalPoint(const QWidget& Widget, const QPoint& Native);
