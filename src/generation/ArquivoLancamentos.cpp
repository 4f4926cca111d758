#include <algorithm>
#include <limits>
#include <map>

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

// ARQ_4.1.1: the journal entries of the period, a debit and a credit record per group;
// every account met goes into the used-accounts table.
void TGeracao::GERA_LANCAMENTOS()
{
    const std::string nome = NomeArquivo("ARQ_4.1.1", "_LANC_DIARIO_GERAL.txt");
    ESCREVE_ESTATUS(nome, "2");
    EstadoArquivo = "1";
    ArquivoDigital arquivo(CaminhoArquivo(nome));
    arquivo.abrir();
    relator.etapa("4.1.1. Lan\xE7" "amentos Diario Geral");
    relator.atualizar();

    // The rows are streamed, not held: a large city's year has a million of them. The
    // partial gauge is sized by the journal lines of the period, which bound the rows.
    const std::string contagem = "SELECT COUNT(*) FROM CONDIA A WHERE A.BALCO IS NOT NULL " + FiltroEmpresaDiario +
                                 "   AND (A.DATAE >= " + entrada.DataIniSQL + " AND A.DATAE <= " +
                                 entrada.DataFimSQL + ") ";
    const auto total = static_cast<int>(std::min<int64_t>(Conexao.consultar(contagem).at(0)[0].comoInteiro(),
                                                          std::numeric_limits<int>::max()));
    relator.medidor(Relator::Medidor::Parte, std::max(total, 1), 0);

    Cursor cursor = Conexao.abrirCursor(SqlLancamentos(FiltroEmpresaDiario, entrada.DataIniSQL, entrada.DataFimSQL));
    const Colunas& col = cursor.colunas();
    const int cData = col.indiceObrigatorio("DATA_LANCAMENTO");
    const int cConta = col.indiceObrigatorio("CODIGO_CONTA");
    const int cCentro = col.indiceObrigatorio("CODIGO_CENTRO_CUSTO");
    const int cValor = col.indiceObrigatorio("VALOR");
    const int cIndicador = col.indiceObrigatorio("INDICADOR_DEBITO_CREDITO");
    const int cArquivamento = col.indiceObrigatorio("NUMERO_ARQUIVAMENTO");
    const int cLancamento = col.indiceObrigatorio("NUMERO_LANCAMENTO");
    const int cIe = col.indiceObrigatorio("IE");
    const int cHistorico = col.indiceObrigatorio("HISTORICO");
    const int cEmpresa = col.indiceObrigatorio("EMPRESA");

    const std::string brancos28(28, ' ');
    int progresso = 0;
    std::string registro;
    while (cursor.proximo()) {
        const Registro& r = cursor.atual();
        std::string h = LIMPA_TEXTO(r[cHistorico].comoTexto());
        if (h.empty()) {
            auto p = historicoPadrao().find(r[cIe].comoTexto());
            if (p != historicoPadrao().end())
                h = p->second;
        }
        const Moeda valor = r[cValor].comoMoeda();
        const bool negativo = valor < Moeda();
        const std::string indicador = r[cIndicador].comoTexto() == "D" ? (negativo ? "C" : "D")
                                                                       : (negativo ? "D" : "C");
        const Data data = r[cData].comoData();
        const std::string conta = r[cConta].comoTexto();
        const long long empresa = r[cEmpresa].comoInteiro();
        const std::string contaEmpresa = ContaComEmpresa(conta, empresa);

        registro.clear();
        registro += DATA_DDMMAAAA(data);
        registro += COMPLETA_BRANCOS(28, ContaComEmpresa(LIMPA_TEXTO(conta), empresa));
        registro += COMPLETA_BRANCOS(28, LIMPA_TEXTO(r[cCentro].comoTexto()));
        registro += brancos28;
        registro += COMPLETA_BRANCOS(17, VALOR_ZEROS(FORMATA_DECIMAL(2, valor), 17));
        registro += indicador;
        registro += COMPLETA_BRANCOS(12, LIMPA_TEXTO(r[cArquivamento].comoTexto()));
        registro += COMPLETA_BRANCOS(12, LIMPA_TEXTO(r[cLancamento].comoTexto()));
        registro += COMPLETA_BRANCOS(150, h.substr(0, 49));
        arquivo.escreverRegistro(registro);

        RegistrarConta(contaEmpresa, conta, empresa, data.textoCurto(), valor, indicador);
        UltimoIndicadorDiario = indicador;
        relator.medidor(Relator::Medidor::Parte, std::max(total, 1), std::min(++progresso, std::max(total, 1)));
    }

    if (arquivo.registros() > 0) {
        arquivo.concluir();
    } else {
        arquivo.descartar();
        EstadoArquivo = "3";
    }
    ESCREVE_ESTATUS(nome, EstadoArquivo);
}
