#pragma once

#include <string>

#include "db/ConjuntoDados.h"
#include "settings/Mensageiro.h"

class ConexaoBanco;

// The data module: the datasets of the monthly balances and the work table on the
// shared connection, and the monthly balance computation.
class Tdm {
public:
    Tdm(ConexaoBanco& Conexao, Mensageiro& mensageiro);

    // Opens qrCliente; when the shared connection is closed, ConexaoBeforeConnect runs
    // first. Returns false when the database could not be opened (the operator was told
    // and the program asked to end).
    bool DataModuleCreate();

    // Raised for each row that the database refuses while cdsBalancete is applied.
    void cdsBalanceteReconcileError(const std::string& mensagem);

    // Rebuilds the month's rows of CONPLA_MES of the type ("UG" or "CO") and leaves them
    // in cdsBalancete, ordered by BALCO, UG. entidade: the validated entity number for
    // "UG", empty for "CO".
    void CALCULA_CONPLA_MES(const std::string& inicio, const std::string& fim,
                            const std::string& tipo, const std::string& entidade);

    ConexaoBanco& Conexao;
    Mensageiro& mensageiro;

    ConjuntoDados qrCliente;        // SELECT * FROM CADCLI
    ConjuntoDados cdsBalancete;     // buffer of the monthly balances
    ConjuntoDados qrGedra;          // the five-level union of the work table
    ConjuntoDados cdsGEDRA_CONDIA;  // buffer of the new rows of GEDRA_CONDIA

    // The transaction descriptor: identifier 1, read committed.
    struct DescritorTransacao {
        int TransactionID = 0;
        bool ReadCommitted = false;
    } TD;
};
