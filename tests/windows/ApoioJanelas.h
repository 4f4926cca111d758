#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "apoio/BancoTeste.h"
#include "windows/InterfaceUsuario.h"

class TfrmPrincipalGedra;
class QWidget;

// A QApplication on the offscreen platform, shared by every window test of the run.
void GarantirAplicacaoJanelas();

// Answers the dialogs instead of the operator and records the message boxes.
class InterfaceUsuarioTeste : public InterfaceUsuario {
public:
    struct Mensagem {
        QString texto;
        QString titulo;
        Mensageiro::Icone icone;
    };

    std::vector<Mensagem> mensagens;
    // The folder dialog's answers, in order; none left means "cancelled".
    std::vector<QString> pastas;

    void mensagem(QWidget* pai, const QString& texto, const QString& titulo, Mensageiro::Icone icone) override;
    std::optional<QString> escolherPasta(QWidget* pai) override;

    const Mensagem* ultima() const { return mensagens.empty() ? nullptr : &mensagens.back(); }
};

// A test installation (database filled by a fixture script) that is the configuration
// folder while the object lives.
class InstalacaoJanelas {
public:
    explicit InstalacaoJanelas(const std::string& scriptDados = "janelas.sql");
    ~InstalacaoJanelas();

    BancoTeste banco;
    // The parameter file of the year, RARIVIDEZE.ini.
    std::string arquivoParametros() const { return banco.pastaDados() + "/RARIVIDEZE.ini"; }
    // A fresh output folder inside the installation, POSIX, with its final "/".
    std::string pastaSaida(const std::string& nome = "saida") const;

private:
    std::string pastaAnterior_;
};

// The main window over an installation, started as the program starts it (data
// module, then shown), with "GedraMURT8 MURT <usuario>" as command line.
struct JanelaTeste {
    // preparar runs on the installation before the window is created.
    explicit JanelaTeste(const QString& usuario = "operador",
                         const std::function<void(InstalacaoJanelas&)>& preparar = {},
                         const std::string& scriptDados = "janelas.sql");
    ~JanelaTeste();

    InstalacaoJanelas instalacao;
    InterfaceUsuarioTeste iu;
    std::unique_ptr<TfrmPrincipalGedra> janela;
    bool iniciou = false;
};

// Runs `acao` as soon as the next modal window is up (from inside its event loop).
void AoAbrirModal(std::function<void(QWidget*)> acao);

// The lines of a text file, CR LF or end of file ending each.
int ContarLinhas(const std::string& caminho);
