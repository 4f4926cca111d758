#include "windows/relatorio/FontesRelatorio.h"

#include "windows/relatorio/GeometriaRelatorio.h"

namespace {

QFont Fonte(const QString& familia, double pontos, QFont::StyleHint dica)
{
    QFont fonte(familia);
    fonte.setStyleHint(dica);
    fonte.setPointSizeF(pontos);
    return fonte;
}

}  // namespace

QFont FonteDraft(double pontos)
{
    QFont fonte = Fonte(QStringLiteral("Draft 10cpi"), pontos, QFont::TypeWriter);
    fonte.setFixedPitch(true);
    fonte.setBold(true);
    return fonte;
}

QFont FonteRoman()
{
    return Fonte(QStringLiteral("Roman 20cpi"), 8.0, QFont::Serif);
}

QFont FonteDetalhe()
{
    QFont fonte = Fonte(QStringLiteral("Courier New"), GeometriaRelatorio::kPontosFonteDetalhe,
                        QFont::TypeWriter);
    fonte.setFixedPitch(true);
    return fonte;
}
