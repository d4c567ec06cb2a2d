#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program on Wayland: a real compositor (weston, headless, its desktop
shell, no Xwayland), the program started with QT_QPA_PLATFORM=wayland, and a
keyboard and pointer given to the compositor by the test's own module
(weston_seat.so), which also tells where the windows are, which has the
keyboard and what the clipboard holds.

usage: run_wayland.py PROGRAM SEAT_MODULE CASE [PICTURE]
PICTURE (screen case only) is where the screenshot of the main window goes.
Exits with 77 (skipped) only when weston or the toolkit's Wayland plugin is not
installed."""
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support  # noqa: E402
from e2e_support import (BOX_TITLE, GRAPH_TITLE, HISTORY, LINE_BYTES, MAIN_TITLE, Reported, check,  # noqa: E402
                         graph_drills, recovery_file, wait_for, write_history)
from question_reader import Reader  # noqa: E402

SKIPPED = 77
SCREEN = (1280, 900)
MAIN_CLIENT = (792, 566)
START_BUTTON = (690, 71)
START_BUTTON_LEFT = (612, 71)
SCORE_CHART_BUTTON = (523, 543)

# Linux input event codes (linux/input-event-codes.h).
KEYS = {"Escape": 1, "minus": 12, "equal": 13, "BackSpace": 14, "Tab": 15, "Return": 28, "ctrl": 29,
        "c": 46, "shift": 42, "alt": 56, "F4": 62, "Home": 102, "plus": 78}
KEYS.update({str(digit): 2 + (digit + 9) % 10 for digit in range(10)})
BUTTONS = {"left": 0x110, "right": 0x111}


class View:
    def __init__(self, line):
        x, y, width, height, focus, scale, *title = line.split(" ", 6)
        self.x, self.y, self.width, self.height = int(x), int(y), int(width), int(height)
        self.focus = focus == "1"
        self.scale = int(scale)
        self.title = title[0] if title else ""

    def __repr__(self):
        return "%r at %d,%d %dx%d x%d%s" % (self.title, self.x, self.y, self.width, self.height, self.scale,
                                           " (focus)" if self.focus else "")


class WaylandSession(e2e_support.ProgramFolder):
    """A working directory, weston with the test seat, and the program, for one
    test. Offers what the question reader needs: keys, typing, copying."""

    def __init__(self, program, module, scale=1):
        """scale: the output's scale, as a desktop set to 200 % has it."""
        self.scale = scale
        self.program = os.path.abspath(program)
        self.module = os.path.abspath(module)
        self.proc = None
        self.weston = None
        self.seat = None

    def __enter__(self):
        self.root = tempfile.mkdtemp(prefix="surasura-wayland-")
        self.work = os.path.join(self.root, "work")
        os.mkdir(self.work)
        self.runtime = os.path.join(self.root, "runtime")
        os.mkdir(self.runtime, 0o700)
        seat_path = os.path.join(self.runtime, "seat")
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM")}
        self.data = os.path.join(self.root, "data")
        env.update(XDG_RUNTIME_DIR=self.runtime, XDG_DATA_HOME=self.data,
                   SURASURA_WESTON_SEAT=seat_path)
        self.weston_log = open(os.path.join(self.root, "weston.log"), "wb")
        # --debug lets the screenshooter in; no input method is started, as
        # on a desktop without one.
        config = os.path.join(self.root, "weston.ini")
        with open(config, "w") as file:
            file.write("[core]\nidle-time=0\n[input-method]\npath=\n"
                       "[shell]\nlocking=false\nanimation=none\nstartup-animation=none\n")
        self.weston = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--use-pixman", "--socket=wayland-surasura", "--config=" + config,
             "--width=%d" % SCREEN[0], "--height=%d" % SCREEN[1], "--scale=%d" % self.scale, "--debug",
             "--modules=" + self.module],
            cwd=self.root, env=env, stdout=self.weston_log, stderr=subprocess.STDOUT,
            preexec_fn=e2e_support.die_with_parent)
        self.seat = wait_for("weston's test seat", lambda: self._connect(seat_path), timeout=20)
        self.seat_input = self.seat.makefile("r", encoding="utf-8", errors="replace")
        self.env = dict(env, WAYLAND_DISPLAY="wayland-surasura", QT_QPA_PLATFORM="wayland")
        return self

    def _connect(self, path):
        check(self.weston.poll() is None, "weston ended at its start:\n" + self.weston_output())
        seat = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        try:
            seat.connect(path)
            return seat
        except OSError:  # not there, or not listening yet
            seat.close()
            return None

    def __exit__(self, *exc):
        e2e_support.stop(self.proc, kill=True)
        if self.seat:
            self.seat.close()
        e2e_support.stop(self.weston)
        self.weston_log.close()
        shutil.rmtree(self.root, ignore_errors=True)
        return False

    def weston_output(self):
        self.weston_log.flush()
        with open(os.path.join(self.root, "weston.log"), "rb") as log:
            return log.read().decode(errors="replace")[-3000:]

    # The program.
    def start(self):
        self.proc = subprocess.Popen([self.program], cwd=self.work, env=self.env, stdout=self.open_log(),
                                     stderr=subprocess.STDOUT, preexec_fn=e2e_support.die_with_parent)
        main = wait_for("the main window", lambda: self.view_titled(MAIN_TITLE))
        wait_for("the keyboard in the main window", lambda: self.view_titled(MAIN_TITLE).focus)
        # Qt draws the window's frame itself (weston offers no server-side frame):
        # the frame is as wide left, right and below, the rest is the title bar.
        self.border = (main.width - MAIN_CLIENT[0]) // 2
        self.title_bar = main.height - MAIN_CLIENT[1] - 2 * self.border
        check(0 <= self.border <= 20 and 0 <= self.title_bar <= 60, "the main window is %r" % main)
        return main

    def exit_code(self, timeout=10.0):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            if shutil.which("gdb"):  # where it waits, for the report
                print(subprocess.run(["gdb", "-batch", "-p", str(self.proc.pid), "-ex", "thread apply all bt"],
                                     capture_output=True, text=True).stdout[-6000:])
            raise e2e_support.TestFailure("the program did not end")

    def end_with_alt_f4(self):
        self.keys("alt+F4")
        code = self.exit_code()
        check(code == 0, "exit code %d after Alt+F4" % code)

    # The compositor, through the test seat.
    def ask(self, command):
        self.seat.sendall((command + "\n").encode())
        lines = []
        for line in self.seat_input:
            if line == ".\n":
                return lines
            lines.append(line.rstrip("\n"))
        raise e2e_support.TestFailure("weston's test seat went away:\n" + self.weston_output())

    def views(self):
        return [View(line) for line in self.ask("views")]

    def view_titled(self, title):
        return next((view for view in self.views() if title in view.title), None)

    def client_point(self, view, point):
        """The desktop's point at a point of the window's client area."""
        return view.x + self.border + point[0], view.y + self.border + self.title_bar + point[1]

    def move(self, x, y):
        self.ask("move %d %d" % (x, y))

    def button(self, name, down):
        self.ask("button %d %d" % (BUTTONS[name], 1 if down else 0))

    def click(self, x, y, name="left"):
        self.move(x, y)
        self.button(name, True)
        self.button(name, False)

    def keys(self, *names):
        """Each name a key or a chord such as "shift+Tab", pressed and released in turn."""
        for name in names:
            codes = [KEYS[part] for part in name.split("+")]
            for code in codes:
                self.ask("key %d 1" % code)
            for code in reversed(codes):
                self.ask("key %d 0" % code)
            time.sleep(e2e_support.KEY_DELAY_MS / 1000)

    def type_text(self, text):
        self.keys(*text)

    def clipboard(self):
        serial, text = self.ask("clipboard")
        return int(serial), text

    def copy_focused(self):
        before, _ = self.clipboard()
        self.keys("ctrl+c")
        serial, text = wait_for("the copied text", lambda: (lambda got: got if got[0] != before else None)(
            self.clipboard()), timeout=10, step=0.02)
        return text

    def screenshot(self):
        """The whole output as a PNG file's path, taken by weston's screenshooter."""
        for old in os.listdir(self.runtime):
            if old.startswith("wayland-screenshot"):
                os.remove(os.path.join(self.runtime, old))
        subprocess.run(["weston-screenshooter"], cwd=self.runtime, env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=20)
        shots = [name for name in os.listdir(self.runtime) if name.startswith("wayland-screenshot")]
        check(len(shots) == 1, "the screenshooter wrote %r" % shots)
        return os.path.join(self.runtime, shots[0])

    def crop(self, view):
        """The view's place on the screenshot, whose pixels are the output's."""
        return "%dx%d+%d+%d" % tuple(value * self.scale for value in (view.width, view.height, view.x, view.y))

    def picture(self, view):
        """The view's pixels, as raw RGB."""
        shot = subprocess.run(["convert", self.screenshot(), "-crop", self.crop(view), "-depth", "8", "rgb:-"],
                              capture_output=True)
        check(shot.returncode == 0 and shot.stdout, "no picture of %r" % view)
        return shot.stdout


def case_drill_from_the_keyboard(session):
    """A whole drill from the keyboard: the start button has the keyboard, each
    question is read as a keyboard user can (Shift+Tab, Ctrl+C), every 7th
    answer is wrong on purpose; the line's percentage is the answers typed right."""
    session.start()
    reader = Reader(session)
    session.keys("Return")
    right = 0
    for number in range(100):
        wrong = number % 7 == 3
        reader.answer(wrong=wrong)
        right += 0 if wrong else 1
    history = wait_for("the history line", session.history, timeout=30)
    check(history.count(b"\r\n") == 1, "the history holds %r" % history)
    percent = int(history.decode("cp932").split("正答率")[1].split("%")[0])
    check(percent == right, "the line says %d %%, %d answers were right" % (percent, right))
    session.end_with_alt_f4()


def open_graph_window(session, drills):
    write_history(session, graph_drills(drills))
    main = session.start()
    session.click(*session.client_point(main, SCORE_CHART_BUTTON))
    return main, wait_for("the graph window", lambda: session.view_titled(GRAPH_TITLE))


def close_graph_window_by_escape(session):
    session.keys("Escape")
    wait_for("the graph window to close", lambda: session.view_titled(GRAPH_TITLE) is None)
    wait_for("the keyboard back in the main window", lambda: session.view_titled(MAIN_TITLE).focus)


def settled(session, view):
    """The view's picture once two shots a moment apart agree, with the pointer
    (and any hint it brought) away in the desktop's corner."""
    session.move(0, 0)
    first = session.picture(view)
    time.sleep(0.2)
    return first if session.picture(view) == first else None


def drag(session, start, end, name="left"):
    session.move(*start)
    session.button(name, True)
    for step in range(1, 5):
        session.move(start[0] + (end[0] - start[0]) * step // 4, start[1] + (end[1] - start[1]) * step // 4)
        time.sleep(0.05)
    session.button(name, False)


def case_graph_window_modal_and_zoomed(session):
    """The score chart button opens the graph window over the main window with
    the keyboard; while it is open, a click on the main window's start button
    starts nothing; a left drag zooms the chart and the opposite drag undoes
    it; Escape closes the window and the main window has the keyboard again."""
    main, graph = open_graph_window(session, 30)
    wait_for("the keyboard in the graph window", lambda: session.view_titled(GRAPH_TITLE).focus, timeout=10)
    check(GRAPH_TITLE in session.views()[0].title, "the graph window is not on top: %r" % session.views())
    main_before = wait_for("a still main window", lambda: settled(session, main))
    session.click(*session.client_point(main, START_BUTTON))
    time.sleep(0.5)
    check(wait_for("a still main window", lambda: settled(session, main)) == main_before,
          "a click on the main window under the graph window changed it")
    graph = session.view_titled(GRAPH_TITLE)
    check(graph is not None and GRAPH_TITLE in session.views()[0].title,
          "the graph window is not on top after the click: %r" % session.views())
    # Back in the graph window: the drags, then Escape.
    session.click(*session.client_point(graph, (400, 20)))
    before = wait_for("a drawn chart", lambda: settled(session, graph))
    drag(session, session.client_point(graph, (200, 150)), session.client_point(graph, (400, 350)))
    wait_for("the zoomed picture", lambda: (settled(session, graph) or before) != before, timeout=10)
    drag(session, session.client_point(graph, (400, 350)), session.client_point(graph, (200, 150)))
    wait_for("the picture from before the zoom", lambda: settled(session, graph) == before, timeout=10)
    close_graph_window_by_escape(session)
    session.end_with_alt_f4()


def hint_view(session):
    """The hint: the one view without a title."""
    return next((view for view in session.views() if not view.title), None)


def case_hint_beside_the_pointer(session):
    """The pointer rests on the start button: the enlarged hint comes just below
    the pointer, as a popup of the main window, and goes when a key is pressed."""
    main = session.start()
    check(len(session.views()) == 1, "more than the main window: %r" % session.views())
    x, y = session.client_point(main, START_BUTTON_LEFT)  # room for the hint on its right
    session.move(x - 40, y + 60)
    session.move(x, y)
    hint = wait_for("the hint", lambda: hint_view(session), timeout=10)
    print("hint %r, pointer %d,%d" % (hint, x, y))
    check(abs(hint.x - x) <= 2, "hint at x %d, pointer at %d" % (hint.x, x))
    check(y < hint.y <= y + 64, "hint at y %d, not just below the pointer at %d" % (hint.y, y))
    check(hint.height >= 19 + 6 and hint.width > 9 * 19, "hint of %d x %d" % (hint.width, hint.height))
    session.keys("shift")
    wait_for("a key to remove the hint", lambda: len(session.views()) == 1, timeout=10)
    session.end_with_alt_f4()


def case_hint_kept_inside_its_window(session):
    """A Wayland client does not know where its window is: the hints of the bottom
    row's buttons, which would hang below the window, are moved up inside it
    (over the pointer, which they let through), and the end button's, near the
    right edge, is moved left inside it. A click through the hint presses the
    score chart button."""
    main = session.start()
    for point in (SCORE_CHART_BUTTON, (775, 543)):
        x, y = session.client_point(main, point)
        session.move(x - 60, y - 200)
        wait_for("the hint to go", lambda: hint_view(session) is None, timeout=10)
        session.move(x, y)
        shown = wait_for("the hint", lambda: hint_view(session), timeout=10)
        print("hint %r, pointer %d,%d, window %r" % (shown, x, y, main))
        check(shown.y + shown.height == main.y + main.height,
              "the hint's bottom at %d, the window's at %d" % (shown.y + shown.height, main.y + main.height))
        check(shown.y <= y < shown.y + shown.height, "the hint does not cover the pointer at y %d" % y)
        check(main.x <= shown.x and shown.x + shown.width <= main.x + main.width,
              "the hint %r leaves the window %r" % (shown, main))
    check(shown.x < x, "the end button's hint was not moved left")
    session.move(*session.client_point(main, SCORE_CHART_BUTTON))
    shown = wait_for("the hint", lambda: hint_view(session), timeout=10)
    session.button("left", True)
    session.button("left", False)
    wait_for("the graph window", lambda: session.view_titled(GRAPH_TITLE), timeout=10)
    close_graph_window_by_escape(session)
    session.end_with_alt_f4()


def error_box(session):
    return next((view for view in session.views() if view.title == BOX_TITLE), None)


def error_box_with_keyboard(session):
    box = error_box(session)
    return box if box is not None and box.focus else None


def case_error_box_and_recovery(session):
    """The history cannot be written (it is a folder): the error box at the
    drill's end comes with the keyboard and closes on Enter; at the end, the
    end's box tells where the drill waits, which the recovery file holds; the
    next start, with the history writable, writes the drill."""
    os.mkdir(session.path(HISTORY))
    session.start()
    session.keys("Return")
    session.keys(*["Return"] * 100)
    wait_for("the error box with the keyboard", lambda: error_box_with_keyboard(session), timeout=20)
    session.keys("Return")
    wait_for("the error box to close", lambda: error_box(session) is None)
    wait_for("the keyboard back in the main window", lambda: session.view_titled(MAIN_TITLE).focus)
    session.keys("alt+F4")
    wait_for("the end's box with the keyboard", lambda: error_box_with_keyboard(session), timeout=20)
    with open(recovery_file(session.work, session.data), "rb") as kept:
        check(kept.read().count(b"\r\n") == 1, "the recovery file does not hold the drill")
    session.keys("Return")
    code = session.exit_code()
    check(code == 0, "exit code %d after the end's box" % code)
    os.rmdir(session.path(HISTORY))
    session.start()
    wait_for("the recovered drill in the history", lambda: len(session.history() or b"") == LINE_BYTES)
    check(not os.path.exists(recovery_file(session.work, session.data)), "the recovery file stayed")
    session.end_with_alt_f4()


def red_point(session, view, towards):
    """A point of the desktop on a bar's red front face in the view, the one
    nearest the point `towards` given in shares of the view's width and height."""
    x, y = e2e_support.red_pixel_nearest(session.picture(view), view.width * session.scale,
                                     view.height * session.scale, towards)
    return view.x + x // session.scale, view.y + y // session.scale


def case_hint_on_a_bar(session):
    """With the graph window open over the main window, the pointer resting on
    a bar brings that drill's readout (a long line) just below the pointer;
    leaving the window takes it away at once."""
    main, graph = open_graph_window(session, 30)
    wait_for("a drawn chart", lambda: settled(session, graph))
    # A bar near the left, where the readout's long line fits beside the pointer
    # inside the window (near the right edge it is moved in).
    x, y = red_point(session, graph, (0.1, 0.75))
    session.move(x - 40, graph.y + 40)
    session.move(x, y)
    shown = wait_for("the readout", lambda: hint_view(session), timeout=10)
    check(abs(shown.x - x) <= 2 and y < shown.y <= y + 64, "the readout %r, the pointer at %d,%d" % (shown, x, y))
    check(shown.width > 400, "the readout %r is not the long line of a drill" % shown)
    session.move(graph.x + graph.width + 20, graph.y - 20 if graph.y > 40 else graph.y + graph.height + 20)
    wait_for("the readout to go as the pointer leaves", lambda: hint_view(session) is None, timeout=1)
    close_graph_window_by_escape(session)
    session.end_with_alt_f4()


def case_output_at_200_percent(session):
    """On an output scaled by 2 (a desktop at 200 %) every window, the hint
    among them, hands over buffers of twice its size: drawn at the screen's
    resolution, not enlarged by the compositor. The windows keep their size in
    the desktop's units, and the chart still zooms by a drag."""
    main, graph = open_graph_window(session, 30)
    for view in (main, graph):
        check(view.scale == 2, "%r is drawn at scale %d" % (view, view.scale))
    check((graph.width, graph.height) == (main.width, main.height + 7), "the graph window is %r" % graph)
    before = wait_for("a drawn chart", lambda: settled(session, graph))
    drag(session, session.client_point(graph, (200, 150)), session.client_point(graph, (400, 350)))
    wait_for("the zoomed picture", lambda: (settled(session, graph) or before) != before, timeout=10)
    close_graph_window_by_escape(session)
    session.move(*session.client_point(main, START_BUTTON_LEFT))
    shown = wait_for("the hint", lambda: hint_view(session), timeout=10)
    check(shown.scale == 2, "the hint %r is drawn at scale %d" % (shown, shown.scale))
    session.end_with_alt_f4()


def case_screen(session, picture=None):
    """The main window as a Wayland desktop shows it, with the start button's
    hint; its picture goes to PICTURE when given (the README's)."""
    main = session.start()
    session.move(*session.client_point(main, START_BUTTON_LEFT))
    wait_for("the hint", lambda: hint_view(session), timeout=10)
    time.sleep(0.3)
    if picture:
        subprocess.run(["convert", session.screenshot(), "-crop", session.crop(main), "+repage", picture], check=True)
    session.end_with_alt_f4()


CASES = {
    "drill_from_the_keyboard": case_drill_from_the_keyboard,
    "graph_window_modal_and_zoomed": case_graph_window_modal_and_zoomed,
    "hint_beside_the_pointer": case_hint_beside_the_pointer,
    "hint_kept_inside_its_window": case_hint_kept_inside_its_window,
    "output_at_200_percent": case_output_at_200_percent,
    "error_box_and_recovery": case_error_box_and_recovery,
    "hint_on_a_bar": case_hint_on_a_bar,
    "screen": case_screen,
}


def wayland_missing():
    if shutil.which("weston") is None or shutil.which("weston-screenshooter") is None:
        return "weston is not installed"
    if shutil.which("qtpaths6") is None:
        return None  # the run itself tells whether the plugin is there
    plugins = subprocess.run(["qtpaths6", "--query", "QT_INSTALL_PLUGINS"], capture_output=True, text=True)
    folder = os.path.join(plugins.stdout.strip(), "platforms")
    if plugins.returncode == 0 and os.path.isdir(folder) and not any("wayland" in name for name in os.listdir(folder)):
        return "the toolkit's Wayland plugin (qt6-wayland) is not installed"
    return None


def main():
    if len(sys.argv) not in (4, 5) or sys.argv[3] not in CASES:
        print(__doc__ + "\ncases: " + ", ".join(CASES), file=sys.stderr)
        return 2
    program, module, case = sys.argv[1:4]
    missing = wayland_missing()
    if missing:
        print("skipped: " + missing)
        return SKIPPED
    scale = 2 if case == "output_at_200_percent" else 1
    with WaylandSession(program, module, scale) as session, Reported(session, case) as outcome:
        CASES[case](session, *sys.argv[4:])
    return outcome.status


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
