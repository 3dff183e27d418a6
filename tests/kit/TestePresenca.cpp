// The kit's rule that an item that is leaving or transparent takes no input, and the screen
// tests' own finder of what a click reaches, checked against Qt's real delivery.
#include "kit/Presenca.h"
#include "support/quick/EntradaInvisivel.h"
#include "support/quick/TesteQuick.h"

#include <QPointer>
#include <QTest>

namespace {

class PresencaNaTela : public TesteQuick {
protected:
    // A button under a full-window overlay with a mouse area of its own.
    QQuickItem *mostrarCobertura(double opacidade, bool saindo)
    {
        return mostrar(importacoes + QStringLiteral(R"(
import QtQuick.Controls.Basic
Item {
    anchors.fill: parent
    property int embaixo: 0
    property int emCima: 0
    Button {
        objectName: "embaixo"
        anchors.fill: parent
        text: "Embaixo"
        onClicked: parent.embaixo++
    }
    Item {
        objectName: "cobertura"
        anchors.fill: parent
        opacity: %1
        Presenca.saindo: %2
        MouseArea {
            objectName: "areaDeCima"
            anchors.fill: parent
            onClicked: parent.parent.emCima++
        }
    }
})").arg(opacidade).arg(saindo ? QStringLiteral("true") : QStringLiteral("false")),
                       QSize(200, 120));
    }
};

TEST_F(PresencaNaTela, SoRecebeQuemEstaVisivelENaoSai)
{
    const struct {
        double opacidade;
        bool saindo;
        bool recebe;
    } casos[] = {
        {1, false, true},
        {0.5, false, true},
        {0.05, false, true},
        {0.01, false, false},
        {0, false, false},
        {1, true, false},
        {0.4, true, false},
        {0, true, false},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(testing::Message() << "opacity " << caso.opacidade << (caso.saindo ? ", leaving" : ""));
        QQuickItem *raiz = mostrarCobertura(caso.opacidade, caso.saindo);
        ASSERT_TRUE(raiz);
        auto *cobertura = achar<QQuickItem>(QStringLiteral("cobertura"));
        auto *presenca = qmlAttachedPropertiesObject<Presenca>(cobertura, false);
        ASSERT_TRUE(presenca);
        EXPECT_EQ(presenca->property("recebeEntrada").toBool(), caso.recebe);

        // The screen tests' finder names the item Qt then delivers the click to.
        const QPoint meio(100, 60);
        QQuickItem *alvo = quemRecebeOClique(janela(), meio);
        ASSERT_TRUE(alvo);
        EXPECT_EQ(alvo->objectName(), caso.recebe ? QStringLiteral("areaDeCima") : QStringLiteral("embaixo"));
        EXPECT_FALSE(recebeSemSerVisto(alvo));
        QTest::mouseClick(janela(), Qt::LeftButton, {}, meio);
        EXPECT_EQ(raiz->property("emCima").toInt(), caso.recebe ? 1 : 0);
        EXPECT_EQ(raiz->property("embaixo").toInt(), caso.recebe ? 0 : 1);
    }
}

TEST_F(PresencaNaTela, TransparenteGuardaOFocoEDevolveOCorte)
{
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
Item {
    anchors.fill: parent
    Item {
        objectName: "tela"
        anchors.fill: parent
        opacity: 0
        Presenca.saindo: false
        TextInput { objectName: "campo"; width: 100; height: 20; focus: true }
    }
})"),
                               QSize(200, 120));
    ASSERT_TRUE(raiz);
    auto *tela = achar<QQuickItem>(QStringLiteral("tela"));
    auto *campo = achar<QQuickItem>(QStringLiteral("campo"));
    campo->forceActiveFocus();
    // An arriving screen's field keeps the caret while the screen is still transparent.
    EXPECT_TRUE(campo->hasActiveFocus());
    EXPECT_TRUE(tela->isEnabled());
    EXPECT_TRUE(tela->clip());
    digitar(QStringLiteral("ab"));
    EXPECT_EQ(campo->property("text").toString(), QStringLiteral("ab"));

    // Shown, it takes clicks again and draws as it did (no clipping, no mask).
    tela->setOpacity(1);
    EXPECT_FALSE(tela->clip());
    EXPECT_EQ(tela->containmentMask(), nullptr);
    EXPECT_EQ(quemRecebeOClique(janela(), QPointF(10, 10)), campo);
    EXPECT_TRUE(campo->hasActiveFocus());
}

TEST_F(PresencaNaTela, SaiuChegaUmaVezTambemSemTerAparecido)
{
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
Item {
    anchors.fill: parent
    property int saidas: 0
    Item {
        id: tela
        objectName: "tela"
        property bool mostrada: true
        property bool entrou: false
        anchors.fill: parent
        opacity: mostrada && entrou ? 1 : 0
        Component.onCompleted: entrou = true
        Behavior on opacity { NumberAnimation { duration: 200 } }
        Presenca.saindo: !tela.mostrada
        Presenca.onSaiu: parent.saidas++
    }
})"),
                               QSize(200, 120));
    ASSERT_TRUE(raiz);
    auto *tela = achar<QQuickItem>(QStringLiteral("tela"));
    // Cleared before its first frame: its opacity never moves, and it still ends.
    tela->setProperty("mostrada", false);
    EXPECT_FALSE(tela->isEnabled());
    avancar(16);
    EXPECT_EQ(raiz->property("saidas").toInt(), 1);
    avancar(400);
    EXPECT_EQ(raiz->property("saidas").toInt(), 1);

    // Shown and faded in, then cleared: it ends once, when the fade is over.
    tela->setProperty("mostrada", true);
    avancar(400);
    EXPECT_TRUE(tela->isEnabled());
    EXPECT_DOUBLE_EQ(tela->opacity(), 1);
    tela->setProperty("mostrada", false);
    avancar(100);
    EXPECT_EQ(raiz->property("saidas").toInt(), 1);
    avancar(300);
    EXPECT_EQ(raiz->property("saidas").toInt(), 2);

    // Called back before the fade ends: no exit is announced.
    tela->setProperty("mostrada", true);
    avancar(400);
    tela->setProperty("mostrada", false);
    avancar(60);
    tela->setProperty("mostrada", true);
    avancar(400);
    EXPECT_EQ(raiz->property("saidas").toInt(), 2);
    EXPECT_TRUE(tela->isEnabled());
}

TEST_F(PresencaNaTela, AreaSoltaSoFalhaForaDeUmControle)
{
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
import QtQuick.Controls.Basic
Column {
    Text {
        objectName: "textoClicavel"
        text: "Tentar de novo"
        MouseArea { objectName: "areaSolta"; anchors.fill: parent; onClicked: {} }
    }
    Text {
        text: "Sem ação"
        MouseArea { anchors.fill: parent; hoverEnabled: true }
    }
    Text {
        text: "Desligada"
        MouseArea { anchors.fill: parent; enabled: false; onClicked: {} }
    }
    BotaoEmTexto { text: "Abrir de novo"; onClicked: {} }
    Item {
        width: 100; height: 20
        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: "Cartão"
        MouseArea { anchors.fill: parent; onClicked: {} }
    }
    Item {
        width: 100; height: 20
        activeFocusOnTab: true
        MouseArea { objectName: "semNome"; anchors.fill: parent; onClicked: {} }
    }
})"),
                               QSize(200, 160));
    ASSERT_TRUE(raiz);
    const QStringList soltas = areasSoltas(raiz, {});
    ASSERT_EQ(soltas.size(), 2) << soltas.join('\n').toStdString();
    EXPECT_TRUE(soltas[0].contains(QStringLiteral("areaSolta")));
    EXPECT_TRUE(soltas[1].contains(QStringLiteral("semNome")));
    EXPECT_EQ(areasSoltas(raiz, {QStringLiteral("areaSolta"), QStringLiteral("semNome")}).size(), 0);
    // The fixture's own check must not fail this test at its end.
    raiz->setVisible(false);
}

} // namespace
