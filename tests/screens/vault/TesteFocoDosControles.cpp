// The vault window's controls as a keyboard meets them: toolbar and field buttons, the dark
// capsule, sidebar rows and code cards take the focus by Tab only,
// show it, and are pressed with Space and Return.
#include "support/quick/TesteQuick.h"

#include "support/quick/BuscaVisual.h"

#include <QAccessible>
#include <QTest>

namespace {

class FocoDosControles : public TesteQuick {};

TEST_F(FocoDosControles, CadaControleDoCofreTemFocoSoPorTabComAnel)
{
    const struct {
        const char *tipo;
        const char *qml;
    } casos[] = {
        {"BotaoDaBarraNoMac", R"(BotaoDaBarraNoMac { objectName: "controle"; text: "Sincronizar"; simbolo: "arrow.clockwise"; onClicked: acionado++ })"},
        {"BotaoDoCampo", R"(BotaoDoCampo { objectName: "controle"; dica: "Copiar"; simbolo: "doc.on.doc"; onClicked: acionado++ })"},
        {"BotaoGrafiteNoMac", R"(BotaoGrafiteNoMac { objectName: "controle"; text: "Novo código"; onClicked: acionado++ })"},
        {"LinhaDaSecaoNoMac", R"(LinhaDaSecaoNoMac { objectName: "controle"; width: 220; secao: "senhas"; total: 3; onClicked: acionado++ })"},
        {"CartaoDeCodigoNoMac", R"(CartaoDeCodigoNoMac { objectName: "controle"; titulo: "GitHub"; conta: "ana@exemplo.com"; codigo: "123456"; codigoExibido: "123 456"; onClicado: acionado++ })"},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.tipo);
        conferirFocoPorTab(QStringLiteral("import Corvane.Cofre\n"), QString::fromUtf8(caso.qml),
                           QStringLiteral("foco-") + QString::fromLatin1(caso.tipo));
    }
}

} // namespace

namespace {

// The code card's edit button, which a pointer finds by hovering: the keyboard reaches it by Tab
// from the focused card, and the mouse still finds it only over the card.
TEST_F(FocoDosControles, BotaoDeEditarDoCartaoPeloTeclado)
{
    QQuickItem *raiz = mostrar(importacoes + QStringLiteral(R"(
import Corvane.Cofre
Column {
    x: 24
    y: 24
    spacing: 16
    property int editados: 0
    property int copiados: 0
    TextInput { objectName: "campoAntes"; width: 200; height: 22; text: "campo"; activeFocusOnTab: true }
    CartaoDeCodigoNoMac {
        objectName: "cartao"
        titulo: "GitHub"; conta: "ana@exemplo.com"; codigo: "123456"; codigoExibido: "123 456"
        onClicado: parent.copiados++
        onEditar: parent.editados++
    }
    TextInput { objectName: "campoDepois"; width: 200; height: 22; text: "depois"; activeFocusOnTab: true }
})"),
                               QSize(420, 280), QStringLiteral("#ffffff"));
    ASSERT_TRUE(raiz);
    auto *campo = achar<QQuickItem>(QStringLiteral("campoAntes"));
    auto *cartao = achar<QQuickItem>(QStringLiteral("cartao"));
    auto *editar = achar<QQuickItem>(QStringLiteral("botaoEditar"));
    ASSERT_TRUE(campo && cartao && editar);
    QQuickItem *anel = itemChamado(editar, QStringLiteral("anelDeFoco"));
    ASSERT_TRUE(anel) << "the edit button shows where the focus is";
    QAccessibleInterface *acessivel = QAccessible::queryAccessibleInterface(editar);
    ASSERT_TRUE(acessivel);
    EXPECT_EQ(acessivel->role(), QAccessible::Button);
    EXPECT_EQ(acessivel->text(QAccessible::Name), QStringLiteral("Editar"));

    // Away from the pointer and the keyboard, the button is hidden.
    campo->forceActiveFocus();
    avancar(300);
    EXPECT_EQ(editar->opacity(), 0);

    // Tab: the card, then its edit button, with its ring; Space and Return edit, not copy.
    QTest::keyClick(janela(), Qt::Key_Tab);
    ASSERT_TRUE(cartao->hasActiveFocus());
    avancar(300);
    EXPECT_EQ(editar->opacity(), 1) << "the focused card shows its edit button";
    QTest::keyClick(janela(), Qt::Key_Tab);
    EXPECT_TRUE(editar->hasActiveFocus()) << "Tab from the card reaches its edit button";
    EXPECT_TRUE(anel->isVisible());
    avancar(300);
    EXPECT_EQ(editar->opacity(), 1);
    capturar(QStringLiteral("foco-botao-editar-do-cartao"));
    QTest::keyClick(janela(), Qt::Key_Space);
    EXPECT_EQ(raiz->property("editados").toInt(), 1);
    QTest::keyClick(janela(), Qt::Key_Return);
    EXPECT_EQ(raiz->property("editados").toInt(), 2);
    EXPECT_EQ(raiz->property("copiados").toInt(), 0);
    // Shift+Tab goes back to the card; Tab twice leaves the card for the next field, and the
    // button hides again.
    QTest::keyClick(janela(), Qt::Key_Backtab);
    EXPECT_TRUE(cartao->hasActiveFocus());
    QTest::keyClick(janela(), Qt::Key_Tab);
    QTest::keyClick(janela(), Qt::Key_Tab);
    EXPECT_TRUE(achar<QQuickItem>(QStringLiteral("campoDepois"))->hasActiveFocus());
    avancar(300);
    EXPECT_EQ(editar->opacity(), 0);

    // The mouse: hovering shows it, a click edits without taking the keyboard or showing the ring.
    // (Hover reaches the items with a frame of the window, which a slow run may take a while to draw.)
    const auto esperarOpacidade = [&](double valor) {
        return QTest::qWaitFor(
            [&] {
                avancar(50);
                return editar->opacity() == valor;
            },
            5000);
    };
    // (From outside first: a move to where an earlier test left the pointer is no move.)
    QTest::mouseMove(janela(), QPoint(410, 270));
    QTest::mouseMove(janela(), centro(cartao));
    EXPECT_TRUE(esperarOpacidade(1)) << "hovering the card shows the button";
    QTest::mouseMove(janela(), centro(editar));
    ASSERT_TRUE(QTest::qWaitFor([&] { return editar->property("hovered").toBool(); }, 5000));
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(editar));
    EXPECT_EQ(raiz->property("editados").toInt(), 3);
    EXPECT_FALSE(editar->hasActiveFocus());
    EXPECT_FALSE(anel->isVisible());
    QTest::mouseMove(janela(), QPoint(410, 270));
    EXPECT_TRUE(esperarOpacidade(0)) << "and leaving it hides it";
}

} // namespace
