#!/usr/bin/env bash
# Debian's source packages, as the machine's own apt sources offer them, for
# the libraries that the Windows build and the build that carries its own
# Qt compile themselves.
#
#     bash packaging/debian-source.sh CACHE PACKAGE
#         unpacks the version that apt offers (its patches applied) into
#         CACHE/src/PACKAGE_VERSION, replacing any other version of it, and
#         prints that folder
#     bash packaging/debian-source.sh --version CACHE PACKAGE
#         prints PACKAGE_VERSION only
#
# When the machine's apt has no deb-src lines, they are made from its deb
# lines (the same URIs, suites and keys) in a private apt folder inside
# CACHE, read with the machine's own apt settings (its proxy, its mirror);
# the machine's apt sources stay as they were.
set -euo pipefail
shopt -s inherit_errexit
only_version=false
[ "${1:-}" = "--version" ] && { only_version=true; shift; }
cache=${1:?usage: debian-source.sh [--version] CACHE PACKAGE}
package=${2:?usage: debian-source.sh [--version] CACHE PACKAGE}
mkdir -p "$cache"

apt_src=(apt-get)
if ! apt-get source --print-uris -qq "$package" >/dev/null 2>&1; then
    private=$cache/apt
    mkdir -p "$private/sources.list.d" "$private/lists/partial" "$private/cache/archives/partial"
    # Made afresh once a day at most; the lists are apt's own business.
    if [ -z "$(find "$private/lists" -maxdepth 1 -name '*Sources*' -mmin -1440 2>/dev/null | head -n1)" ]; then
        echo "reading Debian's source packages through $private/sources.list.d" \
            "(the machine's apt sources are left as they are)" >&2
        rm -rf "$private/sources.list.d"/*
        eval "$(apt-config shell source_list Dir::Etc::SourceList/f source_parts Dir::Etc::SourceParts/d)"
        as_source_lines() {
            case $1 in
                *.list) sed -E 's/^([[:space:]]*)deb(-src)?([[:space:]])/\1deb-src\3/' "$1" ;;
                *.sources) sed -E 's/^[Tt][Yy][Pp][Ee][Ss]:.*/Types: deb-src/' "$1" ;;
            esac
        }
        [ -f "$source_list" ] && as_source_lines "$source_list" >"$private/sources.list.d/sources.list"
        for file in "$source_parts"*.list "$source_parts"*.sources; do
            [ -f "$file" ] && as_source_lines "$file" >"$private/sources.list.d/$(basename "$file")"
        done
        update=true
    else
        update=false
    fi
    apt_src=(apt-get -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$private/sources.list.d"
        -o Dir::State::Lists="$private/lists" -o Dir::Cache="$private/cache")
    ! $update || "${apt_src[@]}" update -qq >&2
fi

uris=$("${apt_src[@]}" source --print-uris -qq "$package")
version=$(printf '%s\n' "$uris" | sed -n "s/^'[^']*' \(${package}_[^ ]*\)\.dsc .*/\1/p")
[ -n "$version" ] || { echo "apt offers no source package $package" >&2; exit 1; }
if $only_version; then
    echo "$version"
    exit 0
fi
source_dir=$cache/src/$version
if [ ! -f "$source_dir/.unpacked" ]; then
    rm -rf "$cache/src/${package}_"* "$cache/src/unpack-$package"
    mkdir -p "$cache/src/unpack-$package"
    (cd "$cache/src/unpack-$package" && "${apt_src[@]}" source -qq "$package" >/dev/null 2>&1)
    mv "$cache/src/unpack-$package/$(cd "$cache/src/unpack-$package" && ls -d "$package"-*/)" "$source_dir"
    rm -rf "$cache/src/unpack-$package"
    touch "$source_dir/.unpacked"
fi
echo "$source_dir"
