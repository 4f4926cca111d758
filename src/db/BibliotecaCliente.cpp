#include "db/BibliotecaCliente.h"

#include <cstdlib>
#include <map>
#include <mutex>

#include "db/ConexaoBanco.h"
#include "db/ErroBanco.h"

namespace {

struct Cache {
    std::mutex trava;
    std::map<std::string, BibliotecaCliente> carregadas;
    bool encerrada = false;
};

Cache& cache()
{
    static Cache c;
    return c;
}

} // namespace

const BibliotecaCliente& CarregarBibliotecaCliente(const std::string& arquivo)
{
    const std::string nome = arquivo.empty() ? NomeBibliotecaClientePadrao() : arquivo;
    Cache& c = cache();
    std::lock_guard<std::mutex> guarda(c.trava);
    if (c.encerrada)
        throw ErroBanco("A biblioteca cliente do banco de dados já foi encerrada");
    auto it = c.carregadas.find(nome);
    if (it != c.carregadas.end())
        return it->second;

    ModuloCliente modulo = AbrirModuloCliente(nome);
    // A program that forgets EncerrarBibliotecasCliente() still stops the engine at
    // exit. Registered after the library was loaded, so that it runs before the
    // library's own destructors (exit handlers run in reverse order).
    std::atexit(EncerrarBibliotecasCliente);
    BibliotecaCliente b;
    b.mestre = reinterpret_cast<Firebird::IMaster* (*)()>(modulo.mestre)();
    if (!b.mestre)
        throw ErroBanco("A biblioteca \"" + nome + "\" não forneceu a interface principal do Firebird");
    b.util = b.mestre->getUtilInterface();
    b.codigoSql = reinterpret_cast<long (*)(const intptr_t*)>(modulo.codigoSql);
    return c.carregadas.emplace(nome, b).first->second;
}

bool BibliotecasClienteEncerradas()
{
    Cache& c = cache();
    std::lock_guard<std::mutex> guarda(c.trava);
    return c.encerrada;
}

void EncerrarBibliotecasCliente()
{
    Cache& c = cache();
    std::lock_guard<std::mutex> guarda(c.trava);
    if (c.encerrada)
        return;
    c.encerrada = true;
    for (auto& [nome, b] : c.carregadas) {
        Firebird::IStatus* st = b.mestre->getStatus();
        Firebird::CheckStatusWrapper estado(st);
        Firebird::IProvider* despachante = b.mestre->getDispatcher();
        // Ten seconds at most: a program at its end must not hang on a stuck server.
        despachante->shutdown(&estado, 10000, fb_shutrsn_app_stopped);
        despachante->release();
        st->dispose();
    }
}
