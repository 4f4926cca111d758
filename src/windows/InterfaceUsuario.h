#pragma once

#include <exception>
#include <optional>

#include <QString>

#include "settings/Mensageiro.h"

class QWidget;

// The application title: the caption of the standard error box.
inline constexpr const char* TITULO_APLICACAO = "Gerador de Arquivos - Gedra";

// Everything the windows ask the operator through a modal platform dialog: message
// boxes and the folder dialog. The program shows real dialogs; widget tests answer
// through their own implementation, so no test blocks on a modal box.
class InterfaceUsuario {
public:
    virtual ~InterfaceUsuario() = default;

    // A modal message box with an OK button. Lines may be separated by "\r" (as the
    // run's messages are) or "\n".
    virtual void mensagem(QWidget* pai, const QString& texto, const QString& titulo, Mensageiro::Icone icone) = 0;
    // The folder dialog; empty when the operator cancels it.
    virtual std::optional<QString> escolherPasta(QWidget* pai) = 0;
};

// Real dialogs.
class InterfaceUsuarioQt : public InterfaceUsuario {
public:
    void mensagem(QWidget* pai, const QString& texto, const QString& titulo, Mensageiro::Icone icone) override;
    std::optional<QString> escolherPasta(QWidget* pai) override;
};

// The text of a message as a box shows it: "\r\n" and a lone "\r" become line breaks.
QString TextoDaCaixa(const QString& texto);

// The application's standard error display: the error's text under the application
// title with the error icon. The program goes on afterwards.
void MostrarErro(InterfaceUsuario& iu, QWidget* pai, const QString& texto);
// The same for an exception; engine messages are Windows-1252 bytes.
void MostrarExcecao(InterfaceUsuario& iu, QWidget* pai, const std::exception& erro);
