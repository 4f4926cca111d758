// libFuzzer target: reading the installation settings file Murt.ini (any bytes) and the
// folder resolver on what it reads, and writing the parameter file over a file of any
// content. Nothing may crash; a value written is read back.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

#include <fuzzer/FuzzedDataProvider.h>

#include "settings/Caminhos.h"
#include "settings/Configuracao.h"

namespace {

const std::string& pasta()
{
    static const std::string p = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string modelo = std::string(tmp && *tmp ? tmp : "/tmp") + "/gedra-fuzz-ini-XXXXXX";
        if (!::mkdtemp(modelo.data()))
            std::abort();
        return modelo;
    }();
    return p;
}

void gravar(const std::string& arquivo, const std::string& conteudo)
{
    std::ofstream f(arquivo, std::ios::binary | std::ios::trunc);
    f << conteudo;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    FuzzedDataProvider d(dados, tamanho);
    const std::string codigo = d.ConsumeRandomLengthString(8);
    std::string valor = d.ConsumeRandomLengthString(64);
    const std::string conteudo = d.ConsumeRemainingBytesAsString();

    DefinirPastaConfiguracao(pasta());
    gravar(ArquivoMurtIni(), conteudo);
    for (const char* chave : {"Ano", "Servidor", "Caminho_Base_Dados", "Diretorio_Servidor", "DLL", "SO_Servidor"})
        LerIni(ArquivoMurtIni(), "MURT", chave);
    // The resolver never creates anything outside a folder it was given: only the
    // codes that do not create folders are asked for.
    for (const std::string& c : {std::string("B"), std::string("D"), std::string("BA1"), std::string("TB"),
                                 std::string("AP"), std::string("EXE"), codigo})
        try {
            if (c.find_first_of("TPDEIRK") == std::string::npos || c == "D" || c == "TB")
                PEGA_CAMINHO(c);
        } catch (const std::runtime_error&) {
        } catch (const std::invalid_argument&) {
        } catch (const std::out_of_range&) {
        }

    // The parameter file over whatever was there.
    const std::string parametros = pasta() + "/RARIVIDEZE.ini";
    gravar(parametros, conteudo);
    for (char& c : valor)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '_';
    while (!valor.empty() && valor.front() == ' ')
        valor.erase(0, 1);
    while (!valor.empty() && valor.back() == ' ')
        valor.pop_back();
    try {
        GravarIni(parametros, "SRP", "CAMINHO", valor);
        if (LerIni(parametros, "SRP", "CAMINHO") != valor)
            std::abort();
    } catch (const std::runtime_error&) {
        // A file that SimpleIni cannot load is reported, not overwritten.
    }
    return 0;
}
