#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <string>

#include "db/ConexaoBanco.h"
#include "db/ErroBanco.h"
#include "generation/TGeracao.h"

namespace {

// Each movement once per level of its account: the four synthetic levels with entity
// 0, then the whole code with the movement's entity.
const std::array<const char*, 5> CABECA = {
    "SELECT CAST(0 AS INTEGER) UG, B.DATAE, CAST(SUBSTRING(B.BALCO FROM 1 FOR 1)||'00000' AS VARCHAR(6))BALCO, "
    "B.CREDI, B.DEBIT FROM CONDIA B  WHERE ",
    "SELECT CAST(0 AS INTEGER), B.DATAE, CAST(SUBSTRING(B.BALCO FROM 1 FOR 2)||'0000' AS VARCHAR(6))BALCO, "
    "B.CREDI, B.DEBIT "
    "FROM CONDIA B "
    " WHERE ",
    "SELECT CAST(0 AS INTEGER), B.DATAE, CAST(SUBSTRING(B.BALCO FROM 1 FOR 3)||'000' AS VARCHAR(6))BALCO, "
    "B.CREDI, B.DEBIT "
    "FROM CONDIA B "
    " WHERE  ",
    "SELECT CAST(0 AS INTEGER), B.DATAE, CAST(SUBSTRING(B.BALCO FROM 1 FOR 4)||'00' AS VARCHAR(6))BALCO, "
    "B.CREDI, B.DEBIT "
    "FROM CONDIA B "
    " WHERE ",
    "SELECT COALESCE(CAST(EMPRESA AS INTEGER),0), B.DATAE, CAST(B.BALCO AS VARCHAR(6))BALCO, B.CREDI, B.DEBIT "
    "FROM CONDIA B "
    "WHERE ",
};
const std::array<const char*, 5> CAUDA = {
    "  AND B.BALCO IS NOT NULL ",
    " AND B.BALCO IS NOT NULL  ",
    " AND B.BALCO IS NOT NULL ",
    "  AND B.BALCO IS NOT NULL ",
    " AND B.BALCO IS NOT NULL",
};

std::string SqlTabelaTrabalho(const std::string& filtro, const std::string& dataIni, const std::string& dataFim)
{
    std::string sql;
    for (std::size_t i = 0; i < CABECA.size(); ++i) {
        if (i > 0)
            sql += "UNION ALL ";
        sql += CABECA[i];
        sql += filtro;
        sql += "B.DATAE>=" + dataIni + " AND B.DATAE<=" + dataFim;
        sql += CAUDA[i];
    }
    return sql;
}

Moeda ComoMoeda(const Valor& v)
{
    return v.tipo() == Valor::Tipo::Duplo ? Moeda::deDuplo(v.comoDuplo()) : v.comoMoeda();
}

// A negative amount belongs on the other side; both sides of a mixed movement are
// kept, so the movement's balance (debit minus credit) is never altered.
void MoverSinais(Moeda origemCredito, Moeda origemDebito, Moeda& credito, Moeda& debito)
{
    const Moeda zero;
    credito = std::max(origemCredito, zero) + std::max(-origemDebito, zero);
    debito = std::max(origemDebito, zero) + std::max(-origemCredito, zero);
}

// Undoes the transaction unless it was committed; the wait window goes in every case.
class GuardaEtapa {
public:
    GuardaEtapa(ConexaoBanco& conexao, Relator& relator)
        : conexao_(conexao)
        , relator_(relator)
    {
    }
    ~GuardaEtapa()
    {
        try {
            fimEtapaLonga();
        } catch (...) {
        }
        if (conexao_.emTransacao()) {
            try {
                conexao_.desfazer();
            } catch (...) {
            }
        }
    }
    void inicioEtapaLonga(const std::string& legenda)
    {
        relator_.inicioEtapaLonga(legenda);
        longa_ = true;
    }
    void fimEtapaLonga()
    {
        if (longa_)
            relator_.fimEtapaLonga();
        longa_ = false;
    }
    GuardaEtapa(const GuardaEtapa&) = delete;
    GuardaEtapa& operator=(const GuardaEtapa&) = delete;

private:
    ConexaoBanco& conexao_;
    Relator& relator_;
    bool longa_ = false;
};

} // namespace

// The daily balance work table GEDRA_CONDIA: emptied and refilled with the movements of
// the period, in one transaction, so that the balances are never computed from a table
// that is half of one run and half of another.
void TGeracao::RECRIA_TABELA_TRABALHO()
{
    const std::string periodo = "B.DATAE>=" + entrada.DataIniSQL + " AND B.DATAE<=" + entrada.DataFimSQL;

    GuardaEtapa guarda(Conexao, relator);
    Conexao.iniciarTransacao();
    Conexao.executar("DELETE FROM GEDRA_CONDIA");

    relator.etapa("4.1.2. Calculando - Saldos Mensais Diario Geral");
    relator.atualizar();

    // The union is streamed into the table row by row: a year of a large city has
    // millions of level rows, too many to hold twice in memory.
    const int64_t movimentos =
        Conexao.consultar("SELECT COUNT(*) FROM CONDIA B WHERE " + FiltroEmpresaTrabalho + periodo +
                          " AND B.BALCO IS NOT NULL")
            .at(0)[0]
            .comoInteiro();
    const int total = static_cast<int>(std::min<int64_t>(movimentos * 5, std::numeric_limits<int>::max()));
    relator.medidor(Relator::Medidor::Parte, total, 0);

    guarda.inicioEtapaLonga("Aguarde,\rpode Demorar!");
    relator.atualizar();

    Comando inserir = Conexao.preparar("INSERT INTO GEDRA_CONDIA (UG, DATAE, BALCO, CREDI, DEBIT) VALUES (?, ?, ?, ?, ?)");
    Cursor cursor = Conexao.abrirCursor(SqlTabelaTrabalho(FiltroEmpresaTrabalho, entrada.DataIniSQL, entrada.DataFimSQL));
    const Colunas& col = cursor.colunas();
    const int cUg = col.indiceObrigatorio("UG");
    const int cData = col.indiceObrigatorio("DATAE");
    const int cBalco = col.indiceObrigatorio("BALCO");
    const int cCredito = col.indiceObrigatorio("CREDI");
    const int cDebito = col.indiceObrigatorio("DEBIT");

    int recusados = 0;
    std::string primeiraMensagem;
    int progresso = 0;
    while (cursor.proximo()) {
        const Registro& r = cursor.atual();
        Moeda credito, debito;
        MoverSinais(ComoMoeda(r[cCredito]), ComoMoeda(r[cDebito]), credito, debito);
        try {
            inserir.executar({r[cUg], r[cData], r[cBalco], Valor::duplo(credito.comoDuplo()),
                              Valor::duplo(debito.comoDuplo())});
        } catch (const ErroBanco& e) {
            if (recusados++ == 0)
                primeiraMensagem = e.what();
        }
        relator.medidor(Relator::Medidor::Parte, total, std::min(++progresso, total));
    }

    if (recusados > 0) {
        Conexao.desfazer();
        throw std::runtime_error("N\xE3o foi poss\xEDvel gravar " + std::to_string(recusados) +
                                 " movimento(s) na tabela de trabalho GEDRA_CONDIA.\r" + primeiraMensagem);
    }
    Conexao.confirmar();
    guarda.fimEtapaLonga();
    AvancarTodos();
}
