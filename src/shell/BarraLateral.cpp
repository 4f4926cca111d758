#include "shell/BarraLateral.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kTeal(0, 128, 127);

}  // namespace

TBarraLateral::TBarraLateral(const QString& tituloGrupo, QWidget* pai)
    : QWidget(pai), titulo_(tituloGrupo), corpo_(new QWidget(this))
{
    setObjectName(QStringLiteral("RzGroupBar1"));
    setFixedWidth(152);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect TBarraLateral::retanguloGrupo() const
{
    return {5, 8, width() - 10, kAlturaGrupo};
}

void TBarraLateral::resizeEvent(QResizeEvent*)
{
    const QRect grupo = retanguloGrupo();
    corpo_->setGeometry(grupo.left(), grupo.top() + kAlturaTitulo, grupo.width(), grupo.height() - kAlturaTitulo);
}

void TBarraLateral::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient fundo(0, 0, 0, height());
    fundo.setColorAt(0, kTeal.lighter(125));
    fundo.setColorAt(0.35, kTeal);
    fundo.setColorAt(1, kTeal.darker(160));
    p.fillRect(rect(), fundo);

    const QRect grupo = retanguloGrupo();
    const QRectF titulo(grupo.left(), grupo.top(), grupo.width(), kAlturaTitulo);
    QPainterPath contorno;
    contorno.addRoundedRect(QRectF(grupo).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);

    QLinearGradient corpo(0, grupo.top(), 0, grupo.bottom());
    corpo.setColorAt(0, QColor(0, 150, 149));
    corpo.setColorAt(1, QColor(0, 104, 103));
    p.fillPath(contorno, corpo);

    QPainterPath faixa;
    faixa.addRoundedRect(titulo.adjusted(0.5, 0.5, -0.5, 0), 4, 4);
    faixa.addRect(titulo.adjusted(0.5, titulo.height() / 2, -0.5, 0));
    QLinearGradient cabeca(0, titulo.top(), 0, titulo.bottom());
    cabeca.setColorAt(0, QColor(232, 246, 246));
    cabeca.setColorAt(1, QColor(150, 206, 205));
    p.fillPath(faixa.simplified(), cabeca);

    p.setPen(QColor(0, 70, 70));
    p.drawPath(contorno);
    p.drawLine(QPointF(titulo.left(), titulo.bottom()), QPointF(titulo.right(), titulo.bottom()));

    QFont fonte(QStringLiteral("Arial"), 8, QFont::Bold);
    p.setFont(fonte);
    p.setPen(QColor(0, 64, 64));
    p.drawText(titulo.adjusted(8, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, titulo_);
}
