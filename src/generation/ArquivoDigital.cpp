#include "generation/ArquivoDigital.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <unistd.h>

#include "settings/Texto.h"

namespace {

std::string nomeSemPasta(const std::string& caminho)
{
    auto p = caminho.find_last_of('/');
    return p == std::string::npos ? caminho : caminho.substr(p + 1);
}

[[noreturn]] void falhar(const std::string& acao, const std::string& caminho, int erro)
{
    // Messages are Windows-1252 bytes; the path comes from the file system as UTF-8.
    throw std::runtime_error("N\xE3o foi poss\xEDvel " + acao + " o arquivo " + Cp1252DeUtf8(caminho) + ": " +
                             Cp1252DeUtf8(std::strerror(erro)));
}

} // namespace

ArquivoDigital::ArquivoDigital(std::string caminhoFinal)
    : final_(std::move(caminhoFinal))
{
    auto p = final_.find_last_of('/');
    std::string pasta = p == std::string::npos ? std::string() : final_.substr(0, p + 1);
    temporario_ = pasta + "." + nomeSemPasta(final_) + ".parcial";
}

ArquivoDigital::~ArquivoDigital()
{
    descartar();
}

void ArquivoDigital::abrir()
{
    // A file of an earlier run is replaced, not extended: it goes when this one starts.
    if (std::remove(final_.c_str()) != 0 && errno != ENOENT)
        falhar("apagar", final_, errno);
    f_ = std::fopen(temporario_.c_str(), "wb");
    if (!f_)
        falhar("criar", final_, errno);
    registros_ = 0;
}

void ArquivoDigital::escreverRegistro(const std::string& registro)
{
    if (std::fwrite(registro.data(), 1, registro.size(), f_) != registro.size() || std::fwrite("\r\n", 1, 2, f_) != 2)
        falhar("gravar", final_, errno);
    ++registros_;
}

void ArquivoDigital::concluir()
{
    if (!f_)
        return;
    std::FILE* f = f_;
    f_ = nullptr;
    bool ok = std::fflush(f) == 0 && ::fsync(fileno(f)) == 0;
    int erro = errno;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        std::remove(temporario_.c_str());
        falhar("gravar", final_, erro ? erro : errno);
    }
    if (std::rename(temporario_.c_str(), final_.c_str()) != 0) {
        erro = errno;
        std::remove(temporario_.c_str());
        falhar("gravar", final_, erro);
    }
}

void ArquivoDigital::descartar()
{
    if (f_) {
        std::fclose(f_);
        f_ = nullptr;
        std::remove(temporario_.c_str());
    }
}
