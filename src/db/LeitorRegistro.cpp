#include "db/LeitorRegistro.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// Day 0 of the database's dates, 17 November 1858, counted from 1 January 1970.
constexpr long DIA_ZERO_ISC = -40587;

template <class T>
T lerBruto(const unsigned char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

Valor numero(int64_t v, int escala)
{
    return escala < 0 ? Valor::decimal(v, -escala) : Valor::inteiro(v);
}

std::string lerBlob(EstadoFirebird& estado, Firebird::IAttachment* anexo, Firebird::ITransaction* transacao,
                    const ISC_QUAD* id)
{
    Firebird::IBlob* blob = estado([&](auto* st) {
        return anexo->openBlob(st, transacao, const_cast<ISC_QUAD*>(id), 0, nullptr);
    });
    std::string texto;
    try {
        char pedaco[32768];
        for (;;) {
            unsigned lidos = 0;
            const int r = estado([&](auto* st) { return blob->getSegment(st, sizeof pedaco, pedaco, &lidos); });
            if (r != Firebird::IStatus::RESULT_OK && r != Firebird::IStatus::RESULT_SEGMENT)
                break;
            texto.append(pedaco, lidos);
        }
    } catch (...) {
        Encerrar(estado, blob, [](auto* b, auto* st) { b->close(st); });
        throw;
    }
    Encerrar(estado, blob, [](auto* b, auto* st) { b->close(st); });
    return texto;
}

std::string textoHora(ISC_TIME t)
{
    const unsigned segundos = t / 10000;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", segundos / 3600, segundos / 60 % 60, segundos % 60);
    return buf;
}

} // namespace

::Data DataDeIsc(int dias)
{
    return ::Data::deDiasDesdeEpoca(dias + DIA_ZERO_ISC);
}

int IscDeData(const ::Data& d)
{
    return static_cast<int>(d.diasDesdeEpoca() - DIA_ZERO_ISC);
}

void LeitorRegistro::preparar(EstadoFirebird& estado, Firebird::IMessageMetadata* m)
{
    estado([&](auto* st) {
        const unsigned n = m->getCount(st);
        std::vector<std::string> nomes;
        layout_.clear();
        origens_.clear();
        for (unsigned i = 0; i < n; ++i) {
            std::string nome = m->getAlias(st, i);
            const std::string campo = m->getField(st, i);
            if (nome.empty())
                nome = campo;
            nomes.push_back(nome);
            origens_.push_back({m->getRelation(st, i), campo});
            layout_.push_back({m->getType(st, i) & ~1u, m->getScale(st, i), m->getOffset(st, i),
                               m->getNullOffset(st, i), m->getLength(st, i)});
        }
        tamanhoMensagem_ = m->getMessageLength(st);
        colunas_ = std::make_shared<const Colunas>(std::move(nomes));
    });
}

void LeitorRegistro::ler(const unsigned char* msg, std::vector<Valor>& valores, EstadoFirebird& estado,
                         Firebird::IAttachment* anexo, Firebird::ITransaction* transacao) const
{
    valores.resize(layout_.size());
    for (size_t i = 0; i < layout_.size(); ++i) {
        const Coluna& c = layout_[i];
        if (lerBruto<ISC_SHORT>(msg + c.deslocamentoNulo) != 0) {
            valores[i] = Valor();
            continue;
        }
        const unsigned char* p = msg + c.deslocamento;
        switch (c.tipo) {
        case SQL_SHORT:
            valores[i] = numero(lerBruto<ISC_SHORT>(p), c.escala);
            break;
        case SQL_LONG:
            valores[i] = numero(lerBruto<ISC_LONG>(p), c.escala);
            break;
        case SQL_INT64:
            valores[i] = numero(lerBruto<ISC_INT64>(p), c.escala);
            break;
        case SQL_FLOAT:
            valores[i] = Valor::duplo(lerBruto<float>(p));
            break;
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            valores[i] = Valor::duplo(lerBruto<double>(p));
            break;
        case SQL_TYPE_DATE:
            valores[i] = Valor::data(DataDeIsc(lerBruto<ISC_DATE>(p)));
            break;
        case SQL_TIMESTAMP:
            valores[i] = Valor::data(DataDeIsc(lerBruto<ISC_TIMESTAMP>(p).timestamp_date));
            break;
        case SQL_TYPE_TIME:
            valores[i] = Valor::texto(textoHora(lerBruto<ISC_TIME>(p)));
            break;
        case SQL_TEXT:
            valores[i] = Valor::texto(std::string(reinterpret_cast<const char*>(p), c.tamanho));
            break;
        case SQL_VARYING: {
            const auto tamanho = lerBruto<uint16_t>(p);
            valores[i] = Valor::texto(std::string(reinterpret_cast<const char*>(p) + 2, tamanho));
            break;
        }
        case SQL_BOOLEAN:
            valores[i] = Valor::inteiro(*p ? 1 : 0);
            break;
        case SQL_BLOB: {
            const ISC_QUAD id = lerBruto<ISC_QUAD>(p);
            valores[i] = Valor::texto(lerBlob(estado, anexo, transacao, &id));
            break;
        }
        default:   // SQL_NULL and anything this layer does not know
            valores[i] = Valor();
            break;
        }
    }
}
