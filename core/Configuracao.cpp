#include "core/Configuracao.h"

#include "plataforma/InfoDoPacote.h"

namespace {

std::optional<QString> textoDaChave(const char *chave)
{
    const auto valor = InfoDoPacote::dicionario().value(QString::fromLatin1(chave));
    if (valor.typeId() != QMetaType::QString)
        return std::nullopt;
    return valor.toString();
}

// A usable address: parses strictly and has a scheme and a host.
std::optional<QUrl> urlValida(const QString &texto)
{
    const QUrl url(texto, QUrl::StrictMode);
    if (texto.isEmpty() || !url.isValid() || url.scheme().isEmpty() || url.host().isEmpty())
        return std::nullopt;
    return url;
}

} // namespace

QUrl urlDaAPI()
{
    if (auto url = urlValida(textoDaChave("URLDaAPI").value_or(QString())))
        return *url;
    return QUrl(QString::fromLatin1(urlDaAPIDeDesenvolvimento));
}

std::optional<QUrl> urlDoSite()
{
    return urlValida(textoDaChave("URLDoSite").value_or(QString()));
}

QString grupoDoChaveiro()
{
    return textoDaChave("GrupoDoChaveiro").value_or(QString());
}

QString grupoDoApp()
{
    const auto grupo = textoDaChave("GrupoDoApp").value_or(QString());
    if (!grupo.isEmpty() && !grupo.startsWith(QLatin1Char('$')))
        return grupo;
    return QString::fromLatin1(grupoDoAppPadrao);
}
