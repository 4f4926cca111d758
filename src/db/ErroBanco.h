#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// A failure reported by the database or the client library. The message is the
// database's own wording (all lines of the status vector, joined by line feeds).
class ErroBanco : public std::runtime_error {
public:
    explicit ErroBanco(const std::string& mensagem, int codigoSql = 0)
        : std::runtime_error(mensagem), codigoSql_(codigoSql) {}
    ErroBanco(const std::string& mensagem, int codigoSql, std::vector<long> codigosIsc)
        : std::runtime_error(mensagem), codigoSql_(codigoSql), codigosIsc_(std::move(codigosIsc)) {}
    int codigoSql() const { return codigoSql_; }
    // The engine's error codes (isc_lock_conflict, isc_network_error, ...) of every line
    // of the status vector; empty for the failures that this layer raises itself.
    const std::vector<long>& codigosIsc() const { return codigosIsc_; }
    bool temCodigo(long codigoIsc) const;
    // The attachment itself is gone (server stopped or unreachable, network broken,
    // database shut down): nothing more can be done on this connection.
    bool conexaoPerdida() const;
    // A row that another transaction holds, met by a NO WAIT transaction.
    bool conflitoDeBloqueio() const;
    // The database file is open in another process that the engine cannot share it with
    // (embedded access from two programs).
    bool bancoEmUsoPorOutroProcesso() const;

private:
    int codigoSql_;
    std::vector<long> codigosIsc_;
};
