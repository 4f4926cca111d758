#include "ApoioJanelas.h"

#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include "settings/Configuracao.h"
#include "shell/InicioGedra.h"
#include "shell/UPrincipalGedra.h"
#include "windows/PackForm.h"

void GarantirAplicacaoJanelas()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "testes_windows";
    static char* argv[] = {nome, nullptr};
    // Never destroyed: a QApplication torn down among the exit handlers crashes
    // in Qt's own already-destroyed globals.
    new QApplication(argc, argv);
}

void InterfaceUsuarioTeste::mensagem(QWidget*, const QString& texto, const QString& titulo, Mensageiro::Icone icone)
{
    mensagens.push_back({texto, titulo, icone});
}

std::optional<QString> InterfaceUsuarioTeste::escolherPasta(QWidget*)
{
    if (pastas.empty())
        return std::nullopt;
    QString pasta = pastas.front();
    pastas.erase(pastas.begin());
    return pasta;
}

InstalacaoJanelas::InstalacaoJanelas(const std::string& scriptDados) : banco(scriptDados)
{
    const std::string atual = PastaConfiguracao();
    pastaAnterior_ = atual == PastaExecutavel() ? std::string() : atual;
    DefinirPastaConfiguracao(banco.pasta());
}

InstalacaoJanelas::~InstalacaoJanelas()
{
    DefinirPastaConfiguracao(pastaAnterior_);
}

std::string InstalacaoJanelas::pastaSaida(const std::string& nome) const
{
    const std::string pasta = banco.pasta() + "/" + nome;
    std::filesystem::create_directories(pasta);
    return pasta + "/";
}

JanelaTeste::JanelaTeste(const QString& usuario, const std::function<void(InstalacaoJanelas&)>& preparar,
                         const std::string& scriptDados)
    : instalacao(scriptDados)
{
    GarantirAplicacaoJanelas();
    if (preparar)
        preparar(instalacao);
    QStringList argumentos = {QStringLiteral("GedraMURT8"), QStringLiteral("MURT")};
    if (!usuario.isNull())
        argumentos << usuario;
    janela = std::make_unique<TfrmPrincipalGedra>(argumentos, iu);
    iniciou = IniciarGedra(*janela);
    QApplication::processEvents();
}

JanelaTeste::~JanelaTeste()
{
    delete Form1;
    janela.reset();
    QApplication::processEvents();
}

void AoAbrirModal(std::function<void(QWidget*)> acao)
{
    GarantirAplicacaoJanelas();
    auto* relogio = new QTimer;
    relogio->setInterval(5);
    auto tentativas = std::make_shared<int>(0);
    QObject::connect(relogio, &QTimer::timeout, [relogio, acao, tentativas] {
        if (++*tentativas > 2000) {   // ten seconds: the window never came
            relogio->stop();
            relogio->deleteLater();
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        relogio->stop();
        relogio->deleteLater();
        acao(modal);
        // A window that the action failed to close is closed after a while, so a
        // failing test fails instead of hanging.
        QPointer<QWidget> aindaAberta = modal;
        QTimer::singleShot(3000, [aindaAberta] {
            if (aindaAberta && aindaAberta->isVisible()) {
                ADD_FAILURE() << "a janela modal " << aindaAberta->objectName().toStdString()
                              << " continuou aberta";
                aindaAberta->close();
            }
        });
    });
    relogio->start();
}

int ContarLinhas(const std::string& caminho)
{
    std::ifstream arquivo(caminho, std::ios::binary);
    std::string conteudo((std::istreambuf_iterator<char>(arquivo)), std::istreambuf_iterator<char>());
    int linhas = 0;
    for (std::size_t i = 0; i + 1 < conteudo.size(); ++i)
        if (conteudo[i] == '\r' && conteudo[i + 1] == '\n')
            ++linhas;
    if (!conteudo.empty() && !(conteudo.size() >= 2 && conteudo.substr(conteudo.size() - 2) == "\r\n"))
        ++linhas;
    return linhas;
}
