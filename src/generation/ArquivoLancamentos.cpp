#include <algorithm>
#include <cstdlib>
#include <limits>
#include <map>
#include <unordered_set>

#include "balances/uDataModulo.h"
#include "db/ConexaoBanco.h"
#include "generation/TGeracao.h"
#include "generation/format/funcoes_tce.h"

namespace {

const char* const CABECA_DEBITO =
    "SELECT A.DATAE AS DATA_LANCAMENTO,   A.BALCO AS CODIGO_CONTA,   COALESCE(A.VINGRUPO||A.VINCODIGO, '001001') AS "
    "CODIGO_CENTRO_CUSTO,   CAST(SUM(A.DEBIT) AS NUMERIC(18,2)) AS VALOR,   'D' AS INDICADOR_DEBITO_CREDITO,   "
    "A.SEQUENCIA AS NUMERO_ARQUIVAMENTO,   A.SEQUENCIA AS NUMERO_LANCAMENTO, A.IE,   SUBSTRING(A.DISCRI FROM 1 FOR "
    "149) AS HISTORICO, COALESCE(A.EMPRESA,0) AS \"EMPRESA\" FROM CONDIA A   WHERE A.BALCO IS NOT NULL ";
const char* const AGRUPAMENTO =
    "GROUP BY A.BALCO, A.DATAE, A.VINGRUPO, A.VINCODIGO, A.SEQUENCIA, A.IE, SUBSTRING(A.DISCRI FROM 1 FOR 149), "
    "A.EMPRESA  ";

// The history of an entry whose own description cleans to nothing, by entry type.
// Used as it stands: these texts keep their accents and hyphen in the file.
const std::map<std::string, std::string>& historicoPadrao()
{
    static const std::map<std::string, std::string> tabela = {
        {"1", "SALDO DE BALAN\xC7O"},
        {"2", "SALDO DE BALAN\xC7O"},
        {"3", "SALDO DE BALAN\xC7O"},
        {"6", "CR\xC9" "DITOS SUPLEMENTARES"},
        {"7", "DESPESA EMPENHADA"},
        {"8", "DESPESA ANULADA"},
        {"9", "RECEITA REALIZADA"},
        {"11", "EXTRA-OR\xC7" "AMENT\xC1RIO"},
        {"12", "CONTA CORRENTE E CAIXA"},
        {"13", "PAGAMENTO OR\xC7" "AMENT\xC1RIO"},
        {"16", "D\xCDVIDA ATIVA"},
        {"18", "CAUS\xD5" "ES"},
        {"19", "CONTRIBUI\xC7\xC3O PATRONAL"},
        {"22", "VALORES EM GUARDA"},
        {"24", "ADIANTAMENTO"},
        {"26", "RESTOS A PAGAR"},
        {"27", "AMORTIZA\xC7\xD5" "ES"},
        {"30", "AUTOM\xC1TICO P/ USU\xC1RIO"},
        {"33", "MANUAL P/ USU\xC1RIO"},
        {"35", "FINAIS"},
        {"36", "FINAIS"},
        {"37", "INCORPORA\xC7\xC3O DE BENS PATRIMONIAIS"},
        {"38", "BAIXA DE BENS PATRIMONIAIS"},
    };
    return tabela;
}

// The date of a literal 'dd.mm.yyyy'.
Data DataDoLiteral(const std::string& literal)
{
    if (literal.size() != 12)
        return Data{};
    return Data{std::atoi(literal.substr(7, 4).c_str()), std::atoi(literal.substr(4, 2).c_str()),
                std::atoi(literal.substr(1, 2).c_str())};
}

} // namespace

std::string SqlLancamentos(const std::string& filtroEmpresa, const std::string& dataIni, const std::string& dataFim)
{
    std::string periodo = "   AND (A.DATAE >= " + dataIni + " AND A.DATAE <= " + dataFim + ") ";
    return std::string(CABECA_DEBITO) + filtroEmpresa + periodo + AGRUPAMENTO +
           "HAVING CAST(SUM(A.DEBIT) AS NUMERIC(18,2)) <> 0 " + " " + "UNION ALL " + " " +
           "SELECT A.DATAE AS DATA_LANCAMENTO, " + "  A.BALCO AS CODIGO_CONTA, " +
           "  COALESCE(A.VINGRUPO||A.VINCODIGO, '001001') AS CODIGO_CENTRO_CUSTO, " +
           "  CAST(SUM(A.CREDI) AS NUMERIC(18,2)) AS VALOR, " + "  'C' AS INDICADOR_DEBITO_CREDITO, " +
           "  A.SEQUENCIA AS NUMERO_ARQUIVAMENTO, " + "  A.SEQUENCIA AS NUMERO_LANCAMENTO, A.IE, " +
           "  SUBSTRING(A.DISCRI FROM 1 FOR 149) AS HISTORICO, COALESCE(A.EMPRESA,0) AS \"EMPRESA\" " +
           "FROM CONDIA A " + "  WHERE A.BALCO IS NOT NULL " + filtroEmpresa + periodo + AGRUPAMENTO +
           "HAVING CAST(SUM(A.CREDI) AS NUMERIC(18,2)) <> 0 " + "ORDER BY 1,2";
}

namespace {

// Both halves from one grouping: per group its debit and its credit sum, rounded as each
// half rounds them. The database sorts the lines once instead of three times (each half
// and their union), and ORDER BY 1,2 falls on the first keys of that sort. A group gives
// its debit record, then its credit record, each when its half would have it; records of
// the same date and account, left in the database's order by the statement, come by
// entity (so the used accounts of one day and account are met in that order).
std::string SqlLancamentosAgrupados(const std::string& filtroEmpresa, const std::string& dataIni,
                                    const std::string& dataFim)
{
    return "SELECT A.DATAE AS DATA_LANCAMENTO, A.BALCO AS CODIGO_CONTA, "
           "COALESCE(A.VINGRUPO||A.VINCODIGO, '001001') AS CODIGO_CENTRO_CUSTO, "
           "CAST(SUM(A.DEBIT) AS NUMERIC(18,2)) AS DEBITO, CAST(SUM(A.CREDI) AS NUMERIC(18,2)) AS CREDITO, "
           "A.SEQUENCIA AS NUMERO_ARQUIVAMENTO, A.SEQUENCIA AS NUMERO_LANCAMENTO, A.IE, "
           "SUBSTRING(A.DISCRI FROM 1 FOR 149) AS HISTORICO, COALESCE(A.EMPRESA,0) AS \"EMPRESA\" "
           "FROM CONDIA A WHERE A.BALCO IS NOT NULL " +
           filtroEmpresa + "   AND (A.DATAE >= " + dataIni + " AND A.DATAE <= " + dataFim + ") " +
           "GROUP BY A.DATAE, A.BALCO, A.EMPRESA, A.VINGRUPO, A.VINCODIGO, A.SEQUENCIA, A.IE, "
           "SUBSTRING(A.DISCRI FROM 1 FOR 149) ORDER BY 1,2";
}

} // namespace

// ARQ_4.1.1: the journal entries of the period, a debit and a credit record per group;
// every account met goes into the used-accounts table.
void TGeracao::GERA_LANCAMENTOS()
{
    const std::string nome = NomeArquivo("ARQ_4.1.1", "_LANC_DIARIO_GERAL.txt");
    ArquivoDigital arquivo(CaminhoArquivo(nome));
    IniciarArquivo(arquivo, nome, "4.1.1. Lan\xE7" "amentos Diario Geral");

    // The rows are streamed, not held: a large city's year has a million of them. The
    // partial gauge follows the days of the period, since the rows come in date order.
    const Data primeiroDia = DataDoLiteral(entrada.DataIniSQL);
    const long dias = std::max(1L, DataDoLiteral(entrada.DataFimSQL).diasDesdeEpoca() - primeiroDia.diasDesdeEpoca() + 1);
    const int maximo = static_cast<int>(std::min<long>(dias, std::numeric_limits<int>::max()));
    relator.medidor(Relator::Medidor::Parte, maximo, 0);

    const bool porInstrucoes = dm.PorInstrucoes;
    Cursor cursor = Conexao.abrirCursor(
        porInstrucoes ? SqlLancamentos(FiltroEmpresaDiario, entrada.DataIniSQL, entrada.DataFimSQL)
                      : SqlLancamentosAgrupados(FiltroEmpresaDiario, entrada.DataIniSQL, entrada.DataFimSQL));
    const Colunas& col = cursor.colunas();
    const int cData = col.indiceObrigatorio("DATA_LANCAMENTO");
    const int cConta = col.indiceObrigatorio("CODIGO_CONTA");
    const int cCentro = col.indiceObrigatorio("CODIGO_CENTRO_CUSTO");
    const int cDebito = col.indiceObrigatorio(porInstrucoes ? "VALOR" : "DEBITO");
    const int cCredito = porInstrucoes ? cDebito : col.indiceObrigatorio("CREDITO");
    const int cIndicador = porInstrucoes ? col.indiceObrigatorio("INDICADOR_DEBITO_CREDITO") : -1;
    const int cArquivamento = col.indiceObrigatorio("NUMERO_ARQUIVAMENTO");
    const int cLancamento = col.indiceObrigatorio("NUMERO_LANCAMENTO");
    const int cIe = col.indiceObrigatorio("IE");
    const int cHistorico = col.indiceObrigatorio("HISTORICO");
    const int cEmpresa = col.indiceObrigatorio("EMPRESA");

    // The parts of a record that a group's debit and credit records share, cleaned once;
    // the account and the numbers repeat from row to row, so the last ones are kept.
    const std::string brancos28(28, ' ');
    std::string registro, comum, contaLida, campoConta, numeroLido, lancamentoLido, campoNumeros, centroLido,
        campoCentro;
    long long empresaLida = 0;
    std::unordered_set<std::string> registradas;   // the accounts this file put in cdsTemp
    Data data;
    std::string conta;
    long long empresa = 0;
    auto preparar = [&](const Registro& r) {
        std::string h = LIMPA_TEXTO(r[cHistorico].comoTexto());
        if (h.empty()) {
            auto p = historicoPadrao().find(r[cIe].comoTexto());
            if (p != historicoPadrao().end())
                h = p->second;
        }
        data = r[cData].comoData();
        conta = r[cConta].comoTexto();
        empresa = r[cEmpresa].comoInteiro();
        if (conta != contaLida || empresa != empresaLida || campoConta.empty()) {
            contaLida = conta;
            empresaLida = empresa;
            campoConta = COMPLETA_BRANCOS(28, ContaComEmpresa(LIMPA_TEXTO(conta), empresa));
        }
        const std::string centro = r[cCentro].comoTexto();
        if (centro != centroLido || campoCentro.empty()) {
            centroLido = centro;
            campoCentro = COMPLETA_BRANCOS(28, LIMPA_TEXTO(centro));
        }
        const std::string arquivamento = r[cArquivamento].comoTexto();
        const std::string lancamento = r[cLancamento].comoTexto();
        if (arquivamento != numeroLido || lancamento != lancamentoLido || campoNumeros.empty()) {
            numeroLido = arquivamento;
            lancamentoLido = lancamento;
            campoNumeros = COMPLETA_BRANCOS(12, LIMPA_TEXTO(arquivamento)) + COMPLETA_BRANCOS(12, LIMPA_TEXTO(lancamento));
        }
        comum = COMPLETA_BRANCOS(150, h.substr(0, 49));
    };
    auto escrever = [&](const Valor& campoValor, bool debito) {
        const Moeda valor = campoValor.comoMoeda();
        const bool negativo = valor < Moeda();
        const char* indicador = debito ? (negativo ? "C" : "D") : (negativo ? "D" : "C");

        registro.clear();
        registro += DATA_DDMMAAAA(data);
        registro += campoConta;
        registro += campoCentro;
        registro += brancos28;
        registro += COMPLETA_BRANCOS(17, VALOR_ZEROS(FORMATA_DECIMAL(2, valor), 17));
        registro += indicador;
        registro += campoNumeros;
        registro += comum;
        arquivo.escreverRegistro(registro);

        std::string contaEmpresa = ContaComEmpresa(conta, empresa);
        if (!registradas.count(contaEmpresa)) {
            RegistrarConta(contaEmpresa, conta, empresa, data.textoCurto(), valor, indicador);
            registradas.insert(std::move(contaEmpresa));
        }
        UltimoIndicadorDiario = indicador;
        const long dia = data.diasDesdeEpoca() - primeiroDia.diasDesdeEpoca() + 1;
        relator.medidor(Relator::Medidor::Parte, maximo, static_cast<int>(std::clamp<long>(dia, 0, maximo)));
    };
    // A half keeps a group whose sum, rounded to cents, is not zero (a null sum neither).
    auto temValor = [](const Valor& v) { return !v.nulo() && v.comoMoeda() != Moeda(); };
    while (cursor.proximo()) {
        const Registro& r = cursor.atual();
        preparar(r);
        if (porInstrucoes) {
            escrever(r[cDebito], r[cIndicador].comoTexto() == "D");
            continue;
        }
        if (temValor(r[cDebito]))
            escrever(r[cDebito], true);
        if (temValor(r[cCredito]))
            escrever(r[cCredito], false);
    }

    ConcluirArquivo(arquivo, nome);
}
