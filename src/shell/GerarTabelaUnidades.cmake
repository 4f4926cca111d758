# Writes the table of the executable's source units for the package window.
# In: SAIDA (the .cpp to write), PRINCIPAL (the main unit's name), UNIDADES (the other
# units' names separated by ",").
string(REPLACE "," ";" unidades "${UNIDADES}")
list(REMOVE_ITEM unidades "${PRINCIPAL}")
list(REMOVE_DUPLICATES unidades)
set(linhas "    {\"${PRINCIPAL}\", true},\n")
foreach(u IN LISTS unidades)
  string(APPEND linhas "    {\"${u}\", false},\n")
endforeach()
list(LENGTH unidades n)
math(EXPR n "${n} + 1")
set(conteudo "// Written by the build (GerarTabelaUnidades.cmake); do not edit.
#include \"shell/TabelaUnidades.h\"

const UnidadeTabela GEDRA_UNIDADES[] = {
${linhas}};
const std::size_t GEDRA_QUANTIDADE_UNIDADES = ${n};
")
# Rewritten only when the list changes, so an unchanged table does not relink.
if(EXISTS "${SAIDA}")
  file(READ "${SAIDA}" anterior)
endif()
if(NOT anterior STREQUAL conteudo)
  file(WRITE "${SAIDA}" "${conteudo}")
endif()
