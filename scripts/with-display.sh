#!/bin/sh
# Runs COMMAND with DISPLAY set to a virtual X server of its own, stopped when COMMAND ends, and
# exits with COMMAND's status. The server picks a free display number itself (-displayfd): runs
# started at the same moment never race for one number, as with xvfb-run -a, where the loser's
# clients met the other server and its cookie and the tests said that no display opens.
# Usage: scripts/with-display.sh COMMAND...
set -u
[ $# -gt 0 ] || { echo "usage: $0 COMMAND..." >&2; exit 2; }

dir=$(mktemp -d "${TMPDIR:-/tmp}/morvac-display.XXXXXX") || exit 2
server=""
stop_server() {
  [ -z "$server" ] || { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; }
  rm -rf "$dir"
}
trap stop_server EXIT
trap 'exit 130' INT TERM

# The number arrives through a pipe once the server accepts clients; an end of file without
# one means that it could not start.
mkfifo "$dir/number"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$dir/number" >"$dir/log" 2>&1 &
server=$!
read -r number <"$dir/number" || number=""
if [ -z "$number" ]; then
  echo "$0: the virtual X server did not start:" >&2
  cat "$dir/log" >&2
  exit 2
fi

unset XAUTHORITY
DISPLAY=:$number "$@"
status=$?
exit $status
