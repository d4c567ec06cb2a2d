#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program as a screen reader sees it: the real program, started with
accessibility on, read from outside its process through AT-SPI, as Orca
reads it.

The test starts everything itself: an X server (Xvfb), a session bus of its
own (dbus-run-session), the accessibility bus and its registry (started by
the session bus on the first look), and the program. It walks both windows'
trees for each object's Japanese name and role, opens the graph window and
the error box and hears them open, answers questions read from the question
boxes' texts in the answer box that has the focus, and hears each new log
line and each clock text as the events a screen reader receives.

The error box comes at the drill's end: the history file is a directory.

With --scaled the program runs at QT_SCALE_FACTOR 1.5 on a full-HD screen,
and the places it tells (in screen coordinates, which a screen magnifier
follows) are checked against the X server's: the main window's against its
X geometry, the start button's against its scaled place in the window, and a
click at the button's told middle starts a drill.

With --long-history the program opens the chart of 3,000 drills: where
only the bars stand the chart must be red, not black, and after End, Page Up
and Page Down its description must name the 30 drills shown.

Exit code 77 (skipped) when the accessibility bus, its launcher or pyatspi
is not there.

usage: run_atspi.py [--scaled | --long-history] PROGRAM"""
import os
import re
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support  # noqa: E402
from question_reader import OPERATORS  # noqa: E402
from e2e_support import HISTORY, MAIN_TITLE, TestFailure, check  # noqa: E402

SKIP = 77
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
SYSTEM_PYTHON = "/usr/bin/python3"
GRAPH_TITLE = "結果グラフ"
QUESTIONS_ANSWERED = 3

# The scaled case: the screen, the toolkit's scale, and the start button's
# place in the main window's client area in layout pixels.
SCALED_SCREEN = (1920, 1080)
SCALE = 1.5
START_BUTTON = (607, 52, 166, 38)
PIXELS_OFF = 2  # rounding at either edge

# What a screen reader finds in each window: the name and the role of every
# object the program shows, the window first.
MAIN_WINDOW_TREE = [
    ("すらすら算数帳", "frame"),
    ("左の数", "text"),
    ("演算子", "text"),
    ("右の数", "text"),
    ("等号", "label"),
    ("答え", "text"),
    ("経過時間", "label"),
    ("開始", "push button"),
    ("正解する迄", "check box"),
    ("記録", "list"),
    ("ロゴ", "image"),
    ("そよかぜ・ラボ", "label"),
    ("rezu！diz", "label"),
    ("成績図", "push button"),
    ("終了", "push button"),
]
GRAPH_WINDOW_TREE = [
    (GRAPH_TITLE, "dialog"),
    (GRAPH_TITLE, "chart"),
    ("閉じる", "push button"),
]
ERROR_BOX_NAME = "エラー"

CLOCK_TEXT = re.compile(r"^\d\d分\d\d秒$")
# "  1: 17 － 5 =  12  正解 ..."; "所要時間 ..." for the drill's summary.
LOG_LINE = re.compile(r"^ *(\d+): +(\d+) (\S) +(\d+) = +(\d+)  (正解|不正解)")


def japanese(text):
    return any(ord(c) >= 0x3000 for c in text or "")


class Listener:
    """The events a screen reader receives, each read when it comes (its
    object may be gone later) as (type, role, name, data): data is the text
    an event carries, or the name of the object it carries."""

    TYPES = ("window:activate", "object:state-changed:showing", "object:text-changed:insert",
             "object:children-changed:add", "focus:", "object:state-changed:focused")

    def __init__(self, pyatspi, glib):
        self.pyatspi = pyatspi
        self.context = glib.MainContext.default()
        self.events = []
        pyatspi.Registry.registerEventListener(self.heard, *self.TYPES)

    def heard(self, event):
        try:
            source = event.source
            data = event.any_data
            if hasattr(data, "getRoleName"):
                data = data.name
            self.events.append((event.type, source.getRoleName(), source.name, data))
        except Exception as error:  # an object gone before its event was read
            self.events.append((event.type, None, None, repr(error)))

    def pump(self):
        while self.context.iteration(False):
            pass

    def wait(self, what, condition, timeout=30.0):
        """Waits, hearing events meanwhile, until condition() gives a value."""
        end = time.monotonic() + timeout
        while True:
            self.pump()
            value = condition()
            if value:
                return value
            if time.monotonic() > end:
                raise TestFailure("timed out waiting for %s; heard: %r" % (what, self.events[-20:]))
            time.sleep(0.02)

    def first(self, kind, role=None, name=None, data=None):
        """The first event heard of that type (and role, name, data matching)."""
        for event in self.events:
            if (event[0] == kind and (role is None or event[1] == role) and (name is None or event[2] == name)
                    and (data is None or (isinstance(event[3], str) and data(event[3])))):
                return event
        return None


def descendants(accessible):
    yield accessible
    for child in accessible:
        if child is not None:
            yield from descendants(child)


def states(pyatspi, accessible):
    return {pyatspi.stateToString(state) for state in accessible.getState().getStates()}


def check_tree(pyatspi, window, expected):
    """Every object of the window has its Japanese name, a description, and
    the role of the table; the list's rows (the log's lines) are left out."""
    found = []
    for each in descendants(window):
        if each.parent is not None and each.parent.getRoleName() == "list":
            continue
        if "showing" not in states(pyatspi, each):
            continue
        found.append((each.name, each.getRoleName()))
        check(japanese(each.name), "%s %r has no Japanese name" % (each.getRoleName(), each.name))
        check(japanese(each.description), "%s %r has no Japanese description: %r"
              % (each.getRoleName(), each.name, each.description))
    check(found == expected, "the tree is %r, expected %r" % (found, expected))


def child_named(window, name, role):
    for each in descendants(window):
        if each.name == name and each.getRoleName() == role:
            return each
    raise TestFailure("no %s named %r" % (role, name))


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def click(session, accessible, pyatspi):
    """Clicks the middle of the object, found by the place it tells."""
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    session.xdo("mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2))
    session.xdo("click", "1")


def session_in(program, scratch):
    """A session on the X server and in the scratch directory of outside(),
    with the program's accessibility on."""
    return e2e_support.Session.joining(program, scratch, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")


def program_on_bus(listener, session):
    """The program's application object and its main window on the bus."""
    desktop = listener.pyatspi.Registry.getDesktop(0)
    application = listener.wait("the program on the accessibility bus", lambda: next(
        (app for app in desktop if app is not None and app.get_process_id() == session.proc.pid), None))
    main = listener.wait("the main window", lambda: next(
        (child for child in application if child is not None and child.name == MAIN_TITLE), None))
    return application, main


def extents(pyatspi, accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def check_extents(what, told, real):
    check(all(abs(a - b) <= PIXELS_OFF for a, b in zip(told, real)),
          "%s is told at %r (x, y, width, height), but is at %r" % (what, told, real))


def inside_scaled(program, scratch):
    """The scaled case, inside the session bus of its own."""
    import pyatspi
    from gi.repository import GLib

    session = session_in(program, scratch)
    listener = Listener(pyatspi, GLib)
    with e2e_support.Reported(session, "atspi scaled") as outcome:
        session.start()
        _, main = program_on_bus(listener, session)
        window = session.geometry(session.main)
        check_extents("the main window", extents(pyatspi, main),
                      (window["X"], window["Y"], window["WIDTH"], window["HEIGHT"]))
        check(window["WIDTH"] > 792 * SCALE - PIXELS_OFF, "the main window is not scaled: %r" % window)
        left, top, width, height = START_BUTTON
        start = child_named(main, "開始", "push button")
        check_extents("the start button", extents(pyatspi, start),
                      (window["X"] + left * SCALE, window["Y"] + top * SCALE, width * SCALE, height * SCALE))
        click(session, start, pyatspi)
        listener.wait("the answer box focused after a click on the start button",
                      lambda: listener.first("focus:", "text", "答え"))
    return outcome.status


def inside(program, scratch):
    """The test proper, inside the session bus of its own."""
    import pyatspi
    from gi.repository import GLib

    session = session_in(program, scratch)
    listener = Listener(pyatspi, GLib)
    with e2e_support.Reported(session, "atspi") as outcome:
        os.mkdir(session.path(HISTORY))  # the drill's end cannot write: the error box
        session.start()
        application, main = program_on_bus(listener, session)

        # The main window and its controls.
        check_tree(pyatspi, main, MAIN_WINDOW_TREE)
        listener.wait("the main window announced", lambda: listener.first("window:activate", "frame", MAIN_TITLE))

        # The graph window, announced as it opens.
        click(session, child_named(main, "成績図", "push button"), pyatspi)
        listener.wait("the graph window announced", lambda: listener.first("window:activate", "dialog", GRAPH_TITLE))
        graph = next(child for child in application if child is not None and child.getRoleName() == "dialog")
        check_tree(pyatspi, graph, GRAPH_WINDOW_TREE)
        session.keys("Escape")
        listener.wait("the graph window closed", lambda: all(
            child is None or child.getRoleName() != "dialog" or "showing" not in states(pyatspi, child)
            for child in application))

        # A drill: the answer box is the focused editable text.
        listener.events.clear()
        click(session, child_named(main, "開始", "push button"), pyatspi)
        answer = child_named(main, "答え", "text")
        listener.wait("the answer box focused", lambda: listener.first("focus:", "text", "答え"))
        check({"focused", "editable"} <= states(pyatspi, answer),
              "the answer box is not the focused editable text: %r" % states(pyatspi, answer))

        # Questions read from the boxes' texts, answered right.
        boxes = [child_named(main, name, "text") for name in ("左の数", "演算子", "右の数")]
        for number in range(1, QUESTIONS_ANSWERED + 1):
            left, operator, right = listener.wait("question %d" % number, lambda: (
                lambda texts: texts if all(texts) else None)([text_of(box) for box in boxes]))
            value = OPERATORS[operator](int(left), int(right))
            session.xdo("type", "--delay", "40", str(value))
            session.keys("Return")
            line = listener.wait("log line %d heard" % number, lambda: listener.first(
                "object:children-changed:add", "list", "記録",
                lambda data: (lambda m: m and int(m.group(1)) == number)(LOG_LINE.match(data))))[3]
            fields = LOG_LINE.match(line).groups()
            check(fields[1:] == (left, operator, right, str(value), "正解"),
                  "log line %d is %r for %s %s %s = %d" % (number, line, left, operator, right, value))
            check(text_of(answer) == "", "the answer box kept %r" % text_of(answer))

        # The clock's text, heard as it changes.
        listener.wait("a clock text heard", lambda: listener.first(
            "object:text-changed:insert", "label", "経過時間", lambda data: CLOCK_TEXT.match(data)
            and data != "00分00秒"))
        shown = text_of(child_named(main, "経過時間", "label"))
        check(CLOCK_TEXT.match(shown) is not None, "the clock reads %r" % shown)

        # The rest unanswered; the end's error box is announced as it opens.
        session.keys(*["Return"] * (100 - QUESTIONS_ANSWERED))
        listener.wait("the error box announced", lambda: listener.first("window:activate", "alert", ERROR_BOX_NAME))
        box = next(child for child in application if child is not None and child.getRoleName() == "alert")
        check(japanese(box.description), "the error box says %r" % box.description)
        check(any(each.name == box.description for each in descendants(box) if each.getRoleName() == "label"),
              "the error box's message is not among its labels")
        summary = listener.first("object:children-changed:add", "list", "記録",
                                 lambda data: data.startswith("所要時間"))
        check(summary is not None, "the drill's summary line was not heard")
        session.keys("Return")
        listener.wait("the error box closed", lambda: session.error_box() is None)

        # The end cannot write the drill either: its box says where it waits.
        session.end_keeping_drills(1)
    return outcome.status


# The long history: a drill a day for eight years, the bars 60 to 100 per
# cent, the times 4:20 to 4:50 (the ribbon runs above the bars' lower part).
LONG_HISTORY_DRILLS = 3000
# The part of the chart (in shares of its width and height) that only the
# bars' faces cover at the opening view: below the marks, above the floor.
BARS_ONLY = (0.18, 0.53, 0.80, 0.86)


def screen_part(session, box):
    """The screen's pixels in box (x, y, width, height) as (r, g, b) tuples."""
    data = e2e_support.screen_picture(session, box)
    check(len(data) == 3 * box[2] * box[3], "no screenshot")
    return [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]


def inside_long_history(program, scratch):
    """The long history's case, inside the session bus of its own: the chart
    opens red where the bars stand, not black; End shows the latest drills,
    Page Up and Page Down the page before and back, and the chart's
    description says so each time."""
    import pyatspi
    from gi.repository import GLib

    session = session_in(program, scratch)
    listener = Listener(pyatspi, GLib)
    with e2e_support.Reported(session, "atspi long history") as outcome:
        lines = [e2e_support.summary_line(4, 20 + i % 31, 60 + (7 * i) % 41, "2024/03/15 09:05")
                 for i in range(LONG_HISTORY_DRILLS)]
        e2e_support.write_history(session, lines)
        session.start()
        application, main = program_on_bus(listener, session)
        click(session, child_named(main, "成績図", "push button"), pyatspi)
        listener.wait("the graph window announced", lambda: listener.first("window:activate", "dialog", GRAPH_TITLE))
        graph = next(child for child in application if child is not None and child.getRoleName() == "dialog")
        chart = child_named(graph, GRAPH_TITLE, "chart")
        last = "表示は %d回分のうち 1回目から %d回目です。" % (LONG_HISTORY_DRILLS, LONG_HISTORY_DRILLS)
        listener.wait("the whole history described", lambda: chart.description.endswith(last))

        x, y, width, height = extents(pyatspi, chart)
        left, top, right, bottom = BARS_ONLY
        box = (x + int(width * left), y + int(height * top), int(width * (right - left)), int(height * (bottom - top)))
        time.sleep(0.5)  # the first paint shown
        pixels = screen_part(session, box)
        red = sum(1 for r, g, b in pixels if r >= 100 and g <= 60 and b <= 60) / len(pixels)
        black = sum(1 for r, g, b in pixels if max(r, g, b) < 60) / len(pixels)
        print("bars' part of the chart: %.1f %% red, %.1f %% near black" % (100 * red, 100 * black))
        check(red >= 0.9 and black <= 0.05, "the bars are not red: %.1f %% red, %.1f %% near black"
              % (100 * red, 100 * black))

        # End, Page Up, Page Down: pages of 30 drills, each described.
        for key, first in (("End", LONG_HISTORY_DRILLS - 29), ("Prior", LONG_HISTORY_DRILLS - 59),
                           ("Next", LONG_HISTORY_DRILLS - 29)):
            session.keys(key)
            shown = "表示は %d回分のうち %d回目から %d回目です。" % (LONG_HISTORY_DRILLS, first, first + 29)
            listener.wait("drills %d to %d described after %s" % (first, first + 29, key),
                          lambda: chart.description.endswith(shown))
        session.keys("Escape")
        listener.wait("the graph window closed", lambda: all(
            child is None or child.getRoleName() != "dialog" or "showing" not in states(pyatspi, child)
            for child in application))
        session.close_box(session.main)
        check(session.exit_code() == 0, "exit code not 0")
    return outcome.status


def missing_component():
    """What of the accessibility stack is not on this machine, or None."""
    for tool in ("dbus-run-session", "dbus-daemon"):
        if shutil.which(tool) is None:
            return tool
    if not os.access(BUS_LAUNCHER, os.X_OK):
        return BUS_LAUNCHER
    python = SYSTEM_PYTHON if os.access(SYSTEM_PYTHON, os.X_OK) else sys.executable
    if subprocess.run([python, "-c", "import pyatspi"], capture_output=True).returncode != 0:
        return "pyatspi"
    return None


def outside(program, mode):
    """Starts the X server and runs the test in a session bus of its own; the
    bus ends with the test, and the accessibility bus and registry with it."""
    missing = missing_component()
    if missing is not None:
        print("skipped: %s is not there" % missing)
        return SKIP
    if mode == "--scaled":
        from run_scaling import ScaledSession
        x_server = ScaledSession(program, SCALED_SCREEN, 96, {"QT_SCALE_FACTOR": str(SCALE)})
    else:
        x_server = e2e_support.Session(program)
    with x_server:
        python = SYSTEM_PYTHON if os.access(SYSTEM_PYTHON, os.X_OK) else sys.executable
        command = ["dbus-run-session", "--", python, os.path.abspath(__file__), "--inside" + (mode or "")[1:],
                   program, x_server.root]
        return subprocess.run(command, env=x_server.env, timeout=600).returncode


# The test bodies run inside the session bus, by mode.
INSIDE = {"--inside": inside, "--inside-scaled": inside_scaled, "--inside-long-history": inside_long_history}


def main():
    if len(sys.argv) == 4 and sys.argv[1] in INSIDE:
        return INSIDE[sys.argv[1]](*sys.argv[2:4])
    mode = sys.argv[1] if len(sys.argv) == 3 else None
    if len(sys.argv) not in (2, 3) or mode not in (None, "--scaled", "--long-history"):
        print(__doc__, file=sys.stderr)
        return 2
    return outside(os.path.abspath(sys.argv[-1]), mode)


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
