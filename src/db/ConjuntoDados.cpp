#include "db/ConjuntoDados.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "db/ComparacaoValor.h"
#include "db/ConexaoBancoImpl.h"
#include "db/ConjuntoDadosImpl.h"

namespace {

const Valor NULO;

} // namespace

// ---- Impl ------------------------------------------------------------------

void ConjuntoDados::Impl::exigirAberto() const
{
    if (!aberto)
        throw std::logic_error("O conjunto de dados não está aberto");
}

void ConjuntoDados::Impl::iniciar(std::shared_ptr<const Colunas> c, std::vector<OrigemColuna> o)
{
    *this = Impl();
    colunas = std::move(c);
    origens = std::move(o);
    aberto = true;
}

std::vector<int> ConjuntoDados::Impl::camposPorNome(const std::vector<std::string>& nomes) const
{
    std::vector<int> campos;
    for (const std::string& n : nomes)
        campos.push_back(colunas->indiceObrigatorio(n));
    return campos;
}

size_t ConjuntoDados::Impl::hash(const std::vector<int>& campos, const std::vector<Valor>& valores) const
{
    size_t h = 1469598103934665603ull;
    for (int c : campos)
        h = (h ^ HashValor(valores[c])) * 1099511628211ull;
    return h;
}

ConjuntoDados::Impl::Indice& ConjuntoDados::Impl::indice(const std::vector<int>& campos)
{
    auto it = indices.find(campos);
    if (it != indices.end())
        return it->second;
    Indice& ind = indices[campos];
    ind.campos = campos;
    ind.porHash.reserve(linhas.size());
    for (int l = 0; l < static_cast<int>(linhas.size()); ++l)
        indexar(ind, l);
    return ind;
}

void ConjuntoDados::Impl::indexar(Indice& ind, int linha)
{
    ind.porHash[hash(ind.campos, linhas[linha].valores)].push_back(linha);
}

void ConjuntoDados::Impl::desindexar(Indice& ind, int linha)
{
    auto it = ind.porHash.find(hash(ind.campos, linhas[linha].valores));
    if (it == ind.porHash.end())
        return;
    auto& v = it->second;
    v.erase(std::remove(v.begin(), v.end(), linha), v.end());
    if (v.empty())
        ind.porHash.erase(it);
}

int ConjuntoDados::Impl::posicaoDaLinha(int linha)
{
    if (!posicoesValidas) {
        posicaoDe.assign(linhas.size(), 0);
        for (int p = 0; p < static_cast<int>(ordem.size()); ++p)
            posicaoDe[ordem[p]] = p;
        posicoesValidas = true;
    }
    return posicaoDe[linha];
}

bool ConjuntoDados::Impl::antes(int a, int b) const
{
    for (int c : camposOrdem) {
        const int r = CompararValores(linhas[a].valores[c], linhas[b].valores[c]);
        if (r != 0)
            return r < 0;
    }
    return false;
}

void ConjuntoDados::Impl::colocarEmOrdem(int linha, int deOnde)
{
    if (deOnde >= 0)
        ordem.erase(ordem.begin() + deOnde);
    auto onde = camposOrdem.empty()
                    ? (deOnde >= 0 ? ordem.begin() + deOnde : ordem.end())
                    : std::upper_bound(ordem.begin(), ordem.end(), linha,
                                       [this](int a, int b) { return antes(a, b); });
    posicao = static_cast<int>(onde - ordem.begin());
    ordem.insert(onde, linha);
    if (posicao == static_cast<int>(ordem.size()) - 1 && deOnde < 0 && posicoesValidas) {
        posicaoDe.resize(linhas.size());
        posicaoDe[linha] = posicao;
    } else {
        posicoesValidas = false;
    }
}

void ConjuntoDados::Impl::marcarAplicada(int linha)
{
    Linha& l = linhas[linha];
    if (l.estado == Estado::Inalterado)
        return;
    l.estado = Estado::Inalterado;
    l.originais.clear();
    l.originais.shrink_to_fit();
    --pendentes;
}

// ---- ConjuntoDados -----------------------------------------------------------

ConjuntoDados::ConjuntoDados()
    : impl_(std::make_unique<Impl>())
{
}

ConjuntoDados::~ConjuntoDados() = default;

void ConjuntoDados::abrir(ConexaoBanco& conexao, const std::string& sql)
{
    fechar();
    conexao.impl().exigirAberta();
    Cursor::Impl cursor(conexao.impl(), sql);
    Impl& d = *impl_;
    d.iniciar(cursor.colunas(), cursor.leitor.origens());
    std::vector<Valor> valores;
    try {
        while (cursor.proximo(valores))
            d.linhas.push_back({std::move(valores), {}, Impl::Estado::Inalterado});
    } catch (...) {
        d = Impl();
        throw;
    }
    d.ordem.resize(d.linhas.size());
    std::iota(d.ordem.begin(), d.ordem.end(), 0);
    d.posicaoDe = d.ordem;
    d.eof = d.linhas.empty();
}

void ConjuntoDados::criar(const std::vector<std::string>& campos)
{
    fechar();
    impl_->iniciar(std::make_shared<const Colunas>(campos), {});
}

void ConjuntoDados::fechar()
{
    *impl_ = Impl();
}

bool ConjuntoDados::aberto() const
{
    return impl_->aberto;
}

int ConjuntoDados::contar() const
{
    return static_cast<int>(impl_->ordem.size());
}

void ConjuntoDados::primeiro()
{
    impl_->exigirAberto();
    gravar();
    impl_->posicao = 0;
    impl_->eof = impl_->ordem.empty();
}

void ConjuntoDados::proximo()
{
    impl_->exigirAberto();
    gravar();
    Impl& d = *impl_;
    if (d.posicao + 1 < static_cast<int>(d.ordem.size()))
        ++d.posicao;
    else
        d.eof = true;
}

bool ConjuntoDados::fim() const
{
    return impl_->eof;
}

int ConjuntoDados::numeroRegistro() const
{
    return impl_->ordem.empty() ? 0 : impl_->posicao + 1;
}

const Colunas& ConjuntoDados::colunas() const
{
    impl_->exigirAberto();
    return *impl_->colunas;
}

const Valor& ConjuntoDados::campo(const std::string& nome) const
{
    const Impl& d = *impl_;
    d.exigirAberto();
    const int i = d.colunas->indiceObrigatorio(nome);
    if (d.modo != Impl::Modo::Navegando)
        return d.buffer[i];
    if (d.ordem.empty())
        return NULO;
    return d.linhas[d.linhaAtual()].valores[i];
}

void ConjuntoDados::definir(const std::string& nome, Valor valor)
{
    Impl& d = *impl_;
    d.exigirAberto();
    if (d.modo == Impl::Modo::Navegando)
        throw std::logic_error("O conjunto de dados não está em edição nem em inclusão");
    d.buffer[d.colunas->indiceObrigatorio(nome)] = std::move(valor);
    d.alterado = true;
}

bool ConjuntoDados::localizar(const std::vector<std::string>& campos, const std::vector<Valor>& valores)
{
    Impl& d = *impl_;
    d.exigirAberto();
    if (campos.size() != valores.size())
        throw std::invalid_argument("localizar: número de campos e de valores diferentes");
    gravar();
    const std::vector<int> indices = d.camposPorNome(campos);
    Impl::Indice& ind = d.indice(indices);

    // The search values stand where their fields are, so the row hash applies to them.
    std::vector<Valor> procurado(d.colunas->tamanho());
    for (size_t k = 0; k < indices.size(); ++k)
        procurado[indices[k]] = valores[k];
    auto it = ind.porHash.find(d.hash(indices, procurado));
    if (it == ind.porHash.end())
        return false;

    int melhor = -1;
    for (int linha : it->second) {
        const auto& v = d.linhas[linha].valores;
        bool igual = true;
        for (size_t k = 0; k < indices.size() && igual; ++k)
            igual = v[indices[k]] == valores[k];
        if (!igual)
            continue;
        const int p = d.posicaoDaLinha(linha);
        if (melhor < 0 || p < melhor)
            melhor = p;
    }
    if (melhor < 0)
        return false;
    d.posicao = melhor;
    d.eof = false;
    return true;
}

void ConjuntoDados::ordenar(const std::vector<std::string>& campos)
{
    Impl& d = *impl_;
    d.exigirAberto();
    gravar();
    d.camposOrdem = d.camposPorNome(campos);
    std::stable_sort(d.ordem.begin(), d.ordem.end(), [&d](int a, int b) { return d.antes(a, b); });
    d.posicoesValidas = false;
    d.posicao = 0;
    d.eof = d.ordem.empty();
}

void ConjuntoDados::anexar()
{
    Impl& d = *impl_;
    d.exigirAberto();
    gravar();
    d.buffer.assign(d.colunas->tamanho(), Valor());
    d.modo = Impl::Modo::Anexando;
    d.alterado = false;
}

void ConjuntoDados::editar()
{
    Impl& d = *impl_;
    d.exigirAberto();
    if (d.modo != Impl::Modo::Navegando)
        return;
    if (d.ordem.empty()) {
        anexar();
        return;
    }
    d.buffer = d.linhas[d.linhaAtual()].valores;
    d.modo = Impl::Modo::Editando;
    d.alterado = false;
}

void ConjuntoDados::gravar()
{
    Impl& d = *impl_;
    if (d.modo == Impl::Modo::Anexando) {
        const int linha = static_cast<int>(d.linhas.size());
        d.linhas.push_back({std::move(d.buffer), {}, Impl::Estado::Inserido});
        ++d.pendentes;
        for (auto& [campos, ind] : d.indices)
            d.indexar(ind, linha);
        d.colocarEmOrdem(linha, -1);
        d.eof = false;
    } else if (d.modo == Impl::Modo::Editando && d.alterado) {
        const int linha = d.linhaAtual();
        Impl::Linha& l = d.linhas[linha];
        if (l.estado == Impl::Estado::Inalterado) {
            l.originais = l.valores;
            l.estado = Impl::Estado::Modificado;
            ++d.pendentes;
        }
        for (auto& [campos, ind] : d.indices)
            d.desindexar(ind, linha);
        l.valores = std::move(d.buffer);
        for (auto& [campos, ind] : d.indices)
            d.indexar(ind, linha);
        if (!d.camposOrdem.empty())
            d.colocarEmOrdem(linha, d.posicao);
    }
    d.modo = Impl::Modo::Navegando;
    d.buffer.clear();
    d.alterado = false;
}

void ConjuntoDados::cancelar()
{
    impl_->modo = Impl::Modo::Navegando;
    impl_->buffer.clear();
    impl_->alterado = false;
}

int ConjuntoDados::alteracoesPendentes() const
{
    return impl_->pendentes;
}
