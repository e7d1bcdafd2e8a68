# Which of the third-party parts of Qt's source end up in the Qt DLLs the
# Windows downloads ship (Core, Gui, Widgets, the windows platform plugin
# and the windowsvista style), by the folder of their qt_attribution.json.
# Every entry of one file ships or doesn't, alike.
#
#   shipped_when(<folder> <feature>...)  shipped if every feature holds in the
#                                        Qt build: "png" is on, "!system_png" off
#   not_shipped(<folder> <reason>)       never in the shipped DLLs, and why
#
# notices.cmake refuses a Qt source with an attribution file in a folder
# named in neither, so a new component of a newer Qt can't slip into the
# DLLs without a notice.

shipped_when(src/3rdparty/blake2)
shipped_when(src/3rdparty/double-conversion doubleconversion !system_doubleconversion)
shipped_when(src/3rdparty/easing easingcurve)
shipped_when(src/3rdparty/freetype freetype !system_freetype)
shipped_when(src/3rdparty/harfbuzz-ng harfbuzz !system_harfbuzz)
shipped_when(src/3rdparty/icc pdf)
shipped_when(src/3rdparty/libjpeg jpeg !system_jpeg)
shipped_when(src/3rdparty/libpng png !system_png)
shipped_when(src/3rdparty/md4)
shipped_when(src/3rdparty/md4c textmarkdownreader !system_textmarkdownreader)
shipped_when(src/3rdparty/md5)
shipped_when(src/3rdparty/pcre2 regularexpression !system_pcre2)
shipped_when(src/3rdparty/rfc6234)
shipped_when(src/3rdparty/sha1)
shipped_when(src/3rdparty/sha3)
shipped_when(src/3rdparty/tinycbor cborstreamwriter)
shipped_when(src/3rdparty/VulkanMemoryAllocator vulkan)
shipped_when(src/3rdparty/zlib !system_zlib)
shipped_when(src/corelib/text)
shipped_when(src/corelib/tools)
shipped_when(src/gui/opengl opengl)
shipped_when(src/gui/painting)
shipped_when(src/gui/text pdf)
shipped_when(src/gui/vulkan vulkan)

not_shipped(src/3rdparty/android "Android only")
not_shipped(src/3rdparty/gradle "Android packaging only")
not_shipped(src/3rdparty/forkfd "Unix only")
not_shipped(src/3rdparty/pixman "ARM only")
not_shipped(src/3rdparty/wasm "WebAssembly only")
not_shipped(src/3rdparty/xcb "X11 only")
not_shipped(src/corelib/kernel "macOS only")
not_shipped(src/plugins/platforms/cocoa "macOS only")
not_shipped(src/3rdparty/libpsl "Qt Network, not shipped")
not_shipped(src/network/kernel "Qt Network, not shipped")
not_shipped(src/dbus "Qt D-Bus, not shipped")
not_shipped(src/testlib/3rdparty "Qt Test, not shipped")
