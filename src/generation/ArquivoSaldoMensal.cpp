#include <algorithm>
#include <string>

#include "balances/uDataModulo.h"
#include "db/ConexaoBanco.h"
#include "generation/TGeracao.h"
#include "generation/format/funcoes_tce.h"

namespace {

// The columns of an account of the chart, shared by the chart statement and the
// one-account statement of the chart file.
const std::string COLUNAS_PLANO =
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
    "   COALESCE(A.TITCO, 'CONTA N\xC3O INFORMADA') AS DESCRICAO_CONTA";

// The chart of accounts; this file needs only the nature D_C of an account.
const std::string SQL_PLANO = COLUNAS_PLANO + ", A.D_C FROM CONPLA A";

std::string DoisDigitos(int n)
{
    return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

std::string CampoValor(Moeda valor)
{
    return COMPLETA_BRANCOS(17, VALOR_ZEROS(FORMATA_DECIMAL(2, valor), 17));
}

} // namespace

std::string SqlPlanoContas()
{
    return SQL_PLANO;
}

std::string SqlColunasPlano()
{
    return COLUNAS_PLANO;
}

// ARQ_4.1.2: for each month of the period the balances of the analytic accounts, from
// the monthly balances that CALCULA_CONPLA_MES rebuilds on the work table.
void TGeracao::GERA_SALDO_MENSAL()
{
    const std::string nome = NomeArquivo("ARQ_4.1.2", "_SALDO_MESAL_DIARIO_GERAL.txt");
    ArquivoDigital arquivo(CaminhoArquivo(nome));
    IniciarArquivo(arquivo, nome, "4.1.2. Saldos Mensais Diario Geral");

    cdsPLANO.fechar();
    cdsPLANO.abrir(Conexao, SQL_PLANO);

    RECRIA_TABELA_TRABALHO();
    // The table is read once for all the months; it stays as filled until the next run.
    dm.LE_TABELA_TRABALHO();
    struct Liberacao {
        Tdm& dm;
        ~Liberacao() { dm.LIBERA_TABELA_TRABALHO(); }
    } liberacao{dm};

    // The indicators carry over from record to record (and from the journal into the
    // first record): a zero balance of an account without nature keeps the letter before.
    std::string indicadorInicial = UltimoIndicadorDiario;
    std::string indicadorFinal;

    const int primeiroMes = std::stoi(entrada.DataIniSQL.substr(4, 2));
    const int ultimoMes = std::stoi(entrada.DataFimSQL.substr(4, 2));
    const int ano = std::stoi(entrada.Exercicio);
    const std::string tipo = consolidado ? "CO" : "UG";
    std::string registro;

    for (int mes = primeiroMes; mes <= ultimoMes; ++mes) {
        const std::string mm = DoisDigitos(mes);
        const std::string inicio = "'01." + mm + "." + entrada.Exercicio + "'";
        const std::string fim = "'" + std::to_string(ULTIMO_DIA_MES(mes, ano)) + "." + mm + "." + entrada.Exercicio + "'";
        relator.etapa("4.1.2. Saldos Mensais Diario Geral / M\xEAs = " + mm);
        relator.atualizar();

        dm.CALCULA_CONPLA_MES(inicio, fim, tipo, consolidado ? std::string() : CodigoEmpresa);
        ConjuntoDados& saldos = dm.cdsBalancete;
        saldos.primeiro();

        // A month without balances writes nothing; the months after it still do.
        const int total = saldos.contar();
        if (total > 0) {
            relator.medidor(Relator::Medidor::Parte, total, 0);
            const std::string dataRegistro = DATA_DDMMAAAA(Data{ano, mes, 1});
            int progresso = 0;
            for (; !saldos.fim(); saldos.proximo()) {
                const std::string balco = saldos.campo("BALCO").comoTexto();
                const bool sintetica = balco.size() >= 6 && balco.compare(4, 2, "00") == 0;
                if (!sintetica && cdsPLANO.localizar({"CODIGO_CONTA"}, {Valor::texto(balco)})) {
                    const std::string natureza = cdsPLANO.campo("D_C").comoTexto();
                    const long long empresa = saldos.campo("UG").comoInteiro();
                    const Moeda inicial = saldos.campo("SALDO_INICIAL").comoMoeda();
                    const Moeda final_ = saldos.campo("SALDO_FINAL").comoMoeda();
                    INDICADOR_DC(natureza, balco, inicial, indicadorInicial);
                    INDICADOR_DC(natureza, balco, final_, indicadorFinal);

                    registro.clear();
                    registro += dataRegistro;
                    registro += COMPLETA_BRANCOS(28, ContaComEmpresa(LIMPA_TEXTO(balco), empresa));
                    registro += CampoValor(inicial);
                    registro += COMPLETA_BRANCOS(1, indicadorInicial);
                    registro += CampoValor(saldos.campo("DEBIT").comoMoeda());
                    registro += CampoValor(saldos.campo("CREDI").comoMoeda());
                    registro += CampoValor(final_);
                    registro += COMPLETA_BRANCOS(1, indicadorFinal);
                    arquivo.escreverRegistro(registro);

                    RegistrarConta(ContaComEmpresa(balco, empresa), balco, empresa, std::string(), Moeda(),
                                   std::string());
                }
                relator.medidor(Relator::Medidor::Parte, total, ++progresso);
            }
        }
        AvancarTodos();
        VerificarCancelamento();
    }

    ConcluirArquivo(arquivo, nome);
    relator.atualizar();
}
