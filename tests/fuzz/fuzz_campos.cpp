// libFuzzer target: the field routines of the digital files, the amount and date
// types, the text conversions and the checks of the operator's input. None of them may
// crash or read out of bounds on any input; a few properties the files rely on are
// checked on the way.

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "generation/Geracao.h"
#include "generation/format/funcoes_tce.h"
#include "settings/Texto.h"

namespace {

void exigir(bool condicao)
{
    if (!condicao)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    FuzzedDataProvider d(dados, tamanho);
    const int largura = d.ConsumeIntegralInRange<int>(-5, 300);
    const int casas = d.ConsumeIntegralInRange<int>(0, 6);
    const int64_t escalado = d.ConsumeIntegral<int64_t>();
    const double duplo = d.ConsumeFloatingPoint<double>();
    const int ano = d.ConsumeIntegralInRange<int>(-2, 10001);
    const int mes = d.ConsumeIntegralInRange<int>(-1, 14);
    const int dia = d.ConsumeIntegralInRange<int>(-1, 33);
    const std::string natureza = d.ConsumeRandomLengthString(4);
    const std::string texto = d.ConsumeRemainingBytesAsString();

    // Every field of a record has its width, whatever the text.
    const std::string campo = COMPLETA_BRANCOS(largura, texto);
    exigir(campo.size() == static_cast<size_t>(largura > 0 ? largura : 0));
    exigir(ZEROS_ESQUERDA(texto, largura).size() >= texto.size());
    VALOR_ZEROS(texto, largura);
    for (char c : SO_NUMEROS(texto))
        exigir(c >= '0' && c <= '9');
    const std::string limpo = LIMPA_TEXTO(texto);
    for (char c : limpo)
        exigir(c != '\r' && c != '\n');
    TIRA_QUEBRAS(texto);
    TIRA_ACENTOS(texto);
    TIRA_PONTOS(texto);
    exigir(MAIUSCULAS_AZ(texto).size() == texto.size());

    const Moeda valor = Moeda::deEscalado(escalado);
    FORMATA_DECIMAL(casas, valor);
    FORMATA_DECIMAL(casas, duplo);
    valor.texto();
    try {
        Moeda::deDecimal(escalado, d.ConsumeIntegralInRange<int>(0, 18));
    } catch (const std::out_of_range&) {
    }
    try {
        Moeda::deDuplo(duplo);
    } catch (const std::out_of_range&) {
    }
    std::string indicador = "D";
    INDICADOR_DC(natureza, texto, valor, indicador);

    const Data data{ano, mes, dia};
    if (data.valida()) {
        exigir(DATA_DDMMAAAA(data).size() == 8);
        exigir(Data::deTextoCurto(data.textoCurto()) == data);
    }
    try {
        ULTIMO_DIA_MES(mes, ano);
    } catch (const std::invalid_argument&) {
    }
    try {
        Data::deTextoCurto(texto);
    } catch (const std::invalid_argument&) {
    }

    // Windows-1252 and UTF-8: every byte that Windows-1252 defines survives the trip.
    const std::string ida = Utf8De1252(texto);
    Cp1252DeUtf8(texto);
    exigir(Cp1252DeUtf8(ida).size() == texto.size());

    // The operator's input: an accepted entity has no folder separator or control
    // character, and a valid number only in its place.
    const EntidadeValidada e = ValidarEntidade(texto);
    if (e.valida)
        for (unsigned char c : texto)
            exigir(c != '/' && c != '\\' && c >= 0x20 && c != 0x7F);
    try {
        const PeriodoSQL p = cbMesRefChange(texto, natureza);
        exigir(p.DataIniSQL.front() == '\'' && p.DataFimSQL.back() == '\'');
    } catch (const std::invalid_argument&) {
    } catch (const std::out_of_range&) {
    }
    return 0;
}
