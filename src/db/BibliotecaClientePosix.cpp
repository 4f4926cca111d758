// What a Windows build replaces: the client's file name and the loader calls.
#include "db/BibliotecaCliente.h"

#include <dlfcn.h>

#include "db/ErroBanco.h"

std::string NomeBibliotecaClientePadrao()
{
    return "libfbclient.so.2";
}

ModuloCliente AbrirModuloCliente(const std::string& arquivo)
{
    // Never closed: the library keeps threads and handlers of its own until exit.
    void* modulo = dlopen(arquivo.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!modulo) {
        const char* motivo = dlerror();
        throw ErroBanco("Não foi possível carregar a biblioteca cliente do banco de dados \"" + arquivo +
                        "\": " + (motivo ? motivo : "motivo desconhecido"));
    }
    ModuloCliente m;
    m.mestre = dlsym(modulo, "fb_get_master_interface");
    m.codigoSql = dlsym(modulo, "isc_sqlcode");
    if (!m.mestre)
        throw ErroBanco("A biblioteca \"" + arquivo +
                        "\" não é uma biblioteca cliente do Firebird 3 (falta fb_get_master_interface)");
    return m;
}
