#include "screens/menubar-settings/VerificadorDeAtualizacao.h"

#include "core/Configuracao.h"
#include "plataforma/InfoDoPacote.h"

#include <QCoro/QCoroNetworkReply>
#include <QDesktopServices>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace {

// A whole number in base 10 with an optional sign, nothing else; anything else counts as 0.
qint64 numeroDaParte(const QString &parte)
{
    const qsizetype inicio = parte.startsWith(QLatin1Char('+')) || parte.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (parte.size() == inicio)
        return 0;
    for (qsizetype i = inicio; i < parte.size(); ++i) {
        if (parte.at(i) < QLatin1Char('0') || parte.at(i) > QLatin1Char('9'))
            return 0;
    }
    bool ok = false;
    const qint64 numero = parte.toLongLong(&ok, 10);
    return ok ? numero : 0;
}

QList<qint64> numerosDaVersao(const QString &versao)
{
    QList<qint64> numeros;
    for (const QString &parte : versao.split(QLatin1Char('.'), Qt::SkipEmptyParts))
        numeros.append(numeroDaParte(parte));
    return numeros;
}

// The site's address with "downloads/mac.json" appended to its path.
QUrl enderecoDoManifesto(QUrl site)
{
    QString caminho = site.path();
    if (!caminho.endsWith(QLatin1Char('/')))
        caminho += QLatin1Char('/');
    site.setPath(caminho + QStringLiteral("downloads/mac.json"));
    return site;
}

} // namespace

std::optional<VersaoPublicada> VersaoPublicada::ler(const QByteArray &corpo)
{
    QJsonParseError erro{};
    const QJsonDocument documento = QJsonDocument::fromJson(corpo, &erro);
    if (erro.error != QJsonParseError::NoError || !documento.isObject())
        return std::nullopt;
    const QJsonObject objeto = documento.object();
    const QJsonValue versao = objeto.value(QStringLiteral("versao"));
    const QJsonValue url = objeto.value(QStringLiteral("url"));
    const QJsonValue novidades = objeto.value(QStringLiteral("novidades"));
    if (!versao.isString() || !url.isString())
        return std::nullopt;
    if (!novidades.isUndefined() && !novidades.isNull() && !novidades.isString())
        return std::nullopt;
    VersaoPublicada lida{versao.toString(), url.toString(), std::nullopt};
    if (novidades.isString())
        lida.novidades = novidades.toString();
    return lida;
}

QString versaoInstalada()
{
    const QVariant valor = InfoDoPacote::dicionario().value(QStringLiteral("CFBundleShortVersionString"));
    return valor.typeId() == QMetaType::QString ? valor.toString() : QStringLiteral("0");
}

bool versaoMaisNova(const QString &publicada, const QString &instalada)
{
    const QList<qint64> p = numerosDaVersao(publicada);
    const QList<qint64> i = numerosDaVersao(instalada);
    for (qsizetype posicao = 0; posicao < std::max(p.size(), i.size()); ++posicao) {
        const qint64 a = posicao < p.size() ? p.at(posicao) : 0;
        const qint64 b = posicao < i.size() ? i.at(posicao) : 0;
        if (a != b)
            return a > b;
    }
    return false;
}

bool enderecoDeDownloadAceito(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    if (url.scheme() == QLatin1String("https"))
        return true;
    if (url.scheme() != QLatin1String("http"))
        return false;
    if (url.host() == QLatin1String("localhost"))
        return true;
    const QHostAddress endereco(url.host());
    return !endereco.isNull() && endereco.isLoopback();
}

VerificadorDeAtualizacao::VerificadorDeAtualizacao(QObject *pai)
    : QObject(pai), abridor_([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
    // Neither cookies nor a disk cache: nothing of the check stays behind.
    rede_.setCookieJar(nullptr);
    rede_.setCache(nullptr);
}

QVariant VerificadorDeAtualizacao::disponivelParaQml() const
{
    return disponivel_ ? QVariant::fromValue(*disponivel_) : QVariant();
}

QString VerificadorDeAtualizacao::textoDaFaixa() const
{
    if (!disponivel_)
        return {};
    return QStringLiteral("A versão ") + disponivel_->versao + QStringLiteral(" do Corvane está disponível.");
}

QCoro::Task<> VerificadorDeAtualizacao::procurar()
{
    if (conferindo_)
        co_return;
    const std::optional<QUrl> site = urlDoSite();
    if (!site)
        co_return;
    definirConferindo(true);

    QNetworkRequest pedido(enderecoDoManifesto(*site));
    pedido.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    pedido.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    pedido.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    pedido.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    pedido.setTransferTimeout(static_cast<int>(std::chrono::milliseconds(limite).count()));
    QNetworkReply *resposta = rede_.get(pedido);
    // The time-out covers the whole exchange, not only a silence.
    QTimer::singleShot(limite, resposta, [resposta] { resposta->abort(); });

    // The reply belongs to this object's network manager: both may be gone on resumption.
    const QPointer<VerificadorDeAtualizacao> vivo(this);
    const QPointer<QNetworkReply> guarda(resposta);
    co_await resposta;
    if (!vivo || !guarda)
        co_return;
    resposta->deleteLater();

    concluirProcura(resposta);
}

// Outside the coroutine on purpose: GCC 12 mishandles temporaries of conditional expressions
// inside coroutines.
void VerificadorDeAtualizacao::concluirProcura(QNetworkReply *resposta)
{
    const QVariant status = resposta->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool respondeu =
        status.isValid() && status.toInt() == 200 && resposta->error() == QNetworkReply::NoError;
    const std::optional<VersaoPublicada> lida = respondeu ? VersaoPublicada::ler(resposta->readAll()) : std::nullopt;
    if (lida) {
        definirDisponivel(versaoMaisNova(lida->versao, versaoInstalada()) ? lida : std::nullopt);
        definirConferidoAgora(true);
    }
    definirConferindo(false);
}

void VerificadorDeAtualizacao::comecarProcura()
{
    // The task keeps itself alive until it ends; procurar guards against this object going away.
    [](QPointer<VerificadorDeAtualizacao> verificador) -> QCoro::Task<> {
        if (verificador)
            co_await verificador->procurar();
    }(this);
}

void VerificadorDeAtualizacao::abrirDownload()
{
    if (!disponivel_)
        return;
    const QUrl url(disponivel_->url, QUrl::StrictMode);
    if (enderecoDeDownloadAceito(url))
        abridor_(url);
}

void VerificadorDeAtualizacao::definirAbridor(Abridor abridor)
{
    abridor_ = std::move(abridor);
}

void VerificadorDeAtualizacao::definirDisponivel(std::optional<VersaoPublicada> valor)
{
    if (disponivel_ == valor)
        return;
    disponivel_ = std::move(valor);
    emit disponivelMudou();
}

void VerificadorDeAtualizacao::definirConferindo(bool valor)
{
    if (conferindo_ == valor)
        return;
    conferindo_ = valor;
    emit conferindoMudou();
}

void VerificadorDeAtualizacao::definirConferidoAgora(bool valor)
{
    if (conferidoAgora_ == valor)
        return;
    conferidoAgora_ = valor;
    emit conferidoAgoraMudou();
}
