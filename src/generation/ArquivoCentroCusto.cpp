#include "db/ConjuntoDados.h"
#include "generation/TGeracao.h"
#include "generation/format/funcoes_tce.h"

namespace {

const char* const SQL_CENTRO_CUSTO =
    "SELECT ('01/01/'||(SELECT CADCLI.MEXER FROM CADCLI)) AS DATA_ATUALIZACAO, A.VINGRUPO||A.VINCODIGO AS "
    "CODIGO_CENTRO_CUSTO, A.VINCODIGONOME AS DESCRICAO FROM VINCODIGO A ";

} // namespace

std::string SqlCentroCusto()
{
    return SQL_CENTRO_CUSTO;
}

// ARQ_4.9.3: the cost centres, the same records for every entity and period.
void TGeracao::GERA_CENTRO_CUSTO()
{
    GerarPorConsulta(
        "ARQ_4.9.3", "_CENTRO_CUSTO_DESPESA.txt", "4.9.3. Centro de Custo/Despesa", SqlCentroCusto(),
        [this](const ConjuntoDados& linha, ArquivoDigital& arquivo) {
            const Data data = Data::deTextoCurto(linha.campo("DATA_ATUALIZACAO").comoTexto());
            const std::string codigo = linha.campo("CODIGO_CENTRO_CUSTO").comoTexto();
            const std::string descricao = LIMPA_TEXTO(linha.campo("DESCRICAO").comoTexto());
            arquivo.escreverRegistro(DATA_DDMMAAAA(data) + COMPLETA_BRANCOS(28, LIMPA_TEXTO(codigo)) +
                                     COMPLETA_BRANCOS(45, descricao));
            if (descricao.size() < 3) {
                ESCREVE_ERRO("CENTRO_CUSTO_DESPESA == DESCRI\xC7\xC3O INV\xC1LIDA (CODIGO. " + codigo + ")", "P");
                ESCREVE_ERRO("INFORME NO MODULO \"CONTAS\" MENU \"CADASTRO AUXILIAREES\" ITEM \"CADASTRO DE VINCULOS\"",
                             "S");
                EstadoArquivo = "0";
            }
        });
}
