#!/bin/sh
# The command end to end: a key pair, an answer that verifies, one that does
# not (another challenge, another key), and no key written over.
set -eu
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
challenge=ABCD-EFGH-JKMN-PQRS
line=$("$tool" keygen "$dir/desk.pem")
case $line in SupportPublicKey=*) ;; *) echo "keygen printed: $line"; exit 1 ;; esac
[ "$(stat -c %a "$dir/desk.pem")" = 600 ] || { echo "key file is not owner-only"; exit 1; }
[ "$("$tool" public "$dir/desk.pem")" = "$line" ] || { echo "public line differs"; exit 1; }
if "$tool" keygen "$dir/desk.pem" >/dev/null 2>&1; then echo "key written over"; exit 1; fi
answer=$("$tool" sign "$dir/desk.pem" "$(echo $challenge | tr 'A-Z' 'a-z')")
"$tool" verify "$line" "$challenge" "$answer" >/dev/null
if "$tool" verify "$line" ABCD-EFGH-JKMN-PQRT "$answer" >/dev/null; then
  echo "answer verified for another challenge"; exit 1
fi
other=$("$tool" keygen "$dir/other.pem")
if "$tool" verify "$other" "$challenge" "$answer" >/dev/null; then
  echo "answer verified under another key"; exit 1
fi
if "$tool" sign "$dir/desk.pem" NOT-A-CHALLENGE >/dev/null 2>&1; then
  echo "signed a non-challenge"; exit 1
fi
echo "velmora-support: self-test passed"
