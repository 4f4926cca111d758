#include "settings/Caminhos.h"

#include <charconv>
#include <stdexcept>

#include <sys/stat.h>

// Values are Windows-1252 bytes: no conversion, no UTF-8 validation. The reader is
// compiled in here (header-only use) rather than linked from the packaged library.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include "generation/format/funcoes_tce.h"
#include "settings/Configuracao.h"

namespace {

const std::string BARRA = "\\";

// The installation's settings as one call of the resolver sees them.
struct Instalacao {
    std::string Base;         // Caminho_Base_Dados
    std::string Dir;          // Diretorio_Servidor
    std::string Servidor;
    std::string Ano;
    std::string Sep;          // separator of server-side paths
    std::string raizBase;
    std::string raizServidor;
    std::string baseTabdef;
    std::string servidorTabdef;
};

// Everything up to and including the first "MURT_8" (any case), written in upper
// case; the whole value when it has none.
std::string raiz(const std::string& valor)
{
    const std::string alvo = "MURT_8";
    const std::string maiusculo = MAIUSCULAS_AZ(valor);
    const size_t pos = maiusculo.find(alvo);
    return pos == std::string::npos ? valor : valor.substr(0, pos) + alvo;
}

Instalacao lerInstalacao()
{
    // Read whole and afresh at every call: another program of the suite may have
    // changed the file since the last one.
    CSimpleIniA ini;
    const bool carregado = ini.LoadFile(ArquivoMurtIni().c_str()) >= 0;
    auto ler = [&](const char* chave, const std::string& padrao) -> std::string {
        const char* v = carregado ? ini.GetValue("MURT", chave, nullptr) : nullptr;
        return v ? std::string(v) : padrao;
    };

    Instalacao i;
    i.Ano = ler("Ano", "");
    i.Servidor = ler("Servidor", "");
    i.Base = ler("Caminho_Base_Dados", "");
    i.Dir = ler("Diretorio_Servidor", "");
    i.Sep = ler("SO_Servidor", "WINDOWS") == "LINUX" ? "/" : BARRA;
    i.raizBase = raiz(i.Base);
    i.raizServidor = raiz(i.Dir);
    i.baseTabdef = ler("Caminho_Base_Dados_TABDEF", "");
    if (i.baseTabdef.empty())
        i.baseTabdef = i.raizBase;
    i.servidorTabdef = ler("ServidorTABDEF", "");
    if (i.servidorTabdef.empty())
        i.servidorTabdef = i.Servidor;
    return i;
}

// StrToInt of the old runtime: a 32-bit decimal whole number with an optional sign,
// leading blanks allowed.
long long inteiro(const std::string& texto)
{
    const char* ini = texto.data();
    const char* fim = ini + texto.size();
    while (ini != fim && *ini == ' ')
        ++ini;
    if (ini != fim && *ini == '+' && ini + 1 != fim && ini[1] != '-')
        ++ini;
    int n = 0;
    const auto [p, ec] = std::from_chars(ini, fim, n);
    if (ini == fim || ec != std::errc() || p != fim)
        throw std::invalid_argument("'" + texto + "' is not a valid integer value");
    return n;
}

// The year n years back for a "DA"/"BA" code: n follows the two letters, 1 when absent.
std::string anoMenos(const Instalacao& i, const std::string& codigo)
{
    const std::string resto = codigo.substr(2);
    const long long n = resto.empty() ? 1 : inteiro(resto);
    return std::to_string(inteiro(i.Ano) - n);
}

bool terminaComBarra(const std::string& s) { return !s.empty() && s.back() == '\\'; }

// Creates one folder (not its parents) when it does not exist yet.
void garantirPasta(const std::string& pasta)
{
    const std::string local = CaminhoLocal(pasta);
    struct stat st {};
    if (::stat(local.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return;
    if (::mkdir(local.c_str(), 0777) != 0)
        throw std::runtime_error("N\xE3o \xE9 poss\xEDvel criar o diret\xF3rio: " + pasta);
}

std::string criada(const std::string& pasta)
{
    garantirPasta(pasta);
    return pasta;
}

std::string modoServidor(const Instalacao& i, const std::string& c)
{
    const std::string pastaAno = i.Dir + "ARQ" + i.Ano;
    const std::string servidorAno = i.Servidor + ":" + i.Base + "ARQ" + i.Ano + i.Sep;
    const std::string prefixo = c.substr(0, 2);

    if (c == "D")
        return pastaAno + BARRA;
    if (c == "B")
        return servidorAno;
    if (prefixo == "DA")
        return i.Dir + "ARQ" + anoMenos(i, c) + BARRA;
    if (prefixo == "BA")
        return i.Servidor + ":" + i.Base + "ARQ" + anoMenos(i, c) + i.Sep;
    if (c == "TD")
        return terminaComBarra(i.raizServidor) ? i.raizServidor + "TABDEF\\" : i.raizServidor + "\\TABDEF\\";
    if (c == "TB")
        return terminaComBarra(i.baseTabdef)
                   ? i.servidorTabdef + ":" + i.baseTabdef + "TABDEF" + i.Sep
                   : i.servidorTabdef + ":" + i.baseTabdef + i.Sep + "TABDEF" + i.Sep;
    if (c == "BK")
        return i.Base + "ARQ" + i.Ano + i.Sep;
    if (c == "BKAD")
        return criada(pastaAno + "\\BCK\\");
    if (c == "BKAB") {
        garantirPasta(pastaAno + "\\BCK\\");
        return i.Base + "ARQ" + i.Ano + i.Sep + "BCK" + i.Sep;
    }
    if (c == "AP")
        return i.Dir;
    if (c == "TPD")
        return criada(pastaAno + "\\TEMP\\");
    if (c == "TPB") {
        garantirPasta(pastaAno + "\\TEMP\\");
        return i.Base + "ARQ" + i.Ano + i.Sep + "TEMP" + i.Sep;
    }
    if (c == "DE")
        return criada(pastaAno + "\\EXPORTA\\");
    if (c == "DI")
        return criada(pastaAno + "\\IMPORTA\\");
    if (c == "RTM")
        return criada(i.Dir + "RTM\\");
    if (c == "EXE")
        return terminaComBarra(i.raizServidor) ? i.raizServidor : i.raizServidor + BARRA;
    return {};
}

std::string modoLocal(const Instalacao& i, const std::string& c)
{
    const std::string pastaAno = i.Base + "ARQ" + i.Ano;
    const std::string prefixo = c.substr(0, 2);

    if (c == "B" || c == "D" || c == "BK")
        return pastaAno + BARRA;
    if (prefixo == "BA" || prefixo == "DA")
        return i.Base + "ARQ" + anoMenos(i, c) + BARRA;
    if (c == "AP")
        return i.Base;
    if (c == "BKAD" || c == "BKAB")
        return criada(pastaAno + "\\BCK\\");
    if (c == "TPB" || c == "TPD")
        return criada(pastaAno + "\\TEMP\\");
    if (c == "DE")
        return criada(pastaAno + "\\EXPORTA\\");
    if (c == "DI")
        return criada(pastaAno + "\\IMPORTA\\");
    if (c == "RTM")
        return criada(i.Base + "RTM\\");
    if (c == "EXE")
        return terminaComBarra(i.raizBase) ? i.raizBase : i.raizBase + BARRA;
    return terminaComBarra(i.raizBase) ? i.raizBase + "TABDEF\\" : i.raizBase + "\\TABDEF\\";
}

} // namespace

std::string PEGA_CAMINHO(const std::string& codigo)
{
    const Instalacao i = lerInstalacao();
    const std::string c = MAIUSCULAS_AZ(codigo);
    return i.Servidor.empty() ? modoLocal(i, c) : modoServidor(i, c);
}
