#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (the main build uses g++) and runs each for
# a bounded time. Usage: executar.sh BUILD_FOLDER [SECONDS_PER_TARGET [ENGINE_LIBRARY]]
# The routines under test are compiled here with the fuzzer's instrumentation; the rest
# of the engine that their units refer to (the run itself) comes from the engine
# library of the main build, libgedra_motor.a.
# Exit 0 when no target found a crash; 77 (skipped) when clang or libFuzzer is missing.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
saida="${1:?pasta de compilação}"
segundos="${2:-${GEDRA_FUZZ_SEGUNDOS:-30}}"
motor="${3:-$raiz/build/src/libgedra_motor.a}"
if [ ! -f "$motor" ]; then
  echo "biblioteca do motor não encontrada: $motor (compile o projeto antes)" >&2
  exit 1
fi
mkdir -p "$saida"

CXX="${CXX_FUZZ:-clang++}"
if ! command -v "$CXX" >/dev/null 2>&1; then
  echo "sem $CXX: instale os pacotes clang e libclang-rt-14-dev" >&2
  exit 77
fi
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
     "$CXX" -x c++ -fsanitize=fuzzer -o "$saida/.teste" - 2>/dev/null; then
  echo "$CXX não encontra a libFuzzer (pacote libclang-rt-14-dev)" >&2
  exit 77
fi

bandeiras=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
           -ffunction-sections -fdata-sections -Wl,--gc-sections
           -I"$raiz/src")
comuns=("$raiz/src/generation/format/funcoes_tce.cpp" "$raiz/src/generation/format/Moeda.cpp"
        "$raiz/src/generation/format/Data.cpp" "$raiz/src/settings/Texto.cpp")

"$CXX" "${bandeiras[@]}" -o "$saida/fuzz_campos" "$raiz/tests/fuzz/fuzz_campos.cpp" \
  "$raiz/src/generation/Geracao.cpp" "${comuns[@]}" "$motor" -ldl
"$CXX" "${bandeiras[@]}" -o "$saida/fuzz_ini" "$raiz/tests/fuzz/fuzz_ini.cpp" \
  "$raiz/src/settings/Configuracao.cpp" "$raiz/src/settings/Caminhos.cpp" "${comuns[@]}"

# The settings target writes its files under here.
export TMPDIR="$saida/tmp"
rm -rf "$TMPDIR" && mkdir -p "$TMPDIR"
for alvo in fuzz_campos fuzz_ini; do
  corpus="$saida/corpus_$alvo"
  mkdir -p "$corpus"
  echo "== $alvo: $segundos s"
  (cd "$saida" && ASAN_OPTIONS=detect_leaks=1 "./$alvo" -max_total_time="$segundos" -timeout=10 \
     -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "$raiz/tests/fuzz/sementes")
done
rm -rf "$TMPDIR"
echo "fuzz: nenhuma falha"
