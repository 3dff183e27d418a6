#include "core/Chaves.h"

#include <QTextBoundaryFinder>

#include <sodium.h>

namespace Cripto {

namespace {

constexpr qsizetype tamanhoDoSal = 16;
constexpr qsizetype tamanhoDaChaveMestra = 32;
constexpr qsizetype tamanhoDaChaveDoCofre = 32;
constexpr qsizetype tamanhoDoCodigo = 20;

const QString rotuloDeAutenticacao = QStringLiteral("corvane/v1/autenticacao");
const QString rotuloDeCifra = QStringLiteral("corvane/v1/cifra");
const QString rotuloDeRecuperacao = QStringLiteral("corvane/v1/recuperacao");
const QString rotuloDaProvaDeRecuperacao = QStringLiteral("corvane/v1/prova-de-recuperacao");

[[noreturn]] void falhar(const char *codigo)
{
    throw ErroDeCripto(QString::fromLatin1(codigo));
}

// The static initialiser runs sodium_init exactly once, even when several threads arrive together.
bool sodiumPronto()
{
    static const bool pronto = sodium_init() >= 0;
    return pronto;
}

void zerar(QByteArray &bytes)
{
    if (!bytes.isEmpty())
        sodium_memzero(bytes.data(), static_cast<size_t>(bytes.size()));
}

// Zeroes a text we own; a buffer still shared with the caller's string is left alone.
void zerar(QString &texto)
{
    if (!texto.isEmpty() && texto.isDetached())
        sodium_memzero(texto.data(), static_cast<size_t>(texto.size()) * sizeof(QChar));
}

// Zeroes a secret when its scope ends, thrown or not.
template <typename T>
class Zerar {
public:
    explicit Zerar(T &valor) : valor_(valor) {}
    ~Zerar() { zerar(valor_); }
    Zerar(const Zerar &) = delete;
    Zerar &operator=(const Zerar &) = delete;

private:
    T &valor_;
};

// An unpaired surrogate has no UTF-8 form (it would become "?", so two different passwords
// would stretch to the same key).
bool temSubstitutoSolto(const QString &texto)
{
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return true;
    }
    return false;
}

bool caractereDeCodigo(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'2' && u <= u'7');
}

} // namespace

QByteArray derivarChaveMestra(const QString &senha, const QByteArray &sal, const ParametrosKdf &parametros)
{
    // Bounds first: a caller can rely on "kdf-fraco" even when the salt is wrong too.
    if (parametros.algoritmo != u"argon2id" || parametros.paralelismo != 1 || parametros.iteracoes < 3
        || parametros.memoriaKiB < 65536 || parametros.iteracoes > 20 || parametros.memoriaKiB > 1048576)
        falhar("kdf-fraco");
    if (sal.size() != tamanhoDoSal)
        falhar("sal-invalido");

    QString normalizada = senha.normalized(QString::NormalizationForm_KC);
    const Zerar zerarNormalizada(normalizada);
    if (temSubstitutoSolto(normalizada))
        falhar("senha-invalida");
    QByteArray bytesDaSenha = normalizada.toUtf8();
    const Zerar zerarBytesDaSenha(bytesDaSenha);

    if (!sodiumPronto())
        falhar("libsodium-indisponivel");
    if (static_cast<size_t>(sal.size()) != crypto_pwhash_saltbytes())
        falhar("sal-invalido");

    unsigned char saida[tamanhoDaChaveMestra] = {};
    // An empty QByteArray still hands out a valid (empty) buffer, as crypto_pwhash expects.
    const int resultado = crypto_pwhash(saida, sizeof saida, bytesDaSenha.constData(),
                                        static_cast<unsigned long long>(bytesDaSenha.size()),
                                        reinterpret_cast<const unsigned char *>(sal.constData()),
                                        static_cast<unsigned long long>(parametros.iteracoes),
                                        static_cast<size_t>(parametros.memoriaKiB) * 1024U,
                                        crypto_pwhash_alg_argon2id13());
    if (resultado != 0) {
        sodium_memzero(saida, sizeof saida);
        falhar("argon2-falhou");
    }
    QByteArray mestra(reinterpret_cast<const char *>(saida), sizeof saida);
    sodium_memzero(saida, sizeof saida);
    return mestra;
}

ChavesDaSenha derivarChavesDaSenha(const QString &senha, const QByteArray &sal, const ParametrosKdf &parametros)
{
    QByteArray mestra = derivarChaveMestra(senha, sal, parametros);
    const Zerar zerarMestra(mestra);
    QByteArray prova = hkdf(mestra, rotuloDeAutenticacao, 32);
    const Zerar zerarProva(prova);
    return ChavesDaSenha{codificarBase64URL(prova), hkdf(mestra, rotuloDeCifra, 32)};
}

QByteArray abrirChaveDoCofre(const QString &chaveDoCofreProtegida, const QByteArray &chaveDeEmbrulho)
{
    QByteArray chave = abrirEnvelope(chaveDoCofreProtegida, chaveDeEmbrulho, rotuloDaChaveDoCofre);
    if (chave.size() != tamanhoDaChaveDoCofre) {
        zerar(chave);
        falhar("chave-do-cofre-invalida");
    }
    return chave;
}

QString agruparCodigoDeRecuperacao(const QString &codigo)
{
    // Groups count user-perceived characters, so a combining accent never splits from its letter.
    QString agrupado;
    agrupado.reserve(codigo.size() + codigo.size() / 4);
    QTextBoundaryFinder limites(QTextBoundaryFinder::Grapheme, codigo);
    qsizetype inicio = 0;
    int noGrupo = 0;
    for (qsizetype fim = limites.toNextBoundary(); fim > 0; fim = limites.toNextBoundary()) {
        if (noGrupo == 4) {
            agrupado.append(u'-');
            noGrupo = 0;
        }
        agrupado.append(QStringView(codigo).sliced(inicio, fim - inicio));
        ++noGrupo;
        inicio = fim;
    }
    return agrupado;
}

QByteArray lerCodigoDeRecuperacao(const QString &codigo)
{
    // Separators, spaces and characters outside the code alphabet (also 0, 1, 8 and 9) drop out.
    // The filter works on user-perceived characters: a letter carrying a combining accent is an
    // accented letter and drops out whole, as the precomposed one does.
    QString filtrado;
    filtrado.reserve(codigo.size());
    QTextBoundaryFinder limites(QTextBoundaryFinder::Grapheme, codigo);
    qsizetype inicio = 0;
    for (qsizetype fim = limites.toNextBoundary(); fim > 0; fim = limites.toNextBoundary()) {
        if (fim - inicio == 1 && caractereDeCodigo(codigo[inicio]))
            filtrado.append(codigo[inicio]);
        inicio = fim;
    }
    const Zerar zerarFiltrado(filtrado);

    QByteArray bytes;
    try {
        bytes = decodificarBase32(filtrado);
    } catch (const ErroDeCripto &) {
        falhar("codigo-de-recuperacao-invalido");
    }
    if (bytes.size() != tamanhoDoCodigo) {
        zerar(bytes);
        falhar("codigo-de-recuperacao-invalido");
    }
    return bytes;
}

ChavesDeRecuperacao derivarChavesDeRecuperacao(const QString &codigo)
{
    QByteArray bytes = lerCodigoDeRecuperacao(codigo);
    const Zerar zerarBytes(bytes);
    QByteArray prova = hkdf(bytes, rotuloDaProvaDeRecuperacao, 32);
    const Zerar zerarProva(prova);
    return ChavesDeRecuperacao{codificarBase64URL(prova), hkdf(bytes, rotuloDeRecuperacao, 32)};
}

} // namespace Cripto
