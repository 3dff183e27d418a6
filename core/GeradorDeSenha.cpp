#include "core/GeradorDeSenha.h"

#include "core/CodificacaoJSON.h"
#include "core/Codecs.h"
#include "core/ErroDeCripto.h"

#include <QList>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr qint64 menorTamanho = 8;
constexpr qint64 maiorTamanho = 128;

// The character classes, in the order in which they are chosen and joined into the pool.
const QString &maiusculasDoAlfabeto()
{
    static const QString classe = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    return classe;
}
const QString &minusculasDoAlfabeto()
{
    static const QString classe = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    return classe;
}
const QString &algarismos()
{
    static const QString classe = QStringLiteral("0123456789");
    return classe;
}
const QString &simbolosDoGerador()
{
    static const QString classe = QStringLiteral("!@#$%&*-_=+?.:;");
    return classe;
}

// Characters easily mistaken for one another when read or typed by hand.
const QString &caracteresAmbiguos()
{
    static const QString ambiguos = QStringLiteral("Il1O0o");
    return ambiguos;
}

QString semAmbiguos(const QString &classe)
{
    QString resultado;
    for (const QChar c : classe) {
        if (!caracteresAmbiguos().contains(c))
            resultado.append(c);
    }
    return resultado;
}

const QStringList &sequenciasDoTeclado()
{
    static const QStringList tabela = {"0123", "1234", "2345", "3456", "4567",
                                       "5678", "6789", "abcd", "qwer", "asdf"};
    return tabela;
}

// The most-used passwords, compared with the lower-cased password.
const QSet<QString> &senhasComuns()
{
    static const QSet<QString> conjunto = {
        // digits only
        "123456", "12345678", "123456789", "1234567890", "1234", "654321", "111111", "000000", "123123", "121212",
        // letters only
        "senha", "password", "qwertyuiop", "admin", "iloveyou", "monkey", "dragon", "sunshine", "princess",
        "football", "flamengo", "brasil", "gabriel",
        // letters and digits
        "senha123", "password1", "abc123", "admin123", "teste123", "qwerty123", "1q2w3e4r"};
    return conjunto;
}

QChar escolher(const QString &classe, const FonteDeBytes &fonte)
{
    return classe.at(qsizetype(indiceAleatorio(quint32(classe.size()), fonte)));
}

} // namespace

QByteArray OpcoesDeSenha::codificar() const
{
    return Escritor()
        .inteiro(QStringLiteral("tamanho"), tamanho)
        .flag(QStringLiteral("maiusculas"), maiusculas)
        .flag(QStringLiteral("minusculas"), minusculas)
        .flag(QStringLiteral("numeros"), numeros)
        .flag(QStringLiteral("simbolos"), simbolos)
        .flag(QStringLiteral("semAmbiguos"), semAmbiguos)
        .documento();
}

std::optional<OpcoesDeSenha> OpcoesDeSenha::decodificar(const QByteArray &dados)
{
    try {
        const Leitor leitor(CodificacaoJSON::lerDocumento(dados));
        return OpcoesDeSenha{leitor.exigirInteiro<qint64>(QStringLiteral("tamanho")),
                             leitor.exigirFlag(QStringLiteral("maiusculas")),
                             leitor.exigirFlag(QStringLiteral("minusculas")),
                             leitor.exigirFlag(QStringLiteral("numeros")),
                             leitor.exigirFlag(QStringLiteral("simbolos")),
                             leitor.exigirFlag(QStringLiteral("semAmbiguos"))};
    } catch (const ErroDeDecodificacao &) {
        return std::nullopt; // unreadable: the caller falls back to the defaults
    } catch (const ErroDeCripto &) {
        return std::nullopt; // the JSON parser's own error, should it surface here
    }
}

FonteDeBytes fonteDoSistema()
{
    return [](qsizetype quantidade) { return Cripto::bytesAleatorios(quantidade); };
}

quint32 indiceAleatorio(quint32 n, const FonteDeBytes &fonte)
{
    Q_ASSERT(n >= 1);
    if (n == 0)
        return 0;
    // In 64 bits: for n = 1 (or any power of two) the limit is 2^32 itself, which a 32-bit
    // computation would wrap to 0 and then reject every draw for ever.
    const quint64 limite = ((quint64(1) << 32) / n) * n;
    for (;;) {
        const QByteArray b = fonte(4);
        // A source that breaks its contract is a programming error; never pad or loop on it.
        if (b.size() != 4)
            qFatal("fonte de bytes devolveu %lld bytes em vez de 4", qlonglong(b.size()));
        const quint32 valor = (quint32(quint8(b[0])) << 24) | (quint32(quint8(b[1])) << 16) |
                              (quint32(quint8(b[2])) << 8) | quint32(quint8(b[3]));
        if (valor < limite)
            return valor % n;
    }
}

QString gerarSenha(const OpcoesDeSenha &com, const FonteDeBytes &fonte)
{
    const qint64 tamanho = qBound(menorTamanho, com.tamanho, maiorTamanho);

    QStringList classes;
    const std::pair<bool, const QString &> candidatas[] = {{com.maiusculas, maiusculasDoAlfabeto()},
                                                          {com.minusculas, minusculasDoAlfabeto()},
                                                          {com.numeros, algarismos()},
                                                          {com.simbolos, simbolosDoGerador()}};
    for (const auto &[escolhida, classe] : candidatas) {
        if (escolhida)
            classes.append(com.semAmbiguos ? semAmbiguos(classe) : classe);
    }
    // Nothing chosen: plain lower-case letters, complete, so the pool is never empty.
    if (classes.isEmpty())
        classes.append(minusculasDoAlfabeto());

    const QString conjunto = classes.join(QString());
    QString senha;
    senha.reserve(qsizetype(tamanho));
    for (const QString &classe : std::as_const(classes))
        senha.append(escolher(classe, fonte));
    while (senha.size() < tamanho)
        senha.append(escolher(conjunto, fonte));

    for (qsizetype i = senha.size() - 1; i >= 1; --i) {
        const auto j = qsizetype(indiceAleatorio(quint32(i + 1), fonte));
        if (j != i)
            std::swap(senha[i], senha[j]);
    }
    return senha;
}

QString rotuloDoNivel(int nivel)
{
    switch (std::clamp(nivel, 0, 4)) {
    case 0:
        return QStringLiteral("Muito fraca");
    case 1:
        return QStringLiteral("Fraca");
    case 2:
        return QStringLiteral("Razoável");
    case 3:
        return QStringLiteral("Forte");
    default:
        return QStringLiteral("Muito forte");
    }
}

AvaliacaoDaSenha dicasDaSenha(const QString &senha)
{
    if (senha.isEmpty())
        return {0, 0, {QStringLiteral("Digite uma senha.")}};
    const QString minuscula = senha.toLower();
    if (senhasComuns().contains(minuscula))
        return {0, 0, {QStringLiteral("Essa senha está entre as mais usadas.")}};

    bool temMinuscula = false, temMaiuscula = false, temAlgarismo = false, temOutro = false;
    QSet<char32_t> distintos;
    for (const char32_t c : senha.toUcs4()) {
        distintos.insert(c);
        if (c >= U'a' && c <= U'z')
            temMinuscula = true;
        else if (c >= U'A' && c <= U'Z')
            temMaiuscula = true;
        else if (c >= U'0' && c <= U'9')
            temAlgarismo = true;
        else
            temOutro = true;
    }
    const int conjunto = (temMinuscula ? 26 : 0) + (temMaiuscula ? 26 : 0) + (temAlgarismo ? 10 : 0) +
                         (temOutro ? 33 : 0);
    const qsizetype tamanhoEfetivo = qMin(senha.size(), 2 * distintos.size());
    double estimativa = std::log2(double(qMax(conjunto, 2))) * double(tamanhoEfetivo);

    QStringList dicas;
    for (qsizetype i = 2; i < senha.size(); ++i) {
        if (senha[i] == senha[i - 1] && senha[i] == senha[i - 2]) {
            estimativa *= 0.8;
            dicas.append(QStringLiteral("Evite repetir o mesmo caractere."));
            break;
        }
    }
    for (const QString &sequencia : sequenciasDoTeclado()) {
        if (minuscula.contains(sequencia)) {
            estimativa *= 0.75;
            dicas.append(QStringLiteral("Evite sequências do teclado."));
            break;
        }
    }
    if (senha.size() < 12)
        dicas.append(QStringLiteral("Use pelo menos 12 caracteres."));

    const int nivel = estimativa < 28 ? 0 : estimativa < 40 ? 1 : estimativa < 60 ? 2 : estimativa < 80 ? 3 : 4;
    return {nivel, qint64(std::llround(estimativa)), dicas};
}
