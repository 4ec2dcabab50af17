#!/bin/sh
# Gathers the portable folder (program, the Qt and MinGW DLLs it loads, Qt's plugins and French translations) and
# makes dist/psyche-rondo-<version>-windows-x64.zip and dist/psyche-rondo-<version>-setup.exe from it.
# Usage: package.sh <build folder> <Qt prefix> <version> <MinGW gcc folder> <MinGW lib folder>
set -eu
[ "$#" -eq 5 ] || { echo "usage : package.sh <build> <Qt> <version> <MinGW gcc> <MinGW lib>" >&2; exit 2; }
build=$1 qt=$2 version=$3 mingw_gcc=$4 mingw_lib=$5
root=$(cd "$(dirname "$0")/../.." && pwd)
name=psyche-rondo-$version-windows-x64
stage=$build/stage
folder=$stage/$name
rm -rf "$stage"
mkdir -p "$folder/platforms" "$folder/styles" "$folder/translations" "$root/dist"

cp "$build/psyche-rondo.exe" "$folder/"
x86_64-w64-mingw32-strip "$folder/psyche-rondo.exe"
cp "$qt/plugins/platforms/qwindows.dll" "$folder/platforms/"
cp "$qt"/plugins/styles/*.dll "$folder/styles/"
if [ -d "$qt/plugins/printsupport" ]; then
    mkdir -p "$folder/printsupport"
    cp "$qt"/plugins/printsupport/*.dll "$folder/printsupport/"
fi
# Qt looks for its plugins and translations beside the program.
printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n' > "$folder/qt.conf"
cp /usr/share/qt6/translations/qtbase_fr.qm "$folder/translations/"

# Every DLL the program and its plugins import, found in the Qt or MinGW folders (system DLLs are not there).
# One path a line, so that a checkout path with spaces still works; objdump's failure stops the script.
newline='
'
pending=$(find "$folder" -name '*.exe' -o -name '*.dll')
while [ -n "$pending" ]; do
    next=
    old_ifs=$IFS
    IFS=$newline
    for binary in $pending; do
        imports=$(x86_64-w64-mingw32-objdump -p "$binary")
        for dll in $(printf '%s\n' "$imports" | sed -n 's/^\s*DLL Name: //p'); do
            [ -f "$folder/$dll" ] && continue
            for dir in "$qt/bin" "$mingw_gcc" "$mingw_lib"; do
                if [ -f "$dir/$dll" ]; then
                    cp "$dir/$dll" "$folder/"
                    next="$next$folder/$dll$newline"
                    break
                fi
            done
        done
    done
    IFS=$old_ifs
    pending=$next
done

rm -f "$root/dist/$name.zip"
(cd "$stage" && zip -qr9 "$root/dist/$name.zip" "$name")

# The installer installs, and the uninstaller removes, exactly the files of the portable folder: the lists are
# written here from that folder, so that the program's own data beside it (the fallback folder "pr") is never taken.
nsis_path() { printf '%s' "$1" | sed 's/\$/$$/g; s|/|\\|g'; }
(
    cd "$folder"
    find . -type d | sed -e 's|^\.$||' -e 's|^\./||' | sort | while IFS= read -r dir; do
        printf 'SetOutPath "$INSTDIR%s"\n' "${dir:+\\$(nsis_path "$dir")}"
        find "./$dir" -mindepth 1 -maxdepth 1 -type f | sort | while IFS= read -r file; do
            printf 'File "%s"\n' "$folder/${file#./}"
        done
    done
) > "$stage/install-files.nsh"
(
    cd "$folder"
    find . -type f | sed 's|^\./||' | sort | while IFS= read -r file; do
        printf 'Delete "$INSTDIR\\%s"\n' "$(nsis_path "$file")"
    done
    # Deepest folders first; RMDir without /r leaves a folder that still holds something not ours.
    find . -mindepth 1 -type d | sed 's|^\./||' | sort -r | while IFS= read -r dir; do
        printf 'RMDir "$INSTDIR\\%s"\n' "$(nsis_path "$dir")"
    done
) > "$stage/uninstall-files.nsh"

cp "$build/psyche-rondo.ico" "$stage/psyche-rondo.ico"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DICON="$stage/psyche-rondo.ico" \
    -DOUTFILE="$root/dist/psyche-rondo-$version-setup.exe" "$root/packaging/windows/installer.nsi"
