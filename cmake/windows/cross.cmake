# The program's cross build for 64-bit Windows (the "windows" preset): the
# MinGW-w64 toolchain that Qt for Windows is built with, that Qt, and the
# host's Qt for the build tools (moc, rcc).
#   cmake --preset windows -DBYTEKIJKER_WINDOWS_QT=$(cmake/windows/qt-windows.sh)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

set(BYTEKIJKER_WINDOWS_QT "" CACHE PATH "Qt for Windows: the folder cmake/windows/qt-windows.sh prints")
list(APPEND CMAKE_PREFIX_PATH ${BYTEKIJKER_WINDOWS_QT})

execute_process(COMMAND dpkg-architecture -qDEB_HOST_MULTIARCH
    OUTPUT_VARIABLE host_multiarch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${host_multiarch}/cmake)
