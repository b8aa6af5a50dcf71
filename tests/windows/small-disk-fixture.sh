#!/usr/bin/env bash
# Mounts or unmounts the small file system the Windows full-disk test writes to: a
# 16 KiB tmpfs at FOLDER with a "mounted" marker. Without root or mount the folder stays
# unmounted and the test says it skips.
#   small-disk-fixture.sh mount|unmount FOLDER
set -uo pipefail
action=$1
folder=$2

case $action in
    mount)
        mkdir -p "$folder"
        if mountpoint -q "$folder" || mount -t tmpfs -o size=16k tmpfs "$folder" 2>/dev/null; then
            touch "$folder/mounted"
        else
            echo "no tmpfs could be mounted at $folder (needs root): the full-disk test skips"
        fi
        ;;
    unmount)
        if mountpoint -q "$folder"; then
            umount "$folder"
        fi
        ;;
esac
exit 0
