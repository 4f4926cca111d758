#!/usr/bin/env bash
# Configures (Release) and builds everything into build/; executables land in build/bin/.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
log="$raiz/build/compilacao.log"
mkdir -p "$raiz/build"
if ! { cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$raiz/build" -j"$(nproc)"; } >"$log" 2>&1; then
  grep -E -B2 -A8 'error|Error' "$log" | head -80
  echo "Falha na compilação; veja $log" >&2
  exit 1
fi
