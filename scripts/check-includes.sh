#!/bin/sh
# Fails when folder dependencies under src/ stop running one way: two folders including each other (or a longer
# loop), or a file below app/ including app/, which sits on top (only the executable's src/main.cpp may).
# Usage: check-includes.sh [source root]
set -u
cd "${1:-$(dirname "$0")/..}/src" || exit 2
status=0

up=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]app/' --include='*.h' --include='*.cpp' . |
    grep -v '^\./app/' | grep -v '^\./main\.cpp:')
if [ -n "$up" ]; then
    echo "Only src/app and src/main.cpp may include app/:"
    echo "$up"
    status=1
fi

folders=$(find . -mindepth 1 -maxdepth 1 -type d | sed 's|^\./||' | tr '\n' ' ')
# One "from to" line per folder that includes another.
edges=$(find . -mindepth 2 -type f \( -name '*.h' -o -name '*.cpp' \) | sort |
    xargs awk -v folders="$folders" '
        BEGIN { n = split(folders, f, " "); for (i = 1; i <= n; ++i) known[f[i]] = 1 }
        FNR == 1 { split(FILENAME, p, "/"); from = p[2] }
        /^[ \t]*#[ \t]*include[ \t]*["<]/ {
            target = $0
            sub(/^[^"<]*["<]/, "", target)
            if (split(target, q, "/") > 1 && q[1] != from && (q[1] in known))
                print from, q[1]
        }' | sort -u)

pairs=$(echo "$edges" | awk '
    NF == 2 { seen[$1 " " $2] = 1 }
    END { for (e in seen) { split(e, a, " "); if (a[1] < a[2] && ((a[2] " " a[1]) in seen)) print a[1], a[2] } }' |
    sort)
if [ -n "$pairs" ]; then
    echo "$pairs" | while read -r a b; do
        echo "$a/ and $b/ include each other:"
        grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]$b/" "$a"
        grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]$a/" "$b"
    done
    status=1
elif ! loop=$(echo "$edges" | tsort 2>&1 >/dev/null) || [ -n "$loop" ]; then
    echo "Folder includes run in a loop:"
    echo "$loop"
    status=1
fi

[ "$status" -eq 0 ] && echo "Folder includes run one way."
exit "$status"
