#include "windows/relatorio/RelatorioErros.h"

#include <cmath>
#include <stdexcept>

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>

#include "windows/relatorio/FontesRelatorio.h"
#include "windows/relatorio/GeometriaRelatorio.h"
#include "windows/relatorio/Texto1252.h"

namespace G = GeometriaRelatorio;

namespace {

// Millimetres to device units, from the top left of the printable area (where the
// bands start). Fonts are given in points and the device scales them by itself, so
// the painter keeps the device's own coordinates.
class Escala {
public:
    explicit Escala(const QPaintDevice& dispositivo)
        : x_(dispositivo.logicalDpiX() / 25.4),
          y_(dispositivo.logicalDpiY() / 25.4)
    {
    }
    double x(double mm) const { return mm * x_; }
    double y(double mm) const { return mm * y_; }

private:
    double x_;
    double y_;
};

// Labels size themselves to their text, so nothing is clipped: the box only fixes
// where the text starts (or, right-justified, where it ends).
constexpr int kRotulo = Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
constexpr double kSemLimite = 1000.0;

void Rotulo(QPainter& pintor, const Escala& e, const G::Posicao& p, const QString& texto)
{
    const QRectF caixa(e.x(p.esquerda), e.y(p.topo), e.x(kSemLimite), e.y(p.altura));
    pintor.drawText(caixa, kRotulo | Qt::AlignLeft, texto);
}

void RotuloADireita(QPainter& pintor, const Escala& e, const G::Posicao& p, double largura,
                    const QString& texto)
{
    const double direita = e.x(p.esquerda + largura);
    const QRectF caixa(direita - e.x(kSemLimite), e.y(p.topo), e.x(kSemLimite), e.y(p.altura));
    pintor.drawText(caixa, kRotulo | Qt::AlignRight, texto);
}

void PintarCabecalho(QPainter& pintor, const Escala& e, const CabecalhoRelatorio& c,
                     int pagina, int totalPaginas)
{
    pintor.setPen(Qt::black);
    pintor.setFont(FonteDraft(12.0));
    Rotulo(pintor, e, G::kNome, ParaQString(c.nome));
    pintor.setFont(FonteRoman());
    Rotulo(pintor, e, G::kEndereco, ParaQString(c.endereco));
    Rotulo(pintor, e, G::kCgc, ParaQString(c.cgc));
    Rotulo(pintor, e, G::kExercicio, QStringLiteral("Exercício: ") + ParaQString(c.exercicio));
    RotuloADireita(pintor, e, G::kPagina, G::kLarguraPagina,
                   QStringLiteral("Página %1 de %2").arg(pagina).arg(totalPaginas));
    pintor.setFont(FonteDraft(10.0));
    Rotulo(pintor, e, G::kTitulo, QStringLiteral("RELATORIO DE ERROS EXPORTAÇÃO GEDRA"));
}

// The page layout counts on the Courier pitch; a face that runs wider is narrowed
// so a full line still fits in the band.
QFont FonteDetalheAjustada(const QPaintDevice& dispositivo, const Escala& e)
{
    QFont fonte = FonteDetalhe();
    const double avanco = QFontMetricsF(fonte, &dispositivo).horizontalAdvance(QLatin1Char('M'));
    const double necessario = avanco * MetricasPadrao().caracteresPorLinha;
    const double disponivel = e.x(G::kDetalheLargura);
    if (necessario > disponivel)
        fonte.setStretch(static_cast<int>(std::floor(100.0 * disponivel / necessario)));
    return fonte;
}

void PintarDetalhe(QPainter& pintor, const Escala& e, const QFont& fonte,
                   const PaginaRelatorio& linhas)
{
    pintor.setFont(fonte);
    const double ascendente = QFontMetricsF(fonte, pintor.device()).ascent();
    const double topo = G::kAlturaCabecalho + G::kDetalheTopo;
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const double linhaTopo = topo + static_cast<double>(i) * G::kAlturaLinha;
        pintor.drawText(QPointF(e.x(G::kDetalheEsquerda), e.y(linhaTopo) + ascendente),
                        ParaQString(linhas[i]));
    }
}

}  // namespace

RelatorioErros::RelatorioErros(CabecalhoRelatorio cabecalho, const std::vector<std::string>& linhas)
    : cabecalho_(std::move(cabecalho)),
      paginas_(PaginarRelatorio(linhas))
{
}

void RelatorioErros::pintar(QPagedPaintDevice& dispositivo) const
{
    ConfigurarPagina(dispositivo);
    QPainter pintor;
    if (!pintor.begin(&dispositivo))
        throw std::runtime_error("N\xE3o foi poss\xEDvel iniciar a impress\xE3o do relat\xF3rio.");
    const Escala escala(dispositivo);
    const QFont detalhe = FonteDetalheAjustada(dispositivo, escala);
    const int total = static_cast<int>(paginas_.size());
    for (int i = 0; i < total; ++i) {
        if (i > 0)
            dispositivo.newPage();
        PintarCabecalho(pintor, escala, cabecalho_, i + 1, total);
        PintarDetalhe(pintor, escala, detalhe, paginas_[static_cast<std::size_t>(i)]);
    }
    pintor.end();
}

void ConfigurarPagina(QPagedPaintDevice& dispositivo)
{
    const QMarginsF margens(G::kMargem, G::kMargem, G::kMargem, G::kMargem);
    dispositivo.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          margens, QPageLayout::Millimeter));
}
