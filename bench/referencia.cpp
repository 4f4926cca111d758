// referencia: what the database alone costs for a run when the statements of the run
// are executed as the files write them, one after another, through our database layer,
// with every row fetched and dropped: the cost centres, the journal, the emptying and
// the five-level read of the work table with one INSERT ... SELECT that fills it on the
// server, per month the delete and the two passes of the balance computation, the chart,
// and the one-account statement per used account. It is a floor for any program that
// follows those statements one by one.
//
//   referencia --config DIR --referencia TODOS|1..12 [--empresa E]
//
// Prints the wall seconds of each step on stderr and the total, alone, on stdout.

#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "balances/uDataModulo.h"
#include "db/ConexaoBanco.h"
#include "generation/Geracao.h"
#include "generation/TGeracao.h"
#include "generation/format/funcoes_tce.h"
#include "settings/Configuracao.h"

namespace {

const char* const MESES[] = {"TODOS", "01 - Janeiro", "02 - Fevereiro", "03 - Mar\xE7o", "04 - Abril",
                             "05 - Maio", "06 - Junho", "07 - Julho", "08 - Agosto", "09 - Setembro",
                             "10 - Outubro", "11 - Novembro", "12 - Dezembro"};

class MensageiroErro : public Mensageiro {
public:
    void mostrar(const std::string& texto, const std::string&, Icone) override
    {
        std::fprintf(stderr, "referencia: %s\n", texto.c_str());
    }
};

using Relogio = std::chrono::steady_clock;

double Segundos(Relogio::time_point desde)
{
    return std::chrono::duration<double>(Relogio::now() - desde).count();
}

// Fetches every row; gives each to `linha` when asked.
long long Ler(ConexaoBanco& conexao, const std::string& sql, const std::function<void(const Registro&)>& linha = {})
{
    long long n = 0;
    for (Cursor c = conexao.abrirCursor(sql); c.proximo(); ++n)
        if (linha)
            linha(c.atual());
    return n;
}

// The used-accounts table: CONTA in the order first met, with its BALCO.
struct ContasUsadas {
    std::unordered_set<std::string> vistas;
    std::vector<std::string> balcos;
    void registrar(const std::string& conta, const std::string& balco)
    {
        if (vistas.insert(conta).second)
            balcos.push_back(balco);
    }
};

int Uso()
{
    std::fputs("uso: referencia --config DIR --referencia TODOS|1..12 [--empresa E]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::map<std::string, std::string> op;
    for (int i = 1; i + 1 < argc; i += 2)
        op[argv[i]] = argv[i + 1];
    if (!op.count("--config") || !op.count("--referencia"))
        return Uso();
    int indice = op["--referencia"] == "TODOS" ? 0 : std::atoi(op["--referencia"].c_str());
    if (indice < 0 || indice > 12)
        return Uso();
    const EntidadeValidada entidade = ValidarEntidade(op.count("--empresa") ? op["--empresa"] : std::string());
    if (!entidade.valida)
        return Uso();

    DefinirPastaConfiguracao(op["--config"]);
    MensageiroErro mensageiro;
    int saida = 0;
    {
        ConexaoBanco Conexao;
        Tdm dm(Conexao, mensageiro);
        try {
            if (!dm.DataModuleCreate())
                return 3;
            const std::string exercicio = dm.qrCliente.campo("MEXER").comoTexto();
            const PeriodoSQL periodo = cbMesRefChange(MESES[indice], exercicio);
            const bool porEntidade = entidade.numero.has_value();
            const std::string codigo = porEntidade ? std::to_string(*entidade.numero) : std::string();
            const std::string filtroDiario = porEntidade ? "   AND (A.EMPRESA = " + codigo + " OR A.EMPRESA IS NULL) " : "";
            const std::string filtroTrabalho = porEntidade ? "B.EMPRESA= " + codigo + " AND " : "";
            const std::string tipo = porEntidade ? "UG" : "CO";

            const auto inicio = Relogio::now();
            auto passo = Relogio::now();
            auto marcar = [&](const char* nome) {
                std::fprintf(stderr, "  %-34s %8.2f s\n", nome, Segundos(passo));
                passo = Relogio::now();
            };
            ContasUsadas usadas;

            Ler(Conexao, SqlCentroCusto());
            marcar("centros de custo");

            Ler(Conexao, SqlLancamentos(filtroDiario, periodo.DataIniSQL, periodo.DataFimSQL), [&](const Registro& r) {
                const std::string balco = r["CODIGO_CONTA"].comoTexto();
                usadas.registrar(TGeracao::ContaComEmpresa(balco, r["EMPRESA"].comoInteiro()), balco);
            });
            marcar("lancamentos");

            std::set<std::string> plano;
            Ler(Conexao, SqlPlanoContas(), [&](const Registro& r) { plano.insert(r["CODIGO_CONTA"].comoTexto()); });
            marcar("plano de contas");

            Conexao.executar("DELETE FROM GEDRA_CONDIA");
            Ler(Conexao, SqlTabelaTrabalho(filtroTrabalho, periodo.DataIniSQL, periodo.DataFimSQL));
            Conexao.executar(SqlPreencheTabelaTrabalho(filtroTrabalho, periodo.DataIniSQL, periodo.DataFimSQL));
            marcar("tabela de trabalho");

            const int ano = std::stoi(exercicio);
            const std::string restricao = porEntidade ? RestricaoSaldos(codigo) : std::string();
            for (int mes = std::stoi(periodo.DataIniSQL.substr(4, 2)); mes <= std::stoi(periodo.DataFimSQL.substr(4, 2));
                 ++mes) {
                char s[16], e[16];
                std::snprintf(s, sizeof s, "01.%02d.%s", mes, exercicio.c_str());
                std::snprintf(e, sizeof e, "%d.%02d.%s", ULTIMO_DIA_MES(mes, ano), mes, exercicio.c_str());
                const std::string M = std::to_string(mes);
                Conexao.executar(SqlExclusaoSaldos(M, tipo, codigo));
                Ler(Conexao, SqlBufferSaldos(M, tipo, codigo));
                auto usada = [&](const Registro& r) {
                    const std::string balco = r["BALCO"].comoTexto();
                    if (balco.size() >= 6 && balco.compare(4, 2, "00") != 0 && plano.count(balco)) {
                        const long long ug = porEntidade ? *entidade.numero : r["UG"].comoInteiro();
                        usadas.registrar(TGeracao::ContaComEmpresa(balco, ug), balco);
                    }
                };
                Ler(Conexao, SqlSaldos(PassoSaldos::Anterior, restricao, s, e), usada);
                Ler(Conexao, SqlSaldos(PassoSaldos::Mes, restricao, s, e), usada);
                marcar(("saldos do mes " + M).c_str());
            }

            Ler(Conexao, SqlContasSinteticas(), [&](const Registro& r) {
                const std::string balco = r["BALCO"].comoTexto();
                usadas.registrar(TGeracao::ContaComEmpresa(balco, 0), balco);
            });
            for (const std::string& balco : usadas.balcos)
                Ler(Conexao, SqlUmaConta(balco));
            marcar("uma instrucao por conta usada");

            std::fprintf(stderr, "  %-34s %8.2f s\n", "total", Segundos(inicio));
            std::printf("%.2f\n", Segundos(inicio));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "referencia: %s\n", e.what());
            saida = 3;
        }
    }
    EncerrarBibliotecasCliente();
    return saida;
}
