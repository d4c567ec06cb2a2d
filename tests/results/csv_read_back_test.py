#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The history saved as CSV, read back by Python's csv module as a spreadsheet
program would: byte-order mark, headings, one row per history line, numbers
from 1, ISO 8601 dates, and every damaged line kept as a row of its own with
its text.

usage: csv_read_back_test.py HISTORY_CSV_WRITER"""
import csv
import os
import subprocess
import sys
import tempfile


def line(minutes, seconds, percent, when):
    return ("所要時間 %02d分%02d秒 正答率%3d%%  %s" % (minutes, seconds, percent, when)).encode("cp932")


HISTORY = [
    line(3, 12, 85, "2024/03/15 09:05"),
    "所要時間 0x分00秒 正答率 ??%  \"壊れ\",行".encode("cp932"),      # quotes and a comma
    line(2, 58, 100, "2024/03/16 10:00"),
    b"\x8f\x8a\x97v\x00\x8e\x9e\x8a\xd4",                             # a NUL byte in it
    line(1, 5, 40, "----/--/-- --:--"),                                # figures without a date
    b"",                                                               # an empty line
    line(4, 36, 96, "2024/12/31 23:59"),
]

EXPECTED = [
    ["番号", "日時", "正答率（％）", "所要時間（秒）", "読めなかった行"],
    ["1", "2024-03-15T09:05", "85", "192", ""],
    ["2", "", "", "", "所要時間 0x分00秒 正答率 ??%  \"壊れ\",行"],
    ["3", "2024-03-16T10:00", "100", "178", ""],
    ["4", "", "", "", "所要\ufffd時間"],
    ["5", "", "40", "65", "所要時間 01分05秒 正答率 40%  ----/--/-- --:--"],
    ["6", "", "", "", ""],
    ["7", "2024-12-31T23:59", "96", "276", ""],
]


def main():
    writer = sys.argv[1]
    with tempfile.TemporaryDirectory() as scratch:
        history = os.path.join(scratch, "HIST_ZV.DAT")
        out = os.path.join(scratch, "history.csv")
        with open(history, "wb") as file:
            file.write(b"".join(text + b"\r\n" for text in HISTORY))
        subprocess.run([writer, history, out], check=True)
        with open(out, "rb") as file:
            data = file.read()
        failures = []
        if not data.startswith(b"\xef\xbb\xbf"):
            failures.append("no byte-order mark")
        with open(out, newline="", encoding="utf-8-sig") as file:
            rows = list(csv.reader(file))
        if rows != EXPECTED:
            failures.append("rows:\n%r\nexpected:\n%r" % (rows, EXPECTED))
        for failure in failures:
            print("FAILED: " + failure, file=sys.stderr)
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
