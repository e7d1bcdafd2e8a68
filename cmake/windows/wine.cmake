# The Windows build made on Linux runs its own programs under wine: the icon
# tool at build time, the tests in CTest. Both find them through CMake's
# emulator, which tools/with-wine.sh is, told the build and Qt folders.
get_filename_component(BYTEKIJKER_WINDOWS_QT "${Qt6_DIR}/../../.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR
    env BYTEKIJKER_WINDOWS_BUILD=${CMAKE_BINARY_DIR} BYTEKIJKER_WINDOWS_QT=${BYTEKIJKER_WINDOWS_QT}
    ${CMAKE_SOURCE_DIR}/tools/with-wine.sh)
