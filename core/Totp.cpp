#include "core/Totp.h"

#include "core/Codecs.h"
#include "plataforma/Primitivas.h"

#include <sodium.h>

#include <array>

namespace {

constexpr qint64 menorNumeroDeDigitos = 6;
constexpr qint64 maiorNumeroDeDigitos = 10;

Primitivas::Hash hashDe(AlgoritmoTotp algoritmo)
{
    switch (algoritmo) {
    case AlgoritmoTotp::sha1:
        return Primitivas::Hash::sha1;
    case AlgoritmoTotp::sha256:
        return Primitivas::Hash::sha256;
    case AlgoritmoTotp::sha512:
        return Primitivas::Hash::sha512;
    }
    return Primitivas::Hash::sha1;
}

// Whole seconds since 1970; earlier (and invalid) times count as 0 so the counter never wraps.
quint64 segundosDesde1970(const QDateTime &em)
{
    if (!em.isValid())
        return 0;
    const qint64 milissegundos = em.toMSecsSinceEpoch();
    return milissegundos <= 0 ? 0 : quint64(milissegundos / 1000);
}

quint64 periodoUtil(qint64 periodo) { return periodo < 1 ? 1 : quint64(periodo); }

// Characters dropped from a typed secret: the ones users put between groups and as padding.
bool ignoradoNoSegredo(QChar c) { return c == u'=' || c == u'-' || c.isSpace(); }

} // namespace

QString valorBruto(AlgoritmoTotp algoritmo)
{
    switch (algoritmo) {
    case AlgoritmoTotp::sha1:
        return QStringLiteral("SHA1");
    case AlgoritmoTotp::sha256:
        return QStringLiteral("SHA256");
    case AlgoritmoTotp::sha512:
        return QStringLiteral("SHA512");
    }
    return QStringLiteral("SHA1");
}

std::optional<AlgoritmoTotp> algoritmoTotp(const QString &texto)
{
    for (const AlgoritmoTotp algoritmo : todosOsAlgoritmosTotp) {
        if (valorBruto(algoritmo) == texto)
            return algoritmo;
    }
    return std::nullopt;
}

namespace {

// The counter as 8 bytes, most significant first.
std::array<char, 8> mensagemDoContador(quint64 contador)
{
    std::array<char, 8> mensagem{};
    for (int i = 7; i >= 0; --i) {
        mensagem[std::size_t(i)] = char(contador & 0xFF);
        contador >>= 8;
    }
    return mensagem;
}

void conferirDigitos(qint64 digitos)
{
    if (digitos < menorNumeroDeDigitos || digitos > maiorNumeroDeDigitos)
        throw ErroDeCripto(QStringLiteral("digitos-invalidos"));
}

// Dynamic truncation of an HMAC output into `digitos` decimal digits.
QString truncar(const unsigned char *resumo, std::size_t tamanho, qint64 digitos)
{
    if (tamanho < 20)
        throw Primitivas::ErroDePrimitiva("HMAC curto demais para um código");
    // The offset is at most 15, so o + 3 stays inside even a SHA-1 digest.
    const std::size_t o = resumo[tamanho - 1] & 0x0F;
    const quint32 truncado = ((quint32(resumo[o]) & 0x7F) << 24) | (quint32(resumo[o + 1]) << 16)
                             | (quint32(resumo[o + 2]) << 8) | quint32(resumo[o + 3]);

    // 10^digitos in integers: up to 10^10, which is beyond 32 bits but exact in 64.
    quint64 modulo = 1;
    for (qint64 i = 0; i < digitos; ++i)
        modulo *= 10;
    quint64 valor = quint64(truncado) % modulo;
    // Written right to left into its final size: the leading zeros come for free.
    QString texto(qsizetype(digitos), u'0');
    for (qsizetype i = texto.size() - 1; i >= 0 && valor > 0; --i, valor /= 10)
        texto[i] = QChar(u'0' + char16_t(valor % 10));
    return texto;
}

} // namespace

GeradorDeCodigos::GeradorDeCodigos(const ParametrosTotp &parametros)
    : digitos_(parametros.digitos), periodo_(parametros.periodo)
{
    QByteArray chave = Cripto::decodificarBase32(parametros.segredo);
    hmac_ = std::make_unique<Primitivas::HmacPreparado>(hashDe(parametros.algoritmo), chave);
    sodium_memzero(chave.data(), std::size_t(chave.size()));
}

GeradorDeCodigos::~GeradorDeCodigos() = default;
GeradorDeCodigos::GeradorDeCodigos(GeradorDeCodigos &&) noexcept = default;
GeradorDeCodigos &GeradorDeCodigos::operator=(GeradorDeCodigos &&) noexcept = default;

QString GeradorDeCodigos::codigo(const QDateTime &em) const
{
    conferirDigitos(digitos_);
    const std::array<char, 8> mensagem = mensagemDoContador(segundosDesde1970(em) / periodoUtil(periodo_));
    unsigned char resumo[64];
    const std::size_t tamanho = hmac_->calcular(mensagem.data(), mensagem.size(), resumo);
    return truncar(resumo, tamanho, digitos_);
}

QString ParametrosTotp::codigo(const QDateTime &em) const
{
    const QByteArray chave = Cripto::decodificarBase32(segredo);
    const quint64 contador = segundosDesde1970(em) / periodoUtil(periodo);
    return Totp::gerar(chave, contador, digitos, algoritmo);
}

namespace Totp {

QString gerar(const QByteArray &chave, quint64 contador, qint64 digitos, AlgoritmoTotp algoritmo)
{
    conferirDigitos(digitos);
    const std::array<char, 8> mensagem = mensagemDoContador(contador);
    const QByteArray resumo = Primitivas::hmac(hashDe(algoritmo), chave, QByteArray(mensagem.data(), 8));
    return truncar(reinterpret_cast<const unsigned char *>(resumo.constData()), std::size_t(resumo.size()), digitos);
}

QString formatarParaExibir(const QString &codigo)
{
    switch (codigo.size()) {
    case 6:
        return codigo.left(3) + u' ' + codigo.mid(3);
    case 7:
        return codigo.left(4) + u' ' + codigo.mid(4);
    case 8:
        return codigo.left(4) + u' ' + codigo.mid(4);
    default:
        return codigo;
    }
}

qint64 segundosRestantes(qint64 periodo, const QDateTime &em)
{
    const quint64 p = periodoUtil(periodo);
    return qint64(p - segundosDesde1970(em) % p);
}

QString normalizarSegredo(const QString &segredo)
{
    QString limpo;
    const QString maiusculo = segredo.toUpper();
    limpo.reserve(maiusculo.size());
    for (const QChar c : maiusculo) {
        if (!ignoradoNoSegredo(c))
            limpo.append(c);
    }
    // Only the check matters here: the cleaned text, not the bytes, is what gets stored.
    [[maybe_unused]] const QByteArray bytes = Cripto::decodificarBase32(limpo);
    return limpo;
}

} // namespace Totp
