// gedra-lote: the batch front end of the generation run, for automation and tests.
//
//   gedra-lote --config DIR --referencia REF [--empresa E] --saida DIR [--log FILE] [--relatorio FILE.pdf]
//
// Exit status: 0 all files written without data problems, 1 written with data
// problems, 2 usage or input error (nothing written), 3 the run failed or was cancelled,
// or did not start because the database was busy: another run holds it (server mode) or
// another program has it open (local mode). Nothing is written then.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <QGuiApplication>

#include "balances/uDataModulo.h"
#include "batch/RelatorTerminal.h"
#include "db/ConexaoBanco.h"
#include "generation/Geracao.h"
#include "settings/Configuracao.h"
#include "settings/Texto.h"
#include "windows/relatorio/RelatorioPdf.h"

namespace {

const char* const USO =
    "uso: gedra-lote --config DIR --referencia TODOS|1..12 [--empresa E] --saida DIR [--log ARQUIVO] "
    "[--relatorio ARQUIVO.pdf]\n";

const char* const MESES[] = {"TODOS", "01 - Janeiro", "02 - Fevereiro", "03 - Mar\xE7o", "04 - Abril",
                             "05 - Maio", "06 - Junho", "07 - Julho", "08 - Agosto", "09 - Setembro",
                             "10 - Outubro", "11 - Novembro", "12 - Dezembro"};

int erroUso(const std::string& mensagem)
{
    std::fprintf(stderr, "gedra-lote: %s\n%s", mensagem.c_str(), USO);
    return 2;
}

// The entry of the month list for a REF argument; -1 when it is not one.
int indiceReferencia(const std::string& ref)
{
    std::string r;
    for (char c : ref)
        r += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (r == "TODOS")
        return 0;
    if (r.empty() || r.size() > 2 || r.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    int m = std::stoi(r);
    return m >= 1 && m <= 12 ? m : -1;
}

int codigoSaida(ResultadoGeracao r)
{
    switch (r) {
    case ResultadoGeracao::Sucesso: return 0;
    case ResultadoGeracao::ComErros: return 1;
    case ResultadoGeracao::SemPeriodo:
    case ResultadoGeracao::EntradaInvalida: return 2;
    default: return 3;
    }
}

void gravarLog(const std::string& arquivo, const std::vector<std::string>& linhas)
{
    std::ofstream f(arquivo, std::ios::binary | std::ios::trunc);
    for (const auto& l : linhas)
        f << Utf8De1252(l) << '\n';
    if (!f.flush())
        throw std::runtime_error("N\xE3o foi poss\xEDvel gravar o log em " + Cp1252DeUtf8(arquivo));
}

} // namespace

// The run keeps its log in the reporting interface; this one also keeps the lines.
class RelatorLote : public RelatorTerminal {
public:
    std::vector<std::string> log;
    void linhaLog(const std::string& l) override { log.push_back(l); }
    void limparLog() override { log.clear(); }
};

int main(int argc, char** argv)
{
    std::map<std::string, std::string> op;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(USO, stdout);
            return 0;
        }
        if (a.rfind("--", 0) != 0 || i + 1 >= argc)
            return erroUso("argumento inv\xC3\xA1lido: " + a);
        op[a.substr(2)] = argv[++i];
    }
    for (const auto& [k, v] : op)
        if (k != "config" && k != "referencia" && k != "empresa" && k != "saida" && k != "log" && k != "relatorio")
            return erroUso("op\xC3\xA7\xC3\xA3o desconhecida: --" + k);
    if (!op.count("config") || !op.count("referencia") || !op.count("saida"))
        return erroUso("faltam --config, --referencia ou --saida");
    const int indice = indiceReferencia(op["referencia"]);
    if (indice < 0)
        return erroUso("refer\xC3\xAAncia inv\xC3\xA1lida: " + op["referencia"] + " (use TODOS ou um m\xC3\xAAs de 1 a 12)");

    DefinirPastaConfiguracao(op["config"]);
    RelatorLote relator;
    int saida = 3;
    {
        ConexaoBanco Conexao;
        Tdm dm(Conexao, relator);
        try {
            if (!dm.DataModuleCreate())
                return 3;
            EntradaGeracao entrada;
            entrada.Exercicio = dm.qrCliente.campo("MEXER").comoTexto();
            entrada.indiceReferencia = indice;
            entrada.referencia = MESES[indice];
            const PeriodoSQL periodo = cbMesRefChange(entrada.referencia, entrada.Exercicio);
            entrada.DataIniSQL = periodo.DataIniSQL;
            entrada.DataFimSQL = periodo.DataFimSQL;
            entrada.empresa = Cp1252DeUtf8(op["empresa"]);
            entrada.caminho = Cp1252DeUtf8(op["saida"]);
            const EntidadeValidada ent = ValidarEntidade(entrada.empresa);
            if (ent.numero) {
                // The entity's name, as the search window would have put it in lblNome.
                auto r = Conexao.consultar("SELECT NOME FROM TABEMPRESA WHERE EMPRESA = " +
                                           std::to_string(*ent.numero));
                if (!r.empty())
                    entrada.nome = r[0][0].comoTexto();
            }

            saida = codigoSaida(GerarArquivos(Conexao, dm, relator, entrada));

            if (op.count("log"))
                gravarLog(op["log"], relator.log);
            if (op.count("relatorio") && saida <= 1) {
                if (!std::getenv("QT_QPA_PLATFORM"))
                    setenv("QT_QPA_PLATFORM", "offscreen", 1);
                int qargc = 1;
                QGuiApplication app(qargc, argv);
                auto cadcli = Conexao.consultar("SELECT CLNT1, ENDERE, CGC FROM CADCLI");
                CabecalhoRelatorio cab;
                if (!cadcli.empty()) {
                    cab.nome = cadcli[0][0].comoTexto();
                    cab.endereco = cadcli[0][1].comoTexto();
                    cab.cgc = cadcli[0][2].comoTexto();
                }
                cab.exercicio = entrada.Exercicio;
                GravarRelatorioPdf(op["relatorio"], cab, relator.log);
            }
        } catch (const std::exception& e) {
            relator.mostrar(e.what(), "Erro", Mensageiro::Icone::Erro);
            saida = saida <= 1 ? 3 : saida;
        }
    }
    EncerrarBibliotecasCliente();
    return saida;
}
