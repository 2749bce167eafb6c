# The Debian package: `cpack -G DEB` in a configured build folder. Dependencies are computed by
# dpkg-shlibdeps from the installed binary, so they follow whatever Qt and GLib the build used.
set(CPACK_PACKAGE_NAME tintaro)
set(CPACK_PACKAGE_VENDOR "Tintaro developers")
set(CPACK_PACKAGE_CONTACT "Tintaro developers <dev@tintaro.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Tintaro finds the Messenger accounts in a Wine prefix, lets the user pick a colour in a\n"
    "gradient editor and stores it as the colour in which the account writes its instant\n"
    "messages.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tintaro.invalid/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tintaro developers <dev@tintaro.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program works on a Wine prefix but does not need Wine to run: suggest it only.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
# The windows ask for Liberation Sans, Arial's metric-compatible stand-in. Their layouts are fixed
# in pixels, so with any other face texts are cut: a dependency, not a wish.
# The computed library dependencies are added to this list.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation | fonts-liberation2")

include(CPack)
