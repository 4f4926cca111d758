// Random contents of the accounting tables: nulls in every nullable column, texts of
// every byte from 0x20 to 0xFF up to the columns' widths (400 in the journal's
// descriptions), amounts up to the limits of NUMERIC(18,4), dates on the year's edges
// and beyond, account codes shorter than six characters or not in the chart, odd
// natures and entities. No run may crash: each writes whole files or ends with a
// message, for one entity and for the consolidated set, for the year and for a month.

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "balances/uDataModulo.h"
#include "confiabilidade/ApoioConfiabilidade.h"
#include "db/ConexaoBanco.h"
#include "settings/Configuracao.h"

namespace fs = std::filesystem;

namespace {

class Sorteio {
public:
    explicit Sorteio(uint64_t semente) : g_(semente) {}
    int entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(g_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(g_); }
    template <class T>
    const T& um(const std::vector<T>& v) { return v[static_cast<size_t>(entre(0, static_cast<int>(v.size()) - 1))]; }
    int64_t grande(int64_t limite) { return std::uniform_int_distribution<int64_t>(-limite, limite)(g_); }
    // Bytes 0x20 to 0xFF.
    std::string texto(int maximo)
    {
        std::string t(static_cast<size_t>(entre(0, maximo)), ' ');
        for (char& c : t)
            c = static_cast<char>(entre(0x20, 0xFF));
        return t;
    }

private:
    std::mt19937_64 g_;
};

const int64_t LIMITE = 9223372036854775807;   // NUMERIC(18,4): 922337203685477.5807

// A nullable value: null one time in `p`.
Valor ouNulo(Sorteio& s, Valor v, double p = 0.12)
{
    return s.chance(p) ? Valor() : v;
}

Valor quantia(Sorteio& s, bool extremos)
{
    switch (s.entre(0, extremos ? 5 : 3)) {
    case 0: return Valor::decimal(0, 4);
    case 1: return Valor::decimal(s.grande(1'000'000'000), 4);            // up to 100 000,0000
    case 2: return Valor::decimal(s.grande(10'000'000'000'000'000), 4);   // up to 10^12
    case 3: return Valor::decimal(s.entre(-99, 99), 4);                   // fractions of a cent
    case 4: return Valor::decimal(s.chance(0.5) ? LIMITE : -LIMITE, 4);   // the limits themselves
    default: return Valor::decimal(s.grande(LIMITE), 4);
    }
}

void preencher(const BancoTeste& banco, uint64_t semente, bool extremos)
{
    Sorteio s(semente);
    auto c = banco.conectar();
    c->iniciarTransacao();

    c->executar("INSERT INTO CADCLI (MEXER, CLNT1, ENDERE, CGC, BLOQBANCO, BLOQNOME, BLOQMSG) VALUES (?, ?, ?, ?, ?, ?, ?)",
                {Valor::texto("2008"), ouNulo(s, Valor::texto(s.texto(60)), 0.5),
                 ouNulo(s, Valor::texto(s.texto(60)), 0.5), ouNulo(s, Valor::texto(s.texto(18)), 0.5),
                 ouNulo(s, Valor::texto(s.chance(0.5) ? "N" : "s"), 0.5), Valor(), ouNulo(s, Valor::texto(s.texto(200)))});
    for (int e : {1, 3, 5, 7})
        c->executar("INSERT INTO TABEMPRESA (EMPRESA, NOME, CODAUDESP) VALUES (?, ?, ?)",
                    {Valor::inteiro(e), ouNulo(s, Valor::texto(s.texto(60)), 0.3), ouNulo(s, Valor::texto(s.texto(10)))});
    for (int i = 0; i < 15; ++i)
        c->executar("INSERT INTO VINCODIGO (VINGRUPO, VINCODIGO, VINCODIGONOME) VALUES (?, ?, ?)",
                    {ouNulo(s, Valor::texto(s.texto(3))), ouNulo(s, Valor::texto(s.texto(3))),
                     ouNulo(s, Valor::texto(s.texto(60)))});

    // The chart: whole codes, synthetic levels, short codes and codes of any bytes.
    std::vector<std::string> plano = {"100000", "110000", "111000", "111100", "111101", "111102", "200000",
                                      "211203", "311101", "411101", "1",      "12",     "123",    "1234",
                                      "12345",  "",       "99",     "000000"};
    for (int i = 0; i < 6; ++i)
        plano.push_back(s.texto(6));
    for (const std::string& balco : plano)
        try {
            c->executar("INSERT INTO CONPLA (BALCO, TITCO, D_C) VALUES (?, ?, ?)",
                        {Valor::texto(balco), ouNulo(s, Valor::texto(s.texto(100)), 0.2),
                         ouNulo(s, Valor::texto(s.um<std::string>({"D", "C", " ", "X", "d"})), 0.2)});
            if (s.chance(0.4))
                c->executar("INSERT INTO CONPLA_MURT (BALCO, EMPRESA) VALUES (?, ?)",
                            {Valor::texto(balco), Valor::inteiro(s.um<int>({1, 3, 5, 7}))});
        } catch (const std::exception&) {
            // A random code twice: the chart's key keeps one.
        }

    std::vector<std::string> codigos = plano;
    for (const char* extra : {"511101", "2", "21", "211", "2112", "21120", "ABCDEF", "21 203"})
        codigos.push_back(extra);
    const std::vector<Data> datas = {{2008, 1, 1}, {2008, 12, 31}, {2007, 12, 31}, {2009, 1, 1},
                                     {2008, 2, 29}, {2008, 3, 1},  {2008, 6, 30}, {1900, 1, 1}};
    for (int i = 0; i < 400; ++i) {
        const Data d = s.chance(0.5) ? s.um(datas) : Data{2008, s.entre(1, 12), s.entre(1, 28)};
        c->executar("INSERT INTO CONDIA (DATAE, BALCO, VINGRUPO, VINCODIGO, DEBIT, CREDI, SEQUENCIA, IE, DISCRI, "
                    "EMPRESA) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                    {ouNulo(s, Valor::data(d)), ouNulo(s, Valor::texto(s.um(codigos))),
                     ouNulo(s, Valor::texto(s.texto(3))), ouNulo(s, Valor::texto(s.texto(3))),
                     ouNulo(s, quantia(s, extremos)), ouNulo(s, quantia(s, extremos)),
                     ouNulo(s, Valor::inteiro(s.um<int64_t>({1, 2, 0, -1, 2147483647, s.entre(0, 100000)}))),
                     ouNulo(s, Valor::inteiro(s.entre(-1, 40))),
                     ouNulo(s, Valor::texto(s.chance(0.5) ? s.texto(400) : std::string(400, 'X'))),
                     ouNulo(s, Valor::inteiro(s.um<int64_t>({1, 3, 5, 7, 0, -2, 2147483647})))});
    }
    for (int i = 0; i < 20; ++i)
        try {
            c->executar("INSERT INTO CONPLA_MES (MES, UG, BALCO, SALDO_INICIAL, DEBIT, CREDI, SALDO_FINAL, TIPO_FINAL) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                        {Valor::inteiro(s.entre(1, 12)), Valor::inteiro(s.um<int64_t>({0, 3, 5})),
                         Valor::texto(s.um(codigos).substr(0, 6)), ouNulo(s, quantia(s, false)),
                         ouNulo(s, quantia(s, false)), ouNulo(s, quantia(s, false)), ouNulo(s, quantia(s, false)),
                         ouNulo(s, Valor::texto(s.um<std::string>({"UG", "CO", "XX"})))});
        } catch (const std::exception&) {
        }
    c->confirmar();
}

} // namespace

TEST(DadosAleatorios, NenhumaExecucaoQuebra)
{
    struct Ano {
        uint64_t semente;
        bool extremos;
    };
    for (const Ano ano : {Ano{1, false}, Ano{2, false}, Ano{3, false}, Ano{4, true}, Ano{5, true}}) {
        BancoTeste banco;
        preencher(banco, ano.semente, ano.extremos);
        DefinirPastaConfiguracao(banco.pasta());
        ConexaoBanco Conexao;
        RelatorGravador relator;
        Tdm dm(Conexao, relator);
        ASSERT_TRUE(dm.DataModuleCreate());
        for (const auto& [empresa, indice] : std::vector<std::pair<std::string, int>>{{"3", 0}, {"5", 2}, {"", 0},
                                                                                    {"", 12}}) {
            SCOPED_TRACE("semente " + std::to_string(ano.semente) + ", entidade '" + empresa + "', refer\xEAncia " +
                         std::to_string(indice));
            const std::string saida = banco.pasta() + "/saida" + empresa + "_" + std::to_string(indice) + "/";
            fs::create_directories(saida);
            relator.mensagens.clear();
            const ResultadoGeracao r = GerarArquivos(Conexao, dm, relator, Entrada(empresa, indice, saida));
            EXPECT_TRUE(r == ResultadoGeracao::Sucesso || r == ResultadoGeracao::ComErros || r == ResultadoGeracao::Falhou);
            if (r == ResultadoGeracao::Falhou) {
                // At worst a message that says what went wrong.
                ASSERT_FALSE(relator.mensagens.empty());
                EXPECT_GT(relator.mensagens.back().texto.size(), 10u);
                EXPECT_FALSE(ano.extremos && relator.mensagens.back().texto.empty());
            } else {
                for (const auto& l : relator.linhas)
                    EXPECT_TRUE(l.completa) << l.arquivo;
                EXPECT_EQ(relator.linhas.size(), 4u);
            }
            if (!ano.extremos)
                EXPECT_NE(r, ResultadoGeracao::Falhou) << relator.ultimaMensagem();
            for (const std::string& nome : ArquivosDaPasta(saida)) {
                std::string motivo;
                EXPECT_EQ(nome.rfind("ARQ_4.", 0), 0u) << nome;
                EXPECT_TRUE(ArquivoCompleto(LerArquivo(saida + nome), motivo)) << nome << ": " << motivo;
            }
            EXPECT_FALSE(Conexao.emTransacao());
        }
        Conexao.fechar();
        DefinirPastaConfiguracao("");

        // The batch command on the same year: it ends by itself, never by a signal.
        const std::string saida = banco.pasta() + "/lote";
        fs::create_directories(saida);
        const ExecucaoLote lote = ExecutarLote({"--config", banco.pasta(), "--referencia", "TODOS", "--saida", saida});
        EXPECT_TRUE(lote.codigo == 0 || lote.codigo == 1 || lote.codigo == 3) << lote.codigo << "\n" << lote.texto;
    }
}
