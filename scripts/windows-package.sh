#!/usr/bin/env bash
# Lays out the Windows program as a user gets it and packs it, byte for byte the
# same from the same sources (SOURCE_DATE_EPOCH sets every time stamp):
#   WINDOWS_BUILD/quillmead.exe, SDL.dll, data\, licences\
#   WINDOWS_BUILD/Quillmead-VERSION-windows-x64.zip   (one folder, Quillmead-VERSION\)
#   WINDOWS_BUILD/Quillmead-VERSION-setup.exe         (NSIS, packaging/windows/installer.nsi)
#   scripts/windows-package.sh WINDOWS_BUILD DATA_FOLDER VERSION MINGW_PREFIX
set -euo pipefail
build=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
version=$3
prefix=$4
here=$(cd "$(dirname "$0")/.." && pwd)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct 2>/dev/null || echo 1700000000)}
export TZ=UTC LC_ALL=C

name=Quillmead-$version
stage=$build/package/$name
rm -rf "$build/package"
mkdir -p "$stage/data" "$stage/licences"

# The program without its symbols; strip keeps the time stamp out when
# SOURCE_DATE_EPOCH is set.
x86_64-w64-mingw32-strip -o "$stage/quillmead.exe" "$build/quillmead.exe"
x86_64-w64-mingw32-strip -o "$stage/SDL.dll" "$prefix/bin/SDL.dll"
# Exactly the files the program reads: the archives and the parents' guide.
cp "$data"/*.pak "$data/guide.html" "$stage/data/"
cp "$here/LICENSE" "$stage/licences/Quillmead-LICENSE.txt"
cp "$here/packaging/copyright" "$stage/licences/Quillmead-copyright.txt"
cp "$prefix"/licences/*.txt "$stage/licences/"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$stage/licences/mingw-w64-runtime-copyright.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/licences/gcc-runtime-copyright.txt"
# Text files with Windows line ends, so that Notepad shows them as written.
for f in "$stage"/licences/*.txt; do sed -i 's/\r*$/\r/' "$f"; done
chmod -R u=rwX,go=rX "$stage"
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

# The folder a user gets, beside the build's own files.
rm -rf "$build/data" "$build/licences"
cp -a "$stage/data" "$stage/licences" "$build/"

# The zip: sorted names, no extra fields (owners, Unix times), times from
# SOURCE_DATE_EPOCH.
zip_file=$build/$name-windows-x64.zip
rm -f "$zip_file"
(cd "$build/package" && find "$name" -print | sort | zip -q -X -9 -@ "$zip_file")
touch -d "@$SOURCE_DATE_EPOCH" "$zip_file"

# The installer's file lists, in the same sorted order.
files=$build/package/files.nsh
uninstall=$build/package/uninstall-files.nsh
: >"$files"
: >"$uninstall"
for folder in "" data licences; do
  target='$INSTDIR'${folder:+\\$folder}
  echo "SetOutPath \"$target\"" >>"$files"
  for f in $(cd "$stage/$folder" && find . -maxdepth 1 -type f | sort); do
    f=${f#./}
    echo "File \"$stage${folder:+/$folder}/$f\"" >>"$files"
    echo "Delete \"$target\\$f\"" >>"$uninstall"
  done
done
echo 'SetOutPath "$INSTDIR"' >>"$files"
echo 'RMDir "$INSTDIR\data"' >>"$uninstall"
echo 'RMDir "$INSTDIR\licences"' >>"$uninstall"
size_kb=$(( $(du -sk --apparent-size "$stage" | cut -f1) ))
setup=$build/$name-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" \
  -DICON="$build/packaging/windows/quillmead.ico" -DPANEL="$build/packaging/windows/installer-panel.bmp" -DSIZE_KB="$size_kb" "$here/packaging/windows/installer.nsi"
touch -d "@$SOURCE_DATE_EPOCH" "$setup"
echo "windows-package: $zip_file"
echo "windows-package: $setup"
