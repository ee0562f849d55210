#!/bin/sh
# Proves that the README's two commands work on a bare Debian 12: builds a minimal Debian 12 root
# with mmdebstrap (apt, git, make, ca-certificates and nothing else), clones this repository's
# HEAD into it, and runs `make run` and `make test` there as root through chroot; then installs
# the Debian packages that `make test` built and uses them
# (tests/install/use_installed_packages.sh). Prints the tail of each log, what `make run`
# installed, and how long each stage took; fails when any stage fails.
#
# Usage: scripts/fresh-check.sh            (as root; `make fresh-check` installs mmdebstrap)
# Environment:
#   FRESH_CACHE     where the downloaded root and package files are kept between runs
#                   (default /var/cache/morvac-fresh-check)
#   FRESH_WORK      folder under which the scratch root is made (default /var/tmp)
#   FRESH_MAX_AGE   days after which the cached root is downloaded again (default 7)
#   FRESH_MIRROR    Debian mirror (default http://deb.debian.org)
#   FRESH_KEEP=1    keep the scratch root (unmounted) for a look after the run
set -eu
cd "$(dirname "$0")/.."
repo=$(pwd)
. "$repo/scripts/chroot-mounts.sh"

cache=${FRESH_CACHE:-/var/cache/morvac-fresh-check}
work_parent=${FRESH_WORK:-/var/tmp}
max_age=${FRESH_MAX_AGE:-7}
mirror=${FRESH_MIRROR:-http://deb.debian.org}
tail_lines=40

[ "$(id -u)" -eq 0 ] || { echo "fresh-check: run as root (it mounts and chroots)" >&2; exit 2; }
command -v mmdebstrap >/dev/null || { echo "fresh-check: mmdebstrap is missing (make fresh-check installs it)" >&2; exit 2; }

stage_started=0
stage_report=""
start_stage() { stage_started=$(date +%s); echo "== $1"; }
end_stage() {
  stage_seconds=$(($(date +%s) - stage_started))
  stage_report="$stage_report$(printf '  %-28s %5ss' "$1" "$stage_seconds")
"
}

# 1. The bare root, downloaded once and kept as a tarball; the variant, packages and sources
#    are part of its name, so changing them downloads a new one.
packages=git,make,ca-certificates
root_tar="$cache/bookworm-apt-$(echo "$packages $mirror" | cksum | cut -d' ' -f1).tar"
mkdir -p "$cache/apt-archives"
if [ -f "$root_tar" ] && [ -z "$(find "$root_tar" -mtime +"$max_age")" ]; then
  echo "== bare Debian 12 root: cached $root_tar"
else
  start_stage "bare Debian 12 root: mmdebstrap"
  rm -f "$root_tar.part"
  mmdebstrap --quiet --variant=apt --include="$packages" --format=tar bookworm "$root_tar.part" \
    "deb $mirror/debian bookworm main" \
    "deb $mirror/debian bookworm-updates main" \
    "deb $mirror/debian-security bookworm-security main"
  mv "$root_tar.part" "$root_tar"
  end_stage "download root (mmdebstrap)"
fi

work=$(mktemp -d "$work_parent/morvac-fresh.XXXXXX")
root="$work/root"
finish() {
  status=$?
  trap - EXIT INT TERM HUP
  if [ "${FRESH_KEEP:-0}" = 1 ]; then
    unmount_below "$work" || status=1
    echo "fresh-check: scratch root kept in $root"
  else
    remove_root_tree "$work" || status=1
  fi
  [ -z "$stage_report" ] || printf 'fresh-check stage times:\n%s' "$stage_report"
  exit "$status"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

start_stage "unpack root and clone"
mkdir "$root"
tar -xf "$root_tar" -C "$root"
# The host's resolver; localhost named as on every installed system.
cp /etc/resolv.conf "$root/etc/resolv.conf"
printf '127.0.0.1\tlocalhost\n::1\tlocalhost ip6-localhost ip6-loopback\n' >"$root/etc/hosts"
# The certificate authorities that this machine's administrator added: a network that inspects
# TLS needs them, as any machine on it would have them.
if ls /usr/local/share/ca-certificates/*.crt >/dev/null 2>&1; then
  cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
  chroot "$root" update-ca-certificates >/dev/null
fi
if [ -n "$(git -C "$repo" status --porcelain --untracked-files=no)" ]; then
  echo "fresh-check: note: uncommitted changes are not checked; the clone holds HEAD"
fi
git clone --quiet --no-hardlinks "$repo" "$root/root/morvac"
echo "clone at $(git -C "$root/root/morvac" log -1 --format='%h %s')"
end_stage "unpack root and clone"

mount_system_folders "$root"
# Downloaded package files survive between runs (Debian's and npm's); installing them is still
# the project's job.
mkdir -p "$cache/npm" "$root/var/cache/apt/archives" "$root/root/.npm"
mount --bind "$cache/apt-archives" "$root/var/cache/apt/archives"
mount --bind "$cache/npm" "$root/root/.npm"

# Runs the command $2 in the clone, as a fresh root login would, with no display and no
# terminal, as the stage named $1.
run_stage() {
  log="$work/$(echo "$1" | tr ' ' '-').log"
  start_stage "$1"
  stage_status=0
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/sh -c "cd /root/morvac && $2" </dev/null >"$log" 2>&1 || stage_status=$?
  end_stage "$1"
  echo "-- last $tail_lines lines of $1 (exit status $stage_status):"
  tail -n "$tail_lines" "$log"
  return "$stage_status"
}

# Prints the installed packages of the root, one "name size-in-KiB" a line, sorted.
installed_packages() {
  chroot "$root" dpkg-query -W -f '${Package} ${Installed-Size}\n' | sort
}

failed=""
installed_packages >"$work/packages-before"
run_stage "make run" "make run" || failed="$failed, make run"
installed_packages >"$work/packages-after"
comm -13 "$work/packages-before" "$work/packages-after" >"$work/packages-added"
echo "-- make run installed $(wc -l <"$work/packages-added") packages," \
  "$(awk '{ kib += $2 } END { printf "%.0f", kib / 1024 }' "$work/packages-added") MiB:"
cut -d' ' -f1 "$work/packages-added" | tr '\n' ' ' | fold -s -w 96 | sed 's/^/  /'
echo
run_stage "make test" "make test" || failed="$failed, make test"
run_stage "installed packages" "sh tests/install/use_installed_packages.sh" ||
  failed="$failed, the installed packages"
if [ -n "$failed" ]; then
  echo "fresh-check: FAILED on a bare Debian 12: ${failed#, }"
  exit 1
fi
echo "fresh-check: make run, make test and the installed packages pass on a bare Debian 12"
