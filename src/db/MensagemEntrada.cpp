#include "db/MensagemEntrada.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "db/ConversaoDecimal.h"
#include "db/ErroBanco.h"
#include "db/LeitorRegistro.h"

namespace {

template <class T>
void escreverBruto(unsigned char* p, T v)
{
    std::memcpy(p, &v, sizeof v);
}

template <class T>
T inteiroNoIntervalo(int64_t v, int posicao)
{
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
        throw ErroBanco("Valor " + std::to_string(v) + " fora do intervalo do parâmetro " + std::to_string(posicao));
    return static_cast<T>(v);
}

int64_t escalado(const Valor& v, int escala, int posicao)
{
    int64_t r = 0;
    if (!Reescalar(DecimalExato(v), -escala, r))
        throw ErroBanco("Valor '" + v.comoTexto() + "' fora do intervalo do parâmetro " + std::to_string(posicao));
    return r;
}

ISC_DATE dataIsc(const Valor& v)
{
    const ::Data d = v.comoData();
    if (!d.valida())
        throw std::invalid_argument("'" + v.comoTexto() + "' is not a valid date");
    return IscDeData(d);
}

ISC_TIME horaIsc(const Valor& v)
{
    unsigned h = 0, m = 0, s = 0;
    if (std::sscanf(v.comoTexto().c_str(), "%u:%u:%u", &h, &m, &s) < 2 || h > 23 || m > 59 || s > 59)
        throw std::invalid_argument("'" + v.comoTexto() + "' is not a valid time");
    return (h * 3600 + m * 60 + s) * 10000;
}

ISC_QUAD criarBlob(EstadoFirebird& estado, Firebird::IAttachment* anexo, Firebird::ITransaction* transacao,
                   const std::string& texto)
{
    ISC_QUAD id{};
    Firebird::IBlob* blob = estado([&](auto* st) { return anexo->createBlob(st, transacao, &id, 0, nullptr); });
    try {
        for (size_t i = 0; i < texto.size(); i += 32768) {
            const size_t n = std::min<size_t>(32768, texto.size() - i);
            estado([&](auto* st) { blob->putSegment(st, static_cast<unsigned>(n), texto.data() + i); });
        }
        estado([&](auto* st) { blob->close(st); });
    } catch (...) {
        Encerrar(estado, blob, [](auto* b, auto* st) { b->cancel(st); });
        throw;
    }
    return id;
}

} // namespace

MensagemEntrada::~MensagemEntrada()
{
    Liberar(base_.metadados);
    Liberar(largo_.metadados);
}

void MensagemEntrada::Formato::ler(EstadoFirebird& estado, Firebird::IMessageMetadata* m)
{
    Liberar(metadados);
    metadados = m;
    estado([&](auto* st) {
        campos.clear();
        const unsigned n = m->getCount(st);
        for (unsigned i = 0; i < n; ++i)
            campos.push_back({m->getType(st, i) & ~1u, m->getScale(st, i), m->getOffset(st, i),
                              m->getNullOffset(st, i), m->getLength(st, i)});
        buffer.assign(m->getMessageLength(st), 0);
    });
}

void MensagemEntrada::preparar(EstadoFirebird& estado, Firebird::IStatement* comando)
{
    Firebird::IMessageMetadata* original = estado([&](auto* st) { return comando->getInputMetadata(st); });
    Firebird::IMetadataBuilder* construtor = nullptr;
    try {
        // CHAR parameters go as VARCHAR of the same size: no blank padding to do here.
        construtor = estado([&](auto* st) { return original->getBuilder(st); });
        estado([&](auto* st) {
            const unsigned n = original->getCount(st);
            for (unsigned i = 0; i < n; ++i) {
                const unsigned tipo = original->getType(st, i);
                if ((tipo & ~1u) == SQL_TEXT)
                    construtor->setType(st, i, SQL_VARYING | (tipo & 1u));
            }
        });
        Firebird::IMessageMetadata* m = estado([&](auto* st) { return construtor->getMetadata(st); });
        Liberar(construtor);
        Liberar(original);
        base_.ler(estado, m);
    } catch (...) {
        Liberar(construtor);
        Liberar(original);
        throw;
    }
    atual_ = &base_;
}

bool MensagemEntrada::cabe(const std::vector<Valor>& valores) const
{
    for (size_t i = 0; i < base_.campos.size(); ++i)
        if (base_.campos[i].tipo == SQL_VARYING && valores[i].tipo() == Valor::Tipo::Texto &&
            valores[i].comoTexto().size() > base_.campos[i].tamanho)
            return false;
    return true;
}

void MensagemEntrada::alargar(const std::vector<Valor>& valores, EstadoFirebird& estado)
{
    Firebird::IMetadataBuilder* construtor = estado([&](auto* st) { return base_.metadados->getBuilder(st); });
    try {
        estado([&](auto* st) {
            for (size_t i = 0; i < base_.campos.size(); ++i)
                if (base_.campos[i].tipo == SQL_VARYING && valores[i].tipo() == Valor::Tipo::Texto) {
                    const size_t n = valores[i].comoTexto().size();
                    if (n > base_.campos[i].tamanho)
                        construtor->setLength(st, static_cast<unsigned>(i), static_cast<unsigned>(std::min<size_t>(n, 32765)));
                }
        });
        Firebird::IMessageMetadata* m = estado([&](auto* st) { return construtor->getMetadata(st); });
        Liberar(construtor);
        largo_.ler(estado, m);
    } catch (...) {
        Liberar(construtor);
        throw;
    }
}

Firebird::IMessageMetadata* MensagemEntrada::preencher(const std::vector<Valor>& valores, EstadoFirebird& estado,
                                                       Firebird::IAttachment* anexo,
                                                       Firebird::ITransaction* transacao)
{
    if (valores.size() != base_.campos.size())
        throw ErroBanco("O comando espera " + std::to_string(base_.campos.size()) + " parâmetro(s); foram dados " +
                        std::to_string(valores.size()));
    atual_ = &base_;
    if (!cabe(valores)) {
        alargar(valores, estado);
        atual_ = &largo_;
    }
    escrever(*atual_, valores, estado, anexo, transacao);
    return atual_->metadados;
}

void MensagemEntrada::escrever(Formato& f, const std::vector<Valor>& valores, EstadoFirebird& estado,
                               Firebird::IAttachment* anexo, Firebird::ITransaction* transacao)
{
    unsigned char* msg = f.buffer.data();
    for (size_t i = 0; i < f.campos.size(); ++i) {
        const Campo& c = f.campos[i];
        const Valor& v = valores[i];
        const int posicao = static_cast<int>(i) + 1;
        escreverBruto<ISC_SHORT>(msg + c.deslocamentoNulo, v.nulo() ? -1 : 0);
        if (v.nulo())
            continue;
        unsigned char* p = msg + c.deslocamento;
        try {
            switch (c.tipo) {
            case SQL_SHORT:
                escreverBruto(p, inteiroNoIntervalo<ISC_SHORT>(escalado(v, c.escala, posicao), posicao));
                break;
            case SQL_LONG:
                escreverBruto(p, inteiroNoIntervalo<ISC_LONG>(escalado(v, c.escala, posicao), posicao));
                break;
            case SQL_INT64:
                escreverBruto<ISC_INT64>(p, escalado(v, c.escala, posicao));
                break;
            case SQL_FLOAT:
                escreverBruto(p, static_cast<float>(v.comoDuplo()));
                break;
            case SQL_DOUBLE:
            case SQL_D_FLOAT:
                escreverBruto(p, v.comoDuplo());
                break;
            case SQL_TYPE_DATE:
                escreverBruto<ISC_DATE>(p, dataIsc(v));
                break;
            case SQL_TIMESTAMP:
                escreverBruto(p, ISC_TIMESTAMP{dataIsc(v), 0});
                break;
            case SQL_TYPE_TIME:
                escreverBruto<ISC_TIME>(p, horaIsc(v));
                break;
            case SQL_VARYING: {
                const std::string t = v.comoTexto();
                if (t.size() > c.tamanho)
                    throw ErroBanco("Texto de " + std::to_string(t.size()) + " bytes grande demais para o parâmetro " +
                                    std::to_string(posicao));
                const size_t n = t.size();
                escreverBruto<uint16_t>(p, static_cast<uint16_t>(n));
                std::memcpy(p + 2, t.data(), n);
                break;
            }
            case SQL_BOOLEAN:
                *p = v.comoInteiro() != 0 ? 1 : 0;
                break;
            case SQL_BLOB:
                escreverBruto(p, criarBlob(estado, anexo, transacao, v.comoTexto()));
                break;
            default:   // SQL_NULL: only the indicator travels
                break;
            }
        } catch (const std::invalid_argument& e) {
            throw ErroBanco(std::string(e.what()) + " (parâmetro " + std::to_string(posicao) + ")");
        }
    }
}
