#pragma once

#include <memory>
#include <string>

#include "balances/MovimentosTrabalho.h"
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

    // The same computation statement by statement: the delete, the two passes read from
    // GEDRA_CONDIA by the balance statement, the buffer written after each. Used for what
    // CALCULA_CONPLA_MES cannot sum in memory as the statements would (see
    // MovimentosTrabalho::fiel), and kept as the reference that it is checked against.
    void CALCULA_CONPLA_MES_INSTRUCOES(const std::string& inicio, const std::string& fim,
                                       const std::string& tipo, const std::string& entidade);

    // Reads GEDRA_CONDIA once for the months that follow, which CALCULA_CONPLA_MES then
    // sums in memory; without it each call reads the table for itself. Release it when
    // the table may change.
    void LE_TABELA_TRABALHO();
    void LIBERA_TABELA_TRABALHO();

    // When set, the run follows its statements one by one: the work table filled row by
    // row, each month by its statements, each account of the chart file by its own
    // statement. The straightforward method that the faster one is checked against.
    bool PorInstrucoes = false;

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

private:
    std::shared_ptr<const MovimentosTrabalho> movimentos_;
};

// The statements of the computation, as CALCULA_CONPLA_MES_INSTRUCOES runs them (the
// benchmark runs them alone too). inicio and fim without their quotes.
std::string SqlSaldos(PassoSaldos passo, const std::string& restricao, const std::string& inicio,
                      const std::string& fim);
std::string SqlExclusaoSaldos(const std::string& mes, const std::string& tipo, const std::string& entidade);
std::string SqlBufferSaldos(const std::string& mes, const std::string& tipo, const std::string& entidade);
// "B.UG= n AND ": the work table's entity restriction of type "UG".
std::string RestricaoSaldos(const std::string& entidade);
