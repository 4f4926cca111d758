#include "demo/ModelosLancamento.h"

#include "demo/PlanoContas.h"
#include "demo/Texto1252.h"

namespace {

struct Linha {
    int ie;
    int peso;
    std::vector<std::string> debito;      // prefixes of analytic accounts
    std::vector<std::string> credito;
    std::vector<std::string> retencao;
    std::vector<int> entidades;
    int expoenteMin;
    int expoenteMax;
    RegraData data;
    bool estorno;
    std::vector<const char*> frases;      // UTF-8
};

const std::vector<Linha>& tabela()
{
    using R = RegraData;
    static const std::vector<Linha> linhas = {
        // Balances brought forward from 2007.
        {1, 2, {"1111", "1112", "1113"}, {"241101"}, {}, {}, 6, 9, R::Abertura, false,
         {"SALDO DE BALANÇO DO EXERCÍCIO DE 2007", ""}},
        {2, 1, {"1221", "1222"}, {"241101"}, {}, {1, 5}, 6, 9, R::Abertura, false,
         {"SALDO DE BALANÇO - BENS PATRIMONIAIS"}},
        {3, 1, {"241101"}, {"2121", "2122"}, {}, {}, 5, 8, R::Abertura, false,
         {"SALDO DE BALANÇO - RESTOS A PAGAR INSCRITOS EM 2007", ""}},

        // Revenue.
        {9, 70, {"111201", "111202"}, {"4111", "4112"}, {}, {1}, 3, 7, R::DiaUtil, false,
         {"ARRECADAÇÃO DE TRIBUTOS CONFORME BOLETIM DE CAIXA Nº #",
          "RECEITA DE IPTU - GUIAS QUITADAS NA REDE BANCÁRIA - LOTE #",
          "ISSQN - RECOLHIMENTO DO MÊS DE % - DAM Nº #"}},
        {9, 12, {"111203"}, {"417101"}, {}, {1}, 7, 9, R::DiaUtil, false,
         {"CRÉDITO DA COTA-PARTE DO FPM - DECÊNDIO DE %", "FPM - CRÉDITO EM CONTA"}},
        {9, 14, {"111206"}, {"417201", "417202"}, {}, {1}, 6, 8, R::DiaUtil, false,
         {"REPASSE DA COTA-PARTE DO ICMS - SEMANA Nº #", "COTA-PARTE DO IPVA - %"}},
        {9, 12, {"111205"}, {"417102"}, {}, {3}, 6, 8, R::DiaUtil, false,
         {"TRANSFERÊNCIA FUNDO A FUNDO - PAB FIXO - COMPETÊNCIA %/2008"}},
        {9, 10, {"111204"}, {"417301", "417104"}, {}, {1}, 6, 8, R::DiaUtil, false,
         {"CRÉDITO DO FUNDEB - %/2008", "PNAE - ALIMENTAÇÃO ESCOLAR - PARCELA #"}},
        {9, 50, {"111201", "111202"}, {"4161"}, {}, {5}, 3, 6, R::DiaUtil, false,
         {"ARRECADAÇÃO DE TARIFAS DE ÁGUA E ESGOTO - LOTE Nº #",
          "RECEBIMENTO DE CONTAS DE ÁGUA - AGÊNCIAS CREDENCIADAS"}},
        {9, 14, {"111201", "111202"}, {"4121"}, {}, {4}, 5, 7, R::FimDeMes, false,
         {"CONTRIBUIÇÕES PREVIDENCIÁRIAS - COMPETÊNCIA %/2008"}},
        {9, 14, {"1113"}, {"413101"}, {}, {}, 3, 6, R::FimDeMes, false,
         {"RENDIMENTO DE APLICAÇÃO FINANCEIRA - %/2008"}},
        {9, 20, {"111201", "111202"}, {"419301", "419101"}, {}, {1}, 3, 6, R::DiaUtil, false,
         {"RECEBIMENTO DE DÍVIDA ATIVA - CERTIDÃO Nº #/2007", "MULTAS E JUROS DE MORA - DAM Nº #"}},

        // Expenditure: commitment, payment, payroll.
        {7, 190, {"3331", "3332", "3333", "3334", "3441", "3442"}, {"212301", "212302"}, {}, {}, 3, 7,
         R::DiaUtil, false,
         {"EMPENHO Nº #/2008 - AQUISIÇÃO DE MATERIAL DE EXPEDIENTE",
          "EMPENHO Nº #/2008 - AQUISIÇÃO DE MATERIAL",
          "EMPENHO Nº #/2008 - SERVIÇOS DE MANUTENÇÃO DE VEÍCULOS DA FROTA MUNICIPAL",
          "EMPENHO Nº #/2008 - FORNECIMENTO DE COMBUSTÍVEL - & ",
          "EMPENHO Nº #/2008 - AQUISIÇÃO DE MEDICAMENTOS PARA DISTRIBUIÇÃO GRATUITA NAS UNIDADES "
          "BÁSICAS DE SAÚDE DO MUNICÍPIO, CONFORME PROCESSO LICITATÓRIO Nº #/2008",
          "EMPENHO ESTIMATIVO Nº #/2008 - ENERGIA ELÉTRICA - &",
          "EMPENHO GLOBAL Nº #/2008 - LOCAÇÃO DE IMÓVEL PARA A &"}},
        {13, 190, {"212301", "212302"}, {"111201", "111202", "111203", "111204", "111205"}, {}, {}, 3, 7,
         R::DiaUtil, false,
         {"PAGAMENTO DO EMPENHO Nº #/2008 - NOTA FISCAL Nº #",
          "PAGAMENTO DE FORNECEDOR - & - CHEQUE Nº #",
          "PAGAMENTO CONFORME ORDEM DE PAGAMENTO Nº #/2008"}},
        {13, 40, {"3311", "3313", "333501", "333502"}, {"111201", "111202"}, {"211101", "211104"}, {}, 6, 8,
         R::FimDeMes, false,
         {"PAGAMENTO DE FOLHA DE % - &", "FOLHA DE PAGAMENTO - COMPETÊNCIA %/2008 - &"}},
        {13, 35, {"212301"}, {"111201", "111202"}, {"211106", "211102"}, {}, 4, 7, R::DiaUtil, false,
         {"PAGAMENTO DA NOTA FISCAL Nº # COM RETENÇÃO NA FONTE",
          "PAGAMENTO DE SERVIÇOS PRESTADOS - & - RETENÇÃO DE ISSQN"}},
        {19, 25, {"3312"}, {"211101", "211104"}, {}, {}, 5, 7, R::FimDeMes, false,
         {"CONTRIBUIÇÃO PATRONAL - COMPETÊNCIA %/2008", "OBRIGAÇÕES PATRONAIS - & - %"}},

        // Cancellations, and reversals of entries posted twice (negative amounts).
        {8, 25, {"212301"}, {"3331", "3333"}, {}, {}, 3, 6, R::DiaUtil, false,
         {"ANULAÇÃO PARCIAL DO EMPENHO Nº #/2008", "ANULAÇÃO DE SALDO DE EMPENHO ESTIMATIVO"}},
        {8, 6, {"3331", "3333"}, {"212301"}, {}, {}, 3, 6, R::DiaUtil, true,
         {"ESTORNO DE LANÇAMENTO EM DUPLICIDADE - EMPENHO Nº #/2008"}},

        // Off-budget movements, banks, advances.
        {11, 35, {"211101", "211102", "211104", "211105", "211106"}, {"111201", "111202"}, {}, {}, 4, 7,
         R::DiaUtil, false,
         {"RECOLHIMENTO DE CONSIGNAÇÕES - COMPETÊNCIA %/2008", "REPASSE DE EMPRÉSTIMOS CONSIGNADOS - %",
          "GUIA DA PREVIDÊNCIA SOCIAL - GPS - %/2008"}},
        {11, 8, {"111201"}, {"211201", "211202"}, {}, {}, 4, 6, R::DiaUtil, false,
         {"CAUÇÃO EM DINHEIRO - CONCORRÊNCIA Nº #/2008", "DEPÓSITO DE TERCEIROS - PROCESSO Nº #"}},
        {12, 28, {"1113"}, {"111201", "111202"}, {}, {}, 5, 8, R::DiaUtil, false,
         {"APLICAÇÃO FINANCEIRA AUTOMÁTICA", "APLICAÇÃO EM FUNDO DE INVESTIMENTO - CDB"}},
        {12, 28, {"111201", "111202"}, {"1113"}, {}, {}, 5, 8, R::DiaUtil, false,
         {"RESGATE DE APLICAÇÃO FINANCEIRA", "RESGATE AUTOMÁTICO PARA COBERTURA DE CHEQUES"}},
        {12, 8, {"111201"}, {"111203", "111206"}, {}, {1}, 5, 7, R::DiaUtil, false,
         {"TRANSFERÊNCIA ENTRE CONTAS BANCÁRIAS - TED Nº #"}},
        {12, 12, {"512101", "512102", "512103"}, {"111201"}, {}, {1}, 6, 7, R::FimDeMes, false,
         {"REPASSE DO DUODÉCIMO À CÂMARA MUNICIPAL - %/2008", "REPASSE FINANCEIRO - %/2008"}},
        {12, 12, {"111201"}, {"612101", "612102", "612103"}, {}, {2, 3, 4}, 6, 7, R::FimDeMes, false,
         {"DUODÉCIMO RECEBIDO DA PREFEITURA - %/2008", "REPASSE FINANCEIRO RECEBIDO - %/2008"}},
        {24, 12, {"112101"}, {"111201"}, {}, {}, 3, 5, R::DiaUtil, false,
         {"ADIANTAMENTO DE VIAGEM A SERVIDOR - PORTARIA Nº #/2008", "SUPRIMENTO DE FUNDOS - &"}},
        {26, 14, {"2121", "2122"}, {"111201", "111202"}, {}, {}, 4, 7, R::DiaUtil, false,
         {"PAGAMENTO DE RESTOS A PAGAR - EMPENHO Nº #/2007"}},
        {16, 6, {"1231"}, {"621102"}, {}, {1}, 5, 7, R::DiaUtil, false,
         {"INSCRIÇÃO EM DÍVIDA ATIVA - EXERCÍCIO DE 2007 - LIVRO Nº #"}},
        {6, 8, {"511101", "511201"}, {"611101", "611201"}, {}, {}, 5, 7, R::DiaUtil, false,
         {"ABERTURA DE CRÉDITO SUPLEMENTAR - DECRETO Nº #/2008", "CRÉDITOS SUPLEMENTARES - LEI Nº #/2008"}},
        {27, 6, {"221101", "221102"}, {"111201"}, {}, {1, 5}, 5, 7, R::FimDeMes, false,
         {"AMORTIZAÇÃO DO PARCELAMENTO DO INSS - PARCELA Nº #", "AMORTIZAÇÃO DE FINANCIAMENTO - %/2008"}},
        {37, 8, {"1221"}, {"621101"}, {}, {}, 4, 6, R::DiaUtil, false,
         {"INCORPORAÇÃO DE BEM MÓVEL - PLAQUETA Nº #", "INCORPORAÇÃO DE BENS - NOTA FISCAL Nº #"}},
        {38, 3, {"521101"}, {"1221"}, {}, {}, 4, 6, R::DiaUtil, false,
         {"BAIXA DE BEM INSERVÍVEL - PLAQUETA Nº #"}},
        // Type 4 has no standard history: an empty description leaves the history blank.
        {4, 3, {"522101"}, {"622101"}, {}, {}, 3, 5, R::DiaUtil, false,
         {"AJUSTE DE SALDO CONFORME CONCILIAÇÃO BANCÁRIA", ""}},

        // Closing of the year.
        {35, 1, {"611101", "611201"}, {"511101", "511201"}, {}, {}, 7, 9, R::Encerramento, false,
         {"ENCERRAMENTO DO EXERCÍCIO - APURAÇÃO DO RESULTADO ORÇAMENTÁRIO"}},
        {36, 1, {"621101", "622101"}, {"521101", "522101"}, {}, {}, 6, 8, R::Encerramento, false,
         {"ENCERRAMENTO DO EXERCÍCIO - RESULTADO EXTRA-ORÇAMENTÁRIO"}},
    };
    return linhas;
}

std::vector<ModeloLancamento> montar()
{
    std::vector<ModeloLancamento> modelos;
    for (const auto& l : tabela()) {
        ModeloLancamento m{l.ie, l.peso, ContasAnaliticas(l.debito), ContasAnaliticas(l.credito), {},
                           l.entidades, l.expoenteMin, l.expoenteMax, l.data, l.estorno, {}};
        if (!l.retencao.empty())
            m.retencao = ContasAnaliticas(l.retencao);
        for (const char* f : l.frases)
            m.frases.push_back(cp1252(f));
        modelos.push_back(std::move(m));
    }
    return modelos;
}

} // namespace

const std::vector<ModeloLancamento>& ModelosLancamento()
{
    static const std::vector<ModeloLancamento> modelos = montar();
    return modelos;
}
