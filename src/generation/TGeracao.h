#pragma once

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "db/ConjuntoDados.h"
#include "generation/ArquivoDigital.h"
#include "generation/Geracao.h"
#include "generation/Relator.h"

class ConexaoBanco;
class Tdm;

// Thrown by VerificarCancelamento when the operator asked the run to stop.
struct CancelamentoGeracao {};

// The state of one run, shared by the four file steps. Each file step is a member
// function in a source file of its own.
class TGeracao {
public:
    TGeracao(ConexaoBanco& Conexao, Tdm& dm, Relator& relator, const EntradaGeracao& entrada);

    ResultadoGeracao executar();

    // Status list and error log (engine side).
    void ESCREVE_ESTATUS(const std::string& nome, const std::string& codigo);
    void ESCREVE_ERRO(const std::string& texto, const std::string& tipo);

    // File names: item prefix + "_" + entity text + file word.
    std::string NomeArquivo(const std::string& prefixo, const std::string& palavra) const;
    // Output folder (POSIX, with a trailing separator) + name.
    std::string CaminhoArquivo(const std::string& nome) const;

    // Records the account in cdsTemp unless an entry with the same CONTA exists.
    void RegistrarConta(const std::string& conta, const std::string& balco, long long empresa,
                        const std::string& data, Moeda valor, const std::string& indicador);
    // The account code followed by the entity code with at least two digits.
    static std::string ContaComEmpresa(const std::string& balco, long long empresa);

    // The four files.
    void GERA_CENTRO_CUSTO();       // ARQ_4.9.3
    void GERA_LANCAMENTOS();        // ARQ_4.1.1
    void GERA_SALDO_MENSAL();       // ARQ_4.1.2 (work table, monthly balances)
    void GERA_PLANO_CONTAS();       // ARQ_4.9.2

    // The daily balance work table GEDRA_CONDIA, rebuilt for the period (file 3).
    void RECRIA_TABELA_TRABALHO();

    // Throws the cancel exception when the operator asked to stop.
    void VerificarCancelamento();

    ConexaoBanco& Conexao;
    Tdm& dm;
    Relator& relator;
    EntradaGeracao entrada;

    // Derived once per run.
    bool consolidado = true;
    long long numeroEmpresa = 0;            // the validated entity number (not consolidado)
    std::string FiltroEmpresaDiario;        // "   AND (A.EMPRESA = n OR A.EMPRESA IS NULL) " or empty
    std::string FiltroEmpresaTrabalho;      // "B.EMPRESA= n AND " or empty
    std::string CodigoEmpresa;              // run entity code: the number's digits, empty when consolidated
    std::string pastaSaida;                 // POSIX output folder with a trailing "/"

    // Run state.
    int TotalErros = 0;
    bool HouveErro = false;
    std::string EstadoArquivo = "1";
    std::vector<std::string> log;           // the error log's lines, as Memo1 holds them
    int progressoTodos = 0;
    int maximoTodos = 0;
    std::string UltimoIndicadorDiario;      // D/C letter of the last journal record, empty when none

    ConjuntoDados cdsTemp;                  // used accounts: DATA, CONTA, BALCO, EMPRESA, VALOR, INDICADOR
    ConjuntoDados cdsPLANO;                 // chart of accounts, loaded by the monthly balances file

    void AvancarTodos();                    // GTodos + 1, repaint

    // The frame of every file: its status row, state "1", the file opened under its
    // temporary name and the step label; at the end the final name (or no file when it
    // got no record, state "3") and the completed status row.
    void IniciarArquivo(ArquivoDigital& arquivo, const std::string& nome, const std::string& rotulo);
    void ConcluirArquivo(ArquivoDigital& arquivo, const std::string& nome);

    // Runs a statement into memory for a file step (cdsAux of the original).
    void GerarPorConsulta(const std::string& prefixo, const std::string& palavra, const std::string& rotulo,
                          const std::string& sql,
                          const std::function<void(const ConjuntoDados&, ArquivoDigital&)>& porLinha);

private:
    void MostrarFalha(const std::exception& e);
    void Abertura();
    void Fechamento();
    void PassosFinais();
    bool ValidarEntrada();
};

// The journal statement of the period (both halves), as the journal file runs it.
std::string SqlLancamentos(const std::string& filtroEmpresa, const std::string& dataIni, const std::string& dataFim);

// The other statements of a run, as the files run them (the benchmark runs them alone too).
std::string SqlCentroCusto();
// The movements of the period rolled up to the five levels of the account code.
std::string SqlTabelaTrabalho(const std::string& filtro, const std::string& dataIni, const std::string& dataFim);
// The same rows with the sign rule, inserted into GEDRA_CONDIA on the server.
std::string SqlPreencheTabelaTrabalho(const std::string& filtro, const std::string& dataIni,
                                      const std::string& dataFim);
// The chart of accounts (cdsPLANO), the synthetic accounts, and one account.
std::string SqlPlanoContas();
// The chart's columns of one account, without its FROM: shared by the two chart statements.
std::string SqlColunasPlano();
std::string SqlContasSinteticas();
std::string SqlUmaConta(const std::string& balco);

// Fills GEDRA_CONDIA one movement at a time inside the open transaction; when the table
// refuses movements, undoes the transaction and throws with their number and the first
// refusal.
void CopiarTabelaTrabalhoLinhaALinha(ConexaoBanco& Conexao, const std::string& filtro, const std::string& dataIni,
                                     const std::string& dataFim);

// CONTA_LINHAS: lines of a text file (a line ends with CR LF or the end of the file).
long long CONTA_LINHAS(const std::string& caminho);
// The "Tamanho" text of a file: its size in Kb, general number form with "," as separator.
std::string TamanhoKb(const std::string& caminho);
