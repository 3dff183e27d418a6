// The advanced options' pickers: each choice is a control that Tab reaches and Space or Return
// choose, and a click chooses it without taking the focus.
#include "support/quick/TesteQuick.h"

namespace {

class SeletorNoMac : public TesteQuick {};

TEST_F(SeletorNoMac, CadaOpcaoTemFocoSoPorTabEEscolheComEspacoEReturn)
{
    for (const char *opcao : {"opcao-Dígitos-6"}) {
        SCOPED_TRACE(opcao);
        conferirFocoPorTab(QStringLiteral("import QtQuick.Layouts\nimport Corvane.Editores\n"), QStringLiteral(R"(
RowLayout {
    width: 300
    SeletorNoMac {
        rotulo: "Dígitos"
        opcoes: [{ "valor": 6, "texto": "6" }, { "valor": 8, "texto": "8" }]
        valor: 6
        onEscolhido: acionado++
    }
})"),
                           {}, QString::fromUtf8(opcao));
    }
}

} // namespace
