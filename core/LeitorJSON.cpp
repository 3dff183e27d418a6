// The JSON parser of item contents: works on bytes with a cursor, decodes each text once at its
// closing quote, and refuses anything malformed with the single error "json-invalido".
#include "core/ErroDeCripto.h"
#include "core/UTF8.h"
#include "core/ValorJSON.h"

#include <QHash>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <system_error>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

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

// Calls `f` with each byte of the text's UTF-8 form, without building it, while `f` returns true;
// gives whether it got to the end.
template <typename F>
bool porBytesEmUTF8(const QString &texto, F &&f)
{
    const char16_t *c = reinterpret_cast<const char16_t *>(texto.constData());
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t ponto = c[i];
        if (ponto >= 0xD800 && ponto < 0xDC00 && i + 1 < n && c[i + 1] >= 0xDC00 && c[i + 1] < 0xE000)
            ponto = 0x10000 + ((ponto - 0xD800) << 10) + (c[++i] - 0xDC00);
        unsigned char bytes[4];
        int quantos = 1;
        if (ponto < 0x80) {
            bytes[0] = static_cast<unsigned char>(ponto);
        } else if (ponto < 0x800) {
            bytes[0] = static_cast<unsigned char>(0xC0 | (ponto >> 6));
            bytes[1] = static_cast<unsigned char>(0x80 | (ponto & 0x3F));
            quantos = 2;
        } else if (ponto < 0x10000) {
            bytes[0] = static_cast<unsigned char>(0xE0 | (ponto >> 12));
            bytes[1] = static_cast<unsigned char>(0x80 | ((ponto >> 6) & 0x3F));
            bytes[2] = static_cast<unsigned char>(0x80 | (ponto & 0x3F));
            quantos = 3;
        } else {
            bytes[0] = static_cast<unsigned char>(0xF0 | (ponto >> 18));
            bytes[1] = static_cast<unsigned char>(0x80 | ((ponto >> 12) & 0x3F));
            bytes[2] = static_cast<unsigned char>(0x80 | ((ponto >> 6) & 0x3F));
            bytes[3] = static_cast<unsigned char>(0x80 | (ponto & 0x3F));
            quantos = 4;
        }
        for (int b = 0; b < quantos; ++b)
            if (!f(bytes[b]))
                return false;
    }
    return true;
}

// The shared texts are keyed by themselves and looked up by the UTF-8 bytes just read: one
// QString a node, no copy of the bytes. Hash and equality read a text as its UTF-8 bytes, so
// bytes find the text they decode to (ill-formed bytes, repaired when decoded, find nothing and
// the repaired text is then found on insertion).
struct HashDeTexto {
    using is_transparent = void;
    static constexpr std::size_t inicio = 14695981039346656037ULL; // FNV-1a
    static constexpr std::size_t primo = 1099511628211ULL;
    std::size_t operator()(std::string_view bytes) const noexcept
    {
        std::size_t h = inicio;
        for (const char c : bytes)
            h = (h ^ static_cast<unsigned char>(c)) * primo;
        return h;
    }
    std::size_t operator()(const QString &texto) const noexcept
    {
        std::size_t h = inicio;
        porBytesEmUTF8(texto, [&h](unsigned char b) {
            h = (h ^ b) * primo;
            return true;
        });
        return h;
    }
};
struct TextosIguais {
    using is_transparent = void;
    bool operator()(const QString &a, const QString &b) const noexcept { return a == b; }
    bool operator()(std::string_view a, const QString &b) const noexcept { return iguais(a, b); }
    bool operator()(const QString &a, std::string_view b) const noexcept { return iguais(b, a); }
    static bool iguais(std::string_view bytes, const QString &texto) noexcept
    {
        std::size_t i = 0;
        return porBytesEmUTF8(texto, [&](unsigned char b) { return i < bytes.size() && static_cast<unsigned char>(bytes[i++]) == b; })
               && i == bytes.size();
    }
};
using TabelaDeTextos = std::unordered_set<QString, HashDeTexto, TextosIguais>;
// The table of the TextosCompartilhados alive on this thread, if any.
thread_local TabelaDeTextos *textosCompartilhados = nullptr;

// Reads one document. The lenient grammar is the item contents' own; the strict one is the
// platform decoder's, for every other record.
class Analisador {
public:
    Analisador(const unsigned char *dados, qsizetype tamanho, bool estrito)
        : dados_(dados), tamanho_(tamanho), estrito_(estrito)
    {
    }

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
            return lerValorDeTexto();
        default:
            return lerNumero();
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
        // Members gather in this depth's scratch and move into a list of the exact size once the
        // object ends: no regrowth per member, no slack kept in the vault's many small objects.
        const RascunhoEmUso emUso(profundidade);
        Rascunho &rascunho = *emUso;
        pularEspacos();
        ChaveJSON chave = lerChave();
        for (;;) {
            pularEspacos();
            if (noFim() || atual() != ':')
                falhar();
            ++cursor_;
            pularEspacos();
            guardar(rascunho, std::move(chave), lerValor(profundidade + 1));
            pularEspacos();
            if (noFim())
                falhar();
            if (atual() == '}') {
                ++cursor_;
                objeto.pares.reserve(qsizetype(rascunho.pares.size()));
                for (ParJSON &par : rascunho.pares)
                    objeto.pares.append(std::move(par));
                if (rascunho.pares.capacity() > rascunhoGuardado) // a long object's room is not kept
                    std::vector<ParJSON>().swap(rascunho.pares);
                return objeto;
            }
            if (atual() != ',')
                falhar();
            ++cursor_;
            pularEspacos();
            chave = lerChave();
        }
    }

    static constexpr std::size_t rascunhoGuardado = 256;

    // The members of the object, or the elements of the list, being read at one depth.
    struct Rascunho {
        std::vector<ParJSON> pares;
        QHash<QString, qsizetype> indice; // NFC key -> position, filled only for long objects
        std::vector<ValorJSON> valores;
    };

    // The scratch of one depth, kept per thread so its room is reused across documents. Emptied
    // when its reader leaves, also by a throw: an item's texts never outlive their read there.
    class RascunhoEmUso {
    public:
        explicit RascunhoEmUso(int profundidade) : rascunho_(de(profundidade)) {}
        ~RascunhoEmUso()
        {
            rascunho_.pares.clear();
            rascunho_.indice.clear();
            rascunho_.valores.clear();
        }
        RascunhoEmUso(const RascunhoEmUso &) = delete;
        RascunhoEmUso &operator=(const RascunhoEmUso &) = delete;
        Rascunho &operator*() const { return rascunho_; }

    private:
        static Rascunho &de(int profundidade)
        {
            thread_local std::deque<Rascunho> rascunhos; // a deque keeps the shallower ones in place
            while (rascunhos.size() <= std::size_t(profundidade))
                rascunhos.emplace_back();
            return rascunhos[std::size_t(profundidade)];
        }

        Rascunho &rascunho_;
    };

    // Stores a member as ObjetoJSON::definir does: a repeated key keeps its first position and
    // takes the last value. Keys compare as handles do: one name at once, plain names by their
    // text without normalising.
    static void guardar(Rascunho &rascunho, ChaveJSON chave, ValorJSON valor)
    {
        auto &pares = rascunho.pares;
        auto &indice = rascunho.indice;
        if (qsizetype(pares.size()) < membrosSemIndice) {
            for (ParJSON &par : pares) {
                if (par.chave == chave) {
                    par.valor = std::move(valor);
                    return;
                }
            }
            pares.push_back(ParJSON{std::move(chave), std::move(valor)});
            return;
        }
        if (indice.isEmpty()) {
            for (std::size_t i = 0; i < pares.size(); ++i)
                indice.insert(pares[i].chave.texto().normalized(QString::NormalizationForm_C), qsizetype(i));
        }
        QString normalizada = chave.simples() ? chave.texto() : chave.texto().normalized(QString::NormalizationForm_C);
        const auto existente = indice.constFind(normalizada);
        if (existente != indice.constEnd()) {
            pares[std::size_t(*existente)].valor = std::move(valor);
            return;
        }
        indice.insert(std::move(normalizada), qsizetype(pares.size()));
        pares.push_back(ParJSON{std::move(chave), std::move(valor)});
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
        const RascunhoEmUso emUso(profundidade);
        std::vector<ValorJSON> &valores = (*emUso).valores;
        pularEspacos();
        valores.push_back(lerValor(profundidade + 1));
        for (;;) {
            pularEspacos();
            if (noFim())
                falhar();
            if (atual() == ']') {
                ++cursor_;
                lista.reserve(qsizetype(valores.size()));
                for (ValorJSON &valor : valores)
                    lista.append(std::move(valor));
                if (valores.capacity() > rascunhoGuardado) // a long list's room is not kept
                    std::vector<ValorJSON>().swap(valores);
                return lista;
            }
            if (atual() != ',')
                falhar();
            ++cursor_;
            pularEspacos();
            valores.push_back(lerValor(profundidade + 1));
        }
    }

    // A key: one in printable ASCII without escapes (every key the vault writes) is looked up
    // from its bytes, with no text built for a known or pooled name; any other is read as every
    // text is and then looked up.
    ChaveJSON lerChave()
    {
        if (!noFim() && atual() == '"') {
            const qsizetype inicio = cursor_ + 1;
            for (qsizetype i = inicio; i < tamanho_; ++i) {
                const unsigned char c = dados_[i];
                if (c == '"') {
                    cursor_ = i + 1;
                    return ChaveJSON::deAscii(reinterpret_cast<const char *>(dados_ + inicio), i - inicio);
                }
                if (c == '\\' || c < 0x20 || c >= 0x80)
                    break;
            }
        }
        return ChaveJSON(lerTexto());
    }

    QString lerTexto()
    {
        if (noFim() || atual() != '"')
            falhar();
        ++cursor_;
        // Common case: no escape before the closing quote, so the bytes decode where they lie.
        const qsizetype inicio = cursor_;
        if (const qsizetype i = aspasSemEscape(); i >= 0) {
            cursor_ = i + 1;
            if (textosCompartilhados && !estrito_ && i - inicio <= TextosCompartilhados::maiorTexto)
                return compartilhado(dados_ + inicio, i - inicio);
            return decodificado(dados_ + inicio, i - inicio);
        }
        coletarComEscapes();
        return decodificado(reinterpret_cast<const unsigned char *>(coletados_.data()),
                            static_cast<qsizetype>(coletados_.size()));
    }

    // A text value: a short one as lerTexto reads it (shared when it can be); a long one straight
    // from its UTF-8 bytes, which the value may keep as they are.
    ValorJSON lerValorDeTexto()
    {
        if (noFim() || atual() != '"')
            falhar();
        ++cursor_;
        const qsizetype inicio = cursor_;
        if (const qsizetype i = aspasSemEscape(); i >= 0) {
            cursor_ = i + 1;
            if (i - inicio > TextosCompartilhados::maiorTexto)
                return doUTF8(dados_ + inicio, i - inicio);
            return ValorJSON::texto(textosCompartilhados && !estrito_ ? compartilhado(dados_ + inicio, i - inicio)
                                                                      : decodificado(dados_ + inicio, i - inicio));
        }
        coletarComEscapes();
        return doUTF8(reinterpret_cast<const unsigned char *>(coletados_.data()), static_cast<qsizetype>(coletados_.size()));
    }

    // The position of the closing quote of the text the cursor is in, when no escape (nor, for
    // the strict grammar, a raw control character) comes before it; -1 otherwise.
    [[nodiscard]] qsizetype aspasSemEscape() const
    {
        for (qsizetype i = cursor_; i < tamanho_; ++i) {
            if (dados_[i] == '"')
                return i;
            if (dados_[i] == '\\' || (estrito_ && dados_[i] < 0x20))
                return -1;
        }
        return -1;
    }

    // Reads the rest of the text the cursor is in, past its closing quote, into coletados_ with
    // every escape resolved.
    void coletarComEscapes()
    {
        coletados_.clear();
        for (;;) {
            if (noFim())
                falhar();
            const unsigned char c = atual();
            ++cursor_;
            if (c == '"')
                return;
            if (estrito_ && c < 0x20)
                falhar();
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

    // Ill-formed UTF-8 is repaired, except by the strict grammar, which refuses it.
    // An equal text read before under the thread's TextosCompartilhados, or this one, kept there.
    QString compartilhado(const unsigned char *bytes, qsizetype tamanho) const
    {
        const std::string_view chave(reinterpret_cast<const char *>(bytes), std::size_t(tamanho));
        if (const auto visto = textosCompartilhados->find(chave); visto != textosCompartilhados->end())
            return *visto;
        return *textosCompartilhados->insert(decodificado(bytes, tamanho)).first;
    }

    ValorJSON doUTF8(const unsigned char *bytes, qsizetype tamanho) const
    {
        bool reparado = false;
        ValorJSON texto = ValorJSON::textoDeUTF8(QByteArrayView(bytes, tamanho), estrito_ ? &reparado : nullptr);
        if (reparado)
            falhar();
        return texto;
    }

    QString decodificado(const unsigned char *bytes, qsizetype tamanho) const
    {
        bool reparado = false;
        QString texto = decodificarUTF8(bytes, tamanho, estrito_ ? &reparado : nullptr);
        if (reparado)
            falhar();
        return texto;
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
        if (estrito_ && (p[0] == '+' || p[0] == '-'))
            falhar();
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
        if (ponto >= 0xD800 && ponto <= 0xDFFF) {
            if (estrito_)
                falhar(); // a lone surrogate has no text
            ponto = substituto;
        }
        acrescentarUTF8(coletados_, ponto);
    }

    ValorJSON lerNumero()
    {
        const qsizetype inicio = cursor_;
        while (!noFim() && ehDeNumero(atual()))
            ++cursor_;
        const char *primeiro = reinterpret_cast<const char *>(dados_ + inicio);
        const char *ultimo = reinterpret_cast<const char *>(dados_ + cursor_);
        if (primeiro == ultimo)
            falhar();
        if (estrito_) {
            if (!numeroPadrao(primeiro, ultimo))
                falhar();
            // Integer digits are kept exactly when they fit in 64 bits.
            qint64 inteiro = 0;
            const auto [fim, erro] = std::from_chars(primeiro, ultimo, inteiro);
            if (erro == std::errc() && fim == ultimo)
                return ValorJSON::inteiro(inteiro);
        }
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
        return ValorJSON::numero(valor);
    }

    // The standard number grammar: -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
    static bool numeroPadrao(const char *p, const char *fim)
    {
        const auto digitos = [&p, fim] {
            const char *inicio = p;
            while (p != fim && *p >= '0' && *p <= '9')
                ++p;
            return p - inicio;
        };
        if (p != fim && *p == '-')
            ++p;
        if (p != fim && *p == '0')
            ++p;
        else if (digitos() == 0)
            return false;
        if (p != fim && *p == '.') {
            ++p;
            if (digitos() == 0)
                return false;
        }
        if (p != fim && (*p == 'e' || *p == 'E')) {
            ++p;
            if (p != fim && (*p == '+' || *p == '-'))
                ++p;
            if (digitos() == 0)
                return false;
        }
        return p == fim;
    }

    const unsigned char *dados_;
    qsizetype tamanho_;
    bool estrito_;
    qsizetype cursor_ = 0;
    std::string coletados_; // the bytes of the text being read, reused between texts
};

} // namespace

ValorJSON ValorJSON::ler(const QByteArray &bytes)
{
    Analisador analisador(reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size(), false);
    return analisador.lerDocumento();
}

ValorJSON ValorJSON::lerEstrito(const QByteArray &bytes)
{
    Analisador analisador(reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size(), true);
    return analisador.lerDocumento();
}

TextosCompartilhados::TextosCompartilhados()
{
    if (!textosCompartilhados) {
        textosCompartilhados = new TabelaDeTextos;
        dono_ = true;
    }
}

TextosCompartilhados::~TextosCompartilhados()
{
    if (dono_) {
        delete textosCompartilhados;
        textosCompartilhados = nullptr;
    }
}
