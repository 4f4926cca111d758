#pragma once

// The report's page, in millimetres. Positions inside a band are measured from the
// band's top left, and the bands start at the page margins.
namespace GeometriaRelatorio {

// A4 portrait, the same margin on the four sides.
constexpr double kLarguraPapel = 210.0;
constexpr double kAlturaPapel = 297.0;
constexpr double kMargem = 6.35;
constexpr double kAlturaUtil = kAlturaPapel - 2 * kMargem;

// The header band (bndCacecalho), printed at the top of every page.
constexpr double kAlturaCabecalho = 32.808;

struct Posicao {
    double esquerda;
    double topo;
    double altura;
};
constexpr Posicao kNome{14.023, 10.319, 5.027};
constexpr Posicao kEndereco{14.023, 15.610, 3.969};
constexpr Posicao kCgc{14.023, 20.108, 3.440};
constexpr Posicao kExercicio{55.563, 19.050, 4.233};
constexpr Posicao kTitulo{14.023, 24.606, 4.233};
// The page number is right-justified: its box's right edge stays put and the text
// grows to the left.
constexpr Posicao kPagina{175.684, 23.813, 4.233};
constexpr double kLarguraPagina = 10.054;

// The detail band (bndDetalhe): the log in a monospaced font. The pitch is that of
// Courier New 10 pt: 0.6 em per character (6 pt) and 1.1328 em per line (its ascent
// plus descent), so the page layout does not depend on the fonts of the machine.
constexpr double kDetalheEsquerda = 10.054;
constexpr double kDetalheTopo = 0.529;
constexpr double kDetalheLargura = 178.594;
constexpr double kMmPorPonto = 25.4 / 72.0;
constexpr double kPontosFonteDetalhe = 10.0;
constexpr double kLarguraCaractere = 0.6 * kPontosFonteDetalhe * kMmPorPonto;
constexpr double kAlturaLinha = 1.1328 * kPontosFonteDetalhe * kMmPorPonto;
constexpr double kDetalheAltura = kAlturaUtil - kAlturaCabecalho - kDetalheTopo;

}  // namespace GeometriaRelatorio
