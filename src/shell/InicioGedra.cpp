#include "shell/InicioGedra.h"

#include <QScreen>

#include "shell/EncerramentoPorSinal.h"
#include "shell/UPrincipalGedra.h"
#include "windows/PackForm.h"

bool IniciarGedra(TfrmPrincipalGedra& janela)
{
    if (!janela.CriarModuloDados() || janela.encerramentoPedido())
        return false;
    EncerrarAoReceberSinal(&janela, [&janela] { janela.SpeedButton1Click(); });
    delete Form1;
    Form1 = new TForm1(nullptr);
    if (janela.Usuario() == QStringLiteral("design"))
        Form1->exec();   // frees itself when closed
    // Where no window manager honours the maximised state, the window still covers
    // the screen's working area.
    if (const QScreen* tela = janela.screen())
        janela.setGeometry(tela->availableGeometry());
    janela.showMaximized();
    return true;
}
