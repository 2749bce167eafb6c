# SPDX-License-Identifier: MIT
# Debian's hardening flags (stack protector, _FORTIFY_SOURCE, full RELRO, immediate binding) for
# builds meant for users: with TINTARO_DPKG_BUILDFLAGS on, dpkg-buildflags supplies the compile
# and link flags, as a Debian package build would. DEB_BUILD_MAINT_OPTIONS in the environment
# (the release preset sets hardening=+all) chooses which. CMake itself does not read CPPFLAGS,
# so the preprocessor flags go with the compile flags.
option(TINTARO_DPKG_BUILDFLAGS "Add the compile and link flags from dpkg-buildflags" OFF)
if(NOT TINTARO_DPKG_BUILDFLAGS)
    return()
endif()

find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
    message(FATAL_ERROR "dpkg-buildflags not found: install dpkg-dev (scripts/setup.sh does), "
                        "or configure with -DTINTARO_DPKG_BUILDFLAGS=OFF")
endif()

function(_tintaro_dpkg_flag name out)
    # Run in the source folder, so that -ffile-prefix-map strips the build machine's path.
    execute_process(COMMAND ${DPKG_BUILDFLAGS} --get ${name}
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

_tintaro_dpkg_flag(CPPFLAGS _cppflags)
_tintaro_dpkg_flag(CFLAGS _cflags)
_tintaro_dpkg_flag(CXXFLAGS _cxxflags)
_tintaro_dpkg_flag(LDFLAGS _ldflags)
# Normal variables over the cached ones: each configure starts again from the cache, so the flags
# are added once, and the build type's own flags (-O3 for Release) still come after them.
string(APPEND CMAKE_C_FLAGS " ${_cppflags} ${_cflags}")
string(APPEND CMAKE_CXX_FLAGS " ${_cppflags} ${_cxxflags}")
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${_ldflags}")
string(APPEND CMAKE_SHARED_LINKER_FLAGS " ${_ldflags}")
message(STATUS "dpkg-buildflags: ${_cppflags} ${_cxxflags} ${_ldflags}")
