#!/usr/bin/env bash
# Makes the Windows Installer package of a laid-out program folder:
#     make-msi.sh VERSION FOLDER OUTPUT.msi
# packaging/windows/windows.sh makes the package a school installs; the tests make an
# older one with it to check that an upgrade replaces it.
set -euo pipefail
version=$1
folder=$(realpath "$2")
output=$(realpath -m "$3")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# wixl reads the files by paths relative to the folder it runs in.
ln -s "$folder" "$work/zartex"
cp "$here/zartex.ico" "$work/"
cd "$work"
find -L zartex -type f | sort | wixl-heat -p zartex/ --var var.SourceDir --directory-ref INSTALLDIR \
    --component-group ProgramFiles --win64 >files.wxs
# wixl writes the tables' texts in the code page of the language that
# WINDOWS_LANGUAGE names, here Cyrillic (1251); the database is then marked
# with that code page, so that every Windows reads the Russian names alike.
export WINDOWS_LANGUAGE=ru_RU
rm -f "$output"
# The package facts, in a file: wixl takes no Cyrillic on its command line.
fact() { sh "$here/../fact.sh" "$1"; }
cat >facts.wxi <<EOF
<?xml version="1.0" encoding="utf-8"?>
<Include>
  <?define Title="$(fact Title)"?>
  <?define Publisher="$(fact Publisher)"?>
  <?define Homepage="$(fact Homepage)"?>
</Include>
EOF
wixl -a x64 -D Win64=yes -D Version="$version" -D SourceDir=zartex -D Icon=zartex.ico -o "$output" \
    "$here/zartex.wxs" files.wxs
# wixl may report a failed table and still end with status 0.
[ -s "$output" ] || { echo "wixl made no package" >&2; exit 1; }
printf '\r\n\r\n1251\t_ForceCodepage\r\n' >_ForceCodepage.idt
msibuild "$output" -i _ForceCodepage.idt
# Every build has a product code of its own: a package of the same version
# built again must replace the installed one too, not install beside it.
# The upgrade's row up to this version becomes inclusive
# (msidbUpgradeAttributesVersionMaxInclusive, 0x200), as WiX's
# AllowSameVersionUpgrades makes it.
msiinfo export "$output" Upgrade >Upgrade.idt
sed -i 's/^\([^\t]*\t\t[^\t]*\t[^\t]*\t\)1\(\t[^\t]*\tWIX_UPGRADE_DETECTED\r\)$/\1513\2/' Upgrade.idt
grep -q '513.*WIX_UPGRADE_DETECTED' Upgrade.idt || { echo "make-msi.sh: wixl's Upgrade table is not as expected:" >&2; cat Upgrade.idt >&2; exit 1; }
msibuild "$output" -i Upgrade.idt
