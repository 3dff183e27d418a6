#include "PaginasDeEntrada.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QUrl>
#include <QUrlQuery>

#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/kdf.h>
#include <openssl/params.h>
#include <openssl/rand.h>
#include <sodium.h>

#include <memory>

namespace Servidor {

namespace {

const QString prefixoSocial = QStringLiteral("/entrar/social/");
const QString caminhoDaPasskey = QStringLiteral("/entrar/mac");

template <typename T, void (*liberar)(T *)>
struct Liberador {
    void operator()(T *p) const { liberar(p); }
};
using Chave = std::unique_ptr<EVP_PKEY, Liberador<EVP_PKEY, EVP_PKEY_free>>;
using Contexto = std::unique_ptr<EVP_PKEY_CTX, Liberador<EVP_PKEY_CTX, EVP_PKEY_CTX_free>>;
using ContextoDeCifra = std::unique_ptr<EVP_CIPHER_CTX, Liberador<EVP_CIPHER_CTX, EVP_CIPHER_CTX_free>>;
using Kdf = std::unique_ptr<EVP_KDF, Liberador<EVP_KDF, EVP_KDF_free>>;
using ContextoDeKdf = std::unique_ptr<EVP_KDF_CTX, Liberador<EVP_KDF_CTX, EVP_KDF_CTX_free>>;

QByteArray base64url(const QByteArray &bytes)
{
    return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

QByteArray aleatorios(int quantidade)
{
    QByteArray bytes(quantidade, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char *>(bytes.data()), quantidade) != 1)
        return {};
    return bytes;
}

Chave chavePublica(const QByteArray &ponto)
{
    char grupo[] = "P-256";
    QByteArray copia = ponto;
    OSSL_PARAM parametros[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_PKEY_PARAM_GROUP_NAME, grupo, 0),
        OSSL_PARAM_construct_octet_string(OSSL_PKEY_PARAM_PUB_KEY, copia.data(), static_cast<size_t>(copia.size())),
        OSSL_PARAM_construct_end()};
    const Contexto contexto(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
    EVP_PKEY *chave = nullptr;
    if (!contexto || EVP_PKEY_fromdata_init(contexto.get()) != 1
        || EVP_PKEY_fromdata(contexto.get(), &chave, EVP_PKEY_PUBLIC_KEY, parametros) != 1)
        return nullptr;
    Chave resultado(chave);
    // fromdata does not check that the point lies on the curve.
    const Contexto conferir(EVP_PKEY_CTX_new(resultado.get(), nullptr));
    if (!conferir || EVP_PKEY_public_check(conferir.get()) != 1)
        return nullptr;
    return resultado;
}

QByteArray acordo(EVP_PKEY *minha, EVP_PKEY *deles)
{
    const Contexto contexto(EVP_PKEY_CTX_new(minha, nullptr));
    size_t tamanho = 0;
    if (!contexto || EVP_PKEY_derive_init(contexto.get()) != 1 || EVP_PKEY_derive_set_peer(contexto.get(), deles) != 1
        || EVP_PKEY_derive(contexto.get(), nullptr, &tamanho) != 1)
        return {};
    QByteArray segredo(static_cast<qsizetype>(tamanho), '\0');
    if (EVP_PKEY_derive(contexto.get(), reinterpret_cast<unsigned char *>(segredo.data()), &tamanho) != 1)
        return {};
    segredo.resize(static_cast<qsizetype>(tamanho));
    return segredo;
}

QByteArray hkdf(QByteArray segredo, QByteArray info)
{
    const Kdf kdf(EVP_KDF_fetch(nullptr, "HKDF", nullptr));
    const ContextoDeKdf contexto(kdf ? EVP_KDF_CTX_new(kdf.get()) : nullptr);
    char resumo[] = "SHA256";
    // No salt parameter at all: an empty salt.
    OSSL_PARAM parametros[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_KDF_PARAM_DIGEST, resumo, 0),
        OSSL_PARAM_construct_octet_string(OSSL_KDF_PARAM_KEY, segredo.data(), static_cast<size_t>(segredo.size())),
        OSSL_PARAM_construct_octet_string(OSSL_KDF_PARAM_INFO, info.data(), static_cast<size_t>(info.size())),
        OSSL_PARAM_construct_end()};
    QByteArray chave(32, '\0');
    if (!contexto || EVP_KDF_derive(contexto.get(), reinterpret_cast<unsigned char *>(chave.data()), 32, parametros) != 1)
        return {};
    return chave;
}

QByteArray selarAesGcm(const QByteArray &claro, const QByteArray &chave, const QByteArray &nonce,
                       const QByteArray &associados)
{
    const ContextoDeCifra contexto(EVP_CIPHER_CTX_new());
    const auto bytes = [](const QByteArray &b) { return reinterpret_cast<const unsigned char *>(b.constData()); };
    int escritos = 0;
    QByteArray saida(claro.size() + 16, '\0');
    auto *destino = reinterpret_cast<unsigned char *>(saida.data());
    if (!contexto || EVP_EncryptInit_ex(contexto.get(), EVP_aes_256_gcm(), nullptr, bytes(chave), bytes(nonce)) != 1
        || EVP_EncryptUpdate(contexto.get(), nullptr, &escritos, bytes(associados), static_cast<int>(associados.size())) != 1
        || EVP_EncryptUpdate(contexto.get(), destino, &escritos, bytes(claro), static_cast<int>(claro.size())) != 1)
        return {};
    int finais = 0;
    if (EVP_EncryptFinal_ex(contexto.get(), destino + escritos, &finais) != 1
        || EVP_CIPHER_CTX_ctrl(contexto.get(), EVP_CTRL_GCM_GET_TAG, 16, destino + claro.size()) != 1)
        return {};
    return saida;
}

QByteArray abrirAesGcm(const QByteArray &cifradoComTag, const QByteArray &chave, const QByteArray &nonce,
                       const QByteArray &associados)
{
    if (cifradoComTag.size() < 16 || chave.size() != 32 || nonce.size() != 12)
        return {};
    const ContextoDeCifra contexto(EVP_CIPHER_CTX_new());
    const auto bytes = [](const QByteArray &b) { return reinterpret_cast<const unsigned char *>(b.constData()); };
    const QByteArray cifrado = cifradoComTag.left(cifradoComTag.size() - 16);
    QByteArray etiqueta = cifradoComTag.right(16);
    QByteArray claro(cifrado.size(), '\0');
    int escritos = 0;
    int finais = 0;
    if (!contexto || EVP_DecryptInit_ex(contexto.get(), EVP_aes_256_gcm(), nullptr, bytes(chave), bytes(nonce)) != 1
        || EVP_DecryptUpdate(contexto.get(), nullptr, &escritos, bytes(associados), static_cast<int>(associados.size())) != 1
        || EVP_DecryptUpdate(contexto.get(), reinterpret_cast<unsigned char *>(claro.data()), &escritos, bytes(cifrado),
                             static_cast<int>(cifrado.size())) != 1
        || EVP_CIPHER_CTX_ctrl(contexto.get(), EVP_CTRL_GCM_SET_TAG, 16, etiqueta.data()) != 1
        || EVP_DecryptFinal_ex(contexto.get(), reinterpret_cast<unsigned char *>(claro.data()) + escritos, &finais) != 1)
        return {};
    return claro;
}

// What the site does with the account password when a passkey is made: stretch it with the
// account's salt and parameters (argon2id), check the login proof, and open the protected vault
// key with the wrapping key. Empty when the password is wrong or anything does not fit.
QByteArray chaveDoCofrePelaSenha(const EstadoDoServidor &estado, const QString &email, const QString &senha)
{
    const std::optional<ContaNoServidor> conta = estado.contaPorEmail(email);
    if (!conta || sodium_init() < 0)
        return {};
    const QByteArray sal = QByteArray::fromBase64(conta->sal.toLatin1(),
                                                  QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    const QByteArray bytesDaSenha = senha.normalized(QString::NormalizationForm_KC).toUtf8();
    const qint64 iteracoes = conta->kdf.value(QStringLiteral("iteracoes")).toInteger();
    const qint64 memoriaKiB = conta->kdf.value(QStringLiteral("memoriaKiB")).toInteger();
    if (sal.size() != static_cast<qsizetype>(crypto_pwhash_SALTBYTES) || iteracoes <= 0 || memoriaKiB <= 0)
        return {};
    QByteArray mestra(32, '\0');
    if (crypto_pwhash(reinterpret_cast<unsigned char *>(mestra.data()), 32, bytesDaSenha.constData(),
                      static_cast<unsigned long long>(bytesDaSenha.size()),
                      reinterpret_cast<const unsigned char *>(sal.constData()),
                      static_cast<unsigned long long>(iteracoes), static_cast<size_t>(memoriaKiB) * 1024U,
                      crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        return {};
    const QByteArray prova = base64url(hkdf(mestra, QByteArrayLiteral("corvane/v1/autenticacao")));
    if (!estado.conferirProva(email, QString::fromLatin1(prova)))
        return {};
    const QByteArray embrulho = hkdf(mestra, QByteArrayLiteral("corvane/v1/cifra"));
    const QStringList pedacos = conta->chaveDoCofreProtegida.split(QLatin1Char('.'));
    if (pedacos.size() != 3 || pedacos[0] != QLatin1String("v1"))
        return {};
    const auto decodificar = [](const QString &texto) {
        return QByteArray::fromBase64(texto.toLatin1(), QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    };
    const QByteArray chave = abrirAesGcm(decodificar(pedacos[2]), embrulho, decodificar(pedacos[1]),
                                         QByteArrayLiteral("corvane/v1/chave-do-cofre"));
    return chave.size() == 32 ? chave : QByteArray();
}

PaginaDeEntrada pagina(const QString &titulo, const QString &corpo, int status = 200)
{
    const QString html = QStringLiteral("<!doctype html>\n<html lang=\"pt-BR\"><head><meta charset=\"utf-8\">"
                                        "<title>%1 · Corvane</title></head>\n<body><h1>%1</h1>\n%2\n"
                                        "<p><small>Página do servidor de desenvolvimento.</small></p></body></html>\n")
                             .arg(titulo.toHtmlEscaped(), corpo);
    return {{status, html.toUtf8(), "text/html; charset=utf-8"}, {}};
}

PaginaDeEntrada recusa(const QString &texto)
{
    return pagina(QStringLiteral("Não deu certo"), QStringLiteral("<p>%1</p>").arg(texto.toHtmlEscaped()), 400);
}

// A 303 to the application's callback.
PaginaDeEntrada voltarAoApp(const QString &host, const QUrlQuery &consulta)
{
    QUrl retorno;
    retorno.setScheme(QStringLiteral("corvane"));
    retorno.setHost(host);
    retorno.setQuery(consulta);
    const QByteArray destino = retorno.toEncoded();
    return {{303, "<a href=\"" + destino + "\">Voltar para o Corvane</a>\n", "text/html; charset=utf-8"}, destino};
}

QString cancelar(const QString &host)
{
    return QStringLiteral("<p><a href=\"corvane://%1?erro=cancelado\">Cancelar</a></p>").arg(host);
}

PaginaDeEntrada paginaSocial(const QString &provedor, const Pedido &pedido)
{
    const QString nome = provedor == QLatin1String("apple") ? QStringLiteral("Apple") : QStringLiteral("Google");
    const QString email = pedido.consulta.queryItemValue(QStringLiteral("email"), QUrl::FullyDecoded);
    const QString corpo =
        QStringLiteral("<form method=\"get\" action=\"%1continuar\">\n"
                       "<p><label>E-mail da conta %2 <input name=\"email\" type=\"email\" value=\"%3\"></label></p>\n"
                       "<p><label>Nome <input name=\"nome\" value=\"\"></label></p>\n"
                       "<p><button type=\"submit\">Continuar</button></p>\n</form>\n")
            .arg(prefixoSocial + provedor + QLatin1Char('/'), nome,
                 (email.isEmpty() ? QStringLiteral("voce@exemplo.com") : email).toHtmlEscaped()) +
        cancelar(QStringLiteral("social"));
    return pagina(QStringLiteral("Continuar com ") + (provedor == QLatin1String("apple") ? QStringLiteral("a Apple")
                                                                                       : QStringLiteral("o Google")),
                  corpo);
}

PaginaDeEntrada continuarSocial(const QString &provedor, const Pedido &pedido, EstadoDoServidor &estado)
{
    const QString email = pedido.consulta.queryItemValue(QStringLiteral("email"), QUrl::FullyDecoded).trimmed().toLower();
    const QString nome = pedido.consulta.queryItemValue(QStringLiteral("nome"), QUrl::FullyDecoded).trimmed();
    if (!email.contains(QLatin1Char('@')))
        return recusa(QStringLiteral("Informe um e-mail."));
    const QString nonce = QString::fromLatin1(base64url(aleatorios(16)));
    QUrlQuery consulta;
    consulta.addQueryItem(QStringLiteral("provedor"), provedor);
    consulta.addQueryItem(QStringLiteral("token"), estado.cunharTokenDeIdentidade(provedor, email, nonce));
    consulta.addQueryItem(QStringLiteral("nonce"), nonce);
    if (!nome.isEmpty())
        consulta.addQueryItem(QStringLiteral("nome"), QString::fromLatin1(QUrl::toPercentEncoding(nome)));
    return voltarAoApp(QStringLiteral("social"), consulta);
}

PaginaDeEntrada paginaDaPasskey(const Pedido &pedido, const EstadoDoServidor &estado)
{
    const QString chave = pedido.consulta.queryItemValue(QStringLiteral("chave"), QUrl::FullyEncoded);
    if (chave.isEmpty())
        return recusa(QStringLiteral("Abra esta página pelo Corvane."));
    QString lista;
    for (const QString &email : estado.emailsComPasskey()) {
        QUrlQuery consulta;
        consulta.addQueryItem(QStringLiteral("chave"), chave);
        consulta.addQueryItem(QStringLiteral("email"), QString::fromLatin1(QUrl::toPercentEncoding(email)));
        lista += QStringLiteral("<li><a href=\"%1/continuar?%2\">%3</a></li>\n")
                     .arg(caminhoDaPasskey, consulta.query(QUrl::FullyEncoded).toHtmlEscaped(), email.toHtmlEscaped());
    }
    if (lista.isEmpty())
        lista = QStringLiteral("<li>Nenhuma conta com passkey neste servidor.</li>\n");
    const QString criar =
        QStringLiteral("<h2>Criar uma passkey</h2>\n<form method=\"post\" action=\"%1/criar\">\n"
                       "<input type=\"hidden\" name=\"chave\" value=\"%2\">\n"
                       "<p><label>E-mail <input name=\"email\" type=\"email\"></label></p>\n"
                       "<p><label>Senha do Corvane <input name=\"senha\" type=\"password\"></label></p>\n"
                       "<p><button type=\"submit\">Criar e entrar</button></p>\n</form>\n")
            .arg(caminhoDaPasskey, chave.toHtmlEscaped());
    return pagina(QStringLiteral("Entrar com passkey"),
                  QStringLiteral("<p>Escolha a passkey:</p>\n<ul>\n") + lista + QStringLiteral("</ul>\n") + criar +
                      cancelar(QStringLiteral("passkey")));
}

PaginaDeEntrada continuarPasskey(const Pedido &pedido, EstadoDoServidor &estado)
{
    const QByteArray chaveDoApp = QByteArray::fromBase64(
        pedido.consulta.queryItemValue(QStringLiteral("chave"), QUrl::FullyDecoded).toLatin1(),
        QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    const QString email = pedido.consulta.queryItemValue(QStringLiteral("email"), QUrl::FullyDecoded);
    const std::optional<QByteArray> chaveDoCofre = estado.chaveDaPasskey(email);
    if (!chaveDoCofre)
        return recusa(QStringLiteral("Essa conta não tem passkey."));
    const QJsonObject conteudo{
        {QStringLiteral("sessao"), estado.abrirSessao(email)},
        {QStringLiteral("chaveDoCofre"), QString::fromLatin1(base64url(*chaveDoCofre))}};
    const QByteArray envelope = PaginasDeEntrada::selarEnvelope(chaveDoApp, QJsonDocument(conteudo).toJson(QJsonDocument::Compact));
    if (envelope.isEmpty())
        return recusa(QStringLiteral("A chave do aplicativo não é válida."));
    QUrlQuery consulta;
    consulta.addQueryItem(QStringLiteral("envelope"), QString::fromLatin1(envelope));
    return voltarAoApp(QStringLiteral("passkey"), consulta);
}

// The form's POST: a passkey for the account whose password opens its vault key, then the
// same hand-back as choosing it from the list.
PaginaDeEntrada criarPasskey(const Pedido &pedido, EstadoDoServidor &estado)
{
    const QUrlQuery formulario(QString::fromUtf8(pedido.corpo).replace(QLatin1Char('+'), QLatin1Char(' ')));
    const QString email =
        formulario.queryItemValue(QStringLiteral("email"), QUrl::FullyDecoded).trimmed().toLower();
    const QString senha = formulario.queryItemValue(QStringLiteral("senha"), QUrl::FullyDecoded);
    const QByteArray chaveDoCofre = chaveDoCofrePelaSenha(estado, email, senha);
    if (chaveDoCofre.isEmpty())
        return recusa(QStringLiteral("E-mail ou senha incorretos."));
    estado.registrarPasskey(email, chaveDoCofre);
    QUrlQuery seguir;
    seguir.addQueryItem(QStringLiteral("chave"), formulario.queryItemValue(QStringLiteral("chave"), QUrl::FullyEncoded));
    seguir.addQueryItem(QStringLiteral("email"), QString::fromLatin1(QUrl::toPercentEncoding(email)));
    const QByteArray destino =
        (caminhoDaPasskey + QStringLiteral("/continuar?") + seguir.query(QUrl::FullyEncoded)).toUtf8();
    return {{303, QByteArray(), "text/html; charset=utf-8"}, destino};
}

} // namespace

QByteArray PaginasDeEntrada::selarEnvelope(const QByteArray &chaveDoApp, const QByteArray &conteudo)
{
    const Chave deles = chavePublica(chaveDoApp);
    if (!deles)
        return {};
    const Chave minha(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
    if (!minha)
        return {};
    QByteArray publica(65, '\0');
    size_t tamanho = 0;
    if (EVP_PKEY_get_octet_string_param(minha.get(), OSSL_PKEY_PARAM_ENCODED_PUBLIC_KEY,
                                        reinterpret_cast<unsigned char *>(publica.data()), 65, &tamanho) != 1
        || tamanho != 65)
        return {};
    const QByteArray rotulo(rotuloDoEnvelope);
    const QByteArray simetrica = hkdf(acordo(minha.get(), deles.get()), rotulo);
    const QByteArray nonce = aleatorios(12);
    const QByteArray cifrado = simetrica.isEmpty() ? QByteArray() : selarAesGcm(conteudo, simetrica, nonce, rotulo);
    if (cifrado.isEmpty())
        return {};
    return base64url(publica) + '.' + base64url(nonce) + '.' + base64url(cifrado);
}

std::optional<PaginaDeEntrada> PaginasDeEntrada::atender(const Pedido &pedido, EstadoDoServidor &estado) const
{
    if (pedido.metodo == QLatin1String("POST") && pedido.caminho == caminhoDaPasskey + QStringLiteral("/criar"))
        return criarPasskey(pedido, estado);
    if (pedido.metodo != QLatin1String("GET"))
        return std::nullopt;
    const QString &caminho = pedido.caminho;
    for (const char *provedor : {"apple", "google"}) {
        const QString nome = QLatin1String(provedor);
        if (caminho == prefixoSocial + nome)
            return paginaSocial(nome, pedido);
        if (caminho == prefixoSocial + nome + QStringLiteral("/continuar"))
            return continuarSocial(nome, pedido, estado);
    }
    if (caminho == caminhoDaPasskey)
        return paginaDaPasskey(pedido, estado);
    if (caminho == caminhoDaPasskey + QStringLiteral("/continuar"))
        return continuarPasskey(pedido, estado);
    return std::nullopt;
}

} // namespace Servidor
