#!/bin/sh
# Builds the Debian packages of morvac as Debian builds them (dpkg-buildpackage on debian/) from
# a copy of the work tree, so that neither the tree nor its parent folder receives the build's
# files. Leaves the packages (with the debug symbol packages, *-dbgsym), their .changes and
# their .buildinfo in OUT, emptied first.
#
# Usage: scripts/build-packages.sh OUT          (make package: OUT is build/packages)
# Needs the build dependencies of debian/control and debhelper (make package installs them).
set -eu
[ $# -eq 1 ] || { echo "usage: $0 OUT" >&2; exit 2; }
repo=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/morvac-packages.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
# The files as they are in the work tree, without version control, ignored files or builds.
mkdir "$work/morvac"
tar -C "$repo" --exclude-vcs --exclude-vcs-ignores --exclude='./build*' -cf - . |
  tar -C "$work/morvac" -xf -

(cd "$work/morvac" && dpkg-buildpackage -us -uc -b --jobs-try=auto)

find "$out" -mindepth 1 -delete
mv "$work"/*.deb "$work"/*.changes "$work"/*.buildinfo "$out"/
ls "$out"
