#include "db/EstadoFirebird.h"

#include <vector>

#include "db/ErroBanco.h"

namespace {

// The error codes of a status vector: pairs of an argument kind and its value, a
// C string taking two values (length, pointer), up to isc_arg_end.
std::vector<long> codigosDoVetor(const intptr_t* vetor)
{
    std::vector<long> codigos;
    for (const intptr_t* v = vetor; v && *v != isc_arg_end;) {
        if (*v == isc_arg_gds)
            codigos.push_back(static_cast<long>(v[1]));
        v += (*v == isc_arg_cstring) ? 3 : 2;
    }
    return codigos;
}

} // namespace

EstadoFirebird::EstadoFirebird(const BibliotecaCliente& biblioteca)
    : biblioteca_(biblioteca),
      status_(biblioteca.mestre->getStatus()),
      statusSilencioso_(biblioteca.mestre->getStatus()),
      envoltorio_(status_),
      silencioso_(statusSilencioso_)
{
}

EstadoFirebird::~EstadoFirebird()
{
    if (BibliotecasClienteEncerradas())
        return;
    status_->dispose();
    statusSilencioso_->dispose();
}

void EstadoFirebird::lancar(const Firebird::FbException& e) const
{
    std::vector<char> texto(8192);
    biblioteca_.util->formatStatus(texto.data(), static_cast<unsigned>(texto.size()), e.getStatus());
    std::string mensagem(texto.data());
    while (!mensagem.empty() && (mensagem.back() == '\n' || mensagem.back() == ' '))
        mensagem.pop_back();
    int codigo = 0;
    if (biblioteca_.codigoSql)
        codigo = static_cast<int>(biblioteca_.codigoSql(e.getStatus()->getErrors()));
    throw ErroBanco(mensagem, codigo, codigosDoVetor(e.getStatus()->getErrors()));
}

bool ErroBanco::temCodigo(long codigoIsc) const
{
    for (long c : codigosIsc_)
        if (c == codigoIsc)
            return true;
    return false;
}

bool ErroBanco::conexaoPerdida() const
{
    for (long c : {isc_network_error, isc_net_read_err, isc_net_write_err, isc_lost_db_connection, isc_conn_lost,
                   isc_att_shutdown, isc_shutdown})
        if (temCodigo(c))
            return true;
    return false;
}

bool ErroBanco::conflitoDeBloqueio() const
{
    return temCodigo(isc_lock_conflict) || temCodigo(isc_update_conflict) || temCodigo(isc_deadlock);
}

bool ErroBanco::bancoEmUsoPorOutroProcesso() const
{
    return temCodigo(isc_already_opened);
}
