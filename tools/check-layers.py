#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Keeps the folders of src/ pointing one way: each includes only the folders
below it (and itself), and the cores, which know no window system, include no
Qt header. Prints every include that breaks this and exits 1; 0 when none does.

usage: check-layers.py SRC_DIR"""
import os
import re
import sys

# What each folder may include besides itself.
MAY_INCLUDE = {
    "platform": set(),
    "drill": {"platform"},
    "history": {"platform"},
    "chart": {"platform"},
    "results": {"platform", "history", "chart"},
    "hints": {"platform"},
    # The chart widget tells the hints of its points through the hints' interface.
    "chart_qt": {"platform", "chart", "hints"},
    "app": {"platform", "drill", "history", "chart", "results", "hints", "chart_qt"},
}
QT_FREE = {"platform", "drill", "history", "chart", "results"}

QUOTED = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
ANGLED = re.compile(r'^\s*#\s*include\s+<(Q[A-Za-z]*)[/>]')


def faults(src):
    for folder in sorted(os.listdir(src)):
        if folder not in MAY_INCLUDE:
            if os.path.isdir(os.path.join(src, folder)):
                yield "%s/: a folder the layers do not name" % folder
            continue
        for directory, _, files in os.walk(os.path.join(src, folder)):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(directory, name)
                shown = os.path.relpath(path, src)
                with open(path, encoding="utf-8") as text:
                    for number, line in enumerate(text, 1):
                        quoted = QUOTED.match(line)
                        if quoted:
                            target = quoted.group(1)
                            layer = target.split("/")[0] if "/" in target else None
                            if layer is None:
                                yield "%s:%d: \"%s\" names no folder" % (shown, number, target)
                            elif layer != folder and layer not in MAY_INCLUDE[folder]:
                                yield "%s:%d: %s reaches up into %s/" % (shown, number, folder, layer)
                        angled = ANGLED.match(line)
                        if angled and folder in QT_FREE:
                            yield "%s:%d: <%s> in %s/, which knows no Qt" % (shown, number, angled.group(1), folder)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    found = list(faults(sys.argv[1]))
    for fault in found:
        print(fault)
    print("%d includes against the layers" % len(found))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
