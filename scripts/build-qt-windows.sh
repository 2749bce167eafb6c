#!/bin/sh
# SPDX-License-Identifier: MIT
# Cross-builds Qt for 64-bit Windows (shared DLLs) with Debian's mingw-w64 from
# Debian's own qt6-base source, once, into a cache folder; later runs reuse it.
#
#   scripts/build-qt-windows.sh            build if missing, print the folder
#   scripts/build-qt-windows.sh --print    print the folder, fail if not built
#
# The folder holds install/ (Qt for Windows), toolchain.cmake (for the
# program's own build) and wine-run (the emulator ctest runs Windows tests
# through). Host tools (moc, rcc, uic) come from the installed
# qt6-base-dev-tools, so the Windows Qt is the same version as the Linux one.
set -eu

die() {
    echo "build-qt-windows: $*" >&2
    exit 1
}

CC_W=x86_64-w64-mingw32-gcc-posix
CXX_W=x86_64-w64-mingw32-g++-posix
command -v "$CXX_W" >/dev/null ||
    die "$CXX_W not found: apt-get install g++-mingw-w64-x86-64-posix mingw-w64-tools"
command -v dpkg-source >/dev/null || die "dpkg-source not found: apt-get install dpkg-dev"
command -v ninja >/dev/null || die "ninja not found: apt-get install ninja-build"
[ -x /usr/lib/qt6/libexec/moc ] || die "host moc missing: apt-get install qt6-base-dev-tools"

QT_DEB_VERSION=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null) ||
    die "qt6-base-dev-tools is not installed"
QT_SRC_VERSION=${QT_DEB_VERSION%+b[0-9]*}
MINGW_VERSION=$($CXX_W -dumpfullversion)-$(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev)

# Every option that changes the result; the cache key hashes this list, so a
# different set always gets a new folder instead of touching a built one.
OPTIONS="-DCMAKE_BUILD_TYPE=Release
-DBUILD_SHARED_LIBS=ON
-DQT_BUILD_EXAMPLES=OFF
-DQT_BUILD_TESTS=OFF
-DQT_BUILD_BENCHMARKS=OFF
-DFEATURE_tabletevent=OFF
-DFEATURE_direct2d1_1=OFF
-DFEATURE_androiddeployqt=OFF
-DFEATURE_opengl=OFF
-DINPUT_opengl=no
-DFEATURE_vulkan=OFF
-DFEATURE_network=OFF
-DFEATURE_sql=OFF
-DFEATURE_dbus=OFF
-DFEATURE_printsupport=OFF
-DFEATURE_concurrent=OFF
-DFEATURE_xml=OFF
-DFEATURE_system_zlib=OFF
-DFEATURE_system_png=OFF
-DFEATURE_system_jpeg=OFF
-DFEATURE_system_freetype=OFF
-DFEATURE_system_harfbuzz=OFF
-DFEATURE_system_pcre2=OFF
-DFEATURE_system_doubleconversion=OFF
-DFEATURE_zstd=OFF
-DFEATURE_icu=OFF
-DFEATURE_glib=OFF
-DFEATURE_pkg_config=OFF
-DFEATURE_testlib=ON
-DQT_QPA_DEFAULT_PLATFORM=windows
-DQT_HOST_PATH=/usr
-DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake"

KEY=$(printf '%s\n%s\n' "$OPTIONS" "$MINGW_VERSION" | sha256sum | cut -c1-12)
CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/tintaro
DIR=$CACHE/qt-$QT_SRC_VERSION-win64-$KEY
PREFIX=$DIR/install

build_qt() {
    mkdir -p "$DIR"
    echo "build-qt-windows: Qt $QT_SRC_VERSION, mingw $MINGW_VERSION, into $DIR" >&2

    # The Debian source package, fetched through a private apt set-up (its own
    # sources list, lists and archive folders) so the machine's apt is untouched.
    SRC=$DIR/src
    if [ ! -f "$SRC/.unpacked" ]; then
        APTDIR=$CACHE/apt
        mkdir -p "$APTDIR/lists/partial" "$APTDIR/archives/partial" "$APTDIR/download" \
            "$APTDIR/sources.list.d"
        MIRROR=$(grep -hoE '(URIs:|deb) +https?://[^ ]*/debian/?( |$)' \
            /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list \
            2>/dev/null | head -n1 | awk '{print $2}')
        [ -n "$MIRROR" ] || MIRROR=http://deb.debian.org/debian
        echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $MIRROR bookworm main" \
            >"$APTDIR/sources.list"
        cat >"$APTDIR/apt.conf" <<EOF
Dir::Etc::sourcelist "$APTDIR/sources.list";
Dir::Etc::sourceparts "$APTDIR/sources.list.d";
Dir::State::lists "$APTDIR/lists/";
Dir::Cache::archives "$APTDIR/archives/";
Dir::Cache::pkgcache "";
Dir::Cache::srcpkgcache "";
EOF
        export APT_CONFIG="$APTDIR/apt.conf"
        apt-get -q update >"$APTDIR/update.log" 2>&1 ||
            die "apt-get update with the private deb-src list failed (see $APTDIR/update.log)"
        (cd "$APTDIR/download" && apt-get -q source --download-only "qt6-base=$QT_SRC_VERSION") ||
            die "could not download the qt6-base $QT_SRC_VERSION source from $MIRROR"
        unset APT_CONFIG
        rm -rf "$SRC"
        dsc=$(ls "$APTDIR/download"/qt6-base_*.dsc | head -n1)
        dpkg-source --no-check -x "$dsc" "$SRC" >/dev/null || die "could not unpack $dsc"
        rm -f "$DIR"/qt6-base_*
        touch "$SRC/.unpacked"
    fi

    # Compilers for the Qt build and for programs built against it.
    cat >"$DIR/mingw.cmake" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $CC_W)
set(CMAKE_CXX_COMPILER $CXX_W)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

    BUILD=$DIR/build
    if [ ! -f "$BUILD/build.ninja" ]; then
        rm -rf "$BUILD"
        # shellcheck disable=SC2086 # one option a line
        cmake -G Ninja -S "$SRC" -B "$BUILD" \
            -DCMAKE_TOOLCHAIN_FILE="$DIR/mingw.cmake" \
            -DCMAKE_INSTALL_PREFIX="$PREFIX" \
            $OPTIONS >"$DIR/configure.log" 2>&1 ||
            { rm -rf "$BUILD"; die "Qt configure failed (see $DIR/configure.log)"; }
    fi
    echo "build-qt-windows: building (about 16 minutes at -j2; log $DIR/build.log)" >&2
    cmake --build "$BUILD" --parallel "${QT_BUILD_JOBS:-2}" >"$DIR/build.log" 2>&1 ||
        die "Qt build failed (see $DIR/build.log)"
    cmake --install "$BUILD" >"$DIR/install.log" 2>&1 || die "Qt install failed (see $DIR/install.log)"
    touch "$DIR/done"
}

if [ ! -f "$DIR/done" ]; then
    [ "${1:-}" = --print ] && die "Qt for Windows is not built yet: run scripts/build-qt-windows.sh"
    build_qt
fi

# What a program's build uses (rewritten on every run): the compilers, this
# Qt, the host tools, and Wine to run the build's Windows programs and tests.
RUNTIME=$(dirname "$($CXX_W -print-libgcc-file-name)")
winpath() { echo "Z:$1" | tr / '\\'; }
cat >"$DIR/wine-run" <<EOF
#!/bin/sh
# Runs a Windows program under Wine with this Qt's and mingw's DLLs on its path.
WINEPATH="$(winpath "$PREFIX/bin");$(winpath "$RUNTIME");$(winpath /usr/x86_64-w64-mingw32/lib)\${WINEPATH:+;\$WINEPATH}"
export WINEPATH
export WINEDEBUG=\${WINEDEBUG:--all}
# Build steps run programs too: never in the user's own prefix unless asked.
export WINEPREFIX=\${WINEPREFIX:-$DIR/wineprefix}
exec wine "\$@"
EOF
chmod +x "$DIR/wine-run"
cat >"$DIR/toolchain.cmake" <<EOF
include("$DIR/mingw.cmake")
list(APPEND CMAKE_FIND_ROOT_PATH "$PREFIX")
list(APPEND CMAKE_PREFIX_PATH "$PREFIX")
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR "$DIR/wine-run")
set(TINTARO_MINGW_RUNTIME "$RUNTIME")
EOF
echo "$DIR"
