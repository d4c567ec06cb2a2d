"""Reads the drill's question off the screen as a keyboard user can, and
answers it: the end-to-end drivers' way of knowing the right answer."""
import subprocess
import time

from run_e2e import wait_for

OPERATORS = {"＋": lambda a, b: a + b, "－": lambda a, b: a - b, "×": lambda a, b: a * b}


class Reader:
    """Reads the question off the screen as a keyboard user can: Shift+Tab to
    the question boxes (a box reached by Tab selects its text), Ctrl+C, and the
    clipboard; then Tab back to the answer box."""

    def __init__(self, session):
        self.session = session

    def clipboard(self):
        result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.session.env,
                                capture_output=True)
        return result.stdout.decode("utf-8", errors="replace") if result.returncode == 0 else None

    def copy_focused(self):
        subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=b"?", env=self.session.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.session.keys("ctrl+c")
        return wait_for("the copied text", lambda: (lambda text: text if text not in (None, "?") else None)(
            self.clipboard()), timeout=10, step=0.02)

    def question(self):
        self.session.keys("shift+Tab", "shift+Tab", "shift+Tab")
        left = self.copy_focused()
        self.session.keys("Tab")
        operator = self.copy_focused()
        self.session.keys("Tab")
        right = self.copy_focused()
        self.session.keys("Tab")  # back in the answer box
        return int(left), operator, int(right)

    def answer(self, wrong=False, empty=False, think=0.0):
        left, operator, right = self.question()
        time.sleep(think)  # a person takes a moment; the log shows each answer's time
        value = OPERATORS[operator](left, right)
        if wrong:
            value = value + 1 if value < 171 else value - 1
        if not empty:
            self.session.xdo("type", "--delay", "40", str(value))
        self.session.keys("Return")
