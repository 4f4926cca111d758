#include "balances/uDataModulo.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "db/ConexaoBanco.h"
#include "settings/Conexao.h"
#include "settings/TrataErros.h"

namespace {

// The five members of the balance statement: the four synthetic levels and the whole
// code. Members 1 to 4 are the same in both passes; member 5 of the month's pass
// coalesces the entity.
const std::array<const char*, 5> CABECA_ANTERIOR = {
    "SELECT DISTINCT CAST(0 AS INTEGER) UG, CAST(SUBSTRING(B.BALCO FROM 1 FOR 1)||'00000' AS VARCHAR(6))BALCO, "
    "SUM(B.CREDI) CREDI, SUM(B.DEBIT) DEBIT, SUM(B.DEBIT) - SUM(B.CREDI) SALDO FROM GEDRA_CONDIA B  WHERE ",
    "SELECT DISTINCT CAST(0 AS INTEGER), CAST(SUBSTRING(B.BALCO FROM 1 FOR 2)||'0000' AS VARCHAR(6))BALCO, "
    "SUM(B.CREDI), SUM(B.DEBIT), SUM(B.DEBIT) - SUM(B.CREDI) FROM GEDRA_CONDIA B "
    " WHERE  ",
    "SELECT DISTINCT CAST(0 AS INTEGER), CAST(SUBSTRING(B.BALCO FROM 1 FOR 3)||'000' AS VARCHAR(6))BALCO, "
    "SUM(B.CREDI), SUM(B.DEBIT), SUM(B.DEBIT) - SUM(B.CREDI) FROM GEDRA_CONDIA B "
    " WHERE  ",
    "SELECT DISTINCT CAST(0 AS INTEGER), CAST(SUBSTRING(B.BALCO FROM 1 FOR 4)||'00' AS VARCHAR(6))BALCO, "
    "SUM(B.CREDI), SUM(B.DEBIT), SUM(B.DEBIT) - SUM(B.CREDI) FROM GEDRA_CONDIA B "
    " WHERE ",
    "SELECT DISTINCT CAST(UG AS INTEGER), CAST(B.BALCO AS VARCHAR(6))BALCO, "
    "SUM(B.CREDI), SUM(B.DEBIT), SUM(B.DEBIT) - SUM(B.CREDI) FROM GEDRA_CONDIA B "
    "WHERE  ",
};
const char* const CABECA_MES_5 =
    "SELECT DISTINCT COALESCE(CAST(UG AS INTEGER),0), CAST(B.BALCO AS VARCHAR(6))BALCO, "
    "SUM(B.CREDI), SUM(B.DEBIT), SUM(B.DEBIT) - SUM(B.CREDI) FROM GEDRA_CONDIA B "
    "WHERE  ";

const std::array<const char*, 5> CAUDA_ANTERIOR = {
    "' AND B.BALCO IS NOT NULL ",
    "' AND B.BALCO IS NOT NULL  ",
    "' AND B.BALCO IS NOT NULL ",
    "'  AND B.BALCO IS NOT NULL ",
    "'  AND B.BALCO IS NOT NULL ",
};
const std::array<const char*, 5> CAUDA_MES = {
    "'  AND B.BALCO IS NOT NULL ",
    "' AND B.BALCO IS NOT NULL  ",
    "' AND B.BALCO IS NOT NULL ",
    "'  AND B.BALCO IS NOT NULL ",
    "' AND B.BALCO IS NOT NULL ",
};
const std::array<const char*, 5> AGRUPAMENTO = {
    "GROUP BY 1,2",
    "GROUP BY 1,2 ",
    "GROUP BY 1,2 ",
    "GROUP BY 1,2 ",
    "GROUP BY 1,2 ",
};

enum class Passo { Anterior, Mes };

std::string SqlSaldos(Passo passo, const std::string& restricao, const std::string& inicio, const std::string& fim)
{
    const std::string data = passo == Passo::Anterior ? "B.DATAE<'" + inicio
                                                      : "B.DATAE>='" + inicio + "' AND B.DATAE<='" + fim;
    std::string sql;
    for (std::size_t i = 0; i < 5; ++i) {
        if (i > 0)
            sql += "UNION ";
        sql += (passo == Passo::Mes && i == 4) ? CABECA_MES_5 : CABECA_ANTERIOR[i];
        sql += restricao;
        sql += data;
        sql += passo == Passo::Anterior ? CAUDA_ANTERIOR[i] : CAUDA_MES[i];
        sql += AGRUPAMENTO[i];
    }
    return sql;
}

std::string SqlExclusao(const std::string& mes, const std::string& tipo, const std::string& entidade)
{
    if (tipo == "UG")
        return "DELETE FROM conpla_mes where mes=" + mes + " and UG= '" + entidade +
               "'  and (TIPO_FINAL IS NULL OR TIPO_FINAL = 'UG')";
    return "DELETE FROM conpla_mes where mes=" + mes + " and TIPO_FINAL = 'CO' ";
}

std::string SqlBuffer(const std::string& mes, const std::string& tipo, const std::string& entidade)
{
    if (tipo == "UG")
        return "SELECT DISTINCT A.* FROM CONPLA_MES A  INNER JOIN CONPLA B ON A.BALCO=B.BALCO "
               "LEFT JOIN CONPLA_MURT C ON A.BALCO=C.BALCO AND A.UG=C.EMPRESA  "
               "WHERE (C.BALCO NOT LIKE '%00' OR C.BALCO IS NULL) AND B.BALCO LIKE '%00' AND A.MES=" +
               mes + " AND A.UG= " + entidade + "AND TIPO_FINAL = 'UG'";
    return "SELECT DISTINCT A.* FROM CONPLA_MES A INNER JOIN CONPLA B ON A.BALCO=B.BALCO "
           "LEFT JOIN CONPLA_MURT C ON A.BALCO=C.BALCO AND A.UG=C.EMPRESA LEFT JOIN CONPLA D ON B.BALCO=C.BALCO  "
           "WHERE (C.BALCO NOT LIKE '%00' OR C.BALCO IS NULL) AND B.BALCO LIKE '%00'  AND mes=" +
           mes + " and UG=0 AND TIPO_FINAL = 'CO'";
}

// "B.EMPRESA= n AND " with EMPRESA turned into UG: the work table keeps the entity in UG.
std::string Restricao(const std::string& entidade)
{
    std::string r = "B.EMPRESA= " + entidade + " AND ";
    const std::string de = "EMPRESA";
    for (std::size_t p = r.find(de); p != std::string::npos; p = r.find(de, p + 2))
        r.replace(p, de.size(), "UG");
    return r;
}

// The work table holds doubles; an amount keeps four decimals.
Moeda ComoMoeda(const Valor& v)
{
    return v.tipo() == Valor::Tipo::Duplo ? Moeda::deDuplo(v.comoDuplo()) : v.comoMoeda();
}

// The month of an end literal 'dd.mm.yyyy': its characters 5 and 6.
int MesDoFim(const std::string& fim)
{
    if (fim.size() < 6)
        throw std::invalid_argument("Data final inv\xE1lida: " + fim);
    return std::stoi(fim.substr(4, 2));
}

const std::vector<std::string> CHAVE_CONPLA_MES = {"MES", "UG", "BALCO", "TIPO_FINAL"};

} // namespace

Tdm::Tdm(ConexaoBanco& Conexao, Mensageiro& mensageiro)
    : Conexao(Conexao)
    , mensageiro(mensageiro)
{
}

bool Tdm::DataModuleCreate()
{
    if (!Conexao.aberta() && !ConexaoBeforeConnect(Conexao, mensageiro))
        return false;
    qrCliente.abrir(Conexao, "select * from cadcli");
    TD.TransactionID = 1;
    TD.ReadCommitted = true;
    return true;
}

void Tdm::cdsBalanceteReconcileError(const std::string& mensagem)
{
    TRATA_ERRO_BANCO(mensagem, mensageiro);
}

void Tdm::CALCULA_CONPLA_MES(const std::string& inicio, const std::string& fim, const std::string& tipo,
                             const std::string& entidade)
{
    cdsBalancete.fechar();

    const int mes = MesDoFim(fim);
    const std::string M = std::to_string(mes);
    const std::string S = inicio.size() >= 11 ? inicio.substr(1, 10) : inicio;
    const std::string E = fim.size() >= 11 ? fim.substr(1, 10) : fim;
    const bool porEntidade = tipo == "UG";
    const std::string restricao = porEntidade ? Restricao(entidade) : std::string();
    const Valor ugEntidade = porEntidade ? Valor::inteiro(std::stoll(entidade)) : Valor();

    // The month's old rows go only together with the new ones: a failure anywhere
    // leaves CONPLA_MES as it was.
    const bool transacaoPropria = !Conexao.emTransacao();
    if (transacaoPropria)
        Conexao.iniciarTransacao();
    try {
        Conexao.executar(SqlExclusao(M, tipo, entidade));
        cdsBalancete.abrir(Conexao, SqlBuffer(M, tipo, entidade));

        auto aplicar = [this] {
            cdsBalancete.aplicarAlteracoes(Conexao, "CONPLA_MES", CHAVE_CONPLA_MES,
                                           [this](const std::string& m) { cdsBalanceteReconcileError(m); });
        };
        auto posicionar = [this](const Valor& balco, const Valor& ug) {
            if (cdsBalancete.localizar({"BALCO", "UG"}, {balco, ug}))
                cdsBalancete.editar();
            else
                cdsBalancete.anexar();
        };

        // Balances before the month.
        for (Cursor c = Conexao.abrirCursor(SqlSaldos(Passo::Anterior, restricao, S, E)); c.proximo();) {
            const Registro& r = c.atual();
            const Valor balco = Valor::texto(r["BALCO"].comoTexto());
            const Valor ug = porEntidade ? ugEntidade : Valor::inteiro(r["UG"].nulo() ? 0 : r["UG"].comoInteiro());
            const Moeda saldo = ComoMoeda(r["SALDO"]);
            posicionar(balco, ug);
            cdsBalancete.definir("MES", Valor::inteiro(mes));
            cdsBalancete.definir("UG", ug);
            cdsBalancete.definir("BALCO", balco);
            cdsBalancete.definir("SALDO_INICIAL", Valor::moeda(saldo));
            cdsBalancete.definir("SALDO_FINAL", Valor::moeda(saldo));
            cdsBalancete.definir("CREDI", Valor::moeda(Moeda()));
            cdsBalancete.definir("DEBIT", Valor::moeda(Moeda()));
            cdsBalancete.definir("TIPO_FINAL", Valor::texto(tipo));
            cdsBalancete.gravar();
        }
        aplicar();

        // The month's movements.
        for (Cursor c = Conexao.abrirCursor(SqlSaldos(Passo::Mes, restricao, S, E)); c.proximo();) {
            const Registro& r = c.atual();
            const Valor balco = Valor::texto(r["BALCO"].comoTexto());
            const Valor ug = porEntidade ? ugEntidade : Valor::inteiro(r["UG"].comoInteiro());
            const Moeda debito = ComoMoeda(r["DEBIT"]);
            const Moeda credito = ComoMoeda(r["CREDI"]);
            posicionar(balco, ug);
            if (cdsBalancete.campo("SALDO_INICIAL").nulo())
                cdsBalancete.definir("SALDO_INICIAL", Valor::moeda(Moeda()));
            const Moeda inicial = cdsBalancete.campo("SALDO_INICIAL").comoMoeda();
            cdsBalancete.definir("MES", Valor::inteiro(mes));
            cdsBalancete.definir("UG", ug);
            cdsBalancete.definir("BALCO", balco);
            cdsBalancete.definir("CREDI", Valor::moeda(credito));
            cdsBalancete.definir("DEBIT", Valor::moeda(debito));
            cdsBalancete.definir("SALDO_FINAL", Valor::moeda(inicial + debito - credito));
            cdsBalancete.definir("TIPO_FINAL", Valor::texto(tipo));
            cdsBalancete.gravar();
        }
        aplicar();

        if (transacaoPropria)
            Conexao.confirmar();
    } catch (...) {
        if (transacaoPropria && Conexao.emTransacao()) {
            try {
                Conexao.desfazer();
            } catch (...) {
            }
        }
        cdsBalancete.fechar();
        throw;
    }
    cdsBalancete.ordenar({"BALCO", "UG"});
}
