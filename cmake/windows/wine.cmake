# The Windows build made on Linux runs its own programs under wine: the icon
# tool at build time, the tests in CTest. Both find them through CMake's
# emulator, which cmake/windows/with-wine.sh is, told the build and Qt folders.
if(NOT IS_DIRECTORY "${BYTEKIJKER_WINDOWS_QT}")
    message(FATAL_ERROR "Set BYTEKIJKER_WINDOWS_QT to the folder cmake/windows/qt-windows.sh prints")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR
    env BYTEKIJKER_WINDOWS_BUILD=${CMAKE_BINARY_DIR} BYTEKIJKER_WINDOWS_QT=${BYTEKIJKER_WINDOWS_QT}
    ${CMAKE_SOURCE_DIR}/cmake/windows/with-wine.sh)
