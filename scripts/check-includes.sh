#!/bin/sh
# Fails when a folder under src/ includes a folder that is not below it. Each folder has a rank: app 3 (only the
# executable's src/main.cpp includes it); help, interpretation and persons 2; questionnaire and typology 1; platform
# and widgets 0. A file may include only folders of a lower rank, so no include runs sideways, up or in a loop.
# Usage: check-includes.sh [source root]
set -u
cd "${1:-$(dirname "$0")/..}/src" || exit 2

ranks="app=3 help=2 interpretation=2 persons=2 questionnaire=1 typology=1 platform=0 widgets=0"
folders=$(find . -mindepth 1 -maxdepth 1 -type d | sed 's|^\./||' | sort | tr '\n' ' ')
# One "file:line from to" line per include of another folder, with the folders' ranks checked in awk.
find . -mindepth 2 -type f \( -name '*.h' -o -name '*.cpp' \) | sort |
    xargs awk -v folders="$folders" -v ranks="$ranks" '
        BEGIN {
            n = split(ranks, r, " ")
            for (i = 1; i <= n; ++i) { split(r[i], kv, "="); rank[kv[1]] = kv[2] }
            n = split(folders, f, " ")
            for (i = 1; i <= n; ++i) {
                known[f[i]] = 1
                if (!(f[i] in rank)) { print "src/" f[i] "/ has no rank: give it one in scripts/check-includes.sh"; bad = 1 }
            }
        }
        FNR == 1 { split(FILENAME, p, "/"); from = p[2] }
        /^[ \t]*#[ \t]*include[ \t]*["<]/ {
            target = $0
            sub(/^[^"<]*["<]/, "", target)
            if (split(target, q, "/") > 1 && q[1] != from && (q[1] in known) && (from in rank) && (q[1] in rank) &&
                rank[q[1]] >= rank[from]) {
                print substr(FILENAME, 3) ":" FNR ": " from "/ (rank " rank[from] ") includes " q[1] "/ (rank " rank[q[1]] ")"
                bad = 1
            }
        }
        END {
            if (bad) exit 1
            print "Folder includes run one way."
        }'
