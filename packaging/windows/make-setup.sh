#!/usr/bin/env bash
# Makes the installer (setup.exe) of a laid-out program folder:
#     make-setup.sh VERSION FOLDER OUTPUT.exe
# packaging/windows/windows.sh makes the installer a school runs; the tests
# make an older one with it to check that an upgrade replaces it.
set -euo pipefail
version=$1
folder=$(realpath "$2")
output=$(realpath -m "$3")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fact() { sh "$here/../fact.sh" "$1"; }
windows_path() { local path=${1#./}; printf '%s' "${path//\//\\}"; }
files() { (cd "$folder" && find . -type f | sort); }
# Deepest first, so that each is empty when its turn comes.
folders() { (cd "$folder" && find . -mindepth 1 -type d | sort -r); }

# What the installer lays down, folder by folder.
(cd "$folder" && find . -type d | sort) | while read -r dir; do
    sub=$(windows_path "$dir")
    printf 'SetOutPath "$INSTDIR%s"\n' "${sub:+\\$sub}"
    find "$folder/${dir#./}" -maxdepth 1 -type f | sort | while read -r file; do
        printf 'File "%s"\n' "$file"
    done
done >"$work/files.nsh"
# What the uninstaller removes, in the folder that FROM names; a file still
# there afterwards is kept in $Left, so that the entry stays until it is gone.
{
    files | while read -r file; do
        name="\${FROM}\\$(windows_path "$file")"
        printf 'Delete "%s"\nIfFileExists "%s" 0 +2\nStrCpy $Left "%s"\n' "$name" "$name" "$name"
    done
    folders | while read -r dir; do
        printf 'RMDir "${FROM}\\%s"\n' "$(windows_path "$dir")"
    done
} >"$work/remove-files.nsh"
# The same, as the list that the installed folder keeps for the next
# version's installer: files, then folders ending in "\".
{
    files | while read -r file; do printf '%s\r\n' "$(windows_path "$file")"; done
    folders | while read -r dir; do printf '%s\\\r\n' "$(windows_path "$dir")"; done
} | iconv -f UTF-8 -t UTF-16LE >"$work/installed-files.txt"

makensis -V2 -INPUTCHARSET UTF8 -DPRODUCT="$(fact Title)" -DPUBLISHER="$(fact Publisher)" \
    -DHOMEPAGE="$(fact Homepage)" -DVERSION="$version" -DLISTS="$work" -DOUTFILE="$output" \
    -DICON="$here/zartex.ico" -DLICENSE="$here/../../LICENSE" \
    -DSIZE_KB="$(du -sk "$folder" | cut -f1)" "$here/installer.nsi"
