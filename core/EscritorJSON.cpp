// The JSON writer of item contents. Its output is sealed and stored, so its form is fixed: keys in
// stored order, no whitespace, the escaping table below and the number text rules.
#include "core/ValorJSON.h"

#include <charconv>
#include <cmath>

namespace {

void escreverNumero(QByteArray &saida, double valor)
{
    if (!std::isfinite(valor)) {
        saida += "null";
        return;
    }
    char texto[64];
    if (valor == std::trunc(valor) && std::fabs(valor) < 1e21) {
        // Exact decimal digits of the integer; -0 is written "0".
        const auto fim = std::to_chars(texto, texto + sizeof texto, valor == 0 ? 0.0 : valor,
                                       std::chars_format::fixed, 0).ptr;
        saida.append(texto, fim - texto);
        return;
    }
    // Shortest text that reads back as the same double, in exponent form for whole numbers from
    // 1e21 up (the plain form could be as short, and would then be chosen); every exponent carries
    // its sign.
    const auto fim = valor == std::trunc(valor)
                         ? std::to_chars(texto, texto + sizeof texto, valor, std::chars_format::scientific).ptr
                         : std::to_chars(texto, texto + sizeof texto, valor).ptr;
    for (const char *c = texto; c != fim; ++c) {
        saida += *c;
        if (*c == 'e' && c + 1 != fim && c[1] != '-' && c[1] != '+')
            saida += '+';
    }
}

void escreverUTF8(QByteArray &saida, char32_t ponto)
{
    if (ponto < 0x800) {
        saida += static_cast<char>(0xC0 | (ponto >> 6));
        saida += static_cast<char>(0x80 | (ponto & 0x3F));
    } else if (ponto < 0x10000) {
        saida += static_cast<char>(0xE0 | (ponto >> 12));
        saida += static_cast<char>(0x80 | ((ponto >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (ponto & 0x3F));
    } else {
        saida += static_cast<char>(0xF0 | (ponto >> 18));
        saida += static_cast<char>(0x80 | ((ponto >> 12) & 0x3F));
        saida += static_cast<char>(0x80 | ((ponto >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (ponto & 0x3F));
    }
}

// The escape of an ASCII character that is not written as itself: the quote, the backslash and
// the controls below 0x20.
void escreverEscape(QByteArray &saida, char16_t c)
{
    static constexpr char hexadecimais[] = "0123456789abcdef";
    switch (c) {
    case '"': saida += "\\\""; break;
    case '\\': saida += "\\\\"; break;
    case 0x08: saida += "\\b"; break;
    case 0x0C: saida += "\\f"; break;
    case 0x0A: saida += "\\n"; break;
    case 0x0D: saida += "\\r"; break;
    case 0x09: saida += "\\t"; break;
    default:
        saida += "\\u00";
        saida += hexadecimais[c >> 4];
        saida += hexadecimais[c & 0xF];
    }
}

void escreverTexto(QByteArray &saida, const QString &texto)
{
    saida += '"';
    const char16_t *p = reinterpret_cast<const char16_t *>(texto.constData());
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        // A run of printable ASCII that needs no escape (all of an envelope, most of any text)
        // is copied in one go.
        qsizetype fim = i;
        while (fim < n && p[fim] >= 0x20 && p[fim] < 0x80 && p[fim] != u'"' && p[fim] != u'\\')
            ++fim;
        if (fim > i) {
            const qsizetype inicio = saida.size();
            saida.resize(inicio + (fim - i));
            char *destino = saida.data() + inicio;
            for (qsizetype j = i; j < fim; ++j)
                *destino++ = static_cast<char>(p[j]);
            i = fim - 1;
            continue;
        }
        const char16_t c = p[i];
        if (c >= 0x80) {
            char32_t ponto = c;
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && p[i + 1] >= 0xDC00 && p[i + 1] <= 0xDFFF) {
                ponto = 0x10000 + ((c - 0xD800) << 10) + (p[i + 1] - 0xDC00);
                ++i;
            } else if (c >= 0xD800 && c <= 0xDFFF) {
                ponto = 0xFFFD; // a lone surrogate is not a scalar and has no UTF-8 form
            }
            escreverUTF8(saida, ponto);
            continue;
        }
        escreverEscape(saida, c);
    }
    saida += '"';
}

// The same text from its well-formed UTF-8: every byte from 0x80 up is copied as it is, since
// the UTF-8 the other writer makes of those characters is these bytes.
void escreverTextoEmUTF8(QByteArray &saida, const QByteArray &texto)
{
    saida += '"';
    const char *p = texto.constData();
    const qsizetype n = texto.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype fim = i;
        while (fim < n) {
            const auto c = static_cast<unsigned char>(p[fim]);
            if (c < 0x20 || c == '"' || c == '\\')
                break;
            ++fim;
        }
        saida.append(p + i, fim - i);
        if (fim == n)
            break;
        escreverEscape(saida, static_cast<unsigned char>(p[fim]));
        i = fim + 1;
    }
    saida += '"';
}

void escreverValor(QByteArray &saida, const ValorJSON &valor)
{
    switch (valor.caso()) {
    case ValorJSON::Caso::booleano:
        saida += *valor.comoBooleano() ? "true" : "false";
        return;
    case ValorJSON::Caso::numero:
        if (const auto exato = valor.comoInteiroExato()) {
            // The same digits the double would give, and exact beyond 2^53 for integers kept so.
            ValorJSON::escreverInteiroEm(saida, *exato);
        } else {
            escreverNumero(saida, *valor.comoNumero());
        }
        return;
    case ValorJSON::Caso::texto:
        if (const QString *texto = valor.textoEmUTF16())
            escreverTexto(saida, *texto);
        else
            escreverTextoEmUTF8(saida, *valor.textoEmUTF8());
        return;
    case ValorJSON::Caso::lista: {
        saida += '[';
        bool primeiro = true;
        for (const ValorJSON &elemento : *valor.comoLista()) {
            if (!primeiro)
                saida += ',';
            primeiro = false;
            escreverValor(saida, elemento);
        }
        saida += ']';
        return;
    }
    case ValorJSON::Caso::objeto: {
        saida += '{';
        bool primeiro = true;
        for (const ParJSON &par : valor.comoObjeto()->pares) {
            if (!primeiro)
                saida += ',';
            primeiro = false;
            escreverTexto(saida, par.chave);
            saida += ':';
            escreverValor(saida, par.valor);
        }
        saida += '}';
        return;
    }
    case ValorJSON::Caso::nulo:
        saida += "null";
        return;
    }
}

} // namespace

void ValorJSON::escreverTextoEm(QByteArray &saida, const QString &texto)
{
    escreverTexto(saida, texto);
}

void ValorJSON::escreverNumeroEm(QByteArray &saida, double numero)
{
    escreverNumero(saida, numero);
}

QByteArray ValorJSON::escritoEmUTF8() const
{
    QByteArray saida;
    escreverValor(saida, *this);
    return saida;
}

void ValorJSON::escrever(QString &em) const
{
    em += QString::fromUtf8(escritoEmUTF8());
}

QString ValorJSON::escrito() const
{
    return QString::fromUtf8(escritoEmUTF8());
}

void ValorJSON::escreverInteiroEm(QByteArray &saida, qint64 inteiro)
{
    char texto[24];
    const auto fim = std::to_chars(texto, texto + sizeof texto, inteiro).ptr;
    saida.append(texto, fim - texto);
}
