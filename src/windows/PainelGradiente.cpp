#include "windows/PainelGradiente.h"

#include <QLinearGradient>
#include <QPainter>

TPainelGradiente::TPainelGradiente(const QColor& inicio, const QColor& fim, Qt::Orientation direcao, QWidget* pai)
    : QWidget(pai), inicio_(inicio), fim_(fim), direcao_(direcao)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPainelGradiente::definirCores(const QColor& inicio, const QColor& fim)
{
    inicio_ = inicio;
    fim_ = fim;
    update();
}

void TPainelGradiente::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRectF r = rect();
    QLinearGradient g(r.topLeft(), direcao_ == Qt::Horizontal ? r.topRight() : r.bottomLeft());
    g.setColorAt(0, inicio_);
    g.setColorAt(1, fim_);
    p.fillRect(r, g);
}
