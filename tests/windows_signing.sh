#!/usr/bin/env bash
# A release given a code-signing certificate, with a throwaway self-signed one
# made here:
#   windows_signing.sh <program folder> <version> <nsi> <makensis defines...>
# From the (unsigned) program folder and the .nsi it makes the signed
# program and installer, as package_windows does with BYTEKIJKER_SIGN set.
#  - the program, the installer and the uninstaller the installer writes carry
#    signatures that osslsigncode verifies against the certificate
#  - removing the program's and the uninstaller's signatures gives back the
#    bytes of the unsigned downloads
#  - made twice, the signed installer is the same, byte for byte
set -u
program=$1 version=$2 nsi=$3
shift 3
wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64 work=$(mktemp -d)
trap '$wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEPATH BYTEKIJKER_SIGN_PASSWORD
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
verify() { osslsigncode verify -CAfile "$work/certificate.pem" -in "$1" >"$work/verify.log" 2>&1 ||
               fail "$2 is not signed by the certificate: $(grep -iE 'fail|error|mismatch' "$work/verify.log" | head -n 3)"; }
installer() {   # <staged folder> <out> <makensis defines...>
    local stage=$1 out=$2
    shift 2
    makensis -V1 -INPUTCHARSET UTF8 "$@" -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$out" "$nsi"
}

openssl req -x509 -newkey rsa:2048 -nodes -subj "/CN=bytekijker test" -days 2 \
    -keyout "$work/key.pem" -out "$work/certificate.pem" 2>/dev/null &&
    openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" -passout pass: \
        -out "$work/certificate.p12" || { echo "FAIL: could not make a certificate" >&2; exit 1; }
export SOURCE_DATE_EPOCH=$(stat -c %Y "$program/bytekijker.exe")

# The unsigned downloads, then the signed ones, from copies of the folder.
mkdir "$work/unsigned" "$work/signed"
cp -r "$program" "$work/unsigned/" && cp -r "$program" "$work/signed/"
name=$(basename "$program")
cmake -DFOLDER="$work/unsigned/$name" -P "$(dirname "$nsi")/stage.cmake" &&
    installer "$work/unsigned/$name" "$work/unsigned-setup.exe" "$@" || fail "the unsigned installer was not made"
export BYTEKIJKER_SIGN=$work/certificate.p12
cmake -DFOLDER="$work/signed/$name" -P "$(dirname "$nsi")/stage.cmake" &&
    installer "$work/signed/$name" "$work/signed-setup.exe" "$@" &&
    installer "$work/signed/$name" "$work/again-setup.exe" "$@" || fail "the signed installer was not made"
unset BYTEKIJKER_SIGN

verify "$work/signed/$name/bytekijker.exe" "the program"
verify "$work/signed-setup.exe" "the installer"
cmp -s "$work/signed-setup.exe" "$work/again-setup.exe" || fail "two signed installers of one folder differ"
osslsigncode remove-signature -in "$work/signed/$name/bytekijker.exe" -out "$work/program-unsigned.exe" >/dev/null
cmp "$work/program-unsigned.exe" "$program/bytekijker.exe" ||
    fail "the program without its signature is not the unsigned program"

# The uninstallers, as each installer writes them.
"$wine" wineboot -i >/dev/null 2>&1
for kind in unsigned signed; do
    "$wine" "$work/$kind-setup.exe" /S "/D=C:\\$kind" && $wineserver -w || fail "the $kind installer failed"
    cp "$WINEPREFIX/drive_c/$kind/uninstall.exe" "$work/$kind-uninstall.exe" || fail "the $kind installer wrote no uninstaller"
done
verify "$work/signed-uninstall.exe" "the uninstaller"
osslsigncode remove-signature -in "$work/signed-uninstall.exe" -out "$work/uninstall-unsigned.exe" >/dev/null
cmp "$work/uninstall-unsigned.exe" "$work/unsigned-uninstall.exe" ||
    fail "the uninstaller without its signature is not the unsigned uninstaller"
[ "$failures" -eq 0 ]
