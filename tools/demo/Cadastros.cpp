#include "demo/Cadastros.h"

#include "db/ConexaoBanco.h"
#include "demo/PlanoContas.h"
#include "demo/Texto1252.h"

namespace {

std::vector<EntidadeDemo> montarEntidades()
{
    struct Linha {
        int empresa;
        const char* nome;
        const char* audesp;
        int peso;
        std::vector<std::string> grupos;
    };
    // Entity 12 joined a consortium late in the year and has no entries yet.
    const Linha linhas[] = {
        {1, "PREFEITURA MUNICIPAL DE SÃO JOSÉ DO VALE", "10452", 46, {"001", "003", "004", "009"}},
        {2, "CÂMARA MUNICIPAL DE SÃO JOSÉ DO VALE", "10453", 6, {"006"}},
        {3, "FUNDO MUNICIPAL DE SAÚDE", "10454", 20, {"002"}},
        {4, "INSTITUTO DE PREVIDÊNCIA DOS SERVIDORES MUNICIPAIS", "10455", 6, {"007"}},
        {5, "SERVIÇO AUTÔNOMO DE ÁGUA E ESGOTO", "10456", 14, {"008"}},
        {7, "FUNDO MUNICIPAL DE ASSISTÊNCIA SOCIAL", "10457", 8, {"005"}},
        {12, "CONSÓRCIO INTERMUNICIPAL DE SAÚDE DO VALE", "10461", 0, {"002"}},
    };
    std::vector<EntidadeDemo> entidades;
    for (const auto& l : linhas)
        entidades.push_back({l.empresa, cp1252(l.nome), l.audesp, l.peso, l.grupos});
    return entidades;
}

std::vector<CentroCustoDemo> montarCentros()
{
    struct Linha {
        const char* grupo;
        const char* codigo;
        const char* nome;
    };
    const Linha linhas[] = {
        {"001", "001", "Gabinete do Prefeito"},
        {"001", "002", "Secretaria de Administração"},
        {"001", "003", "Secretaria de Finanças"},
        {"001", "004", "Procuradoria Jurídica"},
        {"002", "001", "Secretaria de Saúde"},
        {"002", "002", "Unidade Básica de Saúde - Centro"},
        {"002", "003", "Unidade Básica de Saúde - Vila Nova"},
        {"002", "004", "Hospital Municipal São Vicente"},
        {"003", "001", "Secretaria de Educação"},
        {"003", "002", "Escola Municipal Monteiro Lobato"},
        {"003", "003", "Creche Municipal Pequeno Príncipe"},
        {"003", "004", "Transporte Escolar"},
        {"004", "001", "Secretaria de Obras e Serviços Urbanos"},
        {"004", "002", "Limpeza Pública"},
        {"004", "003", "Iluminação Pública"},
        {"005", "001", "Secretaria de Assistência Social"},
        {"005", "002", "Conselho Tutelar"},
        {"006", "001", "Câmara Municipal - Secretaria"},
        {"006", "002", "Câmara Municipal - Plenário"},
        {"007", "001", "Instituto de Previdência - Administração"},
        {"007", "002", "Benefícios Previdenciários"},
        {"008", "001", "SAAE - Administração"},
        {"008", "002", "Estação de Tratamento de Água"},
        {"008", "003", "Rede de Esgoto"},
        // Typed in a hurry years ago and never corrected: too short to be a name.
        {"009", "001", "- A"},
    };
    std::vector<CentroCustoDemo> centros;
    for (const auto& l : linhas)
        centros.push_back({l.grupo, l.codigo, cp1252(l.nome)});
    return centros;
}

Valor textoOuNulo(const std::optional<std::string>& t)
{
    return t ? Valor::texto(*t) : Valor();
}

void gravarCliente(ConexaoBanco& conexao)
{
    conexao.executar("INSERT INTO CADCLI (MEXER, CLNT1, ENDERE, CGC, BLOQBANCO) VALUES (?, ?, ?, ?, ?)",
                     {Valor::texto(ANO_DEMO),
                      Valor::texto(NomeClienteDemo()),
                      Valor::texto(cp1252("PRAÇA DA MATRIZ, 100 - CENTRO")),
                      Valor::texto("12.345.678/0001-95"),
                      Valor::texto("N")});
}

void gravarEntidades(ConexaoBanco& conexao)
{
    Comando inserir = conexao.preparar("INSERT INTO TABEMPRESA (EMPRESA, NOME, CODAUDESP) VALUES (?, ?, ?)");
    for (const auto& e : EntidadesDemo())
        inserir.executar({Valor::inteiro(e.empresa), Valor::texto(e.nome), Valor::texto(e.codAudesp)});
}

void gravarCentros(ConexaoBanco& conexao)
{
    Comando inserir =
        conexao.preparar("INSERT INTO VINCODIGO (VINGRUPO, VINCODIGO, VINCODIGONOME) VALUES (?, ?, ?)");
    for (const auto& c : CentrosCustoDemo())
        inserir.executar({Valor::texto(c.grupo), Valor::texto(c.codigo), Valor::texto(c.nome)});
}

void gravarPlano(ConexaoBanco& conexao)
{
    Comando inserir = conexao.preparar("INSERT INTO CONPLA (BALCO, TITCO, D_C) VALUES (?, ?, ?)");
    for (const auto& c : PlanoDeContasDemo())
        inserir.executar({Valor::texto(c.balco), textoOuNulo(c.titulo), Valor::texto(c.natureza)});
}

} // namespace

const std::vector<EntidadeDemo>& EntidadesDemo()
{
    static const std::vector<EntidadeDemo> entidades = montarEntidades();
    return entidades;
}

const std::vector<CentroCustoDemo>& CentrosCustoDemo()
{
    static const std::vector<CentroCustoDemo> centros = montarCentros();
    return centros;
}

const std::string& NomeClienteDemo()
{
    static const std::string nome = cp1252("PREFEITURA MUNICIPAL DE SÃO JOSÉ DO VALE");
    return nome;
}

void GravarCadastros(ConexaoBanco& conexao)
{
    gravarCliente(conexao);
    gravarEntidades(conexao);
    gravarCentros(conexao);
    gravarPlano(conexao);
}
