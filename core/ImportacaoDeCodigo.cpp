#include "core/ImportacaoDeCodigo.h"

#include "core/Codecs.h"
#include "core/UTF8.h"

#include <QTextBoundaryFinder>
#include <QUrl>

#include <limits>
#include <optional>

namespace {

[[noreturn]] void falhar(const char *codigo) { throw ErroDeCripto(QString::fromLatin1(codigo)); }

// One query parameter; `valor` is absent when the parameter has no "=".
struct Parametro {
    QString nome;
    std::optional<QString> valor;
};

struct Link {
    QUrl url;
    QList<Parametro> parametros;
};

// Trims the text and parses it as a link. Codes are often typed or pasted with raw spaces in the
// label, which the parser refuses, so a second attempt percent-encodes them.
Link lerLink(const QString &texto)
{
    const QString aparado = texto.trimmed();
    QUrl url(aparado, QUrl::StrictMode);
    if (!url.isValid()) {
        QString comEspacos = aparado;
        comEspacos.replace(u' ', QStringLiteral("%20"));
        url = QUrl(comEspacos, QUrl::StrictMode);
        if (!url.isValid())
            falhar("uri-invalida");
    }

    // Names and values are split before decoding, so an encoded "&" or "=" stays data. A "+" is
    // kept as it is: only the issuer reads it as a space.
    Link link{url, {}};
    if (url.hasQuery()) {
        const QString consulta = url.query(QUrl::FullyEncoded);
        for (const QStringView parte : QStringView(consulta).split(u'&')) {
            const qsizetype igual = parte.indexOf(u'=');
            const auto decodificar = [](QStringView v) { return QUrl::fromPercentEncoding(v.toLatin1()); };
            if (igual < 0)
                link.parametros.append({decodificar(parte), std::nullopt});
            else
                link.parametros.append({decodificar(parte.left(igual)), decodificar(parte.mid(igual + 1))});
        }
    }
    return link;
}

// The first parameter whose name matches; a parameter without "=" counts as missing, even when a
// later one of the same name has a value.
std::optional<QString> parametro(const Link &link, const QString &nome, Qt::CaseSensitivity caixa)
{
    for (const Parametro &p : link.parametros) {
        if (p.nome.compare(nome, caixa) == 0)
            return p.valor;
    }
    return std::nullopt;
}

// An optional sign and ASCII digits; anything else, an empty text or a value beyond 64 bits
// reads as -1, which every range check refuses.
qint64 inteiroOu(const QString &texto)
{
    constexpr qint64 invalido = -1;
    QStringView resto(texto);
    bool negativo = false;
    if (!resto.isEmpty() && (resto.front() == u'+' || resto.front() == u'-')) {
        negativo = resto.front() == u'-';
        resto = resto.mid(1);
    }
    if (resto.isEmpty())
        return invalido;
    quint64 valor = 0;
    constexpr quint64 limite = quint64(std::numeric_limits<qint64>::max()) + 1; // |min()|
    for (const QChar c : resto) {
        if (c < u'0' || c > u'9')
            return invalido;
        const auto digito = quint64(c.unicode() - u'0');
        if (valor > (limite - digito) / 10) // checked before multiplying, so nothing wraps
            return invalido;
        valor = valor * 10 + digito;
    }
    if (negativo)
        return valor == limite ? std::numeric_limits<qint64>::min() : -qint64(valor);
    return valor == limite ? invalido : qint64(valor);
}

// Spaces and tabs only (Unicode space separators and U+0009); line breaks stay.
bool espacoOuTab(QChar c) { return c == u'\t' || c.category() == QChar::Separator_Space; }

QString aparadoDeEspacos(const QString &texto)
{
    qsizetype inicio = 0;
    qsizetype fim = texto.size();
    while (inicio < fim && espacoOuTab(texto[inicio]))
        ++inicio;
    while (fim > inicio && espacoOuTab(texto[fim - 1]))
        --fim;
    return texto.mid(inicio, fim - inicio);
}

// The text without its first user-perceived character (a base character with its marks).
QString semPrimeiroCaractere(const QString &texto)
{
    if (texto.isEmpty())
        return texto;
    QTextBoundaryFinder fronteiras(QTextBoundaryFinder::Grapheme, texto);
    const qsizetype fim = fronteiras.toNextBoundary();
    return fim < 0 ? QString() : texto.mid(fim);
}

// "Issuer:account" split at the first colon; without one, no issuer and the whole text.
std::pair<QString, QString> separarRotulo(const QString &rotulo)
{
    const qsizetype doisPontos = rotulo.indexOf(u':');
    if (doisPontos < 0)
        return {QString(), rotulo};
    return {rotulo.left(doisPontos), rotulo.mid(doisPontos + 1)};
}

} // namespace

CodigoImportado importarOtpauth(const QString &texto)
{
    const Link link = lerLink(texto);
    if (link.url.scheme().toLower() != u"otpauth")
        falhar("uri-invalida");
    if (link.url.host().toLower() != u"totp")
        falhar("so-totp");

    QString rotulo = link.url.path(QUrl::FullyDecoded);
    if (rotulo.startsWith(u'/'))
        rotulo = semPrimeiroCaractere(rotulo);
    const auto [emissorDoRotulo, contaDoRotulo] = separarRotulo(rotulo);

    const auto ler = [&](const char *nome) { return parametro(link, QString::fromLatin1(nome), Qt::CaseInsensitive); };
    const std::optional<QString> segredo = ler("secret");
    if (!segredo || segredo->isEmpty())
        falhar("sem-segredo");

    const qint64 digitos = inteiroOu(ler("digits").value_or(QStringLiteral("6")));
    const qint64 periodo = inteiroOu(ler("period").value_or(QStringLiteral("30")));
    if (digitos < 6 || digitos > 8)
        falhar("digitos-invalidos");
    if (periodo < 5 || periodo > 300)
        falhar("periodo-invalido");

    // The parameter wins whenever present, even empty: it is what the site meant as the issuer.
    QString emissor = emissorDoRotulo;
    if (const std::optional<QString> doParametro = ler("issuer"))
        emissor = QString(*doParametro).replace(u'+', u' ');

    CodigoImportado codigo;
    codigo.segredo = Totp::normalizarSegredo(*segredo);

    QString nomeDoAlgoritmo = ler("algorithm").value_or(QStringLiteral("SHA1")).toUpper();
    nomeDoAlgoritmo.remove(u'-');
    const std::optional<AlgoritmoTotp> algoritmo = algoritmoTotp(nomeDoAlgoritmo);
    if (!algoritmo)
        falhar("algoritmo-nao-suportado");

    codigo.id = QUuid::createUuid();
    codigo.emissor = aparadoDeEspacos(emissor);
    codigo.conta = aparadoDeEspacos(contaDoRotulo);
    codigo.algoritmo = *algoritmo;
    codigo.digitos = digitos;
    codigo.periodo = periodo;
    return codigo;
}

DadosDeCodigo dadosDeCodigo(const CodigoImportado &codigo)
{
    return DadosDeCodigo::novo(codigo.emissor, codigo.conta, codigo.segredo, codigo.algoritmo, codigo.digitos,
                               codigo.periodo);
}

namespace MigracaoGoogle {

namespace {

// Payload values of the account fields.
constexpr qint64 campoDaConta = 1;
constexpr qint64 campoDoSegredo = 1;
constexpr qint64 campoDoNome = 2;
constexpr qint64 campoDoEmissor = 3;
constexpr qint64 campoDoAlgoritmo = 4;
constexpr qint64 campoDosDigitos = 5;
constexpr qint64 campoDoTipo = 6;
constexpr quint64 tipoPorTempo = 2;
constexpr quint64 oitoDigitos = 2;
constexpr int periodoDaMigracao = 30; // the payload carries no period

// The hash of an algorithm value: 2 is SHA256, 3 SHA512, 4 (MD5) a hash we cannot compute, and
// every other value SHA1 (0 is "unspecified"; no exporter writes a value above 4). MD5 is left out
// rather than read as SHA1, which would store an account whose codes are all wrong.
std::optional<AlgoritmoTotp> algoritmoDaMigracao(quint64 valor)
{
    switch (valor) {
    case 2:
        return AlgoritmoTotp::sha256;
    case 3:
        return AlgoritmoTotp::sha512;
    case 4:
        return std::nullopt;
    default:
        return AlgoritmoTotp::sha1;
    }
}

// One account message, or nothing when it cannot be imported. Malformed bytes throw.
std::optional<CodigoImportado> lerConta(const QByteArray &mensagem)
{
    std::optional<QByteArray> segredo;
    QString nome;
    QString emissor;
    quint64 algoritmo = 1;
    quint64 digitos = 1;
    quint64 tipo = tipoPorTempo;
    // A field of the wrong kind is ignored; a repeated one overrides the earlier.
    for (const Campo &campo : lerCampos(mensagem)) {
        if (campo.bytes) {
            if (campo.numero == campoDoSegredo)
                segredo = *campo.bytes;
            else if (campo.numero == campoDoNome)
                nome = decodificarUTF8(*campo.bytes);
            else if (campo.numero == campoDoEmissor)
                emissor = decodificarUTF8(*campo.bytes);
        } else if (campo.numeroValor) {
            if (campo.numero == campoDoAlgoritmo)
                algoritmo = *campo.numeroValor;
            else if (campo.numero == campoDosDigitos)
                digitos = *campo.numeroValor;
            else if (campo.numero == campoDoTipo)
                tipo = *campo.numeroValor;
        }
    }

    // Only a missing secret field leaves the account out; an empty one is imported as it is.
    if (!segredo || tipo != tipoPorTempo)
        return std::nullopt;
    const std::optional<AlgoritmoTotp> hash = algoritmoDaMigracao(algoritmo);
    if (!hash)
        return std::nullopt;

    const auto [emissorDoNome, conta] = separarRotulo(nome);
    CodigoImportado codigo;
    codigo.id = QUuid::createUuid();
    codigo.emissor = aparadoDeEspacos(emissor.isEmpty() ? emissorDoNome : emissor);
    codigo.conta = aparadoDeEspacos(conta);
    codigo.segredo = Cripto::codificarBase32(*segredo);
    codigo.algoritmo = *hash;
    codigo.digitos = digitos == oitoDigitos ? 8 : 6;
    codigo.periodo = periodoDaMigracao;
    return codigo;
}

} // namespace

QByteArray decodificarDados(const QString &texto)
{
    QString base64 = texto;
    base64.replace(u' ', u'+').replace(u'-', u'+').replace(u'_', u'/');
    base64 = base64.trimmed();
    while (base64.size() % 4 != 0)
        base64.append(u'=');
    // Standard base64 with correct padding: at most two "=" and only at the end (the decoder
    // itself would accept any number of trailing "=").
    qsizetype preenchimento = 0;
    while (preenchimento < base64.size() && base64[base64.size() - 1 - preenchimento] == u'=')
        ++preenchimento;
    if (preenchimento > 2)
        throw ErroDeCripto(QStringLiteral("migracao-invalida"));
    try {
        return Cripto::decodificarBase64URL(base64);
    } catch (const ErroDeCripto &) {
        throw ErroDeCripto(QStringLiteral("migracao-invalida"));
    }
}

QList<CodigoImportado> ler(const QString &texto)
{
    const Link link = lerLink(texto);
    if (link.url.scheme().toLower() != u"otpauth-migration")
        falhar("uri-invalida");
    const std::optional<QString> dados = parametro(link, QStringLiteral("data"), Qt::CaseSensitive);
    if (!dados || dados->isEmpty())
        falhar("migracao-invalida");

    QList<CodigoImportado> codigos;
    for (const Campo &campo : lerCampos(decodificarDados(*dados))) {
        if (campo.numero != campoDaConta || !campo.bytes)
            continue;
        if (std::optional<CodigoImportado> codigo = lerConta(*campo.bytes))
            codigos.append(std::move(*codigo));
    }
    return codigos;
}

} // namespace MigracaoGoogle
