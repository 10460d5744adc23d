#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the application need,
# but only those that are missing (a second call costs nothing).
set -euo pipefail
pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-charts-dev
      libqt6sql6-sqlite libqt6sql6-psql libsqlite3-dev libpq-dev libgl-dev libssl-dev
      libmimalloc-dev
      libgtest-dev googletest libbenchmark-dev
      postgresql postgresql-contrib sqlite3 xvfb xauth
      libhunspell-dev hunspell-en-us python3 poppler-utils pandoc
      fonts-dejavu-core tzdata)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
