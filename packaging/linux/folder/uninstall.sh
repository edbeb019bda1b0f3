#!/bin/sh
# Removes what install.sh laid down: /opt/zartex, and in /usr what its
# record share/zartex/installed names (/usr/bin/zartex, the menu entry,
# the icons, the listing, the manual page, and the folders it made for
# them, where they are empty). Nothing else is touched: a record line that
# names another place is refused, and a file that is no longer the one
# install.sh put there (a link, a folder) stays.
set -eu
target=/opt/zartex
own=share/zartex

fail() {
    printf 'uninstall.sh: %s\n' "$@" >&2
    exit 1
}

[ "$(id -u)" -eq 0 ] || fail "запустите его от имени root: sudo sh $0 (или su -c \"sh $0\")"

# The package's files are the package manager's to remove.
if command -v dpkg-query >/dev/null 2>&1 &&
    [ "$(dpkg-query -W -f='${Status}' zartex 2>/dev/null | cut -d' ' -f3)" = installed ]; then
    fail "Зартекс установлен пакетом zartex (.deb): удалите его командой sudo apt remove zartex. Ничего не изменено."
fi
if command -v rpm >/dev/null 2>&1 && package=$(rpm -q zartex 2>/dev/null); then
    fail "Зартекс установлен пакетом $package (.rpm): удалите его командой sudo rpm -e zartex. Ничего не изменено."
fi

if [ -L "$target" ] || [ ! -d "$target" ]; then
    fail "в $target нет Зартекса, поставленного install.sh. Ничего не изменено."
fi
# The install.sh before the record kept the folders it made in
# created-folders, and its files for /usr were those of system-files.
if [ -f "$target/$own/installed" ]; then
    record=$(cat "$target/$own/installed")
elif [ -f "$target/$own/created-folders" ]; then
    record=$(echo "link /usr/bin/zartex"
        sed 's|^|file /usr/|' "$target/$own/system-files"
        sed 's|^|folder |' "$target/$own/created-folders")
else
    fail "в $target нет записи $own/installed: его поставил не install.sh. Ничего не изменено."
fi

# Every line names a place below /usr/share by its letters, or the link.
plain_share_path() {
    case $1 in
        /usr/share/?*) ;;
        *) return 1 ;;
    esac
    case /${1#/usr/share/}/ in
        //* | */../* | */./* | *//*) return 1 ;;
    esac
    case $1 in
        *[!ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._+@/-]*) return 1 ;;
    esac
}
printf '%s\n' "$record" | while read -r kind path; do
    case $kind in
        file | folder) plain_share_path "$path" ;;
        link) [ "$path" = /usr/bin/zartex ] ;;
        *) false ;;
    esac || fail "строка «$kind $path» записи $target/$own/installed называет не то, что ставит install.sh." \
        "Ничего не изменено."
done || exit 1

printf '%s\n' "$record" | while read -r kind path; do
    case $kind in
        file) [ ! -f "$path" ] || [ -L "$path" ] || rm -f "$path" ;;
        link) [ "$(readlink "$path")" != "$target/bin/zartex" ] || rm -f "$path" ;;
    esac
done
printf '%s\n' "$record" | sed -n 's/^folder //p' | sort -r | while read -r folder; do
    rmdir "$folder" 2>/dev/null || true
done
rm -rf "$target"
# What an install that was stopped midway left beside it.
rm -rf /opt/.zartex.new-* /opt/.zartex.old-*
command -v update-desktop-database >/dev/null && update-desktop-database -q /usr/share/applications || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q /usr/share/icons/hicolor || true
echo "Зартекс удалён."
