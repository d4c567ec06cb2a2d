#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end tests of the surasura executable: each case starts the real program
in a fresh working directory on an X server of its own and drives it with xdotool
as a user would, then looks at what the program left in "HIST_ZV.DAT".

usage: run_e2e.py [--on-display] PROGRAM CASE

--on-display: on the X server of DISPLAY (xvfb-run's, say) instead of one of
its own."""
import csv
import datetime
import io
import os
import random
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e_support import (CLOCK_AREA, GRAPH_TITLE, HISTORY, LINE_BYTES, MAIN_TITLE,  # noqa: E402
                         QUESTION_BOX_CENTRES, SCORE_CHART_BUTTON_CENTRE, START_BUTTON_CENTRE, Reported,
                         Session, bar_point, check, close_graph_and_program, copies_directory, die_with_parent,
                         drag, open_graph_window, red_pixel_nearest, save_through_dialog, settled_picture,
                         summary_line, use_own_home, wait_for, window_picture, write_history)
from question_reader import OPERATORS, Reader  # noqa: E402


def check_no_answer_line(line):
    check(len(line) == LINE_BYTES, "line of %d bytes: %r" % (len(line), line))
    check(line.endswith(b"\r\n"), "line not ended by CR LF: %r" % line)
    check(line[:8] == "所要時間".encode("cp932"), "not a summary line: %r" % line)
    check(line[24:27] == b"  0", "percentage %r, expected '  0'" % line[24:27])
    year = str(datetime.date.today().year).encode()
    check(line[30:34] == year, "date %r does not start with %r" % (line[30:46], year))


# The cases.


def case_first_drill(session):
    """Start with Enter, 100 empty answers: one line, 0 %, today's date. The main
    window carries the program's icon in every size the desktop entry installs."""
    session.start()
    sizes = wait_for("the main window's icon", lambda: session.icon_sizes(session.main))
    check(sizes == ["16", "22", "24", "32", "48", "64", "128", "256"], "icon sizes %s" % sizes)
    session.run_drill(1)
    data = session.history()
    check(len(data) == LINE_BYTES, "history of %d bytes: %r" % (len(data), data))
    check_no_answer_line(data)
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")


def case_three_drills(session):
    session.start()
    for count in (1, 2, 3):
        session.run_drill(count)
    data = session.history()
    check(len(data) == 3 * LINE_BYTES, "history of %d bytes" % len(data))
    for i in range(3):
        check_no_answer_line(data[i * LINE_BYTES:(i + 1) * LINE_BYTES])
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")


def case_lf_history_rewritten_with_crlf(session):
    old = [summary_line(1, 40, 50, "2024/01/02 03:04"), summary_line(2, 5, 100, "2024/01/03 10:11")]
    with open(session.path(HISTORY), "wb") as file:
        file.write(b"\n".join(old) + b"\n")
    session.start()
    session.run_drill(3)
    data = session.history()
    lines = data.split(b"\r\n")
    check(len(data) == 3 * LINE_BYTES and lines[-1] == b"", "history %r" % data)
    check(lines[0] == old[0] and lines[1] == old[1], "old lines changed: %r" % data)
    check_no_answer_line(lines[2] + b"\r\n")
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")


def case_close_box_during_drill_writes_nothing(session):
    session.start()
    session.keys("Return")
    session.keys(*["Return"] * 30)
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")
    check(os.listdir(session.work) == [], "files left: %r" % os.listdir(session.work))


def case_history_directory_gives_error_box(session):
    os.mkdir(session.path(HISTORY))
    session.start()
    session.keys("Return")
    session.keys(*["Return"] * 100)
    wait_for("the error box", session.error_box)
    check(session.proc.poll() is None, "the program ended")
    session.keys("Return")  # the box has the focus and closes on Enter
    wait_for("the box to close", lambda: session.error_box() is None)
    # The program goes on: a click on the start button starts the next drill,
    # whose end fails the same way.
    session.xdo("windowfocus", "--sync", session.main)
    session.xdo("mousemove", "--window", session.main, *START_BUTTON_CENTRE)
    session.xdo("click", "1")
    session.keys(*["Return"] * 100)
    wait_for("the error box again", session.error_box)
    session.keys("Return")
    wait_for("the box to close", lambda: session.error_box() is None)
    check(os.path.isdir(session.path(HISTORY)), "the directory went away")
    check(os.listdir(session.path(HISTORY)) == [], "something was written into the directory")
    session.end_keeping_drills(2)
    # With the directory gone, the next start writes both drills and removes the
    # recovery file; a start after it adds nothing twice.
    os.rmdir(session.path(HISTORY))
    for start in range(2):
        session.start()
        wait_for("the recovered drills in the history",
                 lambda: (session.history() or b"").count(b"\r\n") == 2)
        check(not os.path.exists(session.recovery_file()), "the recovery file stayed")
        session.close_box(session.main)
        check(session.exit_code() == 0, "exit code not 0")
    check(len(session.history()) == 2 * LINE_BYTES, "history of %d bytes" % len(session.history()))


def case_keyboard_after_error_box(session):
    """The error box at a drill's end is closed with Enter while the pointer rests
    outside the program's windows: the main window has the keyboard again with
    the focus on the start button, as after a drill that was saved, so the next
    Enter, however soon, starts the next drill without the mouse."""
    os.mkdir(session.path(HISTORY))
    session.start()
    session.xdo("mousemove", "0", "0")
    session.run_drill_until_box()
    session.keys("Return")
    wait_for("the box to close", lambda: session.error_box() is None)
    session.keys("Return")  # the start button, which starts
    session.keys(*["Return"] * 100)
    wait_for("the error box of the second drill", session.error_box)
    session.keys("Return")
    wait_for("the box to close", lambda: session.error_box() is None)
    session.end_keeping_drills(2)


def case_keyboard_after_error_box_over_graph_window(session):
    """A history line that cannot be read gives a notice at the start and an
    error box as the graph window opens; closed with Enter while the pointer rests outside the windows, the
    graph window has the keyboard and Enter closes it, and the start button then
    has it: Enter starts a drill that reaches the history."""
    bad = summary_line(1, 40, 50, "2024/01/02 03:04").replace(b" 01", b" 0x", 1)
    write_history(session, [bad])
    session.start()
    session.xdo("mousemove", "0", "0")
    notice = wait_for("the start's notice of the damaged line", session.error_box)
    session.xdo("windowfocus", "--sync", notice)
    session.keys("Return")
    wait_for("the notice to close", lambda: session.error_box() is None)
    session.keys("Tab", "Tab", "Tab", "Return")  # the score chart button
    wait_for("the error box", session.error_box)
    session.keys("Return")
    wait_for("the box to close", lambda: session.error_box() is None)
    check(session.window_named(GRAPH_TITLE) is not None, "the graph window is not shown")
    session.keys("Return")
    wait_for("the graph window to close", lambda: session.window_named(GRAPH_TITLE) is None)
    session.run_drill(2)
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")


def case_hint_on_start_button(session):
    """The pointer rests on the start button: the hint comes just below the pointer,
    goes after a while and stays away while the pointer stays; a key removes it."""
    session.start()
    check(session.hint_window() is None, "a hint before the pointer came")
    session.xdo("mousemove", "--window", session.main, *START_BUTTON_CENTRE)
    hint = wait_for("the hint", session.hint_window, timeout=10)
    x, y = session.pointer()
    box = session.geometry(hint)
    check(box["X"] == x, "hint at x %d, pointer at %d" % (box["X"], x))
    check(y < box["Y"] <= y + 64, "hint at y %d, not just below the pointer at %d" % (box["Y"], y))
    check(box["HEIGHT"] >= 19 + 6 and box["WIDTH"] > 9 * 19, "hint of %(WIDTH)d x %(HEIGHT)d" % box)
    wait_for("the hint to go", lambda: session.hint_window() is None, timeout=10)
    session.xdo("mousemove_relative", "--", "3", "1")
    time.sleep(1.0)
    check(session.hint_window() is None, "the hint came back on the same control")
    # Away over the log, back to the button: a new hint, and a key takes it away.
    session.xdo("mousemove", "--window", session.main, "300", "300")
    session.xdo("mousemove", "--window", session.main, *START_BUTTON_CENTRE)
    wait_for("the hint again", session.hint_window, timeout=10)
    session.keys("shift")
    wait_for("a key to remove the hint", lambda: session.hint_window() is None, timeout=10)
    # A cancel, unlike the hide after a while, lets the next move on the button bring it back.
    session.xdo("mousemove_relative", "--", "2", "1")
    wait_for("the hint after the cancel", session.hint_window, timeout=10)
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")


def case_hint_over_the_pointer_at_the_bottom_edge(session):
    """With the main window at the bottom of the screen, the hint of the score
    chart button is moved up onto the pointer: it stays up, and a click at the
    pointer goes through it to the button, which opens the graph window."""
    session.start()
    screen_height = int(session.xdo("getdisplaygeometry").split()[1])
    height = session.geometry(session.main)["HEIGHT"]
    session.xdo("windowmove", "--sync", session.main, "100", str(screen_height - height))
    session.xdo("windowfocus", "--sync", session.main)
    session.xdo("mousemove", "--window", session.main, "300", "300")
    session.xdo("mousemove", "--window", session.main, *SCORE_CHART_BUTTON_CENTRE)
    hint = wait_for("the hint", session.hint_window, timeout=10)
    x, y = session.pointer()
    box = session.geometry(hint)
    check(box["Y"] + box["HEIGHT"] == screen_height, "hint at y %d, %d high" % (box["Y"], box["HEIGHT"]))
    check(box["Y"] <= y < box["Y"] + box["HEIGHT"], "the hint does not cover the pointer at y %d" % y)
    time.sleep(0.3)
    check(session.hint_window() == hint, "the hint went away under the pointer")
    session.xdo("click", "1")
    wait_for("the graph window", lambda: session.window_named(GRAPH_TITLE), timeout=10)
    close_graph_and_program(session)


def case_graph_window_zoom_and_undo(session):
    """The graph window on a history of 30 drills: a left drag to the right and
    down zooms (the picture changes), a drag up and to the left undoes it (the
    picture is the one from before, pixel for pixel), Enter closes the window."""
    graph = open_graph_window(session, 30)
    before = wait_for("a drawn chart", lambda: settled_picture(session, graph))
    drag(session, graph, "1", (200, 150), (400, 350))
    wait_for("the zoomed picture", lambda: (settled_picture(session, graph) or before) != before, timeout=10)
    drag(session, graph, "1", (400, 350), (200, 150))
    wait_for("the picture from before the zoom", lambda: window_picture(session, graph) == before, timeout=10)
    close_graph_and_program(session)


def case_graph_window_scroll_and_undo(session):
    """A right-button drag inside the plot box scrolls the chart (the picture
    changes); a small left drag changes nothing; a left drag up and to the left
    puts back the axes from before the scroll, pixel for pixel."""
    graph = open_graph_window(session, 30)
    before = wait_for("a drawn chart", lambda: settled_picture(session, graph))
    drag(session, graph, "3", (400, 300), (440, 380))
    scrolled = wait_for("the scrolled picture",
                        lambda: (settled_picture(session, graph) or before) != before
                        and settled_picture(session, graph), timeout=10)
    drag(session, graph, "1", (300, 300), (290, 290))  # 10 pixels each way: too small
    time.sleep(0.5)
    check(settled_picture(session, graph) == scrolled, "a small left drag changed the chart")
    drag(session, graph, "1", (400, 350), (200, 150))
    wait_for("the picture from before the scroll", lambda: window_picture(session, graph) == before, timeout=10)
    close_graph_and_program(session)


def case_graph_window_closed_during_a_drag(session):
    """Enter closes the graph window while a mouse button is still held on the
    chart: the drag ends with the window. A zoom drag cut short so zooms
    nothing, even when the button comes up afterwards (the next showing looks
    as before the drag); after a scroll drag, plain pointer moves and a click
    at the next showing change nothing."""
    graph = open_graph_window(session, 30)
    for button in ("1", "3"):
        before_drag = wait_for("a drawn chart", lambda: settled_picture(session, graph))
        session.xdo("mousemove", "--window", graph, "300", "300")
        session.xdo("mousedown", button)
        session.xdo("mousemove", "--window", graph, "340", "340")
        time.sleep(0.1)
        session.keys("Return")
        wait_for("the graph window to close", lambda: session.window_named(GRAPH_TITLE) is None)
        session.xdo("mouseup", button)
        session.xdo("mousemove", "--window", session.main, *SCORE_CHART_BUTTON_CENTRE)
        session.xdo("click", "1")
        graph = wait_for("the graph window", lambda: session.window_named(GRAPH_TITLE))
        shown = wait_for("a drawn chart", lambda: settled_picture(session, graph))
        if button == "1":
            check(shown == before_drag, "a zoom drag cut short by closing the window zoomed the chart")
        for step in range(1, 6):
            session.xdo("mousemove", "--window", graph, str(300 + 20 * step), str(300 + 20 * step))
            time.sleep(0.05)
        session.xdo("click", "1")
        time.sleep(0.5)
        check(settled_picture(session, graph) == shown,
              "moves and a click after a drag cut short by closing changed the chart (button %s)" % button)
    close_graph_and_program(session)


def case_escape_closes_graph_window(session):
    """Escape closes the graph window as its close button does: the program runs
    on with the focus on the start button (Enter starts a drill), and the window
    opens again."""
    graph = open_graph_window(session, 3)
    session.xdo("windowfocus", "--sync", graph)
    session.keys("Escape")
    wait_for("the graph window to close", lambda: session.window_named(GRAPH_TITLE) is None, timeout=10)
    check(session.proc.poll() is None, "the program ended")
    session.xdo("windowfocus", "--sync", session.main)
    session.run_drill(4)  # Enter on the start button
    session.xdo("mousemove", "--window", session.main, *SCORE_CHART_BUTTON_CENTRE)
    session.xdo("click", "1")
    wait_for("the graph window again", lambda: session.window_named(GRAPH_TITLE))
    close_graph_and_program(session)


def case_graph_window_keys_zoom_and_home(session):
    """In the graph window "+" zooms (the picture changes) and Home puts the
    chart back pixel for pixel; so does "0" after the keypad's plus and the
    arrows. Enter still closes the window."""
    graph = open_graph_window(session, 30)
    session.xdo("windowfocus", "--sync", graph)
    before = wait_for("a drawn chart", lambda: settled_picture(session, graph))
    session.keys("plus")
    zoomed = wait_for("the zoomed picture", lambda: (settled_picture(session, graph) or before) != before
                      and settled_picture(session, graph), timeout=10)
    session.keys("Home")
    wait_for("the picture from before the zoom", lambda: window_picture(session, graph) == before, timeout=10)
    session.keys("KP_Add", "Left", "Up")
    wait_for("a zoomed and scrolled picture",
             lambda: (settled_picture(session, graph) or before) not in (before, zoomed), timeout=10)
    session.keys("0")
    wait_for("the picture from before the keys", lambda: window_picture(session, graph) == before, timeout=10)
    close_graph_and_program(session)


def case_hint_on_a_bar(session):
    """The pointer rests on a bar of the chart: the program's hint window opens
    just below the pointer with that drill's readout, a long line; moving off
    the bars takes it away."""
    graph = open_graph_window(session, 30)
    session.xdo("windowfocus", "--sync", graph)
    wait_for("a drawn chart", lambda: settled_picture(session, graph))
    check(session.hint_window() is None, "a hint before the pointer came")
    x, y = bar_point(session, graph, (0.25, 0.75))
    session.xdo("mousemove", "--window", graph, str(x - 40), "20")
    session.xdo("mousemove", "--window", graph, str(x), str(y))
    hint = wait_for("the readout", session.hint_window, timeout=10)
    pointer_x, pointer_y = session.pointer()
    box = session.geometry(hint)
    check(box["X"] == pointer_x, "hint at x %d, pointer at %d" % (box["X"], pointer_x))
    check(pointer_y < box["Y"] <= pointer_y + 64, "hint at y %d, not just below the pointer at %d" % (box["Y"], pointer_y))
    check(box["WIDTH"] > 20 * 19, "a hint of %(WIDTH)d x %(HEIGHT)d is too narrow for a readout" % box)
    session.xdo("mousemove", "--window", graph, "350", "12")  # the title
    wait_for("the readout to go", lambda: session.hint_window() is None, timeout=10)
    close_graph_and_program(session)


def case_kill_after_last_enter(session):
    """The program is killed with SIGKILL at a random moment after the last Enter of
    a drill goes out (before, inside or after the drill's save), 50 times over on the
    same X server: each time the history is the list from before the drill or that
    list and the drill's line, never anything else, and at most the one new file of
    the writer just killed lies beside it."""
    rng = random.Random(int(os.environ.get("SURASURA_E2E_SEED", "20240315")))
    runs = int(os.environ.get("SURASURA_E2E_KILLS", "50"))
    old = b"".join(summary_line(1, 40, 50, "2024/01/02 03:04") + b"\r\n" for _ in range(3))
    with open(session.path(HISTORY), "wb") as file:
        file.write(old)
    outcomes = {"old list": 0, "new list": 0, "inside a save": 0}
    for run in range(runs):
        session.start()
        session.keys("Return")  # the start button has the focus
        session.xdo("key", "--delay", "1", *["Return"] * 99)
        # The last Enter goes out while the clock for the kill already runs, so
        # that the kill falls before, inside or after the save of the drill.
        last_enter = subprocess.Popen(["xdotool", "key", "Return"], env=session.env)
        time.sleep(rng.uniform(0.0, 0.03))
        session.proc.kill()
        session.proc.wait()
        last_enter.wait()
        data = session.history()
        check(data is not None, "run %d: the history is gone" % run)
        if data == old:
            outcomes["old list"] += 1
        else:
            check(len(data) == len(old) + LINE_BYTES and data.startswith(old),
                  "run %d: the history is neither the old list nor the new one (%d bytes)" % (run, len(data)))
            check_no_answer_line(data[len(old):])
            outcomes["new list"] += 1
            old = data
        others = [name for name in os.listdir(session.work) if name != HISTORY]
        check(len(others) <= 1 and all(name.startswith(HISTORY + ".new-") for name in others),
              "run %d: files beside the history: %r" % (run, others))
        outcomes["inside a save"] += len(others)
    print("%d kills: %d left the old list, %d the new one; %d fell inside a save" %
          (runs, outcomes["old list"], outcomes["new list"], outcomes["inside a save"]))


def case_file_size_limit_gives_error_box(session):
    """A history that cannot grow (the file size limit is below the new list's size,
    as on a full disk): the drill's end shows the error box instead of ending the
    program, the old file stays as it was, and the program goes on."""
    old = b"".join(summary_line(1, 40, 50, "2024/01/02 03:04") + b"\r\n" for _ in range(3))
    with open(session.path(HISTORY), "wb") as file:
        file.write(old)
    session.start(file_size_limit=len(old))
    session.run_drill_until_box()
    check(session.proc.poll() is None, "the program ended (killed by the file size signal?)")
    check(session.history() == old, "the old history changed")
    check(os.listdir(session.work) == [HISTORY], "files left: %r" % os.listdir(session.work))
    session.keys("Return")
    wait_for("the box to close", lambda: session.error_box() is None)
    session.end_keeping_drills(1)




def case_enter_twice_at_the_last_answer_keeps_the_result(session):
    """Enter pressed twice at the last question, 0.3 s apart: the second press
    starts no drill. A moment later the clock is at rest, as at the start, and
    the log is still headed by the drill's summary line."""
    session.start()
    session.xdo("mousemove", "0", "0")
    clock_at_rest = window_picture(session, session.main, CLOCK_AREA)
    session.keys("Return")
    session.keys(*["Return"] * 100)
    time.sleep(0.3)
    session.keys("Return")
    wait_for("the drill in the history", lambda: (session.history() or b"").count(b"\r\n") == 1)
    time.sleep(1.5)  # a drill started by the second Enter would show its first second
    check(window_picture(session, session.main, CLOCK_AREA) == clock_at_rest, "the clock is not at rest")
    session.keys("Tab", "Tab")  # over the end button to the log
    top = session.copy_focused()
    check(top.encode("cp932") + b"\r\n" == session.history(), "the log's top line is %r" % top)
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")


def case_click_on_a_question_box_keeps_the_typing_in_the_answer_box(session):
    """A click on each question box during a drill leaves the focus in the
    answer box: the answer typed next and Enter log the question as answered
    right."""
    session.start()
    session.keys("Return")
    left, operator, right = Reader(session).question()
    for centre in QUESTION_BOX_CENTRES:
        session.xdo("mousemove", "--window", session.main, *centre)
        session.xdo("click", "1")
    session.type_text(str(OPERATORS[operator](left, right)))
    session.keys("Return")
    session.keys("Tab", "Tab", "Tab")  # over the start and end buttons to the log
    top = session.copy_focused()
    check(top.startswith("  1:") and "  正解" in top, "the log's top line is %r" % top)
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")


def case_alt_f4_closes_graph_window_then_program(session):
    """Alt+F4, with no window manager to take it, closes the window that has the
    keyboard: the graph window goes and the program runs on with the focus on the
    start button; on the main window it ends the program."""
    session.start()
    session.xdo("mousemove", "--window", session.main, *SCORE_CHART_BUTTON_CENTRE)
    session.xdo("click", "1")
    graph = wait_for("the graph window", lambda: session.window_named(GRAPH_TITLE))
    session.xdo("windowfocus", "--sync", graph)
    session.keys("alt+F4")
    wait_for("the graph window to close", lambda: session.window_named(GRAPH_TITLE) is None, timeout=10)
    check(session.proc.poll() is None, "the program ended")
    session.xdo("windowfocus", "--sync", session.main)
    session.run_drill(1)  # Enter on the start button
    session.keys("alt+F4")
    check(session.exit_code() == 0, "exit code not 0")
    check(session.history().count(b"\r\n") == 1, "history %r" % session.history())


def case_second_start_brings_the_first_forward(session):
    """A second start in the folder of a running copy, here through a symlink to
    it, ends at once with status 0 and gives the running copy the keyboard; a
    start in another folder runs beside it; a drill finished afterwards is one
    line. A copy killed with SIGKILL does not block the next start."""
    session.start()
    first, first_window = session.proc, session.main
    other = os.path.join(session.root, "other")
    os.mkdir(other)
    beside = subprocess.Popen([session.program], cwd=other, env=session.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.STDOUT, preexec_fn=die_with_parent)
    try:
        session.proc = beside
        beside_window = wait_for("the copy in another folder", lambda: session.window_named(MAIN_TITLE))
        session.xdo("windowfocus", "--sync", beside_window)
        link = os.path.join(session.root, "link")
        os.symlink(session.work, link)
        started = time.monotonic()
        second = subprocess.run([session.program], cwd=link, env=session.env, capture_output=True, timeout=20)
        took = time.monotonic() - started
        check(second.returncode == 0, "the second start ended with %d" % second.returncode)
        check(took < 5, "the second start took %.1f s to end" % took)
        wait_for("the first copy's window to have the keyboard",
                 lambda: session.xdo("getwindowfocus") == first_window, timeout=5)
        check(beside.poll() is None, "the copy in another folder ended")
    finally:
        beside.kill()
        beside.wait()
    session.proc, session.main = first, first_window
    session.run_drill(1)
    check(len(session.history()) == LINE_BYTES, "history of %d bytes" % len(session.history()))
    session.proc.kill()
    session.proc.wait()
    session.start()  # waits for the new window: the killed copy's lock is gone
    check(session.proc.poll() is None, "the start after the killed copy ended")
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")


def case_damaged_history_is_told_and_a_drill_survives_the_chart(session):
    """A history with a NUL byte in the middle: right after the window is up a
    box tells of the damaged line. Then a drill: the score chart opened and
    closed in the middle of it, the next answers go to the same drill (at the
    start button, Enter would start it anew), and the drill's line follows every
    line of the file, the damaged one as it stood. The chart opened afterwards
    tells of the damaged line once and draws the new drill's bar, the tallest
    and rightmost."""
    good = b"".join(summary_line(1, 40, 50, "2024/01/02 03:04") + b"\r\n" for _ in range(2))
    old = good + b"\0y\r\n" + good
    with open(session.path(HISTORY), "wb") as file:
        file.write(old)
    session.start()
    notice = wait_for("the notice", session.error_box)
    # The test gave the main window the keyboard as it appeared; the box came
    # just after it.
    session.xdo("windowfocus", "--sync", notice)
    session.keys("Return")
    wait_for("the notice to close", lambda: session.error_box() is None)
    session.keys("Return")  # the start button: the drill begins
    reader = Reader(session)
    reader.answer()
    session.xdo("mousemove", "--window", session.main, *SCORE_CHART_BUTTON_CENTRE)
    session.xdo("click", "1")
    wait_for("the chart's box for the damaged line", session.error_box)
    session.keys("Return")
    wait_for("the graph window", lambda: session.window_named(GRAPH_TITLE))
    session.keys("Return")
    wait_for("the graph window to close", lambda: session.window_named(GRAPH_TITLE) is None)
    for _ in range(99):
        reader.answer()
    wait_for("the drill's line", lambda: (session.history() or b"").count(b"\r\n") == 6)
    check(session.history().startswith(old), "the file's lines are not all there as they stood")
    check(not os.path.exists(session.path(HISTORY + ".bak")), "a copy was kept although nothing was cut")
    check(b"\x97\xa6100%" in session.history()[len(old):], "the drill is not all right")

    session.xdo("mousemove", "--window", session.main, *SCORE_CHART_BUTTON_CENTRE)
    session.xdo("click", "1")
    wait_for("the chart's box for the damaged line", session.error_box)
    session.keys("Return")
    graph = wait_for("the graph window", lambda: session.window_named(GRAPH_TITLE))
    check(session.error_box() is None, "a second box for the same opening")
    picture = wait_for("a drawn chart", lambda: settled_picture(session, graph))
    box = session.geometry(graph)
    newest = red_pixel_nearest(picture, box["WIDTH"], box["HEIGHT"], (1.0, 0.0))
    oldest = red_pixel_nearest(picture, box["WIDTH"], box["HEIGHT"], (0.0, 0.0))
    check(newest[0] > oldest[0] and newest[1] < oldest[1] - 50,
          "no bar of 100 %% right of and above the others: %s, %s" % (newest, oldest))
    close_graph_and_program(session)


def case_deleted_history_comes_back_from_its_daily_copy(session):
    """A drill leaves a copy of the history, named by the day, in a directory of
    the user's alone. The history deleted, the next start offers the copy in a
    box: Enter (「戻さない」 is the default) leaves the folder without a history.
    At the start after that, 「戻す」 (Tab, space) brings the drill back into the
    file, and the program goes on with it."""
    session.start()
    session.run_drill(1)
    drill = session.history()
    copies = copies_directory(session.work, session.data)
    today = datetime.date.today().isoformat()
    check(sorted(os.listdir(copies)) == [today + ".HIST_ZV.DAT"], "copies %s" % os.listdir(copies))
    check(os.stat(copies).st_mode & 0o777 == 0o700, "the copies' directory is not the user's alone")
    with open(os.path.join(copies, today + ".HIST_ZV.DAT"), "rb") as file:
        check(file.read() == drill, "the copy is not the history")
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")

    os.remove(session.path(HISTORY))
    for answer in (["Return"], ["Tab", "space"]):
        session.start()
        box = wait_for("the offer of the copy", session.error_box)
        session.xdo("windowfocus", "--sync", box)
        session.keys(*answer)
        wait_for("the box to close", lambda: session.error_box() is None)
        if answer == ["Return"]:
            check(session.history() is None, "Enter put the copy back")
            session.close_box(session.main)
            check(session.exit_code() == 0, "exit code not 0")
    check(session.history() == drill, "the copy is not back: %r" % session.history())
    session.run_drill(2)
    check(session.history().startswith(drill), "the drill of the copy is gone")
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")


def case_graph_window_ctrl_s_saves_csv(session):
    """Ctrl+S in the graph window opens the save dialog in the documents
    folder; a path typed over its name and Enter save the whole history there
    as CSV: a byte-order mark, the headings, one row per line, the damaged
    line with its text."""
    use_own_home(session)
    lines = [summary_line(3, 12, 85, "2024/03/15 09:05"), "所要時間 0x分, \"壊\"".encode("cp932"),
             summary_line(2, 58, 100, "2024/03/16 10:00")]
    write_history(session, lines)
    session.start()
    notice = wait_for("the start's notice of the damaged line", session.error_box)
    session.xdo("windowfocus", "--sync", notice)
    session.keys("Return")
    wait_for("the notice to close", lambda: session.error_box() is None)
    session.xdo("mousemove", "--window", session.main, *SCORE_CHART_BUTTON_CENTRE)
    session.xdo("click", "1")
    box = wait_for("the chart's error box for the damaged line", session.error_box)
    session.xdo("windowfocus", "--sync", box)
    session.keys("Return")
    graph = wait_for("the graph window", lambda: session.window_named(GRAPH_TITLE))
    target = os.path.join(session.root, "saved", "seiseki.csv")
    os.mkdir(os.path.dirname(target))
    save_through_dialog(session, graph, target)
    with open(target, "rb") as file:
        data = file.read()
    check(data.startswith(b"\xef\xbb\xbf"), "no byte-order mark: %r" % data[:8])
    rows = list(csv.reader(io.StringIO(data.decode("utf-8-sig"), newline="")))
    expected = [["番号", "日時", "正答率（％）", "所要時間（秒）", "読めなかった行"],
                ["1", "2024-03-15T09:05", "85", "192", ""],
                ["2", "", "", "", "所要時間 0x分, \"壊\""],
                ["3", "2024-03-16T10:00", "100", "178", ""]]
    check(rows == expected, "rows %r" % rows)
    check(session.window_named(GRAPH_TITLE) is not None, "the graph window closed")
    session.keys("Escape")
    wait_for("the graph window to close", lambda: session.window_named(GRAPH_TITLE) is None)
    session.close_box(session.main)
    check(session.exit_code() == 0, "exit code not 0")


def case_graph_window_ctrl_p_prints_to_file(session):
    """Ctrl+P in the graph window opens the print dialog; with no printer (no
    print server) it offers printing into a PDF file in the home folder, and
    Enter prints the page there: the title, the period and the records."""
    use_own_home(session)
    session.env["CUPS_SERVER"] = os.path.join(session.root, "no-print-server")
    graph = open_graph_window(session, 3)
    session.xdo("windowfocus", "--sync", graph)
    session.keys("ctrl+p")
    dialog = wait_for("the print dialog", lambda: session.window_named("印刷"))
    session.xdo("windowfocus", "--sync", dialog)
    session.keys("Return")
    printed = os.path.join(session.root, "home", "すらすら算数帳　成績の記録.pdf")
    wait_for("the printed file", lambda: os.path.exists(printed) and session.window_named("印刷") is None)
    text = wait_for("the page's text", lambda: subprocess.run(["pdftotext", printed, "-"], capture_output=True,
                                                              text=True).stdout.replace(" ", ""), timeout=10)
    for part in ("すらすら算数帳", "2024年3月15日", "（ドリル3回）", "最高の正答率34%", "最短の所要時間2分30秒"):
        check(part in text, "%r not on the page:\n%s" % (part, text))
    check(session.window_named(GRAPH_TITLE) is not None, "the graph window closed")
    close_graph_and_program(session)


CASES = {
    "deleted_history_comes_back_from_its_daily_copy": case_deleted_history_comes_back_from_its_daily_copy,
    "damaged_history_is_told_and_a_drill_survives_the_chart": case_damaged_history_is_told_and_a_drill_survives_the_chart,
    "second_start_brings_the_first_forward": case_second_start_brings_the_first_forward,
    "alt_f4_closes_graph_window_then_program": case_alt_f4_closes_graph_window_then_program,
    "first_drill": case_first_drill,
    "three_drills": case_three_drills,
    "lf_history_rewritten_with_crlf": case_lf_history_rewritten_with_crlf,
    "close_box_during_drill_writes_nothing": case_close_box_during_drill_writes_nothing,
    "history_directory_gives_error_box": case_history_directory_gives_error_box,
    "hint_on_start_button": case_hint_on_start_button,
    "hint_over_the_pointer_at_the_bottom_edge": case_hint_over_the_pointer_at_the_bottom_edge,
    "keyboard_after_error_box": case_keyboard_after_error_box,
    "keyboard_after_error_box_over_graph_window": case_keyboard_after_error_box_over_graph_window,
    "graph_window_zoom_and_undo": case_graph_window_zoom_and_undo,
    "graph_window_scroll_and_undo": case_graph_window_scroll_and_undo,
    "graph_window_closed_during_a_drag": case_graph_window_closed_during_a_drag,
    "escape_closes_graph_window": case_escape_closes_graph_window,
    "graph_window_keys_zoom_and_home": case_graph_window_keys_zoom_and_home,
    "graph_window_ctrl_s_saves_csv": case_graph_window_ctrl_s_saves_csv,
    "graph_window_ctrl_p_prints_to_file": case_graph_window_ctrl_p_prints_to_file,
    "hint_on_a_bar": case_hint_on_a_bar,
    "kill_after_last_enter": case_kill_after_last_enter,
    "file_size_limit_gives_error_box": case_file_size_limit_gives_error_box,
    "enter_twice_at_the_last_answer_keeps_the_result": case_enter_twice_at_the_last_answer_keeps_the_result,
    "click_on_a_question_box_keeps_the_typing_in_the_answer_box":
        case_click_on_a_question_box_keeps_the_typing_in_the_answer_box,
}


def main():
    arguments = sys.argv[1:]
    on_display = arguments[:1] == ["--on-display"]
    if on_display:
        arguments = arguments[1:]
    if len(arguments) != 2 or arguments[1] not in CASES or (on_display and not os.environ.get("DISPLAY")):
        print(__doc__ + "\ncases: " + ", ".join(CASES), file=sys.stderr)
        return 2
    program, case = arguments
    with Session(program, on_display) as session, Reported(session, case) as outcome:
        CASES[case](session)
    return outcome.status


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
