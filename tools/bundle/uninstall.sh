#!/bin/sh
# Removes what install.sh put: /opt/zartex, /usr/bin/zartex, the menu entry
# and the icons.
set -eu
[ "$(id -u)" -eq 0 ] || { echo "uninstall.sh: run it as root (sudo sh uninstall.sh)" >&2; exit 1; }
if [ -f /opt/zartex/share/zartex/system-files ]; then
    while read -r file; do
        rm -f "/usr/$file"
    done </opt/zartex/share/zartex/system-files
fi
[ ! -L /usr/bin/zartex ] || rm -f /usr/bin/zartex
rm -rf /opt/zartex
command -v update-desktop-database >/dev/null && update-desktop-database -q /usr/share/applications || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q /usr/share/icons/hicolor || true
echo "Зартекс is removed"
