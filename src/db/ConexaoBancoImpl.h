#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <firebird/Interface.h>

#include "db/BibliotecaCliente.h"
#include "db/ConexaoBanco.h"
#include "db/EstadoFirebird.h"
#include "db/LeitorRegistro.h"
#include "db/MensagemEntrada.h"

// The insides of the connection, cursor and command, shared by the files of this
// layer (the dataset reads and writes through them without the public wrappers).

struct ConexaoBanco::Impl {
    ParametrosConexao parametros;
    const BibliotecaCliente* biblioteca = nullptr;
    std::unique_ptr<EstadoFirebird> estado;
    Firebird::IProvider* provedor = nullptr;
    Firebird::IAttachment* anexo = nullptr;
    Firebird::ITransaction* transacao = nullptr;   // the explicit one, when in progress

    void exigirAberta() const;
    // Read committed, record version, wait (or no wait), read-write.
    Firebird::ITransaction* novaTransacao(EstadoFirebird& estado, bool esperar = true);
    void fechar();
};

// The transaction a piece of work runs in: the explicit one when in progress,
// otherwise one of its own, committed by concluir() and rolled back when the work
// ends without it.
class TransacaoDeUso {
public:
    TransacaoDeUso(ConexaoBanco::Impl& conexao, EstadoFirebird& estado);
    ~TransacaoDeUso();
    TransacaoDeUso(const TransacaoDeUso&) = delete;
    TransacaoDeUso& operator=(const TransacaoDeUso&) = delete;

    Firebird::ITransaction* get() const { return transacao_; }
    bool propria() const { return propria_; }
    void concluir();
    void desfazer();

private:
    EstadoFirebird& estado_;
    Firebird::ITransaction* transacao_ = nullptr;
    bool propria_ = false;
};

// A prepared statement, for ConexaoBanco::executar, Comando and the dataset's apply.
struct Comando::Impl {
    // Prepares within `transacao`, or within a transaction of its own when null.
    Impl(ConexaoBanco::Impl& conexao, const std::string& sql, Firebird::ITransaction* transacao = nullptr);
    ~Impl();

    // Runs in the given transaction; with `contar`, gives the number of rows it
    // changed (one more request to the database, so only when asked).
    uint64_t executar(const std::vector<Valor>& parametros, Firebird::ITransaction* transacao, bool contar = false);
    // Runs in the explicit transaction, or in one of its own that is committed.
    uint64_t executar(const std::vector<Valor>& parametros);

    ConexaoBanco::Impl& conexao;
    EstadoFirebird estado;
    Firebird::IStatement* comando = nullptr;
    Firebird::IMessageMetadata* saida = nullptr;
    std::vector<unsigned char> bufferSaida;
    MensagemEntrada entrada;
    bool selecao = false;

private:
    void preparar(const std::string& sql, Firebird::ITransaction* transacao);
};

struct Cursor::Impl {
    Impl(ConexaoBanco::Impl& conexao, const std::string& sql);
    ~Impl();

    // Reads the next row into `valores`; false at the end, when everything is closed
    // and a transaction of its own is committed.
    bool proximo(std::vector<Valor>& valores);
    const std::shared_ptr<const Colunas>& colunas() const { return leitor.colunas(); }
    void encerrar();

    EstadoFirebird estado;
    Firebird::IAttachment* anexo;
    TransacaoDeUso transacao;
    Firebird::IStatement* comando = nullptr;
    Firebird::IResultSet* resultado = nullptr;
    Firebird::IMessageMetadata* metadados = nullptr;
    LeitorRegistro leitor;
    std::vector<unsigned char> buffer;
    Registro atual;
};
