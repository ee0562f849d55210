#!/bin/sh
# Mutation sweep: do the tests catch every plausible one-line fault? Each mutation of the lists
# is an exact text replacement in one source file. It is applied to a scratch copy of the work
# tree, built incrementally and run against the test stages that its list names; it is caught
# when a stage fails to build, its command fails or it hangs, and it survives otherwise.
#
# Usage: scripts/mutants.sh [-n] [-d DIR] [-k TEXT] [-j JOBS] LIST...
#   -n       only check that every mutation applies to the work tree (no build, no test)
#   -d DIR   scratch folder, kept between sweeps (default build-mutants): DIR/src is the copy
#            of the work tree, DIR/build its build, DIR/logs the output of each mutation that
#            was not caught
#   -k TEXT  only the mutations whose name contains TEXT
#   -j JOBS  parallel build jobs (default 2)
# The CPU lock (MORVAC_CPU_LOCK, default /tmp/morvac-cpu.lock) is taken for a mutation's build
# and tests and kept for the next ones only while it has been held less than MUTANTS_LOCK_SECONDS
# (default 30), so that other builds interleave. The sweep runs from copies of this script and
# of its lists: the work tree may be edited meanwhile. Exit status 0 when no mutation survived
# and the lists hold no error.
#
# A list holds lines "key: value"; the value is the rest of the line, byte for byte. Empty lines
# and lines that start with '#' are comments.
#   stage: TARGET... -- COMMAND   the mutations that follow are tested by the stages written
#                                 together before them, in order: build the CMake targets, then
#                                 run COMMAND with sh in the build folder
#   file: PATH                    the file of the mutations that follow, from the repository
#   mutant: NAME                  starts a mutation
#   after: TEXT                   optional: the old text is the first one after TEXT, which
#                                 must occur exactly once in the file
#   old: TEXT                     the text to replace; without "after", it must occur exactly
#                                 once in the file
#   new: TEXT                     its replacement ("new:" alone deletes the old text)
#   equivalent: REASON            the mutation cannot change what the program does; it runs
#                                 all the same, and a catch means that the mark is wrong
set -eu

root=${MUTANTS_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
scratch=$root/build-mutants
only=""
jobs=2
check_only=false
while getopts nd:k:j: option; do
  case $option in
    n) check_only=true ;;
    d) scratch=$(mkdir -p "$OPTARG" && cd "$OPTARG" && pwd) ;;
    k) only=$OPTARG ;;
    j) jobs=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || { echo "usage: $0 [-n] [-d DIR] [-k TEXT] [-j JOBS] LIST..." >&2; exit 2; }

src=$scratch/src
build=$scratch/build
logs=$scratch/logs
test_timeout=${MUTANTS_TIMEOUT:-60}
lock_seconds=${MUTANTS_LOCK_SECONDS:-30}
export CCACHE_DIR="${CCACHE_DIR:-$scratch/ccache}"

if ! $check_only && [ -z "${MUTANTS_ROOT:-}" ]; then
  mkdir -p "$scratch/lists"
  cp "$0" "$scratch/mutants.sh"
  copies=""
  for list in "$@"; do
    cp "$list" "$scratch/lists/$(basename "$list")"
    copies="$copies $scratch/lists/$(basename "$list")"
  done
  # shellcheck disable=SC2086
  MUTANTS_ROOT=$root exec sh "$scratch/mutants.sh" -d "$scratch" -k "$only" -j "$jobs" $copies
fi

n_tried=0 n_caught=0 n_build=0 n_timeout=0 n_equivalent=0 n_survived=0 n_errors=0
mutated=""         # the file of the scratch copy that holds a mutation now
checked_stages=""  # the stages that the unmutated copy last passed

# Writes to $2 the work tree's file $1 with the text $MUT_OLD (the first after $MUT_AFTER when
# that is set) replaced by $MUT_NEW; $2 empty: writes nothing. Exit status 3: the old text is not
# there; 4: it is there more than once; 6: the after text is not there; 7: it is there twice.
apply() {
  perl -e '
    my ($from, $to) = @ARGV;
    open(my $in, "<", $from) or exit 5;
    binmode $in; local $/; my $text = <$in>; close $in;
    my ($old, $after, $start) = ($ENV{MUT_OLD}, $ENV{MUT_AFTER}, 0);
    if ($after ne "") {
      $start = index($text, $after);
      exit 6 if $start < 0;
      exit 7 if index($text, $after, $start + 1) >= 0;
      $start += length $after;
    }
    my $at = index($text, $old, $start);
    exit 3 if $at < 0;
    exit 4 if $after eq "" && index($text, $old, $at + 1) >= 0;
    exit 0 if $to eq "";
    substr($text, $at, length $old) = $ENV{MUT_NEW};
    open(my $out, ">", $to) or exit 5;
    binmode $out; print $out $text; close $out or exit 5;' "$1" "$2"
}

# Puts the unmutated file back (with a new time, so that the build redoes it).
restore() {
  [ -n "$mutated" ] || return 0
  cp "$root/$mutated" "$src/$mutated"
  mutated=""
}

# Brings the scratch copy up to date with the work tree. Unchanged files keep their times, so
# the build redoes only what changed.
sync_scratch() {
  mkdir -p "$src" "$logs"
  (cd "$root" && git ls-files -co --exclude-standard | while IFS= read -r path; do
    [ -f "$path" ] && echo "$path"
  done) | sort >"$scratch/files"
  while IFS= read -r path; do
    if ! cmp -s "$root/$path" "$src/$path"; then
      mkdir -p "$(dirname "$src/$path")"
      cp "$root/$path" "$src/$path"
    fi
  done <"$scratch/files"
  (cd "$src" && find . -type f | sed 's|^\./||' | sort) | comm -23 - "$scratch/files" |
    while IFS= read -r path; do rm -f "$src/$path"; done
  [ -f "$build/CMakeCache.txt" ] && return 0
  generator=""
  command -v ninja >/dev/null && generator="-G Ninja"
  launcher=""
  command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
  # shellcheck disable=SC2086
  cmake -S "$src" -B "$build" $generator $launcher >"$logs/configure.log" 2>&1 ||
    { cat "$logs/configure.log" >&2; exit 1; }
}

# Runs the stages on the scratch copy as it is, writing their output to $log; prints the
# verdict: survived, caught, caught (build) or caught (timeout).
run_stages() {
  printf '%s' "$stages" | while IFS= read -r stage; do
    # shellcheck disable=SC2086
    if ! cmake --build "$build" -j "$jobs" --target ${stage%% -- *} >>"$log" 2>&1; then
      echo "caught (build)"
      exit 1
    fi
    status=0
    (cd "$build" && timeout "$test_timeout" sh -c "${stage#* -- }") >>"$log" 2>&1 || status=$?
    if [ $status -ne 0 ]; then
      if [ $status -eq 124 ]; then echo "caught (timeout)"; else echo "caught"; fi
      exit 1
    fi
  done || return 0
  echo "survived"
}

# Runs the stages under the CPU lock, held on descriptor 9; sets verdict. Adds the milliseconds
# they took to $scratch/worked.
lock_since=""
locked_stages() {
  if [ -z "$lock_since" ]; then
    flock 9
    lock_since=$(date +%s)
  fi
  begin=$(date +%s%N)
  verdict=$(run_stages)
  echo $((($(date +%s%N) - begin) / 1000000)) >>"$scratch/worked"
  if [ $(($(date +%s) - lock_since)) -ge "$lock_seconds" ]; then
    flock -u 9
    lock_since=""
  fi
}

check_unmutated() {
  [ "$checked_stages" != "$stages" ] || return 0
  restore
  log=$logs/unmutated.log
  : >"$log"
  locked_stages
  if [ "$verdict" != "survived" ]; then
    echo "the unmutated copy fails its own stages ($verdict): see $log" >&2
    exit 1
  fi
  checked_stages=$stages
}

list_error() {
  n_errors=$((n_errors + 1))
  printf '%-17s %s\n' "LIST ERROR" "$1"
}

# Runs the mutation read last, if any.
finish() {
  [ -n "$m_name" ] || return 0
  where="$(basename "$list"): $m_name"
  case $m_name in *"$only"*) ;; *) m_name=""; return 0 ;; esac
  m_name=""
  if [ -z "$file" ] || [ -z "$m_old" ] || [ -z "$m_has_new" ]; then
    list_error "$where: needs a file, an old text and a new text"
    return 0
  fi
  if [ -z "$stages" ] && ! $check_only; then
    list_error "$where: no stage tests it"
    return 0
  fi
  [ "$m_old" != "$m_new" ] || { list_error "$where: the new text is the old one"; return 0; }
  status=0
  MUT_AFTER=$m_after MUT_OLD=$m_old MUT_NEW=$m_new apply "$root/$file" "" || status=$?
  case $status in
    0) ;;
    3) list_error "$where: old text not found in $file"; return 0 ;;
    4) list_error "$where: old text found more than once in $file"; return 0 ;;
    6) list_error "$where: after text not found in $file"; return 0 ;;
    7) list_error "$where: after text found more than once in $file"; return 0 ;;
    *) list_error "$where: cannot read $file"; return 0 ;;
  esac
  n_tried=$((n_tried + 1))
  $check_only && return 0

  check_unmutated
  [ "$mutated" = "$file" ] || restore
  mutated=$file
  MUT_AFTER=$m_after MUT_OLD=$m_old MUT_NEW=$m_new apply "$root/$file" "$src/$file"
  log=$logs/$n_tried.log
  : >"$log"
  locked_stages
  if [ "$verdict" = survived ]; then
    if [ -n "$m_equivalent" ]; then
      n_equivalent=$((n_equivalent + 1))
      printf '%-17s %s (%s)\n' "equivalent" "$where" "$m_equivalent"
    else
      n_survived=$((n_survived + 1))
      printf '%-17s %s (see %s)\n' "SURVIVED" "$where" "$log"
    fi
    return 0
  fi
  n_caught=$((n_caught + 1))
  case $verdict in
    *build*) n_build=$((n_build + 1)) ;;
    *timeout*) n_timeout=$((n_timeout + 1)) ;;
  esac
  if [ -n "$m_equivalent" ]; then
    list_error "$where: marked equivalent, but $verdict (see $log)"
    return 0
  fi
  printf '%-17s %s\n' "$verdict" "$where"
  rm -f "$log"
}

if ! $check_only; then
  renice -n 10 -p $$ >/dev/null 2>&1 || true
  exec 9>>"${MORVAC_CPU_LOCK:-/tmp/morvac-cpu.lock}"
  trap restore EXIT
  trap 'exit 130' INT TERM
  sync_scratch
  rm -f "$logs"/[0-9]*.log
  : >"$scratch/worked"
fi
started=$(date +%s)
for list in "$@"; do
  stages="" file="" m_name="" after_mutant=false number=0
  while IFS= read -r line || [ -n "$line" ]; do
    number=$((number + 1))
    case $line in
      '' | '#'*) ;;
      'stage: '*' -- '*)
        finish
        if $after_mutant; then stages="" after_mutant=false; fi
        stages="$stages${line#stage: }
" ;;
      'file: '?*) finish; file=${line#file: } ;;
      'mutant: '?*)
        finish
        m_name=${line#mutant: } m_after="" m_old="" m_new="" m_has_new="" m_equivalent=""
        after_mutant=true ;;
      'after: '?*) m_after=${line#after: } ;;
      'old: '?*) m_old=${line#old: } ;;
      'new:') m_new="" m_has_new=yes ;;
      'new: '*) m_new=${line#new: } m_has_new=yes ;;
      'equivalent: '?*) m_equivalent=${line#equivalent: } ;;
      *) list_error "$(basename "$list"):$number: not a line of a mutation list: $line" ;;
    esac
  done <"$list"
  finish
done

if $check_only; then
  echo "$n_tried mutations apply, $n_errors list errors"
else
  worked=$(awk '{ ms += $1 } END { printf "%d", ms / 1000 }' "$scratch/worked")
  echo "$n_tried mutations tried: $n_caught caught ($n_build by the build, $n_timeout by a" \
    "timeout), $n_equivalent equivalent, $n_survived survived; $n_errors list errors"
  echo "$worked s building and testing, $(($(date +%s) - started)) s in all with the waits" \
    "for the CPU lock"
fi
[ $n_survived -eq 0 ] && [ $n_errors -eq 0 ]
