#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program on enlarged screens, under Xvfb: scaled by the toolkit
(QT_SCALE_FACTOR, QT_FONT_DPI), by an X server of 144 or 192 dots per inch (Xvfb -dpi with
the desktop's Xft.dpi), and on a 1366 x 768 laptop screen at 150 %. Each case
checks that both windows lie wholly on the screen at the size the scaling
rule gives, that the hint grows with the windows, and that the bottom row's
buttons are there to click: the score chart button opens the graph window,
the end button ends the program.

usage: run_scaling.py PROGRAM CASE
Exits with 77 (skipped) only when the X server cannot start."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_support import GRAPH_TITLE, Session, TestFailure, check, wait_for  # noqa: E402

SKIPPED = 77
MAIN_CLIENT = (792, 566)
GRAPH_CLIENT = (792, 573)

# name: (screen size, dots per inch, environment, device pixels per layout pixel
# expected of the main window; None where the window is fitted to the screen)
CASES = {
    "qt_scale_1_25": ((1920, 1080), 96, {"QT_SCALE_FACTOR": "1.25"}, 1.25),
    "qt_scale_1_5": ((1920, 1080), 96, {"QT_SCALE_FACTOR": "1.5"}, 1.5),
    "qt_scale_2": ((2560, 1440), 96, {"QT_SCALE_FACTOR": "2"}, 2.0),
    "xserver_144_dpi": ((1920, 1080), 144, {}, 1.5),
    "xserver_192_dpi": ((2560, 1440), 192, {}, 2.0),
    "font_dpi_144": ((1920, 1080), 96, {"QT_FONT_DPI": "144"}, 1.5),
    "laptop_1366x768_at_150": ((1366, 768), 96, {"QT_SCALE_FACTOR": "1.5"}, None),
}


class ScaledSession(Session):
    """A session whose X server has the given screen size and density; the
    density reaches the toolkit as the desktop's Xft.dpi resource."""

    def __init__(self, program, size, dpi, extra_env):
        super().__init__(program)
        self.size, self.dpi, self.extra_env = size, dpi, extra_env

    def _xvfb_screen(self):
        return ["-screen", "0", "%dx%dx24" % self.size, "-dpi", str(self.dpi)]

    def _start_x_server(self):
        try:
            super()._start_x_server()
        except (OSError, TestFailure):  # no Xvfb, or it did not start
            raise XServerMissing()

    def __enter__(self):
        super().__enter__()
        self.env.update(self.extra_env)
        for name in ("QT_SCALE_FACTOR", "QT_FONT_DPI", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING"):
            if name not in self.extra_env:
                self.env.pop(name, None)
        if self.dpi != 96:
            subprocess.run(["xprop", "-root", "-format", "RESOURCE_MANAGER", "8s", "-set", "RESOURCE_MANAGER",
                            "Xft.dpi:\t%d\n" % self.dpi], env=self.env, check=True)
        return self


class XServerMissing(Exception):
    pass


def on_screen(session, window, what):
    box = session.geometry(window)
    width, height = session.size
    check(box["X"] >= 0 and box["Y"] >= 0 and box["X"] + box["WIDTH"] <= width and box["Y"] + box["HEIGHT"] <= height,
          "%s at %s lies off the %dx%d screen" % (what, box, width, height))
    return box


def click_at(session, window, ratio, x, y):
    """Clicks at (x, y) of the layout, in device pixels of a window that has
    ratio device pixels per layout pixel."""
    session.xdo("mousemove", "--window", window, str(round(x * ratio)), str(round(y * ratio)))
    session.xdo("click", "1")


def hint_height(session, ratio):
    """Rests the pointer on the start button and measures its hint."""
    session.xdo("mousemove", "--window", session.main, str(round(690 * ratio)), str(round(71 * ratio)))
    hint = wait_for("the start button's hint", session.hint_window, timeout=10)
    height = session.geometry(hint)["HEIGHT"]
    session.xdo("mousemove", "--window", session.main, "5", "5")
    return height


def run_case(program, name):
    size, dpi, env, expected_ratio = CASES[name]
    # The hint at 100 % on the same screen, to compare with.
    with ScaledSession(program, size, 96, {}) as plain:
        plain.start()
        plain_hint = hint_height(plain, 1.0)
        plain.close_box(plain.main)
        check(plain.exit_code() == 0, "exit code not 0 at 100 %")

    with ScaledSession(program, size, dpi, env) as session:
        session.start()
        box = on_screen(session, session.main, "the main window")
        ratio = box["WIDTH"] / MAIN_CLIENT[0]
        if expected_ratio is not None:
            check(box["WIDTH"] == round(MAIN_CLIENT[0] * expected_ratio)
                  and box["HEIGHT"] == round(MAIN_CLIENT[1] * expected_ratio),
                  "main window %(WIDTH)dx%(HEIGHT)d" % box + ", expected %g times 792x566" % expected_ratio)
        else:
            check(1.0 < ratio < 1.5, "main window %(WIDTH)dx%(HEIGHT)d, not fitted to the screen" % box)
            # Room is kept for a window manager's title bar and borders.
            check(box["HEIGHT"] >= size[1] - 80, "main window %(WIDTH)dx%(HEIGHT)d, smaller than it need be" % box)
        check(abs(box["HEIGHT"] - MAIN_CLIENT[1] * ratio) <= 2, "main window %(WIDTH)dx%(HEIGHT)d out of proportion" % box)
        print("%s: main window %dx%d" % (name, box["WIDTH"], box["HEIGHT"]))

        hint = hint_height(session, ratio)
        hint_ratio = expected_ratio or 1.5  # the hint follows the toolkit's scale, not the fit
        check(hint >= plain_hint * hint_ratio - 3, "hint %d high, at 100 %% %d" % (hint, plain_hint))
        print("%s: hint %d high (%d at 100 %%)" % (name, hint, plain_hint))

        # The score chart button of the bottom row opens the graph window.
        click_at(session, session.main, ratio, 523, 543)
        graph = wait_for("the graph window", lambda: session.window_named(GRAPH_TITLE))
        graph_box = on_screen(session, graph, "the graph window")
        graph_ratio = graph_box["WIDTH"] / GRAPH_CLIENT[0]
        check(abs(graph_box["HEIGHT"] - GRAPH_CLIENT[1] * graph_ratio) <= 2,
              "graph window %(WIDTH)dx%(HEIGHT)d out of proportion" % graph_box)
        if expected_ratio is not None:
            check(abs(graph_ratio - expected_ratio) < 0.01, "graph window %(WIDTH)dx%(HEIGHT)d" % graph_box)
        print("%s: graph window %dx%d" % (name, graph_box["WIDTH"], graph_box["HEIGHT"]))
        # Its close button, at the top right, closes it.
        click_at(session, graph, graph_ratio, 749, 24)
        wait_for("the graph window to close", lambda: session.window_named(GRAPH_TITLE) is None)

        # The end button of the bottom row ends the program.
        session.xdo("windowfocus", "--sync", session.main)
        click_at(session, session.main, ratio, 697, 543)
        check(session.exit_code() == 0, "the end button did not end the program")


def main():
    if len(sys.argv) != 3 or sys.argv[2] not in CASES:
        print(__doc__ + "\ncases: " + ", ".join(CASES), file=sys.stderr)
        return 2
    try:
        run_case(sys.argv[1], sys.argv[2])
    except XServerMissing:
        print("skipped: Xvfb could not start", file=sys.stderr)
        return SKIPPED
    except TestFailure as failure:
        print("FAILED: %s" % failure, file=sys.stderr)
        return 1
    print("passed: " + sys.argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main())
