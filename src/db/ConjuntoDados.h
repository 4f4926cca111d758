#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/Registro.h"
#include "db/Valor.h"

class ConexaoBanco;

// The in-memory dataset that stands in for the client datasets of the original
// program: a statement's rows held in memory, a current row, locate through a hash
// index, ordering, append/edit/post and the apply of the pending changes.
class ConjuntoDados {
public:
    ConjuntoDados();
    ~ConjuntoDados();
    ConjuntoDados(const ConjuntoDados&) = delete;
    ConjuntoDados& operator=(const ConjuntoDados&) = delete;

    // Opens on a statement: all rows are read; the dataset starts at its first row.
    void abrir(ConexaoBanco& conexao, const std::string& sql);
    // Opens empty with the given fields (an in-memory table such as cdsTemp).
    void criar(const std::vector<std::string>& campos);
    void fechar();
    bool aberto() const;

    int contar() const;                 // RecordCount
    void primeiro();
    void proximo();
    bool fim() const;                   // Eof
    int numeroRegistro() const;         // RecNo, from 1; 0 when empty
    const Colunas& colunas() const;

    // The current row's field (the edit buffer while editing/appending).
    const Valor& campo(const std::string& nome) const;
    // Sets a field of the edit buffer; only while editing or appending.
    void definir(const std::string& nome, Valor valor);

    // Moves to the first row whose named fields equal the values (exact comparison,
    // see Valor::operator==). Uses a hash index per set of fields, built on first use
    // and kept up to date by post. Returns false, leaving the position, when none.
    bool localizar(const std::vector<std::string>& campos, const std::vector<Valor>& valores);

    // Keeps the rows ordered by the named fields (stable; nulls first); moves to the first row.
    void ordenar(const std::vector<std::string>& campos);

    void anexar();                      // Append: a new row at the end, in the edit buffer
    void editar();                      // Edit: the current row into the edit buffer
    void gravar();                      // Post
    void cancelar();                    // Cancel the edit buffer

    int alteracoesPendentes() const;    // ChangeCount: rows inserted or changed and not yet applied

    // Writes the pending changes to a table: an INSERT for each new row, an UPDATE by
    // the key fields (their values as loaded) for each changed row. No limit on refused
    // rows: each refused row calls aoRecusar with the database's message, stays pending,
    // and the apply goes on with the next row. Returns the number of refused rows.
    // Runs in the connection's explicit transaction when one is in progress; otherwise
    // in one transaction of its own that is committed at the end.
    int aplicarAlteracoes(ConexaoBanco& conexao,
                          const std::string& tabela,
                          const std::vector<std::string>& chave,
                          const std::function<void(const std::string&)>& aoRecusar);

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};
