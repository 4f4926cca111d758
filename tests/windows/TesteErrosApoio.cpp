#include "TesteErrosApoio.h"

#include <array>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include <QApplication>

void GarantirAplicacaoErros()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "testes_windows";
    static char* argv[] = {nome, nullptr};
    // Never destroyed: torn down among the static destructors it would outlive the
    // Qt internals it owns and crash the test program on exit.
    new QApplication(argc, argv);
}

std::string TextoPdfErros(const std::string& caminho)
{
    const std::string comando = "pdftotext -layout -enc UTF-8 '" + caminho + "' - 2>&1";
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

std::vector<std::string> LogDeErros(int blocos)
{
    std::vector<std::string> log = {
        "====================== RELACAO DE ERROS E INCONCISTENCIAS =========", ""};
    for (int i = 1; i <= blocos; ++i) {
        const std::string numero = std::to_string(100 + i);
        log.push_back("====================== PROBLEMA ===================================");
        log.push_back("CENTRO DE CUSTO " + numero + " COM DESCRI\xC7\xC3O CURTA\xA0(\x93X\x94)");
        log.push_back("SOLUCAO: ----------------------------------------------------------");
        log.push_back("CORRIJA O CADASTRO DO CENTRO " + numero + "   ");
        log.push_back("-------------------------------------------------------------------");
        log.push_back("");
    }
    const std::string igual(67, '=');
    log.insert(log.end(), {igual,
                           "FORAM ENCONTRADOS " + std::to_string(blocos) +
                               " ERROS NA GERACAO DOS ARQUIVOS",
                           igual});
    return log;
}
