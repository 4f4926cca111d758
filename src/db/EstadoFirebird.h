#pragma once

#include <string>
#include <utility>

#include <firebird/Interface.h>

#include "db/BibliotecaCliente.h"

// The status of the Firebird calls: every call gets it, and a failure becomes an
// ErroBanco with the database's own wording.
class EstadoFirebird {
public:
    explicit EstadoFirebird(const BibliotecaCliente& biblioteca);
    ~EstadoFirebird();
    EstadoFirebird(const EstadoFirebird&) = delete;
    EstadoFirebird& operator=(const EstadoFirebird&) = delete;

    // Runs f(status) and turns a Firebird failure into ErroBanco.
    template <class F>
    decltype(auto) operator()(F&& f)
    {
        try {
            return std::forward<F>(f)(&envoltorio_);
        } catch (const Firebird::FbException& e) {
            lancar(e);
        }
    }

    // For the release paths, which must not throw.
    Firebird::CheckStatusWrapper* silencioso() { return &silencioso_; }
    const BibliotecaCliente& biblioteca() const { return biblioteca_; }

private:
    [[noreturn]] void lancar(const Firebird::FbException& e) const;

    const BibliotecaCliente& biblioteca_;
    Firebird::IStatus* status_;
    Firebird::IStatus* statusSilencioso_;
    Firebird::ThrowStatusWrapper envoltorio_;
    Firebird::CheckStatusWrapper silencioso_;
};

// Ends an interface without throwing: `fim` (close, free, commit, rollback, detach)
// releases it on success; when `fim` fails the interface is released by hand.
template <class T, class F>
void Encerrar(EstadoFirebird& estado, T*& interface, F&& fim)
{
    if (!interface)
        return;
    if (BibliotecasClienteEncerradas()) {
        interface = nullptr;
        return;
    }
    Firebird::CheckStatusWrapper* st = estado.silencioso();
    st->init();
    fim(interface, st);
    if (st->getState() & Firebird::IStatus::STATE_ERRORS)
        interface->release();
    interface = nullptr;
}

// Releases a reference-counted interface (metadata, builders).
template <class T>
void Liberar(T*& interface)
{
    if (interface && !BibliotecasClienteEncerradas())
        interface->release();
    interface = nullptr;
}
