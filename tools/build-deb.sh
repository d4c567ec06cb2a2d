#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages from a scratch copy of this tree, so that the tree
# itself gains no build files: the source package (.dsc, .tar.xz) with
# dpkg-source, then the binary packages (.deb, .changes, .buildinfo) with
# dpkg-buildpackage -us -uc -b. All of them end up in OUT; the copy stays in
# OUT/tree/, at the same place each time (ccache finds its objects again).
# Of what OUT held before, only an earlier build's copy and packages are removed.
#
# usage: build-deb.sh OUT [JOBS]
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  sed -n '3,10s/^# \{0,1\}//p' "$0" >&2
  exit 2
fi
out=$(realpath -m "$1")
jobs=${2:-$(nproc)}
source=$(cd "$(dirname "$0")/.." && pwd)
name=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Source)
version=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)
tree="$out/tree/$name-$version"
if [ "$out" = / ] || [ "$out" = "$source" ] || [ "${source#"$out"/}" != "$source" ]; then
  echo "build-deb: $out holds the source tree; give a folder of its own" >&2
  exit 2
fi

# Only what an earlier build left here goes: the copy and the packages.
rm -rf "$out/tree"
rm -f "$out/${name}"_* "$out/${name}"-dbgsym_*
mkdir -p "$tree"
# The files git knows and the new ones it does not ignore, as they stand in
# the work tree now; a tree without git (an unpacked source package) is copied
# whole but for its build folders.
if git -C "$source" rev-parse --is-inside-work-tree > /dev/null 2>&1; then
  git -C "$source" ls-files -z --cached --others --exclude-standard --deduplicate \
    | (cd "$source" && while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done) \
    | tar -C "$source" --null -T - -cf - | tar -C "$tree" -xf -
else
  tar -C "$source" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$tree" -xf -
fi

cd "$out/tree"
dpkg-source --build "$name-$version"
(cd "$tree" && dpkg-buildpackage -us -uc -b -J"$jobs")
mv ./*.dsc ./*.tar.* ./*.deb ./*.changes ./*.buildinfo "$out"/
echo "build-deb: the packages are in $out"
