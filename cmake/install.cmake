# Installing and packaging. `cmake --install` puts the program, its desktop
# entry, its icon at the sizes desktops look for, its software-centre entry
# and its manual page into the usual places (GNUInstallDirs); `cpack -G DEB`
# makes a Debian package of the same files.

include(GNUInstallDirs)

# The icon files are drawn at build time by the program's own appIcon(),
# through a small tool that needs no screen.
set(BYTEKIJKER_ICON_SIZES 16 32 48 64 128 256)
set(BYTEKIJKER_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons)

qt_add_executable(make_icons tools/make_icons.cpp)
target_link_libraries(make_icons PRIVATE bytekijker_ui)

set(bytekijker_icon_files)
foreach(size IN LISTS BYTEKIJKER_ICON_SIZES)
    list(APPEND bytekijker_icon_files ${BYTEKIJKER_ICON_DIR}/bytekijker-${size}x${size}.png)
endforeach()
# Named by its target, so a cross build runs it through the emulator.
add_custom_command(OUTPUT ${bytekijker_icon_files}
    COMMAND make_icons ${BYTEKIJKER_ICON_DIR} ${BYTEKIJKER_ICON_SIZES}
    DEPENDS make_icons
    COMMENT "Drawing the program's icon as PNG files"
    VERBATIM)
add_custom_target(bytekijker_icons ALL DEPENDS ${bytekijker_icon_files})

# Windows takes the icon from a resource inside the executable.
if(WIN32)
    set(bytekijker_ico ${BYTEKIJKER_ICON_DIR}/bytekijker.ico)
    set(bytekijker_rc ${BYTEKIJKER_ICON_DIR}/bytekijker.rc)
    add_custom_command(OUTPUT ${bytekijker_ico}
        COMMAND make_icons --ico ${bytekijker_ico} ${BYTEKIJKER_ICON_SIZES}
        DEPENDS make_icons
        VERBATIM)
    file(WRITE ${bytekijker_rc} "IDI_ICON1 ICON \"${bytekijker_ico}\"\n")
    set_source_files_properties(${bytekijker_rc} PROPERTIES OBJECT_DEPENDS ${bytekijker_ico})
    target_sources(bytekijker PRIVATE ${bytekijker_rc} ${bytekijker_ico})
endif()

# The program links only libraries from the system's own places, so the
# installed copy needs no search path of its own.
set_target_properties(bytekijker PROPERTIES INSTALL_RPATH "")
install(TARGETS bytekijker RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES app/bytekijker.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size IN LISTS BYTEKIJKER_ICON_SIZES)
    install(FILES ${BYTEKIJKER_ICON_DIR}/bytekijker-${size}x${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME bytekijker.png)
endforeach()
install(FILES app/nl.bytekijker.bytekijker.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page and the Debian changelog go in compressed, as Debian wants
# them; -n keeps the name and time out, so the same sources give the same bytes.
if(UNIX)
    function(bytekijker_gzip source output)
        add_custom_command(OUTPUT ${output}
            COMMAND gzip -9n --stdout ${CMAKE_CURRENT_SOURCE_DIR}/${source} > ${output}
            DEPENDS ${source})
    endfunction()
    bytekijker_gzip(app/bytekijker.1 ${CMAKE_CURRENT_BINARY_DIR}/bytekijker.1.gz)
    bytekijker_gzip(cmake/debian/changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
    add_custom_target(bytekijker_docs ALL
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/bytekijker.1.gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/bytekijker.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES cmake/debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

# The Debian package (`make package`). Its library dependencies are worked
# out by dpkg-shlibdeps from the executable itself.
set(CPACK_PACKAGE_NAME bytekijker)
set(CPACK_PACKAGE_VENDOR "De makers van bytekijker")
set(CPACK_PACKAGE_CONTACT "De makers van bytekijker <bytekijker@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bestanden byte voor byte bekijken, als decimale codes en als tekst")
set(CPACK_PACKAGE_DESCRIPTION "Bytekijker toont een bestand in blokken van 250 bytes: bovenaan de decimale
code van elke byte, daaronder dezelfde bytes als tekst. Het programma leest
alleen; het schrijft nooit naar een bestand.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Liberation Sans stands in where the program's own fonts are missing;
# Symbola draws the symbols that show control bytes in the text pane.
# qt6-wayland lets it run natively on a Wayland desktop rather than through XWayland;
# qt6-translations-l10n puts the texts Qt itself supplies into Dutch.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-symbola, qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
