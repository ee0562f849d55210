#!/bin/sh
# Installs the Debian packages that building, running and testing need, and only those missing.
# Usage: scripts/install-deps.sh [extra package ...]
set -eu
packages="build-essential cmake pkg-config bison flex libfl-dev libfltk1.3-dev libgtest-dev \
  xvfb xauth xfonts-base fonts-dejavu-core xdotool mount qpdf poppler-utils ghostscript groff-base file $*"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
