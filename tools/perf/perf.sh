#!/bin/sh
# `make perf`: whole installations of the same files by SETUP.EXE and by an
# NSIS installer under the build's Wine prefix, on a fresh Xvfb display.
# Installs makensis and strace when missing (as root or through sudo);
# without them the NSIS figures or the request counts are skipped.
# Usage: tools/perf/perf.sh BUILD [RUNS]
# PERF_FILES=N takes only N files of each payload, for a quick look.
# PERF_CPUS=LIST runs the session on those CPUs only (taskset -c). Every
# wineserver request is a round trip between two processes; when they sit
# on different CPUs of a virtual machine each one waits for a wake-up, so
# a program that asks often is measured slower than on one CPU.
set -e
build=$(cd "${1:-build}" && pwd)
runs=${2:-5}
here=$(cd "$(dirname "$0")/../.." && pwd)
need=""
command -v makensis >/dev/null 2>&1 || need="$need nsis"
command -v strace >/dev/null 2>&1 || need="$need strace"
SUDO=""
[ "$(id -u)" = 0 ] || SUDO="sudo -n"
if [ -n "$need" ]; then
  { $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $need; } >/dev/null 2>&1 ||
    echo "perf: could not install$need; what needs it is skipped"
fi
python3 "$here/tools/perf/build_payloads.py" "$build/perf" ${PERF_FILES:+--files "$PERF_FILES"}
"$here/tools/wine-prefix.sh" "$build/wineprefix"
pin=""
[ -n "${PERF_CPUS:-}" ] && pin="taskset -c $PERF_CPUS"
# Every installer writes to C:\perf on a file system of its own: ext4 made
# afresh on an image in memory and mounted without discard. On the
# machine's own disk, the deletes of earlier runs were still being
# discarded while the next ran, and slowed them by half.
disk="$build/wineprefix/drive_c/perf"
image=/dev/shm/corvane-perf.img
PATH="$PATH:/usr/sbin:/sbin"
unmount_disk() {
  if mountpoint -q "$disk"; then $SUDO umount "$disk" || true; fi
  rm -f "$image"
}
unmount_disk
rm -rf "$disk"
mkdir -p "$disk"
export PERF_DISK="the prefix's own disk (could not mount a file system of its own)"
if truncate -s 2G "$image" 2>/dev/null && mkfs.ext4 -q -F -E nodiscard "$image" >/dev/null 2>&1 &&
  $SUDO mount -o loop,nodiscard "$image" "$disk" 2>/dev/null; then
  $SUDO chown "$(id -u):$(id -g)" "$disk"
  export PERF_DISK="a fresh ext4 (2 GiB image in memory, no discard)"
else
  rm -f "$image"
fi
status=0
$pin "$here/tools/run-under-x.sh" "$build/wineprefix" python3 "$here/tools/perf/perf.py" --build "$build" --runs "$runs" ||
  status=$?
unmount_disk
exit $status
