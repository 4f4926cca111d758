// What the run reports, shown on the main window. The run blocks the event loop; the
// window repaints and lets pending events through at the run's own points and, during
// long steps, at least every tenth of a second, so "Cancelar" can be pressed.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "shell/UPrincipalGedra.h"
#include "windows/MedidorSegmentado.h"
#include "windows/UAguardeVista.h"
#include "windows/relatorio/Texto1252.h"

namespace {

constexpr qint64 kIntervaloProcessamentoMs = 100;

}  // namespace

void TfrmPrincipalGedra::pintar()
{
    repaint();
}

void TfrmPrincipalGedra::processarSeAtrasado()
{
    if (desdeUltimoProcessamento_.elapsed() < kIntervaloProcessamentoMs)
        return;
    atualizar();
}

void TfrmPrincipalGedra::atualizar()
{
    desdeUltimoProcessamento_.restart();
    QApplication::processEvents();
}

void TfrmPrincipalGedra::novaLinhaStatus(const std::string& arquivo)
{
    linhaAtual_ = new QTreeWidgetItem(lstStatus);
    linhaAtual_->setText(0, ParaQString(arquivo));
    linhaAtual_->setIcon(0, imgStatus[2]);
    lstStatus->setCurrentItem(linhaAtual_);
    lstStatus->scrollToItem(linhaAtual_);
    atualizar();
    lstStatus->setFocus();
}

void TfrmPrincipalGedra::completarLinhaStatus(const LinhaStatus& linha)
{
    if (!linhaAtual_)
        return;
    const int icone = linha.icone >= 0 && linha.icone < 4 ? linha.icone : 2;
    if (icone != 3) {
        linhaAtual_->setText(1, ParaQString(linha.linhas));
        linhaAtual_->setText(2, ParaQString(linha.data));
        linhaAtual_->setText(3, ParaQString(linha.tamanho));
    }
    linhaAtual_->setIcon(0, imgStatus[static_cast<size_t>(icone)]);
    processarSeAtrasado();
}

void TfrmPrincipalGedra::limparStatus()
{
    linhaAtual_ = nullptr;
    lstStatus->clear();
}

void TfrmPrincipalGedra::linhaLog(const std::string& linha)
{
    LinhasLog.push_back(linha);
    Memo1->appendPlainText(ParaQString(linha));
}

void TfrmPrincipalGedra::limparLog()
{
    LinhasLog.clear();
    Memo1->clear();
}

void TfrmPrincipalGedra::medidor(Medidor qual, int maximo, int progresso)
{
    TMedidorSegmentado* m = qual == Medidor::Parte ? GParte : GTodos;
    m->definirMaximo(maximo);
    m->definirProgresso(progresso);
    processarSeAtrasado();
}

void TfrmPrincipalGedra::etapa(const std::string& rotulo)
{
    lblStatus->setText(ParaQString(rotulo));
    pintar();
    processarSeAtrasado();
}

void TfrmPrincipalGedra::escolhasHabilitadas(bool habilitadas)
{
    // The choices are fixed for the run: nothing opens a dialog in the middle of it.
    gbReferencia->setEnabled(habilitadas);
    gbCaminho->setEnabled(habilitadas);
    gbEntidade->setEnabled(habilitadas);
}

void TfrmPrincipalGedra::inicioExecucao()
{
    btnGeraArq->setEnabled(false);
    btnVisualizar->setEnabled(false);
    btnVisualizar->hide();
    BitParar->setEnabled(true);
    escolhasHabilitadas(false);
    pintar();
}

void TfrmPrincipalGedra::fimExecucao()
{
    btnGeraArq->setEnabled(true);
    BitParar->setEnabled(true);
    btnVisualizar->setEnabled(true);
    escolhasHabilitadas(true);
    pintar();
}

void TfrmPrincipalGedra::mostrarVisualizar()
{
    btnVisualizar->show();
}

void TfrmPrincipalGedra::inicioEtapaLonga(const std::string& legenda)
{
    delete frmAguardeVista;
    frmAguardeVista = new TfrmAguardeVista(this);
    frmAguardeVista->show();
    frmAguardeVista->definirLegenda(ParaQString(legenda));
    frmAguardeVista->pintarAgora();
}

void TfrmPrincipalGedra::fimEtapaLonga()
{
    delete frmAguardeVista;
    frmAguardeVista = nullptr;
}
