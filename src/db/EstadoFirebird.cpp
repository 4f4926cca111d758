#include "db/EstadoFirebird.h"

#include <vector>

#include "db/ErroBanco.h"

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
    throw ErroBanco(mensagem, codigo);
}
