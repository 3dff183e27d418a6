// A settings row that acts (the help links) is a control that Tab reaches and Space or Return
// press; a plain row is not reached.
#include "support/quick/TesteQuick.h"

#include <QTest>

namespace {

class LinhaDosAjustes : public TesteQuick {};

TEST_F(LinhaDosAjustes, LinhaClicavelTemFocoSoPorTabComAnel)
{
    conferirFocoPorTab(QStringLiteral("import Corvane.Barra\n"), QStringLiteral(R"(
Item {
    width: 360
    height: 40
    LinhaDosAjustes { objectName: "controle"; rotulo: "Suporte"; clicavel: true; onClicado: acionado++ }
})"),
                       QStringLiteral("foco-linha-dos-ajustes"));
}

TEST_F(LinhaDosAjustes, LinhaSemAcaoNaoRecebeOFoco)
{
    ASSERT_TRUE(mostrar(importacoes + QStringLiteral(R"(
import Corvane.Barra
Column {
    width: 360
    TextInput { objectName: "campoAntes"; width: 200; height: 22; activeFocusOnTab: true }
    LinhaDosAjustes { objectName: "linha"; rotulo: "Versão" }
})"),
                        QSize(400, 120)));
    achar<QQuickItem>(QStringLiteral("campoAntes"))->forceActiveFocus();
    QTest::keyClick(janela(), Qt::Key_Tab);
    EXPECT_FALSE(achar<QQuickItem>(QStringLiteral("linha"))->hasActiveFocus());
}

} // namespace
