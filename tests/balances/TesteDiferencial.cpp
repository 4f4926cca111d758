// The run against its straightforward method (Tdm::PorInstrucoes: the work table row by
// row, each month by its statements, each chart account by its statement) over random
// years: the same files, the same CONPLA_MES and the same work table. And the balance
// computation in memory against the balance statements over random work tables, row
// for row and in the order read.

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "apoio/BancoTeste.h"
#include "apoio/EmpatesArquivo.h"
#include "apoio/RelatorGravador.h"
#include "balances/MovimentosTrabalho.h"
#include "balances/uDataModulo.h"
#include "db/ConexaoBanco.h"
#include "generation/Geracao.h"
#include "settings/Configuracao.h"

namespace fs = std::filesystem;

namespace {

class Sorteio {
public:
    explicit Sorteio(uint64_t semente) : g_(semente) {}
    int entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(g_); }
    bool chance(int porCento) { return entre(1, 100) <= porCento; }
    template <class T>
    const T& um(const std::vector<T>& v) { return v[entre(0, static_cast<int>(v.size()) - 1)]; }

private:
    std::mt19937_64 g_;
};

std::string Texto(const std::string& t)
{
    std::string r = "'";
    for (char c : t)
        r += c == '\'' ? std::string("''") : std::string(1, c);
    return r + "'";
}

std::string Data2008(Sorteio& s, int primeiroMes)
{
    char buf[16];
    const int ano = s.chance(3) ? (s.chance(50) ? 2007 : 2009) : 2008;
    std::snprintf(buf, sizeof buf, "'%d-%02d-%02d'", ano, s.entre(primeiroMes, 12), s.entre(1, 28));
    return buf;
}

// An amount: mostly cents, some ten-thousandths, some negative, some null.
std::string Quantia(Sorteio& s, bool lado)
{
    if (s.chance(3))
        return "NULL";
    if (!lado && !s.chance(15))
        return "0";
    const int centavos = s.entre(1, 500000);
    char buf[32];
    if (s.chance(10))
        std::snprintf(buf, sizeof buf, "%s%d.%04d", s.chance(20) ? "-" : "", centavos / 100, s.entre(0, 9999));
    else
        std::snprintf(buf, sizeof buf, "%s%d.%02d", s.chance(12) ? "-" : "", centavos / 100, centavos % 100);
    return buf;
}

// A year with the cases that matter to the balances: synthetic codes used directly,
// codes missing from the chart, short codes, null codes and entities, negative and
// mixed amounts, empty months at the start, movements outside the year, and in some
// years codes with trailing blanks (which the run hands to the statements).
std::string AnoAleatorio(uint64_t semente)
{
    Sorteio s(semente);
    std::string sql =
        "INSERT INTO CADCLI (MEXER, CLNT1, ENDERE, CGC, BLOQBANCO) VALUES ('2008', 'PREFEITURA', 'RUA', '1', 'N');\n";
    for (int e : {1, 2, 3, 4, 9})
        sql += "INSERT INTO TABEMPRESA (EMPRESA, NOME) VALUES (" + std::to_string(e) + ", 'ENTIDADE');\n";

    std::vector<std::string> analiticas, sinteticas;
    for (char a : std::string("124"))
        for (char b : std::string("12"))
            for (char d : std::string("12")) {
                const std::string raiz = std::string(1, a) + b + '1' + d;
                for (const char* fim : {"01", "02", "03"})
                    analiticas.push_back(raiz + fim);
                for (const std::string& sint : {std::string(1, a) + "00000", std::string(1, a) + b + "0000",
                                                std::string(1, a) + b + "1000", raiz + "00"})
                    if (std::find(sinteticas.begin(), sinteticas.end(), sint) == sinteticas.end())
                        sinteticas.push_back(sint);
            }
    const std::vector<std::string> titulos = {"NULL", "'Caixa - Geral'", "'Receita de IPTU'", "'.,. ,'",
                                              "'Fornecedores a pagar'", "'T\xCDTULO \xC1" "CENTUADO'"};
    const std::vector<std::string> naturezas = {"'D'", "'C'", "NULL", "''"};
    for (const auto* lista : {&sinteticas, &analiticas})
        for (const std::string& c : *lista)
            if (lista == &sinteticas || !s.chance(8))
                sql += "INSERT INTO CONPLA (BALCO, TITCO, D_C) VALUES (" + Texto(c) + ", " + s.um(titulos) + ", " +
                       s.um(naturezas) + ");\n";

    const int primeiroMes = semente % 3 == 0 ? 3 : 1;
    const bool brancos = semente % 4 == 3;
    const std::vector<std::string> discris = {"NULL", "'Compra de material'", "'Pagamento'", "'--'", "'IPTU 2008'"};
    const int linhas = s.entre(120, 220);
    for (int i = 1; i <= linhas; ++i) {
        std::string balco;
        const int tipo = s.entre(1, 100);
        if (tipo <= 6)
            balco = Texto(s.um(sinteticas));
        else if (tipo <= 8)
            balco = "'5" + std::to_string(s.entre(11101, 11103)) + "'";
        else if (tipo <= 10)
            balco = "NULL";
        else if (tipo <= 11)
            balco = "'21'";
        else if (tipo <= 16 && brancos)
            balco = Texto(s.um(analiticas).substr(0, 4) + " ");
        else
            balco = Texto(s.um(analiticas));
        const bool debito = s.chance(50);
        const std::string empresa = s.chance(5) ? "NULL" : std::to_string(s.entre(1, 4));
        sql += "INSERT INTO CONDIA (DATAE, BALCO, VINGRUPO, VINCODIGO, DEBIT, CREDI, SEQUENCIA, IE, DISCRI, EMPRESA) "
               "VALUES (" + Data2008(s, primeiroMes) + ", " + balco + ", '001', " + (s.chance(10) ? "NULL" : "'002'") +
               ", " + Quantia(s, debito) + ", " + Quantia(s, !debito) + ", " + std::to_string(i) + ", " +
               std::to_string(s.entre(1, 40)) + ", " + s.um(discris) + ", " + empresa + ");\n";
    }
    // Rows of an earlier run and of other types, which the run keeps or replaces.
    sql += "INSERT INTO CONPLA_MES (MES, UG, BALCO, SALDO_INICIAL, DEBIT, CREDI, SALDO_FINAL, TIPO_FINAL) "
           "VALUES (3, 2, '211101', 1, 1, 1, 1, 'UG');\n";
    sql += "INSERT INTO CONPLA_MES (MES, UG, BALCO, SALDO_INICIAL, DEBIT, CREDI, SALDO_FINAL, TIPO_FINAL) "
           "VALUES (3, 2, '999999', 2, 2, 2, 2, 'XX');\n";
    sql += "INSERT INTO CONPLA_MES (MES, UG, BALCO, SALDO_INICIAL, DEBIT, CREDI, SALDO_FINAL, TIPO_FINAL) "
           "VALUES (1, 0, '100000', 3, 3, 3, 3, 'CO');\n";
    sql += "INSERT INTO GEDRA_CONDIA (UG, DATAE, BALCO, CREDI, DEBIT) VALUES (9, '2007-12-31', '999999', 1, 1);\n";
    return sql;
}

std::string Duplo(const Valor& v)
{
    if (v.nulo())
        return "-";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%a", v.comoDuplo());
    return buf;
}

std::string ComoTexto(const Valor& v)
{
    return v.nulo() ? std::string("-") : v.comoTexto();
}

// The journal's records of one date and account come in the database's order, and so
// do the entities of an account first met on that date in the chart file.
std::string OrdenarEmpates(const std::string& prefixo, const std::string& arquivo)
{
    if (prefixo == "ARQ_4.1.1_")
        return EmpatesDoDiario(arquivo);
    if (prefixo == "ARQ_4.9.2_")
        return OrdenarSeguidas(arquivo, 8, 6);
    return arquivo;
}

// What a run leaves: its result, its messages and log, the four files, CONPLA_MES and
// the work table.
struct Resultado {
    ResultadoGeracao resultado;
    std::vector<std::string> mensagens;
    std::vector<std::string> log;
    std::vector<std::string> arquivos;   // ties in the database's order sorted
    std::vector<std::string> conplaMes;
    std::vector<std::string> trabalho;
};

void PrintTo(const Resultado& r, std::ostream* os)
{
    *os << "resultado " << static_cast<int>(r.resultado) << ", " << r.conplaMes.size() << " linhas de CONPLA_MES";
}

class Diferencial : public ::testing::Test {
protected:
    const char* const LISTA[13] = {"TODOS",        "01 - Janeiro",  "02 - Fevereiro", "03 - Mar\xE7o",
                                   "04 - Abril",   "05 - Maio",     "06 - Junho",     "07 - Julho",
                                   "08 - Agosto",  "09 - Setembro", "10 - Outubro",   "11 - Novembro",
                                   "12 - Dezembro"};

    Resultado Gerar(BancoTeste& banco, const std::string& empresa, int indice, bool porInstrucoes)
    {
        DefinirPastaConfiguracao(banco.pasta());
        ConexaoBanco Conexao;
        RelatorGravador relator;
        Tdm dm(Conexao, relator);
        EXPECT_TRUE(dm.DataModuleCreate());
        dm.PorInstrucoes = porInstrucoes;
        const fs::path saida = fs::path(banco.pasta()) / (porInstrucoes ? "instrucoes" : "rapido");
        fs::remove_all(saida);
        fs::create_directories(saida);

        EntradaGeracao e;
        e.indiceReferencia = indice;
        e.referencia = LISTA[indice];
        const PeriodoSQL p = cbMesRefChange(e.referencia, "2008");
        e.DataIniSQL = p.DataIniSQL;
        e.DataFimSQL = p.DataFimSQL;
        e.empresa = empresa;
        e.nome = "ENTIDADE";
        e.caminho = saida.string() + "/";
        e.Exercicio = "2008";

        Resultado r;
        r.resultado = GerarArquivos(Conexao, dm, relator, e);
        for (const auto& m : relator.mensagens)
            r.mensagens.push_back(m.titulo + ": " + m.texto);
        r.log = relator.log;
        for (const char* prefixo : {"ARQ_4.9.3_", "ARQ_4.1.1_", "ARQ_4.1.2_", "ARQ_4.9.2_"})
            for (const auto& f : fs::directory_iterator(saida))
                if (f.path().filename().string().rfind(prefixo, 0) == 0) {
                    const std::string conteudo = LerArquivo(f.path().string());
                    r.arquivos.push_back(f.path().filename().string() + "\n" + OrdenarEmpates(prefixo, conteudo));
                }
        for (const Registro& l : Conexao.consultar("SELECT MES, TIPO_FINAL, UG, BALCO, SALDO_INICIAL, DEBIT, CREDI, "
                                                   "SALDO_FINAL, OBS FROM CONPLA_MES ORDER BY 1, 2, 3, 4")) {
            std::string t;
            for (const Valor& v : l.valores())
                t += "[" + ComoTexto(v) + "]";
            r.conplaMes.push_back(t);
        }
        for (const Registro& l : Conexao.consultar("SELECT UG, DATAE, BALCO, CREDI, DEBIT FROM GEDRA_CONDIA")) {
            r.trabalho.push_back(ComoTexto(l[0]) + " " + ComoTexto(l[1]) + " [" + ComoTexto(l[2]) + "] " +
                                 Duplo(l[3]) + " " + Duplo(l[4]));
        }
        std::sort(r.trabalho.begin(), r.trabalho.end());
        return r;
    }
};

TEST_F(Diferencial, ExecucoesIguaisAsDoMetodoPorInstrucoes)
{
    struct Caso {
        std::string empresa;
        int indice;
    };
    const std::vector<Caso> casos = {{"", 0}, {"2", 0}, {"", 3}, {"1", 1}, {"9", 5}};
    for (uint64_t semente : {11u, 22u, 33u, 47u}) {
        BancoTeste banco;
        banco.executarScript(AnoAleatorio(semente));
        for (const Caso& c : casos) {
            SCOPED_TRACE("semente " + std::to_string(semente) + ", entidade '" + c.empresa + "', refer\xEAncia " +
                         std::to_string(c.indice));
            const Resultado rapido = Gerar(banco, c.empresa, c.indice, false);
            // A year with codes ending in blanks goes through the statements; the others not.
            const bool fiel = MovimentosTrabalho::ler(*banco.conectar())->fiel();
            if (semente % 4 != 3)
                EXPECT_TRUE(fiel);
            else if (c.empresa.empty() && c.indice == 0)
                EXPECT_FALSE(fiel);
            const Resultado instrucoes = Gerar(banco, c.empresa, c.indice, true);
            EXPECT_EQ(rapido.resultado, instrucoes.resultado);
            EXPECT_EQ(rapido.mensagens, instrucoes.mensagens);
            EXPECT_EQ(rapido.log, instrucoes.log);
            EXPECT_EQ(rapido.arquivos, instrucoes.arquivos);
            EXPECT_EQ(rapido.conplaMes, instrucoes.conplaMes);
            EXPECT_EQ(rapido.trabalho, instrucoes.trabalho);
        }
    }
}

// A work table written directly, with what the run itself never writes: null entities,
// dates and amounts, entity 0 and negative entities, codes short, empty or ending in
// "00", movements of other years.
std::string TrabalhoAleatorio(Sorteio& s)
{
    const std::vector<std::string> codigos = {"211203", "211201", "211200", "211000", "210000", "200000",
                                              "411101", "411102", "21",     "",       "2",      "412301",
                                              "100000", "111101"};
    std::string sql;
    const int n = s.entre(60, 140);
    for (int i = 0; i < n; ++i) {
        const std::string ug = s.chance(8) ? "NULL" : std::to_string(s.um(std::vector<int>{0, 0, 1, 2, 3, -1}));
        std::string data = "NULL";
        if (!s.chance(3)) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "'%d-%02d-%02d'", s.chance(5) ? 2007 : 2008, s.entre(1, 12),
                          s.entre(1, 28));
            data = buf;
        }
        auto quantia = [&] {
            if (s.chance(6))
                return std::string("NULL");
            char buf[32];
            std::snprintf(buf, sizeof buf, "%d.%02d", s.entre(0, 900), s.entre(0, 99));
            return std::string(buf);
        };
        sql += "INSERT INTO GEDRA_CONDIA (UG, DATAE, BALCO, CREDI, DEBIT) VALUES (" + ug + ", " + data + ", " +
               (s.chance(3) ? std::string("NULL") : Texto(s.um(codigos))) + ", " + quantia() + ", " + quantia() +
               ");\n";
    }
    return sql;
}

std::vector<std::string> Buffer(ConjuntoDados& cds)
{
    std::vector<std::string> linhas;
    for (cds.primeiro(); !cds.fim(); cds.proximo()) {
        std::string t;
        for (const char* c : {"MES", "UG", "BALCO", "SALDO_INICIAL", "DEBIT", "CREDI", "SALDO_FINAL", "TIPO_FINAL"})
            t += "[" + ComoTexto(cds.campo(c)) + "]";
        linhas.push_back(t);
    }
    return linhas;
}

std::string Linha(const LinhaSaldo& l)
{
    auto m = [](const std::optional<Moeda>& v) { return v ? v->texto() : std::string("-"); };
    return (l.ug ? std::to_string(*l.ug) : std::string("-")) + " [" + l.balco + "] " + m(l.credito) + " " +
           m(l.debito) + " " + m(l.saldo);
}

TEST_F(Diferencial, PassosEmMemoriaIguaisAosDaInstrucao)
{
    for (uint64_t semente : {5u, 6u, 7u}) {
        BancoTeste banco("saldos.sql");
        Sorteio s(semente);
        banco.executar("DELETE FROM GEDRA_CONDIA");
        banco.executarScript(TrabalhoAleatorio(s));
        auto Conexao = banco.conectar();
        const auto movimentos = MovimentosTrabalho::ler(*Conexao);
        ASSERT_TRUE(movimentos->fiel());
        for (const std::optional<int64_t> entidade : {std::optional<int64_t>(), std::optional<int64_t>(0),
                                                      std::optional<int64_t>(2), std::optional<int64_t>(-1)})
            for (int mes = 1; mes <= 12; ++mes) {
                char inicio[16], fim[16];
                std::snprintf(inicio, sizeof inicio, "'01.%02d.2008'", mes);
                std::snprintf(fim, sizeof fim, "'%d.%02d.2008'", mes == 2 ? 29 : (mes == 4 || mes == 6 || mes == 9 || mes == 11) ? 30 : 31, mes);
                const std::string restricao = entidade ? RestricaoSaldos(std::to_string(*entidade)) : "";
                for (PassoSaldos passo : {PassoSaldos::Anterior, PassoSaldos::Mes}) {
                    SCOPED_TRACE("semente " + std::to_string(semente) + ", m\xEAs " + std::to_string(mes) +
                                 (entidade ? ", entidade " + std::to_string(*entidade) : ", consolidado") +
                                 (passo == PassoSaldos::Anterior ? ", antes do m\xEAs" : ", no m\xEAs"));
                    std::vector<std::string> lidas;
                    for (const Registro& r : Conexao->consultar(SqlSaldos(passo, restricao, std::string(inicio + 1, 10),
                                                                          std::string(fim + 1, std::strlen(fim) - 2)))) {
                        auto m = [](const Valor& v) {
                            return v.nulo() ? std::optional<Moeda>() : std::optional<Moeda>(Moeda::deDuplo(v.comoDuplo()));
                        };
                        lidas.push_back(Linha({r[0].nulo() ? std::nullopt : std::optional<int64_t>(r[0].comoInteiro()),
                                               r[1].comoTexto(), m(r[2]), m(r[3]), m(r[4])}));
                    }
                    const auto passoSomado = movimentos->passo(passo, inicio, fim, entidade);
                    ASSERT_TRUE(passoSomado.has_value());
                    std::vector<std::string> somadas;
                    for (const LinhaSaldo& l : *passoSomado)
                        somadas.push_back(Linha(l));
                    EXPECT_EQ(somadas, lidas);
                }
            }
    }
}

// The months as CALCULA_CONPLA_MES leaves them, against the statements. The last seed
// adds amounts that are not four-decimal amounts (two rows of 0.00004 sum to 0.0001 in
// the database, to 0 when each is rounded first), which the statements must compute.
TEST_F(Diferencial, MesesIguaisAosDoMetodoPorInstrucoes)
{
    for (uint64_t semente : {8u, 9u, 10u}) {
        BancoTeste banco("saldos.sql");
        Sorteio s(semente);
        banco.executar("DELETE FROM GEDRA_CONDIA");
        banco.executarScript(TrabalhoAleatorio(s));
        const bool quatroCasas = semente != 10;
        if (!quatroCasas)
            for (int i = 0; i < 2; ++i)
                banco.executar("INSERT INTO GEDRA_CONDIA (UG, DATAE, BALCO, CREDI, DEBIT) "
                               "VALUES (2, '2008-01-05', '211203', 0.00004, 0)");
        ASSERT_EQ(MovimentosTrabalho::ler(*banco.conectar())->fiel(), quatroCasas);
        DefinirPastaConfiguracao(banco.pasta());
        ConexaoBanco Conexao;
        RelatorGravador relator;
        Tdm dm(Conexao, relator);
        ASSERT_TRUE(dm.DataModuleCreate());
        for (const std::string tipo : {"CO", "UG"})
            for (int mes : {1, 2, 7, 12}) {
                SCOPED_TRACE("semente " + std::to_string(semente) + ", " + tipo + ", m\xEAs " + std::to_string(mes));
                char inicio[16], fim[16];
                std::snprintf(inicio, sizeof inicio, "'01.%02d.2008'", mes);
                std::snprintf(fim, sizeof fim, "'%d.%02d.2008'", mes == 2 ? 29 : mes == 7 ? 31 : 31, mes);
                const std::string entidade = tipo == "UG" ? "2" : "";
                const std::string condicao = "SELECT UG, BALCO, SALDO_INICIAL, DEBIT, CREDI, SALDO_FINAL FROM "
                                             "CONPLA_MES WHERE MES = " + std::to_string(mes) + " AND TIPO_FINAL = '" +
                                             tipo + "' ORDER BY UG, BALCO";
                auto linhas = [&] {
                    std::vector<std::string> r;
                    for (const Registro& l : Conexao.consultar(condicao)) {
                        std::string t;
                        for (const Valor& v : l.valores())
                            t += "[" + ComoTexto(v) + "]";
                        r.push_back(t);
                    }
                    return r;
                };
                dm.CALCULA_CONPLA_MES(inicio, fim, tipo, entidade);
                const std::vector<std::string> rapido = Buffer(dm.cdsBalancete), gravadoRapido = linhas();
                dm.CALCULA_CONPLA_MES_INSTRUCOES(inicio, fim, tipo, entidade);
                EXPECT_EQ(rapido, Buffer(dm.cdsBalancete));
                EXPECT_EQ(gravadoRapido, linhas());
                EXPECT_FALSE(rapido.empty());
            }
    }
}

} // namespace
