#!/usr/bin/env bash
# Signed Windows packages: with a throwaway certificate authority and a
# code-signing certificate it issued, made here, the ZIP's programs and the
# MSI come out signed, osslsigncode accepts each with that authority, and
# refuses each once a byte of it changes; and that a rebuild given those
# signatures gives the same signed packages.
#
#   tests/package/signing_test.sh [build folder]     (default build/mingw)
#
# The certificates stay in <build>/signing-test/certs for the installer run,
# which installs a package signed with them (scripts/test.sh). Nothing here
# is kept in the sources.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/package/lib.sh
source "$here/lib.sh"

build=$(realpath "${1:-build/mingw}")
work=$build/signing-test
certs=$work/certs
rm -rf "$work"
mkdir -p "$certs" "$work/unpacked"

step "a certificate authority and a code-signing certificate"
{
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=reclaunch test authority" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign \
    -keyout "$certs/ca.key" -out "$certs/ca.pem"
  openssl req -newkey rsa:2048 -nodes -subj "/CN=reclaunch test signer" \
    -keyout "$certs/signer.key" -out "$certs/signer.csr"
  printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature \
    extendedKeyUsage=critical,codeSigning >"$certs/signer.ext"
  openssl x509 -req -days 2 -in "$certs/signer.csr" -CA "$certs/ca.pem" -CAkey "$certs/ca.key" \
    -CAcreateserial -extfile "$certs/signer.ext" -out "$certs/signer.pem"
  openssl pkcs12 -export -in "$certs/signer.pem" -inkey "$certs/signer.key" \
    -passout pass:'throwaway pass' -out "$certs/signer.p12"
} >"$work/openssl.log" 2>&1 || fail "openssl failed, see $work/openssl.log"

step "signed packages (from a PKCS#12 file with a password)"
RECLAUNCH_SIGN_PKCS12=$certs/signer.p12 RECLAUNCH_SIGN_PASSWORD='throwaway pass' \
  cpack -G "ZIP;External" --config "$build/CPackConfig.cmake" -B "$work/packages" \
  >"$work/cpack.log" 2>&1 || fail "cpack failed, see $work/cpack.log"
(cd "$work/unpacked" && unzip -q "$work"/packages/*.zip)
[[ -z $(find "$work/packages" -name '*.password') ]] || fail "a password file was left behind"

verify() { osslsigncode verify -CAfile "$certs/ca.pem" -in "$1" >"$work/verify.log" 2>&1; }
# Flips one byte in a copy of <file> at <offset>; the copy's path is printed.
changed_copy() {
  local copy byte
  copy=$work/changed-$(basename "$1")
  cp "$1" "$copy"
  byte=$(od -An -tu1 -j "$2" -N1 "$copy" | tr -d ' ')
  printf '%b' "$(printf '\\0%03o' $((byte ^ 1)))" | dd of="$copy" bs=1 seek="$2" conv=notrunc status=none
  ! cmp -s "$1" "$copy" || fail "no byte of $copy changed"
  echo "$copy"
}

step "every program and the MSI verify; each fails with one byte changed"
mapfile -t signed < <(find "$work/unpacked" -name '*.exe' | sort)
((${#signed[@]} >= 2)) || fail "the ZIP holds ${#signed[@]} programs"
msi=$(echo "$work"/packages/*.msi)
for file in "${signed[@]}" "$msi"; do
  verify "$file" || fail "$(basename "$file") does not verify: $(cat "$work/verify.log")"
  if [[ $file == *.msi ]]; then
    # A byte of the embedded cabinet, which the signature covers (a byte of
    # the compound file's free space would not be).
    offset=$(($(grep -abo MSCF "$file" | head -1 | cut -d: -f1) + 200))
  else
    offset=$(($(stat -c %s "$file") / 2))
  fi
  ! verify "$(changed_copy "$file" "$offset")" || fail "$(basename "$file") verifies with a byte changed"
done
step "a rebuild that takes the release's signatures is the release"
mkdir -p "$work/released"
cp "${signed[@]}" "$msi" "$work/released/"
RECLAUNCH_SIGNATURES_FROM=$work/released RECLAUNCH_SIGNATURES_CA=$certs/ca.pem \
  cpack -G "ZIP;External" --config "$build/CPackConfig.cmake" -B "$work/rebuilt" \
  >>"$work/cpack.log" 2>&1 || fail "cpack failed, see $work/cpack.log"
for package in "$work"/packages/*.{zip,msi}; do
  cmp "$package" "$work/rebuilt/$(basename "$package")" || fail "the rebuilt $(basename "$package") differs"
done
echo "signing_test: passed (${#signed[@]} programs and the MSI)"
