#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The pictures of docs/: the real program on an X server of its own (Xvfb),
driven by keyboard and mouse as a user would, each window cropped out of the
screen. Uses the end-to-end tests' support (tests/e2e/e2e_support.py).

usage: tools/screenshots.py PROGRAM DOCS_DIR [PICTURE...]
pictures: main-window-rest, main-window-drill, main-window-end, graph-window,
          graph-window-zoomed, graph-window-readout, graph-window-3000,
          graph-window-3000-end, main-window-120dpi, laptop-150-percent,
          main-window-dark, graph-window-dark, printed-page (all when none is
          named)"""
import datetime
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import e2e_support  # noqa: E402
import run_scaling  # noqa: E402
from e2e_support import check, wait_for  # noqa: E402
from question_reader import OPERATORS, Reader  # noqa: E402



def crop(session, window, output):
    box = session.geometry(window)
    result = subprocess.run(["import", "-window", "root", "-crop", "%(WIDTH)dx%(HEIGHT)d+%(X)d+%(Y)d" % box,
                             "+repage", output], env=session.env, capture_output=True, text=True)
    check(result.returncode == 0, "import failed: " + result.stderr)
    print("wrote %s (%dx%d)" % (output, box["WIDTH"], box["HEIGHT"]))


def settle(seconds=0.6):
    time.sleep(seconds)


def start(session, history_lines=None, font_dpi=None):
    if history_lines is not None:
        e2e_support.write_history(session, history_lines)
    if font_dpi is not None:
        session.env["QT_FONT_DPI"] = str(font_dpi)
    session.start()
    settle()


def thirty_drills():
    lines = []
    for i in range(30):
        minutes, seconds = divmod(150 + 4 * i + (i * 37) % 23, 60)
        percent = min(100, 60 + (i * 13) % 41)
        lines.append(e2e_support.summary_line(minutes, seconds, percent, "2024/03/%02d 09:05" % (1 + i % 28)))
    return lines


def eight_years():
    """A drill a day for eight years, 3,000 of them: the per cent right
    wandering between 55 and 100, the time between 2:30 and 7:10 (some slow
    days beyond five minutes)."""
    first = datetime.date(2017, 1, 1)
    lines = []
    for i in range(3000):
        percent = min(100, 55 + (i * 13) % 37 + (i // 300) * 2)
        minutes, seconds = divmod(150 + (i * 37) % 140 + (120 if i % 17 == 0 else 0), 60)
        when = (first + datetime.timedelta(days=i)).strftime("%Y/%m/%d") + " 09:%02d" % (i % 60)
        lines.append(e2e_support.summary_line(minutes, seconds, percent, when))
    return lines


def some_questions(session):
    """A drill started from the keyboard, a few questions answered (right,
    wrong, empty), the next answer half typed."""
    session.keys("Return")
    reader = Reader(session)
    for wrong, empty, think in ((False, False, 2.1), (False, False, 1.4), (True, False, 3.2), (False, False, 1.7),
                                (False, True, 2.6), (False, False, 1.2), (False, False, 1.9)):
        reader.answer(wrong=wrong, empty=empty, think=think)
    left, operator, right = reader.question()
    session.xdo("type", "--delay", "40", str(OPERATORS[operator](left, right))[:1])
    settle(1.2)  # the clock ticks


def main_window_rest(session, output):
    start(session)
    crop(session, session.main, output)


def main_window_drill(session, output):
    start(session)
    some_questions(session)
    crop(session, session.main, output)


def main_window_end(session, output):
    start(session)
    session.keys("Return")
    reader = Reader(session)
    for number in range(1, 101):
        reader.answer(wrong=number in (7, 23, 41, 58, 76), empty=number == 90, think=0.5 + (number * 7) % 5 * 0.1)
    wait_for("the history line", lambda: (session.history() or b"").count(b"\r\n") == 1)
    settle()
    crop(session, session.main, output)


def open_graph(session):
    session.xdo("mousemove", "--window", session.main, *e2e_support.SCORE_CHART_BUTTON_CENTRE)
    session.xdo("click", "1")
    graph = wait_for("the graph window", lambda: session.window_named(e2e_support.GRAPH_TITLE))
    settle(1.0)
    return graph


def graph_window(session, output):
    start(session, thirty_drills())
    crop(session, open_graph(session), output)


def graph_window_zoomed(session, output):
    start(session, thirty_drills())
    graph = open_graph(session)
    # A left drag to the right and down zooms into the rectangle it spans.
    session.xdo("mousemove", "--window", graph, "250", "140")
    session.xdo("mousedown", "1")
    for x, y in ((300, 200), (380, 280), (460, 360), (520, 420)):
        session.xdo("mousemove", "--window", graph, str(x), str(y))
        time.sleep(0.05)
    session.xdo("mouseup", "1")
    session.xdo("mousemove", "--window", graph, "700", "560")
    settle(1.0)
    crop(session, graph, output)


def graph_window_readout(session, output):
    """The pointer resting on a bar on the left: the drill's readout opens below it."""
    start(session, thirty_drills())
    graph = open_graph(session)
    x, y = e2e_support.bar_point(session, graph, (0.2, 0.6))
    session.xdo("mousemove", "--window", graph, str(x - 30), "20")
    session.xdo("mousemove", "--window", graph, str(x), str(y))
    wait_for("the readout", session.hint_window, timeout=10)
    settle(0.4)  # past the hint's appearance
    crop(session, graph, output)


def graph_window_3000(session, output):
    start(session, eight_years())
    crop(session, open_graph(session), output)


def graph_window_3000_end(session, output):
    """The same history after End: the latest 30 drills."""
    start(session, eight_years())
    graph = open_graph(session)
    session.xdo("windowfocus", "--sync", graph)
    session.keys("End")
    settle(1.0)
    crop(session, graph, output)


def a_year_of_drills():
    """Drills on every fourth day of the last twelve months, a little better
    and faster as the months go by."""
    today = datetime.date.today()
    lines = []
    for i in range(0, 360, 4):
        day = today - datetime.timedelta(days=360 - i)
        minutes, seconds = divmod(260 - i // 3 + (i * 37) % 29, 60)
        percent = min(100, 62 + i // 12 + (i * 13) % 17)
        when = day.strftime("%Y/%m/%d 09:") + "%02d" % (i % 60)
        lines.append(e2e_support.summary_line(minutes, seconds, percent, when))
    return lines


def printed_page(session, output):
    """The page that Ctrl+P prints, saved as PDF through Ctrl+S and the save
    dialog, its page rendered by pdftoppm."""
    e2e_support.use_own_home(session)
    start(session, a_year_of_drills())
    graph = open_graph(session)
    pdf = os.path.join(session.root, "page.pdf")
    e2e_support.save_through_dialog(session, graph, pdf)
    result = subprocess.run(["pdftoppm", "-png", "-r", "60", "-singlefile", pdf, output[:-len(".png")]],
                            capture_output=True, text=True)
    check(result.returncode == 0, "pdftoppm failed: " + result.stderr)
    print("wrote %s" % output)


def main_window_120dpi(session, output):
    start(session, font_dpi=120)
    some_questions(session)
    crop(session, session.main, output)


def laptop_150_percent(session, output):
    """The whole screen of a 1366 x 768 laptop at 150 %: the main window, fitted
    to the screen, during a drill, and the graph window over it."""
    start(session, thirty_drills())
    some_questions(session)
    ratio = session.geometry(session.main)["WIDTH"] / run_scaling.MAIN_CLIENT[0]
    run_scaling.click_at(session, session.main, ratio, 523, 543)
    wait_for("the graph window", lambda: session.window_named(e2e_support.GRAPH_TITLE))
    settle(1.0)
    result = subprocess.run(["import", "-window", "root", output], env=session.env, capture_output=True, text=True)
    check(result.returncode == 0, "import failed: " + result.stderr)
    print("wrote %s (%dx%d)" % ((output,) + session.size))


def dark_desktop(session):
    session.env.update(QT_QPA_PLATFORMTHEME="kde", XDG_CONFIG_HOME=BREEZE_DARK, KDE_FULL_SESSION="true",
                       KDE_SESSION_VERSION="5")


def main_window_dark(session, output):
    dark_desktop(session)
    start(session, thirty_drills())
    some_questions(session)
    crop(session, session.main, output)


def graph_window_dark(session, output):
    dark_desktop(session)
    start(session, thirty_drills())
    crop(session, open_graph(session), output)


BREEZE_DARK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "breeze-dark")

# Pictures made on a screen of their own: (size, dots per inch, environment).
SCREENS = {
    "laptop-150-percent": ((1366, 768), 96, {"QT_SCALE_FACTOR": "1.5"}),
}

PICTURES = {
    "main-window-rest": main_window_rest,
    "main-window-drill": main_window_drill,
    "main-window-end": main_window_end,
    "graph-window": graph_window,
    "graph-window-zoomed": graph_window_zoomed,
    "graph-window-readout": graph_window_readout,
    "graph-window-3000": graph_window_3000,
    "graph-window-3000-end": graph_window_3000_end,
    "main-window-120dpi": main_window_120dpi,
    "laptop-150-percent": laptop_150_percent,
    "main-window-dark": main_window_dark,
    "graph-window-dark": graph_window_dark,
    "printed-page": printed_page,
}


def main():
    if len(sys.argv) < 3 or any(name not in PICTURES for name in sys.argv[3:]):
        print(__doc__, file=sys.stderr)
        return 2
    program, docs = sys.argv[1], sys.argv[2]
    for name in sys.argv[3:] or PICTURES:
        screen = SCREENS.get(name)
        with (run_scaling.ScaledSession(program, *screen) if screen else e2e_support.Session(program)) as session:
            try:
                PICTURES[name](session, os.path.abspath(os.path.join(docs, name + ".png")))
            except e2e_support.TestFailure as failure:
                print("%s: %s" % (name, failure), file=sys.stderr)
                if session.proc:
                    print("program output:\n" + session.output(), file=sys.stderr)
                return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
