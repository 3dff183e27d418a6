// The extension as shipped, with two stand-ins the end-to-end tests choose through the
// environment of this test build only: the secret store is the file named by
// CORVANE_TESTE_SEGREDOS, and the owner check answers CORVANE_TESTE_DONO ("confirma" or
// anything else for a refusal) without showing a prompt.
#include "servicos/Seguranca.h"
#include "autofill/ProgramaDaExtensao.h"
#include "plataforma/CofreDeSegredosEmArquivo.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_PreenchimentoPlugin)

namespace {

QCoro::Task<bool> responder(bool confirma)
{
    co_return confirma;
}

} // namespace

int main(int argc, char **argv)
{
    if (const QString caminho = qEnvironmentVariable("CORVANE_TESTE_SEGREDOS"); !caminho.isEmpty())
        CofreDeSegredos::usar(std::make_shared<CofreDeSegredosEmArquivo>(caminho));
    const bool confirma = qEnvironmentVariable("CORVANE_TESTE_DONO") == QLatin1String("confirma");
    return executarExtensao(argc, argv, [confirma] {
        Seguranca::registrarAutenticador([confirma](QString) { return responder(confirma); });
    });
}
