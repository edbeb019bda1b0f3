#!/bin/sh
# Prints the ELF files of the folder this script lies in (the program, the
# libraries it carries, Qt's plugins), one full path a line: the files that
# a closed software environment (Astra Linux SE) wants signed before it runs
# them. docs/install.md shows how to sign them with this list.
#
#     sh /opt/zartex/elf-files.sh
#
# Only the files that the folder's list share/zartex/sha256sums names, with
# the sums it gives, are considered: anyone who could write to the folder
# could have put a program of their own there under any name, and it would
# be signed with the school's key. Where a file differs from the list, or a
# path leads out of the folder, it prints nothing and ends with status 1.
#
# It signs nothing itself: the signing command and its key options are the
# system's own, and this folder does not guess them.
set -eu
case "${1:-}" in
    "") ;;
    -h | --help)
        echo "использование: sh elf-files.sh   (печатает ELF-файлы своей папки, по одному в строке)"
        exit 0 ;;
    *)
        echo "elf-files.sh: аргументов не принимает, только печатает ELF-файлы своей папки" >&2
        exit 2 ;;
esac
here=$(dirname "$(readlink -f "$0")")
list=$here/share/zartex/sha256sums

fail() {
    printf 'elf-files.sh: %s\n' "$@" "Не напечатано ничего." >&2
    exit 1
}

[ -f "$list" ] && [ ! -L "$list" ] || fail "в папке нет списка share/zartex/sha256sums."
# Each path as install.sh takes it: below the folder by its letters and in
# fact, through no symbolic link.
paths=$(while IFS= read -r line || [ -n "$line" ]; do
    [ -n "$line" ] || continue
    path=${line#*  }
    case /$path/ in
        //* | */../* | */./* | *//*) fail "путь $path из списка ведёт из папки." ;;
    esac
    [ "$(readlink -f "$here/$path")" = "$here/$path" ] && [ -f "$here/$path" ] ||
        fail "путь $path из списка ведёт из папки или не к файлу."
    printf '%s\n' "$path"
done <"$list") || exit 1
bad=$(cd "$here" && LC_ALL=C sha256sum -c "$list" 2>/dev/null | sed -n 's/: FAILED.*//p') || true
[ -z "$bad" ] || fail "эти файлы не те, что перечислены в share/zartex/sha256sums (копия повреждена или изменена):" "$bad"
# Chosen by their first four bytes, not by execute bits (a copy from a FAT
# stick has none, libraries need none) nor by name; "file" may be missing.
printf '%s\n' "$paths" | while IFS= read -r path; do
    if [ "$(od -An -tx1 -N4 "$here/$path" | tr -d ' \n')" = 7f454c46 ]; then
        printf '%s\n' "$here/$path"
    fi
done | LC_ALL=C sort
