#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Debian package, on this machine: makes it with cpack, installs it with
apt-get, starts the installed program under Xvfb in a scratch working
directory, runs one drill by keyboard, checks "HIST_ZV.DAT", and purges the
package again. Whatever happens, the machine is left with the packages it had.

Needs root (it installs into the machine); skips (77) without it, and when a
package of the program is installed already (it would be replaced).

usage: package_test.py BUILD_DIR APP_ID"""
import fcntl
import glob
import os
import shutil
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import run_e2e  # noqa: E402
from run_e2e import TestFailure, check  # noqa: E402

PACKAGE = "surasura"
SKIP = 77
DEADLINE_S = 600  # well inside the test's own time limit, so that the clean-up always runs
APT = ["apt-get", "-y", "-q", "-o", "DPkg::Lock::Timeout=300"]
# Libraries and data the program cannot start or draw without.
NEEDED = ("libqt6widgets6", "libqt6gui6", "libqt6core6", "libjpeg62-turbo", "qt6-qpa-plugins",
          "fonts-ipafont-gothic", "fonts-ipafont-mincho")


class Deadline(Exception):
    pass


def run(*command, env=None):
    result = subprocess.run(command, capture_output=True, text=True, env=env)
    check(result.returncode == 0, "%s failed:\n%s%s" % (" ".join(command), result.stdout, result.stderr))
    return result.stdout


def installed_packages():
    out = subprocess.run(["dpkg-query", "-W", "-f", "${binary:Package} ${db:Status-Abbrev}\n"],
                         capture_output=True, text=True).stdout
    return {line.split()[0] for line in out.splitlines() if len(line.split()) > 1 and line.split()[1][:2] == "ii"}


def make_package(build, scratch):
    run("cpack", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", scratch)
    debs = glob.glob(os.path.join(scratch, "%s_*.deb" % PACKAGE))
    check(len(debs) == 1, "cpack made %r" % debs)
    return debs[0]


def check_package(deb, app_id):
    depends = [d.strip().split()[0] for d in run("dpkg-deb", "-f", deb, "Depends").split(",")]
    for needed in NEEDED:
        check(needed in depends, "the package does not depend on %s: %r" % (needed, depends))
    files = run("dpkg-deb", "-c", deb)
    for path in ("./usr/bin/surasura", "./usr/share/applications/%s.desktop" % app_id,
                 "./usr/share/metainfo/%s.metainfo.xml" % app_id,
                 "./usr/share/icons/hicolor/scalable/apps/%s.svg" % app_id,
                 "./usr/share/icons/hicolor/48x48/apps/%s.png" % app_id):
        check(path in files, "the package lacks %s" % path)


def run_one_drill(program):
    """The installed program, started as a user would, answers 100 questions with
    Enter; the history holds one summary line of today."""
    with run_e2e.Session(program) as session:
        try:
            session.start()
            session.run_drill(1)
            data = session.history()
            check(len(data) == run_e2e.LINE_BYTES, "history of %d bytes: %r" % (len(data), data))
            run_e2e.check_no_answer_line(data)
            session.close_box(session.main)
            check(session.exit_code() == 0, "exit code not 0")
        except TestFailure:
            if session.proc:
                print("program output:\n" + session.output(), file=sys.stderr)
            raise


def put_back(before, package_files):
    """Purges the program's package and anything installed along with it; says
    what could not be put back."""
    problems = []
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    if PACKAGE in installed_packages() or subprocess.run(["dpkg", "-s", PACKAGE], capture_output=True).returncode == 0:
        result = subprocess.run(APT + ["purge", PACKAGE], capture_output=True, text=True, env=env)
        if result.returncode != 0:
            problems.append("purge failed: " + result.stderr)
    extra = sorted(installed_packages() - before)
    if extra:
        problems.append("installed along with the package: %s (purged)" % " ".join(extra))
        subprocess.run(APT + ["purge"] + extra, capture_output=True, env=env)
    left = [path for path in package_files if os.path.isfile(path)]
    if left:
        problems.append("files left behind: %s" % " ".join(left))
    return problems


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    build, app_id = sys.argv[1:]
    if os.geteuid() != 0:
        print("skipped: installing a package needs root")
        return SKIP
    # One run at a time per machine: two would install over each other.
    lock = open("/run/lock/surasura-package-test.lock", "w")
    fcntl.flock(lock, fcntl.LOCK_EX)
    if subprocess.run(["dpkg", "-s", PACKAGE], capture_output=True).returncode == 0:
        print("skipped: a %s package is installed already; this test would replace it" % PACKAGE)
        return SKIP

    def out_of_time(*_):
        raise Deadline("the test took longer than %d s" % DEADLINE_S)
    signal.signal(signal.SIGALRM, out_of_time)
    signal.signal(signal.SIGTERM, out_of_time)
    signal.alarm(DEADLINE_S)

    scratch = tempfile.mkdtemp(prefix="surasura-package-")
    before = installed_packages()
    package_files = []
    failure = None
    try:
        deb = make_package(build, scratch)
        check_package(deb, app_id)
        package_files = ["/" + line.split()[-1].lstrip("./") for line in run("dpkg-deb", "-c", deb).splitlines()
                         if line.startswith("-")]
        # Every dependency is already here (tools/install-deps.sh), so apt adds
        # nothing else; anything it did add counts against the test below.
        run(*APT, "install", deb, env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
        check(shutil.which("surasura") == "/usr/bin/surasura", "the program is not on the PATH")
        run("desktop-file-validate", "/usr/share/applications/%s.desktop" % app_id)
        run_one_drill("/usr/bin/surasura")
    except (TestFailure, Deadline) as error:
        failure = str(error)
    finally:
        signal.alarm(0)
        problems = put_back(before, package_files)
        shutil.rmtree(scratch, ignore_errors=True)
    if problems:
        failure = "; ".join(([failure] if failure else []) + problems)
    if failure:
        print("FAILED: %s" % failure, file=sys.stderr)
        return 1
    print("passed: the package installs, runs a drill and is purged again")
    return 0


if __name__ == "__main__":
    sys.exit(main())
