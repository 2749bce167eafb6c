#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the Windows program and its two downloads:
#   build/windows/tintaro-<version>-win64.zip    unzip anywhere, run tintaro.exe
#   build/windows/tintaro-<version>-setup.exe    per-user installer (NSIS)
# Qt for Windows is built first when the cache has none (scripts/build-qt-windows.sh).
# TINTARO_WINDOWS_TESTS=1 also runs the Windows tests under Wine.
set -eu
cd "$(dirname "$0")/.."

TINTARO_QT_WINDOWS=$(scripts/build-qt-windows.sh)
export TINTARO_QT_WINDOWS
QT=$TINTARO_QT_WINDOWS/install

cmake --preset windows >/dev/null
cmake --build --preset windows

OUT=build/windows
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$OUT/CMakeCache.txt")
NAME=tintaro-$VERSION-win64
STAGE=$OUT/stage/$NAME
RUNTIME=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")

rm -rf "$OUT/stage"
mkdir -p "$STAGE/platforms" "$STAGE/styles" "$STAGE/licenses"
cp "$OUT/app/tintaro.exe" "$STAGE/"
for dll in Qt6Core Qt6Gui Qt6Widgets; do
    cp "$QT/bin/$dll.dll" "$STAGE/"
done
cp "$QT/plugins/platforms/qwindows.dll" "$STAGE/platforms/"
cp "$QT/plugins/styles/qwindowsvistastyle.dll" "$STAGE/styles/"
cp "$RUNTIME/libstdc++-6.dll" "$RUNTIME/libgcc_s_seh-1.dll" \
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$STAGE/"
x86_64-w64-mingw32-strip --strip-unneeded "$STAGE"/*.dll "$STAGE"/*/*.dll "$STAGE/tintaro.exe"

# The licences of what is shipped beside the program: Qt (LGPL 3, whose terms the separate DLLs
# meet; it builds on the GPL 3) and the GCC runtime (GPL 3 with its runtime exception).
QTSRC=$TINTARO_QT_WINDOWS/src
cp "$QTSRC/LICENSES/LGPL-3.0-only.txt" "$STAGE/licenses/Qt-LGPL-3.0.txt"
cp "$QTSRC/LICENSES/GPL-3.0-only.txt" "$STAGE/licenses/GPL-3.0.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$STAGE/licenses/GCC-runtime.txt"
{
    echo "Tintaro $VERSION for Windows (64-bit)"
    echo
    echo "Tintaro sets the colour of a Messenger account's instant messages."
    echo "Run tintaro.exe; it lists the accounts found in your Application Data folder."
    echo "Command line: tintaro.exe --help"
    echo
    echo "Qt $(basename "$TINTARO_QT_WINDOWS" | sed 's/^qt-//; s/-win64-.*//') is used as separate DLLs under the"
    echo "GNU LGPL 3; its source is Debian's qt6-base package. See licenses\\."
} | sed 's/$/\r/' >"$STAGE/README.txt"
cp LICENSE "$STAGE/LICENSE.txt"

rm -f "$OUT/$NAME.zip"
(cd "$OUT/stage" && zip -q -r -X "../$NAME.zip" "$NAME")

# The installer's file list, and the uninstaller's: exactly these files and folders.
{
    (cd "$STAGE" && find . -type d ! -name . | sed 's|^\./||') | while read -r d; do
        printf 'CreateDirectory "$INSTDIR\\%s"\n' "$(echo "$d" | tr / '\\')"
    done
    (cd "$STAGE" && find . -type f | sed 's|^\./||') | while read -r f; do
        printf 'File "/oname=$INSTDIR\\%s" "%s"\n' "$(echo "$f" | tr / '\\')" "$(realpath "$STAGE/$f")"
    done
} >"$STAGE.files.nsh"
{
    (cd "$STAGE" && find . -type f | sed 's|^\./||') | while read -r f; do
        printf 'Delete "$INSTDIR\\%s"\n' "$(echo "$f" | tr / '\\')"
    done
    (cd "$STAGE" && find . -depth -type d ! -name . | sed 's|^\./||') | while read -r d; do
        printf 'RMDir "$INSTDIR\\%s"\n' "$(echo "$d" | tr / '\\')"
    done
} >"$STAGE.unfiles.nsh"
makensis -V2 -DVERSION="$VERSION" -DSTAGE="$(realpath "$STAGE")" \
    -DOUTFILE="$(realpath "$OUT")/tintaro-$VERSION-setup.exe" \
    -DICON="$(realpath "$OUT/tintaro.ico")" packaging/windows/tintaro.nsi

if [ "${TINTARO_WINDOWS_TESTS:-0}" = 1 ]; then
    ctest --preset windows
fi
echo "$OUT/$NAME.zip"
echo "$OUT/tintaro-$VERSION-setup.exe"
