#!/bin/sh
# Installs Зартекс from this folder for every user of the computer, as root:
# the folder goes to /opt/zartex, the command to /usr/bin/zartex, the menu
# entry and the icon to /usr/share. uninstall.sh takes all of it away, the
# folders that this made included.
set -eu
here=$(dirname "$(readlink -f "$0")")
[ "$(id -u)" -eq 0 ] || { echo "install.sh: run it as root (sudo sh install.sh)" >&2; exit 1; }
if [ "$here" != /opt/zartex ]; then
    rm -rf /opt/zartex
    mkdir -p /opt/zartex
    cp -R "$here"/. /opt/zartex/
fi
# Copied from a FAT stick, the launcher and the program lost their execute bits.
chmod 0755 /opt/zartex/bin/zartex /opt/zartex/libexec/zartex/zartex
record=/opt/zartex/share/zartex/created-folders
: >"$record"
ln -sf /opt/zartex/bin/zartex /usr/bin/zartex
while read -r file; do
    missing=""
    folder=$(dirname "/usr/$file")
    while [ ! -d "$folder" ]; do
        missing="$folder $missing"
        folder=$(dirname "$folder")
    done
    for folder in $missing; do
        mkdir "$folder"
        echo "$folder" >>"$record"
    done
    cp "/opt/zartex/$file" "/usr/$file"
done </opt/zartex/share/zartex/system-files
command -v update-desktop-database >/dev/null && update-desktop-database -q /usr/share/applications || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q /usr/share/icons/hicolor || true
echo "Зартекс is installed: the menu entry «Зартекс», or the command zartex"
