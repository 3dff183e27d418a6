// The vault window's controls as a keyboard meets them: toolbar and field buttons, the dark
// capsule, sidebar rows and code cards take the focus by Tab only,
// show it, and are pressed with Space and Return.
#include "support/quick/TesteQuick.h"

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
