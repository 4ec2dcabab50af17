#!/bin/sh
# Installs the build into a temporary prefix and checks the installed tree and its desktop files.
# Usage: check_install.sh <build dir>
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null

id=io.github.psycherondo.PsycheRondo
for file in bin/psyche-rondo share/applications/$id.desktop share/icons/hicolor/scalable/apps/$id.svg \
    share/metainfo/$id.metainfo.xml; do
    [ -e "$prefix/$file" ] || { echo "missing from the installed tree: $file"; exit 1; }
done
[ -x "$prefix/bin/psyche-rondo" ] || { echo "bin/psyche-rondo is not executable"; exit 1; }
grep -q '^Exec=psyche-rondo$' "$prefix/share/applications/$id.desktop"
grep -q '^Comment\[fr\]=' "$prefix/share/applications/$id.desktop"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg"

if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$prefix/share/applications/$id.desktop"
else
    echo "desktop-file-validate not installed: skipped"
fi
if command -v appstreamcli > /dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
else
    echo "appstreamcli not installed: skipped"
fi
echo "installed tree complete"
