#include "RegrasDasSenhas.h"

#include "RegrasDoCodigo.h"

#include "screens/comum/AreaDeTransferencia.h"
#include "servicos/CentralDeAvisos.h"
#include "servicos/TextosDoComputador.h"

#include <QDesktopServices>

#include <algorithm>

namespace {

std::function<void(const QUrl &)> &abridor()
{
    static std::function<void(const QUrl &)> atual;
    return atual;
}

} // namespace

QString RegrasDasSenhas::textoSemSenhas()
{
    return noComputador(u"Guarde as senhas dos seus sites. O Corvane preenche sozinho no Safari e elas aparecem "
                        u"também no iPhone e no navegador.");
}

QString RegrasDasSenhas::textoSemNotas()
{
    return noComputador(u"Senhas de Wi-Fi, documentos e o que mais precisar de sigilo, cifrado antes de sair do Mac.");
}

QString RegrasDasSenhas::mascara(const QString &valor)
{
    const auto caracteres = qsizetype(valor.toUcs4().size());
    return QString(std::clamp<qsizetype>(caracteres, mascaraMinima, mascaraMaxima), QChar(0x2022));
}

std::optional<SiteDaSenha> RegrasDasSenhas::site(const QString &texto)
{
    if (texto.trimmed().isEmpty())
        return std::nullopt; // nothing to show or open
    const QString endereco = texto.contains(QStringLiteral("://")) ? texto : QStringLiteral("https://") + texto;
    const QUrl url(endereco, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    const QString esquema = url.scheme();
    const bool web = (esquema == QStringLiteral("http") || esquema == QStringLiteral("https")) && !url.host().isEmpty();
    return SiteDaSenha{texto, web ? url : QUrl()};
}

QList<SiteDaSenha> RegrasDasSenhas::sites(const QStringList &textos)
{
    QList<SiteDaSenha> lista;
    for (const QString &texto : textos) {
        if (auto s = site(texto))
            lista.append(*s);
    }
    return lista;
}

QVariantList RegrasDasSenhas::linhasDosSites(const QStringList &textos)
{
    QVariantList lista;
    for (const auto &s : sites(textos))
        lista.append(QVariantMap{{QStringLiteral("texto"), s.texto},
                                 {QStringLiteral("link"), s.link()},
                                 {QStringLiteral("endereco"), s.endereco.toString()}});
    return lista;
}

bool RegrasDasSenhas::copiar(const QString &valor, const QString &aviso, CentralDeAvisos *avisos)
{
    return avisos && RegrasDoCodigo::copiar(valor, aviso, *avisos, AreaDeTransferencia::doProcesso());
}

bool RegrasDasSenhas::abrirSite(const QString &texto)
{
    const auto s = site(texto);
    if (!s || !s->link())
        return false;
    if (abridor())
        abridor()(s->endereco);
    else
        QDesktopServices::openUrl(s->endereco);
    return true;
}

void RegrasDasSenhas::usarAbridor(std::function<void(const QUrl &)> novo) { abridor() = std::move(novo); }
