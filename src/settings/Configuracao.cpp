#include "settings/Configuracao.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

// Values are Windows-1252 bytes: no conversion, no UTF-8 validation. The reader is
// compiled in here (header-only use) rather than linked from the packaged library.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace {

std::string& pastaDefinida()
{
    static std::string pasta;
    return pasta;
}

std::string semSeparadorFinal(std::string pasta)
{
    while (pasta.size() > 1 && pasta.back() == '/')
        pasta.pop_back();
    return pasta;
}

} // namespace

std::string PastaExecutavel()
{
    std::error_code erro;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", erro);
    if (erro)
        return ".";
    return semSeparadorFinal(exe.parent_path().string());
}

std::string PastaConfiguracao()
{
    const std::string& pasta = pastaDefinida();
    return pasta.empty() ? PastaExecutavel() : pasta;
}

void DefinirPastaConfiguracao(const std::string& pasta)
{
    pastaDefinida() = pasta.empty() ? std::string() : semSeparadorFinal(pasta);
}

std::string ArquivoMurtIni()
{
    return PastaConfiguracao() + "/Murt.ini";
}

std::string LerIni(const std::string& arquivo, const std::string& secao, const std::string& chave,
                   const std::string& padrao)
{
    CSimpleIniA ini;
    if (ini.LoadFile(arquivo.c_str()) < 0)
        return padrao;
    const char* valor = ini.GetValue(secao.c_str(), chave.c_str(), nullptr);
    return valor ? std::string(valor) : padrao;
}

void GravarIni(const std::string& arquivo, const std::string& secao, const std::string& chave,
               const std::string& valor)
{
    const std::string erroGravacao = "N\xE3o foi poss\xEDvel gravar o arquivo " + arquivo;

    CSimpleIniA ini;
    ini.SetSpaces(false);   // key=value, as the other programs of the suite write them
    std::error_code erro;
    if (std::filesystem::exists(arquivo, erro) && ini.LoadFile(arquivo.c_str()) < 0)
        throw std::runtime_error(erroGravacao);
    if (ini.SetValue(secao.c_str(), chave.c_str(), valor.c_str()) < 0)
        throw std::runtime_error(erroGravacao);

    std::string conteudo;
    if (ini.Save(conteudo) < 0)
        throw std::runtime_error(erroGravacao);

    // Written beside the file and renamed over it, so that a failed write never leaves
    // a half-written settings file behind.
    const std::string temporario = arquivo + ".tmp";
    {
        std::ofstream saida(temporario, std::ios::binary | std::ios::trunc);
        saida << conteudo;
        saida.close();
        if (!saida) {
            std::remove(temporario.c_str());
            throw std::runtime_error(erroGravacao);
        }
    }
    if (std::rename(temporario.c_str(), arquivo.c_str()) != 0) {
        std::remove(temporario.c_str());
        throw std::runtime_error(erroGravacao);
    }
}

std::string CaminhoLocal(const std::string& textoResolvedor)
{
    std::string caminho = textoResolvedor;
    for (char& c : caminho)
        if (c == '\\')
            c = '/';
    return caminho;
}
