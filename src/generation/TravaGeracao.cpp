#include "generation/TravaGeracao.h"

#include "db/ErroBanco.h"

TravaGeracao::TravaGeracao(const ParametrosConexao& parametros)
{
    conexao_.abrir(parametros);
    conexao_.iniciarTransacao(false);
    try {
        // The rows are locked as they are fetched, so all of them are read.
        for (Cursor c = conexao_.abrirCursor("SELECT MEXER FROM CADCLI WITH LOCK"); c.proximo();) {
        }
    } catch (const ErroBanco& e) {
        conexao_.fechar();
        if (e.conflitoDeBloqueio())
            throw GeracaoEmAndamento{};
        throw;
    }
}

TravaGeracao::~TravaGeracao()
{
    // fechar() rolls the transaction back and never throws: after a lost connection
    // there is nothing left to free, the server already dropped the lock.
    conexao_.fechar();
}
