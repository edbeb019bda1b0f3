#!/bin/sh
# Prints every ELF file of the folder this script lies in (the program, the
# libraries it carries, Qt's plugins), one full path a line: the files that
# a closed software environment (Astra Linux SE) wants signed before it runs
# them. docs/install.md shows how to sign them with this list.
#
#     sh /opt/zartex/elf-files.sh
#
# It signs nothing itself: the signing command and its key options are the
# system's own, and this folder does not guess them.
set -eu
case "${1:-}" in
    "") ;;
    -h | --help)
        echo "usage: sh elf-files.sh   (prints the ELF files of its folder, one a line)"
        exit 0 ;;
    *)
        echo "elf-files.sh: takes no arguments; it only lists the ELF files" >&2
        exit 2 ;;
esac
here=$(dirname "$(readlink -f "$0")")
# Chosen by their first four bytes, not by execute bits (a copy from a FAT
# stick has none, libraries need none) nor by name; "file" may be missing.
# Symbolic links are left out: their targets are listed once, as files.
find "$here" -type f -exec sh -c '
    for f do
        if [ "$(od -An -tx1 -N4 "$f" | tr -d " \n")" = 7f454c46 ]; then
            printf "%s\n" "$f"
        fi
    done' sh {} + | LC_ALL=C sort
