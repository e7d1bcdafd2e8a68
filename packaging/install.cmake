# Installing and packaging, from the version and publisher set once in the
# top CMakeLists. On Linux `cmake --install` puts the program, its desktop
# entry, its icon at the sizes desktops look for, its software-centre entry
# and its manual page into the usual places (GNUInstallDirs), and
# `cpack -G DEB` makes a Debian package of the same files. The Windows build
# is packaged by windows.cmake.

include(GNUInstallDirs)

# The time every package gives its files, so that two builds of one commit
# give the same bytes: SOURCE_DATE_EPOCH when set, else the commit's time,
# else (a source tarball) the release date.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(BYTEKIJKER_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct
        OUTPUT_VARIABLE BYTEKIJKER_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT BYTEKIJKER_EPOCH MATCHES "^[0-9]+$")
        execute_process(COMMAND date -u -d "${BYTEKIJKER_RELEASE_DATE}" +%s
            OUTPUT_VARIABLE BYTEKIJKER_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    endif()
endif()

# The icon files are drawn at build time by the program's own appIcon(),
# through a small tool that needs no screen. Named by its target, so that a
# cross build runs it through the emulator.
set(BYTEKIJKER_ICON_SIZES 16 32 48 64 128 256)
set(BYTEKIJKER_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons)

qt_add_executable(make_icons packaging/make_icons.cpp)
target_link_libraries(make_icons PRIVATE bytekijker_ui)

set(bytekijker_icon_files)
foreach(size IN LISTS BYTEKIJKER_ICON_SIZES)
    list(APPEND bytekijker_icon_files ${BYTEKIJKER_ICON_DIR}/bytekijker-${size}x${size}.png)
endforeach()
add_custom_command(OUTPUT ${bytekijker_icon_files}
    COMMAND make_icons ${BYTEKIJKER_ICON_DIR} ${BYTEKIJKER_ICON_SIZES}
    DEPENDS make_icons
    COMMENT "Drawing the program's icon as PNG files"
    VERBATIM)
add_custom_target(bytekijker_icons ALL DEPENDS ${bytekijker_icon_files})

if(WIN32)
    include(packaging/windows.cmake)
    return()
endif()

# The Debian package is built in a system of the release it is for, whose
# libraries it then depends on, and says which release in its version:
# 0.1+deb12 for Debian 12, 0.1+deb13 for Debian 13, so that the later
# release's package is also the later version. Elsewhere it has the plain version.
cmake_host_system_information(RESULT os_id QUERY DISTRIB_ID)
cmake_host_system_information(RESULT os_version QUERY DISTRIB_VERSION_ID)
set(BYTEKIJKER_DEB_VERSION ${PROJECT_VERSION})
if(os_id STREQUAL "debian" AND os_version MATCHES "^[0-9]+$")
    string(APPEND BYTEKIJKER_DEB_VERSION "+deb${os_version}")
endif()

# The files that carry the version or the publisher are made from templates.
foreach(file bytekijker.1 nl.bytekijker.bytekijker.metainfo.xml copyright changelog)
    configure_file(packaging/linux/${file}.in ${CMAKE_CURRENT_BINARY_DIR}/packaging/${file} @ONLY)
endforeach()
set(generated ${CMAKE_CURRENT_BINARY_DIR}/packaging)

# The program links only libraries from the system's own places, so the
# installed copy needs no search path of its own.
set_target_properties(bytekijker PROPERTIES INSTALL_RPATH "")
install(TARGETS bytekijker RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/linux/bytekijker.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size IN LISTS BYTEKIJKER_ICON_SIZES)
    install(FILES ${BYTEKIJKER_ICON_DIR}/bytekijker-${size}x${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME bytekijker.png)
endforeach()
install(FILES ${generated}/nl.bytekijker.bytekijker.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page and the Debian changelog go in compressed, as Debian wants
# them; -n keeps the name and time out, so the same sources give the same bytes.
foreach(file bytekijker.1 changelog)
    add_custom_command(OUTPUT ${generated}/${file}.gz
        COMMAND gzip -9n --stdout ${generated}/${file} > ${generated}/${file}.gz
        DEPENDS ${generated}/${file})
endforeach()
add_custom_target(bytekijker_docs ALL DEPENDS ${generated}/bytekijker.1.gz ${generated}/changelog.gz)
install(FILES ${generated}/bytekijker.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${generated}/copyright ${generated}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package (`make package`). Its library dependencies are worked
# out by dpkg-shlibdeps from the executable itself.
set(CPACK_PACKAGE_NAME bytekijker)
set(CPACK_DEBIAN_PACKAGE_VERSION ${BYTEKIJKER_DEB_VERSION})
set(CPACK_PACKAGE_VENDOR "${BYTEKIJKER_PUBLISHER}")
set(CPACK_PACKAGE_CONTACT "${BYTEKIJKER_PUBLISHER} <${BYTEKIJKER_CONTACT}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bestanden byte voor byte bekijken, als decimale codes en als tekst")
set(CPACK_PACKAGE_DESCRIPTION "Bytekijker toont een bestand in blokken van 250 bytes: bovenaan de decimale
code van elke byte, daaronder dezelfde bytes als tekst. Het programma leest
alleen; het schrijft nooit naar een bestand.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${BYTEKIJKER_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Liberation Sans stands in where the program's own fonts are missing;
# Symbola draws the symbols that show control bytes in the text pane.
# qt6-wayland lets it run natively on a Wayland desktop rather than through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-symbola, qt6-wayland")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
