#pragma once

#include <string>

#include <QAbstractTableModel>
#include <QDialog>
#include <QStyledItemDelegate>

#include "db/ConjuntoDados.h"

class ConexaoBanco;
class QFrame;
class QPushButton;
class QTableView;

// dsLocEmpresa: shows the rows of cdsLocEmpresa (EMPRESA and NOME) to the grid.
class TFonteLocEmpresa : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TFonteLocEmpresa(QObject* pai = nullptr) : QAbstractTableModel(pai) {}

    // Takes the dataset's rows, from the first to the last.
    void carregar(ConjuntoDados& dados);
    void limpar();

    std::string empresa(int linha) const;   // EMPRESA as text, Windows-1252
    std::string nome(int linha) const;      // NOME as text
    // The row that the indicator column points at.
    void definirLinhaAtual(int linha);

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;

private:
    struct Linha {
        std::string empresa;
        std::string nome;
    };
    std::vector<Linha> linhas_;
    int linhaAtual_ = -1;
};

// gridpesquisaDrawColumnCell: pale bands by record number, light gold for the
// selected row, black text throughout.
class TPintorGridPesquisa : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QColor corFundo(int numeroRegistro, bool selecionada);
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override;
};

// "Pesquisa de Empresas": the entities of TABEMPRESA by name, read afresh each time
// the window is shown.
class TFrmPesquisaEmpresa : public QDialog {
    Q_OBJECT

public:
    TFrmPesquisaEmpresa(ConexaoBanco& Conexao, QWidget* pai = nullptr);
    ~TFrmPesquisaEmpresa() override;

    // The row selected in the grid (the dataset's current row); empty texts when the
    // list is empty.
    std::string EmpresaAtual() const;
    std::string NomeAtual() const;
    // The database's message when the list could not be read (the dialog then closes
    // as cancelled); empty otherwise.
    const std::string& erroAbertura() const { return erroAbertura_; }

    static const char* const SQL_LOC_EMPRESA;

    ConexaoBanco& Conexao;
    ConjuntoDados cdsLocEmpresa;
    TFonteLocEmpresa* dsLocEmpresa;
    QTableView* gridpesquisa;
    QFrame* Panel1;
    QPushButton* btnOk;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void FormShow();
    void FormDestroy();
    void gridpesquisaDblClick();
    int linhaAtual() const;

    std::string erroAbertura_;
};

// The search window while it is open.
extern TFrmPesquisaEmpresa* FrmPesquisaEmpresa;
