#!/bin/sh
# Builds Qt (qtbase only, trimmed to what the program uses) for 64-bit Windows with MinGW, from Debian's own source
# package at the very version installed for Linux, with Debian's patch series applied (it carries the security fixes
# for this Qt). Builds once into a cache folder outside the source tree; later runs reuse it.
# Prints the Qt prefix on standard output and nothing else; progress and failures go to standard error.
# Usage: build-qt.sh [cache-folder]   (default: $PSYCHE_WINDOWS_CACHE or ~/.cache/psyche-rondo-windows)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cache=${1:-${PSYCHE_WINDOWS_CACHE:-$HOME/.cache/psyche-rondo-windows}}
say() { echo "build-qt: $*" >&2; }

# The host tools (moc, uic, rcc) come from the Linux Qt, so the Windows Qt must be the same source, patches included.
source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2> /dev/null) || source_version=
if [ -z "$source_version" ]; then
    say "qt6-base-dev n'est pas installé : il faut le Qt de Linux à la même version (apt-get install qt6-base-dev)."
    exit 1
fi
# The name carries Debian's revision, so a Qt built from other sources or without the patches is never reused.
prefix="$cache/qt-$(echo "$source_version" | tr '+:~' '___')-mingw64"
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work="$cache/work-$(basename "$prefix")"
rm -rf "$work"
mkdir -p "$work/src-download"

# The source package is fetched through a private sources list: the deb-src twins of the machine's own deb entries,
# with private lists and caches, so the machine's apt configuration and state are left exactly as they were.
apt_dir=$(mktemp -d)
trap 'rm -rf "$apt_dir"' EXIT
mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" } /(^|\n)Types:[^\n]*deb/ && !/deb-src/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
        "$f" > "$apt_dir/parts/$(basename "$f")"
done
: > "$apt_dir/sources.list"
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -n 's/^deb /deb-src /p' "$f" >> "$apt_dir/sources.list"
done
set -- -o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts="$apt_dir/parts" \
    -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache"
# apt's download sandbox user cannot enter the private (mode 0700) folders.
[ "$(id -u)" -ne 0 ] || set -- "$@" -o APT::Sandbox::User=root
say "téléchargement des sources de qt6-base $source_version"
apt-get "$@" update > "$work/apt.log" 2>&1 || { tail -20 "$work/apt.log" >&2; exit 1; }
(cd "$work/src-download" && apt-get "$@" source --download-only "qt6-base=$source_version") >> "$work/apt.log" 2>&1 ||
    { tail -20 "$work/apt.log" >&2; say "qt6-base $source_version introuvable dans les sources Debian"; exit 1; }

# dpkg-source applies debian/patches/series in order and stops at the first patch that does not apply. Every patch
# of this series applies to a MinGW build, so none is skipped: the Debian-only ones touch build paths that stay
# harmless here (cross.patch allows androiddeployqt when cross-compiling, switched off below; force_shared_libzstd
# only matters when zstd is used, switched off below too).
say "application des correctifs Debian"
(cd "$work/src-download" && dpkg-source -x ./*.dsc "$work/src") > "$work/patch.log" 2>&1 ||
    { tail -20 "$work/patch.log" >&2; exit 1; }
grep -v '^#' "$work/src/debian/patches/series" | grep -v '^$' | sed 's/^/build-qt:   /' >&2

mkdir -p "$work/build"
cd "$work/build"
say "configuration (journal : $work/configure.log)"
cmake -G Ninja "$work/src" \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw64-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_icu=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_androiddeployqt=OFF -DFEATURE_tabletevent=OFF > "$work/configure.log" 2>&1 ||
    { tail -40 "$work/configure.log" >&2; say "échec de la configuration de Qt (journal : $work/configure.log)"; exit 1; }
say "compilation (longue ; journal : $work/build.log)"
cmake --build . > "$work/build.log" 2>&1 ||
    { tail -60 "$work/build.log" >&2; say "échec de la compilation de Qt (journal : $work/build.log)"; exit 1; }
cmake --install . > "$work/install.log" 2>&1 ||
    { tail -20 "$work/install.log" >&2; say "échec de l'installation de Qt (journal : $work/install.log)"; exit 1; }
touch "$prefix/.complete"
cd "$cache"
rm -rf "$work"
echo "$prefix"
