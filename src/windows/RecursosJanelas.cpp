#include "windows/RecursosJanelas.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtGlobal>

namespace {

QString Recurso(const QString& nome)
{
    return QStringLiteral(":/imagens/") + nome;
}

}  // namespace

void CarregarRecursosJanelas()
{
    static const bool carregados = [] {
        Q_INIT_RESOURCE(janelas);
        return true;
    }();
    (void)carregados;
}

QIcon IconeJanelas(const QString& nome)
{
    CarregarRecursosJanelas();
    return QIcon(Recurso(nome));
}

QPixmap ImagemJanelas(const QString& nome, const QSize& tamanho)
{
    CarregarRecursosJanelas();
    QPixmap imagem(tamanho);
    imagem.fill(Qt::transparent);
    QSvgRenderer desenho(Recurso(nome));
    QPainter p(&imagem);
    desenho.render(&p);
    return imagem;
}
