#pragma once

#include <string>
#include <vector>

class ConexaoBanco;

// An accounting entity of the demo municipality.
struct EntidadeDemo {
    int empresa;
    std::string nome;                     // Windows-1252
    std::string codAudesp;
    int peso;                             // share of the journal lines (0: an entity without any)
    std::vector<std::string> grupos;      // the cost-centre groups it spends through
};

struct CentroCustoDemo {
    std::string grupo;
    std::string codigo;
    std::string nome;                     // Windows-1252, as typed by the users (mixed case)
};

inline constexpr const char* ANO_DEMO = "2008";

const std::vector<EntidadeDemo>& EntidadesDemo();
const std::vector<CentroCustoDemo>& CentrosCustoDemo();
// The name of the public body, Windows-1252.
const std::string& NomeClienteDemo();

// The installation's record, the entities, the cost centres and the chart of accounts.
void GravarCadastros(ConexaoBanco& conexao);
