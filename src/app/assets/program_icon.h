// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's icon: one drawing, rendered to PNGs of the usual sizes when
// the program is built and carried inside it. The desktop entry installs the
// same PNGs, so the menu, the taskbar and the windows show the same picture.
#include <QIcon>
#include <QString>

// The name under which the desktop knows the program: its desktop entry, its
// icon and its metadata are all named after it.
QString ApplicationId();

// Every size of the icon that the program carries.
QIcon ProgramIcon();
