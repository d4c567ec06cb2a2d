// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The toolkit's own accessible interface of a widget, told in the screen's
// own pixels: everything it says is passed on unchanged but the widget's
// place, which assistive technology reads as screen coordinates.
class QAccessibleInterface;

// Wraps Own, the interface the toolkit made for a widget and keeps in its
// cache; the wrapper takes the widget's place in that cache and deletes Own
// when it is deleted itself.
QAccessibleInterface* InNativePixels(QAccessibleInterface* Own);
