#!/bin/sh
# Installs Зартекс from this folder for every user of the computer, as root:
# the folder goes to /opt/zartex, the command to /usr/bin/zartex, and the
# menu entry, the icons, the listing and the manual page to /usr/share.
#
# The folder may come from a stick that pupils can write to, so nothing of
# the copy is taken on trust: only the files that share/zartex/sha256sums
# names are laid down, each with its sum checked before anything is copied
# and again once copied; a path that leads out of the folder refuses the
# whole install; the modes are set here (folders 0755, the files that
# share/zartex/programs names 0755, every other file 0644), whatever the
# stick shows. The new folder is made beside /opt/zartex and takes its
# place only at the end, so a failed copy leaves the installation there
# whole. share/zartex/installed records what went to /usr, for uninstall.sh.
set -eu
umask 022
here=$(dirname "$(readlink -f "$0")")
target=/opt/zartex
own=share/zartex

fail() {
    printf 'install.sh: %s\n' "$@" >&2
    exit 1
}
refuse() {
    fail "$@" "Ничего не изменено."
}

[ "$(id -u)" -eq 0 ] || refuse "запустите его от имени root: sudo sh $0 (или su -c \"sh $0\")"

# A package's files are the package manager's: install.sh would overwrite
# them, and uninstall.sh would later delete them under its feet.
if command -v dpkg-query >/dev/null 2>&1; then
    status=$(dpkg-query -W -f='${Status} ${Version}' zartex 2>/dev/null || true)
    # "install ok installed 1.0.0": the third word is the package's state.
    case $(echo "$status" | cut -d' ' -f3) in
        "" | not-installed | config-files) ;;
        *) refuse "на этом компьютере установлен пакет zartex $(echo "$status" | cut -d' ' -f4) (.deb)." \
            "Сначала удалите его: sudo apt remove zartex — затем запустите install.sh снова." ;;
    esac
fi
if command -v rpm >/dev/null 2>&1 && package=$(rpm -q zartex 2>/dev/null); then
    refuse "на этом компьютере установлен пакет $package (.rpm)." \
        "Сначала удалите его: sudo rpm -e zartex — затем запустите install.sh снова."
fi

# A path of a list: below its folder by its letters (no "..", no "/" at
# either end), of the letters the folder's names use (spelt out: a range
# may take in other letters in some locales).
plain_path() {
    case /$1/ in
        //* | */../* | */./* | *//*) return 1 ;;
    esac
    case $1 in
        *[!ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._+@/-]*) return 1 ;;
    esac
}

# What an earlier install.sh laid in /usr: "file PATH", "folder PATH" (a
# folder that it made) and "link /usr/bin/zartex". The install.sh before
# this record kept the folders it made and read system-files for the rest.
earlier_record() {
    if [ -f "$target/$own/installed" ]; then
        cat "$target/$own/installed"
    elif [ -f "$target/$own/created-folders" ]; then
        echo "link /usr/bin/zartex"
        sed 's|^|file /usr/|' "$target/$own/system-files"
        sed 's|^|folder |' "$target/$own/created-folders"
    fi
}

# /opt/zartex is replaced only where an earlier install.sh made it.
if [ -e "$target" ] || [ -L "$target" ]; then
    if [ -L "$target" ] || [ ! -d "$target" ] ||
        { [ ! -f "$target/$own/installed" ] && [ ! -f "$target/$own/created-folders" ]; }; then
        refuse "$target уже есть, и поставил его не install.sh (в нём нет записи $own/installed)." \
            "Уберите его сами, затем запустите install.sh снова."
    fi
fi

work=$(mktemp -d)
new=""
finished=false
# Whatever ends the install early takes back the new folder.
cleanup() {
    rm -rf "$work"
    if [ -n "$new" ] && ! $finished; then
        rm -rf "$new"
        echo "install.sh: установка не удалась; прежняя установка в $target не тронута." >&2
    fi
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

# The lists, read once: every later step works from these copies.
list=$here/$own/sha256sums
[ -f "$list" ] && [ ! -L "$list" ] || refuse "в папке нет списка $own/sha256sums: это не папка Зартекса, или копия неполна."
: >"$work/sums"
while IFS= read -r line || [ -n "$line" ]; do
    [ -n "$line" ] || continue
    sum=${line%%  *}
    path=${line#*  }
    case $sum in
        *[!0123456789abcdef]*) refuse "строка списка $own/sha256sums не прочитана: $line" ;;
    esac
    [ ${#sum} -eq 64 ] && [ "$sum  $path" = "$line" ] || refuse "строка списка $own/sha256sums не прочитана: $line"
    # Through a symbolic link, a path could lead anywhere.
    plain_path "$path" && [ -f "$here/$path" ] && [ "$(readlink -f "$here/$path")" = "$here/$path" ] ||
        refuse "путь $path из списка $own/sha256sums ведёт из папки или не к файлу."
    printf '%s  %s\n' "$sum" "$path" >>"$work/sums"
done <"$list"
cut -c67- "$work/sums" >"$work/paths"
for path in bin/zartex libexec/zartex/zartex $own/system-files $own/programs; do
    grep -qxF "$path" "$work/paths" || refuse "в списке $own/sha256sums нет файла $path."
done

# Every sum, before anything is copied; the two lists read below are
# checked as they were read.
check_sums() {  # a folder, then what to do with the files that differ
    bad=$(cd "$1" && LC_ALL=C sha256sum -c "$work/sums" 2>/dev/null | sed -n 's/: FAILED.*//p') || true
    [ -z "$bad" ] || $2 "эти файлы не те, что перечислены в $own/sha256sums (копия повреждена или изменена):" "$bad"
}
cp "$here/$own/system-files" "$here/$own/programs" "$work/"
check_sums "$here" refuse
for file in system-files programs; do
    grep -qxF "$(cd "$work" && sha256sum $file | cut -c1-64)  $own/$file" "$work/sums" ||
        refuse "$own/$file изменился, пока install.sh его читал."
done

# The files for /usr/share, and the programs: each a file of the list.
while IFS= read -r file; do
    case $file in
        share/*) plain_path "$file" && grep -qxF "$file" "$work/paths" ||
            refuse "строка $file в $own/system-files ведёт из папки или не к файлу из списка $own/sha256sums." ;;
        *) refuse "строка $file в $own/system-files ведёт не в /usr/share." ;;
    esac
done <"$work/system-files"
while IFS= read -r file; do
    grep -qxF "$file" "$work/paths" || refuse "строка $file в $own/programs не называет файл папки."
done <"$work/programs"
for file in bin/zartex libexec/zartex/zartex; do
    grep -qxF "$file" "$work/programs" || refuse "в $own/programs нет программы $file."
done

# Nothing in /usr that another install put is overwritten.
earlier_record >"$work/earlier"
if [ -e /usr/bin/zartex ] || [ -L /usr/bin/zartex ]; then
    [ "$(readlink /usr/bin/zartex)" = "$target/bin/zartex" ] ||
        refuse "/usr/bin/zartex уже есть, и поставил его не install.sh. Уберите его сами, затем запустите install.sh снова."
fi
while IFS= read -r file; do
    if [ -e "/usr/$file" ] || [ -L "/usr/$file" ]; then
        { [ -f "/usr/$file" ] && [ ! -L "/usr/$file" ] && grep -qxF "file /usr/$file" "$work/earlier"; } ||
            refuse "/usr/$file уже есть, и поставил его не install.sh. Уберите его сами, затем запустите install.sh снова."
    fi
done <"$work/system-files"

# The new folder, beside the old one: the same file system, so that a
# rename swaps them.
mkdir -p /opt
new=$(mktemp -d "/opt/.zartex.new-XXXXXX")
while IFS= read -r path; do
    mkdir -p "$new/$(dirname "$path")"
    cp -- "$here/$path" "$new/$path"
done <"$work/paths"
cp "$work/sums" "$new/$own/sha256sums"
check_sums "$new" fail
find "$new" -type d -exec chmod 0755 {} +
find "$new" -type f -exec chmod 0644 {} +
(cd "$new" && xargs chmod 0755 <"$work/programs")

# /usr: each file written beside its place and renamed into it; the
# folders made for them are kept with the earlier install's.
grep '^folder /usr/' "$work/earlier" >"$work/record" || true
while IFS= read -r file; do
    made=""
    folder=$(dirname "/usr/$file")
    while [ ! -d "$folder" ]; do
        made="$folder $made"
        folder=$(dirname "$folder")
    done
    for folder in $made; do
        mkdir "$folder"
        grep -qxF "folder $folder" "$work/record" || echo "folder $folder" >>"$work/record"
    done
    cp "$new/$file" "/usr/$file.zartex-new"
    chmod 0644 "/usr/$file.zartex-new"
    mv -f "/usr/$file.zartex-new" "/usr/$file"
    echo "file /usr/$file" >>"$work/record"
done <"$work/system-files"
echo "link /usr/bin/zartex" >>"$work/record"
cp "$work/record" "$new/$own/installed"
chmod 0644 "$new/$own/installed"

# The swap.
chmod 0755 "$new"
if [ -d "$target" ]; then
    old=$(mktemp -d "/opt/.zartex.old-XXXXXX")
    mv -T "$target" "$old"
    if ! mv -T "$new" "$target"; then
        mv -T "$old" "$target"
        fail "папку $target заменить не удалось."
    fi
else
    old=""
    mv -T "$new" "$target"
fi
finished=true
[ "$(readlink /usr/bin/zartex 2>/dev/null)" = "$target/bin/zartex" ] || ln -sfn "$target/bin/zartex" /usr/bin/zartex

# What the earlier install put and this one does not.
sed -n 's/^file //p' "$work/earlier" | while IFS= read -r path; do
    case $path in
        /usr/share/*)
            if ! grep -qxF "file $path" "$work/record" && plain_path "${path#/}" && [ -f "$path" ] && [ ! -L "$path" ]
            then
                rm -f "$path"
            fi ;;
    esac
done
[ -z "$old" ] || rm -rf "$old"

command -v update-desktop-database >/dev/null && update-desktop-database -q /usr/share/applications || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q /usr/share/icons/hicolor || true
echo "Зартекс установлен в $target: пункт меню «Зартекс» или команда zartex. Удаление: sudo sh $target/uninstall.sh"
