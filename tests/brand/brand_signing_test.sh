#!/usr/bin/env bash
# The brand tool signing under Wine, checked by osslsigncode: a branded menu signed with a
# throwaway certificate and time-stamped by a local RFC 3161 server verifies; a chain
# through an intermediate verifies against its root; signing again replaces the signature;
# signing twice gives the same bytes; each certificate, file and server that cannot serve
# gets its message, a failing exit code, and leaves the file as it was. Leaves a signed,
# branded menu with its autorun.inf in OUT/medium for the test that starts it, and
# osslsigncode's report of it in OUT/verify.txt.
# Usage: brand_signing_test.sh BRAND.exe MENU.exe OUT   (run by CTest under scripts/with-wine)
set -euo pipefail
brand=$(realpath "$1")
menu=$(realpath "$2")
out=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$out"
mkdir -p "$out/medium"
out=$(realpath "$out")
work=$(mktemp -d)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAILED: $*" >&2; }
cd "$work"

# The certificates: a publisher, one without a key, an expired one, one for web servers
# only, one without a password, a publisher under an intermediate under a root, and a
# time-stamp authority.
password='throwaway pass 1'
export P=$password
{
  openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 \
    -subj '/CN=Throwaway test publisher' -addext extendedKeyUsage=codeSigning
  openssl pkcs12 -export -in cert.pem -inkey key.pem -out good.pfx -passout env:P
  openssl pkcs12 -export -in cert.pem -inkey key.pem -out no-password.pfx -passout pass:
  openssl pkcs12 -export -nokeys -in cert.pem -out no-key.pfx -passout env:P
  openssl req -new -newkey rsa:2048 -nodes -keyout old-key.pem -out old.csr -subj '/CN=Expired publisher'
  printf 'extendedKeyUsage=codeSigning\n' >signing.ext
  openssl x509 -req -in old.csr -signkey old-key.pem -days -1 -extfile signing.ext -out old.pem
  openssl pkcs12 -export -in old.pem -inkey old-key.pem -out expired.pfx -passout env:P
  openssl req -x509 -newkey rsa:2048 -nodes -keyout web-key.pem -out web.pem -days 2 \
    -subj '/CN=Web server only' -addext extendedKeyUsage=serverAuth
  openssl pkcs12 -export -in web.pem -inkey web-key.pem -out web.pfx -passout env:P
  openssl req -x509 -newkey rsa:2048 -nodes -keyout root.key -out root.pem -days 2 \
    -subj '/CN=Throwaway root' -addext basicConstraints=critical,CA:true
  openssl req -new -newkey rsa:2048 -nodes -keyout mid.key -out mid.csr -subj '/CN=Throwaway intermediate'
  printf 'basicConstraints=critical,CA:true\n' >ca.ext
  openssl x509 -req -in mid.csr -CA root.pem -CAkey root.key -CAcreateserial -days 2 -extfile ca.ext -out mid.pem
  openssl req -new -newkey rsa:2048 -nodes -keyout leaf.key -out leaf.csr -subj '/CN=Throwaway chained publisher'
  openssl x509 -req -in leaf.csr -CA mid.pem -CAkey mid.key -CAcreateserial -days 2 -extfile signing.ext -out leaf.pem
  openssl pkcs12 -export -in leaf.pem -inkey leaf.key -certfile mid.pem -out chain.pfx -passout env:P
  openssl req -x509 -newkey rsa:2048 -nodes -keyout tsa.key -out tsa.pem -days 2 \
    -subj '/CN=Throwaway time stamps' -addext extendedKeyUsage=critical,timeStamping
  printf '01\n' >serial
  printf '[tsa]\ndefault_tsa=here\n[here]\nserial=serial\nsigner_cert=tsa.pem\nsigner_key=tsa.key\nsigner_digest=sha256\ndefault_policy=1.2.3.4.1\ndigests=sha256\ness_cert_id_alg=sha256\n' >ts.cnf
} >/dev/null 2>&1
printf '%s\n' "$password" >password.txt
unset P

# The local time-stamp server, and a port where nothing listens.
python3 "$here/timestamp_server.py" "$work" "$work/port" &
server=$!
for _ in $(seq 50); do [ -s port ] && break; sleep 0.1; done
port=$(cat port)
closed=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')

cp "$menu" menu.exe
cp "$brand" brand.exe
# The tool, its output kept in $work/said; stdin is no console, so nothing is asked.
run() { wine brand.exe "$@" </dev/null >said 2>&1; }
verifies() { osslsigncode verify -in "$1" -CAfile "$2" "${@:3}" >verify.log 2>&1; }

# A branded menu, signed and time-stamped: it verifies, names its signer and its time.
if run --company "Signed test" --sign good.pfx --password-file password.txt \
    --timestamp "http://127.0.0.1:$port/" menu.exe start.exe &&
    grep -q 'signed by Throwaway test publisher, time-stamped' said &&
    verifies start.exe cert.pem -TSA-CAfile tsa.pem &&
    grep -q 'Timestamp Server Signature verification: ok' verify.log &&
    grep -q 'Signature verification: ok' verify.log; then
  pass
  cp start.exe "$out/medium/start.exe"
  cp verify.log "$out/verify.txt"
  printf '[0]\r\nTitle=Signed menu %s\r\nPrompt=Signed.\r\n' "$port" >"$out/medium/autorun.inf"
  printf '%s' "Signed menu $port" >"$out/medium/title.txt"
else
  fail "branding with a time-stamped signature"; cat said verify.log >&2
fi

# Through an intermediate: the chain travels in the signature and verifies to the root.
cp menu.exe chained.exe
if AUTORUN_MENU_SIGN_PASSWORD=$password run --sign-only --sign chain.pfx chained.exe &&
    verifies chained.exe root.pem && grep -q 'Throwaway chained publisher' verify.log; then
  pass
else
  fail "signing with a chain"; cat said verify.log >&2
fi

# Signed again with another certificate: the old signature is replaced, the new one holds.
if run --sign-only --sign good.pfx --password-file password.txt chained.exe &&
    grep -q 'is replaced' said && verifies chained.exe cert.pem &&
    ! grep -q 'Throwaway chained publisher' verify.log; then
  pass
else
  fail "replacing a signature"; cat said verify.log >&2
fi

# Without a time stamp, signing the same program twice gives the same bytes; a
# certificate without a password needs an empty one.
mkdir once twice
cp menu.exe once/start.exe
cp menu.exe twice/start.exe
if AUTORUN_MENU_SIGN_PASSWORD= run --sign-only --sign no-password.pfx once/start.exe &&
    AUTORUN_MENU_SIGN_PASSWORD= run --sign-only --sign no-password.pfx twice/start.exe &&
    cmp -s once/start.exe twice/start.exe && verifies once/start.exe cert.pem; then
  pass
else
  fail "signing twice"; cat said verify.log >&2
fi

# What cannot be signed: setting | arguments | what the message says. Each exits with a
# failure and leaves every file as it was.
printf '[autorun]\r\nopen=menu.exe\r\n' >autorun.inf
cases=(
  "|--sign-only --sign good.pfx --password-file wrong.txt target.exe|wrong password for"
  "|--sign-only --sign good.pfx target.exe|no console to ask for it"
  "|--sign-only --sign no-key.pfx --password-file password.txt target.exe|holds no private key"
  "|--sign-only --sign expired.pfx --password-file password.txt target.exe|expired on"
  "|--sign-only --sign web.pfx --password-file password.txt target.exe|is not for code signing"
  "|--sign-only --sign-store 0000000000000000000000000000000000000000 target.exe|no certificate with the thumbprint"
  "|--sign-only --sign autorun.inf --password-file password.txt target.exe|is not a .pfx"
  "|--sign-only --sign good.pfx --password-file password.txt autorun.inf|not a program"
  "|--sign-only --sign good.pfx --password-file password.txt brand.exe|not autorun-menu"
  "|--sign-only --sign good.pfx --password-file password.txt --timestamp http://127.0.0.1:$closed/ target.exe|could not be reached"
  "|--sign-only --sign good.pfx --password-file password.txt --timestamp http://127.0.0.1:$port/refuse target.exe|HTTP status 500"
  "|--sign-only --sign good.pfx --password-file password.txt --timestamp http://127.0.0.1:$port/garbage target.exe|not a time stamp"
  "|--company X --sign good.pfx --password-file password.txt --timestamp http://127.0.0.1:$closed/ target.exe new.exe|could not be reached"
  "|--sign good.pfx --sign-store 00 target.exe new.exe|both given"
)
printf 'not the password\n' >wrong.txt
for row in "${cases[@]}"; do
  IFS='|' read -r _ arguments expected <<<"$row"
  cp menu.exe target.exe
  before=$(sha256sum target.exe autorun.inf brand.exe)
  rm -f new.exe
  # shellcheck disable=SC2086
  if run $arguments; then
    fail "$arguments succeeded"
  elif ! grep -qF "$expected" said; then
    fail "$arguments: the message lacks \"$expected\""; cat said >&2
  elif [ "$before" != "$(sha256sum target.exe autorun.inf brand.exe)" ] || [ -e new.exe ] ||
      ls | grep -q '\.tmp$'; then
    fail "$arguments changed a file or left one behind"
  else
    pass
  fi
done

# The time it takes: branding alone, and branding and signing (no time stamp).
start=$(date +%s%N)
run --company "Timed" menu.exe timed.exe
middle=$(date +%s%N)
run --company "Timed" --sign good.pfx --password-file password.txt menu.exe timed-signed.exe
end=$(date +%s%N)
echo "branding alone $(((middle - start) / 1000000)) ms; branding and signing $(((end - middle) / 1000000)) ms" |
  tee "$out/timing.txt"

echo "brand signing: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
