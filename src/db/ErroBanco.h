#pragma once

#include <stdexcept>
#include <string>

// A failure reported by the database or the client library. The message is the
// database's own wording (all lines of the status vector, joined by line feeds).
class ErroBanco : public std::runtime_error {
public:
    explicit ErroBanco(const std::string& mensagem, int codigoSql = 0)
        : std::runtime_error(mensagem), codigoSql_(codigoSql) {}
    int codigoSql() const { return codigoSql_; }

private:
    int codigoSql_;
};
