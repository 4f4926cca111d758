#include "windows/InterfaceUsuario.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "windows/relatorio/Texto1252.h"

namespace {

QMessageBox::Icon IconeCaixa(Mensageiro::Icone icone)
{
    switch (icone) {
    case Mensageiro::Icone::Informacao: return QMessageBox::Information;
    case Mensageiro::Icone::Aviso: return QMessageBox::Warning;
    case Mensageiro::Icone::Erro: return QMessageBox::Critical;
    case Mensageiro::Icone::Nenhum: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void InterfaceUsuarioQt::mensagem(QWidget* pai, const QString& texto, const QString& titulo, Mensageiro::Icone icone)
{
    QMessageBox caixa(IconeCaixa(icone), titulo, TextoDaCaixa(texto), QMessageBox::Ok, pai);
    caixa.setTextFormat(Qt::PlainText);
    caixa.exec();
}

std::optional<QString> InterfaceUsuarioQt::escolherPasta(QWidget* pai)
{
    // Rooted at the top of the file system, the nearest thing to the list of drives.
    const QString pasta = QFileDialog::getExistingDirectory(pai, QStringLiteral("Procurar Pasta"), QDir::rootPath());
    if (pasta.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(pasta);
}

QString TextoDaCaixa(const QString& texto)
{
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

void MostrarErro(InterfaceUsuario& iu, QWidget* pai, const QString& texto)
{
    iu.mensagem(pai, texto, QString::fromUtf8(TITULO_APLICACAO), Mensageiro::Icone::Erro);
}

void MostrarExcecao(InterfaceUsuario& iu, QWidget* pai, const std::exception& erro)
{
    MostrarErro(iu, pai, ParaQString(erro.what()));
}
