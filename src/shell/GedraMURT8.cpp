// GedraMURT8: the window program. Command line: argument 2 is the operator's user name
// ("design" also opens the package information window first). "--config DIR" (taken
// out before the arguments are counted) reads Murt.ini from DIR instead of the
// executable's folder.
#include <QStringList>

#include "settings/Configuracao.h"
#include "shell/AplicacaoGedra.h"
#include "shell/EncerramentoPorSinal.h"
#include "shell/InicioGedra.h"
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
    BloquearSinaisDeEncerramento();   // before any thread exists, so every thread inherits it
    TAplicacaoGedra aplicacao(argc, argv);
    QApplication::setApplicationName(QStringLiteral("GedraMURT8"));
    InterfaceUsuarioQt iu;
    aplicacao.definirInterface(&iu);
    RegistrarUnidadesExecutavel(GEDRA_UNIDADES, GEDRA_QUANTIDADE_UNIDADES, DESCRICAO_PROGRAMA);

    TfrmPrincipalGedra janela(TratarPastaConfiguracao(QApplication::arguments()), iu);
    if (!IniciarGedra(janela))
        return 1;
    const int resultado = aplicacao.exec();
    delete Form1;
    return resultado;
}
