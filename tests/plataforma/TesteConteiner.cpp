#include "plataforma/ArquivoAtomico.h"
#include "plataforma/Conteiner.h"
#include "support/DiretorioTemporario.h"
#include "support/Permissoes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

using Testes::permissoes;

TEST(Conteiner, FicaEmGroupContainersDosDadosDoUsuarioSoDoDono)
{
    const DiretorioTemporario pasta;
    const auto conteiner = Conteiner::pastaDoGrupo("group.app.corvane");
    ASSERT_TRUE(conteiner);
    EXPECT_EQ(*conteiner, pasta.dados() + "/Group Containers/group.app.corvane");
    EXPECT_EQ(permissoes(*conteiner), 0700u);
    EXPECT_EQ(permissoes(pasta.dados() + "/Group Containers"), 0700u);

    const auto suporte = Conteiner::suporteDoApp("group.app.corvane");
    ASSERT_TRUE(suporte);
    EXPECT_EQ(*suporte, *conteiner + "/Library/Application Support");
    EXPECT_EQ(permissoes(*suporte), 0700u);
    EXPECT_EQ(permissoes(*conteiner + "/Library"), 0700u);

    const auto preferencias = Conteiner::preferencias("group.app.corvane");
    ASSERT_TRUE(preferencias);
    EXPECT_EQ(*preferencias, *conteiner + "/Library/Preferences");
    EXPECT_EQ(permissoes(*preferencias), 0700u);
}

TEST(Conteiner, ConteinerExistenteGuardaOQueTinha)
{
    const DiretorioTemporario pasta;
    const auto suporte = Conteiner::suporteDoApp("grupo");
    ASSERT_TRUE(suporte);
    ASSERT_TRUE(ArquivoAtomico::gravar(*suporte + "/cofre.json", "{}"));
    EXPECT_EQ(Conteiner::suporteDoApp("grupo"), suporte);
    EXPECT_EQ(ArquivoAtomico::ler(*suporte + "/cofre.json"), QByteArray("{}"));
}

TEST(Conteiner, SemXDGOuComCaminhoRelativoUsaPastaPadraoDaCasa)
{
    const DiretorioTemporario pasta;
    const QByteArray casaAntes = qgetenv("HOME");
    qputenv("HOME", pasta.arquivo("casa").toLocal8Bit());
    for (const char *valor : {static_cast<const char *>(nullptr), "", "relativo/dados"}) {
        SCOPED_TRACE(valor ? valor : "(unset)");
        if (valor)
            qputenv("XDG_DATA_HOME", valor);
        else
            qunsetenv("XDG_DATA_HOME");
        EXPECT_EQ(Conteiner::pastaDoGrupo("g"), pasta.arquivo("casa/.local/share/Group Containers/g"));
    }
    qputenv("XDG_CONFIG_HOME", "relativo");
    EXPECT_EQ(Conteiner::pastaDeConfiguracao(), pasta.arquivo("casa/.config"));
    qputenv("HOME", casaAntes);
}

TEST(Conteiner, GrupoInutilizavelNaoTemConteiner)
{
    const DiretorioTemporario pasta;
    for (const char *grupo : {"", ".", "..", "a/b", "../fora"}) {
        SCOPED_TRACE(grupo);
        EXPECT_EQ(Conteiner::pastaDoGrupo(grupo), std::nullopt);
        EXPECT_EQ(Conteiner::suporteDoApp(grupo), std::nullopt);
        EXPECT_EQ(Conteiner::preferencias(grupo), std::nullopt);
    }
    EXPECT_FALSE(QFileInfo::exists(pasta.dados() + "/fora"));
}

TEST(Conteiner, PastaQueNaoPodeSerCriadaNaoDaConteiner)
{
    const DiretorioTemporario pasta;
    // A regular file where a folder should be: not even root can create folders inside it.
    ASSERT_TRUE(ArquivoAtomico::gravar(pasta.arquivo("arquivo"), "x"));
    qputenv("XDG_DATA_HOME", pasta.arquivo("arquivo").toLocal8Bit());
    EXPECT_EQ(Conteiner::pastaDoGrupo("g"), std::nullopt);
    EXPECT_EQ(Conteiner::suporteDoApp("g"), std::nullopt);
}

} // namespace
