# SPDX-License-Identifier: MIT
# The Windows program: a window (not console) program with its icon and version resource.
# The icon is put together from the rendered PNGs, so it always matches them.
find_program(TINTARO_MAGICK convert PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
set(_pngs)
foreach(size IN ITEMS 16 32 48 256)
    list(APPEND _pngs ${PROJECT_SOURCE_DIR}/resources/icons/png/tintaro-${size}.png)
endforeach()
set(TINTARO_ICO ${CMAKE_BINARY_DIR}/tintaro.ico)
add_custom_command(OUTPUT ${TINTARO_ICO}
                   COMMAND ${TINTARO_MAGICK} ${_pngs} ${TINTARO_ICO}
                   DEPENDS ${_pngs} VERBATIM)
add_custom_target(tintaro_icon DEPENDS ${TINTARO_ICO})
add_dependencies(tintaro tintaro_icon)
configure_file(${PROJECT_SOURCE_DIR}/resources/windows/tintaro.rc.in
               ${CMAKE_BINARY_DIR}/tintaro.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/tintaro.rc PROPERTIES OBJECT_DEPENDS ${TINTARO_ICO})
target_sources(tintaro PRIVATE ${CMAKE_BINARY_DIR}/tintaro.rc)
set_target_properties(tintaro PROPERTIES WIN32_EXECUTABLE ON)
