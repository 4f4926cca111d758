#include <string>
#include <vector>

#include "db/ConexaoBanco.h"
#include "generation/TGeracao.h"
#include "generation/format/funcoes_tce.h"

namespace {

const char* const SQL_SINTETICAS =
    "SELECT  ('01/01/'||(SELECT CADCLI.MEXER FROM CADCLI)) AS DATA_ATUALIZACAO, BALCO  FROM CONPLA A "
    "WHERE SUBSTRING(A.BALCO FROM 5 FOR 2) = '00'";

const char* const SQL_CONTA =
    "SELECT  DISTINCT   ('01/01/'||(SELECT CADCLI.MEXER FROM CADCLI)) AS DATA_ATUALIZACAO,"
    "   A.BALCO AS CODIGO_CONTA,"
    "   CASE      WHEN SUBSTRING(A.BALCO FROM 5 FOR 2) = '00' THEN 'S'   ELSE 'A' END AS TIPO_CONTA,"
    "   CASE"
    "   WHEN SUBSTRING(A.BALCO FROM 5 FOR 2) <> '00' THEN SUBSTRING(A.BALCO FROM 1 FOR 4)||'00'"
    "   WHEN (SUBSTRING(A.BALCO FROM 5 FOR 2) = '00') AND (SUBSTRING(A.BALCO FROM 4 FOR 1) <> '0') THEN "
    "SUBSTRING(A.BALCO FROM 1 FOR 3)||'000'"
    "   WHEN (SUBSTRING(A.BALCO FROM 5 FOR 2) = '00') AND (SUBSTRING(A.BALCO FROM 3 FOR 1) <> '0') THEN "
    "SUBSTRING(A.BALCO FROM 1 FOR 2)||'0000'"
    "   WHEN (SUBSTRING(A.BALCO FROM 5 FOR 2) = '00') AND (SUBSTRING(A.BALCO FROM 2 FOR 1) <> '0') THEN "
    "SUBSTRING(A.BALCO FROM 1 FOR 1)||'00000'"
    "   ELSE NULL END AS CONTA_TOTALIZADORA,"
    "   COALESCE(A.TITCO, 'CONTA N\xC3O INFORMADA') AS DESCRICAO_CONTA FROM CONPLA A WHERE A.BALCO = '";

const char* const SOLUCAO_PLANO =
    "INFORME NO MODULO \"DI\xC1RIO RAZ\xC3O MURT\" MENU \"PLANO DE CONTAS\"";

// A code from the database inside a quoted literal: a quote in it stays a character.
std::string Literal(const std::string& texto)
{
    std::string r;
    for (char c : texto) {
        r += c;
        if (c == '\'')
            r += '\'';
    }
    return r;
}

} // namespace

// ARQ_4.9.2: the chart of accounts, one record per account used by the run's files and
// per synthetic account of the chart.
void TGeracao::GERA_PLANO_CONTAS()
{
    const std::string nome = NomeArquivo("ARQ_4.9.2", "_PLANO_DIARIO_GERAL.txt");
    ESCREVE_ESTATUS(nome, "2");
    EstadoArquivo = "1";
    ArquivoDigital arquivo(CaminhoArquivo(nome));
    arquivo.abrir();
    relator.etapa("4.9.2. Plano de Contas Diario Geral");
    relator.atualizar();

    for (const Registro& r : Conexao.consultar(SQL_SINTETICAS)) {
        const std::string balco = r["BALCO"].comoTexto();
        RegistrarConta(ContaComEmpresa(balco, 0), balco, 0, std::string(), Moeda(), std::string());
    }

    const int total = cdsTemp.contar();
    relator.medidor(Relator::Medidor::Parte, total, 0);
    int progresso = 0;
    std::string registro;
    for (cdsTemp.primeiro(); !cdsTemp.fim(); cdsTemp.proximo()) {
        const std::string conta = cdsTemp.campo("CONTA").comoTexto();
        const std::string balco = cdsTemp.campo("BALCO").comoTexto();
        const std::vector<Registro> linhas = Conexao.consultar(SQL_CONTA + Literal(balco) + "'");
        if (linhas.empty()) {
            // An account that the journal or the balances use and the chart lacks: the
            // file would not describe it, so the operator must add it to the chart.
            const std::string empresa = conta.size() > balco.size() ? conta.substr(balco.size()) : std::string();
            ESCREVE_ERRO("PLANO_DIARIO_GERAL == CONTA N\xC3O ENCONTRADA NO PLANO DE CONTAS (CONTA. " + balco +
                             ") (EMP. " + empresa + ")",
                         "P");
            ESCREVE_ERRO(SOLUCAO_PLANO, "S");
            EstadoArquivo = "0";
        } else {
            const Registro& r = linhas.front();
            const Data data = Data::deTextoCurto(r["DATA_ATUALIZACAO"].comoTexto());
            const std::string totalizadora = r["CONTA_TOTALIZADORA"].comoTexto();
            const std::string descricao = LIMPA_TEXTO(r["DESCRICAO_CONTA"].comoTexto());

            registro.clear();
            registro += DATA_DDMMAAAA(data);
            registro += COMPLETA_BRANCOS(28, conta);
            registro += COMPLETA_BRANCOS(1, r["TIPO_CONTA"].comoTexto());
            registro += COMPLETA_BRANCOS(28, totalizadora.empty() ? std::string() : totalizadora + "00");
            registro += COMPLETA_BRANCOS(45, descricao);
            arquivo.escreverRegistro(registro);

            if (TIRA_PONTOS(descricao).empty()) {
                ESCREVE_ERRO("PLANO_DIARIO_GERAL == DESCRI\xC7\xC3O DA CONTA INV\xC1LIDA (CONTA. " +
                                 r["CODIGO_CONTA"].comoTexto() + ") (EMP. 00)",
                             "P");
                ESCREVE_ERRO(SOLUCAO_PLANO, "S");
                EstadoArquivo = "0";
            }
        }
        relator.medidor(Relator::Medidor::Parte, total, ++progresso);
    }

    if (arquivo.registros() > 0) {
        arquivo.concluir();
    } else {
        arquivo.descartar();
        EstadoArquivo = "3";
    }
    ESCREVE_ESTATUS(nome, EstadoArquivo);
}
