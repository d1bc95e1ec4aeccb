#!/bin/sh
# Mounts (or unmounts) a 1 MiB file system for the disk-full tests. Without
# the right to mount, the folder stays an ordinary one and the tests that
# need a full disk skip themselves.
# Usage: small-disk.sh mount|unmount DIR
action=$1; dir=$2
case $action in
  mount)
    mkdir -p "$dir"
    mountpoint -q "$dir" && exit 0
    if [ "$(id -u)" = 0 ]; then
      mount -t tmpfs -o size=1m corvane-small "$dir" 2>/dev/null || true
    else
      sudo -n mount -t tmpfs -o size=1m corvane-small "$dir" 2>/dev/null || true
    fi ;;
  unmount)
    if mountpoint -q "$dir"; then
      umount "$dir" 2>/dev/null || sudo -n umount "$dir" 2>/dev/null || true
    fi ;;
esac
exit 0
