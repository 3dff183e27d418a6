// Writes the application icon, the brand padlock on its blue tile, as an SVG and as PNGs of the
// given sizes, drawn from the padlock's own geometry. Usage: corvane-gerar-icone <dir> <size>…
#include "kit/CicloDoCadeado.h"
#include "kit/Paleta.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

namespace {

QString svgDoIcone()
{
    const QString azul = Paleta::azul().name();
    const double raio = 120.0 * 230 / 1024;
    QString svg;
    QTextStream saida(&svg);
    saida << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"512\" height=\"512\" viewBox=\"0 0 120 120\">\n"
          << "  <rect width=\"120\" height=\"120\" rx=\"" << raio << "\" fill=\"" << azul << "\"/>\n"
          << "  <g transform=\"translate(0 " << cadeado::deslocamento << ")\">\n"
          << "    <path d=\"" << comoSvg(alcaDoCadeado()) << "\" fill=\"none\" stroke=\"#ffffff\" stroke-width=\"7\""
          << " stroke-linecap=\"round\" stroke-linejoin=\"round\" stroke-miterlimit=\"10\"/>\n"
          << "    <rect x=\"36\" y=\"48\" width=\"48\" height=\"44\" rx=\"6\" fill=\"#ffffff\"/>\n";
    for (int i = 0; i < 3; ++i)
        saida << "    <circle cx=\"" << 48 + 12 * i << "\" cy=\"70\" r=\"4\" fill=\"" << azul << "\"/>\n";
    saida << "  </g>\n</svg>\n";
    return svg;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList argumentos = app.arguments();
    if (argumentos.size() < 2) {
        std::fprintf(stderr, "usage: corvane-gerar-icone <dir> <size>...\n");
        return 2;
    }
    const QDir pasta(argumentos[1]);
    const QString svg = svgDoIcone();
    QFile arquivo(pasta.filePath(QStringLiteral("corvane.svg")));
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate) || arquivo.write(svg.toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(arquivo.fileName()));
        return 1;
    }
    arquivo.close();
    QSvgRenderer desenho(svg.toUtf8());
    for (const QString &texto : argumentos.mid(2)) {
        const int lado = texto.toInt();
        if (lado <= 0)
            return 2;
        QImage imagem(lado, lado, QImage::Format_ARGB32_Premultiplied);
        imagem.fill(Qt::transparent);
        QPainter pintor(&imagem);
        pintor.setRenderHint(QPainter::Antialiasing);
        desenho.render(&pintor);
        pintor.end();
        const QString nome = pasta.filePath(QStringLiteral("corvane-%1.png").arg(lado));
        if (!imagem.save(nome)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(nome));
            return 1;
        }
    }
    return 0;
}
