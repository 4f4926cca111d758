// GedraMURT8: the window program. Command line: argument 2 is the operator's user name
// ("design" also opens the package information window first). "--config DIR" (taken
// out before the arguments are counted) reads Murt.ini from DIR instead of the
// executable's folder.
#include <QPointer>
#include <QStringList>

#include "settings/Configuracao.h"
#include "shell/AplicacaoGedra.h"
#include "shell/TabelaUnidades.h"
#include "shell/UPrincipalGedra.h"
#include "windows/InterfaceUsuario.h"
#include "windows/PackForm.h"

namespace {

// The description that the executable carries for the package window.
constexpr const char* DESCRICAO_PROGRAMA = "Gerador de Arquivos - Gedra: arquivos digitais da SRP";

// Takes "--config DIR" out of the arguments and points the settings at DIR.
QStringList TratarPastaConfiguracao(QStringList argumentos)
{
    const qsizetype i = argumentos.indexOf(QStringLiteral("--config"));
    if (i > 0 && i + 1 < argumentos.size()) {
        DefinirPastaConfiguracao(argumentos.at(i + 1).toLocal8Bit().toStdString());
        argumentos.remove(i, 2);
    }
    return argumentos;
}

}  // namespace

int main(int argc, char** argv)
{
    TAplicacaoGedra aplicacao(argc, argv);
    QApplication::setApplicationName(QStringLiteral("GedraMURT8"));
    InterfaceUsuarioQt iu;
    aplicacao.definirInterface(&iu);
    const QStringList argumentos = TratarPastaConfiguracao(QApplication::arguments());

    TfrmPrincipalGedra janela(argumentos, iu);
    // The data module opens the connection; without a database the program ends here,
    // the operator having been told.
    if (!janela.CriarModuloDados() || janela.encerramentoPedido())
        return 1;

    RegistrarUnidadesExecutavel(GEDRA_UNIDADES, GEDRA_QUANTIDADE_UNIDADES, DESCRICAO_PROGRAMA);
    QPointer<TForm1> pacotes = new TForm1(nullptr);
    Form1 = pacotes;
    if (argumentos.size() > 2 && argumentos.at(2) == QStringLiteral("design"))
        pacotes->exec();

    janela.showMaximized();
    const int resultado = aplicacao.exec();
    delete pacotes.data();
    return resultado;
}
