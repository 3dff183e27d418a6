#include "SiteDoServidor.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace Servidor {

namespace {

Resposta pagina(const QString &titulo, const QString &texto)
{
    const QString html = QStringLiteral("<!doctype html>\n<html lang=\"pt-BR\"><head><meta charset=\"utf-8\">"
                                        "<title>%1 · Corvane</title></head>\n<body><h1>%1</h1><p>%2</p>"
                                        "<p><small>Página do servidor de desenvolvimento.</small></p></body></html>\n")
                             .arg(titulo.toHtmlEscaped(), texto.toHtmlEscaped());
    return {200, html.toUtf8(), "text/html; charset=utf-8"};
}

} // namespace

SiteDoServidor::SiteDoServidor() : versaoPublicada_(QStringLiteral(CORVANE_VERSAO)) {}

std::optional<Resposta> SiteDoServidor::atender(const Pedido &pedido, const QUrl &base) const
{
    if (pedido.metodo != QLatin1String("GET"))
        return std::nullopt;
    if (pedido.caminho == QLatin1String("/downloads/mac.json")) {
        const QJsonObject manifesto{
            {QStringLiteral("versao"), versaoPublicada_},
            {QStringLiteral("url"), base.resolved(QUrl(QStringLiteral("/downloads/"))).toString()},
            {QStringLiteral("novidades"), QStringLiteral("Versão publicada pelo servidor de desenvolvimento.")}};
        return Resposta{200, QJsonDocument(manifesto).toJson(QJsonDocument::Compact), "application/json"};
    }
    if (pedido.caminho == QLatin1String("/downloads/") || pedido.caminho == QLatin1String("/downloads"))
        return pagina(QStringLiteral("Baixar o Corvane"),
                      QStringLiteral("Versão %1 publicada para teste.").arg(versaoPublicada_));
    if (pedido.caminho == QLatin1String("/termos"))
        return pagina(QStringLiteral("Termos de uso"), QStringLiteral("Termos de uso do Corvane (texto de exemplo)."));
    if (pedido.caminho == QLatin1String("/privacidade"))
        return pagina(QStringLiteral("Privacidade"),
                      QStringLiteral("Política de privacidade do Corvane (texto de exemplo)."));
    return std::nullopt;
}

} // namespace Servidor
