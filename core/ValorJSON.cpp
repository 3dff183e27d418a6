#include "core/ValorJSON.h"

#include "core/UTF8.h"

#include <cmath>
#include <cstdint>
#include <cstring>

// ---- ObjetoJSON ----

ObjetoJSON::ObjetoJSON(QList<ParJSON> pares) : pares(std::move(pares)) {}

namespace {

bool semComposicao(const QString &texto);

// The position of the first pair whose key is canonically equivalent to `chave`, or -1. A key
// handed over as a handle's own text is found by address; a plain key's text is checked for
// composing code units once, not once per pair.
qsizetype posicaoDe(const QList<ParJSON> &pares, const QString &chave)
{
    int simples = -1; // not yet known
    for (qsizetype i = 0; i < pares.size(); ++i) {
        const ChaveJSON &outra = pares[i].chave;
        const QString &texto = outra.texto();
        if (&texto == &chave || texto == chave)
            return i;
        if (outra.simples()) {
            if (simples < 0)
                simples = semComposicao(chave) ? 1 : 0;
            if (simples)
                continue;
        }
        if (ValorJSON::textosEquivalentes(texto, chave))
            return i;
    }
    return -1;
}

} // namespace

const ValorJSON *ObjetoJSON::valor(const QString &chave) const
{
    const qsizetype i = posicaoDe(pares, chave);
    return i < 0 ? nullptr : &pares[i].valor;
}

void ObjetoJSON::definir(const QString &chave, std::optional<ValorJSON> valor)
{
    const qsizetype i = posicaoDe(pares, chave);
    if (i >= 0) {
        if (valor)
            pares[i].valor = std::move(*valor);
        else
            pares.removeAt(i);
    } else if (valor) {
        pares.append(ParJSON{chave, std::move(*valor)});
    }
}

QString ObjetoJSON::texto(const QString &chave) const
{
    const ValorJSON *v = valor(chave);
    return v ? v->comoTexto().value_or(QString()) : QString();
}

qint64 ObjetoJSON::inteiro(const QString &chave, qint64 padrao) const
{
    const ValorJSON *v = valor(chave);
    return (v ? v->comoInteiro() : std::nullopt).value_or(padrao);
}

bool ObjetoJSON::booleano(const QString &chave) const
{
    const ValorJSON *v = valor(chave);
    return (v ? v->comoBooleano() : std::nullopt).value_or(false);
}

QList<QString> ObjetoJSON::sites() const
{
    QList<QString> textos;
    const ValorJSON *v = valor(QStringLiteral("sites"));
    const QList<ValorJSON> *lista = v ? v->comoLista() : nullptr;
    if (!lista)
        return textos;
    for (const ValorJSON &elemento : *lista) {
        if (auto texto = elemento.comoTexto())
            textos.append(std::move(*texto));
    }
    return textos;
}

bool operator==(const ObjetoJSON &a, const ObjetoJSON &b)
{
    return a.pares == b.pares;
}

// ---- ValorJSON ----

ValorJSON ValorJSON::booleano(bool valor)
{
    ValorJSON v;
    v.conteudo_ = valor;
    return v;
}

ValorJSON ValorJSON::numero(double valor)
{
    ValorJSON v;
    v.conteudo_ = Numero{valor, std::nullopt};
    return v;
}

ValorJSON ValorJSON::inteiro(qint64 valor)
{
    ValorJSON v;
    v.conteudo_ = Numero{static_cast<double>(valor), valor};
    return v;
}

namespace {

// Whether a text of these sizes is held as its UTF-8: long, and smaller so.
bool ficaEmUTF8(qsizetype bytes, qsizetype unidades)
{
    return bytes > TextosCompartilhados::maiorTexto && bytes < 2 * unidades;
}

// The length of the text's UTF-8; nothing when it holds a lone surrogate, which UTF-8 cannot carry
// (the writer writes U+FFFD for it, but the text itself keeps it).
std::optional<qsizetype> bytesEmUTF8(const QString &texto)
{
    const char16_t *c = reinterpret_cast<const char16_t *>(texto.constData());
    const qsizetype n = texto.size();
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = c[i];
        if (u < 0x80) {
            bytes += 1;
        } else if (u < 0x800) {
            bytes += 2;
        } else if (u < 0xD800 || u >= 0xE000) {
            bytes += 3;
        } else if (u < 0xDC00 && i + 1 < n && c[i + 1] >= 0xDC00 && c[i + 1] < 0xE000) {
            bytes += 4;
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return bytes;
}

bool soAscii(const QString &texto)
{
    const char16_t *c = reinterpret_cast<const char16_t *>(texto.constData());
    const qsizetype n = texto.size();
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) { // four code units at a time
        std::uint64_t quatro;
        std::memcpy(&quatro, c + i, 8);
        if (quatro & 0xFF80FF80FF80FF80ULL)
            return false;
    }
    for (; i < n; ++i)
        if (c[i] >= 0x80)
            return false;
    return true;
}

// The UTF-8 of a text without lone surrogates, `bytes` long, in a buffer of exactly that size.
QByteArray emUTF8(const QString &texto, qsizetype bytes)
{
    QByteArray saida(bytes, Qt::Uninitialized);
    auto *p = reinterpret_cast<unsigned char *>(saida.data());
    const char16_t *c = reinterpret_cast<const char16_t *>(texto.constData());
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t ponto = c[i];
        if (ponto < 0x80) {
            *p++ = static_cast<unsigned char>(ponto);
            continue;
        }
        if (ponto >= 0xD800 && ponto < 0xDC00)
            ponto = 0x10000 + ((ponto - 0xD800) << 10) + (c[++i] - 0xDC00);
        if (ponto < 0x800) {
            *p++ = static_cast<unsigned char>(0xC0 | (ponto >> 6));
        } else if (ponto < 0x10000) {
            *p++ = static_cast<unsigned char>(0xE0 | (ponto >> 12));
            *p++ = static_cast<unsigned char>(0x80 | ((ponto >> 6) & 0x3F));
        } else {
            *p++ = static_cast<unsigned char>(0xF0 | (ponto >> 18));
            *p++ = static_cast<unsigned char>(0x80 | ((ponto >> 12) & 0x3F));
            *p++ = static_cast<unsigned char>(0x80 | ((ponto >> 6) & 0x3F));
        }
        *p++ = static_cast<unsigned char>(0x80 | (ponto & 0x3F));
    }
    return saida;
}

} // namespace

ValorJSON ValorJSON::texto(QString valor)
{
    ValorJSON v;
    // All ASCII (envelopes, most notes): the bytes are the Latin-1 of the text, converted in bulk.
    if (valor.size() > TextosCompartilhados::maiorTexto && soAscii(valor)) {
        v.conteudo_ = valor.toLatin1();
        return v;
    }
    // Up to half the longest short text in code units, no text can be long in bytes and smaller.
    if (valor.size() > TextosCompartilhados::maiorTexto / 2) {
        if (const auto bytes = bytesEmUTF8(valor); bytes && ficaEmUTF8(*bytes, valor.size())) {
            v.conteudo_ = emUTF8(valor, *bytes);
            return v;
        }
    }
    v.conteudo_ = std::move(valor);
    return v;
}

ValorJSON ValorJSON::textoDeUTF8(QByteArrayView bytes, bool *reparado)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    if (bytes.size() > TextosCompartilhados::maiorTexto) {
        if (const auto unidades = unidadesEmUTF16(p, bytes.size())) {
            if (reparado)
                *reparado = false;
            ValorJSON v;
            if (ficaEmUTF8(bytes.size(), *unidades))
                v.conteudo_ = bytes.toByteArray();
            else
                v.conteudo_ = decodificarUTF8(p, bytes.size());
            return v;
        }
    }
    // Short, or ill-formed: the repaired text follows the rule of any other.
    return texto(decodificarUTF8(p, bytes.size(), reparado));
}

ValorJSON ValorJSON::lista(QList<ValorJSON> valores)
{
    ValorJSON v;
    v.conteudo_ = std::move(valores);
    return v;
}

ValorJSON ValorJSON::objeto(ObjetoJSON objeto)
{
    ValorJSON v;
    v.conteudo_ = std::move(objeto);
    return v;
}

std::optional<bool> ValorJSON::comoBooleano() const
{
    if (const bool *b = std::get_if<bool>(&conteudo_))
        return *b;
    return std::nullopt;
}

std::optional<double> ValorJSON::comoNumero() const
{
    if (const Numero *n = std::get_if<Numero>(&conteudo_))
        return n->valor;
    return std::nullopt;
}

std::optional<QString> ValorJSON::comoTexto() const
{
    if (const QString *texto = std::get_if<QString>(&conteudo_))
        return *texto;
    if (const QByteArray *bytes = std::get_if<QByteArray>(&conteudo_))
        return QString::fromUtf8(*bytes); // well formed, so exactly the text
    return std::nullopt;
}

const QList<ValorJSON> *ValorJSON::comoLista() const { return std::get_if<QList<ValorJSON>>(&conteudo_); }
QList<ValorJSON> *ValorJSON::comoLista() { return std::get_if<QList<ValorJSON>>(&conteudo_); }
const ObjetoJSON *ValorJSON::comoObjeto() const { return std::get_if<ObjetoJSON>(&conteudo_); }
ObjetoJSON *ValorJSON::comoObjeto() { return std::get_if<ObjetoJSON>(&conteudo_); }

std::optional<qint64> ValorJSON::comoInteiro() const
{
    const auto numero = comoNumero();
    return numero ? truncarParaInteiro(*numero) : std::nullopt;
}

std::optional<qint64> ValorJSON::comoInteiroExato() const
{
    const Numero *n = std::get_if<Numero>(&conteudo_);
    if (!n)
        return std::nullopt;
    if (n->exato)
        return n->exato;
    const auto inteiro = truncarParaInteiro(n->valor);
    if (!inteiro || static_cast<double>(*inteiro) != n->valor)
        return std::nullopt;
    return inteiro;
}

std::optional<qint64> ValorJSON::truncarParaInteiro(double valor)
{
    // Converting a double whose integral part does not fit is undefined behaviour, so the range
    // is checked first: [-2^63, 2^63) holds exactly the integral parts that fit (NaN fails both).
    const double parteInteira = std::trunc(valor);
    constexpr double limite = 9223372036854775808.0; // 2^63, exact in a double
    if (!(parteInteira >= -limite && parteInteira < limite))
        return std::nullopt;
    return static_cast<qint64>(parteInteira);
}

namespace {

// Every code unit below U+0300 is its own NFC form and never combines with a neighbour, so two
// such texts are canonically equivalent only when identical.
bool semComposicao(const QString &texto)
{
    for (const QChar c : texto) {
        if (c.unicode() >= 0x0300)
            return false;
    }
    return true;
}

} // namespace

bool ValorJSON::textosEquivalentes(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    if (semComposicao(a) && semComposicao(b))
        return false;
    return a.normalized(QString::NormalizationForm_C) == b.normalized(QString::NormalizationForm_C);
}

namespace {

// Every code point below U+0300 is encoded with bytes below 0xCC (ASCII, the lead bytes C2..CB and
// continuation bytes), and every one from U+0300 up starts with a byte from 0xCC up.
bool semComposicao(const QByteArray &utf8)
{
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0xCC)
            return false;
    }
    return true;
}

bool textosEquivalentes(const ValorJSON &a, const ValorJSON &b)
{
    const QString *x = a.textoEmUTF16();
    const QString *y = b.textoEmUTF16();
    if (x && y)
        return ValorJSON::textosEquivalentes(*x, *y);
    const QByteArray *u = a.textoEmUTF8();
    const QByteArray *v = b.textoEmUTF8();
    if (u && v) {
        if (*u == *v)
            return true;
        if (semComposicao(*u) && semComposicao(*v))
            return false;
    }
    return ValorJSON::textosEquivalentes(*a.comoTexto(), *b.comoTexto());
}

} // namespace

bool operator==(const ValorJSON &a, const ValorJSON &b)
{
    if (a.caso() != b.caso())
        return false;
    switch (a.caso()) {
    case ValorJSON::Caso::booleano:
        return std::get<bool>(a.conteudo_) == std::get<bool>(b.conteudo_);
    case ValorJSON::Caso::numero:
    {
        const auto &x = std::get<ValorJSON::Numero>(a.conteudo_);
        const auto &y = std::get<ValorJSON::Numero>(b.conteudo_);
        return x.exato && y.exato ? *x.exato == *y.exato : x.valor == y.valor;
    }
    case ValorJSON::Caso::texto:
        return textosEquivalentes(a, b);
    case ValorJSON::Caso::lista:
        return std::get<QList<ValorJSON>>(a.conteudo_) == std::get<QList<ValorJSON>>(b.conteudo_);
    case ValorJSON::Caso::objeto:
        return std::get<ObjetoJSON>(a.conteudo_) == std::get<ObjetoJSON>(b.conteudo_);
    case ValorJSON::Caso::nulo:
        return true;
    }
    return false;
}
