#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// Registers the windows' pictures (janelas.qrc). The resources live in a static
// library, so whoever shows a picture makes sure they are linked in and registered.
void CarregarRecursosJanelas();

// One of the windows' pictures ("banner.svg") as an icon, drawn at any size.
QIcon IconeJanelas(const QString& nome);
// The same picture drawn at exactly this size.
QPixmap ImagemJanelas(const QString& nome, const QSize& tamanho);
