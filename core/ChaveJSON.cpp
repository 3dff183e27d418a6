#include "core/ChaveJSON.h"

#include "core/ValorJSON.h"

#include <deque>
#include <mutex>
#include <string_view>
#include <unordered_set>

namespace {

using ChavesJSON::Nome;

bool semComposicao(QStringView texto)
{
    for (const QChar c : texto) {
        if (c.unicode() >= 0x0300)
            return false;
    }
    return true;
}

// Text in printable ASCII, one byte a code unit, as the parser hands it over.
struct Ascii {
    std::string_view bytes;
};

// Hash and equality read a name's code units, so a name is found from UTF-16 text and from ASCII
// bytes alike (an ASCII byte is its own code unit).
struct HashDeNome {
    using is_transparent = void;
    static constexpr std::size_t inicio = 14695981039346656037ULL; // FNV-1a
    static constexpr std::size_t primo = 1099511628211ULL;
    std::size_t operator()(QStringView texto) const noexcept
    {
        std::size_t h = inicio;
        for (const QChar c : texto)
            h = (h ^ c.unicode()) * primo;
        return h;
    }
    std::size_t operator()(Ascii texto) const noexcept
    {
        std::size_t h = inicio;
        for (const char c : texto.bytes)
            h = (h ^ static_cast<unsigned char>(c)) * primo;
        return h;
    }
    std::size_t operator()(const Nome *nome) const noexcept { return (*this)(QStringView(nome->texto)); }
};

bool iguais(Ascii a, QStringView b) noexcept
{
    if (qsizetype(a.bytes.size()) != b.size())
        return false;
    for (qsizetype i = 0; i < b.size(); ++i) {
        if (b[i].unicode() != static_cast<unsigned char>(a.bytes[std::size_t(i)]))
            return false;
    }
    return true;
}

struct NomesIguais {
    using is_transparent = void;
    static QStringView de(const Nome *nome) { return nome->texto; }
    bool operator()(const Nome *a, const Nome *b) const noexcept { return a == b; }
    bool operator()(QStringView a, const Nome *b) const noexcept { return a == de(b); }
    bool operator()(const Nome *a, QStringView b) const noexcept { return de(a) == b; }
    bool operator()(Ascii a, const Nome *b) const noexcept { return iguais(a, de(b)); }
    bool operator()(const Nome *a, Ascii b) const noexcept { return iguais(b, de(a)); }
};

// The keys of item contents and of the records around them: found without a lock.
class Conhecidas {
public:
    Conhecidas()
    {
        for (const QString &texto : {
                 QStringLiteral("titulo"),   QStringLiteral("emissor"),  QStringLiteral("conta"),
                 QStringLiteral("segredo"),  QStringLiteral("algoritmo"), QStringLiteral("digitos"),
                 QStringLiteral("periodo"),  QStringLiteral("usuario"),  QStringLiteral("senha"),
                 QStringLiteral("sites"),    QStringLiteral("notas"),    QStringLiteral("favorito"),
                 QStringLiteral("texto"),    QStringLiteral("codigo"),   QStringLiteral("id"),
                 QStringLiteral("tipo"),     QStringLiteral("dados"),    QStringLiteral("revisao"),
                 QStringLiteral("criadoEm"), QStringLiteral("atualizadoEm"), QStringLiteral("apagadoEm"),
             }) {
            Nome &nome = nomes_.emplace_back();
            nome.texto = texto;
            nome.simples = true;
            tabela_.insert(&nome);
        }
    }

    template <typename Texto>
    [[nodiscard]] const Nome *achar(const Texto &texto) const
    {
        const auto achado = tabela_.find(texto);
        return achado == tabela_.end() ? nullptr : *achado;
    }

    static const Conhecidas &todas()
    {
        static const Conhecidas *const unicas = new Conhecidas; // never destroyed: handles outlive statics
        return *unicas;
    }

private:
    std::deque<Nome> nomes_; // a deque keeps every name in place
    std::unordered_set<const Nome *, HashDeNome, NomesIguais> tabela_;
};

// Every other name met, once each, under a lock: items are opened on several threads at once.
// Never freed, so handles to it need no counting; bounded, so no input grows it without end.
class Conjunto {
public:
    static Conjunto &unico()
    {
        static Conjunto *const conjunto = new Conjunto; // never destroyed: handles outlive statics
        return *conjunto;
    }

    // The pooled name equal to `texto`, found or added; null when the pool does not take it.
    template <typename Texto, typename Criar>
    [[nodiscard]] const Nome *achar(const Texto &texto, qsizetype tamanho, Criar &&criar)
    {
        if (tamanho > ChavesJSON::maiorNomeNoConjunto)
            return nullptr;
        const std::lock_guard trava(mutex_);
        if (const auto achado = tabela_.find(texto); achado != tabela_.end())
            return *achado;
        if (tabela_.size() >= ChavesJSON::maisNomesNoConjunto)
            return nullptr;
        Nome &nome = nomes_.emplace_back();
        nome.texto = criar();
        nome.simples = semComposicao(nome.texto);
        tabela_.insert(&nome);
        return &nome;
    }

    std::size_t tamanho()
    {
        const std::lock_guard trava(mutex_);
        return tabela_.size();
    }

private:
    std::mutex mutex_;
    std::deque<Nome> nomes_;
    std::unordered_set<const Nome *, HashDeNome, NomesIguais> tabela_;
};

const Nome *proprio(QString texto)
{
    auto *nome = new Nome;
    nome->texto = std::move(texto);
    nome->simples = semComposicao(nome->texto);
    nome->proprio = true;
    return nome;
}

const Nome *nomeDe(const QString &texto)
{
    if (texto.isEmpty())
        return &ChavesJSON::nomeVazio;
    if (const Nome *conhecido = Conhecidas::todas().achar(QStringView(texto)))
        return conhecido;
    if (const Nome *pooled = Conjunto::unico().achar(QStringView(texto), texto.size(), [&texto] { return texto; }))
        return pooled;
    return proprio(texto);
}

} // namespace

std::size_t ChavesJSON::nomesNoConjunto()
{
    return Conjunto::unico().tamanho();
}

ChaveJSON::ChaveJSON(const QString &texto) : nome_(nomeDe(texto)) {}

ChaveJSON::ChaveJSON(QLatin1String texto) : nome_(nomeDe(QString(texto))) {}

ChaveJSON::ChaveJSON(const char *utf8) : nome_(nomeDe(QString::fromUtf8(utf8))) {}

ChaveJSON ChaveJSON::deAscii(const char *bytes, qsizetype tamanho)
{
    if (tamanho == 0)
        return ChaveJSON();
    const Ascii texto{std::string_view(bytes, std::size_t(tamanho))};
    if (const Nome *conhecido = Conhecidas::todas().achar(texto))
        return ChaveJSON(conhecido);
    const auto criar = [&texto] { return QString::fromLatin1(texto.bytes.data(), qsizetype(texto.bytes.size())); };
    if (const Nome *pooled = Conjunto::unico().achar(texto, tamanho, criar))
        return ChaveJSON(pooled);
    return ChaveJSON(proprio(criar()));
}

bool operator==(const ChaveJSON &a, const ChaveJSON &b)
{
    if (a.nome_ == b.nome_)
        return true;
    if (a.simples() && b.simples())
        return a.texto() == b.texto(); // distinct pooled names differ; owned ones may repeat a text
    return ValorJSON::textosEquivalentes(a.texto(), b.texto());
}
