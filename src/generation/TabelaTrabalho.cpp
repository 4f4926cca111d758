#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "balances/uDataModulo.h"
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

// The same rows, with the sign rule of MoverSinais worked in the exact NUMERIC(18,4)
// of the journal and turned into a double as the column takes it, so that the table
// receives, value for value, what the row-by-row copy would give it (a null amount
// counts as zero there as here). The journal is read once, each line joined to its five
// levels, rather than once per level: the level rows of a line are then written
// together, in the order of the table's date index.
std::string SqlPreencheTabelaTrabalho(const std::string& filtro, const std::string& dataIni,
                                      const std::string& dataFim)
{
    return "INSERT INTO GEDRA_CONDIA (UG, DATAE, BALCO, CREDI, DEBIT) "
           "SELECT CASE L.N WHEN 5 THEN COALESCE(CAST(B.EMPRESA AS INTEGER),0) ELSE CAST(0 AS INTEGER) END, "
           "B.DATAE, "
           "CASE L.N "
           "WHEN 1 THEN CAST(SUBSTRING(B.BALCO FROM 1 FOR 1)||'00000' AS VARCHAR(6)) "
           "WHEN 2 THEN CAST(SUBSTRING(B.BALCO FROM 1 FOR 2)||'0000' AS VARCHAR(6)) "
           "WHEN 3 THEN CAST(SUBSTRING(B.BALCO FROM 1 FOR 3)||'000' AS VARCHAR(6)) "
           "WHEN 4 THEN CAST(SUBSTRING(B.BALCO FROM 1 FOR 4)||'00' AS VARCHAR(6)) "
           "ELSE CAST(B.BALCO AS VARCHAR(6)) END, "
           "CASE WHEN B.CREDI > 0 THEN B.CREDI ELSE 0 END + CASE WHEN B.DEBIT < 0 THEN -B.DEBIT ELSE 0 END, "
           "CASE WHEN B.DEBIT > 0 THEN B.DEBIT ELSE 0 END + CASE WHEN B.CREDI < 0 THEN -B.CREDI ELSE 0 END "
           // An outer join keeps the journal as the outer stream; every line meets all five.
           "FROM CONDIA B LEFT JOIN (SELECT 1 N FROM RDB$DATABASE UNION ALL SELECT 2 FROM RDB$DATABASE "
           "UNION ALL SELECT 3 FROM RDB$DATABASE UNION ALL SELECT 4 FROM RDB$DATABASE "
           "UNION ALL SELECT 5 FROM RDB$DATABASE) L ON 1 = 1 "
           "WHERE " +
           filtro + "B.DATAE>=" + dataIni + " AND B.DATAE<=" + dataFim + " AND B.BALCO IS NOT NULL";
}

// The daily balance work table GEDRA_CONDIA: emptied and refilled with the movements of
// the period, in one transaction, so that the balances are never computed from a table
// that is half of one run and half of another.
void TGeracao::RECRIA_TABELA_TRABALHO()
{
    GuardaEtapa guarda(Conexao, relator);
    Conexao.iniciarTransacao();
    Conexao.executar("DELETE FROM GEDRA_CONDIA");

    relator.etapa("4.1.2. Calculando - Saldos Mensais Diario Geral");
    relator.atualizar();
    relator.medidor(Relator::Medidor::Parte, 1, 0);

    guarda.inicioEtapaLonga("Aguarde,\rpode Demorar!");
    relator.atualizar();

    // A year of a large city is millions of level rows: they go from the journal into the
    // table on the server, in one statement, instead of one round trip each.
    if (dm.PorInstrucoes) {
        CopiarTabelaTrabalhoLinhaALinha(Conexao, FiltroEmpresaTrabalho, entrada.DataIniSQL, entrada.DataFimSQL);
    } else {
        try {
            Conexao.executar(
                SqlPreencheTabelaTrabalho(FiltroEmpresaTrabalho, entrada.DataIniSQL, entrada.DataFimSQL));
        } catch (const ErroBanco&) {
            // The statement undid itself. Row by row, the refused movements are counted and
            // the first refusal is told, or the database's error comes back as it is.
            CopiarTabelaTrabalhoLinhaALinha(Conexao, FiltroEmpresaTrabalho, entrada.DataIniSQL, entrada.DataFimSQL);
        }
    }
    relator.medidor(Relator::Medidor::Parte, 1, 1);

    Conexao.confirmar();
    guarda.fimEtapaLonga();
    AvancarTodos();
}

void CopiarTabelaTrabalhoLinhaALinha(ConexaoBanco& Conexao, const std::string& filtro, const std::string& dataIni,
                                     const std::string& dataFim)
{
    Comando inserir = Conexao.preparar("INSERT INTO GEDRA_CONDIA (UG, DATAE, BALCO, CREDI, DEBIT) VALUES (?, ?, ?, ?, ?)");
    Cursor cursor = Conexao.abrirCursor(SqlTabelaTrabalho(filtro, dataIni, dataFim));
    const Colunas& col = cursor.colunas();
    const int cUg = col.indiceObrigatorio("UG");
    const int cData = col.indiceObrigatorio("DATAE");
    const int cBalco = col.indiceObrigatorio("BALCO");
    const int cCredito = col.indiceObrigatorio("CREDI");
    const int cDebito = col.indiceObrigatorio("DEBIT");

    int recusados = 0;
    std::string primeiraMensagem;
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
    }

    if (recusados > 0) {
        Conexao.desfazer();
        throw std::runtime_error("N\xE3o foi poss\xEDvel gravar " + std::to_string(recusados) +
                                 " movimento(s) na tabela de trabalho GEDRA_CONDIA.\r" + primeiraMensagem);
    }
}
