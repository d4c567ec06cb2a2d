#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""`cmake --install` into a scratch prefix: the program, its desktop entry, its
icon in every size and its AppStream metadata land where a desktop looks for
them, they agree with one another, and both validators accept the tree.

usage: install_tree_test.py BUILD_DIR SOURCE_DIR APP_ID"""
import configparser
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from e2e_support import TestFailure, check, run  # noqa: E402

ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256, 512)


def png_size(path):
    with open(path, "rb") as file:
        head = file.read(24)
    check(head[:8] == b"\x89PNG\r\n\x1a\n", "%s is not a PNG" % path)
    return struct.unpack(">II", head[16:24])


def desktop_entry(path):
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str  # keys are case-sensitive
    with open(path, encoding="utf-8") as file:
        parser.read_file(file)
    return parser["Desktop Entry"]


def check_tree(prefix, source, app_id):
    share = os.path.join(prefix, "share")
    program = os.path.join(prefix, "bin", "surasura")
    check(os.access(program, os.X_OK), "no program at %s" % program)

    entry_path = os.path.join(share, "applications", app_id + ".desktop")
    entry = desktop_entry(entry_path)
    check(entry["Name"] == "すらすら算数帳", "Name is %r" % entry["Name"])
    check(entry.get("Comment") and entry.get("Comment[ja]"), "the entry lacks an English or a Japanese comment")
    check({"Education", "Math"} <= set(entry["Categories"].split(";")), "Categories %r" % entry["Categories"])
    check(os.path.exists(os.path.join(prefix, "bin", entry["Exec"].split()[0])), "Exec %r is not installed" % entry["Exec"])
    check(entry["Icon"] == app_id, "Icon %r, expected the application id" % entry["Icon"])

    icons = os.path.join(share, "icons", "hicolor")
    svg = os.path.join(icons, "scalable", "apps", app_id + ".svg")
    check(os.path.isfile(svg), "no scalable icon")
    ElementTree.parse(svg)  # well-formed
    for size in ICON_SIZES:
        png = os.path.join(icons, "%dx%d" % (size, size), "apps", app_id + ".png")
        check(os.path.isfile(png), "no %d pixel icon" % size)
        check(png_size(png) == (size, size), "%s is %dx%d" % ((png,) + png_size(png)))

    metainfo = ElementTree.parse(os.path.join(share, "metainfo", app_id + ".metainfo.xml")).getroot()
    check(metainfo.findtext("id") == app_id, "metadata id %r" % metainfo.findtext("id"))
    check(metainfo.findtext("launchable") == app_id + ".desktop", "the metadata launches %r" % metainfo.findtext("launchable"))
    check(metainfo.findtext("provides/binary") == "surasura", "the metadata names another program")
    # Every screenshot is a picture of docs/, with its size as stated.
    shots = metainfo.findall("screenshots/screenshot/image")
    check(len(shots) >= 3, "only %d screenshots" % len(shots))
    for image in shots:
        picture = os.path.join(source, "docs", image.text.rsplit("/", 1)[-1])
        check(os.path.isfile(picture), "screenshot %s is not in docs/" % image.text)
        stated = (int(image.get("width")), int(image.get("height")))
        check(png_size(picture) == stated, "%s is %dx%d, the metadata says %dx%d"
              % ((picture,) + png_size(picture) + stated))

    run("desktop-file-validate", entry_path)
    run("appstreamcli", "validate-tree", "--no-net", prefix)
    check_manual_pages(share)


# Each language's manual page: where man looks for it, its section headings in
# that language, and the history file named in both.
MANUAL_PAGES = (
    ("man1", ("NAME", "SYNOPSIS", "DESCRIPTION", "FILES", "ENVIRONMENT", "EXIT STATUS")),
    (os.path.join("ja", "man1"), ("名前", "書式", "説明", "ファイル", "環境変数", "終了ステータス")),
)


def check_manual_pages(share):
    """Both pages are set by man at the width of a terminal without a warning
    of the formatter (a roff slip in the source, say)."""
    for folder, headings in MANUAL_PAGES:
        page = os.path.join(share, "man", folder, "surasura.1")
        check(os.path.isfile(page), "no manual page %s" % page)
        result = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", page], capture_output=True, text=True,
                                env=dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8", MANWIDTH="80"))
        check(result.returncode == 0 and result.stderr == "", "man %s: %s" % (page, result.stderr))
        lines = [line.strip() for line in result.stdout.splitlines()]
        missing = [heading for heading in headings if heading not in lines]
        check(not missing, "%s lacks the sections %s" % (page, missing))
        check("HIST_ZV.DAT" in lines, "%s does not name the history file" % page)


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    build, source, app_id = sys.argv[1:]
    prefix = tempfile.mkdtemp(prefix="surasura-install-")
    try:
        run("cmake", "--install", build, "--prefix", prefix)
        check_tree(prefix, source, app_id)
    except TestFailure as failure:
        print("FAILED: %s" % failure, file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(prefix, ignore_errors=True)
    print("passed: the install tree")
    return 0


if __name__ == "__main__":
    sys.exit(main())
