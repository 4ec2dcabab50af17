#!/bin/sh
# Starts the real program under Wine and Xvfb, from the unpacked portable zip and then from the installer: the main
# window must appear with its title, %APPDATA%\pr must be created, and Ctrl+Q must end the program cleanly. Then,
# with %APPDATA%\pr made impossible (a file of that name), the installed program must keep its data in "pr" beside
# itself, and the uninstaller must remove the program and leave both data folders as they were.
# Writes the main window's picture to dist/windows.png (scripts/screenshots.sh --windows puts it into the docs).
# Usage: smoke-test.sh <portable zip> <setup.exe>
set -eu
zip=$(realpath "$1") setup=$(realpath "$2")
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'wineserver -k 2> /dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all WINEARCH=win64
unset WINEPATH # the program must find everything it needs beside itself
fail() { echo "Test de fumée : $*" >&2; exit 1; }

cat > "$work/run.sh" <<'INNER'
#!/bin/sh
# Inside Xvfb: starts one program, waits for its window, takes the picture if asked, then closes it with Ctrl+Q.
# No fixed pause: every wait polls for what it needs, with a bound.
set -eu
exe=$1 picture=$2
wine "$exe" > "$WORK/program.log" 2>&1 &
pid=$!
window=
for _ in $(seq 1 240); do
    window=$(xdotool search --onlyvisible --name '^Psyche Rondo$' 2> /dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$pid" 2> /dev/null || { echo "le programme s'est arrêté avant d'ouvrir sa fenêtre" >&2; exit 1; }
    sleep 0.5
done
[ -n "$window" ] || { echo "la fenêtre « Psyche Rondo » n'est pas apparue en 2 minutes" >&2; kill "$pid"; exit 1; }
if [ -n "$picture" ]; then
    # The window is drawn once two pictures in a row are the same.
    previous=
    for _ in $(seq 1 40); do
        current=$(import -window "$window" rgb:- | md5sum)
        [ "$current" = "$previous" ] && break
        previous=$current
        sleep 0.5
    done
    import -window "$window" "$picture"
fi
# A key pressed before the window takes input is lost: press again until the program ends.
for _ in $(seq 1 12); do
    xdotool windowfocus --sync "$window" 2> /dev/null || true
    xdotool key --clearmodifiers ctrl+q 2> /dev/null || true
    for _ in $(seq 1 10); do
        kill -0 "$pid" 2> /dev/null || break 2
        sleep 0.5
    done
done
if kill -0 "$pid" 2> /dev/null; then
    echo "le programme ne s'est pas fermé après Ctrl+Q" >&2
    kill "$pid"
    exit 1
fi
wait "$pid"
INNER
export WORK="$work"

wineboot -i > /dev/null 2>&1 || fail "wineboot n'a pas pu préparer le préfixe Wine"
wineserver -w
appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")
localappdata=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")
wineserver -w
[ -d "$appdata" ] && [ -d "$localappdata" ] || fail "dossiers AppData introuvables dans le préfixe Wine"
[ ! -e "$appdata/pr" ] || fail "%APPDATA%\\pr existe déjà avant le premier lancement"
run() { xvfb-run -a -s "-screen 0 1024x768x24" sh "$work/run.sh" "$1" "$2" || fail "$(cat "$work/program.log")"; }

# The portable folder, unpacked somewhere that is not the build tree.
mkdir -p "$work/portable" "$root/dist"
(cd "$work/portable" && unzip -q "$zip")
exe=$(find "$work/portable" -name psyche-rondo.exe | head -n 1)
run "$exe" "$root/dist/windows.png"
wineserver -w
[ -d "$appdata/pr" ] || fail "%APPDATA%\\pr n'a pas été créé"
echo "Programme portable : fenêtre « Psyche Rondo », %APPDATA%\\pr créé, fermé par Ctrl+Q."

# The installer, silently, for this user; then the installed program.
wine "$setup" /S
wineserver -w
installed="$localappdata/Programs/Psyche Rondo"
[ -f "$installed/psyche-rondo.exe" ] || fail "l'installateur n'a pas installé le programme"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\PsycheRondo' /v UninstallString \
    > /dev/null 2>&1 || fail "le désinstallateur n'est pas enregistré"
find "$WINEPREFIX/drive_c/users" -name 'Psyche Rondo.lnk' | grep -q . || fail "pas de raccourci dans le menu Démarrer"
wineserver -w
run "$installed/psyche-rondo.exe" ""
wineserver -w
printf 'Dupont;Marie;;5;;\r\n' > "$appdata/pr/prrep.txt"

# %APPDATA%\pr made impossible: the installed program falls back to "pr" beside itself, inside the installation.
mv "$appdata/pr" "$work/appdata-pr"
echo "pas un dossier" > "$appdata/pr"
run "$installed/psyche-rondo.exe" ""
wineserver -w
[ -d "$installed/pr" ] || fail "le programme n'a pas créé « pr » à côté de lui quand %APPDATA%\\pr est un fichier"
printf 'Martin;Paul;;3;;\r\n' > "$installed/pr/prrep.txt"
echo "Repli : %APPDATA%\\pr impossible, « pr » créé à côté du programme installé."

# The uninstaller runs from a copy of itself; wineserver -w waits for that copy too.
wine "$installed/desinstaller.exe" /S
wineserver -w
[ ! -e "$installed/psyche-rondo.exe" ] || fail "le désinstallateur a laissé le programme"
[ ! -e "$installed/desinstaller.exe" ] || fail "le désinstallateur s'est laissé lui-même"
left=$(cd "$installed" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./pr ./pr/prrep.txt " ] || fail "le désinstallateur a laissé ou pris autre chose que « pr » : $left"
[ "$(od -c "$installed/pr/prrep.txt")" = "$(printf 'Martin;Paul;;3;;\r\n' | od -c)" ] ||
    fail "le désinstallateur a touché les personnes de « pr » à côté du programme"
[ "$(cat "$appdata/pr")" = "pas un dossier" ] || fail "le désinstallateur a touché le fichier %APPDATA%\\pr"
[ "$(od -c "$work/appdata-pr/prrep.txt")" = "$(printf 'Dupont;Marie;;5;;\r\n' | od -c)" ] ||
    fail "les personnes de %APPDATA%\\pr ont changé"
echo "Installateur : installé sans droits d'administrateur, lancé, désinstallé ; les personnes de %APPDATA%\\pr et de « pr » à côté du programme conservées."
