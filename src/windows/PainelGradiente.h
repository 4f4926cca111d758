#pragma once

#include <QColor>
#include <QWidget>

// A panel that shades from one colour to another, left to right or top to bottom.
class TPainelGradiente : public QWidget {
    Q_OBJECT

public:
    TPainelGradiente(const QColor& inicio, const QColor& fim, Qt::Orientation direcao = Qt::Horizontal,
                     QWidget* pai = nullptr);

    QColor corInicio() const { return inicio_; }
    QColor corFim() const { return fim_; }
    void definirCores(const QColor& inicio, const QColor& fim);

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QColor inicio_;
    QColor fim_;
    Qt::Orientation direcao_;
};
