#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A whole drill typed with a Japanese input method switched on, as on a
Japanese user's desktop: the real input method (IBus or Fcitx 5, each with
Mozc) on an X server of its own, the program started with QT_IM_MODULE, every
answer typed with the method in hiragana (and, with IBus, in katakana for the
second half).

First a plain line edit of the test's own must turn "ka" into "か", so a
broken set-up cannot pass; then the drill, whose history line must show the
percentage of the answers typed right; last the line edit again, which must
still compose "か" without a key to switch it: the drill left the method's
mode as it found it.

Mozc refuses to run as root and each input method serves only its own user,
so when started as root the test runs the method and the program as "nobody"
in a session bus of their own.

usage: run_ime.py PROGRAM PROBE ibus|fcitx"""
import os
import pwd
import select
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support  # noqa: E402
from question_reader import OPERATORS, Reader  # noqa: E402
from e2e_support import TestFailure, check, wait_for  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
UNPRIVILEGED = "nobody"
PROBE_TITLE = "ime-probe"
MODULES = {"ibus": "ibus", "fcitx": "fcitx"}

FCITX_PROFILE = """[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
"""

# One input state for every window, as a user who switched Japanese on in one
# program finds it on in the next.
FCITX_CONFIG = """[Behavior]
ShareInputState=All
"""


def run(*args, **kwargs):
    return subprocess.run(list(args), capture_output=True, text=True, **kwargs)


def daemon(*args):
    """Starts a daemon that forks itself away; its output goes nowhere, as a
    pipe the test stops reading would end it."""
    subprocess.run(list(args), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


def pids_of(name):
    found = run("pgrep", "-u", str(os.getuid()), "-x", name).stdout.split()
    return [int(pid) for pid in found]


class InputMethod:
    """The input method's daemon, and what it takes to switch it on in a
    focused window."""

    def __init__(self, kind, home):
        self.kind = kind
        self.home = home

    def start(self):
        if self.kind == "ibus":
            daemon("ibus-daemon", "--xim", "--replace", "--daemonize", "--panel=disable")
            # Setting the engine also sets the keyboard layout, which may fail
            # here without harm: what counts is the engine that is on.
            wait_for("the Mozc engine", lambda: run("ibus", "engine", "mozc-jp") and
                     run("ibus", "engine").stdout.strip() == "mozc-jp", timeout=30, step=0.2)
        else:
            config = os.path.join(self.home, ".config", "fcitx5")
            os.makedirs(config, exist_ok=True)
            with open(os.path.join(config, "profile"), "w") as file:
                file.write(FCITX_PROFILE)
            with open(os.path.join(config, "config"), "w") as file:
                file.write(FCITX_CONFIG)
            daemon("fcitx5", "-d", "--disable=all", "--enable=mozc,keyboard,dbus,dbusfrontend,xim")
            # Asked before it owns its name, the bus would start a second one.
            wait_for("fcitx5 on the session bus", lambda: "true" in run(
                "dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                "org.freedesktop.DBus.NameHasOwner", "string:org.fcitx.Fcitx5").stdout, timeout=30, step=0.2)

    def switch_on(self, probe, first_time):
        """Switches Japanese input on in the probe's window (in hiragana the
        first time) and returns what "ka" then composes there. Fcitx 5 may not
        have the new window's input context yet: a try that composes nothing
        is made again."""
        composed = ""
        for _ in range(10):
            if self.kind == "fcitx":
                run("fcitx5-remote", "-o")
                wait_for("fcitx5 on", lambda: run("fcitx5-remote").stdout.strip() == "2", timeout=10)
                time.sleep(0.3)
            wait_for("the Mozc server", lambda: pids_of("mozc_server"), timeout=30)
            if first_time:
                probe.session.keys("Hiragana_Katakana")
            composed = probe.typed("ka")
            if composed != "ka" or self.kind == "ibus":
                break
            time.sleep(0.5)
        return composed

    def stop(self):
        if self.kind == "ibus":
            run("ibus", "exit")
        for pid in pids_of("fcitx5"):
            os.kill(pid, signal.SIGKILL)
        # The Mozc processes outlive their input method.
        for name in ("mozc_server", "mozc_renderer"):
            for pid in pids_of(name):
                os.kill(pid, signal.SIGKILL)


class Probe:
    """The line edit of the test's own (ime_probe)."""

    def __init__(self, session, program):
        self.session = session
        self.proc = subprocess.Popen([program], env=session.env, stdout=subprocess.PIPE, text=True)
        self.window = wait_for("the probe's window", lambda: session.xdo("search", "--name", PROBE_TITLE))
        session.xdo("windowfocus", "--sync", self.window)

    def typed(self, *keys):
        """Types the keys and returns the box's text: Enter commits a
        composition, and Enter on a box with nothing composed prints it."""
        self.session.xdo("type", "--delay", "60", *keys)
        time.sleep(0.3)
        for _ in range(3):
            self.session.keys("Return")
            ready, _, _ = select.select([self.proc.stdout], [], [], 1.0)
            if ready:
                return self.proc.stdout.readline().rstrip("\n")
        raise TestFailure("the probe printed nothing")

    def close(self):
        self.proc.kill()
        self.proc.wait()


def drill(session, method_kind, probe_program):
    """The whole drill; returns the number of answers typed right."""
    reader = Reader(session)
    right = 0
    session.keys("Return")  # the start button has the focus
    for number in range(1, 101):
        if method_kind == "ibus" and number == 51:
            # Katakana for the second half, switched in another window: the
            # mode is the method's, shared by every window.
            probe = Probe(session, probe_program)
            session.keys("Katakana")
            check(probe.typed("ka") == "カ", "katakana not switched on")
            probe.close()
            session.xdo("windowfocus", "--sync", session.main)
        left, operator, right_operand = reader.question()
        value = OPERATORS[operator](left, right_operand)
        if number % 9 == 4:
            value = value + 1 if value < 171 else value - 1
        else:
            right += 1
        text = str(value)
        if number % 10 == 7:
            # A wrong digit first, taken back with Backspace.
            session.xdo("type", "--delay", "40", "9")
            session.keys("BackSpace")
        session.xdo("type", "--delay", "40", text)
        session.keys("Return")
    return right


def inside(program, probe_program, method_kind, scratch):
    """The test proper, as the unprivileged user in a session bus of its own."""
    home = os.environ["HOME"]
    runtime = os.path.join(home, "runtime")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    os.environ["XDG_RUNTIME_DIR"] = runtime

    session = e2e_support.Session.joining(program, scratch, QT_IM_MODULE=MODULES[method_kind])
    method = InputMethod(method_kind, home)
    with e2e_support.Reported(session, "ime_%s" % method_kind, cleanup=method.stop) as outcome:
        method.start()
        probe = Probe(session, probe_program)
        composed = method.switch_on(probe, first_time=True)
        check(composed == "か", "the input method did not compose: %r (a broken set-up)" % composed)
        probe.close()

        session.start()
        right = drill(session, method_kind, probe_program)
        lines = wait_for("the history line", lambda: (lambda data: data if data and data.count(b"\r\n") == 1
                                                      else None)(session.history()), timeout=30)
        percent = int(lines[24:27])
        check(percent == right, "history shows %d %%, %d answers were typed right: %r" % (percent, right, lines))

        # The end button, from the start button where the drill left the focus.
        session.keys("Tab", "Return")
        check(session.exit_code() == 0, "exit code not 0")

        # IBus keeps its state for every window. Fcitx 5 turns itself off in a
        # window whose focused control takes no text (any button does so), so
        # there it is switched on again: Mozc must be in the mode the drill
        # found it in.
        probe = Probe(session, probe_program)
        after = probe.typed("ka") if method_kind == "ibus" else method.switch_on(probe, first_time=False)
        expected = "カ" if method_kind == "ibus" else "か"
        check(after == expected, "the method's mode changed: %r, expected %r" % (after, expected))
        probe.close()
    return outcome.status


def outside(program, probe_program, method_kind):
    """Starts the X server and runs the test as the unprivileged user (or as
    oneself when one is not root)."""
    with e2e_support.Session(program) as x_server:
        scratch = x_server.root
        home = os.path.join(scratch, "home")
        os.mkdir(home)
        # Copies the unprivileged user can reach whatever the checkout's rights.
        bin_dir = os.path.join(scratch, "bin")
        shutil.copytree(HERE, os.path.join(scratch, "driver"))
        os.mkdir(bin_dir)
        for path in (program, probe_program):
            shutil.copy2(path, bin_dir)
        env = dict(x_server.env, HOME=home)
        # A sanitizer's suppression file, likewise.
        options = env.get("LSAN_OPTIONS", "")
        for part in options.split(":"):
            if part.startswith("suppressions="):
                copy = os.path.join(scratch, "lsan.supp")
                shutil.copy2(part.split("=", 1)[1], copy)
                env["LSAN_OPTIONS"] = options.replace(part, "suppressions=" + copy)
        # The system's interpreter: one under root's home is out of reach.
        python = "/usr/bin/python3" if os.access("/usr/bin/python3", os.X_OK) else sys.executable
        command = [python, os.path.join(scratch, "driver", os.path.basename(__file__)), "--inside",
                   os.path.join(bin_dir, os.path.basename(program)),
                   os.path.join(bin_dir, os.path.basename(probe_program)), method_kind, scratch]
        if os.geteuid() == 0:
            user = pwd.getpwnam(UNPRIVILEGED)
            for folder, _, files in os.walk(scratch):
                os.chown(folder, user.pw_uid, user.pw_gid)
                for name in files:
                    os.chown(os.path.join(folder, name), user.pw_uid, user.pw_gid)
            command = ["setpriv", "--reuid=%d" % user.pw_uid, "--regid=%d" % user.pw_gid, "--clear-groups",
                       "dbus-run-session", "--"] + command
        else:
            command = ["dbus-run-session", "--"] + command
        result = subprocess.run(command, env=env, timeout=600)
        return result.returncode


def main():
    if len(sys.argv) == 6 and sys.argv[1] == "--inside":
        return inside(*sys.argv[2:6])
    if len(sys.argv) != 4 or sys.argv[3] not in MODULES:
        print(__doc__, file=sys.stderr)
        return 2
    return outside(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), sys.argv[3])


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
