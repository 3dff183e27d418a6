#include "core/LeitorDaCopia.h"

#include <QThread>

#include <algorithm>
#include <exception>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

// A cursor over the copy's bytes. Every `ler…` gives false, or nothing, at the first byte that
// is not the writer's layout, and the whole read is then handed to the general reader.
class Cursor {
public:
    explicit Cursor(QByteArrayView bytes) : p_(bytes.constData()), fim_(p_ + bytes.size()) {}
    Cursor(const char *inicio, const char *fim) : p_(inicio), fim_(fim) {}

    [[nodiscard]] const char *posicao() const { return p_; }
    [[nodiscard]] const char *fim() const { return fim_; }

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

// Reads "item,item,…,item" from `c` until the text after an item is not ",". The list gets room
// for more items than the bytes can hold (about 550 bytes an item), so it never grows; it lives
// only while the vault opens, and the pages of its unused tail are never touched.
bool lerSequencia(Cursor &c, QList<ItemCifrado> &itens)
{
    itens.reserve(itens.size() + (c.fim() - c.posicao()) / 400 + 1);
    Datas datas;
    do {
        auto item = lerItem(c, datas);
        if (!item)
            return false;
        itens.append(std::move(*item));
    } while (c.literal(","));
    return true;
}

// Reads the items from `c` up to `proximo`, which must be where the item after the last one read
// starts: "item,item,…,item," then `proximo`.
bool lerAte(Cursor &c, const char *proximo, QList<ItemCifrado> &itens)
{
    itens.reserve((proximo - c.posicao()) / 400 + 1);
    Datas datas;
    while (true) {
        auto item = lerItem(c, datas);
        if (!item)
            return false;
        itens.append(std::move(*item));
        if (!c.literal(","))
            return false;
        if (c.posicao() >= proximo)
            return c.posicao() == proximo;
    }
}

// Where the items of a large list start, cut into about equal parts: each cut is the first
// `,{"id":"` at or after its share of the bytes. Only a guess: the texts of the writer's layout
// hold no '"', so each is a real item start when the whole list has that layout, and the parts
// are checked against each other when read.
std::vector<const char *> cortes(const Cursor &c, int partes)
{
    constexpr std::string_view inicioDeItem = ",{\"id\":\"";
    const std::string_view resto(c.posicao(), std::size_t(c.fim() - c.posicao()));
    std::vector<const char *> achados{c.posicao()};
    for (int parte = 1; parte < partes; ++parte) {
        const std::size_t desde = resto.size() * std::size_t(parte) / std::size_t(partes);
        const std::size_t achado = resto.find(inicioDeItem, desde);
        if (achado == std::string_view::npos)
            break;
        const char *corte = resto.data() + achado + 1;
        if (corte > achados.back())
            achados.push_back(corte);
    }
    return achados;
}

// A large copy's items, read in parts on several threads: a part reads from one cut to the next,
// and only a part that ends exactly on the next cut counts. The first part starts at the first
// item, so by induction every cut is an item start of the whole list read in order, and the
// items are those, in that order. When any part does not fit, nothing of the parts is used.
bool lerEmPartes(Cursor &c, QList<ItemCifrado> &itens, qsizetype emPartesDesde)
{
    const int linhas = std::clamp(QThread::idealThreadCount(), 1, LeitorDaCopia::maximoDeLinhas);
    const qsizetype tamanho = c.fim() - c.posicao();
    if (linhas == 1 || tamanho < emPartesDesde)
        return lerSequencia(c, itens);
    const std::vector<const char *> inicios = cortes(c, linhas);
    const std::size_t partes = inicios.size();
    if (partes == 1)
        return lerSequencia(c, itens);

    std::vector<QList<ItemCifrado>> lidos(partes);
    std::vector<char> certas(partes, 0);
    std::vector<std::exception_ptr> falhas(partes);
    Cursor ultimo(inicios.back(), c.fim());
    const auto lerParte = [&](std::size_t parte) {
        try {
            if (parte + 1 < partes) {
                Cursor cursor(inicios[parte], c.fim());
                certas[parte] = lerAte(cursor, inicios[parte + 1], lidos[parte]);
            } else {
                certas[parte] = lerSequencia(ultimo, lidos[parte]);
            }
        } catch (...) {
            falhas[parte] = std::current_exception(); // rethrown on the caller's thread
        }
    };
    {
        std::vector<std::jthread> ajudantes;
        ajudantes.reserve(partes - 1);
        std::size_t parte = 1;
        for (; parte < partes; ++parte) {
            try {
                ajudantes.emplace_back(lerParte, parte);
            } catch (const std::system_error &) {
                break; // no thread to spare: this one reads the rest
            }
        }
        for (std::size_t sem = parte; sem < partes; ++sem)
            lerParte(sem);
        lerParte(0);
    }
    for (const std::exception_ptr &falha : falhas)
        if (falha)
            std::rethrow_exception(falha);
    if (std::find(certas.begin(), certas.end(), 0) != certas.end())
        return lerSequencia(c, itens);

    qsizetype total = 0;
    for (const QList<ItemCifrado> &lista : lidos)
        total += lista.size();
    itens.reserve(total);
    for (QList<ItemCifrado> &lista : lidos) {
        for (ItemCifrado &item : lista)
            itens.append(std::move(item));
        lista = {}; // given back part by part, for the next parts' items to reuse
    }
    c = ultimo;
    return true;
}

} // namespace

std::optional<CopiaDoCofre> LeitorDaCopia::lerDireto(QByteArrayView bytes, qsizetype emPartesDesde)
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

    if (!c.literal("]")) {
        if (!lerEmPartes(c, copia.itens, emPartesDesde))
            return std::nullopt;
        if (!c.literal("]"))
            return std::nullopt;
    }
    if (!c.literal("}") || !c.noFim())
        return std::nullopt;
    // The account record is small and has optional parts: the general reader reads it.
    copia.conta = Conta::deJSON(Leitor(CodificacaoJSON::lerDocumento(*conta), QStringLiteral("conta")));
    return copia;
}
