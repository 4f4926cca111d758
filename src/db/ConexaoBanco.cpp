#include "db/ConexaoBanco.h"

#include "db/ConexaoBancoImpl.h"
#include "db/ErroBanco.h"

namespace {

using Firebird::IXpbBuilder;

// Owns a parameter block builder (DPB, TPB).
struct Bloco {
    Bloco(EstadoFirebird& e, unsigned tipo)
        : estado(e), construtor(e([&](auto* st) { return e.biblioteca().util->getXpbBuilder(st, tipo, nullptr, 0); }))
    {
    }
    ~Bloco() { construtor->dispose(); }
    void texto(unsigned char marca, const std::string& valor)
    {
        estado([&](auto* st) { construtor->insertString(st, marca, valor.c_str()); });
    }
    void inteiro(unsigned char marca, int valor)
    {
        estado([&](auto* st) { construtor->insertInt(st, marca, valor); });
    }
    void marca(unsigned char m)
    {
        estado([&](auto* st) { construtor->insertTag(st, m); });
    }
    unsigned tamanho() { return estado([&](auto* st) { return construtor->getBufferLength(st); }); }
    const unsigned char* dados() { return estado([&](auto* st) { return construtor->getBuffer(st); }); }

    EstadoFirebird& estado;
    IXpbBuilder* construtor;
};

void preencherIdentificacao(Bloco& dpb, const ParametrosConexao& p)
{
    dpb.texto(isc_dpb_user_name, p.User_Name);
    dpb.texto(isc_dpb_password, p.Password);
    dpb.inteiro(isc_dpb_sql_dialect, p.SQLDialect);
    dpb.texto(isc_dpb_lc_ctype, p.ServerCharSet.empty() ? "WIN1252" : p.ServerCharSet);
    if (!p.RoleName.empty())
        dpb.texto(isc_dpb_sql_role_name, p.RoleName);
}

// Lines of a script up to a ";" at the end of a line make one statement.
std::vector<std::string> dividirScript(const std::string& texto)
{
    std::vector<std::string> comandos;
    std::string atual;
    size_t ini = 0;
    while (ini <= texto.size()) {
        size_t fim = texto.find('\n', ini);
        if (fim == std::string::npos)
            fim = texto.size();
        std::string linha = texto.substr(ini, fim - ini);
        ini = fim + 1;
        while (!linha.empty() && (linha.back() == '\r' || linha.back() == ' ' || linha.back() == '\t'))
            linha.pop_back();
        const auto primeiro = linha.find_first_not_of(" \t");
        if (primeiro == std::string::npos || linha.compare(primeiro, 2, "--") == 0)
            continue;
        if (linha.back() == ';') {
            linha.pop_back();
            atual += linha;
            comandos.push_back(atual);
            atual.clear();
        } else {
            atual += linha + "\n";
        }
    }
    if (atual.find_first_not_of(" \t\r\n") != std::string::npos)
        comandos.push_back(atual);
    return comandos;
}

bool ehCommit(const std::string& comando)
{
    std::string t;
    for (char c : comando)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            t += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return t == "COMMIT" || t == "COMMITWORK";
}

} // namespace

// ---- ConexaoBanco::Impl ----------------------------------------------------

void ConexaoBanco::Impl::exigirAberta() const
{
    if (!anexo)
        throw ErroBanco("A conexão com o banco de dados não está aberta");
}

Firebird::ITransaction* ConexaoBanco::Impl::novaTransacao(EstadoFirebird& e, bool esperar)
{
    exigirAberta();
    Bloco tpb(e, IXpbBuilder::TPB);
    tpb.marca(isc_tpb_read_committed);
    tpb.marca(isc_tpb_rec_version);
    tpb.marca(esperar ? isc_tpb_wait : isc_tpb_nowait);
    tpb.marca(isc_tpb_write);
    const unsigned n = tpb.tamanho();
    const unsigned char* dados = tpb.dados();
    return e([&](auto* st) { return anexo->startTransaction(st, n, dados); });
}

void ConexaoBanco::Impl::fechar()
{
    if (estado) {
        Encerrar(*estado, transacao, [](auto* t, auto* st) { t->rollback(st); });
        Encerrar(*estado, anexo, [](auto* a, auto* st) { a->detach(st); });
    }
    Liberar(provedor);
    estado.reset();
}

// ---- TransacaoDeUso --------------------------------------------------------

TransacaoDeUso::TransacaoDeUso(ConexaoBanco::Impl& conexao, EstadoFirebird& estado)
    : estado_(estado)
{
    conexao.exigirAberta();
    if (conexao.transacao) {
        transacao_ = conexao.transacao;
    } else {
        transacao_ = conexao.novaTransacao(estado);
        propria_ = true;
    }
}

TransacaoDeUso::~TransacaoDeUso()
{
    desfazer();
}

void TransacaoDeUso::concluir()
{
    if (propria_ && transacao_) {
        estado_([&](auto* st) { transacao_->commit(st); });
        transacao_ = nullptr;
    }
}

void TransacaoDeUso::desfazer()
{
    if (propria_)
        Encerrar(estado_, transacao_, [](auto* t, auto* st) { t->rollback(st); });
}

// ---- ConexaoBanco ----------------------------------------------------------

ConexaoBanco::ConexaoBanco()
    : impl_(std::make_unique<Impl>())
{
}

ConexaoBanco::~ConexaoBanco()
{
    impl_->fechar();
}

void ConexaoBanco::abrir(const ParametrosConexao& p)
{
    fechar();
    Impl& c = *impl_;
    c.parametros = p;
    c.biblioteca = &CarregarBibliotecaCliente(p.bibliotecaCliente);
    c.estado = std::make_unique<EstadoFirebird>(*c.biblioteca);
    try {
        c.provedor = c.biblioteca->mestre->getDispatcher();
        Bloco dpb(*c.estado, IXpbBuilder::DPB);
        preencherIdentificacao(dpb, p);
        const unsigned n = dpb.tamanho();
        const unsigned char* dados = dpb.dados();
        c.anexo = (*c.estado)([&](auto* st) { return c.provedor->attachDatabase(st, p.DataBase.c_str(), n, dados); });
    } catch (...) {
        c.fechar();
        throw;
    }
}

void ConexaoBanco::fechar()
{
    impl_->fechar();
}

bool ConexaoBanco::aberta() const
{
    return impl_->anexo != nullptr;
}

const ParametrosConexao& ConexaoBanco::parametros() const
{
    return impl_->parametros;
}

void ConexaoBanco::criarBanco(const ParametrosConexao& p)
{
    const BibliotecaCliente& b = CarregarBibliotecaCliente(p.bibliotecaCliente);
    EstadoFirebird estado(b);
    Firebird::IProvider* provedor = b.mestre->getDispatcher();
    Firebird::IAttachment* anexo = nullptr;
    try {
        Bloco dpb(estado, IXpbBuilder::DPB);
        preencherIdentificacao(dpb, p);
        dpb.inteiro(isc_dpb_page_size, 8192);
        dpb.texto(isc_dpb_set_db_charset, "WIN1252");
        // Databases made here are for tests and demonstrations: no disk flush per commit.
        dpb.inteiro(isc_dpb_force_write, 0);
        const unsigned n = dpb.tamanho();
        const unsigned char* dados = dpb.dados();
        anexo = estado([&](auto* st) { return provedor->createDatabase(st, p.DataBase.c_str(), n, dados); });
        estado([&](auto* st) { anexo->detach(st); });
        anexo = nullptr;
    } catch (...) {
        Encerrar(estado, anexo, [](auto* a, auto* st) { a->detach(st); });
        Liberar(provedor);
        throw;
    }
    Liberar(provedor);
}

void ConexaoBanco::iniciarTransacao(bool esperarBloqueios)
{
    Impl& c = *impl_;
    c.exigirAberta();
    if (c.transacao)
        throw ErroBanco("Já existe uma transação em andamento");
    c.transacao = c.novaTransacao(*c.estado, esperarBloqueios);
}

void ConexaoBanco::confirmar()
{
    Impl& c = *impl_;
    if (!c.transacao)
        throw ErroBanco("Não há transação em andamento para confirmar");
    (*c.estado)([&](auto* st) { c.transacao->commit(st); });
    c.transacao = nullptr;
}

void ConexaoBanco::desfazer()
{
    Impl& c = *impl_;
    if (!c.transacao)
        throw ErroBanco("Não há transação em andamento para desfazer");
    (*c.estado)([&](auto* st) { c.transacao->rollback(st); });
    c.transacao = nullptr;
}

bool ConexaoBanco::emTransacao() const
{
    return impl_->transacao != nullptr;
}

void ConexaoBanco::executar(const std::string& sql)
{
    executar(sql, {});
}

void ConexaoBanco::executar(const std::string& sql, const std::vector<Valor>& parametros)
{
    Impl& c = *impl_;
    c.exigirAberta();
    TransacaoDeUso transacao(c, *c.estado);
    {
        Comando::Impl comando(c, sql, transacao.get());
        comando.executar(parametros, transacao.get());
    }
    transacao.concluir();
}

void ConexaoBanco::executarScript(const std::string& texto)
{
    for (const std::string& comando : dividirScript(texto)) {
        if (ehCommit(comando)) {
            if (emTransacao())
                confirmar();
            continue;
        }
        executar(comando);
    }
}

Cursor ConexaoBanco::abrirCursor(const std::string& sql)
{
    impl_->exigirAberta();
    return Cursor(std::make_unique<Cursor::Impl>(*impl_, sql));
}

std::vector<Registro> ConexaoBanco::consultar(const std::string& sql)
{
    impl_->exigirAberta();
    Cursor::Impl cursor(*impl_, sql);
    std::vector<Registro> linhas;
    std::vector<Valor> valores;
    while (cursor.proximo(valores))
        linhas.emplace_back(cursor.colunas(), std::move(valores));
    return linhas;
}

Comando ConexaoBanco::preparar(const std::string& sql)
{
    impl_->exigirAberta();
    return Comando(std::make_unique<Comando::Impl>(*impl_, sql));
}
