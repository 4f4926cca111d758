#include "db/ConexaoBanco.h"

#include "db/ConexaoBancoImpl.h"
#include "db/ErroBanco.h"

Cursor::Impl::Impl(ConexaoBanco::Impl& c, const std::string& sql)
    : estado(*c.biblioteca),
      anexo(c.anexo),
      transacao(c, estado)
{
    try {
        comando = estado([&](auto* st) {
            return anexo->prepare(st, transacao.get(), 0, sql.c_str(), c.parametros.SQLDialect,
                                  Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        });
        metadados = estado([&](auto* st) { return comando->getOutputMetadata(st); });
        leitor.preparar(estado, metadados);
        buffer.assign(leitor.tamanhoMensagem(), 0);
        resultado = estado([&](auto* st) {
            return comando->openCursor(st, transacao.get(), nullptr, nullptr, metadados, 0);
        });
    } catch (...) {
        encerrar();
        throw;
    }
    atual = Registro(leitor.colunas(), {});
}

Cursor::Impl::~Impl()
{
    encerrar();
}

void Cursor::Impl::encerrar()
{
    // Result set, statement, then the transaction: the order Firebird asks for.
    Encerrar(estado, resultado, [](auto* r, auto* st) { r->close(st); });
    Liberar(metadados);
    Encerrar(estado, comando, [](auto* s, auto* st) { s->free(st); });
    if (transacao.propria()) {
        try {
            transacao.concluir();
        } catch (const ErroBanco&) {
            transacao.desfazer();
        }
    }
}

bool Cursor::Impl::proximo(std::vector<Valor>& valores)
{
    if (!resultado)
        return false;
    int r;
    try {
        r = estado([&](auto* st) { return resultado->fetchNext(st, buffer.data()); });
        if (r == Firebird::IStatus::RESULT_OK) {
            leitor.ler(buffer.data(), valores, estado, anexo, transacao.get());
            return true;
        }
    } catch (...) {
        encerrar();
        throw;
    }
    encerrar();
    return false;
}

Cursor::Cursor(std::unique_ptr<Impl> impl)
    : impl_(std::move(impl))
{
}

Cursor::Cursor(Cursor&&) noexcept = default;
Cursor& Cursor::operator=(Cursor&&) noexcept = default;
Cursor::~Cursor() = default;

const Colunas& Cursor::colunas() const
{
    return *impl_->colunas();
}

bool Cursor::proximo()
{
    return impl_ && impl_->proximo(impl_->atual.valores());
}

const Registro& Cursor::atual() const
{
    return impl_->atual;
}
