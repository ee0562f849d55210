#!/bin/sh
# Installs the Debian packages that morvac needs, only those missing.
# Usage: scripts/install-deps.sh run|test [extra package ...]
#   run    what building and running morvac needs (make run)
#   test   that, and what the test suite uses (make test), with the npm packages of the SARIF
#          test (see the end)
# Extra packages (make fuzz, make mutants, make package, make fresh-check) follow the set.
set -eu

# Building and running morvac: compilers, CMake, bison, the scanner interface that flex
# declares (FlexLexer.h), and FLTK 1.3 with its forms library and Xlib.
run_packages="
  build-essential
  cmake
  bison
  libfl-dev
  libfltk1.3-dev
"

# The test suite: GoogleTest; a virtual X server, its fonts and xdotool for the windows; qpdf,
# poppler-utils and ghostscript read the exported PDF and PostScript; groff-base renders the
# manual pages; mount for the bare-root helpers; pkg-config, debhelper and lintian for the
# installed libraries and the Debian packages; clang and its runtime build sock's threaded server
# under ThreadSanitizer; vim and emacs-nox read morvac-check's findings as editors do.
test_packages="
  libgtest-dev
  xvfb
  xfonts-base
  fonts-dejavu-core
  xdotool
  qpdf
  poppler-utils
  ghostscript
  groff-base
  mount
  pkg-config
  debhelper
  lintian
  clang
  libclang-rt-14-dev
  vim
  emacs-nox
"

set_name=${1:-}
case $set_name in
  run) packages=$run_packages ;;
  test)
    packages="$run_packages $test_packages"
    # Node's own packages bring npm with them; Debian's node needs Debian's npm.
    command -v npm >/dev/null 2>&1 || packages="$packages nodejs npm"
    ;;
  *) echo "usage: $0 run|test [extra package ...]" >&2; exit 2 ;;
esac
shift
packages="$packages $*"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ -n "$missing" ]; then
  echo "installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

[ "$set_name" = test ] || exit 0
# morvac-check's SARIF output is validated by ajv (a JSON Schema validator, with its formats)
# against the SARIF 2.1.0 schema that Microsoft's SARIF Multitool package ships, and by the
# Multitool itself.
npm_dir=/usr/local/lib/morvac-npm
if [ ! -x "$npm_dir/node_modules/.bin/ajv" ] ||
   [ ! -f "$npm_dir/node_modules/@microsoft/sarif-multitool-linux/sarif-2.1.0.json" ]; then
  echo "installing: ajv-cli ajv-formats @microsoft/sarif-multitool-linux (npm)"
  $sudo npm install --prefix "$npm_dir" --no-audit --no-fund --ignore-scripts --loglevel=error \
    ajv-cli@5.0.0 ajv-formats@2.1.1 @microsoft/sarif-multitool-linux@5.7.0 >/dev/null
fi
# Scripts are not run on install: the Multitool's own (making its binary executable) is done here.
multitool="$npm_dir/node_modules/@microsoft/sarif-multitool-linux/Sarif.Multitool"
[ -x "$multitool" ] || $sudo chmod 755 "$multitool"
