// The JSON parser of item contents: works on bytes with a cursor, decodes each text once at its
// closing quote, and refuses anything malformed with the single error "json-invalido".
#include "core/ErroDeCripto.h"
#include "core/ValorJSON.h"

#include <QHash>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>

namespace {

constexpr int profundidadeMaxima = 63; // the deepest value allowed; 64 nested containers hold it
constexpr char16_t substituto = 0xFFFD;
// Above this many members an object also keeps a hash of its keys while parsing, so that a long
// object does not cost a quadratic number of key comparisons. The result is the same.
constexpr qsizetype membrosSemIndice = 16;

[[noreturn]] void falhar()
{
    throw ErroDeCripto(QStringLiteral("json-invalido"));
}

// Decodes UTF-8, replacing every maximal ill-formed subpart with U+FFFD.
bool soAscii(const unsigned char *p, qsizetype n)
{
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t oito;
        std::memcpy(&oito, p + i, 8);
        if (oito & 0x8080808080808080ULL)
            return false;
    }
    for (; i < n; ++i)
        if (p[i] >= 0x80)
            return false;
    return true;
}

QString decodificarUTF8(const unsigned char *p, qsizetype n)
{
    // Plain ASCII (every envelope, id and date, most other texts) widens as Latin-1, which Qt
    // does in bulk; the result is the same.
    if (soAscii(p, n))
        return QString::fromLatin1(reinterpret_cast<const char *>(p), n);
    QString texto(n, Qt::Uninitialized); // never more code units than bytes
    char16_t *saida = reinterpret_cast<char16_t *>(texto.data());
    qsizetype k = 0;
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            saida[k++] = b;
            ++i;
            continue;
        }
        int comprimento = 0;
        unsigned char menor = 0x80, maior = 0xBF; // allowed range of the second byte
        char32_t ponto = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            comprimento = 2;
            ponto = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            comprimento = 3;
            ponto = b & 0x0F;
            if (b == 0xE0)
                menor = 0xA0; // overlong
            else if (b == 0xED)
                maior = 0x9F; // surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            comprimento = 4;
            ponto = b & 0x07;
            if (b == 0xF0)
                menor = 0x90; // overlong
            else if (b == 0xF4)
                maior = 0x8F; // above U+10FFFF
        } else {
            saida[k++] = substituto;
            ++i;
            continue;
        }
        int j = 1;
        for (; j < comprimento; ++j) {
            if (i + j >= n)
                break;
            const unsigned char c = p[i + j];
            if (c < menor || c > maior)
                break;
            ponto = (ponto << 6) | (c & 0x3F);
            menor = 0x80;
            maior = 0xBF;
        }
        if (j < comprimento) {
            saida[k++] = substituto;
            i += j;
            continue;
        }
        if (ponto >= 0x10000) {
            saida[k++] = static_cast<char16_t>(0xD800 + ((ponto - 0x10000) >> 10));
            saida[k++] = static_cast<char16_t>(0xDC00 + ((ponto - 0x10000) & 0x3FF));
        } else {
            saida[k++] = static_cast<char16_t>(ponto);
        }
        i += comprimento;
    }
    texto.truncate(k);
    return texto;
}

void acrescentarUTF8(std::string &bytes, char32_t ponto)
{
    if (ponto < 0x80) {
        bytes += static_cast<char>(ponto);
    } else if (ponto < 0x800) {
        bytes += static_cast<char>(0xC0 | (ponto >> 6));
        bytes += static_cast<char>(0x80 | (ponto & 0x3F));
    } else if (ponto < 0x10000) {
        bytes += static_cast<char>(0xE0 | (ponto >> 12));
        bytes += static_cast<char>(0x80 | ((ponto >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (ponto & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | (ponto >> 18));
        bytes += static_cast<char>(0x80 | ((ponto >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((ponto >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (ponto & 0x3F));
    }
}

// Code units below U+0300 are their own NFC form and never combine with a neighbour.
bool semComposicao(const QString &texto)
{
    for (const QChar c : texto) {
        if (c.unicode() >= 0x0300)
            return false;
    }
    return true;
}

int valorHexadecimal(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ehDeNumero(unsigned char c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
}

class Analisador {
public:
    Analisador(const unsigned char *dados, qsizetype tamanho) : dados_(dados), tamanho_(tamanho) {}

    ValorJSON lerDocumento()
    {
        pularEspacos();
        ValorJSON valor = lerValor(0);
        pularEspacos();
        if (cursor_ != tamanho_)
            falhar();
        return valor;
    }

private:
    [[nodiscard]] bool noFim() const { return cursor_ >= tamanho_; }
    [[nodiscard]] unsigned char atual() const { return dados_[cursor_]; }

    void pularEspacos()
    {
        while (!noFim()) {
            const unsigned char c = atual();
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
                return;
            ++cursor_;
        }
    }

    ValorJSON lerValor(int profundidade)
    {
        if (profundidade > profundidadeMaxima || noFim())
            falhar();
        switch (atual()) {
        case 'n':
            lerLiteral("null");
            return ValorJSON::nulo();
        case 't':
            lerLiteral("true");
            return ValorJSON::booleano(true);
        case 'f':
            lerLiteral("false");
            return ValorJSON::booleano(false);
        case '{':
            return ValorJSON::objeto(lerObjeto(profundidade));
        case '[':
            return ValorJSON::lista(lerLista(profundidade));
        case '"':
            return ValorJSON::texto(lerTexto());
        default:
            return ValorJSON::numero(lerNumero());
        }
    }

    void lerLiteral(const char *literal)
    {
        for (const char *c = literal; *c; ++c) {
            if (noFim() || atual() != static_cast<unsigned char>(*c))
                falhar();
            ++cursor_;
        }
    }

    ObjetoJSON lerObjeto(int profundidade)
    {
        if (noFim() || atual() != '{')
            falhar();
        ++cursor_;
        pularEspacos();
        ObjetoJSON objeto;
        if (!noFim() && atual() == '}') {
            ++cursor_;
            return objeto;
        }
        QHash<QString, qsizetype> indice; // NFC key → position, filled only for long objects
        QList<bool> simples;
        pularEspacos();
        QString chave = lerTexto();
        for (;;) {
            pularEspacos();
            if (noFim() || atual() != ':')
                falhar();
            ++cursor_;
            pularEspacos();
            guardar(objeto, indice, simples, std::move(chave), lerValor(profundidade + 1));
            pularEspacos();
            if (noFim())
                falhar();
            if (atual() == '}') {
                ++cursor_;
                return objeto;
            }
            if (atual() != ',')
                falhar();
            ++cursor_;
            pularEspacos();
            chave = lerTexto();
        }
    }

    // Stores a member as ObjetoJSON::definir does: a repeated key keeps its first position and
    // takes the last value. `simples` tells, per pair, whether its key has only code units below
    // U+0300: two such keys are equivalent only when identical, which spares the normalisation.
    static void guardar(ObjetoJSON &objeto, QHash<QString, qsizetype> &indice, QList<bool> &simples,
                        QString chave, ValorJSON valor)
    {
        const bool chaveSimples = semComposicao(chave);
        if (objeto.pares.size() < membrosSemIndice) {
            for (qsizetype i = 0; i < objeto.pares.size(); ++i) {
                const QString &outra = objeto.pares[i].chave;
                if (chaveSimples && simples[i] ? outra == chave : ValorJSON::textosEquivalentes(outra, chave)) {
                    objeto.pares[i].valor = std::move(valor);
                    return;
                }
            }
            simples.append(chaveSimples);
            objeto.pares.append(ParJSON{std::move(chave), std::move(valor)});
            return;
        }
        if (indice.isEmpty()) {
            for (qsizetype i = 0; i < objeto.pares.size(); ++i)
                indice.insert(objeto.pares[i].chave.normalized(QString::NormalizationForm_C), i);
        }
        QString normalizada = chaveSimples ? chave : chave.normalized(QString::NormalizationForm_C);
        const auto existente = indice.constFind(normalizada);
        if (existente != indice.constEnd()) {
            objeto.pares[*existente].valor = std::move(valor);
            return;
        }
        indice.insert(std::move(normalizada), objeto.pares.size());
        objeto.pares.append(ParJSON{std::move(chave), std::move(valor)});
    }

    QList<ValorJSON> lerLista(int profundidade)
    {
        if (noFim() || atual() != '[')
            falhar();
        ++cursor_;
        pularEspacos();
        QList<ValorJSON> lista;
        if (!noFim() && atual() == ']') {
            ++cursor_;
            return lista;
        }
        pularEspacos();
        lista.append(lerValor(profundidade + 1));
        for (;;) {
            pularEspacos();
            if (noFim())
                falhar();
            if (atual() == ']') {
                ++cursor_;
                return lista;
            }
            if (atual() != ',')
                falhar();
            ++cursor_;
            pularEspacos();
            lista.append(lerValor(profundidade + 1));
        }
    }

    QString lerTexto()
    {
        if (noFim() || atual() != '"')
            falhar();
        ++cursor_;
        // Common case: no escape before the closing quote, so the bytes decode where they lie.
        const qsizetype inicio = cursor_;
        if (const void *aspas = std::memchr(dados_ + inicio, '"', static_cast<std::size_t>(tamanho_ - inicio))) {
            const qsizetype fim = static_cast<const unsigned char *>(aspas) - dados_;
            if (!std::memchr(dados_ + inicio, '\\', static_cast<std::size_t>(fim - inicio))) {
                cursor_ = fim + 1;
                return decodificarUTF8(dados_ + inicio, fim - inicio);
            }
        }
        coletados_.clear();
        for (;;) {
            if (noFim())
                falhar();
            const unsigned char c = atual();
            ++cursor_;
            if (c == '"')
                return decodificarUTF8(reinterpret_cast<const unsigned char *>(coletados_.data()),
                                       static_cast<qsizetype>(coletados_.size()));
            if (c != '\\') {
                coletados_ += static_cast<char>(c);
                continue;
            }
            if (noFim())
                falhar();
            const unsigned char letra = atual();
            ++cursor_;
            switch (letra) {
            case '"': coletados_ += '"'; break;
            case '\\': coletados_ += '\\'; break;
            case '/': coletados_ += '/'; break;
            case 'b': coletados_ += '\b'; break;
            case 'f': coletados_ += '\f'; break;
            case 'n': coletados_ += '\n'; break;
            case 'r': coletados_ += '\r'; break;
            case 't': coletados_ += '\t'; break;
            case 'u': lerEscapeUnicode(); break;
            default: falhar();
            }
        }
    }

    // Four characters as an unsigned base-16 number, where the first may also be a sign: "+" then
    // three digits, or "-000" for zero.
    unsigned lerQuatroHexadecimais()
    {
        if (tamanho_ - cursor_ < 4)
            falhar();
        const unsigned char *p = dados_ + cursor_;
        unsigned valor = 0;
        int primeiro = 0;
        if (p[0] == '+') {
            primeiro = 1;
        } else if (p[0] == '-') {
            if (p[1] != '0' || p[2] != '0' || p[3] != '0')
                falhar();
            cursor_ += 4;
            return 0;
        }
        for (int i = primeiro; i < 4; ++i) {
            const int digito = valorHexadecimal(p[i]);
            if (digito < 0)
                falhar();
            valor = valor * 16 + static_cast<unsigned>(digito);
        }
        cursor_ += 4;
        return valor;
    }

    void lerEscapeUnicode()
    {
        char32_t ponto = lerQuatroHexadecimais();
        if (ponto >= 0xD800 && ponto <= 0xDBFF && tamanho_ - cursor_ >= 6 && dados_[cursor_] == '\\'
            && dados_[cursor_ + 1] == 'u') {
            const qsizetype segundaBarra = cursor_;
            cursor_ += 2;
            const char32_t baixo = lerQuatroHexadecimais();
            if (baixo >= 0xDC00 && baixo <= 0xDFFF)
                ponto = 0x10000 + ((ponto - 0xD800) << 10) + (baixo - 0xDC00);
            else
                cursor_ = segundaBarra; // read the second escape again on its own
        }
        if (ponto >= 0xD800 && ponto <= 0xDFFF)
            ponto = substituto;
        acrescentarUTF8(coletados_, ponto);
    }

    double lerNumero()
    {
        const qsizetype inicio = cursor_;
        while (!noFim() && ehDeNumero(atual()))
            ++cursor_;
        const char *primeiro = reinterpret_cast<const char *>(dados_ + inicio);
        const char *ultimo = reinterpret_cast<const char *>(dados_ + cursor_);
        if (primeiro == ultimo)
            falhar();
        // The C-locale conversion accepts a leading "+", which from_chars does not; a sign after
        // it ("+-1") is still refused.
        if (*primeiro == '+') {
            ++primeiro;
            if (primeiro != ultimo && (*primeiro == '-' || *primeiro == '+'))
                falhar();
        }
        double valor = 0;
        const auto [fim, erro] = std::from_chars(primeiro, ultimo, valor);
        // Magnitudes beyond a double's range (1e400, 1e-400) are refused rather than rounded.
        if (erro != std::errc() || fim != ultimo)
            falhar();
        return valor;
    }

    const unsigned char *dados_;
    qsizetype tamanho_;
    qsizetype cursor_ = 0;
    std::string coletados_; // the bytes of the text being read, reused between texts
};

} // namespace

ValorJSON ValorJSON::ler(const QByteArray &bytes)
{
    Analisador analisador(reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size());
    return analisador.lerDocumento();
}
