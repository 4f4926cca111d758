#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite with ctest.
set -euo pipefail
raiz="$(cd "$(dirname "$0")" && pwd)"
"$raiz/scripts/instalar.sh"
"$raiz/scripts/compilar.sh"
cd "$raiz/build"
ctest --output-on-failure -j2 --timeout 900 "$@"
