#include "Fixture.h"

#include "autofill/SufixosPublicos.h"
#include "core/ArquivosDoPreenchimento.h"

using namespace Qt::StringLiterals;

using Pedidos = QList<IdentificadorDeServico>;

TEST(PreenchimentoNormalizacao, UrlsPeloHostEDominiosSoEmMinusculas)
{
    const struct {
        Pedidos servicos;
        QList<QString> esperados;
    } casos[] = {
        {{{u"https://WWW.Exemplo.com/login?x=1"_s, IdentificadorDeServico::Tipo::url}}, {u"exemplo.com"_s}},
        {{{u"  conta.exemplo.com.br/entrar "_s, IdentificadorDeServico::Tipo::url}}, {u"conta.exemplo.com.br"_s}},
        {{{u"WWW.Exemplo.COM"_s, IdentificadorDeServico::Tipo::dominio}}, {u"www.exemplo.com"_s}},
        {{{u""_s, IdentificadorDeServico::Tipo::url}, {u"https://"_s, IdentificadorDeServico::Tipo::url}}, {}},
        {{{u"a.com"_s, IdentificadorDeServico::Tipo::dominio}, {u"https://a.com"_s, IdentificadorDeServico::Tipo::url}},
         {u"a.com"_s, u"a.com"_s}},
    };
    for (const auto &caso : casos) {
        ModeloDoPreenchimento modelo;
        modelo.preparar(ModoDoPreenchimento::configuracao(), caso.servicos);
        EXPECT_EQ(modelo.dominios(), caso.esperados);
    }
}

TEST(PreenchimentoCasamento, SitesSubdominiosESufixosPublicos)
{
    const struct {
        const char *opcao;
        const char *pedido;
        bool casa;
    } casos[] = {
        {"exemplo.com", "exemplo.com", true},
        {"exemplo.com", "login.exemplo.com", true},   // request for a subdomain of the option's site
        {"contas.exemplo.com", "exemplo.com", true},  // option of a subdomain of the requested site
        {"exemplo.com", "outroexemplo.com", false},   // same ending without a dot
        {"outroexemplo.com", "exemplo.com", false},
        {"github.io", "alice.github.io", false},      // a public suffix is never a site
        {"alice.github.io", "bob.github.io", false},
        {"alice.github.io", "alice.github.io", true},
        {"co.uk", "banco.co.uk", false},
        {"com", "exemplo.com", false},
        {"exemplo.com", "com", false},
        {"banco.com.br", "www.banco.com.br", true},
        {"com.br", "banco.com.br", false},
        {"localhost", "localhost", true},
        // A host is always its own site: a single label, a public suffix, an address literal.
        {"nas", "nas", true},
        {"github.io", "github.io", true},
        {"com", "com", true},
        {"[::1]", "[::1]", true},
        {"[fe80::1]", "[fe80::2]", false},
        {"192.168.0.1", "192.168.0.1", true},
        // A single label or an address never covers other hosts, nor is covered.
        {"nas", "impressora.nas", false},
        {"impressora.nas", "nas", false},
        {"168.0.1", "192.168.0.1", false},
        {"0.1", "192.168.0.1", false},
        {"192.168.0.1", "0.1", false},
        {"exemplo.com", "", false},
        {"", "", false},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(std::string(caso.opcao) + " / " + caso.pedido);
        EXPECT_EQ(casaComAlgum({QString::fromUtf8(caso.opcao)}, {QString::fromUtf8(caso.pedido)}), caso.casa);
    }
    EXPECT_FALSE(ehSufixoPublico(u"io"_s)) << "um rótulo só é um host";
    EXPECT_FALSE(ehSufixoPublico(u"localhost"_s));
    EXPECT_FALSE(ehSufixoPublico(u"exemplo.com"_s));
    EXPECT_TRUE(ehSufixoPublico(u"co.uk"_s));
    for (const char *ip : {"[::1]", "::1", "fe80::1%eth0", "10.0.0.1", "255.255.255.255"})
        EXPECT_TRUE(ehEnderecoIP(QString::fromUtf8(ip))) << ip;
    for (const char *host : {"nas", "exemplo.com", "1.2.3", "256.1.1.1", "1.2.3.4.5", "a.b.c.d", "1.2.3.04x"})
        EXPECT_FALSE(ehEnderecoIP(QString::fromUtf8(host))) << host;
}

TEST_F(FixtureDoPreenchimento, ConfiguracaoNaoLeNadaDoConteinerNemDoChaveiro)
{
    CopiaDeTeste::instalar({CopiaDeTeste::senha(u"s1"_s, u"A"_s, u"u"_s, u"p"_s, {})});
    const qsizetype consultasAntes = segredos->consultas().size();
    modelo.preparar(ModoDoPreenchimento::configuracao(), {});
    EXPECT_EQ(modelo.fase(), ModeloDoPreenchimento::Fase::configuracao);
    EXPECT_EQ(segredos->consultas().size(), consultasAntes);
    EXPECT_FALSE(modelo.copia().has_value());
    EXPECT_TRUE(modelo.opcoes().isEmpty());
}

TEST_F(FixtureDoPreenchimento, SemCopiaOuSemChaveFicaSemConta)
{
    modelo.preparar(ModoDoPreenchimento::senhas(), dominios({"exemplo.com"}));
    EXPECT_EQ(modelo.fase(), ModeloDoPreenchimento::Fase::semConta);
    EXPECT_FALSE(modelo.conta().has_value());

    CopiaDeTeste::instalar({CopiaDeTeste::senha(u"s1"_s, u"A"_s, u"u"_s, u"p"_s, {})}, false);
    ModeloDoPreenchimento semChave;
    semChave.preparar(ModoDoPreenchimento::senhas(), {});
    EXPECT_EQ(semChave.fase(), ModeloDoPreenchimento::Fase::semConta);
    EXPECT_EQ(semChave.conta(), CopiaDeTeste::conta());
}

TEST_F(FixtureDoPreenchimento, CarregaOsItensQueAbremOrdenadosPorTitulo)
{
    ItemCifrado apagado = CopiaDeTeste::senha(u"apagado"_s, u"Apagado"_s, u"u"_s, u"p"_s, {});
    apagado.apagadoEm = u"2025-02-01T00:00:00Z"_s;
    ObjetoJSON codigoEstranho = DadosDeCodigo::novo(u"Estranho"_s, u""_s, CopiaDeTeste::segredo, AlgoritmoTotp::sha1, 8, 30).json;
    codigoEstranho.definir(u"periodo"_s, ValorJSON::numero(0));
    codigoEstranho.definir(u"algoritmo"_s, ValorJSON::texto(u"sha256"_s));
    CopiaDeTeste::instalar({
        CopiaDeTeste::senha(u"b"_s, u"b"_s, u"u"_s, u"p"_s, {}),
        CopiaDeTeste::senha(u"A"_s, u"A"_s, u"u"_s, u"p"_s, {}),
        CopiaDeTeste::senha(u"a"_s, u"a"_s, u"u"_s, u"p"_s, {}),
        apagado,
        CopiaDeTeste::selado(u"outra-chave"_s, TipoDeItem::senha, DadosDeSenha::novo(u"X"_s, {}, u"p"_s, {}, {}, false).json,
                             QByteArray(32, 'z')),
        CopiaDeTeste::selado(u"nota"_s, TipoDeItem::nota, DadosDeNota(u"Nota"_s, u"t"_s, false).json),
        CopiaDeTeste::selado(u"estranho"_s, TipoDeItem::codigo, codigoEstranho),
        CopiaDeTeste::senha(u"sem-titulo"_s, u""_s, u"u"_s, u"p"_s, {u"https://www.zeta.com"_s}),
    });
    modelo.preparar(ModoDoPreenchimento::senhas(), {});
    EXPECT_EQ(modelo.fase(), ModeloDoPreenchimento::Fase::aberto);
    EXPECT_EQ(ids(modelo.opcoes()), (QList<QString>{u"A"_s, u"a"_s, u"b"_s, u"estranho"_s, u"sem-titulo"_s}));
    const OpcaoDePreenchimento *estranho = opcao(u"estranho"_s);
    ASSERT_TRUE(estranho && estranho->codigo);
    EXPECT_EQ(estranho->codigo->periodo, 1);
    EXPECT_EQ(estranho->codigo->algoritmo, AlgoritmoTotp::sha1);
    EXPECT_EQ(estranho->codigo->digitos, 8);
    EXPECT_EQ(estranho->tipo, TipoDeItem::codigo);
    EXPECT_EQ(opcao(u"sem-titulo"_s)->titulo, u"zeta.com"_s);
}

TEST_F(FixtureDoPreenchimento, NovasPendentesEVinculosEntramNasOpcoes)
{
    CopiaDeTeste::instalar({CopiaDeTeste::codigo(u"c1"_s, u"Banco"_s, u"ana"_s, {u"banco.com"_s}),
                            CopiaDeTeste::senha(u"ja-enviada"_s, u"Enviada"_s, u"u"_s, u"p"_s, {})});
    ASSERT_TRUE(VinculoDoPreenchimento::acrescentar({u"c1"_s, u"app.banco.com.br"_s}));
    for (const QString &id : {u"ja-enviada"_s, u"pendente"_s}) {
        const DadosDeSenha dados = DadosDeSenha::novo(u"Pendente"_s, u"eu"_s, u"segredo"_s, {u"novo.com"_s}, {}, false);
        ASSERT_TRUE(NovaDoPreenchimento::acrescentar(
            {id, Cripto::selarEnvelope(ValorJSON::objeto(dados.json).escritoEmUTF8(), CopiaDeTeste::chave, Cripto::rotuloDoItem(id)),
             relogio.agora()}));
    }
    modelo.preparar(ModoDoPreenchimento::senhas(), dominios({"novo.com"}));
    EXPECT_EQ(ids(modelo.opcoes()), (QList<QString>{u"c1"_s, u"ja-enviada"_s, u"pendente"_s}));
    EXPECT_EQ(opcao(u"c1"_s)->dominios, (QList<QString>{u"banco.com"_s, u"app.banco.com.br"_s}));
    EXPECT_EQ(opcao(u"ja-enviada"_s)->titulo, u"Enviada"_s);
    const auto filtradas = modelo.opcoesFiltradas({});
    EXPECT_EQ(ids(filtradas.casam), QList<QString>{u"pendente"_s});
    EXPECT_EQ(ids(filtradas.outras), QList<QString>{u"ja-enviada"_s});
}

TEST_F(FixtureDoPreenchimento, FiltroPorModoEBusca)
{
    CopiaDeTeste::instalar({
        CopiaDeTeste::senha(u"s-exemplo"_s, u"Exemplo"_s, u"ana"_s, u"p"_s, {u"exemplo.com"_s}),
        CopiaDeTeste::senha(u"s-codigo"_s, u"Com código"_s, u"bia"_s, u"p"_s, {u"login.exemplo.com"_s}, CopiaDeTeste::segredo),
        CopiaDeTeste::senha(u"s-vazia"_s, u"Vazia"_s, u"cris"_s, u""_s, {u"exemplo.com"_s}, CopiaDeTeste::segredo),
        CopiaDeTeste::codigo(u"c-outro"_s, u"Outro"_s, u"dani"_s),
        CopiaDeTeste::senha(u"s-pages"_s, u"Pages"_s, u"eva"_s, u"p"_s, {u"github.io"_s}),
    });
    const struct {
        ModoDoPreenchimento modo;
        const char *busca;
        QList<QString> casam;
        QList<QString> outras;
    } casos[] = {
        {ModoDoPreenchimento::senhas(), "", {u"s-codigo"_s, u"s-exemplo"_s}, {u"s-pages"_s}},
        {ModoDoPreenchimento::senhas(), " \t ", {u"s-codigo"_s, u"s-exemplo"_s}, {u"s-pages"_s}},
        {ModoDoPreenchimento::senhas(), "ANA", {u"s-exemplo"_s}, {}},
        {ModoDoPreenchimento::senhas(), "github", {}, {u"s-pages"_s}},
        {ModoDoPreenchimento::codigos(), "", {u"s-codigo"_s, u"s-vazia"_s}, {u"c-outro"_s}},
        {ModoDoPreenchimento::direto(u"x"_s, true), "", {u"s-codigo"_s, u"s-vazia"_s}, {u"c-outro"_s}},
        {ModoDoPreenchimento::direto(u"x"_s, false), "nada", {}, {}},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.busca);
        ModeloDoPreenchimento m;
        prepararModelo(m);
        m.preparar(caso.modo, dominios({"alice.github.io", "exemplo.com"}));
        const auto filtradas = m.opcoesFiltradas(QString::fromUtf8(caso.busca));
        EXPECT_EQ(ids(filtradas.casam), caso.casam);
        EXPECT_EQ(ids(filtradas.outras), caso.outras);
    }
    ModeloDoPreenchimento semPedido;
    semPedido.preparar(ModoDoPreenchimento::senhas(), {});
    EXPECT_TRUE(semPedido.opcoesFiltradas({}).casam.isEmpty());
    EXPECT_EQ(semPedido.opcoesFiltradas({}).outras.size(), 3);
}
