#!/usr/bin/env bash
# The full example's installer as tools nobody here wrote see it: its icon
# group and version strings (icoutils), its signature (osslsigncode), and what
# `corvelbuild verify` says about it signed, unsigned and changed after signing.
#   face_test.sh CORVELBUILD STUB EXAMPLES_FOLDER WORK_FOLDER
set -euo pipefail
builder=$1 stub=$2 examples=$3 work=$4
rm -rf "$work" && mkdir -p "$work" && cd "$work"
problems=0
fail() { echo "FAIL: $*" >&2; problems=$((problems + 1)); }

# A copy of the example that signs with a password-protected PKCS#12 file.
cp -r "$examples/full" project
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 30 -subj "/CN=Face Test" 2>/dev/null
openssl pkcs12 -export -in cert.pem -inkey key.pem -out project/sign.p12 -passout pass:face-secret
printf '\n[sign]\ncertificate = "sign.p12"\npassword-env = "FACE_TEST_PASSWORD"\ndescription = "Acme Widget"\n' \
  >> project/manifest.toml

"$builder" build project/manifest.toml -o plain.exe --stub "$stub" --quiet

# Every image of the example's icon, as the installer's icon group.
mkdir -p given built
wrestool -x -t14 plain.exe -o built/widget.ico
[ "$(icotool -l built/widget.ico)" = "$(icotool -l project/widget.ico)" ] || fail "the icon group lists other images"
icotool -x -o given project/widget.ico
icotool -x -o built built/widget.ico
for image in given/*.png; do cmp -s "$image" "built/${image#given/}" || fail "${image#given/} differs in the installer"; done

# The version strings, and the fixed numbers 2.0.3.41 and 2.0.0.0 behind the signature 0xFEEF04BD.
wrestool -x --raw -t16 plain.exe > version.bin
iconv -c -f UTF-16LE -t UTF-8 < version.bin | tr '\0' '\n' > version.txt
for text in "Acme Tools Ltd." "2.0.3.41" "2.0" "Acme Widget Setup" "Acme Widget" "© 2024 Acme Tools Ltd."; do
  grep -aqxF "$text" version.txt || fail "the version resource lacks \"$text\""
done
xxd -p version.bin | tr -d '\n' | grep -q bd04effe""00000100""00000200""29000300""00000200""00000000 ||
  fail "the fixed version numbers are not 2.0.3.41 / 2.0.0.0"

"$builder" verify plain.exe | grep -q "; not signed$" || fail "verify does not say the plain installer is unsigned"

# Signed by the builder: the tool accepts the signature (trusting the test
# certificate), and so does verify.
FACE_TEST_PASSWORD=face-secret "$builder" build project/manifest.toml -o signed.exe --stub "$stub" --quiet --sign
osslsigncode verify -CAfile cert.pem -in signed.exe > osslsigncode.txt 2>&1 || fail "osslsigncode refuses the signature"
"$builder" verify signed.exe | grep -q "signed by /CN=Face Test, the signature holds$" ||
  fail "verify does not report the signature"
# The build is refused, and nothing is left behind, without the password.
if "$builder" build project/manifest.toml -o nopass.exe --stub "$stub" --quiet --sign 2> nopass.txt; then
  fail "signed without its password"
fi
grep -q "FACE_TEST_PASSWORD" nopass.txt || fail "the missing password is not named"
[ ! -e nopass.exe ] && [ ! -e nopass.exe.unsigned ] || fail "a refused signing left a file"

# An icon that would take the stub to 64 KB is refused, with its size and the room left.
convert -size 128x128 xc: +noise Random project/big.ico
sed 's/widget\.ico/big.ico/' project/manifest.toml > project/big.toml
if "$builder" build project/big.toml -o big.exe --stub "$stub" --quiet 2> big.txt; then fail "took a 64 KB icon"; fi
grep -q "big.toml:.*product.icon: the icon '.*big.ico' takes [0-9]* bytes, but the installer's stub has room for [0-9]* bytes" \
  big.txt || fail "the refused icon's message: $(cat big.txt)"
[ ! -e big.exe ] || fail "a refused icon left an installer"

# A byte of the certificate table changed: verify says so.
cp signed.exe changed.exe
size=$(stat -c %s changed.exe)
byte=$(xxd -s $((size - 300)) -l 1 -p changed.exe)
printf "\\x$(printf %02x $((0x$byte ^ 0xFF)))" | dd of=changed.exe bs=1 seek=$((size - 300)) conv=notrunc status=none
if "$builder" verify changed.exe > changed.txt 2>&1; then fail "verify accepts a changed signature"; fi
grep -q "DOES NOT HOLD" changed.txt || fail "verify does not say that the signature no longer holds"

exit $problems
