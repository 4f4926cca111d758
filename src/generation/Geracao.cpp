#include "generation/Geracao.h"

#include <cctype>
#include <stdexcept>

#include "generation/TGeracao.h"
#include "generation/format/funcoes_tce.h"

namespace {

// StrToInt of the original: optional blanks before, an optional sign, digits.
int lerInteiro(const std::string& texto)
{
    size_t i = 0;
    while (i < texto.size() && texto[i] == ' ')
        ++i;
    size_t inicio = i;
    if (i < texto.size() && (texto[i] == '-' || texto[i] == '+'))
        ++i;
    size_t digitos = i;
    while (i < texto.size() && std::isdigit(static_cast<unsigned char>(texto[i])))
        ++i;
    if (i == digitos || i != texto.size() || i - digitos > 9)
        throw std::invalid_argument("'" + texto + "' is not a valid integer value");
    return std::stoi(texto.substr(inicio));
}

std::string citado(const std::string& texto)
{
    return "'" + texto + "'";
}

} // namespace

ResultadoGeracao GerarArquivos(ConexaoBanco& Conexao, Tdm& dm, Relator& relator, const EntradaGeracao& entrada)
{
    TGeracao geracao(Conexao, dm, relator, entrada);
    return geracao.executar();
}

PeriodoSQL cbMesRefChange(const std::string& textoLista, const std::string& Exercicio)
{
    const std::string p = textoLista.substr(0, 2);
    PeriodoSQL periodo;
    if (p == "TO") {
        int ano = lerInteiro(Exercicio);
        if (!Data{ano, 12, 31}.valida())
            throw std::invalid_argument("Invalid argument to date encode");
        periodo.DataIniSQL = citado("01.01." + Exercicio);
        periodo.DataFimSQL = citado("31.12." + Exercicio);
        return periodo;
    }
    int mes = lerInteiro(p);
    int ano = lerInteiro(Exercicio);
    int ultimo = ULTIMO_DIA_MES(mes, ano);
    if (!Data{ano, mes, 1}.valida())
        throw std::invalid_argument("Invalid argument to date encode");
    periodo.DataIniSQL = citado("01." + p + "." + Exercicio);
    periodo.DataFimSQL = citado(std::to_string(ultimo) + "." + p + "." + Exercicio);
    return periodo;
}

EntidadeValidada ValidarEntidade(const std::string& texto)
{
    EntidadeValidada r;
    for (unsigned char c : texto)
        if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F)
            return r;
    if (SO_NUMEROS(texto).empty()) {
        r.valida = true;   // no digit: the consolidated files
        return r;
    }
    size_t i = texto.find_first_not_of(' ');
    size_t f = texto.find_last_not_of(' ');
    std::string numero = texto.substr(i, f - i + 1);
    size_t d = (numero[0] == '-') ? 1 : 0;
    if (numero.size() == d || numero.size() - d > 9)
        return r;
    for (size_t k = d; k < numero.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(numero[k])))
            return r;
    r.valida = true;
    r.numero = std::stoll(numero);
    return r;
}
