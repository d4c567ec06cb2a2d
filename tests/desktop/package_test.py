#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Debian package, on this machine, as `make deb` builds it: lintian passes
the .deb, the .dsc and the .changes with no error and no warning; the package
installs with apt-get, its manual page is found in English and in Japanese,
the autopkgtest (debian/tests/drill) passes against it, run directly; and the
purge leaves none of its files, folders or its menu entry behind. Whatever
happens, the machine is left with the packages it had.

Needs root (it installs into the machine); skips (77) without it, and when a
package of the program is installed already (it would be replaced).

usage: package_test.py SOURCE_DIR OUT_DIR VERSION APP_ID"""
import fcntl
import glob
import os
import shutil
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from e2e_support import TestFailure, check, run  # noqa: E402

PACKAGE = "surasura"
SKIP = 77
DEADLINE_S = 2400  # inside the test's own time limit, so that the clean-up always runs
JOBS = "2"
APT = ["apt-get", "-y", "-q", "-o", "DPkg::Lock::Timeout=300"]
# Libraries and data the program cannot start or draw without.
NEEDED = ("libqt6widgets6", "libqt6gui6", "libqt6core6", "libqt6printsupport6", "libjpeg62-turbo", "qt6-qpa-plugins",
          "fonts-ipafont-gothic", "fonts-ipafont-mincho")
# The manual page as man finds it under each language.
MANUAL_PAGES = (("C.UTF-8", "/usr/share/man/man1/surasura.1.gz", "NAME"),
                ("ja_JP.UTF-8", "/usr/share/man/ja/man1/surasura.1.gz", "名前"))


class Deadline(Exception):
    pass


def installed_packages():
    out = subprocess.run(["dpkg-query", "-W", "-f", "${binary:Package} ${db:Status-Abbrev}\n"],
                         capture_output=True, text=True).stdout
    return {line.split()[0] for line in out.splitlines() if len(line.split()) > 1 and line.split()[1][:2] == "ii"}


def only(pattern):
    found = glob.glob(pattern)
    check(len(found) == 1, "%s: found %r" % (pattern, found))
    return found[0]


def work_tree_status(source):
    """What git sees changed or new in the work tree (nothing without git)."""
    result = subprocess.run(["git", "-C", source, "status", "--porcelain", "--untracked-files=all"],
                            capture_output=True, text=True)
    return result.stdout if result.returncode == 0 else ""


def make_packages(source, out, version):
    """`make deb`, which leaves the work tree as it was; the package of the
    program, its .dsc and its .changes."""
    tree_before = work_tree_status(source)
    result = subprocess.run(["make", "-C", source, "deb", "DEB_DIR=" + out, "JOBS=" + JOBS],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    check(result.returncode == 0, "make deb failed:\n" + result.stdout[-20000:])
    check(work_tree_status(source) == tree_before, "make deb left files in the work tree:\n%s"
          % work_tree_status(source))
    deb = only(os.path.join(out, "%s_%s_*.deb" % (PACKAGE, version)))
    dsc = only(os.path.join(out, "%s_%s.dsc" % (PACKAGE, version)))
    changes = only(os.path.join(out, "%s_%s_*.changes" % (PACKAGE, version)))
    return deb, dsc, changes


def check_lintian(*files):
    """No error and no warning; what lintian still says is printed for the log."""
    result = subprocess.run(["lintian", "--fail-on", "error,warning", "--display-info", "--pedantic", *files],
                            capture_output=True, text=True)
    print("lintian:\n" + (result.stdout or "(nothing)\n") + result.stderr)
    check(result.returncode == 0, "lintian found errors or warnings:\n" + result.stdout)


def check_package(deb, app_id):
    depends = [d.strip().split()[0] for d in run("dpkg-deb", "-f", deb, "Depends").split(",")]
    for needed in NEEDED:
        check(needed in depends, "the package does not depend on %s: %r" % (needed, depends))
    files = run("dpkg-deb", "-c", deb)
    for path in ("./usr/bin/surasura", "./usr/share/applications/%s.desktop" % app_id,
                 "./usr/share/metainfo/%s.metainfo.xml" % app_id,
                 "./usr/share/icons/hicolor/scalable/apps/%s.svg" % app_id,
                 "./usr/share/icons/hicolor/48x48/apps/%s.png" % app_id,
                 "./usr/share/doc/surasura/copyright") + tuple("." + page for _, page, _ in MANUAL_PAGES):
        check(path in files, "the package lacks %s" % path)


def check_manual_pages(scratch):
    """`man surasura` under each language finds that language's page. The
    Japanese locale is built into the scratch folder (LOCPATH), not into the
    machine."""
    locales = os.path.join(scratch, "locales")
    os.mkdir(locales)
    built = subprocess.run(["localedef", "-i", "ja_JP", "-f", "UTF-8", os.path.join(locales, "ja_JP.UTF-8")],
                           capture_output=True, text=True)
    check(built.returncode == 0, "localedef ja_JP.UTF-8 failed: " + built.stderr)
    for language, page, heading in MANUAL_PAGES:
        env = dict(os.environ, LANG=language, LC_ALL=language, LOCPATH=locales, MANWIDTH="80")
        check(run("man", "-w", "surasura", env=env).strip() == page, "man under %s finds no %s" % (language, page))
        check(heading in run("man", "surasura", env=env).split(), "the page under %s lacks %s" % (language, heading))


def run_autopkgtest(source):
    """The autopkgtest's own script, from the top of the source tree as
    autopkgtest runs it."""
    result = subprocess.run([os.path.join(source, "debian", "tests", "drill")], cwd=source,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=300)
    check(result.returncode == 0 and "passed: first_drill" in result.stdout,
          "debian/tests/drill failed (%d):\n%s" % (result.returncode, result.stdout))


def put_back(before, package_paths):
    """Purges the program's package and anything installed along with it; says
    what could not be put back."""
    problems = []
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    if subprocess.run(["dpkg", "-s", PACKAGE], capture_output=True).returncode == 0:
        result = subprocess.run(APT + ["purge", PACKAGE], capture_output=True, text=True, env=env)
        if result.returncode != 0:
            problems.append("purge failed: " + result.stderr)
        if subprocess.run(["dpkg", "-s", PACKAGE], capture_output=True).returncode == 0:
            problems.append("dpkg still knows the package after the purge")
    extra = sorted(installed_packages() - before)
    if extra:
        problems.append("installed along with the package: %s (purged)" % " ".join(extra))
        subprocess.run(APT + ["purge"] + extra, capture_output=True, env=env)
    left = [path for path in package_paths if os.path.lexists(path)]
    if left:
        problems.append("left behind: %s" % " ".join(left))
    return problems


def package_paths(deb):
    """The package's files, and its folders that were not there before it."""
    paths = []
    for line in run("dpkg-deb", "-c", deb).splitlines():
        path = "/" + line.split()[5].lstrip("./").rstrip("/")
        if line.startswith("d") and os.path.exists(path):
            continue
        paths.append(path)
    return paths


def main():
    if len(sys.argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    source, out, version, app_id = sys.argv[1:]
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
    paths = []
    failure = None
    try:
        deb, dsc, changes = make_packages(source, out, version)
        check_lintian(deb, dsc, changes)
        check_package(deb, app_id)
        paths = package_paths(deb)
        # Every dependency is already here (tools/install-deps.sh), so apt adds
        # nothing else; anything it did add counts against the test below.
        run(*APT, "install", deb, env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
        check(shutil.which("surasura") == "/usr/bin/surasura", "the program is not on the PATH")
        run("desktop-file-validate", "/usr/share/applications/%s.desktop" % app_id)
        check_manual_pages(scratch)
        run_autopkgtest(source)
    except (TestFailure, Deadline, subprocess.TimeoutExpired) as error:
        failure = str(error)
    finally:
        signal.alarm(0)
        problems = put_back(before, paths)
        shutil.rmtree(scratch, ignore_errors=True)
    entries = [name for name in os.listdir("/usr/share/applications") if app_id in name]
    if entries:
        problems.append("menu entries left: %s" % " ".join(entries))
    if problems:
        failure = "; ".join(([failure] if failure else []) + problems)
    if failure:
        print("FAILED: %s" % failure, file=sys.stderr)
        return 1
    print("passed: make deb, lintian, install, the manual pages, the autopkgtest's drill and the purge")
    return 0


if __name__ == "__main__":
    sys.exit(main())
