#include "db/ConexaoBanco.h"

#include "db/ConexaoBancoImpl.h"
#include "db/ErroBanco.h"

Comando::Impl::Impl(ConexaoBanco::Impl& c, const std::string& sql, Firebird::ITransaction* transacao)
    : conexao(c),
      estado(*c.biblioteca)
{
    conexao.exigirAberta();
    try {
        if (transacao) {
            preparar(sql, transacao);
        } else {
            TransacaoDeUso uso(conexao, estado);
            preparar(sql, uso.get());
            uso.concluir();
        }
    } catch (...) {
        Liberar(saida);
        Encerrar(estado, comando, [](auto* s, auto* st) { s->free(st); });
        throw;
    }
}

Comando::Impl::~Impl()
{
    Liberar(saida);
    Encerrar(estado, comando, [](auto* s, auto* st) { s->free(st); });
}

void Comando::Impl::preparar(const std::string& sql, Firebird::ITransaction* transacao)
{
    comando = estado([&](auto* st) {
        return conexao.anexo->prepare(st, transacao, 0, sql.c_str(), conexao.parametros.SQLDialect,
                                      Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    });
    estado([&](auto* st) {
        const unsigned tipo = comando->getType(st);
        selecao = tipo == isc_info_sql_stmt_select || tipo == isc_info_sql_stmt_select_for_upd;
        saida = comando->getOutputMetadata(st);
        if (saida->getCount(st) == 0)
            Liberar(saida);
        else
            bufferSaida.assign(saida->getMessageLength(st), 0);
    });
    entrada.preparar(estado, comando);
}

uint64_t Comando::Impl::executar(const std::vector<Valor>& parametros, Firebird::ITransaction* transacao, bool contar)
{
    Firebird::IMessageMetadata* meta = entrada.preencher(parametros, estado, conexao.anexo, transacao);
    const unsigned char* dados = entrada.quantidade() ? entrada.dados() : nullptr;
    if (!entrada.quantidade())
        meta = nullptr;
    if (selecao) {
        // A SELECT given to be executed: run it and drop its rows.
        Firebird::IResultSet* rs = estado([&](auto* st) {
            return comando->openCursor(st, transacao, meta, const_cast<unsigned char*>(dados), nullptr, 0);
        });
        Encerrar(estado, rs, [](auto* r, auto* st) { r->close(st); });
        return 0;
    }
    return estado([&](auto* st) {
        comando->execute(st, transacao, meta, const_cast<unsigned char*>(dados), saida,
                         saida ? bufferSaida.data() : nullptr);
        return contar ? comando->getAffectedRecords(st) : 0;
    });
}

uint64_t Comando::Impl::executar(const std::vector<Valor>& parametros)
{
    TransacaoDeUso uso(conexao, estado);
    const uint64_t n = executar(parametros, uso.get());
    uso.concluir();
    return n;
}

Comando::Comando(std::unique_ptr<Impl> impl)
    : impl_(std::move(impl))
{
}

Comando::Comando(Comando&&) noexcept = default;
Comando& Comando::operator=(Comando&&) noexcept = default;
Comando::~Comando() = default;

void Comando::executar(const std::vector<Valor>& parametros)
{
    if (!impl_)
        throw ErroBanco("Comando sem instrução preparada");
    impl_->executar(parametros);
}
