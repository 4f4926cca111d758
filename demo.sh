#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo installation (embedded database)
# and runs the main job: the four digital files of the whole year, consolidated.
set -euo pipefail
raiz="$(cd "$(dirname "$0")" && pwd)"
"$raiz/scripts/instalar.sh"
"$raiz/scripts/compilar.sh"
demo="$raiz/build/demo"
saida="$demo/saida"
if [ ! -f "$demo/Murt.ini" ]; then
  "$raiz/build/bin/gedra-demo" --out "$demo" --linhas 20000 --semente 1
fi
mkdir -p "$saida"
set +e
"$raiz/build/bin/gedra-lote" --config "$demo" --referencia TODOS --saida "$saida" --log "$saida/erros.txt" --relatorio "$saida/erros.pdf"
rc=$?
set -e
echo
echo "Arquivos gerados em: $saida"
ls -l "$saida"
[ "$rc" -le 1 ]
