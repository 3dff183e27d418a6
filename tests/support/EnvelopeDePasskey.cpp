#include "support/EnvelopeDePasskey.h"

#include "core/CodificacaoJSON.h"
#include "core/Envelope.h"
#include "plataforma/Primitivas.h"

#include <QUrlQuery>

#include <stdexcept>

namespace Testes {

Conta contaDeExemplo(const QString &id)
{
    Conta conta;
    conta.id = id;
    conta.email = QStringLiteral("ana@exemplo.com");
    conta.nome = QStringLiteral("Ana Souza");
    conta.sal = Cripto::codificarBase64URL(QByteArray(16, '\x01'));
    conta.kdf = ParametrosKdf::padrao();
    conta.chaveDoCofreProtegida = QStringLiteral("v1.AAAA.BBBB");
    conta.criadaEm = QStringLiteral("2024-05-01T12:00:00Z");
    return conta;
}

ValorJSON sessaoEmJSON(const Conta &conta, const QString &tokenDeAcesso, const QString &expiraEm,
                       const std::optional<QString> &tokenDeRenovacao)
{
    return Escritor()
        .texto(QStringLiteral("tokenDeAcesso"), tokenDeAcesso)
        .texto(QStringLiteral("expiraEm"), expiraEm)
        .talvezTexto(QStringLiteral("tokenDeRenovacao"), tokenDeRenovacao)
        .valor(QStringLiteral("conta"), conta.paraJSON())
        .valorPronto();
}

QByteArray conteudoDoEnvelope(const ValorJSON &sessao, const QByteArray &chaveDoCofre)
{
    return Escritor()
        .valor(QStringLiteral("sessao"), sessao)
        .texto(QStringLiteral("chaveDoCofre"), Cripto::codificarBase64URL(chaveDoCofre))
        .documento();
}

QString envelopeDePasskey(const QByteArray &chavePublicaDoApp, const QByteArray &conteudo, const QByteArray &nonce)
{
    const Primitivas::ParP256 doSite;
    const auto segredo = doSite.acordo(chavePublicaDoApp);
    if (!segredo)
        throw std::invalid_argument("a chave pública do aplicativo não é um ponto P-256");
    const QByteArray rotulo = QByteArray(rotuloDoEnvelopeDePasskey);
    const QByteArray simetrica = Primitivas::hkdfSha256(*segredo, QByteArray(), rotulo, 32);
    const QByteArray cifrado = Primitivas::selarAesGcm(conteudo, simetrica, nonce, rotulo);
    return Cripto::codificarBase64URL(doSite.chavePublica()) + QLatin1Char('.') + Cripto::codificarBase64URL(nonce) +
           QLatin1Char('.') + Cripto::codificarBase64URL(cifrado);
}

QByteArray chaveDoEndereco(const QUrl &endereco)
{
    return Cripto::decodificarBase64URL(QUrlQuery(endereco).queryItemValue(QStringLiteral("chave")));
}

QUrl retornoDePasskey(const QString &envelope)
{
    QUrl url(QStringLiteral("corvane://passkey"));
    QUrlQuery consulta;
    consulta.addQueryItem(QStringLiteral("envelope"), envelope);
    url.setQuery(consulta);
    return url;
}

} // namespace Testes
