#!/usr/bin/env bash
# The benchmark: builds in Release, keeps demo installations of 10 000, 100 000 and
# 1 000 000 journal lines in bench/dados/ (made once with gedra-demo), and for each size
# times gedra-lote for TODOS, consolidated and for one entity, against the reference (the
# statements of the same run executed one by one, bench/referencia.cpp). Prints a
# Markdown table and the scaling exponent of the wall time from 100 000 to 1 000 000 lines.
#
#   bench/executar.sh                     all three sizes (about 25 minutes, most of it the
#                                         reference at 1 000 000 lines)
#   GEDRA_BENCH_LINHAS="10000 100000" bench/executar.sh
#
# Each size starts from the database as gedra-demo made it; before each kind of run one
# run of that kind that is not timed leaves the work table as a previous run would, so
# every timed run empties a full work table, as it does at a real installation.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
dados="$raiz/bench/dados"
bin="${GEDRA_BENCH_BIN:-$raiz/build/bin}"
tamanhos=(${GEDRA_BENCH_LINHAS:-10000 100000 1000000})
empresa="${GEDRA_BENCH_EMPRESA:-1}"

# GEDRA_BENCH_BIN: executables already built elsewhere (then nothing is built).
if [ -z "${GEDRA_BENCH_BIN:-}" ]; then
  "$raiz/scripts/instalar.sh"
  "$raiz/scripts/compilar.sh"
fi
mkdir -p "$dados"

# Seconds since the epoch, with decimals.
agora() { date +%s.%N; }

# Runs gedra-lote; sets SEGUNDOS and RSS_MB.
lote() {
  local config="$1" saida="$2"; shift 2
  rm -rf "$saida"; mkdir -p "$saida"
  local inicio fim codigo=0
  inicio=$(agora)
  /usr/bin/time -v -o "$saida.tempo" "$bin/gedra-lote" --config "$config" --saida "$saida" "$@" \
    >"$saida.log" 2>&1 || codigo=$?
  fim=$(agora)
  # 0: written; 1: written with data problems (the demo has some on purpose).
  if [ "$codigo" -gt 1 ]; then
    echo "gedra-lote falhou ($codigo); veja $saida.log" >&2
    exit 1
  fi
  SEGUNDOS=$(awk -v a="$inicio" -v b="$fim" 'BEGIN {printf "%.3f", b - a}')
  RSS_MB=$(awk -F': ' '/Maximum resident set size/ {printf "%.0f", $2 / 1024}' "$saida.tempo")
}

referencia() {
  local config="$1"; shift
  "$bin/gedra-referencia" --config "$config" "$@" 2>>"$dados/referencia.log"
}

linhas_md=()
declare -A tempo
for n in "${tamanhos[@]}"; do
  pasta="$dados/$n"
  banco="$pasta/ARQ2008/MURT2008.FDB"
  if [ ! -f "$pasta/original.fdb" ]; then
    "$bin/gedra-demo" --out "$pasta" --linhas "$n" --semente 1 --substituir >/dev/null
    cp "$banco" "$pasta/original.fdb"
  fi
  cp "$pasta/original.fdb" "$banco"
  echo "== $n linhas" >>"$dados/referencia.log"

  for execucao in consolidado entidade; do
    args=(--referencia TODOS)
    rotulo="TODOS, consolidado"
    if [ "$execucao" = entidade ]; then
      args+=(--empresa "$empresa")
      rotulo="TODOS, entidade $empresa"
    fi
    # Untimed: leaves the work table (and its old rows) as a run of the same kind would.
    lote "$pasta" "$pasta/saida-aquecimento" "${args[@]}"
    ref=$(referencia "$pasta" "${args[@]}")
    lote "$pasta" "$pasta/saida-$execucao" "${args[@]}"
    tempo[$n,$execucao]=$SEGUNDOS
    por_segundo=$(awk -v n="$n" -v s="$SEGUNDOS" 'BEGIN {printf "%.0f", n / s}')
    razao=$(awk -v s="$SEGUNDOS" -v r="$ref" 'BEGIN {printf "%.3f", s / r}')
    linhas_md+=("$(printf '| %9d | %-20s | %8.1f | %9.0f | %5d | %9.1f | %5.3f |' \
      "$n" "$rotulo" "$SEGUNDOS" "$por_segundo" "$RSS_MB" "$ref" "$razao")")
  done
done

echo
echo "$(nproc) núcleos, $(free -g | awk '/^Mem:/ {print $2}') GB de memória"
echo
echo "| linhas do diário | execução | segundos | linhas/s | pico RSS (MB) | referência (s) | razão |"
echo "|---:|---|---:|---:|---:|---:|---:|"
printf '%s\n' "${linhas_md[@]}"
if [ -n "${tempo[100000,consolidado]:-}" ] && [ -n "${tempo[1000000,consolidado]:-}" ]; then
  echo
  for execucao in consolidado entidade; do
    expoente=$(awk -v a="${tempo[100000,$execucao]}" -v b="${tempo[1000000,$execucao]}" \
      'BEGIN {printf "%.3f", log(b / a) / log(10)}')
    printf 'Expoente de escala de 100 000 para 1 000 000 linhas (%s): %.2f\n' "$execucao" "$expoente"
  done
fi
echo
echo "Tempos da referência por etapa: $dados/referencia.log"
