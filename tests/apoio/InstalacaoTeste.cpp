#include "apoio/InstalacaoTeste.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "settings/Configuracao.h"

namespace {

// The folder chosen before, so that nested fixtures give it back; empty means
// "the executable's folder", which is also the default.
std::string pastaEscolhida()
{
    const std::string atual = PastaConfiguracao();
    return atual == PastaExecutavel() ? std::string() : atual;
}

} // namespace

InstalacaoTeste::InstalacaoTeste()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string modelo = std::string(tmp && *tmp ? tmp : "/tmp") + "/gedra-instalacao-XXXXXX";
    if (!::mkdtemp(modelo.data()))
        throw std::runtime_error("cannot create a temporary folder from " + modelo);
    pasta_ = modelo;
    pastaAnterior_ = pastaEscolhida();
    DefinirPastaConfiguracao(pasta_);
}

InstalacaoTeste::~InstalacaoTeste()
{
    DefinirPastaConfiguracao(pastaAnterior_);
    std::error_code erro;
    std::filesystem::remove_all(pasta_, erro);
}

void InstalacaoTeste::murt(const std::map<std::string, std::string>& chaves) const
{
    std::string conteudo = "[MURT]\r\n";
    for (const auto& [chave, valor] : chaves)
        conteudo += chave + "=" + valor + "\r\n";
    murtBruto(conteudo);
}

void InstalacaoTeste::murtBruto(const std::string& conteudo) const
{
    std::ofstream saida(arquivoMurtIni(), std::ios::binary | std::ios::trunc);
    saida << conteudo;
    if (!saida)
        throw std::runtime_error("cannot write " + arquivoMurtIni());
}
