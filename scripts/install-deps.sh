#!/bin/sh
# Installs the Debian packages that building, running and testing need, and only those missing;
# then the npm packages of the SARIF test (see the end).
# Usage: scripts/install-deps.sh [extra package ...]
set -eu
packages="build-essential cmake pkg-config bison flex libfl-dev libfltk1.3-dev libgtest-dev \
  xvfb xfonts-base fonts-dejavu-core xdotool mount qpdf poppler-utils ghostscript groff-base file \
  vim emacs-nox $*"
command -v npm >/dev/null 2>&1 || packages="$packages nodejs npm"
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

# morvac-check's SARIF output is validated by ajv (a JSON Schema validator, with its formats)
# against the SARIF 2.1.0 schema that Microsoft's SARIF Multitool package ships.
npm_dir=/usr/local/lib/morvac-npm
if [ ! -x "$npm_dir/node_modules/.bin/ajv" ] ||
   [ ! -f "$npm_dir/node_modules/@microsoft/sarif-multitool-linux/sarif-2.1.0.json" ]; then
  echo "installing: ajv-cli ajv-formats @microsoft/sarif-multitool-linux (npm)"
  $sudo npm install --prefix "$npm_dir" --no-audit --no-fund --ignore-scripts --loglevel=error \
    ajv-cli@5.0.0 ajv-formats@2.1.1 @microsoft/sarif-multitool-linux@5.7.0 >/dev/null
fi
