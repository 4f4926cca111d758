#include "balances/uDataModulo.h"

#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "balances/MovimentosTrabalho.h"
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

} // namespace

std::string SqlSaldos(PassoSaldos passo, const std::string& restricao, const std::string& inicio,
                      const std::string& fim)
{
    using Passo = PassoSaldos;
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

std::string SqlExclusaoSaldos(const std::string& mes, const std::string& tipo, const std::string& entidade)
{
    if (tipo == "UG")
        return "DELETE FROM conpla_mes where mes=" + mes + " and UG= '" + entidade +
               "'  and (TIPO_FINAL IS NULL OR TIPO_FINAL = 'UG')";
    return "DELETE FROM conpla_mes where mes=" + mes + " and TIPO_FINAL = 'CO' ";
}

std::string SqlBufferSaldos(const std::string& mes, const std::string& tipo, const std::string& entidade)
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
std::string RestricaoSaldos(const std::string& entidade)
{
    std::string r = "B.EMPRESA= " + entidade + " AND ";
    const std::string de = "EMPRESA";
    for (std::size_t p = r.find(de); p != std::string::npos; p = r.find(de, p + 2))
        r.replace(p, de.size(), "UG");
    return r;
}

namespace {

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


namespace {

// Gives the rows of a pass, in the order the statement reads them.
using LeitorPasso = std::function<void(PassoSaldos, const std::function<void(const LinhaSaldo&)>&)>;

// The month's rows of the type rewritten from the rows of the two passes: the delete, the
// balances before the month into the buffer and written, the month's movements over
// them and written again; the row read last for a key gives its values.
void CalcularMes(Tdm& dm, const std::string& fim, const std::string& tipo, const std::string& entidade,
                 const LeitorPasso& ler)
{
    ConexaoBanco& Conexao = dm.Conexao;
    ConjuntoDados& cdsBalancete = dm.cdsBalancete;
    cdsBalancete.fechar();

    const int mes = MesDoFim(fim);
    const std::string M = std::to_string(mes);
    const bool porEntidade = tipo == "UG";
    const Valor ugEntidade = porEntidade ? Valor::inteiro(std::stoll(entidade)) : Valor();

    // The month's old rows go only together with the new ones: a failure anywhere
    // leaves CONPLA_MES as it was.
    const bool transacaoPropria = !Conexao.emTransacao();
    if (transacaoPropria)
        Conexao.iniciarTransacao();
    try {
        Conexao.executar(SqlExclusaoSaldos(M, tipo, entidade));
        cdsBalancete.abrir(Conexao, SqlBufferSaldos(M, tipo, entidade));

        auto aplicar = [&] {
            cdsBalancete.aplicarAlteracoes(Conexao, "CONPLA_MES", CHAVE_CONPLA_MES,
                                           [&dm](const std::string& m) { dm.cdsBalanceteReconcileError(m); });
        };
        auto posicionar = [&](const Valor& balco, const Valor& ug) {
            if (cdsBalancete.localizar({"BALCO", "UG"}, {balco, ug}))
                cdsBalancete.editar();
            else
                cdsBalancete.anexar();
        };

        // Balances before the month.
        ler(PassoSaldos::Anterior, [&](const LinhaSaldo& r) {
            const Valor balco = Valor::texto(r.balco);
            const Valor ug = porEntidade ? ugEntidade : Valor::inteiro(r.ug.value_or(0));
            const Moeda saldo = r.saldo.value_or(Moeda());
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
        });
        aplicar();

        // The month's movements.
        ler(PassoSaldos::Mes, [&](const LinhaSaldo& r) {
            const Valor balco = Valor::texto(r.balco);
            const Valor ug = porEntidade ? ugEntidade : Valor::inteiro(r.ug.value_or(0));
            const Moeda debito = r.debito.value_or(Moeda());
            const Moeda credito = r.credito.value_or(Moeda());
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
        });
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

// A whole number as the restriction writes it into the statement.
std::optional<int64_t> Inteiro(const std::string& texto)
{
    const std::size_t d = !texto.empty() && texto[0] == '-' ? 1 : 0;
    if (texto.size() == d || texto.size() - d > 18 ||
        texto.find_first_not_of("0123456789", d) != std::string::npos)
        return std::nullopt;
    return std::stoll(texto);
}

} // namespace

void Tdm::CALCULA_CONPLA_MES(const std::string& inicio, const std::string& fim, const std::string& tipo,
                             const std::string& entidade)
{
    if (PorInstrucoes) {
        CALCULA_CONPLA_MES_INSTRUCOES(inicio, fim, tipo, entidade);
        return;
    }
    const bool porEntidade = tipo == "UG";
    const std::optional<int64_t> ug = porEntidade ? Inteiro(entidade) : std::nullopt;
    const std::shared_ptr<const MovimentosTrabalho> movimentos =
        movimentos_ ? movimentos_ : MovimentosTrabalho::ler(Conexao);

    std::optional<std::vector<LinhaSaldo>> anteriores, doMes;
    if (movimentos->fiel() && (!porEntidade || ug)) {
        anteriores = movimentos->passo(PassoSaldos::Anterior, inicio, fim, ug);
        if (anteriores)
            doMes = movimentos->passo(PassoSaldos::Mes, inicio, fim, ug);
    }
    if (!doMes) {
        CALCULA_CONPLA_MES_INSTRUCOES(inicio, fim, tipo, entidade);
        return;
    }
    CalcularMes(*this, fim, tipo, entidade, [&](PassoSaldos passo, const std::function<void(const LinhaSaldo&)>& f) {
        for (const LinhaSaldo& l : passo == PassoSaldos::Anterior ? *anteriores : *doMes)
            f(l);
    });
}

void Tdm::CALCULA_CONPLA_MES_INSTRUCOES(const std::string& inicio, const std::string& fim, const std::string& tipo,
                                        const std::string& entidade)
{
    const std::string S = inicio.size() >= 11 ? inicio.substr(1, 10) : inicio;
    const std::string E = fim.size() >= 11 ? fim.substr(1, 10) : fim;
    const std::string restricao = tipo == "UG" ? RestricaoSaldos(entidade) : std::string();
    CalcularMes(*this, fim, tipo, entidade, [&](PassoSaldos passo, const std::function<void(const LinhaSaldo&)>& f) {
        Cursor c = Conexao.abrirCursor(SqlSaldos(passo, restricao, S, E));
        const Colunas& col = c.colunas();
        const int cUg = col.indiceObrigatorio("UG");
        const int cBalco = col.indiceObrigatorio("BALCO");
        const int cCredito = col.indiceObrigatorio("CREDI");
        const int cDebito = col.indiceObrigatorio("DEBIT");
        const int cSaldo = col.indiceObrigatorio("SALDO");
        auto moeda = [](const Valor& v) { return v.nulo() ? std::nullopt : std::optional<Moeda>(ComoMoeda(v)); };
        while (c.proximo()) {
            const Registro& r = c.atual();
            f(LinhaSaldo{r[cUg].nulo() ? std::nullopt : std::optional<int64_t>(r[cUg].comoInteiro()),
                         r[cBalco].comoTexto(), moeda(r[cCredito]), moeda(r[cDebito]), moeda(r[cSaldo])});
        }
    });
}

void Tdm::LE_TABELA_TRABALHO()
{
    if (PorInstrucoes)
        return;
    movimentos_ = MovimentosTrabalho::ler(Conexao);
}

void Tdm::LIBERA_TABELA_TRABALHO()
{
    movimentos_.reset();
}
