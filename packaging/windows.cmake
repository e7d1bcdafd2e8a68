# The Windows program in its details, and its packages.
#
# The executable carries the icon at 16 to 256 pixels, a version resource and
# a manifest (per-monitor DPI awareness, long paths, Windows 10 and 11).
# `make package-windows` (the package_windows target) gathers the program and
# only what it loads into one folder, stripped, and makes of it
#   bytekijker-<version>-windows-x64.zip   a folder that runs from anywhere
#   bytekijker-<version>-setup.exe         an installer for the current user

set(BYTEKIJKER_ICO ${BYTEKIJKER_ICON_DIR}/bytekijker.ico)
add_custom_command(OUTPUT ${BYTEKIJKER_ICO}
    COMMAND make_icons --ico ${BYTEKIJKER_ICO} ${BYTEKIJKER_ICON_SIZES}
    DEPENDS make_icons
    VERBATIM)
set(BYTEKIJKER_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/packaging/bytekijker.manifest)
configure_file(packaging/windows/bytekijker.manifest.in ${BYTEKIJKER_MANIFEST} @ONLY)
configure_file(packaging/windows/bytekijker.rc.in ${CMAKE_CURRENT_BINARY_DIR}/packaging/bytekijker.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/packaging/bytekijker.rc
    PROPERTIES OBJECT_DEPENDS "${BYTEKIJKER_ICO};${BYTEKIJKER_MANIFEST}")
target_sources(bytekijker PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/packaging/bytekijker.rc)

# Qt's Dutch translation goes beside the program: the host Qt's own file, of
# the same version (a .qm file is the same on every platform).
find_file(BYTEKIJKER_QTBASE_NL qtbase_nl.qm PATHS /usr/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(COPY ${BYTEKIJKER_QTBASE_NL} DESTINATION ${CMAKE_BINARY_DIR}/translations)

# What the program loads, laid out as it looks for it: Qt's DLLs and the
# C++ runtime beside it, the platform and style plugins in their folders.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(gcc_dir ${libgcc} DIRECTORY)
install(TARGETS bytekijker RUNTIME DESTINATION .)
install(FILES
    ${BYTEKIJKER_WINDOWS_QT}/bin/Qt6Core.dll ${BYTEKIJKER_WINDOWS_QT}/bin/Qt6Gui.dll ${BYTEKIJKER_WINDOWS_QT}/bin/Qt6Widgets.dll
    ${gcc_dir}/libstdc++-6.dll ${gcc_dir}/libgcc_s_seh-1.dll ${CMAKE_FIND_ROOT_PATH}/lib/libwinpthread-1.dll
    DESTINATION .)
install(FILES ${BYTEKIJKER_WINDOWS_QT}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${BYTEKIJKER_WINDOWS_QT}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
install(FILES ${CMAKE_BINARY_DIR}/translations/qtbase_nl.qm DESTINATION translations)

set(name bytekijker-${PROJECT_VERSION}-windows-x64)
set(stage ${CMAKE_BINARY_DIR}/stage)
add_custom_target(package_windows
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${stage}/${name}
    COMMAND ${CMAKE_COMMAND} -DSTRIP=${CMAKE_STRIP} -DFOLDER=${stage}/${name} -P ${CMAKE_SOURCE_DIR}/packaging/windows/stage.cmake
    COMMAND ${CMAKE_COMMAND} -E chdir ${stage} ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${name}.zip --format=zip ${name}
    COMMAND makensis -V2 -INPUTCHARSET UTF8
            -DVERSION=${PROJECT_VERSION} "-DPUBLISHER=${BYTEKIJKER_PUBLISHER}" -DSTAGE=${stage}/${name}
            -DICON=${BYTEKIJKER_ICO} -DOUTFILE=${CMAKE_BINARY_DIR}/bytekijker-${PROJECT_VERSION}-setup.exe
            ${CMAKE_SOURCE_DIR}/packaging/windows/bytekijker.nsi
    DEPENDS bytekijker
    COMMENT "Packaging the Windows program: ${name}.zip and bytekijker-${PROJECT_VERSION}-setup.exe"
    VERBATIM)
