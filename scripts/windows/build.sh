#!/bin/sh
# Builds Psyche Rondo for 64-bit Windows on Debian 12, runs every test under Wine, smoke-tests the real program and
# writes the portable zip and the installer into dist/. Usage: sh scripts/windows/build.sh
# The Windows Qt is built once into a cache folder outside the tree ($PSYCHE_WINDOWS_CACHE, default
# ~/.cache/psyche-rondo-windows) and reused by later runs. Prints how long each stage took.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
sudo=$(command -v sudo || true)
export DEBIAN_FRONTEND=noninteractive

durations=
stage_start() {
    stage=$1
    stage_began=$(date +%s)
    echo "=== Windows : $stage" >&2
}
stage_end() {
    line="$stage : $(($(date +%s) - stage_began)) s"
    durations="$durations  $line
"
    echo "=== Windows : $line" >&2
}

stage_start "paquets"
packages="qt6-base-dev qt6-translations-l10n cmake ninja-build g++ dpkg-dev
    g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth xdotool x11-apps imagemagick nsis zip unzip librsvg2-bin icoutils"
missing=
for package in $packages; do
    dpkg-query -W -f='${db:Status-Status}' "$package" 2> /dev/null | grep -qx installed || missing="$missing $package"
done
# The network is needed only when something is missing.
if [ -n "$missing" ]; then
    $sudo apt-get update > /dev/null
    # shellcheck disable=SC2086 # one word per package
    $sudo apt-get install -y --no-install-recommends $missing > /dev/null
fi
stage_end

stage_start "Qt pour Windows"
# No pipe: a failed Qt build stops here, with the end of its log already shown on standard error.
PSYCHE_WINDOWS_QT=$(sh scripts/windows/build-qt.sh)
export PSYCHE_WINDOWS_QT
echo "Qt pour Windows : $PSYCHE_WINDOWS_QT"
stage_end

stage_start "compilation"
cmake --preset windows
cmake --build --preset windows
stage_end

stage_start "tests sous Wine"
# Wine finds the Qt and MinGW DLLs through WINEPATH; it never asks to install Mono or Gecko, and runs in a prefix
# of its own so that a user's Wine setup is left alone.
mingw_gcc=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
mingw_lib=/usr/x86_64-w64-mingw32/lib
export WINEPREFIX="${PSYCHE_WINEPREFIX:-$root/build-windows/wineprefix}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
export WINEARCH=win64
wineboot -i > "$root/build-windows/wineboot.log" 2>&1 ||
    { cat "$root/build-windows/wineboot.log" >&2; echo "Le préfixe Wine $WINEPREFIX n'a pas pu être préparé." >&2; exit 1; }
# The virtual display has no window manager: Wine would wait two seconds for one each time a window is hidden or
# destroyed. Windows that Wine manages itself close at once (the smoke test keeps the managed windows users see).
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1 ||
    { echo "Le préfixe Wine $WINEPREFIX n'a pas pu être réglé." >&2; exit 1; }
wineserver -w
WINEPATH=
for folder in "$PSYCHE_WINDOWS_QT/bin" "$mingw_gcc" "$mingw_lib"; do
    converted=$(winepath -w "$folder") && [ -n "$converted" ] ||
        { echo "winepath n'a pas pu convertir $folder" >&2; exit 1; }
    WINEPATH="$WINEPATH${WINEPATH:+;}$converted"
done
export WINEPATH

# The Wine server is started afresh inside the virtual display (one left from another display cannot create windows)
# and kept running until the last test ends: two Wine processes started together on a fresh server can hang at exit.
# Two tests at a time, the window tests one at a time (RESOURCE_LOCK in tests/CMakeLists.txt): the tests mostly wait.
status=0
rm -f build-windows/tests/*.log # a removed test's old report would be listed below
wineserver -k 2> /dev/null || true
xvfb-run -a -s "-screen 0 1280x1024x24" \
    sh -c 'wineserver -p && wine cmd /c exit && ctest --preset windows -j 2; status=$?; wineserver -k; exit $status' ||
    status=$?
if [ "$status" -ne 0 ]; then
    # Each Windows test writes its report to build-windows/tests/<name>.log (see tests/CMakeLists.txt).
    sed 's/^[0-9]*://' build-windows/Testing/Temporary/LastTestsFailed.log 2> /dev/null | while read -r name; do
        echo "=== $name"
        grep -av '^PASS' "build-windows/tests/$name.log" 2> /dev/null || true
    done
    echo "Des tests ont échoué sous Wine." >&2
    exit "$status"
fi
# The tests that cannot run on Windows say so, with their reason.
grep -ah '^SKIP' build-windows/tests/*.log 2> /dev/null | sed 's/^/  /' || true
stage_end

stage_start "paquets zip et installateur"
version=$(sed -n 's/^project(PsycheRondo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
sh scripts/windows/package.sh "$root/build-windows" "$PSYCHE_WINDOWS_QT" "$version" "$mingw_gcc" "$mingw_lib"
stage_end

stage_start "test de fumée"
sh scripts/windows/smoke-test.sh "$root/dist/psyche-rondo-$version-windows-x64.zip" \
    "$root/dist/psyche-rondo-$version-setup.exe"
stage_end
ls -l dist/
printf 'Durées de la construction Windows :\n%s' "$durations"
