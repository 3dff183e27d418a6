#include "CapturaDaTela.h"

#include "JanelasAfastadas.h"
#include "LeitorDaTela.h"
#include "PedidoAoPortal.h"
#include "servicos/PoolDeTrabalho.h"
#include "state/EstadoDoApp.h"

#include <QCoro/QCoroFuture>
#include <QCoro/QCoroTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFuture>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include <chrono>
#include <exception>

using namespace std::chrono_literals;

namespace CapturaDaTela {

namespace {

// The windows beneath ours need a moment to repaint once ours are unmapped.
constexpr auto esperaDaPintura = 250ms;
// After the windows return, the desktop's focus change may still be on its way: the capture
// keeps covering it until the program is active again, or this long.
constexpr auto esperaDoFoco = 1500ms;
// The portal may ask the user before it takes the shot.
constexpr auto esperaDoPortal = 120s;

// Holds the state's capture mark for as long as it lives.
class MarcaDeCaptura {
public:
    explicit MarcaDeCaptura(EstadoDoApp *estado) : estado_(estado)
    {
        if (estado_)
            estado_->comecarCapturaDaTela();
    }
    ~MarcaDeCaptura()
    {
        if (estado_)
            estado_->terminarCapturaDaTela();
    }
    MarcaDeCaptura(const MarcaDeCaptura &) = delete;
    MarcaDeCaptura &operator=(const MarcaDeCaptura &) = delete;

private:
    QPointer<EstadoDoApp> estado_;
};

QCoro::Task<> esperar(std::chrono::milliseconds tempo)
{
    QTimer relogio;
    relogio.setSingleShot(true);
    relogio.start(tempo);
    co_await relogio;
}

QList<QImage> capturarNoX11()
{
    QList<QImage> telas;
    for (QScreen *tela : QGuiApplication::screens()) {
        const QImage imagem = tela->grabWindow(0).toImage();
        if (!imagem.isNull() && !imagemEmBranco(imagem))
            telas.append(imagem);
    }
    if (telas.isEmpty())
        throw LeitorDaTelaNoMac::FalhaNaCaptura();
    return telas;
}

// The portal saved the screenshot among the user's pictures, world-readable; it holds whatever
// secret was on the screen, so it is read and removed at once. Worker thread.
QImage lerERemover(const QString &arquivo)
{
    QImageReader leitor(arquivo);
    QImage imagem = leitor.read();
    QFile::remove(arquivo);
    if (imagemEmBranco(imagem))
        return {};
    return imagem;
}

QStringList nossosIds()
{
    // A program outside a sandbox is known to the portal by an empty id.
    QStringList ids{QString()};
    if (!QGuiApplication::desktopFileName().isEmpty())
        ids.append(QGuiApplication::desktopFileName());
    return ids;
}

QCoro::Task<QList<QImage>> capturarPeloPortal(QDBusConnection barramento)
{
    // Arguments are named locals: GCC 12 mishandles braced temporaries inside a co_await.
    QVariantList argumentos;
    argumentos.append(QString());
    QVariantMap opcoes;
    opcoes.insert(QStringLiteral("interactive"), false);
    opcoes.insert(QStringLiteral("modal"), true);
    const std::optional<PedidoAoPortal::Resposta> resposta =
        co_await PedidoAoPortal::pedir(barramento, QStringLiteral("org.freedesktop.portal.Screenshot"),
                                       QStringLiteral("Screenshot"), argumentos, opcoes, esperaDoPortal);
    if (!resposta)
        throw LeitorDaTelaNoMac::FalhaNaCaptura();
    QMap<QString, QStringList> permissoes;
    if (resposta->codigo == 2)
        permissoes = co_await PedidoAoPortal::permissoes(barramento, QStringLiteral("screenshot"),
                                                        QStringLiteral("screenshot"));
    switch (desfechoDoPortal(resposta->codigo, permissoes, nossosIds())) {
    case Desfecho::cancelado:
        throw LeitorDaTelaNoMac::Cancelada();
    case Desfecho::semPermissao:
        throw LeitorDaTelaNoMac::SemPermissao();
    case Desfecho::falha:
        throw LeitorDaTelaNoMac::FalhaNaCaptura();
    case Desfecho::sucesso:
        break;
    }
    const QUrl endereco(resposta->resultados.value(QStringLiteral("uri")).toString());
    if (!endereco.isLocalFile())
        throw LeitorDaTelaNoMac::FalhaNaCaptura();
    QFuture<QImage> leitura = QtConcurrent::run(PoolDeTrabalho::pool(), &lerERemover, endereco.toLocalFile());
    QImage imagem = co_await leitura;
    if (imagem.isNull())
        throw LeitorDaTelaNoMac::FalhaNaCaptura();
    co_return QList<QImage>{imagem};
}

} // namespace

QCoro::Task<> esperarVoltarAoPrimeiroPlano()
{
    QElapsedTimer passou;
    passou.start();
    while (QGuiApplication::applicationState() != Qt::ApplicationActive &&
           passou.elapsed() < std::chrono::milliseconds(esperaDoFoco).count())
        co_await esperar(50ms);
}

Caminho caminhoDaCaptura(const QString &waylandDisplay, const QString &tipoDaSessao, const QString &plataforma)
{
    const bool sessaoWayland = tipoDaSessao.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
    const bool sessaoX11 = tipoDaSessao.compare(QLatin1String("x11"), Qt::CaseInsensitive) == 0;
    if (sessaoWayland || (!sessaoX11 && !waylandDisplay.isEmpty()) || plataforma.startsWith(QLatin1String("wayland")))
        return Caminho::portal;
    if (plataforma == QLatin1String("xcb"))
        return Caminho::x11;
    return Caminho::nenhum;
}

Caminho caminhoDestaSessao()
{
    return caminhoDaCaptura(qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("XDG_SESSION_TYPE"),
                            QGuiApplication::platformName());
}

bool imagemEmBranco(const QImage &imagem)
{
    if (imagem.isNull())
        return true;
    // A grab is 32-bit already: compared as it is, without a copy of the whole screen.
    const QImage::Format formato = imagem.format();
    const bool de32Bits = formato == QImage::Format_RGB32 || formato == QImage::Format_ARGB32 ||
                          formato == QImage::Format_ARGB32_Premultiplied;
    const QImage pixels = de32Bits ? imagem : imagem.convertToFormat(QImage::Format_ARGB32);
    const QRgb primeiro = pixels.pixel(0, 0);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *linha = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (linha[x] != primeiro)
                return false;
        }
    }
    return true;
}

Desfecho desfechoDoPortal(uint resposta, const QMap<QString, QStringList> &permissoes, const QStringList &nossosIds)
{
    switch (resposta) {
    case 0:
        return Desfecho::sucesso;
    case 1:
        return Desfecho::cancelado;
    case 2:
        for (const QString &id : nossosIds) {
            const QStringList valores = permissoes.value(id);
            if (!valores.isEmpty() && valores.constFirst() == QLatin1String("no"))
                return Desfecho::semPermissao;
        }
        return Desfecho::falha;
    default:
        return Desfecho::falha;
    }
}

QCoro::Task<QList<QImage>> capturar(EstadoDoApp *estado)
{
    MarcaDeCaptura marca(estado);
    const Caminho caminho = caminhoDestaSessao();
    if (caminho == Caminho::nenhum)
        throw LeitorDaTelaNoMac::FalhaNaCaptura();
    QList<QImage> telas;
    std::exception_ptr falha;
    {
        // Our windows would cover what the user shows, and may themselves hold secrets.
        JanelasAfastadas afastadas;
        if (!afastadas.vazia())
            co_await esperar(esperaDaPintura);
        try {
            if (caminho == Caminho::x11)
                telas = capturarNoX11();
            else
                telas = co_await capturarPeloPortal(PedidoAoPortal::barramento());
        } catch (const std::exception &) {
            // Rethrown below, once the windows are back and the program has its focus again.
            falha = std::current_exception();
        }
        afastadas.devolver();
    }
    co_await esperarVoltarAoPrimeiroPlano();
    if (falha)
        std::rethrow_exception(falha);
    co_return telas;
}

} // namespace CapturaDaTela
