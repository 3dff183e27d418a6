#include "kit/RegrasDoIconeDoServico.h"

#include <QHash>
#include <QTextBoundaryFinder>

namespace iconeDoServico {

namespace {

const QHash<QString, const Servico *> &indice()
{
    static const QHash<QString, const Servico *> porId = [] {
        QHash<QString, const Servico *> mapa;
        for (const Servico &servico : Servico::todos())
            mapa.insert(servico.id, &servico);
        return mapa;
    }();
    return porId;
}

qsizetype tamanhoEmEscalares(const QString &texto)
{
    return texto.toUcs4().size();
}

QString primeiroCaractere(const QString &texto)
{
    QTextBoundaryFinder grafemas(QTextBoundaryFinder::Grapheme, texto);
    const qsizetype fim = grafemas.toNextBoundary();
    return texto.left(fim > 0 ? fim : 1);
}

} // namespace

const std::array<ParDeCores, 8> &paresDoMonograma()
{
    static const std::array<ParDeCores, 8> pares{{
        {QColor(0xE8, 0xEE, 0xFF), QColor(0x2B, 0x4F, 0xB8)},
        {QColor(0xE9, 0xF6, 0xEF), QColor(0x1F, 0x6B, 0x47)},
        {QColor(0xFD, 0xEF, 0xE3), QColor(0x9A, 0x4B, 0x12)},
        {QColor(0xF3, 0xEB, 0xFB), QColor(0x5B, 0x3A, 0x8E)},
        {QColor(0xFC, 0xE9, 0xEE), QColor(0x9B, 0x2C, 0x47)},
        {QColor(0xE6, 0xF5, 0xF7), QColor(0x1D, 0x66, 0x70)},
        {QColor(0xF6, 0xF1, 0xDF), QColor(0x7A, 0x5B, 0x10)},
        {QColor(0xEE, 0xF0, 0xF4), QColor(0x2A, 0x32, 0x42)},
    }};
    return pares;
}

QString normalizar(const QString &texto)
{
    // Decompose so accents become separate marks, drop the marks, fold case, keep what is a
    // letter or a number (code point by code point, so letters outside the BMP survive).
    const QString decomposto = texto.normalized(QString::NormalizationForm_D).toCaseFolded().toLower();
    QString resultado;
    for (const char32_t escalar : decomposto.toUcs4()) {
        if (QChar::category(escalar) == QChar::Mark_NonSpacing)
            continue;
        if (QChar::isLetterOrNumber(escalar))
            resultado.append(QString::fromUcs4(&escalar, 1));
    }
    return resultado;
}

const Servico *resolver(const QString &nome, const QStringList &dicas, const QString &escolhido)
{
    if (const auto achado = indice().constFind(escolhido); achado != indice().cend())
        return *achado;

    QStringList candidatos;
    for (const QString &texto : QStringList{nome} + dicas) {
        const QString normalizado = normalizar(texto);
        if (!normalizado.isEmpty())
            candidatos << normalizado;
    }
    const QList<Servico> &catalogo = Servico::todos();
    for (const QString &candidato : candidatos) {
        if (const auto achado = indice().constFind(candidato); achado != indice().cend())
            return *achado;
        for (const Servico &servico : catalogo) {
            if (servico.apelidos.contains(candidato))
                return &servico;
        }
    }
    for (const QString &candidato : candidatos) {
        if (tamanhoEmEscalares(candidato) < 4)
            continue;
        for (const Servico &servico : catalogo) {
            for (const QString &apelido : servico.apelidos) {
                const qsizetype tamanho = tamanhoEmEscalares(apelido);
                if (tamanho < 4)
                    continue;
                if (candidato.startsWith(apelido) || (tamanho >= 5 && candidato.contains(apelido)))
                    return &servico;
            }
        }
    }
    return nullptr;
}

bool corClara(quint32 cor)
{
    const double r = ((cor >> 16) & 0xFF) / 255.0;
    const double g = ((cor >> 8) & 0xFF) / 255.0;
    const double b = (cor & 0xFF) / 255.0;
    return 0.2126 * r + 0.7152 * g + 0.0722 * b > 0.82;
}

std::uint64_t hashDoNome(const QString &normalizado)
{
    // Unsigned arithmetic wraps by definition; the bits are those of the signed two's-complement
    // computation the colour choice was defined with.
    std::uint64_t hash = 5381;
    for (const char32_t escalar : normalizado.toUcs4())
        hash = hash * 33 + escalar;
    return hash;
}

int indiceDoHash(std::uint64_t hash)
{
    // The magnitude of the signed value, taken without ever negating INT64_MIN as a signed number.
    const bool negativo = (hash >> 63) != 0;
    const std::uint64_t magnitude = negativo ? ~hash + 1 : hash;
    return static_cast<int>(magnitude % 8);
}

QString letraDoMonograma(const QString &nome)
{
    const QString aparado = nome.trimmed();
    if (aparado.isEmpty())
        return QStringLiteral("•");
    return primeiroCaractere(aparado).toUpper();
}

int indiceDoMonograma(const QString &nome)
{
    const QString normalizado = normalizar(nome.trimmed());
    if (normalizado.isEmpty())
        return 5;
    return indiceDoHash(hashDoNome(normalizado));
}

QString marcaDoServico(const Servico &servico)
{
    return primeiroCaractere(servico.nome).toUpper();
}

} // namespace iconeDoServico
