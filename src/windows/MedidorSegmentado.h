#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

// The segmented progress gauge: a row of boxes (20 by default) one pixel apart, lit
// from the left in proportion to the progress, with the percentage written over them.
class TMedidorSegmentado : public QWidget {
    Q_OBJECT

public:
    explicit TMedidorSegmentado(QWidget* pai = nullptr);

    int minimo() const { return minimo_; }
    int maximo() const { return maximo_; }
    int progresso() const { return progresso_; }
    // Whole percent of the range that the progress covers, 0 to 100.
    int percentual() const;
    QString textoPercentual() const;
    int caixasAcesas() const;

    void definirFaixa(int minimo, int maximo);
    void definirMaximo(int maximo);
    // Clamped to the range.
    void definirProgresso(int progresso);
    void avancar(int passo = 1);

    void definirCaixas(int quantidade) { caixas_ = quantidade; update(); }
    void definirCores(const QColor& barra, const QColor& fundo, const QColor& texto);
    void definirFonteTexto(const QFont& fonte) { fonteTexto_ = fonte; update(); }
    // A sunken one-pixel bevel around the boxes.
    void definirBaixoRelevo(bool ligado) { baixoRelevo_ = ligado; update(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    int minimo_ = 0;
    int maximo_ = 100;
    int progresso_ = 0;
    int caixas_ = 20;
    bool baixoRelevo_ = true;
    QColor corBarra_;
    QColor corFundo_;
    QColor corTexto_;
    QFont fonteTexto_;
};
