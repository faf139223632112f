#!/usr/bin/env bash
# Signing end to end, with a throwaway self-signed certificate made here: every program of a
# signed release verifies and the release's sums are those of the signed programs; a program
# changed after signing no longer verifies; the password never reaches a command line; each
# way that signing cannot work fails with its reason and leaves the program as it was.
# Usage: tests/signing/sign_release_test.sh   (run by scripts/test; builds the release)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAILED: $*" >&2; }

# The certificates: a good one, one without its private key, one that expired yesterday.
password='throwaway pass 1'
export AUTORUN_MENU_SIGN_PASSWORD=$password
(
  cd "$work"
  openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 \
    -subj '/CN=Throwaway test publisher' -addext extendedKeyUsage=codeSigning
  openssl pkcs12 -export -in cert.pem -inkey key.pem -out good.pfx -passout env:AUTORUN_MENU_SIGN_PASSWORD
  openssl pkcs12 -export -in cert.pem -inkey key.pem -out no-password.pfx -passout pass:
  openssl pkcs12 -export -nokeys -in cert.pem -out no-key.pfx -passout env:AUTORUN_MENU_SIGN_PASSWORD
  openssl req -new -newkey rsa:2048 -nodes -keyout old-key.pem -out old.csr -subj '/CN=Expired publisher'
  openssl x509 -req -in old.csr -signkey old-key.pem -days -1 -out old.pem
  openssl pkcs12 -export -in old.pem -inkey old-key.pem -out expired.pfx -passout env:AUTORUN_MENU_SIGN_PASSWORD
  printf '%s\n' "$password" >password.txt
) >/dev/null 2>&1

# The tools as seen by the scripts: the real ones, each command line written down first.
mkdir "$work/bin"
for tool in osslsigncode openssl; do
  printf '#!/bin/sh\necho "$*" >>"%s/command-lines"\nexec %s "$@"\n' "$work" "$(command -v $tool)" >"$work/bin/$tool"
  chmod +x "$work/bin/$tool"
done
verifies() { osslsigncode verify -in "$1" -CAfile "$work/cert.pem" >"$work/verify.log" 2>&1; }

# A signed release.
mapfile -t programs < <(grep -v -e '^#' -e '^[[:space:]]*$' scripts/shipped-programs.txt)
if zip=$(PATH="$work/bin:$PATH" scripts/release --out "$work/release" --sign "$work/good.pfx" | tail -1); then
  pass
  name=$(basename "$zip" .zip)
  unzip -q "$zip" -d "$work/unpacked"
  release=$work/unpacked/$name
  signed=(sample/autorun-menu.exe)
  for program in "${programs[@]}"; do signed+=("x86/$program.exe" "x64/$program.exe"); done
  for program in "${signed[@]}"; do
    if verifies "$release/$program" && grep -q 'Throwaway test publisher' "$work/verify.log"; then pass
    else fail "$program of the signed release does not verify"; cat "$work/verify.log" >&2; fi
  done
  (cd "$release" && sha256sum --quiet -c SHA256SUMS) && pass || fail "SHA256SUMS do not match the signed release"
  (cd "$work/release" && sha256sum --quiet -c "$name.zip.sha256") && pass || fail "the ZIP's sum does not match"

  # One byte changed after signing: the signature no longer holds.
  cp "$release/x86/autorun-menu.exe" "$work/changed.exe"
  printf 'X' | dd of="$work/changed.exe" bs=1 seek=4096 conv=notrunc 2>/dev/null
  if verifies "$work/changed.exe"; then fail "a program changed after signing still verifies"; else pass; fi
else
  fail "scripts/release --sign failed"
fi
if grep -qF "$password" "$work/command-lines"; then fail "the password was on a command line"; else pass; fi

# Ways signing cannot work: what is set up | certificate | file | what the message must say.
# Each fails, says why, and leaves the file untouched. The last two rows sign: with the
# password file, and with a certificate that has no password.
cp build/x86/autorun-menu.exe "$work/menu.exe"
cp build/x86/autorun-menu.exe "$work/menu-2.exe"
cp sample/autorun.inf "$work/autorun.inf"
cases=(
  "password=wrong|good.pfx|menu.exe|wrong password"
  "password unset|good.pfx|menu.exe|no password"
  "password=$password|no-key.pfx|menu.exe|holds no private key"
  "password=$password|expired.pfx|menu.exe|expired on"
  "password=$password|good.pfx|autorun.inf|is not a Windows program"
  "password file|good.pfx|menu.exe|signed and verified"
  "password=|no-password.pfx|menu-2.exe|signed and verified"
)
for row in "${cases[@]}"; do
  IFS='|' read -r setup cert file expected <<<"$row"
  before=$(sha256sum <"$work/$file")
  args=("$work/$cert")
  case $setup in
    password=*) env=(AUTORUN_MENU_SIGN_PASSWORD="${setup#password=}") ;;
    "password file") env=(-u AUTORUN_MENU_SIGN_PASSWORD); args+=(--password-file "$work/password.txt") ;;
    *) env=(-u AUTORUN_MENU_SIGN_PASSWORD) ;;
  esac
  status=0
  output=$(env "${env[@]}" scripts/sign "${args[@]}" "$work/$file" 2>&1) || status=$?
  if ! grep -q "$expected" <<<"$output"; then
    fail "$setup, $cert, $file: expected \"$expected\", got: $output"
  elif [ "$expected" = "signed and verified" ]; then
    [ $status = 0 ] && verifies "$work/$file" && pass || fail "$setup: signed, yet it does not verify"
  elif [ $status = 0 ] || [ "$(sha256sum <"$work/$file")" != "$before" ]; then
    fail "$setup, $cert, $file: succeeded or changed the file"
  else
    pass
  fi
done

echo "signing: $passed passed, $failed failed"
[ $failed = 0 ]
