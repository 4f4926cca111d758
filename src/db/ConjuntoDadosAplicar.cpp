// Writing a dataset's pending changes to a table.

#include "db/ConjuntoDados.h"

#include <algorithm>
#include <cctype>

#include "db/ConexaoBancoImpl.h"
#include "db/ConjuntoDadosImpl.h"
#include "db/ErroBanco.h"

namespace {

std::string maiusculas(std::string t)
{
    for (char& c : t)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return t;
}

// A column name as SQL: plain when it is a plain identifier, quoted otherwise.
std::string nomeSql(const std::string& nome)
{
    const bool simples = !nome.empty() && std::isalpha(static_cast<unsigned char>(nome[0])) &&
                         std::all_of(nome.begin(), nome.end(), [](unsigned char c) {
                             return std::isalnum(c) || c == '_' || c == '$';
                         });
    if (simples)
        return nome;
    std::string q = "\"";
    for (char c : nome)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

struct Coluna {
    int indice;
    std::string nome;
};

// The dataset's columns that belong to the table, by the table's own column names.
// Without origins (an in-memory table, or a statement whose columns are all
// expressions) every column is written under its own name.
std::vector<Coluna> colunasDaTabela(const ConjuntoDados::Impl& d, const std::string& tabela)
{
    std::vector<Coluna> escolhidas;
    const std::string alvo = maiusculas(tabela);
    for (int i = 0; i < static_cast<int>(d.origens.size()); ++i)
        if (!d.origens[i].campo.empty() && maiusculas(d.origens[i].tabela) == alvo)
            escolhidas.push_back({i, d.origens[i].campo});
    if (escolhidas.empty())
        for (int i = 0; i < d.colunas->tamanho(); ++i)
            escolhidas.push_back({i, d.colunas->nomes()[i]});
    return escolhidas;
}

std::string sqlInsert(const std::string& tabela, const std::vector<Coluna>& colunas)
{
    std::string nomes, marcas;
    for (const Coluna& c : colunas) {
        nomes += (nomes.empty() ? "" : ", ") + nomeSql(c.nome);
        marcas += marcas.empty() ? "?" : ", ?";
    }
    return "INSERT INTO " + tabela + " (" + nomes + ") VALUES (" + marcas + ")";
}

// By the key as loaded; IS NOT DISTINCT FROM also finds a key field that was null.
std::string sqlUpdate(const std::string& tabela, const std::vector<Coluna>& colunas, const std::vector<Coluna>& chave)
{
    std::string sets, onde;
    for (const Coluna& c : colunas)
        sets += (sets.empty() ? "" : ", ") + nomeSql(c.nome) + " = ?";
    for (const Coluna& c : chave)
        onde += (onde.empty() ? "" : " AND ") + nomeSql(c.nome) + " IS NOT DISTINCT FROM ?";
    return "UPDATE " + tabela + " SET " + sets + " WHERE " + onde;
}

} // namespace

int ConjuntoDados::aplicarAlteracoes(ConexaoBanco& conexao,
                                     const std::string& tabela,
                                     const std::vector<std::string>& chave,
                                     const std::function<void(const std::string&)>& aoRecusar)
{
    Impl& d = *impl_;
    d.exigirAberto();
    gravar();
    if (d.pendentes == 0)
        return 0;
    ConexaoBanco::Impl& c = conexao.impl();
    c.exigirAberta();

    const std::vector<Coluna> colunas = colunasDaTabela(d, tabela);
    std::vector<Coluna> colunasChave;
    for (const std::string& nome : chave) {
        const int i = d.colunas->indiceObrigatorio(nome);
        auto mesma = std::find_if(colunas.begin(), colunas.end(), [i](const Coluna& k) { return k.indice == i; });
        colunasChave.push_back({i, mesma != colunas.end() ? mesma->nome : nome});
    }

    EstadoFirebird estado(*c.biblioteca);
    TransacaoDeUso transacao(c, estado);
    std::unique_ptr<Comando::Impl> inserir, atualizar;
    std::vector<int> aplicadas;
    std::vector<Valor> parametros;
    int recusadas = 0;
    try {
        for (int linha = 0; linha < static_cast<int>(d.linhas.size()); ++linha) {
            const Impl::Linha& l = d.linhas[linha];
            if (l.estado == Impl::Estado::Inalterado)
                continue;
            parametros.clear();
            for (const Coluna& col : colunas)
                parametros.push_back(l.valores[col.indice]);
            try {
                if (l.estado == Impl::Estado::Inserido) {
                    if (!inserir)
                        inserir = std::make_unique<Comando::Impl>(c, sqlInsert(tabela, colunas), transacao.get());
                    inserir->executar(parametros, transacao.get());
                } else {
                    if (colunasChave.empty())
                        throw ErroBanco("Não há campos chave para gravar a alteração em " + tabela);
                    if (!atualizar)
                        atualizar = std::make_unique<Comando::Impl>(c, sqlUpdate(tabela, colunas, colunasChave),
                                                                    transacao.get());
                    for (const Coluna& k : colunasChave)
                        parametros.push_back(l.originais[k.indice]);
                    if (atualizar->executar(parametros, transacao.get(), true) == 0)
                        throw ErroBanco("Registro não encontrado ou alterado por outro usuário");
                }
                aplicadas.push_back(linha);
            } catch (const ErroBanco& e) {
                // A statement that cannot even be prepared refuses every row alike:
                // that is a failure of the apply, not of this row. So does a lost
                // connection, which would otherwise "refuse" every row left.
                if (e.conexaoPerdida() ||
                    (l.estado == Impl::Estado::Inserido && !inserir) ||
                    (l.estado == Impl::Estado::Modificado && !atualizar && !colunasChave.empty()))
                    throw;
                ++recusadas;
                if (aoRecusar)
                    aoRecusar(e.what());
            }
        }
        inserir.reset();
        atualizar.reset();
        transacao.concluir();
    } catch (...) {
        // Rows written in the caller's transaction are its business now; in a
        // transaction of our own nothing was kept, so everything stays pending.
        if (!transacao.propria())
            for (int linha : aplicadas)
                d.marcarAplicada(linha);
        throw;
    }
    for (int linha : aplicadas)
        d.marcarAplicada(linha);
    return recusadas;
}
