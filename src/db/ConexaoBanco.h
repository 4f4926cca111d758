#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/Registro.h"
#include "db/Valor.h"

// What a connection needs, already mapped onto what Firebird understands.
struct ParametrosConexao {
    std::string DataBase;                  // local path (embedded engine) or host[/port]:path (server)
    std::string User_Name = "IYRVEJQ2";
    std::string Password;                  // see SENHA_BANCO in settings/Conexao.h
    int SQLDialect = 3;
    std::string ServerCharSet = "WIN1252";
    std::string RoleName;                  // empty: no role is sent
    std::string bibliotecaCliente;         // file of the client library; empty: the system's fbclient
};

class Cursor;
class Comando;

// One attachment to a database, with at most one explicit transaction at a time.
// Statements run inside the explicit transaction when one is in progress; otherwise
// each runs in a transaction of its own that is committed when it ends (auto-commit).
// Transactions are read committed and wait on locks.
class ConexaoBanco {
public:
    ConexaoBanco();
    ~ConexaoBanco();
    ConexaoBanco(const ConexaoBanco&) = delete;
    ConexaoBanco& operator=(const ConexaoBanco&) = delete;

    void abrir(const ParametrosConexao& p);    // throws ErroBanco
    void fechar();                             // rolls back an open transaction
    bool aberta() const;
    const ParametrosConexao& parametros() const;

    // Creates a new, empty database (tools and tests).
    static void criarBanco(const ParametrosConexao& p);

    // esperarBloqueios false: a NO WAIT transaction, in which a row that another
    // transaction holds fails at once (isc_lock_conflict) instead of waiting for it.
    void iniciarTransacao(bool esperarBloqueios = true);
    void confirmar();                          // commit
    void desfazer();                           // rollback
    bool emTransacao() const;

    void executar(const std::string& sql);
    void executar(const std::string& sql, const std::vector<Valor>& parametros);
    // Runs each statement of a script (statements end with ";" at the end of a line;
    // "--" comment lines are skipped). For schemas and fixtures.
    void executarScript(const std::string& texto);

    // Reads a statement's rows one by one, without holding them all.
    Cursor abrirCursor(const std::string& sql);
    // Reads all rows at once.
    std::vector<Registro> consultar(const std::string& sql);

    // A statement prepared once and executed many times with parameters ("?").
    Comando preparar(const std::string& sql);

    struct Impl;
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

// Stops the client libraries loaded by the connections (IProvider::shutdown). Call it
// once at the end of the program, after the connections are closed; it is also run
// by itself at exit, and a second call does nothing.
void EncerrarBibliotecasCliente();

class Cursor {
public:
    Cursor(Cursor&&) noexcept;
    Cursor& operator=(Cursor&&) noexcept;
    ~Cursor();
    const Colunas& colunas() const;
    // Moves to the next row; false at the end (the cursor is then closed).
    bool proximo();
    const Registro& atual() const;

    struct Impl;
    explicit Cursor(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
};

class Comando {
public:
    Comando(Comando&&) noexcept;
    Comando& operator=(Comando&&) noexcept;
    ~Comando();
    void executar(const std::vector<Valor>& parametros);

    struct Impl;
    explicit Comando(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
};
