#include "balances/MovimentosTrabalho.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <tuple>
#include <unordered_map>

#include "db/ConexaoBanco.h"
#include "generation/format/funcoes_tce.h"

namespace {

// The amount of a double that stands for a four-decimal amount (as Moeda::deDuplo
// reads it: 17 significant digits give the double back, so that is its rounding).
std::optional<int64_t> QuatroCasas(double v)
{
    if (!std::isfinite(v) || std::fabs(v) >= 1e14)
        return std::nullopt;
    const int64_t e = std::llround(v * Moeda::ESCALA);
    if (static_cast<double>(e) / Moeda::ESCALA != v)
        return std::nullopt;
    return e;
}

// 'dd.mm.yyyy' with its quotes.
std::optional<Data> LerLiteral(const std::string& t)
{
    if (t.size() != 12 || t[0] != '\'' || t[11] != '\'' || t[3] != '.' || t[6] != '.')
        return std::nullopt;
    auto numero = [&](std::size_t de, std::size_t n) {
        int v = 0;
        for (std::size_t i = de; i < de + n; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return -1;
            v = v * 10 + (t[i] - '0');
        }
        return v;
    };
    const Data d{numero(7, 4), numero(4, 2), numero(1, 2)};
    if (d.ano < 0 || d.mes < 0 || d.dia < 0 || !d.valida())
        return std::nullopt;
    return d;
}

int MesCorrido(const Data& d)
{
    return d.ano * 12 + d.mes - 1;
}

// SUBSTRING(BALCO FROM 1 FOR n) || the zeros up to six.
std::string Nivel(const std::string& balco, std::size_t n)
{
    return balco.substr(0, std::min(n, balco.size())) + std::string(6 - n, '0');
}

struct ChaveMes {
    MovimentosTrabalho::Chave chave;
    int mes;
    bool operator==(const ChaveMes&) const = default;
};

struct HashChaveMes {
    std::size_t operator()(const ChaveMes& k) const
    {
        std::size_t h = std::hash<std::string>()(k.chave.balco);
        h ^= std::hash<int64_t>()(k.chave.ug) + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
        h ^= static_cast<std::size_t>(k.mes) * 31 + (k.chave.ugNulo ? 7 : 0);
        return h;
    }
};

constexpr __int128 MAIOR_VALOR = std::numeric_limits<int64_t>::max();

bool CabeNumaMoeda(__int128 v)
{
    return v <= MAIOR_VALOR && v >= -MAIOR_VALOR;
}

// The nulls first, then the values: how the UNION's sort places them.
template <class T>
int Comparar(const std::optional<T>& a, const std::optional<T>& b)
{
    if (!a || !b)
        return (a ? 1 : 0) - (b ? 1 : 0);
    return *a < *b ? -1 : *b < *a ? 1 : 0;
}

int Comparar(const LinhaSaldo& a, const LinhaSaldo& b)
{
    if (int c = Comparar(a.ug, b.ug))
        return c;
    if (int c = a.balco.compare(b.balco))
        return c < 0 ? -1 : 1;
    if (int c = Comparar(a.credito, b.credito))
        return c;
    if (int c = Comparar(a.debito, b.debito))
        return c;
    return Comparar(a.saldo, b.saldo);
}

} // namespace

void MovimentosTrabalho::Somas::somar(const Somas& o)
{
    credito += o.credito;
    debito += o.debito;
    creditos += o.creditos;
    debitos += o.debitos;
}

std::shared_ptr<const MovimentosTrabalho> MovimentosTrabalho::ler(ConexaoBanco& conexao)
{
    auto m = std::make_shared<MovimentosTrabalho>();
    std::unordered_map<ChaveMes, Somas, HashChaveMes> porMes;
    auto valor = [&m](const Valor& v, __int128& soma, int64_t& quantos) {
        if (v.nulo())
            return;
        if (v.tipo() == Valor::Tipo::Duplo) {
            const auto e = QuatroCasas(v.comoDuplo());
            if (!e) {
                m->fiel_ = false;
                return;
            }
            soma += *e;
        } else {
            soma += v.comoMoeda().escalado();
        }
        ++quantos;
    };

    ChaveMes k;
    Cursor c = conexao.abrirCursor("SELECT UG, DATAE, BALCO, CREDI, DEBIT FROM GEDRA_CONDIA");
    while (c.proximo()) {
        const Registro& r = c.atual();
        // Neither pass reads a row without a code or a date.
        if (r[2].nulo() || r[1].nulo())
            continue;
        k.chave.balco = r[2].comoTexto();
        if (k.chave.balco.size() > 6 || (!k.chave.balco.empty() && k.chave.balco.back() == ' '))
            m->fiel_ = false;
        k.chave.ugNulo = r[0].nulo();
        k.chave.ug = k.chave.ugNulo ? 0 : r[0].comoInteiro();
        k.mes = MesCorrido(r[1].comoData());
        Somas& s = porMes[k];
        valor(r[3], s.credito, s.creditos);
        valor(r[4], s.debito, s.debitos);
    }
    for (auto& [chave, somas] : porMes)
        m->somas_[chave.chave][chave.mes] = somas;
    return m;
}

std::optional<std::vector<LinhaSaldo>> MovimentosTrabalho::passo(PassoSaldos passo, const std::string& inicio,
                                                                   const std::string& fim,
                                                                   std::optional<int64_t> entidade) const
{
    const auto de = LerLiteral(inicio);
    const auto ate = LerLiteral(fim);
    if (!de || !ate || de->dia != 1 || ate->dia != ULTIMO_DIA_MES(ate->mes, ate->ano))
        return std::nullopt;
    const int primeiro = passo == PassoSaldos::Anterior ? std::numeric_limits<int>::min() : MesCorrido(*de);
    const int ultimo = passo == PassoSaldos::Anterior ? MesCorrido(*de) - 1 : MesCorrido(*ate);

    // Member 5 by UG and code (the month's pass turns a null UG into 0), members 1 to 4
    // by the code of their level, under UG 0.
    std::map<Chave, Somas> inteiras;
    std::map<std::string, Somas> niveis[4];
    for (const auto& [chave, meses] : somas_) {
        if (entidade && (chave.ugNulo || chave.ug != *entidade))
            continue;
        Somas s;
        bool ha = false;
        for (auto it = meses.lower_bound(primeiro); it != meses.end() && it->first <= ultimo; ++it) {
            s.somar(it->second);
            ha = true;
        }
        if (!ha)
            continue;
        Chave k5 = chave;
        if (passo == PassoSaldos::Mes && k5.ugNulo)
            k5 = Chave{false, 0, chave.balco};
        inteiras[k5].somar(s);
        for (std::size_t n = 1; n <= 4; ++n)
            niveis[n - 1][Nivel(chave.balco, n)].somar(s);
    }

    std::vector<LinhaSaldo> linhas;
    bool cabe = true;
    auto linha = [&](std::optional<int64_t> ug, const std::string& balco, const Somas& s) {
        LinhaSaldo l{ug, balco, std::nullopt, std::nullopt, std::nullopt};
        cabe = cabe && CabeNumaMoeda(s.credito) && CabeNumaMoeda(s.debito) && CabeNumaMoeda(s.debito - s.credito);
        if (!cabe)
            return;
        if (s.creditos > 0)
            l.credito = Moeda::deEscalado(static_cast<int64_t>(s.credito));
        if (s.debitos > 0)
            l.debito = Moeda::deEscalado(static_cast<int64_t>(s.debito));
        if (l.credito && l.debito)
            l.saldo = *l.debito - *l.credito;
        linhas.push_back(std::move(l));
    };
    for (const auto& nivel : niveis)
        for (const auto& [balco, s] : nivel)
            linha(0, balco, s);
    for (const auto& [chave, s] : inteiras)
        linha(chave.ugNulo ? std::nullopt : std::optional<int64_t>(chave.ug), chave.balco, s);
    if (!cabe)
        return std::nullopt;

    std::sort(linhas.begin(), linhas.end(), [](const LinhaSaldo& a, const LinhaSaldo& b) { return Comparar(a, b) < 0; });
    linhas.erase(std::unique(linhas.begin(), linhas.end(),
                             [](const LinhaSaldo& a, const LinhaSaldo& b) { return Comparar(a, b) == 0; }),
                 linhas.end());
    return linhas;
}
