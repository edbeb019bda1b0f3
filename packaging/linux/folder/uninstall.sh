#!/bin/sh
# Removes what install.sh put: /opt/zartex, /usr/bin/zartex, the menu entry,
# the icons, and the folders that install.sh made for them.
set -eu
[ "$(id -u)" -eq 0 ] || { echo "uninstall.sh: run it as root (sudo sh uninstall.sh)" >&2; exit 1; }
own=/opt/zartex/share/zartex
if [ -f "$own/system-files" ]; then
    while read -r file; do
        rm -f "/usr/$file"
    done <"$own/system-files"
fi
if [ -f "$own/created-folders" ]; then
    sort -r "$own/created-folders" | while read -r folder; do
        rmdir "$folder" 2>/dev/null || true
    done
fi
[ ! -L /usr/bin/zartex ] || rm -f /usr/bin/zartex
rm -rf /opt/zartex
command -v update-desktop-database >/dev/null && update-desktop-database -q /usr/share/applications || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q /usr/share/icons/hicolor || true
echo "Зартекс is removed"
