#pragma once

#include <string>

#include <firebird/Interface.h>

// The Firebird client library, loaded by file name when first needed and kept
// loaded until EncerrarBibliotecasCliente() (ConexaoBanco.h).
struct BibliotecaCliente {
    Firebird::IMaster* mestre = nullptr;
    Firebird::IUtil* util = nullptr;
    // isc_sqlcode of the same library, for ErroBanco::codigoSql(); may be null.
    long (*codigoSql)(const intptr_t*) = nullptr;
};

// Loads (once) the library named by `arquivo`; empty means the system's client.
// Throws ErroBanco when the library or its entry point is missing.
const BibliotecaCliente& CarregarBibliotecaCliente(const std::string& arquivo);

// True once EncerrarBibliotecasCliente() ran: interfaces left over (a connection
// that outlives it) are then dropped without calling into the stopped library.
bool BibliotecasClienteEncerradas();

// The platform-specific part, one small file per platform.
std::string NomeBibliotecaClientePadrao();
// Opens the module and gives its entry point "fb_get_master_interface" and, when it
// has one, "isc_sqlcode". Throws ErroBanco with the loader's reason.
struct ModuloCliente {
    void* mestre = nullptr;
    void* codigoSql = nullptr;
};
ModuloCliente AbrirModuloCliente(const std::string& arquivo);
