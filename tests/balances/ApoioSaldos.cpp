#include "balances/ApoioSaldos.h"

#include <algorithm>

#include "settings/Configuracao.h"

namespace {

std::string pad(const std::string& s, std::size_t n)
{
    return s.substr(0, n) + std::string(n > s.size() ? n - s.size() : 0, ' ');
}

std::string z17(const std::string& centavos)
{
    return std::string(17 - centavos.size(), '0') + centavos;
}

} // namespace

void GravadorSaldos::medidor(Medidor qual, int maximo, int progresso)
{
    if (qual == Medidor::Todos) {
        maximoTodos = maximo;
        maiorProgressoTodos = std::max(maiorProgressoTodos, progresso);
    }
}

void GravadorSaldos::inicioEtapaLonga(const std::string& legenda)
{
    RelatorGravador::inicioEtapaLonga(legenda);
    legendasLongas.push_back(legenda);
}

bool GravadorSaldos::cancelamentoPedido()
{
    if (!cancelarAposEtapa.empty())
        return std::find(etapas.begin(), etapas.end(), cancelarAposEtapa) != etapas.end();
    return RelatorGravador::cancelamentoPedido();
}

void Saldos::abrir()
{
    DefinirPastaConfiguracao(banco.pasta());
    ASSERT_TRUE(dm.DataModuleCreate());
    saida = std::filesystem::path(banco.pasta()) / "saida";
    std::filesystem::create_directories(saida);
}

ResultadoGeracao Saldos::gerar(const std::string& empresa, int indice)
{
    static const char* const lista[] = {"TODOS",        "01 - Janeiro", "02 - Fevereiro", "03 - Mar\xE7o",
                                        "04 - Abril",   "05 - Maio",    "06 - Junho",     "07 - Julho",
                                        "08 - Agosto",  "09 - Setembro", "10 - Outubro",  "11 - Novembro",
                                        "12 - Dezembro"};
    EntradaGeracao e;
    e.indiceReferencia = indice;
    e.referencia = lista[indice];
    PeriodoSQL p = cbMesRefChange(e.referencia, "2008");
    e.DataIniSQL = p.DataIniSQL;
    e.DataFimSQL = p.DataFimSQL;
    e.empresa = empresa;
    e.nome = "ENTIDADE";
    e.caminho = saida.string() + "/";
    e.Exercicio = "2008";
    return GerarArquivos(Conexao, dm, relator, e);
}

std::vector<std::string> Saldos::conplaMes(const std::string& condicao)
{
    std::vector<std::string> linhas;
    for (const Registro& r : Conexao.consultar("SELECT MES, UG, BALCO, SALDO_INICIAL, DEBIT, CREDI, SALDO_FINAL, "
                                               "TIPO_FINAL FROM CONPLA_MES WHERE " +
                                               condicao + " ORDER BY TIPO_FINAL, UG, BALCO")) {
        std::string l = r["MES"].comoTexto() + " " + r["UG"].comoTexto() + " " + r["BALCO"].comoTexto();
        for (const char* c : {"SALDO_INICIAL", "DEBIT", "CREDI", "SALDO_FINAL"})
            l += " " + (r[c].nulo() ? std::string("-") : r[c].comoMoeda().texto());
        l += " " + (r["TIPO_FINAL"].nulo() ? std::string("-") : r["TIPO_FINAL"].comoTexto());
        linhas.push_back(l);
    }
    return linhas;
}

std::string Saldos::consultarTexto(const std::string& sql)
{
    return Conexao.consultar(sql).at(0)[0].comoTexto();
}

std::string saldo(const std::string& data, const std::string& conta, const std::string& inicial, char indInicial,
                  const std::string& debito, const std::string& credito, const std::string& final_, char indFinal)
{
    return data + pad(conta, 28) + z17(inicial) + indInicial + z17(debito) + z17(credito) + z17(final_) + indFinal +
           "\r\n";
}

std::string plano(const std::string& conta, char tipo, const std::string& totalizadora, const std::string& descricao)
{
    return "01012008" + pad(conta, 28) + tipo + pad(totalizadora, 28) + pad(descricao, 45) + "\r\n";
}
