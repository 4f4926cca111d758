#pragma once

#include <string>

// The page header's data: CLNT1, ENDERE and CGC of CADCLI and the exercise year,
// as Windows-1252 bytes straight from the database.
struct CabecalhoRelatorio {
    std::string nome;
    std::string endereco;
    std::string cgc;
    std::string exercicio;
};
