#include "batch/RelatorTerminal.h"

#include <cstdio>

#include "settings/Texto.h"

namespace {

volatile std::sig_atomic_t cancelamento = 0;

void aoInterromper(int)
{
    cancelamento = 1;
}

const char* legenda(int icone)
{
    switch (icone) {
    case 0: return "Dados incorretos no arquivo";
    case 1: return "Gerado com Sucesso";
    case 3: return "Nenhuma Informa\xC3\xA7\xC3\xA3o Encontrada";
    default: return "Sendo Preenchido";
    }
}

} // namespace

RelatorTerminal::RelatorTerminal()
{
    struct sigaction sa{};
    sa.sa_handler = aoInterromper;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
}

void RelatorTerminal::novaLinhaStatus(const std::string& arquivo)
{
    arquivoAtual_ = arquivo;
}

void RelatorTerminal::completarLinhaStatus(const LinhaStatus& linha)
{
    std::printf("%-48s %9s  %10s  %12s  %s\n", Utf8De1252(arquivoAtual_).c_str(), linha.linhas.c_str(),
                linha.data.c_str(), linha.tamanho.c_str(), legenda(linha.icone));
    std::fflush(stdout);
}

void RelatorTerminal::limparCancelamento()
{
    cancelamento = 0;
}

bool RelatorTerminal::cancelamentoPedido()
{
    return cancelamento != 0;
}

void RelatorTerminal::mostrar(const std::string& texto, const std::string& titulo, Icone)
{
    std::string t = texto;
    for (char& c : t)
        if (c == '\r')
            c = '\n';
    std::fprintf(stderr, "[%s] %s\n", Utf8De1252(titulo).c_str(), Utf8De1252(t).c_str());
}
