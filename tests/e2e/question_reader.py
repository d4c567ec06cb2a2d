# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the drill's question off the screen as a keyboard user can, and
answers it: the end-to-end drivers' way of knowing the right answer."""
import time

OPERATORS = {"＋": lambda a, b: a + b, "－": lambda a, b: a - b, "×": lambda a, b: a * b}


class Reader:
    """Reads the question off the screen as a keyboard user can: Shift+Tab to
    the question boxes (a box reached by Tab selects its text), copy, and the
    clipboard; then Tab back to the answer box. The session gives the keys,
    the typing and the copy (copy_focused) of its window system."""

    def __init__(self, session):
        self.session = session

    def question(self):
        self.session.keys("shift+Tab", "shift+Tab", "shift+Tab")
        left = self.session.copy_focused()
        self.session.keys("Tab")
        operator = self.session.copy_focused()
        self.session.keys("Tab")
        right = self.session.copy_focused()
        self.session.keys("Tab")  # back in the answer box
        return int(left), operator, int(right)

    def answer(self, wrong=False, empty=False, think=0.0):
        left, operator, right = self.question()
        time.sleep(think)  # a person takes a moment; the log shows each answer's time
        value = OPERATORS[operator](left, right)
        if wrong:
            value = value + 1 if value < 171 else value - 1
        if not empty:
            self.session.type_text(str(value))
        self.session.keys("Return")
