// Lists updated by difference: the steps turn any listing into any other, move only the rows
// that left the longest kept run, and a model driven by them never resets and keeps the
// identity of every row that stays.
#include "kit/ListaPorDiferenca.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using Passo = ListaPorDiferenca::Passo;

QStringList letras(const char *texto)
{
    QStringList lista;
    for (const char *c = texto; *c; ++c)
        lista << QString(QLatin1Char(*c));
    return lista;
}

// What the steps do to a list of keys, as a view would see them.
QStringList aplicar(QStringList atuais, const QStringList &novas, const QList<Passo> &passos)
{
    for (const Passo &p : passos) {
        switch (p.tipo) {
        case Passo::Tipo::remover:
            atuais.remove(p.de, p.ate - p.de + 1);
            break;
        case Passo::Tipo::mover:
            atuais.move(p.de, p.para);
            break;
        case Passo::Tipo::inserir:
            for (int j = p.de; j <= p.ate; ++j)
                atuais.insert(j, novas.at(j));
            break;
        }
    }
    return atuais;
}

qsizetype contar(const QList<Passo> &passos, Passo::Tipo tipo)
{
    return std::count_if(passos.cbegin(), passos.cend(), [tipo](const Passo &p) { return p.tipo == tipo; });
}

TEST(ListaPorDiferenca, PassosLevamDeUmaListaAOutraMovendoOMinimo)
{
    QStringList cem;
    for (int i = 0; i < 100; ++i)
        cem << QString::number(i);
    QStringList cemAoContrario(cem.crbegin(), cem.crend());
    const struct {
        const char *nome;
        QStringList atuais;
        QStringList novas;
        bool porDiferenca;
        int movimentos;
        int remocoes; // runs
        int insercoes; // runs
    } casos[] = {
        {"iguais", letras("abcde"), letras("abcde"), true, 0, 0, 0},
        {"vazias", {}, {}, true, 0, 0, 0},
        {"da vazia", {}, letras("abc"), true, 0, 0, 1},
        {"para a vazia", letras("abc"), {}, true, 0, 1, 0},
        {"busca que estreita", letras("abcdefg"), letras("beg"), true, 0, 3, 0},
        {"busca que alarga", letras("beg"), letras("abcdefg"), true, 0, 0, 3},
        {"primeiro vai para o fim", letras("abcdefgh"), letras("bcdefgha"), true, 1, 0, 0},
        {"último vem para o início", letras("abcdefgh"), letras("habcdefg"), true, 1, 0, 0},
        {"troca de dois vizinhos", letras("abcd"), letras("abdc"), true, 1, 0, 0},
        {"cinco ao contrário", letras("abcde"), letras("edcba"), true, 4, 0, 0},
        {"move, sai e entra de uma vez", letras("abcdef"), letras("xbdfay"), true, 1, 2, 2},
        {"chave repetida nas novas", letras("abc"), letras("abca"), false, 0, 0, 0},
        {"chave repetida nas atuais", letras("abca"), letras("abc"), false, 0, 0, 0},
        {"movimentos demais", cem, cemAoContrario, false, 0, 0, 0},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const auto passos = ListaPorDiferenca::passos(caso.atuais, caso.novas);
        ASSERT_EQ(passos.has_value(), caso.porDiferenca);
        if (!passos)
            continue;
        EXPECT_EQ(aplicar(caso.atuais, caso.novas, *passos), caso.novas);
        EXPECT_EQ(contar(*passos, Passo::Tipo::mover), caso.movimentos);
        EXPECT_EQ(contar(*passos, Passo::Tipo::remover), caso.remocoes);
        EXPECT_EQ(contar(*passos, Passo::Tipo::inserir), caso.insercoes);
    }
}

TEST(ListaPorDiferenca, PassosAcertamListasAoAcaso)
{
    QRandomGenerator acaso(27);
    for (int rodada = 0; rodada < 500; ++rodada) {
        SCOPED_TRACE(rodada);
        QStringList atuais;
        const int n = int(acaso.bounded(30));
        for (int i = 0; i < n; ++i)
            atuais << QString::number(i);
        // Drop some, add some, then shuffle a few of them.
        QStringList novas;
        for (const QString &chave : std::as_const(atuais)) {
            if (acaso.bounded(4) != 0)
                novas << chave;
        }
        for (int i = 0, extras = int(acaso.bounded(6)); i < extras; ++i)
            novas.insert(acaso.bounded(novas.size() + 1), QStringLiteral("n%1").arg(i));
        for (int i = 0, trocas = int(acaso.bounded(5)); i < trocas && novas.size() > 1; ++i)
            novas.move(acaso.bounded(novas.size()), acaso.bounded(novas.size()));
        const auto passos = ListaPorDiferenca::passos(atuais, novas);
        ASSERT_TRUE(passos);
        EXPECT_EQ(aplicar(atuais, novas, *passos), novas);
        EXPECT_LE(contar(*passos, Passo::Tipo::mover), 5);
    }
}

// A list of (key, value) rows, updated by difference.
class Pares : public ListaPorDiferenca {
public:
    using Par = std::pair<QString, int>;

    void trocar(const QList<Par> &novas)
    {
        trocarLinhas(
            linhas, novas, [](const Par &p) { return p.first; }, [](const Par &a, const Par &b) { return a == b; });
    }
    [[nodiscard]] int rowCount(const QModelIndex &pai = {}) const override { return pai.isValid() ? 0 : int(linhas.size()); }
    [[nodiscard]] QVariant data(const QModelIndex &i, int papel) const override
    {
        if (!i.isValid() || papel != Qt::DisplayRole)
            return {};
        return linhas.at(i.row()).first + QString::number(linhas.at(i.row()).second);
    }

    QList<Par> linhas;
};

TEST(ListaPorDiferenca, ModeloNaoReiniciaEGuardaCadaLinhaQueFica)
{
    Pares pares;
    QAbstractItemModelTester verificador(&pares, QAbstractItemModelTester::FailureReportingMode::Fatal);
    pares.trocar({{"a", 1}, {"b", 1}, {"c", 1}, {"d", 1}, {"e", 1}});
    QSignalSpy reinicios(&pares, &QAbstractItemModel::modelReset);
    QSignalSpy mudancas(&pares, &QAbstractItemModel::dataChanged);
    const QPersistentModelIndex a = pares.index(0);
    const QPersistentModelIndex c = pares.index(2);
    const QPersistentModelIndex e = pares.index(4);

    // "a" moves to the end, "b" goes, "c" changes, "x" comes.
    pares.trocar({{"c", 2}, {"x", 1}, {"d", 1}, {"e", 1}, {"a", 1}});

    EXPECT_EQ(reinicios.count(), 0);
    EXPECT_EQ(a.row(), 4);
    EXPECT_EQ(c.row(), 0);
    EXPECT_EQ(e.row(), 3);
    ASSERT_EQ(mudancas.count(), 1);
    EXPECT_EQ(mudancas.at(0).at(0).toModelIndex().row(), 0);
    EXPECT_EQ(mudancas.at(0).at(1).toModelIndex().row(), 0);
    QStringList vistas;
    for (int i = 0; i < pares.rowCount(); ++i)
        vistas << pares.index(i).data().toString();
    EXPECT_EQ(vistas, (QStringList{"c2", "x1", "d1", "e1", "a1"}));
}

} // namespace
