#include "windows/MedidorSegmentado.h"

#include <algorithm>

#include <QPainter>

TMedidorSegmentado::TMedidorSegmentado(QWidget* pai)
    : QWidget(pai),
      corBarra_(0, 128, 128),
      corFundo_(palette().color(QPalette::Button)),
      corTexto_(Qt::black),
      fonteTexto_(QStringLiteral("Tahoma"), 8, QFont::Bold)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int TMedidorSegmentado::percentual() const
{
    const long long faixa = static_cast<long long>(maximo_) - minimo_;
    if (faixa <= 0)
        return 0;
    return static_cast<int>((static_cast<long long>(progresso_) - minimo_) * 100 / faixa);
}

QString TMedidorSegmentado::textoPercentual() const
{
    return QString::number(percentual()) + QLatin1Char('%');
}

int TMedidorSegmentado::caixasAcesas() const
{
    return percentual() * caixas_ / 100;
}

void TMedidorSegmentado::definirFaixa(int minimo, int maximo)
{
    minimo_ = minimo;
    maximo_ = std::max(minimo, maximo);
    definirProgresso(progresso_);
}

void TMedidorSegmentado::definirMaximo(int maximo)
{
    definirFaixa(minimo_, maximo);
}

void TMedidorSegmentado::definirProgresso(int progresso)
{
    const int novo = std::clamp(progresso, minimo_, maximo_);
    if (novo == progresso_)
        return;
    progresso_ = novo;
    update();
}

void TMedidorSegmentado::avancar(int passo)
{
    definirProgresso(progresso_ + passo);
}

void TMedidorSegmentado::definirCores(const QColor& barra, const QColor& fundo, const QColor& texto)
{
    corBarra_ = barra;
    corFundo_ = fundo;
    corTexto_ = texto;
    update();
}

QSize TMedidorSegmentado::sizeHint() const
{
    return {200, 17};
}

void TMedidorSegmentado::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect area = rect();
    p.fillRect(area, corFundo_);
    if (baixoRelevo_) {
        // Dark on the top and left, light on the bottom and right: a lowered bevel.
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(area.topLeft(), area.topRight());
        p.drawLine(area.topLeft(), area.bottomLeft());
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(area.bottomLeft(), area.bottomRight());
        p.drawLine(area.topRight(), area.bottomRight());
        area.adjust(1, 1, -1, -1);
    }
    // One pixel of margin around the boxes and one pixel between them; the boxes
    // share the remaining width, the spare pixels going to the first ones.
    const QRect caixas = area.adjusted(1, 1, -1, -1);
    const int quantidade = std::max(1, caixas_);
    const int util = caixas.width() - (quantidade - 1);
    const int acesas = caixasAcesas();
    int x = caixas.left();
    for (int i = 0; i < quantidade && i < acesas; ++i) {
        const int largura = util / quantidade + (i < util % quantidade ? 1 : 0);
        p.fillRect(QRect(x, caixas.top(), largura, caixas.height()), corBarra_);
        x += largura + 1;
    }
    p.setPen(corTexto_);
    p.setFont(fonteTexto_);
    p.drawText(area, Qt::AlignCenter, textoPercentual());
}
