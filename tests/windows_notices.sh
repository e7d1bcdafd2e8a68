#!/usr/bin/env bash
# The licences in the Windows program folder, checked against the binaries
# themselves rather than against the list they were made from:
#   windows_notices.sh <program folder> <Qt for Windows> <the program before stripping>
#  - the program's licence and the notices are there, and every licence text
#    the notices refer to is in the folder
#  - every DLL in the folder is named in the notices
#  - every third-party library whose traces are in the shipped binaries
#    (Qt's DLLs and the program, before stripping, and all of the folder's)
#    has an entry
# A binary of the folder that can't be found before stripping fails, so that
# no check passes for want of something to look at.
set -u
folder=$1 qt=$2 program=$3
notices=$folder/THIRD-PARTY-NOTICES.txt
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

[ -s "$folder/LICENSE.txt" ] && grep -q "MIT License" "$folder/LICENSE.txt" || fail "no LICENSE.txt with the program's licence"
[ -s "$notices" ] || { fail "no THIRD-PARTY-NOTICES.txt"; exit 1; }
for text in $(grep -o 'licenses\\[^ ,)]*' "$notices" | sort -u); do
    [ -s "$folder/${text//\\//}" ] || fail "the notices refer to $text, which is not in the folder"
done
for part in $(cd "$folder" && find . -name '*.dll'); do
    grep -qF "$(basename "$part")" "$notices" || fail "$part is not named in the notices"
done

# A trace in the binaries (a string or a symbol) and the entry it needs.
shipped=("$program")
for dll in $(cd "$folder" && find . -name 'Qt6*.dll' -o -name 'q*.dll'); do
    found=$(find "$qt/bin" "$qt/plugins" -name "$(basename "$dll")" | head -n 1)
    if [ -n "$found" ]; then
        shipped+=("$found")
    else
        fail "$dll is not in Qt for Windows at $qt"
    fi
done
[ ${#shipped[@]} -ge 6 ] || fail "found ${#shipped[@]} binaries before stripping, not the program and Qt's five"
mapfile -t stripped < <(find "$folder" -name '*.exe' -o -name '*.dll')
[ ${#stripped[@]} -ge 9 ] || fail "the folder holds ${#stripped[@]} binaries, not the program, Qt's five and the runtime's three"
traces=$(strings -n 5 "${shipped[@]}" "${stripped[@]}")
[ -n "$traces" ] || fail "no traces read from the binaries"
while IFS='|' read -r trace entry; do
    if grep -Eq "$trace" <<<"$traces" && ! grep -qF "$entry" "$notices"; then
        fail "the shipped binaries hold $entry (found '$trace'), which has no entry in the notices"
    fi
done <<'EOF'
inflate 1\.[0-9.]+ Copyright|Data Compression Library (zlib)
libpng version|LibPNG
pcre2_compile|PCRE2 10
sljit_|Stack-less Just-In-Time Compiler
FT_Init_FreeType|Freetype 2
hb_buffer_create|HarfBuzz
md_parse|MD4C
double_conversion|Decimal-Binary Conversion
cbor_encode_tag|TinyCBOR
Keccak|Keccak
blake2b_init|BLAKE2
SHA384Reset|SHA-384 and SHA-512
easeOutBounce|Easing Equations
siphash|SipHash
qt_ft_grays|Anti-aliasing rasterizer from FreeType
IEC 61966-2-1|sRGB color profile
qSmoothScaleImage|Smooth Scaling Algorithm
md4_context|MD4
MD5Transform|MD5
Sha1Chunk|SHA-1
unicode_to_agl_map|Adobe Glyph List
QUnicodeTables|Unicode Character Database
locale_data|Unicode Common Locale Data Repository
jpeg_read_header|LibJPEG
VmaAllocator|Vulkan Memory Allocator
\.qtmimedatabase|Shared MIME-info Database
Mingw-w64 runtime failure|De C-runtime van MinGW-w64
__gdtoa|gdtoa
EOF
[ "$failures" -eq 0 ]
