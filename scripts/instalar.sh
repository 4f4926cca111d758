#!/usr/bin/env bash
# Installs the Debian packages that Gedra needs to build, test and run (only the missing ones).
set -euo pipefail
PACOTES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev
  firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils firebird3.0-server
  libsimpleini-dev libgtest-dev
  xvfb xauth poppler-utils time fonts-liberation2
  clang libclang-rt-14-dev
)
faltam=()
for p in "${PACOTES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltam+=("$p")
done
if [ ${#faltam[@]} -gt 0 ]; then
  echo "Instalando pacotes: ${faltam[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${faltam[@]}" >/dev/null
fi
# The embedded engine and a server share the lock folder; let both users write there.
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO mkdir -p /tmp/firebird && $SUDO chmod 1777 /tmp/firebird
