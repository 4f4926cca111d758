#include "windows/relatorio/RelatorioPdf.h"

#include <stdexcept>

#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QSaveFile>

#include "windows/relatorio/RelatorioErros.h"
#include "windows/relatorio/Texto1252.h"

namespace {

[[noreturn]] void Falhar(const std::string& caminho, const QString& motivo)
{
    throw std::runtime_error("N\xE3o foi poss\xEDvel gravar o relat\xF3rio " +
                             DeQString(QFile::decodeName(caminho.c_str())) + ": " +
                             DeQString(motivo));
}

}  // namespace

void GravarRelatorioPdf(const std::string& caminhoPdf, const CabecalhoRelatorio& cabecalho,
                        const std::vector<std::string>& linhas)
{
    // Fonts and the PDF engine live in Qt Gui; without its application object they
    // would crash rather than fail.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        Falhar(caminhoPdf, QStringLiteral("o ambiente gráfico do Qt não foi iniciado"));

    // Written to a temporary file and renamed at the end, so a failure never leaves
    // a truncated PDF under the requested name.
    QSaveFile arquivo(QFile::decodeName(caminhoPdf.c_str()));
    if (!arquivo.open(QIODevice::WriteOnly))
        Falhar(caminhoPdf, arquivo.errorString());
    {
        QPdfWriter pdf(&arquivo);
        pdf.setTitle(QStringLiteral("Report"));
        pdf.setCreator(QStringLiteral("Gedra"));
        try {
            RelatorioErros(cabecalho, linhas).pintar(pdf);
        } catch (const std::runtime_error& erro) {
            arquivo.cancelWriting();
            Falhar(caminhoPdf, ParaQString(erro.what()));
        }
    }
    if (!arquivo.commit())
        Falhar(caminhoPdf, arquivo.errorString());
}
