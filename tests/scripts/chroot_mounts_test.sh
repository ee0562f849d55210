#!/bin/sh
# The fresh-check's guard: a scratch root is never deleted while something is mounted below it,
# and every way out of a run (normal end, failure, signal) unmounts what it mounted.
# Needs root and the right to mount; skipped (status 77) otherwise. Bound folders here are
# harmless stand-ins for /proc, /sys and /dev, each holding a file that must survive.
set -u
. "$1/scripts/chroot-mounts.sh"
scratch=$(mktemp -d)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cleanup() {
  for point in $(mounts_below "$scratch"); do umount -l "$point"; done
  rm -rf --one-file-system "$scratch"
}
trap cleanup EXIT

mkdir "$scratch/probe" && mount -t tmpfs tmpfs "$scratch/probe" 2>/dev/null || { echo "cannot mount here: skipped"; exit 77; }
umount "$scratch/probe"

for name in proc sys dev; do
  mkdir -p "$scratch/sources/$name/sub"
  echo keep >"$scratch/sources/$name/sub/sentinel"
done
export FRESH_PROC_SOURCE="$scratch/sources/proc" FRESH_SYS_SOURCE="$scratch/sources/sys" \
  FRESH_DEV_SOURCE="$scratch/sources/dev"
sentinels_intact() {
  for name in proc sys dev; do
    [ "$(cat "$scratch/sources/$name/sub/sentinel" 2>/dev/null)" = keep ] || return 1
  done
}

# A mount the guard cannot take away (busy, as a process keeps a file open there) must stop
# the deletion and leave the bound folders whole.
root="$scratch/run1/root"
mkdir -p "$root"
mount_system_folders "$root"
[ "$(mounts_below "$scratch/run1" | wc -l)" -eq 4 ] || fail "mount_system_folders made $(mounts_below "$scratch/run1" | wc -l) mounts, not 4"
[ -f "$root/dev/sub/sentinel" ] || fail "the bound folder is not visible in the root"
umount() { return 1; } # every unmount fails, lazy ones too
remove_root_tree "$scratch/run1" 2>"$scratch/refusal" && fail "remove_root_tree deleted a tree with mounts below it"
unset -f umount
sentinels_intact || fail "a bound folder lost its files while the guard refused"
[ -d "$root/dev" ] || fail "the refused tree was partly deleted"
grep -q "not deleting" "$scratch/refusal" || fail "the refusal says nothing on standard error"

# Unmounting works: the tree goes, the bound folders stay.
remove_root_tree "$scratch/run1" || fail "remove_root_tree failed on a tree it can unmount"
[ ! -e "$scratch/run1" ] || fail "the tree is still there"
sentinels_intact || fail "removing the tree touched a bound folder"

# Every way out of a script that mounted, with the same trap as fresh-check.
for ending in "exit 0" "exit 1" "kill -TERM \$\$" "kill -INT \$\$" "kill -HUP \$\$" "false"; do
  run="$scratch/run-trap"
  sh -c '
    set -eu
    . "$1/scripts/chroot-mounts.sh"
    work=$2
    mkdir -p "$work/root"
    finish() { status=$?; trap - EXIT INT TERM HUP; remove_root_tree "$work" || status=1; exit "$status"; }
    trap finish EXIT
    trap "exit 130" INT
    trap "exit 143" TERM
    trap "exit 129" HUP
    mount_system_folders "$work/root"
    '"$ending"'
  ' guard "$1" "$run" >/dev/null 2>&1
  [ -z "$(mounts_below "$scratch")" ] || fail "after '$ending' mounts remain: $(mounts_below "$scratch")"
  [ ! -e "$run" ] || fail "after '$ending' the scratch root is left"
  sentinels_intact || fail "after '$ending' a bound folder lost its files"
done

# Mount points with blanks are read back from mountinfo as they are.
mkdir -p "$scratch/a b/c"
mount -t tmpfs tmpfs "$scratch/a b/c"
[ "$(mounts_below "$scratch/a b")" = "$scratch/a b/c" ] || fail "mount point with a blank misread: $(mounts_below "$scratch/a b")"
remove_root_tree "$scratch/a b" || fail "cannot remove a tree with a blank in its mount point"

[ "$failures" -eq 0 ] && echo "all guard checks passed"
exit "$failures"
