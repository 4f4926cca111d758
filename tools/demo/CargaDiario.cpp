#include "demo/CargaDiario.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "db/ConexaoBanco.h"
#include "demo/GeradorDiario.h"

namespace {

// Rows per transaction: large enough that commits cost nothing, small enough that the
// engine's undo log stays small.
constexpr int64_t LINHAS_POR_TRANSACAO = 50000;

// The non-constraint indexes of CONDIA: cheaper to build once after the load than to
// keep up to date row by row.
std::vector<std::string> indicesDoDiario(ConexaoBanco& conexao)
{
    std::vector<std::string> nomes;
    for (const auto& r : conexao.consultar(
             "SELECT TRIM(I.RDB$INDEX_NAME) FROM RDB$INDICES I "
             "WHERE I.RDB$RELATION_NAME = 'CONDIA' AND COALESCE(I.RDB$INDEX_INACTIVE, 0) = 0 "
             "AND NOT EXISTS (SELECT 1 FROM RDB$RELATION_CONSTRAINTS C WHERE C.RDB$INDEX_NAME = I.RDB$INDEX_NAME)"))
        nomes.push_back(r[0].comoTexto());
    return nomes;
}

void alterarIndices(ConexaoBanco& conexao, const std::vector<std::string>& nomes, const char* estado)
{
    for (const auto& n : nomes)
        conexao.executar("ALTER INDEX \"" + n + "\" " + estado);
}

void gravarContasPorEntidade(ConexaoBanco& conexao, const std::set<std::pair<std::string, int>>& usadas)
{
    Comando inserir = conexao.preparar("INSERT INTO CONPLA_MURT (BALCO, EMPRESA) VALUES (?, ?)");
    conexao.iniciarTransacao();
    for (const auto& [balco, empresa] : usadas)
        inserir.executar({Valor::texto(balco), Valor::inteiro(empresa)});
    conexao.confirmar();
}

} // namespace

int64_t GravarDiario(ConexaoBanco& conexao, int64_t linhas, uint64_t semente)
{
    GeradorDiario gerador(linhas, semente);
    const auto indices = indicesDoDiario(conexao);
    alterarIndices(conexao, indices, "INACTIVE");

    Comando inserir = conexao.preparar(
        "INSERT INTO CONDIA (DATAE, BALCO, VINGRUPO, VINCODIGO, DEBIT, CREDI, SEQUENCIA, IE, DISCRI, EMPRESA) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    std::set<std::pair<std::string, int>> usadas;
    std::vector<Valor> valores(10);
    int64_t gravadas = 0;
    conexao.iniciarTransacao();
    gerador.gerar([&](const LinhaDiario& l) {
        valores[0] = Valor::data(l.data);
        valores[1] = Valor::texto(*l.balco);
        valores[2] = l.centro ? Valor::texto(l.centro->grupo) : Valor();
        valores[3] = l.centro ? Valor::texto(l.centro->codigo) : Valor();
        valores[4] = Valor::moeda(l.debito);
        valores[5] = Valor::moeda(l.credito);
        valores[6] = Valor::inteiro(l.sequencia);
        valores[7] = Valor::inteiro(l.ie);
        valores[8] = l.discri ? Valor::texto(*l.discri) : Valor();
        valores[9] = l.empresaNula ? Valor() : Valor::inteiro(l.empresa);
        inserir.executar(valores);
        if (!l.empresaNula)
            usadas.emplace(*l.balco, l.empresa);
        if (++gravadas % LINHAS_POR_TRANSACAO == 0) {
            conexao.confirmar();
            conexao.iniciarTransacao();
        }
    });
    conexao.confirmar();

    alterarIndices(conexao, indices, "ACTIVE");
    gravarContasPorEntidade(conexao, usadas);
    return gravadas;
}
