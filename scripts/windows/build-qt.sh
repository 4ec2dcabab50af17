#!/bin/sh
# Builds Qt (qtbase only) for 64-bit Windows with MinGW from Debian's own source package, once, into a cache
# folder outside the source tree; later runs reuse it. Prints the Qt prefix on its last line.
# Usage: build-qt.sh [cache-folder]   (default: $PSYCHE_WINDOWS_CACHE or ~/.cache/psyche-rondo-windows)
set -e
here=$(cd "$(dirname "$0")" && pwd)
cache=${1:-${PSYCHE_WINDOWS_CACHE:-$HOME/.cache/psyche-rondo-windows}}
qt_version=$(dpkg-query -W -f='${source:Upstream-Version}' qt6-base-dev | sed 's/+.*//')
prefix="$cache/qt-$qt_version-mingw64"
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
sudo=$(command -v sudo || true)

# Debian's source packages come from the very archive and suites the machine already uses for binaries.
if ! apt-get source --print-uris qt6-base > /dev/null 2>&1; then
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk 'BEGIN { RS = ""; ORS = "\n\n" } /(^|\n)Types:[^\n]*deb/ && !/deb-src/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
            "$f" > "/tmp/psyche-src.$$"
        [ -s "/tmp/psyche-src.$$" ] && $sudo cp "/tmp/psyche-src.$$" "/etc/apt/sources.list.d/psyche-src-$(basename "$f")"
        rm -f "/tmp/psyche-src.$$"
    done
    if [ -f /etc/apt/sources.list ]; then
        grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > "/tmp/psyche-src.$$" || true
        [ -s "/tmp/psyche-src.$$" ] && $sudo cp "/tmp/psyche-src.$$" /etc/apt/sources.list.d/psyche-src.list
        rm -f "/tmp/psyche-src.$$"
    fi
    $sudo apt-get update > /dev/null
fi

work="$cache/work-$qt_version"
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && apt-get source --download-only qt6-base > /dev/null && dpkg-source -x --skip-patches ./*.dsc src > /dev/null)
mkdir -p "$work/build"
cd "$work/build"
cmake -G Ninja "$work/src" \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw64-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_icu=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF \
    -DFEATURE_tabletevent=OFF > "$work/configure.log" 2>&1 || { tail -40 "$work/configure.log"; exit 1; }
cmake --build . > "$work/build.log" 2>&1 || { tail -60 "$work/build.log"; exit 1; }
cmake --install . > "$work/install.log" 2>&1
touch "$prefix/.complete"
cd "$cache"
rm -rf "$work"
echo "$prefix"
