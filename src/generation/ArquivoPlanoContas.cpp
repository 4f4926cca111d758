#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "balances/uDataModulo.h"
#include "db/ConexaoBanco.h"
#include "generation/TGeracao.h"
#include "generation/format/funcoes_tce.h"

namespace {

const char* const SQL_SINTETICAS =
    "SELECT  ('01/01/'||(SELECT CADCLI.MEXER FROM CADCLI)) AS DATA_ATUALIZACAO, BALCO  FROM CONPLA A "
    "WHERE SUBSTRING(A.BALCO FROM 5 FOR 2) = '00'";

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

// How the chart's key column compares: trailing blanks do not count.
std::string SemBrancosFinais(const std::string& texto)
{
    const std::size_t fim = texto.find_last_not_of(' ');
    return fim == std::string::npos ? std::string() : texto.substr(0, fim + 1);
}

// What the one-account statement gives for an account.
struct ContaPlano {
    std::string data;
    std::string codigo;
    std::string tipo;
    std::string totalizadora;
    std::string descricao;

    auto chave() const { return std::tie(codigo, tipo, totalizadora, descricao); }
};

// The chart already in memory (cdsPLANO, loaded by the monthly balances file) by its
// code as the database compares it. A chart without a key may list an account twice:
// the statement sorts its distinct rows and the first one is used, so the least one
// is kept here.
std::unordered_map<std::string, ContaPlano> IndexarPlano(ConjuntoDados& plano)
{
    std::unordered_map<std::string, ContaPlano> contas;
    for (plano.primeiro(); !plano.fim(); plano.proximo()) {
        ContaPlano c{plano.campo("DATA_ATUALIZACAO").comoTexto(), plano.campo("CODIGO_CONTA").comoTexto(),
                     plano.campo("TIPO_CONTA").comoTexto(), plano.campo("CONTA_TOTALIZADORA").comoTexto(),
                     plano.campo("DESCRICAO_CONTA").comoTexto()};
        auto [onde, nova] = contas.try_emplace(SemBrancosFinais(c.codigo), c);
        if (!nova && c.chave() < onde->second.chave())
            onde->second = std::move(c);
    }
    return contas;
}

} // namespace

std::string SqlContasSinteticas()
{
    return SQL_SINTETICAS;
}

std::string SqlUmaConta(const std::string& balco)
{
    return SqlColunasPlano() + " FROM CONPLA A WHERE A.BALCO = '" + Literal(balco) + "'";
}

// ARQ_4.9.2: the chart of accounts, one record per account used by the run's files and
// per synthetic account of the chart.
void TGeracao::GERA_PLANO_CONTAS()
{
    const std::string nome = NomeArquivo("ARQ_4.9.2", "_PLANO_DIARIO_GERAL.txt");
    ArquivoDigital arquivo(CaminhoArquivo(nome));
    IniciarArquivo(arquivo, nome, "4.9.2. Plano de Contas Diario Geral");

    for (const Registro& r : Conexao.consultar(SQL_SINTETICAS)) {
        const std::string balco = r["BALCO"].comoTexto();
        RegistrarConta(ContaComEmpresa(balco, 0), balco, 0, std::string(), Moeda(), std::string());
    }

    // One look-up per used account in the chart that the balances file loaded, rather than
    // a statement each: the same rows, read once.
    if (!cdsPLANO.aberto())
        cdsPLANO.abrir(Conexao, SqlPlanoContas());
    const std::unordered_map<std::string, ContaPlano> plano = IndexarPlano(cdsPLANO);
    ContaPlano lida;
    auto buscar = [&](const std::string& balco) -> const ContaPlano* {
        if (dm.PorInstrucoes) {
            const std::vector<Registro> linhas = Conexao.consultar(SqlUmaConta(balco));
            if (linhas.empty())
                return nullptr;
            const Registro& r = linhas.front();
            lida = {r["DATA_ATUALIZACAO"].comoTexto(), r["CODIGO_CONTA"].comoTexto(), r["TIPO_CONTA"].comoTexto(),
                    r["CONTA_TOTALIZADORA"].comoTexto(), r["DESCRICAO_CONTA"].comoTexto()};
            return &lida;
        }
        const auto achada = plano.find(SemBrancosFinais(balco));
        return achada == plano.end() ? nullptr : &achada->second;
    };

    const int total = cdsTemp.contar();
    relator.medidor(Relator::Medidor::Parte, total, 0);
    int progresso = 0;
    std::string registro;
    for (cdsTemp.primeiro(); !cdsTemp.fim(); cdsTemp.proximo()) {
        const std::string conta = cdsTemp.campo("CONTA").comoTexto();
        const std::string balco = cdsTemp.campo("BALCO").comoTexto();
        const ContaPlano* achada = buscar(balco);
        if (!achada) {
            // An account that the journal or the balances use and the chart lacks: the
            // file would not describe it, so the operator must add it to the chart.
            const std::string empresa = conta.size() > balco.size() ? conta.substr(balco.size()) : std::string();
            ESCREVE_ERRO("PLANO_DIARIO_GERAL == CONTA N\xC3O ENCONTRADA NO PLANO DE CONTAS (CONTA. " + balco +
                             ") (EMP. " + empresa + ")",
                         "P");
            ESCREVE_ERRO(SOLUCAO_PLANO, "S");
            EstadoArquivo = "0";
        } else {
            const ContaPlano& c = *achada;
            const Data data = Data::deTextoCurto(c.data);
            const std::string descricao = LIMPA_TEXTO(c.descricao);

            registro.clear();
            registro += DATA_DDMMAAAA(data);
            registro += COMPLETA_BRANCOS(28, conta);
            registro += COMPLETA_BRANCOS(1, c.tipo);
            registro += COMPLETA_BRANCOS(28, c.totalizadora.empty() ? std::string() : c.totalizadora + "00");
            registro += COMPLETA_BRANCOS(45, descricao);
            arquivo.escreverRegistro(registro);

            if (TIRA_PONTOS(descricao).empty()) {
                ESCREVE_ERRO("PLANO_DIARIO_GERAL == DESCRI\xC7\xC3O DA CONTA INV\xC1LIDA (CONTA. " + c.codigo +
                                 ") (EMP. 00)",
                             "P");
                ESCREVE_ERRO(SOLUCAO_PLANO, "S");
                EstadoArquivo = "0";
            }
        }
        relator.medidor(Relator::Medidor::Parte, total, ++progresso);
    }

    ConcluirArquivo(arquivo, nome);
}
