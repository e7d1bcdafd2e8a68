# The Windows program in its details, and its packages.
#
# The executable carries the icon at 16 to 256 pixels, a version resource and
# a manifest (per-monitor DPI awareness, long paths, Windows 10 and 11).
# `make package-windows` (the package_windows target) gathers the program and
# only what it loads into one folder, stripped, with the licences of all it
# holds, and makes of it (every file dated with the commit's time)
#   bytekijker-<version>-windows-x64.zip   a folder that runs from anywhere
#   bytekijker-<version>-setup.exe         an installer for the current user

set(BYTEKIJKER_ICO ${BYTEKIJKER_ICON_DIR}/bytekijker.ico)
add_custom_command(OUTPUT ${BYTEKIJKER_ICO}
    COMMAND make_icons --ico ${BYTEKIJKER_ICO} ${BYTEKIJKER_ICON_SIZES}
    DEPENDS make_icons
    VERBATIM)
add_custom_target(bytekijker_ico DEPENDS ${BYTEKIJKER_ICO})
add_dependencies(bytekijker bytekijker_ico)
set(BYTEKIJKER_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/packaging/bytekijker.manifest)
configure_file(packaging/windows/bytekijker.manifest.in ${BYTEKIJKER_MANIFEST} @ONLY)
configure_file(packaging/windows/bytekijker.rc.in ${CMAKE_CURRENT_BINARY_DIR}/packaging/bytekijker.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/packaging/bytekijker.rc TARGET_DIRECTORY bytekijker
    PROPERTIES OBJECT_DEPENDS "${BYTEKIJKER_ICO};${BYTEKIJKER_MANIFEST}")
target_sources(bytekijker PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/packaging/bytekijker.rc)

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

# The licences: Qt's part is made from the attributions in the source of the
# Qt that is shipped (Debian's qt6-base, fetched once and cached by
# cmake/debian-source.sh), of which only the attributions and licence texts
# are unpacked.
execute_process(COMMAND ${CMAKE_SOURCE_DIR}/packaging/windows/windows-sources.sh
    OUTPUT_VARIABLE windows_sources OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" windows_sources "${windows_sources}")
set(qt_source ${windows_sources})
list(FILTER qt_source INCLUDE REGEX "^qt6-base=")
execute_process(COMMAND ${CMAKE_SOURCE_DIR}/cmake/debian-source.sh ${qt_source}
    OUTPUT_VARIABLE qt_source_package OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(GLOB qt_source_tarball ${qt_source_package}/*.orig.tar.*)
set(qt_notices_source ${CMAKE_BINARY_DIR}/qt-notices-source)
if(NOT EXISTS ${qt_notices_source}/.complete)
    file(REMOVE_RECURSE ${qt_notices_source})
    file(MAKE_DIRECTORY ${qt_notices_source})
    execute_process(COMMAND tar xf ${qt_source_tarball} --strip-components=1 --wildcards
            */qt_attribution.json *LICENSE* *LICENCE* *COPYING*
        WORKING_DIRECTORY ${qt_notices_source} COMMAND_ERROR_IS_FATAL ANY)
    file(TOUCH ${qt_notices_source}/.complete)
endif()

set(name bytekijker-${PROJECT_VERSION}-windows-x64)
set(stage ${CMAKE_BINARY_DIR}/stage)
set(BYTEKIJKER_WINDOWS_PROGRAM ${stage}/${name})
set(BYTEKIJKER_NSIS_DEFINES "-DPUBLISHER=${BYTEKIJKER_PUBLISHER}"
    -DHOMEPAGE=${BYTEKIJKER_HOMEPAGE} -DCONTACT=${BYTEKIJKER_CONTACT} -DPHONE=${BYTEKIJKER_PHONE}
    -DICON=${BYTEKIJKER_ICO})
add_custom_target(package_windows
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${stage}/${name}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${stage}/${name} -DQT_SOURCE=${qt_notices_source}
            -DQT_PREFIX=${BYTEKIJKER_WINDOWS_QT} -DVERSION=${PROJECT_VERSION} -DQT_VERSION=${Qt6_VERSION}
            "-DSOURCES=${windows_sources}" -P ${CMAKE_SOURCE_DIR}/packaging/windows/notices.cmake
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${BYTEKIJKER_EPOCH}
            ${CMAKE_COMMAND} -DSTRIP=${CMAKE_STRIP} -DFOLDER=${stage}/${name} -DZIP=${CMAKE_BINARY_DIR}/${name}.zip
            -P ${CMAKE_SOURCE_DIR}/packaging/windows/stage.cmake
    COMMAND makensis -V2 -INPUTCHARSET UTF8 ${BYTEKIJKER_NSIS_DEFINES} -DVERSION=${PROJECT_VERSION} -DSTAGE=${stage}/${name}
            -DOUTFILE=${CMAKE_BINARY_DIR}/bytekijker-${PROJECT_VERSION}-setup.exe
            ${CMAKE_SOURCE_DIR}/packaging/windows/bytekijker.nsi
    DEPENDS bytekijker
    COMMENT "Packaging the Windows program: ${name}.zip and bytekijker-${PROJECT_VERSION}-setup.exe"
    VERBATIM)
