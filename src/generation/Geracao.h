#pragma once

#include <optional>
#include <string>

class ConexaoBanco;
class Relator;
class Tdm;

// What the run reads from the main window at its start.
struct EntradaGeracao {
    int indiceReferencia = -1;      // cbMesRef's selected entry: -1 none, 0 "TODOS", 1..12 the months
    std::string referencia;         // cbMesRef's text, stored as REFERENCIA
    std::string DataIniSQL;         // '01.01.2008' with its quotes (cbMesRefChange)
    std::string DataFimSQL;
    std::string empresa;            // edEmpresa as typed
    std::string nome;               // lblNome
    std::string caminho;            // edCaminho: the output folder text
    std::string Exercicio;          // the exercise year as text
};

enum class ResultadoGeracao {
    SemPeriodo,        // no month chosen: only the message
    EntradaInvalida,   // entity or folder refused before anything was written
    Sucesso,           // four files written, no data problem
    ComErros,          // four files written, data problems logged
    Cancelada,         // "Operação Cancelada!!"
    Falhou,            // an error stopped the run; its message was shown
    EmAndamento,       // another run holds the database: only the message, nothing written
};

// The run of "Gerar Arquivos" (btnGeraArqClick): the four digital files of the entity
// (or of all entities) and the period, reported through the Relator.
ResultadoGeracao GerarArquivos(ConexaoBanco& Conexao, Tdm& dm, Relator& relator, const EntradaGeracao& entrada);

// cbMesRefChange: the period literals of a month-list text. Throws std::invalid_argument
// with a conversion message when the text or the year does not convert.
struct PeriodoSQL {
    std::string DataIniSQL;
    std::string DataFimSQL;
};
PeriodoSQL cbMesRefChange(const std::string& textoLista, const std::string& Exercicio);

// The entity text checked before anything is written: no text with a digit (the
// consolidated files) gives an empty optional and valida true; a whole number with
// blanks around it gives the number; anything else, or a text with "/", a backslash
// or a control character, is refused.
struct EntidadeValidada {
    bool valida = false;
    std::optional<long long> numero;
};
EntidadeValidada ValidarEntidade(const std::string& texto);
