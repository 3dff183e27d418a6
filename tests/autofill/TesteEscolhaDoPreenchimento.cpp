#include "Fixture.h"

#include "core/ArquivosDoPreenchimento.h"
#include "plataforma/ArquivoAtomico.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

QList<ItemCifrado> itensDeEscolha()
{
    return {
        CopiaDeTeste::codigo(u"c-banco"_s, u"Banco"_s, u"ana"_s, {u"banco.com"_s}),
        CopiaDeTeste::codigo(u"c-sem-conta"_s, u"Jogo"_s, u""_s),
        CopiaDeTeste::codigo(u"c-ruim"_s, u"Ruim"_s, u""_s, {}, u"não é base32!"_s),
        CopiaDeTeste::senha(u"s-com-codigo"_s, u"Loja"_s, u"bia"_s, u"pw-loja"_s, {}, CopiaDeTeste::segredo),
        CopiaDeTeste::senha(u"s-sem-senha"_s, u"Só código"_s, u"cris"_s, u""_s, {}, CopiaDeTeste::segredo),
        CopiaDeTeste::senha(u"s-exemplo"_s, u"Exemplo"_s, u"dani"_s, u"pw-exemplo"_s, {u"exemplo.com"_s}),
    };
}

} // namespace

TEST_F(FixtureDoPreenchimento, CodigoEhEntregueEVinculadoUmaVezSoAoPrimeiroSite)
{
    CopiaDeTeste::instalar(itensDeEscolha());
    modelo.preparar(ModoDoPreenchimento::codigos(), dominios({"jogo.com", "outro.com"}));
    modelo.escolher(*opcao(u"c-sem-conta"_s), std::nullopt);
    modelo.escolher(*opcao(u"c-banco"_s), std::nullopt);
    EXPECT_EQ(codigos, (QStringList{codigoAgora(), codigoAgora()}));
    EXPECT_TRUE(senhas.isEmpty());
    EXPECT_TRUE(motivos.isEmpty()); // a code needs no owner check
    EXPECT_EQ(VinculoDoPreenchimento::ler(),
              (QList<VinculoDoPreenchimento>{{u"c-sem-conta"_s, u"jogo.com"_s}, {u"c-banco"_s, u"jogo.com"_s}}));
    EXPECT_EQ(identidades->identidades(),
              (QList<IdentidadeDoPreenchimento>{IdentidadeDeCodigo{u"jogo.com"_s, u"Jogo"_s, u"c-sem-conta"_s},
                                                IdentidadeDeCodigo{u"jogo.com"_s, u"Banco · ana"_s, u"c-banco"_s}}));

    // The next request lists the linked site with the code and adds nothing more.
    ModeloDoPreenchimento seguinte;
    prepararModelo(seguinte);
    seguinte.preparar(ModoDoPreenchimento::codigos(), dominios({"jogo.com"}));
    EXPECT_EQ(ids(seguinte.opcoesFiltradas({}).casam), (QList<QString>{u"c-banco"_s, u"c-sem-conta"_s}));
    for (const auto &o : seguinte.opcoes())
        if (o.id == u"c-banco"_s)
            seguinte.escolher(o, std::nullopt);
    EXPECT_EQ(VinculoDoPreenchimento::ler().size(), 2);
    EXPECT_EQ(identidades->identidades().size(), 2);
}

TEST_F(FixtureDoPreenchimento, SenhaComCodigoNuncaEhVinculadaMesmoSemSenha)
{
    CopiaDeTeste::instalar(itensDeEscolha());
    modelo.preparar(ModoDoPreenchimento::codigos(), dominios({"loja.com"}));
    modelo.escolher(*opcao(u"s-com-codigo"_s), std::nullopt);
    modelo.escolher(*opcao(u"s-sem-senha"_s), std::nullopt);
    EXPECT_EQ(codigos, (QStringList{codigoAgora(), codigoAgora()}));
    EXPECT_TRUE(senhas.isEmpty());
    EXPECT_TRUE(VinculoDoPreenchimento::ler().isEmpty());
    EXPECT_TRUE(identidades->identidades().isEmpty());
}

TEST_F(FixtureDoPreenchimento, RamoEscolhidoPeloModoOuPelaFlag)
{
    CopiaDeTeste::instalar(itensDeEscolha());
    const struct {
        ModoDoPreenchimento modo;
        std::optional<bool> flag;
        bool esperaCodigo;
    } casos[] = {
        {ModoDoPreenchimento::senhas(), std::nullopt, false},
        {ModoDoPreenchimento::codigos(), std::nullopt, true},
        {ModoDoPreenchimento::senhas(), true, true},
        {ModoDoPreenchimento::codigos(), false, false},
    };
    for (const auto &caso : casos) {
        senhas.clear();
        codigos.clear();
        ModeloDoPreenchimento m;
        prepararModelo(m);
        m.preparar(caso.modo, {});
        for (const auto &o : m.opcoes())
            if (o.id == u"s-com-codigo"_s)
                m.escolher(o, caso.flag);
        EXPECT_EQ(codigos.size(), caso.esperaCodigo ? 1 : 0);
        const QList<std::pair<QString, QString>> esperadas =
            caso.esperaCodigo ? QList<std::pair<QString, QString>>() : QList<std::pair<QString, QString>>({{u"bia"_s, u"pw-loja"_s}});
        EXPECT_EQ(senhas, esperadas);
    }
    EXPECT_EQ(motivos, (QStringList{u"Preencher a senha com o Corvane"_s, u"Preencher a senha com o Corvane"_s}));
}

TEST_F(FixtureDoPreenchimento, DiretoEntregaOuVoltaParaALista)
{
    CopiaDeTeste::instalar(itensDeEscolha());
    const struct {
        const char *registro;
        bool codigo;
        bool dono;
        QStringList codigosEsperados;
        QList<std::pair<QString, QString>> senhasEsperadas;
        ModeloDoPreenchimento::Fase fase;
    } casos[] = {
        {"s-exemplo", false, true, {}, {{u"dani"_s, u"pw-exemplo"_s}}, ModeloDoPreenchimento::Fase::carregando},
        {"s-exemplo", false, false, {}, {}, ModeloDoPreenchimento::Fase::aberto},  // owner refused
        {"c-banco", true, true, {u"<agora>"_s}, {}, ModeloDoPreenchimento::Fase::carregando},
        {"desconhecido", false, true, {}, {}, ModeloDoPreenchimento::Fase::aberto},
        {"", true, true, {}, {}, ModeloDoPreenchimento::Fase::aberto},
        // Nothing can be handed over: the list opens instead of an empty sheet or an empty password.
        {"c-ruim", true, true, {}, {}, ModeloDoPreenchimento::Fase::aberto},
        {"s-exemplo", true, true, {}, {}, ModeloDoPreenchimento::Fase::aberto},
        {"c-banco", false, true, {}, {}, ModeloDoPreenchimento::Fase::aberto},
        {"s-sem-senha", false, true, {}, {}, ModeloDoPreenchimento::Fase::aberto},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(std::string(caso.registro) + (caso.codigo ? " codigo" : " senha"));
        senhas.clear();
        codigos.clear();
        donoConfirma = caso.dono;
        ModeloDoPreenchimento m;
        prepararModelo(m);
        m.preparar(ModoDoPreenchimento::direto(QString::fromUtf8(caso.registro), caso.codigo), dominios({"banco.com"}));
        QStringList esperados = caso.codigosEsperados;
        esperados.replaceInStrings(u"<agora>"_s, codigoAgora());
        EXPECT_EQ(codigos, esperados);
        EXPECT_EQ(senhas, caso.senhasEsperadas);
        EXPECT_EQ(m.fase(), caso.fase);
    }
}

TEST_F(FixtureDoPreenchimento, NovaSenhaSeladaComSeisChavesEEntregue)
{
    CopiaDeTeste::instalar({});
    modelo.preparar(ModoDoPreenchimento::senhas(), dominios({"exemplo.com", "outro.com"}));
    ASSERT_TRUE(modelo.salvarNovaSenha(u"Exemplo"_s, u"ana"_s, u"s3nha"_s));
    ASSERT_TRUE(modelo.salvarNovaSenha(u"Exemplo"_s, u"ana"_s, u"s3nha"_s));
    EXPECT_EQ(senhas, (QList<std::pair<QString, QString>>{{u"ana"_s, u"s3nha"_s}, {u"ana"_s, u"s3nha"_s}}));
    const auto novas = NovaDoPreenchimento::ler();
    ASSERT_EQ(novas.size(), 2);
    EXPECT_NE(novas[0].id, novas[1].id);
    EXPECT_EQ(novas[0].id, novas[0].id.toLower());
    EXPECT_EQ(novas[0].criadaEm, relogio.agora());
    const QByteArray texto = Cripto::abrirEnvelope(novas[0].dados, CopiaDeTeste::chave, Cripto::rotuloDoItem(novas[0].id));
    EXPECT_EQ(texto, R"({"titulo":"Exemplo","usuario":"ana","senha":"s3nha","sites":["exemplo.com"],"notas":"","favorito":false})");

    ModeloDoPreenchimento semSite;
    prepararModelo(semSite);
    semSite.preparar(ModoDoPreenchimento::senhas(), {});
    ASSERT_TRUE(semSite.salvarEPreencher(u"  "_s, u" eu\n "_s, u" "_s));
    const auto terceira = NovaDoPreenchimento::ler().last();
    EXPECT_EQ(Cripto::abrirEnvelope(terceira.dados, CopiaDeTeste::chave, Cripto::rotuloDoItem(terceira.id)),
              R"({"titulo":"","usuario":"eu\n","senha":" ","sites":[],"notas":"","favorito":false})");
}

TEST_F(FixtureDoPreenchimento, NovaSenhaFalhaSemChaveOuComArquivoIlegivelSemEscreverPorCima)
{
    CopiaDeTeste::instalar({}, false);
    modelo.preparar(ModoDoPreenchimento::senhas(), dominios({"exemplo.com"}));
    EXPECT_FALSE(modelo.salvarNovaSenha(u"T"_s, u"u"_s, u"p"_s));
    EXPECT_FALSE(QFile::exists(*NovaDoPreenchimento::urlDoArquivo()));

    Chaveiro::gravar(QByteArray(16, 'x'), QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    EXPECT_FALSE(modelo.salvarNovaSenha(u"T"_s, u"u"_s, u"p"_s));

    Chaveiro::gravar(CopiaDeTeste::chave, QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    const QByteArray ilegivel = R"([{"id":"so-uma-copia","dados":"v1.a.b","criadaEm":)";
    ASSERT_TRUE(ArquivoAtomico::gravar(*NovaDoPreenchimento::urlDoArquivo(), ilegivel));
    EXPECT_FALSE(modelo.salvarNovaSenha(u"T"_s, u"u"_s, u"p"_s));
    EXPECT_EQ(ArquivoAtomico::ler(*NovaDoPreenchimento::urlDoArquivo()), ilegivel);
    EXPECT_TRUE(senhas.isEmpty());
}

// The provider switched off (the user turned it off meanwhile): the store refuses the new code
// identity, which is ignored; the code is still handed over and the link still kept.
TEST_F(FixtureDoPreenchimento, ProvedorDesligadoNaoGanhaIdentidadeMasOCodigoSai)
{
    CopiaDeTeste::instalar(itensDeEscolha());
    ASSERT_TRUE(identidades->definirLigado(false));
    modelo.preparar(ModoDoPreenchimento::codigos(), dominios({"jogo.com"}));
    modelo.escolher(*opcao(u"c-banco"_s), std::nullopt);
    EXPECT_EQ(codigos, QStringList{codigoAgora()});
    EXPECT_EQ(VinculoDoPreenchimento::ler(), (QList<VinculoDoPreenchimento>{{u"c-banco"_s, u"jogo.com"_s}}));
    EXPECT_TRUE(identidades->identidades().isEmpty());
}
