#!/bin/sh
# Installs the Debian packages of build/packages with apt and uses them as their users do: the
# installed morvac translates the bundled example and morvac-sim runs the bundled dashboard as
# the build tree's do, a C++ program of Stringpp and formspp is built through
# find_package(morvac), and a C program of sock through pkg-config. Run as root from the top of a work tree where `make run` and `make test` have run:
# the bare-root check (scripts/fresh-check.sh) runs it; it changes the system it runs on.
set -eu
cd "$(dirname "$0")/../.."
work=$(mktemp -d "${TMPDIR:-/tmp}/morvac-installed.XXXXXX")
trap 'rm -rf "$work"' EXIT
unset DISPLAY

# Prints what failed and stops, unless "$2" is exactly "$3".
expect_equal() {
  [ "$2" = "$3" ] || { printf '%s:\n  expected [%s]\n  got      [%s]\n' "$1" "$3" "$2"; exit 1; }
}

echo "installing:" build/packages/*.deb
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  ./build/packages/*.deb >/dev/null

# `make run` left the build tree's translation in examples/.
cp /usr/share/doc/morvac/examples/watch_dog.strl "$work"/
(cd "$work" && morvac watch_dog 2>/dev/null)
cmp "$work/watch_dog.qrl" examples/watch_dog.qrl
echo "installed morvac: watch_dog.qrl as the build tree's"

# The installed morvac-sim runs the bundled dashboard as the build tree's does.
run_dashboard() {
  (cd "$2" && "$1" car_parts.strl dashboard.strl <trace.txt)
}
expect_equal "morvac-sim on the dashboard" \
  "$(run_dashboard morvac-sim /usr/share/doc/morvac/examples/dashboard)" \
  "$(run_dashboard "$PWD/build/sim/morvac-sim" examples/dashboard)"
echo "installed morvac-sim: the dashboard's outputs as the build tree's"

# The installed morvac-check's SARIF logs point to its manual page where the package put it.
manual=$(printf 'module M:\noutput O;\nemit O\nend module\n' | morvac-check --format=sarif - |
  sed -n 's|.*"informationUri": "file://\([^"]*\)".*|\1|p')
[ -n "$manual" ] && [ -f "$manual" ] ||
  { echo "the SARIF log's informationUri names [$manual], which is not installed"; exit 1; }
echo "installed morvac-check: SARIF logs point to $manual"

cmake -S tests/install/consumer -B "$work/consumer" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/consumer" >/dev/null
expect_equal "consumer" "$("$work/consumer/consumer")" "Stringpp 42, sock listening"
expect_equal "consumer_static" "$("$work/consumer/consumer_static")" "Stringpp 42, sock listening"
echo "find_package(morvac): Stringpp, formspp and sock, shared and static"

# shellcheck disable=SC2046
cc -std=c99 tests/install/c_consumer/app.c $(pkg-config --cflags --libs sock) -o "$work/app"
expect_equal "C program of sock" "$("$work/app")" "sock: ping pong"
echo "pkg-config sock: a C program"
