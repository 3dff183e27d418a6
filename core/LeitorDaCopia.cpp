#include "core/LeitorDaCopia.h"

#include <string_view>
#include <unordered_map>

namespace {

// A cursor over the copy's bytes. Every `ler…` gives false, or nothing, at the first byte that
// is not the writer's layout, and the whole read is then handed to the general reader.
class Cursor {
public:
    explicit Cursor(const QByteArray &bytes) : p_(bytes.constData()), fim_(p_ + bytes.size()) {}

    [[nodiscard]] bool noFim() const { return p_ == fim_; }
    [[nodiscard]] char atual() const { return p_ < fim_ ? *p_ : '\0'; }

    [[nodiscard]] bool literal(std::string_view esperado)
    {
        if (std::size_t(fim_ - p_) < esperado.size() || std::string_view(p_, esperado.size()) != esperado)
            return false;
        p_ += esperado.size();
        return true;
    }

    // A text of printable ASCII without escapes: exactly what it decodes to, byte for byte.
    [[nodiscard]] std::optional<std::string_view> texto()
    {
        if (atual() != '"')
            return std::nullopt;
        const char *inicio = ++p_;
        while (p_ < fim_) {
            const auto c = static_cast<unsigned char>(*p_);
            if (c == '"') {
                const std::string_view lido(inicio, std::size_t(p_ - inicio));
                ++p_;
                return lido;
            }
            if (c < 0x20 || c >= 0x7f || c == '\\')
                return std::nullopt;
            ++p_;
        }
        return std::nullopt;
    }

    // A plain integer of at most 15 digits, so it is exact as the double the general reader
    // makes of it; no fraction, exponent or leading zero.
    [[nodiscard]] std::optional<qint64> inteiro()
    {
        const bool negativo = atual() == '-';
        if (negativo)
            ++p_;
        const char *inicio = p_;
        qint64 valor = 0;
        // Digits past the 15th are only counted: accumulating them could overflow.
        for (; p_ < fim_ && *p_ >= '0' && *p_ <= '9'; ++p_)
            if (p_ - inicio < 15)
                valor = valor * 10 + (*p_ - '0');
        const auto digitos = p_ - inicio;
        if (digitos == 0 || digitos > 15 || (digitos > 1 && *inicio == '0'))
            return std::nullopt;
        if (p_ < fim_ && (*p_ == '.' || *p_ == 'e' || *p_ == 'E'))
            return std::nullopt;
        return negativo ? -valor : valor;
    }

    // The bytes of one object or list starting here, found by nesting depth outside texts.
    [[nodiscard]] std::optional<QByteArray> agrupado()
    {
        const char *inicio = p_;
        int profundidade = 0;
        bool emTexto = false;
        for (; p_ < fim_; ++p_) {
            const char c = *p_;
            if (emTexto) {
                if (c == '\\' && p_ + 1 < fim_)
                    ++p_;
                else if (c == '"')
                    emTexto = false;
            } else if (c == '"') {
                emTexto = true;
            } else if (c == '{' || c == '[') {
                ++profundidade;
            } else if (c == '}' || c == ']') {
                if (--profundidade == 0) {
                    ++p_;
                    return QByteArray(inicio, p_ - inicio);
                }
            }
            if (profundidade == 0)
                return std::nullopt; // not an object or list
        }
        return std::nullopt;
    }

private:
    const char *p_;
    const char *fim_;
};

// The server's date texts repeat across items (an import saves many in the same second): one
// shared text per distinct value read.
class Datas {
public:
    QString texto(std::string_view bytes)
    {
        auto [lugar, novo] = vistas_.try_emplace(bytes);
        if (novo)
            lugar->second = QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
        return lugar->second;
    }

private:
    std::unordered_map<std::string_view, QString> vistas_;
};

QString latin1(std::string_view bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

std::optional<ItemCifrado> lerItem(Cursor &c, Datas &datas)
{
    ItemCifrado item;
    if (!c.literal("{\"id\":"))
        return std::nullopt;
    const auto id = c.texto();
    if (!id || !c.literal(",\"tipo\":"))
        return std::nullopt;
    const auto tipo = c.texto();
    if (!tipo)
        return std::nullopt;
    const auto conhecido = tipoDeItem(latin1(*tipo));
    if (!conhecido)
        return std::nullopt; // the general reader reports it
    item.id = latin1(*id);
    item.tipo = *conhecido;
    if (c.literal(",\"dados\":")) {
        const auto dados = c.texto();
        if (!dados)
            return std::nullopt;
        item.dados = TextoSelado::deUtf8(QByteArrayView(dados->data(), qsizetype(dados->size())));
    }
    if (!c.literal(",\"revisao\":"))
        return std::nullopt;
    const auto revisao = c.inteiro();
    if (!revisao || !c.literal(",\"criadoEm\":"))
        return std::nullopt;
    item.revisao = *revisao;
    const auto criadoEm = c.texto();
    if (!criadoEm || !c.literal(",\"atualizadoEm\":"))
        return std::nullopt;
    const auto atualizadoEm = c.texto();
    if (!atualizadoEm)
        return std::nullopt;
    item.criadoEm = datas.texto(*criadoEm);
    item.atualizadoEm = datas.texto(*atualizadoEm);
    if (c.literal(",\"apagadoEm\":")) {
        const auto apagadoEm = c.texto();
        if (!apagadoEm)
            return std::nullopt;
        item.apagadoEm = datas.texto(*apagadoEm);
    }
    if (!c.literal("}"))
        return std::nullopt;
    return item;
}

} // namespace

std::optional<CopiaDoCofre> LeitorDaCopia::lerDireto(const QByteArray &bytes)
{
    Cursor c(bytes);
    CopiaDoCofre copia;
    if (!c.literal("{\"versao\":"))
        return std::nullopt;
    const auto versao = c.inteiro();
    if (!versao || !c.literal(",\"conta\":"))
        return std::nullopt;
    copia.versao = *versao;
    const auto conta = c.agrupado();
    if (!conta || !conta->startsWith('{') || !c.literal(",\"revisao\":"))
        return std::nullopt;
    const auto revisao = c.inteiro();
    if (!revisao || !c.literal(",\"itens\":["))
        return std::nullopt;
    copia.revisao = *revisao;

    // About 550 bytes an item in a real copy: one growth of the list at most.
    copia.itens.reserve(bytes.size() / 400 + 1);
    Datas datas;
    if (!c.literal("]")) {
        do {
            auto item = lerItem(c, datas);
            if (!item)
                return std::nullopt;
            copia.itens.append(std::move(*item));
        } while (c.literal(","));
        if (!c.literal("]"))
            return std::nullopt;
    }
    // The list is kept while the vault opens from it: the room reserved for a guess is given back.
    copia.itens.squeeze();
    if (!c.literal("}") || !c.noFim())
        return std::nullopt;
    // The account record is small and has optional parts: the general reader reads it.
    copia.conta = Conta::deJSON(Leitor(CodificacaoJSON::lerDocumento(*conta), QStringLiteral("conta")));
    return copia;
}
