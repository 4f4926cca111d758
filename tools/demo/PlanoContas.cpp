#include "demo/PlanoContas.h"

#include <set>
#include <stdexcept>

#include "demo/Texto1252.h"

namespace {

struct Linha {
    const char* balco;
    const char* titulo;   // UTF-8; nullptr for the account without title
};

// Natures follow the first digit, except on the equity accounts, which can close on
// either side and were left without one, and on one adjustment account.
const std::set<std::string> SEM_NATUREZA = {"240000", "241000", "241100", "241101", "522101"};

const Linha PLANO[] = {
    {"100000", "ATIVO"},
    {"110000", "ATIVO FINANCEIRO"},
    {"111000", "DISPONÍVEL"},
    {"111100", "CAIXA"},
    {"111101", "CAIXA GERAL"},
    {"111102", "CAIXA - FUNDO FIXO"},
    {"111200", "BANCOS CONTA MOVIMENTO"},
    {"111201", "BANCO DO BRASIL S.A. - CONTA MOVIMENTO"},
    {"111202", "CAIXA ECONÔMICA FEDERAL - CONTA MOVIMENTO"},
    {"111203", "BANCO DO BRASIL S.A. - FPM"},
    {"111204", "BANCO DO BRASIL S.A. - FUNDEB"},
    {"111205", "CAIXA ECONÔMICA FEDERAL - SUS"},
    {"111206", "BANCO DO BRASIL S.A. - ICMS"},
    {"111300", "APLICAÇÕES FINANCEIRAS"},
    {"111301", "APLICAÇÃO FINANCEIRA - BANCO DO BRASIL S.A."},
    {"111302", "APLICAÇÃO FINANCEIRA - CAIXA ECONÔMICA FEDERAL"},
    {"112000", "CRÉDITOS EM CIRCULAÇÃO"},
    {"112100", "DEVEDORES - ENTIDADES E AGENTES"},
    {"112101", "ADIANTAMENTOS CONCEDIDOS A SERVIDORES"},
    {"112102", "SALÁRIO-FAMÍLIA A COMPENSAR"},
    {"112200", "DEPÓSITOS REALIZÁVEIS A CURTO PRAZO"},
    {"112201", "DEPÓSITOS JUDICIAIS"},
    {"120000", "ATIVO PERMANENTE"},
    {"121000", "INVESTIMENTOS"},
    {"121100", "PARTICIPAÇÕES SOCIETÁRIAS"},
    {"121101", "AÇÕES DE SOCIEDADES DE ECONOMIA MISTA"},
    {"122000", "IMOBILIZADO"},
    {"122100", "BENS MÓVEIS"},
    {"122101", "MÓVEIS E UTENSÍLIOS"},
    {"122102", "VEÍCULOS"},
    {"122103", "EQUIPAMENTOS DE INFORMÁTICA"},
    {"122104", "MÁQUINAS, APARELHOS E EQUIPAMENTOS"},
    {"122200", "BENS IMÓVEIS"},
    {"122201", "EDIFÍCIOS"},
    {"122202", "TERRENOS"},
    {"122203", "OBRAS EM ANDAMENTO"},
    {"123000", "REALIZÁVEL A LONGO PRAZO"},
    {"123100", "DÍVIDA ATIVA"},
    {"123101", "DÍVIDA ATIVA TRIBUTÁRIA"},
    {"123102", "DÍVIDA ATIVA NÃO TRIBUTÁRIA"},

    {"200000", "PASSIVO"},
    {"210000", "PASSIVO FINANCEIRO"},
    {"211000", "DEPÓSITOS"},
    {"211100", "CONSIGNAÇÕES"},
    {"211101", "INSS - RETENÇÃO DE SERVIDORES"},
    {"211102", "IMPOSTO DE RENDA RETIDO NA FONTE"},
    {"211103", "PENSÃO ALIMENTÍCIA"},
    {"211104", "CONTRIBUIÇÃO AO REGIME PRÓPRIO DE PREVIDÊNCIA"},
    {"211105", "EMPRÉSTIMOS CONSIGNADOS"},
    {"211106", "ISSQN RETIDO NA FONTE"},
    {"211200", "DEPÓSITOS DE DIVERSAS ORIGENS"},
    {"211201", "CAUÇÕES EM DINHEIRO"},
    {"211202", "DEPÓSITOS DE TERCEIROS"},
    {"212000", "OBRIGAÇÕES EM CIRCULAÇÃO"},
    {"212100", "RESTOS A PAGAR PROCESSADOS"},
    {"212101", "RESTOS A PAGAR PROCESSADOS DE 2007"},
    {"212102", "RESTOS A PAGAR PROCESSADOS DE EXERCÍCIOS ANTERIORES"},
    {"212200", "RESTOS A PAGAR NÃO PROCESSADOS"},
    {"212201", "RESTOS A PAGAR NÃO PROCESSADOS DE 2007"},
    {"212300", "FORNECEDORES"},
    {"212301", "FORNECEDORES DO EXERCÍCIO"},
    {"212302", "CREDORES DIVERSOS"},
    {"220000", "PASSIVO PERMANENTE"},
    {"221000", "DÍVIDA FUNDADA INTERNA"},
    {"221100", "EM CONTRATOS"},
    {"221101", "PARCELAMENTO DE DÉBITOS COM O INSS"},
    {"221102", "FINANCIAMENTO - CAIXA ECONÔMICA FEDERAL"},
    {"240000", "SALDO PATRIMONIAL"},
    {"241000", "PATRIMÔNIO LÍQUIDO"},
    {"241100", "ATIVO REAL LÍQUIDO"},
    {"241101", "ATIVO REAL LÍQUIDO"},

    {"300000", "DESPESA"},
    {"330000", "DESPESAS CORRENTES"},
    {"331000", "PESSOAL E ENCARGOS SOCIAIS"},
    {"331100", "VENCIMENTOS E VANTAGENS FIXAS - PESSOAL CIVIL"},
    {"331101", "VENCIMENTOS - PESSOAL EFETIVO"},
    {"331102", "VENCIMENTOS - CARGOS EM COMISSÃO"},
    {"331103", "GRATIFICAÇÕES"},
    {"331104", "DÉCIMO TERCEIRO SALÁRIO"},
    {"331105", "FÉRIAS - ABONO CONSTITUCIONAL"},
    {"331200", "OBRIGAÇÕES PATRONAIS"},
    {"331201", "CONTRIBUIÇÃO PATRONAL - INSS"},
    {"331202", "CONTRIBUIÇÃO PATRONAL - REGIME PRÓPRIO"},
    {"331203", "FGTS"},
    {"331300", "CONTRATAÇÃO POR TEMPO DETERMINADO"},
    {"331301", "SALÁRIOS - CONTRATOS TEMPORÁRIOS"},
    {"332000", "JUROS E ENCARGOS DA DÍVIDA"},
    {"332100", "JUROS SOBRE A DÍVIDA POR CONTRATO"},
    {"332101", "JUROS - PARCELAMENTO DO INSS"},
    {"333000", "OUTRAS DESPESAS CORRENTES"},
    {"333100", "MATERIAL DE CONSUMO"},
    {"333101", "COMBUSTÍVEIS E LUBRIFICANTES AUTOMOTIVOS"},
    {"333102", "GÊNEROS DE ALIMENTAÇÃO"},
    {"333103", "MATERIAL DE EXPEDIENTE"},
    {"333104", "MATERIAL DE LIMPEZA E PRODUTOS DE HIGIENIZAÇÃO"},
    {"333105", "MATERIAL FARMACOLÓGICO"},
    {"333106", "MATERIAL PARA MANUTENÇÃO DE BENS IMÓVEIS"},
    {"333107", "..."},   // opened in a hurry: a title of points only
    {"333200", "OUTROS SERVIÇOS DE TERCEIROS - PESSOA FÍSICA"},
    {"333201", "SERVIÇOS TÉCNICOS PROFISSIONAIS"},
    {"333202", "DIÁRIAS - CIVIL"},
    {"333300", "OUTROS SERVIÇOS DE TERCEIROS - PESSOA JURÍDICA"},
    {"333301", "SERVIÇOS DE ENERGIA ELÉTRICA"},
    {"333302", "SERVIÇOS DE TELECOMUNICAÇÕES"},
    {"333303", "SERVIÇOS DE ÁGUA E ESGOTO"},
    {"333304", "LOCAÇÃO DE IMÓVEIS"},
    {"333305", "MANUTENÇÃO E CONSERVAÇÃO DE VEÍCULOS"},
    {"333306", "SERVIÇOS DE PROCESSAMENTO DE DADOS"},
    {"333307", nullptr},   // and one never given a title
    {"333400", "TRANSFERÊNCIAS A INSTITUIÇÕES PRIVADAS"},
    {"333401", "CONTRIBUIÇÕES A ENTIDADES SEM FINS LUCRATIVOS"},
    {"333402", "AUXÍLIO FINANCEIRO A ESTUDANTES"},
    {"333500", "BENEFÍCIOS PREVIDENCIÁRIOS"},
    {"333501", "APOSENTADORIAS"},
    {"333502", "PENSÕES"},
    {"340000", "DESPESAS DE CAPITAL"},
    {"344000", "INVESTIMENTOS"},
    {"344100", "OBRAS E INSTALAÇÕES"},
    {"344101", "PAVIMENTAÇÃO DE VIAS URBANAS"},
    {"344102", "CONSTRUÇÃO DE UNIDADES ESCOLARES"},
    {"344103", "AMPLIAÇÃO DA REDE DE ÁGUA E ESGOTO"},
    {"344200", "EQUIPAMENTOS E MATERIAL PERMANENTE"},
    {"344201", "VEÍCULOS"},
    {"344202", "EQUIPAMENTOS DE INFORMÁTICA"},
    {"344203", "MOBILIÁRIO EM GERAL"},
    {"346000", "AMORTIZAÇÃO DA DÍVIDA"},
    {"346100", "AMORTIZAÇÃO DA DÍVIDA CONTRATUAL"},
    {"346101", "AMORTIZAÇÃO - PARCELAMENTO DO INSS"},

    {"400000", "RECEITA"},
    {"410000", "RECEITAS CORRENTES"},
    {"411000", "RECEITA TRIBUTÁRIA"},
    {"411100", "IMPOSTOS"},
    {"411101", "IMPOSTO PREDIAL E TERRITORIAL URBANO - IPTU"},
    {"411102", "IMPOSTO SOBRE SERVIÇOS DE QUALQUER NATUREZA - ISSQN"},
    {"411103", "IMPOSTO SOBRE TRANSMISSÃO INTER VIVOS - ITBI"},
    {"411104", "IMPOSTO DE RENDA RETIDO NA FONTE - IRRF"},
    {"411200", "TAXAS"},
    {"411201", "TAXA DE LICENÇA PARA FUNCIONAMENTO"},
    {"411202", "TAXA DE COLETA DE LIXO"},
    {"412000", "RECEITA DE CONTRIBUIÇÕES"},
    {"412100", "CONTRIBUIÇÕES SOCIAIS"},
    {"412101", "CONTRIBUIÇÃO DO SERVIDOR AO REGIME PRÓPRIO"},
    {"412102", "CONTRIBUIÇÃO PATRONAL AO REGIME PRÓPRIO"},
    {"412103", "CONTRIBUIÇÃO PARA O CUSTEIO DA ILUMINAÇÃO PÚBLICA"},
    {"413000", "RECEITA PATRIMONIAL"},
    {"413100", "RECEITAS DE VALORES MOBILIÁRIOS"},
    {"413101", "REMUNERAÇÃO DE DEPÓSITOS BANCÁRIOS"},
    {"416000", "RECEITA DE SERVIÇOS"},
    {"416100", "SERVIÇOS DE ÁGUA E ESGOTO"},
    {"416101", "TARIFA DE ÁGUA"},
    {"416102", "TARIFA DE ESGOTO"},
    {"417000", "TRANSFERÊNCIAS CORRENTES"},
    {"417100", "TRANSFERÊNCIAS DA UNIÃO"},
    {"417101", "COTA-PARTE DO FUNDO DE PARTICIPAÇÃO DOS MUNICÍPIOS - FPM"},
    {"417102", "TRANSFERÊNCIAS DO SUS - ATENÇÃO BÁSICA"},
    {"417103", "COTA-PARTE DO ITR"},
    {"417104", "TRANSFERÊNCIAS DO FNDE - ALIMENTAÇÃO ESCOLAR"},
    {"417200", "TRANSFERÊNCIAS DO ESTADO"},
    {"417201", "COTA-PARTE DO ICMS"},
    {"417202", "COTA-PARTE DO IPVA"},
    {"417300", "TRANSFERÊNCIAS MULTIGOVERNAMENTAIS"},
    {"417301", "TRANSFERÊNCIAS DO FUNDEB"},
    {"419000", "OUTRAS RECEITAS CORRENTES"},
    {"419100", "MULTAS E JUROS DE MORA"},
    {"419101", "MULTAS E JUROS DE MORA DOS TRIBUTOS"},
    {"419300", "RECEITA DA DÍVIDA ATIVA"},
    {"419301", "RECEITA DA DÍVIDA ATIVA TRIBUTÁRIA"},
    {"420000", "RECEITAS DE CAPITAL"},
    {"421000", "OPERAÇÕES DE CRÉDITO"},
    {"421100", "OPERAÇÕES DE CRÉDITO INTERNAS"},
    {"421101", "FINANCIAMENTO - CAIXA ECONÔMICA FEDERAL"},
    {"424000", "TRANSFERÊNCIAS DE CAPITAL"},
    {"424100", "TRANSFERÊNCIAS DA UNIÃO"},
    {"424101", "CONVÊNIO - MINISTÉRIO DAS CIDADES"},

    {"500000", "RESULTADO DIMINUTIVO DO EXERCÍCIO"},
    {"510000", "RESULTADO ORÇAMENTÁRIO"},
    {"511000", "DESPESA ORÇAMENTÁRIA"},
    {"511100", "DESPESAS CORRENTES"},
    {"511101", "DESPESAS CORRENTES"},
    {"511200", "DESPESAS DE CAPITAL"},
    {"511201", "DESPESAS DE CAPITAL"},
    {"512000", "INTERFERÊNCIAS PASSIVAS"},
    {"512100", "TRANSFERÊNCIAS FINANCEIRAS CONCEDIDAS"},
    {"512101", "REPASSE À CÂMARA MUNICIPAL"},
    {"512102", "REPASSE AO FUNDO MUNICIPAL DE SAÚDE"},
    {"512103", "REPASSE AO INSTITUTO DE PREVIDÊNCIA"},
    {"520000", "RESULTADO EXTRA-ORÇAMENTÁRIO"},
    {"521000", "MUTAÇÕES PASSIVAS"},
    {"521100", "DESINCORPORAÇÃO DE ATIVOS"},
    {"521101", "BAIXA DE BENS MÓVEIS"},
    {"521102", "CANCELAMENTO DE DÍVIDA ATIVA"},
    {"522000", "DECRÉSCIMOS PATRIMONIAIS"},
    {"522100", "VARIAÇÕES PASSIVAS INDEPENDENTES DA EXECUÇÃO"},
    {"522101", "AJUSTES DE EXERCÍCIOS ANTERIORES"},

    {"600000", "RESULTADO AUMENTATIVO DO EXERCÍCIO"},
    {"610000", "RESULTADO ORÇAMENTÁRIO"},
    {"611000", "RECEITA ORÇAMENTÁRIA"},
    {"611100", "RECEITAS CORRENTES"},
    {"611101", "RECEITAS CORRENTES"},
    {"611200", "RECEITAS DE CAPITAL"},
    {"611201", "RECEITAS DE CAPITAL"},
    {"612000", "INTERFERÊNCIAS ATIVAS"},
    {"612100", "TRANSFERÊNCIAS FINANCEIRAS RECEBIDAS"},
    {"612101", "DUODÉCIMO RECEBIDO DA PREFEITURA"},
    {"612102", "REPASSE RECEBIDO PARA A SAÚDE"},
    {"612103", "REPASSE RECEBIDO PARA A PREVIDÊNCIA"},
    {"620000", "RESULTADO EXTRA-ORÇAMENTÁRIO"},
    {"621000", "MUTAÇÕES ATIVAS"},
    {"621100", "INCORPORAÇÃO DE ATIVOS"},
    {"621101", "AQUISIÇÃO DE BENS MÓVEIS"},
    {"621102", "INSCRIÇÃO DA DÍVIDA ATIVA"},
    {"622000", "ACRÉSCIMOS PATRIMONIAIS"},
    {"622100", "VARIAÇÕES ATIVAS INDEPENDENTES DA EXECUÇÃO"},
    {"622101", "AJUSTES DE EXERCÍCIOS ANTERIORES"},
    {"622102", "DOAÇÕES RECEBIDAS"},
};

std::string natureza(const std::string& balco)
{
    if (SEM_NATUREZA.count(balco))
        return "";
    return (balco[0] - '0') % 2 == 1 ? "D" : "C";
}

// A missing level would make the balances of the demo silently incomplete.
void conferirNiveis(const std::vector<ContaDemo>& plano)
{
    std::set<std::string> codigos;
    for (const auto& c : plano)
        codigos.insert(c.balco);
    for (const auto& c : plano)
        for (std::size_t n = 1; n <= 4; ++n) {
            const std::string nivel = c.balco.substr(0, n) + std::string(6 - n, '0');
            if (!codigos.count(nivel))
                throw std::logic_error("plano de demonstração sem a conta " + nivel);
        }
}

std::vector<ContaDemo> montar()
{
    std::vector<ContaDemo> plano;
    for (const auto& l : PLANO)
        plano.push_back({l.balco,
                         l.titulo ? std::optional<std::string>(cp1252(l.titulo)) : std::nullopt,
                         natureza(l.balco)});
    conferirNiveis(plano);
    return plano;
}

} // namespace

const std::vector<ContaDemo>& PlanoDeContasDemo()
{
    static const std::vector<ContaDemo> plano = montar();
    return plano;
}

std::vector<std::string> ContasAnaliticas(const std::vector<std::string>& prefixos)
{
    std::vector<std::string> contas;
    for (const auto& c : PlanoDeContasDemo()) {
        if (c.sintetica())
            continue;
        for (const auto& p : prefixos)
            if (c.balco.starts_with(p)) {
                contas.push_back(c.balco);
                break;
            }
    }
    if (contas.empty())
        throw std::logic_error("nenhuma conta analítica para o modelo de lançamento");
    return contas;
}
