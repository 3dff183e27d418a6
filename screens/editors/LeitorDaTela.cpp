#include "LeitorDaTela.h"

#include "CapturaDaTela.h"
#include "core/SemRepeticoes.h"
#include "servicos/PoolDeTrabalho.h"

#include <QBuffer>
#include <cstring>
#include <QCoro/QCoroFuture>
#include <QImageReader>
#include <QPainter>
#include <QFuture>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentRun>

#include <ZXing/ReadBarcode.h>

namespace LeitorDaTelaNoMac {

namespace {

// Large screens are decoded at their own size; a reader that cannot decode an image over this
// many pixels is not worth waiting for.
constexpr qint64 limiteDePixels = qint64(16384) * 16384;

QList<QString> lerDoLeitor(QImageReader &leitor)
{
    const QSize tamanho = leitor.size();
    if (tamanho.isValid() && qint64(tamanho.width()) * tamanho.height() > limiteDePixels)
        return {};
    return lerImagem(leitor.read());
}

QList<QString> lerCinza(const QImage &cinza)
{
    // Copied row by row: QImage rows are padded, ZXing's view takes a row stride.
    QByteArray pixels;
    pixels.resize(qsizetype(cinza.width()) * cinza.height());
    for (int y = 0; y < cinza.height(); ++y)
        std::memcpy(pixels.data() + qsizetype(y) * cinza.width(), cinza.constScanLine(y), size_t(cinza.width()));

    ZXing::DecodeHints dicas;
    dicas.setFormats(ZXing::BarcodeFormat::QRCode);
    dicas.setTryHarder(true);
    dicas.setTryRotate(true);
    dicas.setTryDownscale(true);
    dicas.setMaxNumberOfSymbols(255);
    const ZXing::ImageView vista(reinterpret_cast<const uint8_t *>(pixels.constData()), cinza.width(),
                                 cinza.height(), ZXing::ImageFormat::Lum);
    QList<QString> textos;
    for (const ZXing::Result &resultado : ZXing::ReadBarcodes(vista, dicas)) {
        if (resultado.isValid() && resultado.format() == ZXing::BarcodeFormat::QRCode)
            textos.append(QString::fromStdString(resultado.text()));
    }
    return textos;
}

} // namespace

QList<QString> lerImagem(const QImage &imagem)
{
    if (imagem.isNull())
        return {};
    // Transparent pixels carry no colour of their own: a QR code saved over a transparent ground
    // is dark modules on paper, not on black.
    QImage papel = imagem;
    if (imagem.hasAlphaChannel()) {
        papel = QImage(imagem.size(), QImage::Format_RGB32);
        papel.fill(Qt::white);
        QPainter(&papel).drawImage(0, 0, imagem);
    }
    QImage cinza = papel.convertToFormat(QImage::Format_Grayscale8);
    QList<QString> textos = lerCinza(cinza);
    // Dark themes show codes light on dark; the detector looks for dark modules only.
    if (textos.isEmpty()) {
        cinza.invertPixels();
        textos = lerCinza(cinza);
    }
    QSet<QString> vistos;
    return semRepeticoes(textos, vistos);
}

QList<QString> lerArquivo(const QString &caminho)
{
    QImageReader leitor(caminho);
    leitor.setAutoTransform(true);
    return lerDoLeitor(leitor);
}

QList<QString> lerBytes(const QByteArray &bytes)
{
    QBuffer memoria;
    memoria.setData(bytes);
    memoria.open(QIODevice::ReadOnly);
    QImageReader leitor(&memoria);
    leitor.setAutoTransform(true);
    return lerDoLeitor(leitor);
}

// The payloads of several screens, the first screen's first.
QList<QString> lerTelas(const QList<QImage> &telas)
{
    QList<QString> todos;
    QSet<QString> vistos;
    for (const QImage &tela : telas)
        todos.append(semRepeticoes(lerImagem(tela), vistos));
    return todos;
}

// The futures are named locals, never temporaries of a co_await or co_return expression: GCC 12
// destroys such temporaries twice in coroutines.
QCoro::Task<QList<QString>> lerImagemAoFundo(QImage imagem)
{
    QFuture<QList<QString>> leitura = QtConcurrent::run(PoolDeTrabalho::pool(), &lerImagem, imagem);
    QList<QString> lidos = co_await leitura;
    co_return lidos;
}

QCoro::Task<QList<QString>> lerArquivoAoFundo(QString caminho)
{
    QFuture<QList<QString>> leitura = QtConcurrent::run(PoolDeTrabalho::pool(), &lerArquivo, caminho);
    QList<QString> lidos = co_await leitura;
    co_return lidos;
}

QCoro::Task<QList<QString>> lerBytesAoFundo(QByteArray bytes)
{
    QFuture<QList<QString>> leitura = QtConcurrent::run(PoolDeTrabalho::pool(), &lerBytes, bytes);
    QList<QString> lidos = co_await leitura;
    co_return lidos;
}

QCoro::Task<QList<QString>> lerATela(EstadoDoApp *estado)
{
    QList<QImage> telas = co_await CapturaDaTela::capturar(estado);
    QFuture<QList<QString>> leitura = QtConcurrent::run(PoolDeTrabalho::pool(), &lerTelas, telas);
    QList<QString> lidos = co_await leitura;
    co_return lidos;
}

namespace {

// GNOME lists the screenshot permission of each application in its Applications panel.
QString painelDoGnome()
{
    if (!qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QLatin1String("GNOME"), Qt::CaseInsensitive))
        return {};
    return QStandardPaths::findExecutable(QStringLiteral("gnome-control-center"));
}

} // namespace

bool temAjustesDeGravacaoDeTela()
{
    return !painelDoGnome().isEmpty();
}

void abrirAjustesDeGravacaoDeTela()
{
    const QString programa = painelDoGnome();
    if (!programa.isEmpty())
        QProcess::startDetached(programa, {QStringLiteral("applications")});
}

} // namespace LeitorDaTelaNoMac
