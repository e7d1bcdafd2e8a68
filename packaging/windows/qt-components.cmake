# Which of the third-party parts of Qt's source end up in the Qt DLLs the
# Windows downloads ship (Core, Gui, Widgets, the windows platform plugin
# and the windowsvista style), by the id of their qt_attribution.json entry.
#
#   shipped_when(<id> <feature>...)  shipped if every feature holds in the Qt
#                                    build: "png" is on, "!system_png" is off
#   not_shipped(<id> <reason>)       never in the shipped DLLs, and why
#
# notices.cmake refuses a Qt source with an entry named in neither, so a new
# component of a newer Qt can't slip into the DLLs without a notice.

shipped_when(blake2)
shipped_when(doubleconversion doubleconversion !system_doubleconversion)
shipped_when(easing easingcurve)
shipped_when(freetype freetype !system_freetype)
shipped_when(freetype-zlib freetype !system_freetype)
shipped_when(freetype-bdf freetype !system_freetype)
shipped_when(freetype-pcf freetype !system_freetype)
shipped_when(harfbuzz-ng harfbuzz !system_harfbuzz)
shipped_when(icc-sRGB-color-profile pdf)
shipped_when(libpng png !system_png)
shipped_when(md4)
shipped_when(md4c textmarkdownreader !system_textmarkdownreader)
shipped_when(md5)
shipped_when(pcre2 regularexpression !system_pcre2)
shipped_when(pcre2-sljit regularexpression !system_pcre2)
shipped_when(rfc6234)
shipped_when(sha1)
shipped_when(sha3_endian)
shipped_when(sha3_keccak)
shipped_when(tinycbor cborstreamwriter)
shipped_when(zlib !system_zlib)
shipped_when(unicode-character-database)
shipped_when(unicode-cldr)
shipped_when(siphash)
shipped_when(grayraster)
shipped_when(smooth-scaling-algorithm)
shipped_when(xserverhelper)
shipped_when(aglfn pdf)
shipped_when(opengl-headers opengl)
shipped_when(opengl-es2-headers opengl)
shipped_when(vulkan-xml-spec vulkan)
shipped_when(VulkanMemoryAllocator vulkan)
shipped_when(libjpeg jpeg !system_jpeg)

not_shipped(android-native-style "Android only")
not_shipped(android-gradle-wrapper "Android packaging only")
not_shipped(forkfd "Unix only")
not_shipped(pixman "ARM only")
not_shipped(vera_font "WebAssembly only")
not_shipped(dejayvu "WebAssembly only")
not_shipped(xcb-xinput "X11 only")
not_shipped(qeventdispatcher_cf "macOS only")
not_shipped(cocoa-platform-plugin "macOS only")
not_shipped(libpsl "Qt Network, not shipped")
not_shipped(psl "Qt Network, not shipped")
not_shipped(libdbus-1-headers "Qt D-Bus, not shipped")
not_shipped(valgrind "Qt Test, not shipped")
not_shipped(cycle "Qt Test, not shipped")
not_shipped(linuxperf "Qt Test, not shipped")
