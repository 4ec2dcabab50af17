#!/bin/sh
# Gathers the portable folder (program, the Qt and MinGW DLLs it loads, Qt's plugins and French translations) and
# makes dist/psyche-rondo-<version>-windows-x64.zip and dist/psyche-rondo-<version>-setup.exe from it.
# Usage: package.sh <build folder> <Qt prefix> <version> <MinGW gcc folder> <MinGW lib folder>
set -e
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
for qm in /usr/share/qt6/translations/qtbase_fr.qm; do
    cp "$qm" "$folder/translations/"
done

# Every DLL the program and its plugins import, found in the Qt or MinGW folders (system DLLs are not there).
pending=$(find "$folder" -name '*.exe' -o -name '*.dll')
while [ -n "$pending" ]; do
    next=
    for binary in $pending; do
        for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
            [ -f "$folder/$dll" ] && continue
            for dir in "$qt/bin" "$mingw_gcc" "$mingw_lib"; do
                if [ -f "$dir/$dll" ]; then
                    cp "$dir/$dll" "$folder/"
                    next="$next $folder/$dll"
                    break
                fi
            done
        done
    done
    pending=$next
done

rm -f "$root/dist/$name.zip"
(cd "$stage" && zip -qr9 "$root/dist/$name.zip" "$name")

cp "$build/psyche-rondo.ico" "$stage/psyche-rondo.ico"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSOURCE="$folder" -DICON="$stage/psyche-rondo.ico" \
    -DOUTFILE="$root/dist/psyche-rondo-$version-setup.exe" "$root/packaging/windows/installer.nsi"
