#include "generation/ArquivoDigital.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "settings/Texto.h"

namespace {

std::string nomeSemPasta(const std::string& caminho)
{
    auto p = caminho.find_last_of('/');
    return p == std::string::npos ? caminho : caminho.substr(p + 1);
}

// The reasons an operator can act on, in the operator's words; others as the system
// gives them.
std::string motivo(int erro)
{
    switch (erro) {
    case ENOSPC:
    case EDQUOT: return "n\xE3o h\xE1 espa\xE7o livre no disco";
    case EROFS: return "a pasta est\xE1 num disco somente para leitura";
    case EACCES:
    case EPERM: return "sem permiss\xE3o de grava\xE7\xE3o na pasta";
    case ENAMETOOLONG: return "o nome do arquivo \xE9 longo demais";
    case EIO: return "erro de leitura ou grava\xE7\xE3o no disco";
    default: return Cp1252DeUtf8(std::strerror(erro));
    }
}

[[noreturn]] void falhar(const std::string& acao, const std::string& caminho, int erro)
{
    // Messages are Windows-1252 bytes; the path comes from the file system as UTF-8.
    throw std::runtime_error("N\xE3o foi poss\xEDvel " + acao + " o arquivo " + Cp1252DeUtf8(caminho) + ": " +
                             motivo(erro) + ".");
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
    struct stat st {};
    if (::lstat(final_.c_str(), &st) == 0 && std::remove(final_.c_str()) != 0)
        falhar("apagar", final_, errno);
    // A temporary file left by a program that died is stale. The new one is created
    // afresh (O_EXCL), so that nothing found under its name, not even a symbolic link,
    // can send the records anywhere but into the output folder.
    if (::lstat(temporario_.c_str(), &st) == 0)
        std::remove(temporario_.c_str());
    const int fd = ::open(temporario_.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0)
        falhar("criar", final_, errno);
    f_ = ::fdopen(fd, "wb");
    if (!f_) {
        const int erro = errno;
        ::close(fd);
        std::remove(temporario_.c_str());
        falhar("criar", final_, erro);
    }
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
