#!/usr/bin/env bash
# Installs a built Debian package into a clean Debian 12 tree and starts it
# there: the package must bring everything it needs.
#   scripts/package-check.sh build-package/velmora_*.deb [ROOT]
# ROOT (default /var/tmp/velmora-deb12) is made with debootstrap the first
# time (root and network to the Debian mirror needed, a few minutes).
set -euo pipefail
deb=$(readlink -f "$1")
root=${2:-/var/tmp/velmora-deb12}
[ "$(id -u)" -eq 0 ] || { echo "run as root (chroot and apt-get)" >&2; exit 2; }

if [ ! -x "$root/usr/bin/apt-get" ]; then
  command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
fi
mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT
cp "$deb" "$root/tmp/velmora.deb"
chroot "$root" apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/velmora.deb

# The desk starts on its embedded default database and waits at the logon.
chroot "$root" sh -ec '
  export HOME=/tmp/check-home QT_QPA_PLATFORM=offscreen
  rm -rf "$HOME"; mkdir -p "$HOME"
  man -w velmora >/dev/null 2>&1 || test -f /usr/share/man/man1/velmora.1.gz
  test -f /usr/share/applications/velmora.desktop
  velmora > /tmp/velmora.out 2>&1 & pid=$!
  sleep 8
  kill -0 $pid || { cat /tmp/velmora.out; echo "velmora did not stay up" >&2; exit 1; }
  kill $pid
  test -s "$HOME/.local/share/Orvanta/Velmora/Database/VelmP.db" ||
    { echo "no database was created" >&2; exit 1; }
  if command -v velmora-admin >/dev/null; then
    velmora-admin --help >/dev/null
    velmora-admin check
  fi
'
echo "package ok: installed and started on a clean Debian 12"
