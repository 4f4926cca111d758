#include "shell/InicioGedra.h"

#include "shell/UPrincipalGedra.h"
#include "windows/PackForm.h"

bool IniciarGedra(TfrmPrincipalGedra& janela)
{
    if (!janela.CriarModuloDados() || janela.encerramentoPedido())
        return false;
    delete Form1;
    Form1 = new TForm1(nullptr);
    if (janela.Usuario() == QStringLiteral("design"))
        Form1->exec();   // frees itself when closed
    janela.showMaximized();
    return true;
}
