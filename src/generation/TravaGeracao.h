#pragma once

#include "db/ConexaoBanco.h"

// Thrown when another run holds the database.
struct GeracaoEmAndamento {};

// The database's run lock, held for the length of one run. The work table GEDRA_CONDIA
// and the month's rows of CONPLA_MES are rewritten by every run, so two runs on one
// database (two workstations through the server) would overwrite each other's rows.
// The lock is the installation's record in CADCLI, locked (SELECT ... WITH LOCK, which
// changes nothing and fires no trigger) by a NO WAIT transaction on an attachment of its
// own: a second run finds the row taken and is refused at once, and the engine frees it
// when this object goes, when the program ends or dies, or when the connection is lost.
// Readers of CADCLI are never held up; a program that updates CADCLI meanwhile waits
// for the run to end.
class TravaGeracao {
public:
    // Opens its attachment with the shared connection's parameters. Throws
    // GeracaoEmAndamento when another run holds the lock, ErroBanco on other failures.
    explicit TravaGeracao(const ParametrosConexao& parametros);
    ~TravaGeracao();
    TravaGeracao(const TravaGeracao&) = delete;
    TravaGeracao& operator=(const TravaGeracao&) = delete;

private:
    ConexaoBanco conexao_;
};
