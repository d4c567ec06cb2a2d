# SPDX-License-Identifier: GPL-3.0-or-later
"""What the end-to-end drivers share: a session of the real program in a
scratch folder on an X server of its own (Xvfb), driven with xdotool; waiting
for what the program shows; screenshots of its windows; the history file's
lines; the graph window's gestures and its save dialog; commands run to their
end; and a case's report."""
import ctypes
import os
import re
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import x11_close  # noqa: E402

HISTORY = "HIST_ZV.DAT"
LINE_BYTES = 48          # 46 bytes of summary and CR LF
MAIN_TITLE = "すらすら算数帳"
BOX_TITLE = "surasura"   # the application title: the caption of every error box
KEY_DELAY_MS = 12
START_BUTTON_CENTRE = ("690", "71")  # the start button: 607, 52, 166 x 38 in the window
# The left operand, operator and right operand boxes: 8, 129 and 252 across, 8
# down, 111, 114 and 111 x 105.
QUESTION_BOX_CENTRES = (("63", "60"), ("186", "60"), ("307", "60"))
CLOCK_AREA = (615, 8, 152, 37)  # the clock label in the window: x, y, width, height
# An Enter at the start button this soon after a drill's end starts nothing
# (the program's second, and a margin).
START_KEY_PAUSE_S = 1.1


_LIBC = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1


def die_with_parent():
    """Run in each child before exec: a test killed on timeout takes its X server
    and program with it."""
    _LIBC.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


def stop(process, kill=False):
    """Ends a child process if it still runs: killed at once, or (a server)
    asked to end and killed after 5 s."""
    if process is None or process.poll() is not None:
        return
    if kill:
        process.kill()
    else:
        process.terminate()
        try:
            process.wait(timeout=5)
            return
        except subprocess.TimeoutExpired:
            process.kill()
    process.wait()


class TestFailure(Exception):
    pass


class Reported:
    """Runs a case's body in a with block: a failure is printed with the
    program's output, the program does not outlive the case, cleanup (if
    given) runs last. status is then the driver's exit status."""

    def __init__(self, session, name, cleanup=None):
        self.session = session
        self.name = name
        self.cleanup = cleanup
        self.status = 1

    def __enter__(self):
        return self

    def __exit__(self, kind, value, traceback):
        try:
            if kind is TestFailure:
                print("FAILED: %s" % value, file=sys.stderr)
                if self.session.proc:
                    print("program output:\n" + self.session.output(), file=sys.stderr)
            stop(self.session.proc, kill=True)
        finally:
            if self.cleanup:
                self.cleanup()
        if kind is None:
            print("passed: " + self.name)
            self.status = 0
        return kind is TestFailure


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def run(*command, env=None, cwd=None):
    """Runs a command to its end; what it printed on its standard output, or a
    failure with all it printed."""
    result = subprocess.run(command, capture_output=True, text=True, env=env, cwd=cwd)
    check(result.returncode == 0, "%s failed:\n%s%s" % (" ".join(command), result.stdout, result.stderr))
    return result.stdout


def wait_for(what, condition, timeout=30.0, step=0.05):
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise TestFailure("timed out waiting for " + what)
        time.sleep(step)


def copies_directory(work, data):
    """Where the daily copies of the history of the folder work are kept, under
    the data directory data."""
    folder = os.path.realpath(work).replace("%", "%%").replace("/", "%")
    return os.path.join(data, "surasura", folder + ".copies")


def recovery_file(work, data):
    """Where drills the end could not save in the history of the folder work
    wait for the next start, under the data directory data."""
    folder = os.path.realpath(work).replace("%", "%%").replace("/", "%")
    return os.path.join(data, "surasura", folder + ".HIST_ZV.DAT")


class ProgramFolder:
    """What a session of every driver has: a scratch folder (root) holding the
    program's working directory (work), where the history is, and the log of
    the program's output."""

    def path(self, name):
        return os.path.join(self.work, name)

    def open_log(self):
        """A fresh log for the program about to start."""
        if getattr(self, "log", None):
            self.log.close()
        self.log = open(os.path.join(self.root, "program.log"), "wb")
        return self.log

    def output(self):
        self.log.flush()
        with open(os.path.join(self.root, "program.log"), "rb") as log:
            return log.read().decode(errors="replace")

    def history(self):
        try:
            with open(self.path(HISTORY), "rb") as file:
                return file.read()
        except (FileNotFoundError, IsADirectoryError):
            return None


class Session(ProgramFolder):
    """A working directory, an X server and the program, for one test."""

    def __init__(self, program, on_display=False):
        self.program = os.path.abspath(program)
        self.on_display = on_display  # the X server of DISPLAY, not one of its own
        self.proc = None
        self.xvfb = None
        self.drill_ended = None  # when the last drill's line was seen in the history

    @classmethod
    def joining(cls, program, scratch, **env):
        """A session on the X server and in the scratch directory of an outer
        session, for a driver that runs in a session bus (or as a user) of its
        own; env is added to the environment it was started with."""
        session = cls(program)
        session.root = scratch
        session.work = os.path.join(scratch, "work")
        session.data = os.path.join(scratch, "data")
        session.display = os.environ["DISPLAY"]
        session.env = dict(os.environ, **env)
        return session

    def __enter__(self):
        self.root = tempfile.mkdtemp(prefix="surasura-e2e-")
        self.work = os.path.join(self.root, "work")
        os.mkdir(self.work)
        runtime = os.path.join(self.root, "runtime")
        os.mkdir(runtime, 0o700)
        if self.on_display:
            self.display = os.environ["DISPLAY"]
            kept = ("XAUTHORITY",)  # the outer server's key
        else:
            self._start_x_server()
            kept = ()
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XAUTHORITY") or k in kept}
        # The recovery file of drills an end could not save goes here, not into
        # the user's own data directory.
        self.data = os.path.join(self.root, "data")
        self.env.update(DISPLAY=self.display, XDG_RUNTIME_DIR=runtime, XDG_DATA_HOME=self.data)
        return self

    def __exit__(self, *exc):
        stop(self.proc, kill=True)
        stop(self.xvfb)
        if getattr(self, "log", None):
            self.log.close()
        shutil.rmtree(self.root, ignore_errors=True)
        return False

    def _xvfb_screen(self):
        """The screen options of the session's own X server."""
        return ["-screen", "0", "1024x768x24"]

    def _start_x_server(self):
        # Xvfb picks a free display number itself and tells it through a pipe. It
        # must not reset when its last client goes: a case that starts the program
        # again would find no server for a moment.
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), *self._xvfb_screen(), "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=die_with_parent)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        check(number.isdigit(), "Xvfb did not start")
        self.display = ":" + number

    # The program.
    def start(self, file_size_limit=None):
        """Starts the program; file_size_limit caps the size of any file it writes
        (RLIMIT_FSIZE, as a full disk would)."""
        self.open_log()

        def prepare():
            die_with_parent()
            if file_size_limit is not None:
                resource.setrlimit(resource.RLIMIT_FSIZE, (file_size_limit, file_size_limit))

        self.proc = subprocess.Popen([self.program], cwd=self.work, env=self.env,
                                     stdout=self.log, stderr=subprocess.STDOUT, preexec_fn=prepare)
        self.drill_ended = None
        self.main = wait_for("the main window", lambda: self.window_named(MAIN_TITLE))
        self.xdo("windowfocus", "--sync", self.main)

    def exit_code(self, timeout=10.0):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise TestFailure("the program did not end")

    # The X server.
    def xdo(self, *args):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        return result.stdout.strip() if result.returncode == 0 else ""

    def windows(self):
        """The program's mapped windows as (id, name, type)."""
        found = []
        ids = self.xdo("search", "--all", "--onlyvisible", "--pid", str(self.proc.pid), "")
        for window in ids.split():
            name = self.xdo("getwindowname", window)
            kind = subprocess.run(["xprop", "-id", window, "_NET_WM_WINDOW_TYPE"], env=self.env,
                                  capture_output=True, text=True).stdout
            found.append((window, name, kind))
        return found

    def window_named(self, name):
        for window, window_name, kind in self.windows():
            # Hint windows carry the application's name too, but are tool tips.
            if name in window_name and "TOOLTIP" not in kind:
                return window
        return None

    def error_box(self):
        for window, name, kind in self.windows():
            if name == BOX_TITLE and "TOOLTIP" not in kind:
                return window
        return None

    def hint_window(self):
        for window, _, kind in self.windows():
            if "TOOLTIP" in kind:
                return window
        return None

    def icon_sizes(self, window):
        """The sizes of the window's icon as the window manager reads them."""
        text = subprocess.run(["xprop", "-len", "4000000", "-id", window, "_NET_WM_ICON"], env=self.env,
                              capture_output=True, text=True).stdout
        return re.findall(r"Icon \((\d+) x \d+\)", text)

    def geometry(self, window):
        shell = self.xdo("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in shell.splitlines() if "=" in line)
        return {key: int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT")}

    def pointer(self):
        shell = self.xdo("getmouselocation", "--shell")
        values = dict(line.split("=", 1) for line in shell.splitlines() if "=" in line)
        return int(values["X"]), int(values["Y"])

    def keys(self, *names):
        self.xdo("key", "--delay", str(KEY_DELAY_MS), *names)

    def type_text(self, text):
        self.xdo("type", "--delay", "40", text)

    def clipboard(self):
        result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env, capture_output=True)
        return result.stdout.decode("utf-8", errors="replace") if result.returncode == 0 else None

    def copy_focused(self):
        """Ctrl+C in the focused control; the text it copied."""
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=b"?", env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.keys("ctrl+c")
        return wait_for("the copied text", lambda: (lambda text: text if text not in (None, "?") else None)(
            self.clipboard()), timeout=10, step=0.02)

    def close_box(self, window):
        x11_close.request_close(self.display, int(window))

    # The history's recovery file.
    def recovery_file(self):
        return recovery_file(self.work, self.data)

    def recovered_lines(self):
        try:
            with open(self.recovery_file(), "rb") as file:
                return file.read().count(b"\r\n")
        except FileNotFoundError:
            return 0

    def end_keeping_drills(self, drills):
        """Closes the main window while the history cannot be written: the end's
        box says where the drills wait, which the recovery file then holds;
        Enter closes the box and the program ends."""
        self.close_box(self.main)
        wait_for("the end's box", self.error_box)
        check(self.recovered_lines() == drills,
              "the recovery file holds %d drills, expected %d" % (self.recovered_lines(), drills))
        self.keys("Return")
        check(self.exit_code() == 0, "exit code not 0")

    def wait_out_start_key_pause(self):
        """Right after a drill, Enter at the start button starts nothing: the
        next drill's Enter waits until the pause is over."""
        if self.drill_ended is not None:
            time.sleep(max(0.0, self.drill_ended + START_KEY_PAUSE_S - time.monotonic()))

    def run_drill(self, lines_after):
        """Starts a drill from the focused start button and answers all 100 questions
        with an empty box; waits until the history holds lines_after lines."""
        self.wait_out_start_key_pause()
        self.keys("Return")
        self.keys(*["Return"] * 100)
        wait_for("%d lines in %s" % (lines_after, HISTORY),
                 lambda: (self.history() or b"").count(b"\r\n") >= lines_after)
        self.drill_ended = time.monotonic()


    def run_drill_until_box(self):
        """Starts a drill from the focused start button, answers all 100 questions
        with an empty box and waits for the error box."""
        self.wait_out_start_key_pause()
        self.keys("Return")
        self.keys(*["Return"] * 100)
        wait_for("the error box", self.error_box)


def summary_line(minutes, seconds, percent, when):
    text = "所要時間 %02d分%02d秒 正答率%3d%%  %s" % (minutes, seconds, percent, when)
    line = text.encode("cp932")
    assert len(line) == 46
    return line


GRAPH_TITLE = "結果グラフ"
SCORE_CHART_BUTTON_CENTRE = ("523", "543")  # the score chart button: 440, 524, 166 x 38


def write_history(session, lines):
    """Writes the history in the session's folder: each line followed by CR LF."""
    with open(session.path(HISTORY), "wb") as file:
        file.write(b"".join(line + b"\r\n" for line in lines))


def graph_drills(drills):
    """The summary lines of that many drills of one day, their times and scores
    varied so that the chart's bars differ."""
    return [summary_line((150 + 4 * i) // 60, (150 + 4 * i) % 60, 20 + (7 * i) % 41, "2024/03/15 09:05")
            for i in range(drills)]


def open_graph_window(session, drills):
    """Writes a history of that many drills, starts the program and opens the
    graph window; returns the window."""
    write_history(session, graph_drills(drills))
    session.start()
    session.xdo("mousemove", "--window", session.main, *SCORE_CHART_BUTTON_CENTRE)
    session.xdo("click", "1")
    return wait_for("the graph window", lambda: session.window_named(GRAPH_TITLE))


def screen_picture(session, box):
    """The screen's pixels in box (x, y, width, height), three bytes (red,
    green, blue) each."""
    shot = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (box[2], box[3], box[0], box[1]),
                           "-depth", "8", "rgb:-"], env=session.env, capture_output=True)
    check(shot.returncode == 0 and shot.stdout, "no screenshot")
    return shot.stdout


def window_picture(session, window, area=None):
    """The window's pixels, or those of area (x, y, width, height) in it."""
    box = session.geometry(window)
    if area is None:
        area = (0, 0, box["WIDTH"], box["HEIGHT"])
    return screen_picture(session, (box["X"] + area[0], box["Y"] + area[1], area[2], area[3]))


def settled_picture(session, window):
    """The picture once two shots a moment apart agree."""
    first = window_picture(session, window)
    time.sleep(0.2)
    return first if window_picture(session, window) == first else None


def drag(session, window, button, start, end):
    """Presses the button at start, moves to end in four steps, releases it."""
    session.xdo("mousemove", "--window", window, *map(str, start))
    session.xdo("mousedown", button)
    for step in range(1, 5):
        x = start[0] + (end[0] - start[0]) * step // 4
        y = start[1] + (end[1] - start[1]) * step // 4
        session.xdo("mousemove", "--window", window, str(x), str(y))
        time.sleep(0.05)
    session.xdo("mouseup", button)


def close_graph_and_program(session):
    session.keys("Return")
    wait_for("the graph window to close", lambda: session.window_named(GRAPH_TITLE) is None)
    check(session.proc.poll() is None, "the program ended")
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")


def red_pixel_nearest(picture, width, height, towards):
    """(x, y) of the pure red pixel (a bar's front face) in an RGB picture of
    width x height nearest the point `towards`, given in shares of the width
    and height; every second pixel is looked at."""
    target = (towards[0] * width, towards[1] * height)
    best = None
    for y in range(0, height, 2):
        row = picture[3 * width * y:3 * width * (y + 1)]
        for x in range(0, width, 2):
            if row[3 * x:3 * x + 3] == b"\xff\x00\x00":
                distance = (x - target[0]) ** 2 + (y - target[1]) ** 2
                if best is None or distance < best[0]:
                    best = (distance, x, y)
    check(best is not None, "no red bar in the chart")
    return best[1], best[2]


def bar_point(session, window, towards):
    """A point on a bar's red front face, the one nearest the point `towards`
    given in shares of the window's width and height."""
    box = session.geometry(window)
    return red_pixel_nearest(window_picture(session, window), box["WIDTH"], box["HEIGHT"], towards)


SAVE_DIALOG_TITLE = "グラフと成績を保存"


def use_own_home(session):
    """The save dialog starts in the documents folder of a home of the session's own."""
    home = os.path.join(session.root, "home")
    os.makedirs(os.path.join(home, "Documents"), exist_ok=True)
    session.env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))


def save_through_dialog(session, graph, target):
    """Ctrl+S in the graph window, the path typed over the name the save
    dialog offers (it comes selected in the name box, which has the keyboard),
    Enter; waits until the file is there and the dialog gone."""
    session.xdo("windowfocus", "--sync", graph)
    session.keys("ctrl+s")
    dialog = wait_for("the save dialog", lambda: session.window_named(SAVE_DIALOG_TITLE))
    session.xdo("windowfocus", "--sync", dialog)
    # The dialog reads its folder after it shows: typing waits until it is drawn.
    wait_for("the save dialog drawn", lambda: settled_picture(session, dialog))
    session.type_text(target)
    session.keys("Return")
    # A name the dialog completes from the folder's list takes the first Enter,
    # as it would a person's; a second one saves.
    try:
        wait_for("the saved file", lambda: os.path.exists(target) and session.window_named(SAVE_DIALOG_TITLE) is None,
                 timeout=5)
    except TestFailure:
        if session.window_named(SAVE_DIALOG_TITLE) is not None:
            session.keys("Return")
    wait_for("the saved file", lambda: os.path.exists(target) and session.window_named(SAVE_DIALOG_TITLE) is None)
