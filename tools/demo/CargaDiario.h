#pragma once

#include <cstdint>

class ConexaoBanco;

// Fills CONDIA with the journal of the year (GeradorDiario) and CONPLA_MURT with the
// accounts each entity moved. Gives the number of journal lines written.
int64_t GravarDiario(ConexaoBanco& conexao, int64_t linhas, uint64_t semente);
