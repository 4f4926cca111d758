#include "demo/GeradorDiario.h"

#include <algorithm>
#include <stdexcept>

#include "demo/Texto1252.h"

namespace {

constexpr int ANO = 2008;
constexpr int DIAS_NO_ANO = 366;   // a leap year

// Share of entries, in a thousand, that carry these realistic gaps.
constexpr int POR_MIL_SEM_EMPRESA = 8;
constexpr int POR_MIL_SEM_CENTRO = 40;
constexpr int POR_MIL_SEM_DESCRICAO = 25;

const long PRIMEIRO_DIA = Data{ANO, 1, 1}.diasDesdeEpoca();

Data dataDoDia(int dia) { return Data::deDiasDesdeEpoca(PRIMEIRO_DIA + dia); }

// Weekends and the national holidays of the year, when the offices are closed.
bool diaSemExpediente(int dia)
{
    const long semana = (PRIMEIRO_DIA + dia + 4) % 7;   // 1 January 1970 was a Thursday; 0 is Sunday
    if (semana == 0 || semana == 6)
        return true;
    static const Data feriados[] = {{ANO, 1, 1},  {ANO, 2, 4},   {ANO, 2, 5},   {ANO, 3, 21},
                                    {ANO, 4, 21}, {ANO, 5, 1},   {ANO, 5, 22},  {ANO, 9, 7},
                                    {ANO, 10, 12}, {ANO, 11, 2}, {ANO, 11, 15}, {ANO, 12, 25}};
    const Data d = dataDoDia(dia);
    for (const Data& f : feriados)
        if (f == d)
            return true;
    return false;
}

// Windows-1252 capitals: a-z and the accented small letters (0xE0..0xFE but the sign 0xF7).
std::string maiusculas(std::string t)
{
    for (char& c : t) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
            c = static_cast<char>(b - 0x20);
    }
    return t;
}

const std::vector<std::string>& nomesMeses()
{
    static const std::vector<std::string> meses = {
        "JANEIRO", "FEVEREIRO", cp1252("MARÇO"), "ABRIL", "MAIO", "JUNHO",
        "JULHO", "AGOSTO", "SETEMBRO", "OUTUBRO", "NOVEMBRO", "DEZEMBRO"};
    return meses;
}

int64_t potencia10(int e)
{
    int64_t p = 1;
    while (e-- > 0)
        p *= 10;
    return p;
}

} // namespace

struct GeradorDiario::Lancamento {
    int dia;
    std::size_t modelo;
};

GeradorDiario::GeradorDiario(int64_t linhas, uint64_t semente)
    : sorteio_(semente), modelos_(ModelosLancamento())
{
    if (linhas < 0 || linhas == 1)
        throw std::invalid_argument("o número de linhas deve ser 0 ou pelo menos 2");
    for (const auto& m : modelos_)
        pesosModelos_.push_back(m.peso);
    const auto& entidades = EntidadesDemo();
    const auto& centros = CentrosCustoDemo();
    for (const auto& c : centros)
        nomesCentros_.push_back(maiusculas(c.nome));
    for (const auto& e : entidades) {
        pesosEntidades_.push_back(e.peso);
        std::vector<const CentroCustoDemo*> seus;
        for (const auto& c : centros)
            if (std::find(e.grupos.begin(), e.grupos.end(), c.grupo) != e.grupos.end())
                seus.push_back(&c);
        centrosPorEntidade_.push_back(std::move(seus));
    }
    brancos_ = "   ";
    planejar(linhas);
}

// Decides first how many entries of which kind fall on which day, so that the entries
// can be numbered in date order while the lines are produced one by one.
void GeradorDiario::planejar(int64_t linhas)
{
    std::size_t deDuas = modelos_.size(), deTres = modelos_.size();
    for (std::size_t i = 0; i < modelos_.size(); ++i) {
        if (modelos_[i].data != RegraData::DiaUtil)
            continue;
        if (modelos_[i].linhas() == 2 && deDuas == modelos_.size())
            deDuas = i;
        if (modelos_[i].linhas() == 3 && deTres == modelos_.size())
            deTres = i;
    }
    plano_.reserve(static_cast<std::size_t>(linhas / 2));
    uint64_t ordem = 0;
    for (int64_t restante = linhas; restante > 0; ++ordem) {
        std::size_t m = sorteio_.ponderado(pesosModelos_);
        // Never leave a single line over: it could not balance.
        const int n = modelos_[m].linhas();
        if (n > restante || restante - n == 1)
            m = restante == 3 ? deTres : deDuas;
        const int dia = sortearDia(modelos_[m].data);
        plano_.push_back(static_cast<uint64_t>(dia) << 40 | ordem << 8 | m);
        restante -= modelos_[m].linhas();
    }
    std::sort(plano_.begin(), plano_.end());
}

int GeradorDiario::sortearDia(RegraData regra)
{
    switch (regra) {
    case RegraData::Abertura:
        return 0;
    case RegraData::Encerramento:
        return DIAS_NO_ANO - 1;
    case RegraData::FimDeMes: {
        const int mes = static_cast<int>(sorteio_.abaixoDe(12)) + 1;
        const Data primeiroSeguinte = mes == 12 ? Data{ANO + 1, 1, 1} : Data{ANO, mes + 1, 1};
        int dia = static_cast<int>(primeiroSeguinte.diasDesdeEpoca() - PRIMEIRO_DIA) - 1;
        while (diaSemExpediente(dia))
            --dia;
        return dia;
    }
    case RegraData::DiaUtil:
        break;
    }
    int dia;
    do
        dia = static_cast<int>(sorteio_.abaixoDe(DIAS_NO_ANO));
    while (diaSemExpediente(dia));
    return dia;
}

int GeradorDiario::sortearEntidade(const ModeloLancamento& m)
{
    const auto& entidades = EntidadesDemo();
    if (m.entidades.empty())
        return static_cast<int>(sorteio_.ponderado(pesosEntidades_));
    const int codigo = sorteio_.um(m.entidades);
    for (std::size_t i = 0; i < entidades.size(); ++i)
        if (entidades[i].empresa == codigo)
            return static_cast<int>(i);
    throw std::logic_error("modelo de lançamento com entidade desconhecida");
}

// Amounts spread over orders of magnitude, as a municipality's are: many small
// purchases, fewer large transfers.
Moeda GeradorDiario::sortearValor(const ModeloLancamento& m)
{
    const int e = static_cast<int>(sorteio_.entre(m.expoenteMin, m.expoenteMax - 1));
    const int64_t centavos = sorteio_.entre(potencia10(e), potencia10(e + 1) - 1);
    return Moeda::deEscalado(centavos * 100);
}

void GeradorDiario::descrever(const ModeloLancamento& m, const Data& data, const CentroCustoDemo* centro,
                              const EntidadeDemo& entidade, LinhaDiario& linha)
{
    if (sorteio_.chance(POR_MIL_SEM_DESCRICAO)) {
        const auto tipo = sorteio_.abaixoDe(5);
        linha.discri = tipo < 3 ? &vazia_ : tipo == 3 ? &brancos_ : nullptr;
        return;
    }
    const std::string& frase = sorteio_.um(m.frases);
    descricao_.clear();
    for (char c : frase) {
        if (c == '#')
            descricao_ += std::to_string(sorteio_.entre(1, 4999));
        else if (c == '%')
            descricao_ += nomesMeses()[data.mes - 1];
        else if (c == '&')
            descricao_ += centro ? nomesCentros_[centro - CentrosCustoDemo().data()] : entidade.nome;
        else
            descricao_ += c;
    }
    linha.discri = &descricao_;
}

void GeradorDiario::gerar(const std::function<void(const LinhaDiario&)>& receber)
{
    const auto& entidades = EntidadesDemo();
    int64_t sequencia = 0;
    for (const uint64_t item : plano_) {
        const int dia = static_cast<int>(item >> 40);
        const ModeloLancamento& m = modelos_[item & 0xFF];
        const EntidadeDemo& entidade = entidades[sortearEntidade(m)];
        const auto indiceEntidade = static_cast<std::size_t>(&entidade - entidades.data());

        LinhaDiario linha;
        linha.data = dataDoDia(dia);
        linha.sequencia = ++sequencia;
        linha.ie = m.ie;
        linha.empresa = entidade.empresa;
        linha.empresaNula = sorteio_.chance(POR_MIL_SEM_EMPRESA);
        const auto& centros = centrosPorEntidade_[indiceEntidade];
        linha.centro = sorteio_.chance(POR_MIL_SEM_CENTRO) ? nullptr : sorteio_.um(centros);
        descrever(m, linha.data, linha.centro, entidade, linha);

        Moeda total = sortearValor(m);
        if (m.estorno)
            total = -total;
        Moeda retido;
        if (!m.retencao.empty())
            retido = Moeda::deEscalado(total.escalado() / 100 * sorteio_.entre(5, 15) / 100 * 100);

        linha.balco = &sorteio_.um(m.debito);
        linha.debito = total;
        linha.credito = Moeda();
        receber(linha);

        linha.balco = &sorteio_.um(m.credito);
        linha.debito = Moeda();
        linha.credito = total - retido;
        receber(linha);

        if (!m.retencao.empty()) {
            linha.balco = &sorteio_.um(m.retencao);
            linha.credito = retido;
            receber(linha);
        }
    }
}
