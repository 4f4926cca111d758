#include "ApoioRelatorio.h"

#include <array>
#include <cstdio>
#include <memory>
#include <sstream>
#include <stdexcept>

#include <QGuiApplication>

namespace {

std::string Executar(const std::string& comando)
{
    std::unique_ptr<FILE, int (*)(FILE*)> canal(popen(comando.c_str(), "r"), pclose);
    if (!canal)
        throw std::runtime_error("popen falhou: " + comando);
    std::string saida;
    std::array<char, 4096> bloco{};
    std::size_t lidos = 0;
    while ((lidos = std::fread(bloco.data(), 1, bloco.size(), canal.get())) > 0)
        saida.append(bloco.data(), lidos);
    return saida;
}

std::string Aspas(const std::string& texto)
{
    return "'" + texto + "'";
}

}  // namespace

void GarantirAplicacaoGui()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "testes_relatorio";
    static char* argv[] = {nome, nullptr};
    // Never destroyed: torn down among the static destructors it would outlive the
    // Qt internals it owns and crash the test program on exit.
    new QGuiApplication(argc, argv);
}

std::string TextoPdf(const std::string& caminho, int pagina)
{
    std::string opcoes = "-layout -enc UTF-8 ";
    if (pagina > 0)
        opcoes += "-f " + std::to_string(pagina) + " -l " + std::to_string(pagina) + " ";
    return Executar("pdftotext " + opcoes + Aspas(caminho) + " - 2>&1");
}

std::string InfoPdf(const std::string& caminho, const std::string& campo)
{
    std::istringstream linhas(Executar("pdfinfo " + Aspas(caminho) + " 2>&1"));
    for (std::string linha; std::getline(linhas, linha);) {
        if (linha.rfind(campo + ":", 0) != 0)
            continue;
        const auto inicio = linha.find_first_not_of(' ', campo.size() + 1);
        return inicio == std::string::npos ? std::string() : linha.substr(inicio);
    }
    return {};
}

std::vector<std::string> LogComProblemas(int blocos)
{
    std::vector<std::string> log = {
        "====================== RELACAO DE ERROS E INCONCISTENCIAS =========", ""};
    for (int i = 1; i <= blocos; ++i) {
        const std::string numero = std::to_string(1000 + i);
        log.push_back("====================== PROBLEMA ===================================");
        log.push_back("CONTA " + numero + " SEM DESCRI\xC7\xC3O NO PLANO DE CONTAS");
        log.push_back("SOLUCAO: ----------------------------------------------------------");
        log.push_back("INFORME A DESCRI\xC7\xC3O DA CONTA " + numero + " NO PLANO DE CONTAS");
        log.push_back("-------------------------------------------------------------------");
        log.push_back("");
    }
    const std::string igual(67, '=');
    log.push_back(igual);
    log.push_back("FORAM ENCONTRADOS " + std::to_string(blocos) + " ERROS NA GERACAO DOS ARQUIVOS");
    log.push_back(igual);
    return log;
}
