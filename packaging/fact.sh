#!/bin/sh
# Prints one of the package facts in packaging/facts, its lines as written:
#     fact.sh Description
awk -v name="$1" '
    /^#/ { next }
    /^[A-Za-z-]+:/ { key = substr($0, 1, index($0, ":") - 1); if (key == name) { sub(/^[^:]*: */, ""); print; found = 1 }; next }
    /^ / && key == name { print substr($0, 2) }
    END { if (!found) { print "fact.sh: packaging/facts has no " name > "/dev/stderr"; exit 1 } }' "$(dirname "$0")/facts"
