// The scene-graph backend the program picks: software only where no GPU renders and nobody chose.
#include "app/EscolhaDoRenderizador.h"

#include <gtest/gtest.h>

namespace {

struct Caso {
    const char *nome;
    EscolhaDoRenderizador::Ambiente ambiente;
    bool software;
};

TEST(EscolhaDoRenderizador, SoftwareSoSemGpuESemEscolha)
{
    const QStringList comGpu{QStringLiteral("renderD128")};
    const Caso casos[] = {
        {"sem nó de renderização", {false, false, {}}, true},
        {"com nó de renderização", {false, false, comGpu}, false},
        {"Mesa forçado à CPU, mesmo com GPU", {false, true, comGpu}, true},
        {"backend escolhido, sem GPU", {true, false, {}}, false},
        {"backend escolhido, Mesa forçado", {true, true, comGpu}, false},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(EscolhaDoRenderizador::usarSoftware(caso.ambiente), caso.software);
    }
}

} // namespace
