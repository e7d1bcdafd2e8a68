#!/usr/bin/env bash
# Signs a Windows executable in place with Authenticode, when the release is
# given a code-signing certificate, and does nothing otherwise:
#   BYTEKIJKER_SIGN=<certificate.p12> sign.sh <file.exe>
# The PKCS#12 file holds the certificate, its chain and the private key; its
# password, if it has one, comes from the file BYTEKIJKER_SIGN_PASSWORD names.
# The signature is dated SOURCE_DATE_EPOCH (the commit's time) and has no
# countersignature from a time-stamp server, so that one commit signed with one
# certificate gives the same bytes every time; removing the signature
# (osslsigncode remove-signature) gives back the unsigned bytes.
set -euo pipefail
file=$1
[ -n "${BYTEKIJKER_SIGN:-}" ] || exit 0
[ -f "$BYTEKIJKER_SIGN" ] || { echo "sign.sh: no certificate at $BYTEKIJKER_SIGN" >&2; exit 1; }
password=()
[ -z "${BYTEKIJKER_SIGN_PASSWORD:-}" ] || password=(-readpass "$BYTEKIJKER_SIGN_PASSWORD")
osslsigncode sign -pkcs12 "$BYTEKIJKER_SIGN" "${password[@]}" -h sha256 -n bytekijker \
    ${SOURCE_DATE_EPOCH:+-time "$SOURCE_DATE_EPOCH"} -in "$file" -out "$file.signed" >&2
mv -f "$file.signed" "$file"
