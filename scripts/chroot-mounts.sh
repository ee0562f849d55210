# Mounting the system folders into a scratch root, and taking the root away safely.
# Sourced by fresh-check.sh and by its test; POSIX sh, Linux, run as root.
#
# The danger this file exists for: `rm -rf` on a folder under which /dev is still bound deletes
# the machine's own device files. So a tree is only ever removed by remove_root_tree, which
# first unmounts everything below it and refuses to delete anything while a mount is left.

# What mount_system_folders binds; a test points them at harmless folders.
: "${FRESH_PROC_SOURCE:=/proc}"
: "${FRESH_SYS_SOURCE:=/sys}"
: "${FRESH_DEV_SOURCE:=/dev}"

# Prints the mount points at or below $1, deepest first (one a line). Mount points are
# compared after resolving $1, as /proc/self/mountinfo names them.
mounts_below() {
  below_dir=$(realpath -e -- "$1" 2>/dev/null) || return 0
  # Field 5 of mountinfo is the mount point, with blanks written as octal escapes.
  awk -v dir="$below_dir" '{
      point = $5
      gsub(/\\040/, " ", point); gsub(/\\011/, "\t", point); gsub(/\\134/, "\\", point)
      if (point == dir || index(point, dir "/") == 1) print length(point) "\t" point
    }' /proc/self/mountinfo | sort -rn -k1,1 | cut -f2-
}

# Mounts /proc, /sys, /dev (with its submounts) and a fresh tmpfs /tmp into root $1.
mount_system_folders() {
  mkdir -p "$1/proc" "$1/sys" "$1/dev" "$1/tmp"
  mount --bind "$FRESH_PROC_SOURCE" "$1/proc"
  mount --rbind "$FRESH_SYS_SOURCE" "$1/sys"
  mount --make-rslave "$1/sys"
  mount --rbind "$FRESH_DEV_SOURCE" "$1/dev"
  # Unmounting the copy must never unmount the machine's own /dev/pts or /dev/shm.
  mount --make-rslave "$1/dev"
  mount -t tmpfs -o mode=1777 tmpfs "$1/tmp"
}

# Ends every process whose root folder is root $1 or below it (a server a test left running
# would keep its mounts busy).
stop_processes_in() {
  stop_root=$(realpath -e -- "$1" 2>/dev/null) || return 0
  for stop_signal in TERM KILL; do
    stop_pids=""
    for stop_link in /proc/[0-9]*/root; do
      stop_target=$(readlink "$stop_link" 2>/dev/null) || continue
      case "$stop_target" in
        "$stop_root" | "$stop_root"/*)
          stop_pid=${stop_link#/proc/}
          stop_pids="$stop_pids ${stop_pid%/root}"
          ;;
      esac
    done
    [ -n "$stop_pids" ] || return 0
    # shellcheck disable=SC2086
    kill -s "$stop_signal" $stop_pids 2>/dev/null
    sleep 1
  done
}

# Unmounts everything at or below $1, deepest first. Returns non-zero when a mount is left.
unmount_below() {
  [ -d "$1" ] || return 0
  stop_processes_in "$1"
  mounts_below "$1" | while IFS= read -r point; do
    umount -- "$point" 2>/dev/null || umount --lazy -- "$point" 2>/dev/null ||
      echo "fresh-check: cannot unmount $point" >&2
  done
  [ -z "$(mounts_below "$1")" ]
}

# Deletes the tree $1 after unmounting what is mounted below it; deletes nothing while anything
# is still mounted there (returns non-zero and says so).
remove_root_tree() {
  [ -e "$1" ] || return 0
  if ! unmount_below "$1"; then
    echo "fresh-check: not deleting $1: still mounted below it:" >&2
    mounts_below "$1" | sed 's/^/  /' >&2
    return 1
  fi
  # --one-file-system: even a mount appearing now is not crossed.
  rm -rf --one-file-system -- "$1"
}
