// The symbol table covers every symbol the screens name, each with a drawing that loads.
#include "kit/Simbolos.h"
#include "support/quick/TesteQuick.h"

#include <QQuickItem>
#include <QSvgRenderer>

namespace {

// Every symbol name the screens use.
const QStringList nomesDasTelas = {
    "apple.logo", "arrow.down.circle", "arrow.down.circle.fill", "arrow.triangle.2.circlepath",
    "arrow.up", "arrow.up.forward.square", "arrow.up.right.square", "checkmark.circle.fill", "checkmark.icloud",
    "checkmark.icloud.fill", "chevron.left", "chevron.up.chevron.down", "circle", "circle.grid.3x3",
    "doc.on.clipboard", "doc.on.doc", "ellipsis", "exclamationmark.arrow.triangle.2.circlepath", "eye", "eye.slash",
    "faceid", "folder", "gift", "info.circle.fill", "key", "key.fill", "key.viewfinder", "lock", "lock.shield",
    "magnifyingglass", "note.text", "number", "number.square", "opticid", "person.badge.key.fill",
    "person.crop.circle.badge.exclamationmark", "person.crop.circle.badge.questionmark", "photo", "plus",
    "plus.circle.fill", "qrcode.viewfinder", "star.fill", "touchid", "wifi.slash", "xmark.circle.fill",
};

TEST(Simbolos, CadaNomeTemUmDesenhoQueCarrega)
{
    QStringList tabela = simbolos::nomes();
    tabela.sort();
    QStringList esperados = nomesDasTelas;
    esperados.sort();
    EXPECT_EQ(tabela, esperados);
    for (const QString &nome : nomesDasTelas) {
        const QString arquivo = simbolos::arquivo(nome);
        ASSERT_FALSE(arquivo.isEmpty()) << nome.toStdString();
        QSvgRenderer svg(arquivo);
        EXPECT_TRUE(svg.isValid()) << nome.toStdString() << " " << arquivo.toStdString();
    }
    EXPECT_TRUE(simbolos::arquivo(QStringLiteral("nao.existe")).isEmpty());
}

class FolhaDeSimbolos : public TesteQuick {};

TEST_F(FolhaDeSimbolos, TodosNaCorPedida)
{
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
Grid {
    padding: 16
    columns: 9
    spacing: 14
    Repeater {
        model: %1
        Simbolo {
            required property string modelData
            required property int index
            objectName: "simbolo" + index
            nome: modelData
            cor: index %% 2 === 0 ? Paleta.azul : Paleta.texto
            width: 24
            height: 24
        }
    }
})").arg(QStringLiteral("[\"") + nomesDasTelas.join(QStringLiteral("\", \"")) + QStringLiteral("\"]")).replace(QStringLiteral("%%"), QStringLiteral("%")),
                               QSize(16 * 2 + 9 * 24 + 8 * 14, 16 * 2 + 5 * 24 + 4 * 14), QStringLiteral("#ffffff"));
    ASSERT_TRUE(raiz);
    const QImage imagem = capturar(QStringLiteral("simbolos"));
    // Each symbol put some ink of its colour on the page, and nothing of another.
    for (int i = 0; i < nomesDasTelas.size(); ++i) {
        auto *simbolo = achar<QQuickItem>(QStringLiteral("simbolo%1").arg(i));
        ASSERT_TRUE(simbolo);
        EXPECT_TRUE(simbolo->property("encontrado").toBool());
        const QColor esperada = i % 2 == 0 ? QColor(59, 116, 255) : QColor(20, 25, 34);
        int tinta = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                const QColor c = imagem.pixelColor(ponto(simbolo, x, y));
                if (c == esperada)
                    ++tinta;
            }
        }
        EXPECT_GT(tinta, 8) << nomesDasTelas[i].toStdString();
    }
}

} // namespace
