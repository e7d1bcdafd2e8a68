#!/usr/bin/env bash
# Signs a Windows executable in place with Authenticode when the release is
# given a code-signing certificate:
#   BYTEKIJKER_SIGN=<certificate.p12> sign.sh <file.exe>
# The PKCS#12 file holds the certificate, its chain and the private key; its
# password, if it has one, comes from the file BYTEKIJKER_SIGN_PASSWORD names.
#
# Signed or not, the file is first laid out as a signature expects it: its
# length a multiple of eight bytes and the checksum in its header made for
# that length (as osslsigncode does when it signs). So removing the signature
# (osslsigncode remove-signature) gives back the bytes of the unsigned file.
# The signature is dated SOURCE_DATE_EPOCH (the commit's time) and has no
# countersignature from a time-stamp server: one commit signed with one
# certificate gives the same bytes every time.
set -euo pipefail
file=$1

# The PE checksum: the file's 16-bit words summed with their carries folded
# back in, its own four bytes counted as zero, plus the file's length.
perl -e '
    my $file = shift;
    open(my $f, "+<:raw", $file) or die "sign.sh: $file: $!\n";
    my $bytes = do { local $/; <$f> };
    $bytes .= "\0" x (-length($bytes) % 8);
    my $at = unpack("V", substr($bytes, 0x3c, 4)) + 0x58;
    substr($bytes, $at, 4) = "\0" x 4;
    my $sum = 0;
    for my $word (unpack("v*", $bytes)) {
        $sum += $word;
        $sum = ($sum & 0xffff) + ($sum >> 16);
    }
    substr($bytes, $at, 4) = pack("V", $sum + length($bytes));
    seek($f, 0, 0);
    print $f $bytes;
    close($f) or die "sign.sh: $file: $!\n";
' "$file"

[ -n "${BYTEKIJKER_SIGN:-}" ] || exit 0
[ -f "$BYTEKIJKER_SIGN" ] || { echo "sign.sh: no certificate at $BYTEKIJKER_SIGN" >&2; exit 1; }
password=()
[ -z "${BYTEKIJKER_SIGN_PASSWORD:-}" ] || password=(-readpass "$BYTEKIJKER_SIGN_PASSWORD")
osslsigncode sign -pkcs12 "$BYTEKIJKER_SIGN" "${password[@]}" -h sha256 -n bytekijker \
    ${SOURCE_DATE_EPOCH:+-time "$SOURCE_DATE_EPOCH"} -in "$file" -out "$file.signed" >&2
mv -f "$file.signed" "$file"
