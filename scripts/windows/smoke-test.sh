#!/bin/sh
# Starts the real program under Wine and Xvfb, from the unpacked portable zip and then from the installer: the main
# window must appear with its title, %APPDATA%\pr must be created, and Ctrl+Q must end the program cleanly. The
# uninstaller must remove the program and leave the user's data folder. Keeps docs/screenshots/windows.png.
# Usage: smoke-test.sh <portable zip> <setup.exe>
set -e
zip=$(realpath "$1") setup=$(realpath "$2")
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'wineserver -k 2> /dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all WINEARCH=win64
unset WINEPATH # the program must find everything it needs beside itself
fail() { echo "Test de fumée : $*" >&2; exit 1; }

cat > "$work/run.sh" <<'INNER'
#!/bin/sh
# Inside Xvfb: starts one program, waits for its window, takes the picture if asked, then sends Ctrl+Q.
set -e
exe=$1 picture=$2
wine "$exe" > "$WORK/program.log" 2>&1 &
pid=$!
window=
for _ in $(seq 1 120); do
    window=$(xdotool search --name '^Psyche Rondo$' 2> /dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.5
done
[ -n "$window" ] || { echo "la fenêtre « Psyche Rondo » n'est pas apparue" >&2; kill "$pid"; exit 1; }
sleep 2
[ -z "$picture" ] || import -window "$window" "$picture"
xdotool windowfocus --sync "$window" 2> /dev/null || true
xdotool key --clearmodifiers ctrl+q
for _ in $(seq 1 60); do
    kill -0 "$pid" 2> /dev/null || break
    sleep 0.5
done
if kill -0 "$pid" 2> /dev/null; then
    echo "le programme ne s'est pas fermé après Ctrl+Q" >&2
    kill "$pid"
    exit 1
fi
wait "$pid"
INNER
export WORK="$work"

wineboot -i > /dev/null 2>&1
wineserver -w
appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% 2> /dev/null | tr -d '\r')")
localappdata=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% 2> /dev/null | tr -d '\r')")
wineserver -w
[ ! -e "$appdata/pr" ] || fail "%APPDATA%\\pr existe déjà avant le premier lancement"

# The portable folder, unpacked somewhere that is not the build tree.
mkdir -p "$work/portable"
(cd "$work/portable" && unzip -q "$zip")
exe=$(find "$work/portable" -name psyche-rondo.exe | head -n 1)
xvfb-run -a -s "-screen 0 1024x768x24" sh "$work/run.sh" "$exe" "$work/windows.png" || fail "$(cat "$work/program.log")"
wineserver -w
[ -d "$appdata/pr" ] || fail "%APPDATA%\\pr n'a pas été créé"
cp "$work/windows.png" "$root/docs/screenshots/windows.png"
echo "Programme portable : fenêtre « Psyche Rondo », %APPDATA%\\pr créé, fermé par Ctrl+Q."

# The installer, silently, for this user; then the installed program; then the uninstaller.
wine "$setup" /S
wineserver -w
installed="$localappdata/Programs/Psyche Rondo"
[ -f "$installed/psyche-rondo.exe" ] || fail "l'installateur n'a pas installé le programme"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\PsycheRondo' /v UninstallString \
    > /dev/null 2>&1 || fail "le désinstallateur n'est pas enregistré"
find "$WINEPREFIX/drive_c/users" -name 'Psyche Rondo.lnk' | grep -q . || fail "pas de raccourci dans le menu Démarrer"
wineserver -w
echo marker > "$appdata/pr/garde.txt"
xvfb-run -a -s "-screen 0 1024x768x24" sh "$work/run.sh" "$installed/psyche-rondo.exe" "" || fail "$(cat "$work/program.log")"
wineserver -w
wine "$installed/desinstaller.exe" /S
wineserver -w
sleep 2
wineserver -w
[ ! -e "$installed/psyche-rondo.exe" ] || fail "le désinstallateur a laissé le programme"
[ "$(cat "$appdata/pr/garde.txt")" = marker ] || fail "le désinstallateur a touché %APPDATA%\\pr"
echo "Installateur : installé sans droits d'administrateur, lancé, désinstallé ; %APPDATA%\\pr conservé."
