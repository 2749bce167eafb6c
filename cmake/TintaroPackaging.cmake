# SPDX-License-Identifier: MIT
# The Debian package: `cpack -G DEB` in a configured build folder (scripts/make-deb.sh). The
# dependencies are computed by dpkg-shlibdeps from the installed binary, so they follow whatever
# Qt and GLib the build used. The release preset gives the binary Debian's hardening flags; the
# package carries it stripped, with its copyright file and changelog (see resources/).
set(CPACK_PACKAGE_NAME tintaro)
set(CPACK_PACKAGE_VENDOR "The Tintaro developers")
set(CPACK_PACKAGE_CONTACT "The Tintaro developers <dev@tintaro.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian shows the description in 80 columns: one list item per line.
set(CPACK_PACKAGE_DESCRIPTION
    "Tintaro finds the Messenger accounts in a Wine prefix, lets the user pick\n"
    "a colour in a gradient editor and stores it as the colour in which the\n"
    "account writes its instant messages.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/tintaro/tintaro")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Tintaro developers <dev@tintaro.invalid>")
# The first packaging of this upstream version; resources/debian/changelog names the same.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The program works on a Wine prefix but does not need Wine to run: suggest it only.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
# The windows ask for Liberation Sans, Arial's metric-compatible stand-in. Their layouts are fixed
# in pixels, so with any other face texts are cut: a dependency, not a wish.
# The computed library dependencies are added to this list.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation | fonts-liberation2")

include(CPack)
