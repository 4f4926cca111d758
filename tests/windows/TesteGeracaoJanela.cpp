// Whole runs from the main window: the real engine on a test database, the status
// rows, the closing messages and the states of the buttons.
#include <filesystem>

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "ApoioJanelas.h"
#include "settings/Configuracao.h"
#include "shell/UPrincipalGedra.h"
#include "windows/MedidorSegmentado.h"
#include "windows/UAguardeVista.h"

namespace {

const QString kNomes[4] = {QStringLiteral("ARQ_4.9.3_3_CENTRO_CUSTO_DESPESA.txt"),
                           QStringLiteral("ARQ_4.1.1_3_LANC_DIARIO_GERAL.txt"),
                           QStringLiteral("ARQ_4.1.2_3_SALDO_MESAL_DIARIO_GERAL.txt"),
                           QStringLiteral("ARQ_4.9.2_3_PLANO_DIARIO_GERAL.txt")};

struct GeracaoJanela : ::testing::Test {
    void SetUp() override
    {
        t = std::make_unique<JanelaTeste>();
        ASSERT_TRUE(t->iniciou);
        saida = t->instalacao.pastaSaida();
        j().spGeraClick();
        j().edEmpresa->setText(QStringLiteral("3"));
        j().lblNome->setText(QStringLiteral("FUNDO MUNICIPAL DE SAÚDE"));
        j().edCaminho->setText(QString::fromStdString(saida));
    }
    TfrmPrincipalGedra& j() { return *t->janela; }
    int icone(QTreeWidgetItem* linha) const
    {
        for (int i = 0; i < 4; ++i)
            if (linha->icon(0).cacheKey() == t->janela->imgStatus[static_cast<size_t>(i)].cacheKey())
                return i;
        return -1;
    }
    // The row as the window shows it, checked against the file on disk.
    void ConferirLinhaGerada(int indice, int iconeEsperado)
    {
        SCOPED_TRACE(kNomes[indice].toStdString());
        QTreeWidgetItem* linha = j().lstStatus->topLevelItem(indice);
        ASSERT_NE(linha, nullptr);
        EXPECT_EQ(linha->text(0), kNomes[indice]);
        EXPECT_EQ(icone(linha), iconeEsperado);
        const std::string arquivo = saida + kNomes[indice].toStdString();
        ASSERT_TRUE(std::filesystem::exists(arquivo));
        EXPECT_EQ(linha->text(1), QString::number(ContarLinhas(arquivo)));
        EXPECT_GT(linha->text(1).toInt(), 0);
        EXPECT_EQ(linha->text(2), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        EXPECT_TRUE(linha->text(3).endsWith(QStringLiteral(" Kb"))) << linha->text(3).toStdString();
    }
    std::unique_ptr<JanelaTeste> t;
    std::string saida;
};

}  // namespace

TEST_F(GeracaoJanela, SemMesEscolhidoSoAvisa)
{
    j().btnGeraArqClick();
    ASSERT_NE(t->iu.ultima(), nullptr);
    EXPECT_EQ(t->iu.ultima()->texto, QStringLiteral("Escolha o Mês de Referência ou Informe um Período !"));
    EXPECT_EQ(t->iu.ultima()->titulo, QStringLiteral("Atenção"));
    EXPECT_EQ(t->iu.ultima()->icone, Mensageiro::Icone::Informacao);
    EXPECT_EQ(j().lstStatus->topLevelItemCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(t->instalacao.arquivoParametros()));
    EXPECT_TRUE(j().btnGeraArq->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), j().cbMesRef);
}

TEST_F(GeracaoJanela, AnoInteiroSemProblemasTerminaComSucesso)
{
    j().cbMesRef->setCurrentIndex(0);   // TODOS
    // Everything the window shows in the middle of the run, seen from its own event loop.
    bool botaoDesligadoDurante = false;
    bool aguardeVisto = false;
    QString legendaAguarde;
    bool cursorDeEspera = false;
    QTimer espiao;
    espiao.setInterval(0);
    QObject::connect(&espiao, &QTimer::timeout, [&] {
        if (j().emExecucao() && !j().btnGeraArq->isEnabled())
            botaoDesligadoDurante = true;
        if (frmAguardeVista && frmAguardeVista->isVisible()) {
            aguardeVisto = true;
            legendaAguarde = frmAguardeVista->lblCaption->text();
            cursorDeEspera = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        }
    });
    espiao.start();
    j().btnGeraArqClick();
    espiao.stop();

    ASSERT_NE(t->iu.ultima(), nullptr);
    EXPECT_EQ(t->iu.ultima()->texto, QStringLiteral("Operação Concluida com Sucesso!\r\rArquivos Gerados em: ") +
                                         QString::fromStdString(saida));
    EXPECT_EQ(t->iu.ultima()->titulo, QStringLiteral("Atenção"));
    EXPECT_EQ(t->iu.ultima()->icone, Mensageiro::Icone::Informacao);
    EXPECT_EQ(t->iu.mensagens.size(), 1u);
    EXPECT_EQ(j().ultimoResultado(), ResultadoGeracao::Sucesso);

    ASSERT_EQ(j().lstStatus->topLevelItemCount(), 4);
    for (int i = 0; i < 4; ++i)
        ConferirLinhaGerada(i, 1);

    EXPECT_TRUE(botaoDesligadoDurante);
    EXPECT_TRUE(aguardeVisto);
    EXPECT_EQ(legendaAguarde, QStringLiteral("Aguarde,\npode Demorar!"));
    EXPECT_TRUE(cursorDeEspera);
    EXPECT_EQ(frmAguardeVista, nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Idle again: buttons, gauges and step label as the closing steps leave them.
    EXPECT_TRUE(j().btnGeraArq->isEnabled());
    EXPECT_TRUE(j().BitParar->isEnabled());
    EXPECT_FALSE(j().btnVisualizar->isVisible());
    EXPECT_EQ(j().GParte->progresso(), 0);
    EXPECT_EQ(j().GTodos->progresso(), 0);
    EXPECT_EQ(j().lblStatus->text(), QString());
    EXPECT_EQ(j().LinhasLog.back(), std::string(67, '='));
    EXPECT_EQ(j().LinhasLog[j().LinhasLog.size() - 2], "FORAM ENCONTRADOS 0 ERROS NA GERACAO DOS ARQUIVOS");

    // The choices were stored for the next start.
    EXPECT_EQ(LerIni(t->instalacao.arquivoParametros(), "SRP", "EMPRESA"), "3");
    EXPECT_EQ(LerIni(t->instalacao.arquivoParametros(), "SRP", "NOME"), "FUNDO MUNICIPAL DE SA\xDA" "DE");
    EXPECT_EQ(LerIni(t->instalacao.arquivoParametros(), "SRP", "REFERENCIA"), "TODOS");
    EXPECT_EQ(LerIni(t->instalacao.arquivoParametros(), "SRP", "CAMINHO"), saida);
}

TEST_F(GeracaoJanela, ProblemasNosDadosTerminamComErroEMostramVisualizar)
{
    t->instalacao.banco.executar(
        "INSERT INTO VINCODIGO (VINGRUPO, VINCODIGO, VINCODIGONOME) VALUES ('009', '001', '- A')");
    j().cbMesRef->setCurrentIndex(0);
    j().btnGeraArqClick();

    ASSERT_NE(t->iu.ultima(), nullptr);
    EXPECT_EQ(t->iu.ultima()->texto,
              QStringLiteral("Arquivos Gerados Com Erro, Clique em Visualizar Erros para Conferir!"));
    EXPECT_EQ(t->iu.ultima()->titulo, QStringLiteral("Atenção"));
    EXPECT_EQ(t->iu.ultima()->icone, Mensageiro::Icone::Aviso);
    ASSERT_EQ(j().lstStatus->topLevelItemCount(), 4);
    ConferirLinhaGerada(0, 0);
    for (int i = 1; i < 4; ++i)
        ConferirLinhaGerada(i, 1);
    EXPECT_TRUE(j().btnVisualizar->isVisible());
    EXPECT_TRUE(j().btnVisualizar->isEnabled());

    // The log, line for line in the hidden memo.
    const auto& log = j().LinhasLog;
    ASSERT_GE(log.size(), 9u);
    EXPECT_EQ(log[0], "====================== RELACAO DE ERROS E INCONCISTENCIAS =========");
    EXPECT_EQ(log[2], "====================== PROBLEMA ===================================");
    EXPECT_EQ(log[3], "CENTRO_CUSTO_DESPESA == DESCRI\xC7\xC3O INV\xC1LIDA (CODIGO. 009001)");
    EXPECT_EQ(log[log.size() - 2], "FORAM ENCONTRADOS 1 ERROS NA GERACAO DOS ARQUIVOS");
    EXPECT_EQ(j().Memo1->toPlainText().split(QLatin1Char('\n')).size(), static_cast<qsizetype>(log.size()));
    EXPECT_EQ(j().Memo1->toPlainText().split(QLatin1Char('\n')).at(3),
              QStringLiteral("CENTRO_CUSTO_DESPESA == DESCRIÇÃO INVÁLIDA (CODIGO. 009001)"));

    // A second run without problems counts from 0 again and hides the button.
    t->instalacao.banco.executar("DELETE FROM VINCODIGO WHERE VINGRUPO = '009'");
    j().btnGeraArqClick();
    EXPECT_EQ(t->iu.ultima()->icone, Mensageiro::Icone::Informacao);
    EXPECT_FALSE(j().btnVisualizar->isVisible());
    EXPECT_EQ(j().LinhasLog[j().LinhasLog.size() - 2], "FORAM ENCONTRADOS 0 ERROS NA GERACAO DOS ARQUIVOS");
}

TEST_F(GeracaoJanela, MesSemLancamentosMostraSemDadosNoDiario)
{
    j().cbMesRef->setCurrentIndex(5);   // 05 - Maio: entity 3 moved nothing
    j().btnGeraArqClick();
    ASSERT_EQ(j().lstStatus->topLevelItemCount(), 4);
    ConferirLinhaGerada(0, 1);
    QTreeWidgetItem* diario = j().lstStatus->topLevelItem(1);
    EXPECT_EQ(diario->text(0), kNomes[1]);
    EXPECT_EQ(icone(diario), 3);
    EXPECT_EQ(diario->text(1), QString());
    EXPECT_EQ(diario->text(2), QString());
    EXPECT_EQ(diario->text(3), QString());
    EXPECT_FALSE(std::filesystem::exists(saida + kNomes[1].toStdString()));
}

// "Cancelar" is live during the run: pressed while the first file is being written,
// the run stops after that file.
TEST_F(GeracaoJanela, CancelarDuranteAExecucaoParaDepoisDoArquivo)
{
    j().cbMesRef->setCurrentIndex(0);
    QTimer operador;
    operador.setInterval(0);
    QObject::connect(&operador, &QTimer::timeout, [&] {
        if (j().lstStatus->topLevelItemCount() == 1) {
            j().BitParar->click();
            operador.stop();
        }
    });
    operador.start();
    j().btnGeraArqClick();
    ASSERT_NE(t->iu.ultima(), nullptr);
    EXPECT_EQ(t->iu.ultima()->texto, QStringLiteral("Operação Cancelada!!"));
    EXPECT_EQ(t->iu.ultima()->titulo, QStringLiteral("Atenção"));
    EXPECT_EQ(j().ultimoResultado(), ResultadoGeracao::Cancelada);
    EXPECT_EQ(j().lstStatus->topLevelItemCount(), 1);
    ConferirLinhaGerada(0, 1);
    EXPECT_TRUE(j().btnGeraArq->isEnabled());
    EXPECT_FALSE(j().btnVisualizar->isVisible());

    // The next run starts with the request cleared.
    j().btnGeraArqClick();
    EXPECT_EQ(j().ultimoResultado(), ResultadoGeracao::Sucesso);
}
