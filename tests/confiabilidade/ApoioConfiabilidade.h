#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include <sys/types.h>

#include "apoio/EmpatesArquivo.h"
#include "apoio/RelatorGravador.h"
#include "generation/Geracao.h"

class BancoTeste;
class ConexaoBanco;

// gedra-lote started in the background, its standard output and error going to files,
// so that a test can watch it, stop it (SIGSTOP) and let it go on.
class LoteEmSegundoPlano {
public:
    explicit LoteEmSegundoPlano(const std::vector<std::string>& argumentos);
    ~LoteEmSegundoPlano();   // kills it when still running
    LoteEmSegundoPlano(const LoteEmSegundoPlano&) = delete;
    LoteEmSegundoPlano& operator=(const LoteEmSegundoPlano&) = delete;

    // Waits (at most `segundos`) until its standard output holds `texto`; false when it
    // ended or the time ran out first.
    bool esperarSaida(const std::string& texto, int segundos);
    void suspender();
    void continuar();
    bool terminou();
    // Waits for the end; the exit status, or -1 when it did not exit normally.
    int esperar();
    std::string saida() const;     // standard output (UTF-8)
    std::string erros() const;     // standard error (UTF-8)

private:
    std::string pasta_;
    pid_t pid_ = -1;
    int codigo_ = -1;
};

// gedra-lote run to its end: exit status, standard output and error together.
struct ExecucaoLote {
    int codigo = -1;
    std::string texto;
};
ExecucaoLote ExecutarLote(const std::vector<std::string>& argumentos);

// The run's recorder with one action to take at a chosen step label or message.
class RelatorComGatilho : public RelatorGravador {
public:
    std::string etapaGatilho;       // a step label, exactly
    std::string mensagemGatilho;    // a piece of a message text
    std::function<void()> acao;
    bool disparado = false;

    void etapa(const std::string& rotulo) override;
    void mostrar(const std::string& texto, const std::string& titulo, Icone icone) override;

private:
    void disparar();
};

// The input of a run as the main window gives it; indice 0 is "TODOS", 1 to 12 a month.
EntradaGeracao Entrada(const std::string& empresa, int indice, const std::string& pasta);

// Files of a folder (names), and of a whole tree (paths relative to it).
std::set<std::string> ArquivosDaPasta(const std::string& pasta);
std::set<std::string> ArvoreDeArquivos(const std::string& raiz);

// True when a digital file is whole: at least one record, every record ended by CR LF
// and all of the same length. `motivo` says what is wrong otherwise.
bool ArquivoCompleto(const std::string& conteudo, std::string& motivo);
// The four files of a folder, as "name\ncontent" (journal ties ordered), by name.
std::vector<std::string> ArquivosDigitais(const std::string& pasta);

// The rows of a table as texts «[v1][v2]...», in the statement's order.
std::vector<std::string> Linhas(ConexaoBanco& conexao, const std::string& sql);

// Murt.ini of a workstation whose database server is `endereco`; the installation
// folder serves as both the server's and the workstation's view.
void MurtModoServidor(const std::string& pastaInstalacao, const std::string& endereco);
