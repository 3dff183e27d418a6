#include "core/Item.h"
#include "core/SemRepeticoes.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace Qt::StringLiterals;

namespace {

ObjetoJSON objeto(const QByteArray &json)
{
    const ValorJSON valor = ValorJSON::ler(json);
    return *valor.comoObjeto();
}

QString escrito(const ObjetoJSON &json)
{
    return ValorJSON::objeto(json).escrito();
}

std::string texto(const std::optional<QString> &valor)
{
    return valor ? valor->toStdString() : std::string("<nada>");
}

} // namespace

TEST(SemRepeticoes, MantemAPrimeiraOcorrenciaNaOrdemDada)
{
    QSet<QString> vistos{u"b"_s};
    const QList<QString> unicos = semRepeticoes({u"a"_s, u"b"_s, u"c"_s, u"a"_s, u"A"_s, u"c"_s}, vistos);
    EXPECT_EQ(unicos, (QList<QString>{u"a"_s, u"c"_s, u"A"_s}));
    EXPECT_EQ(vistos, (QSet<QString>{u"a"_s, u"b"_s, u"c"_s, u"A"_s}));
}

TEST(NormalizarSite, DaOHostSemPrefixoNemCaminho)
{
    const std::pair<QString, std::optional<QString>> casos[] = {
        {u"exemplo.com"_s, u"exemplo.com"_s},
        {u"Exemplo.COM"_s, u"exemplo.com"_s},
        {u"HTTPS://WWW.EXEMPLO.COM/entrar?x=1"_s, u"exemplo.com"_s},
        {u"  Www.Exemplo.com/caminho  \n"_s, u"exemplo.com"_s},
        {u"http://usuario@conta.exemplo.com:8443/a"_s, u"conta.exemplo.com"_s},
        {u"www2.exemplo.com"_s, u"www2.exemplo.com"_s},
        {u"ftp://arquivos.exemplo.com"_s, u"arquivos.exemplo.com"_s},
        {u"localhost"_s, u"localhost"_s},
        {u""_s, std::nullopt},
        {u"   \t "_s, std::nullopt},
        {u"https://"_s, std::nullopt},
        {u"mailto://"_s, std::nullopt},
        {u"exem plo.com"_s, std::nullopt},
        {u"www."_s, std::nullopt},
    };
    for (const auto &[site, esperado] : casos) {
        SCOPED_TRACE(site.toStdString());
        EXPECT_EQ(texto(normalizarSite(site)), texto(esperado));
    }
}

TEST(DadosDeCodigo, TituloEhEmissorOuContaAparadosOuSemNome)
{
    const std::pair<QByteArray, QString> casos[] = {
        {R"({"emissor":"  GitHub\t","conta":"ana"})", u"GitHub"_s},
        {R"({"emissor":"   ","conta":" ana@exemplo.com "})", u"ana@exemplo.com"_s},
        {R"({"emissor":"","conta":""})", u"Sem nome"_s},
        {R"({})", u"Sem nome"_s},
        {R"({"emissor":7,"conta":"ana"})", u"ana"_s},
        {R"({"emissor":"\nGit"})", u"\nGit"_s}, // only spaces and tabs are trimmed
    };
    for (const auto &[json, esperado] : casos) {
        SCOPED_TRACE(json.toStdString());
        EXPECT_EQ(DadosDeCodigo(objeto(json)).titulo(), esperado);
    }
}

TEST(DadosDeCodigo, DominiosJuntamSitesEmissorEContaSemRepeticao)
{
    struct Caso {
        QByteArray json;
        QList<QString> esperado;
    };
    const Caso casos[] = {
        {R"({"emissor":"github.com","conta":"ana@github.com","sites":["https://github.com/login"]})",
         {u"github.com"_s}},
        {R"({"emissor":"GitHub","conta":"ana"})", {}},
        {R"({"emissor":" Exemplo.COM ","conta":"www.outro.org"})", {u"exemplo.com"_s, u"outro.org"_s}},
        {R"({"emissor":"Git Hub.com","sites":["", 3, "b.com", "a.com", "b.com"]})", {u"b.com"_s, u"a.com"_s}},
        {R"({"emissor":"www.com"})", {}}, // "www." removed leaves a host without a dot
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.json.toStdString());
        EXPECT_EQ(DadosDeCodigo(objeto(caso.json)).dominios(), caso.esperado);
    }
}

TEST(DadosDeCodigo, ListaVaziaDeSitesRemoveAChaveEOutraListaFicaNoLugar)
{
    DadosDeCodigo dados(objeto(R"({"emissor":"a","sites":["x.com"],"notas":""})"));
    dados.definirSites({u"y.com"_s, u"z.com"_s});
    EXPECT_EQ(escrito(dados.json), uR"({"emissor":"a","sites":["y.com","z.com"],"notas":""})"_s);
    dados.definirSites({});
    EXPECT_EQ(escrito(dados.json), uR"({"emissor":"a","notas":""})"_s);
    dados.definirSites({u"w.com"_s});
    EXPECT_EQ(escrito(dados.json), uR"({"emissor":"a","notas":"","sites":["w.com"]})"_s);
}

TEST(DadosDeCodigo, NovoTrazTodasAsChavesNaOrdem)
{
    const DadosDeCodigo dados =
        DadosDeCodigo::novo(u"GitHub"_s, u"ana"_s, u"JBSWY3DPEHPK3PXP"_s, AlgoritmoTotp::sha256, 8, 60);
    EXPECT_EQ(escrito(dados.json),
              uR"({"emissor":"GitHub","conta":"ana","segredo":"JBSWY3DPEHPK3PXP","algoritmo":"SHA256",)"
              uR"("digitos":8,"periodo":60,"favorito":false,"notas":""})"_s);
}

// A stored period below 1 must never reach a division, and a digit count outside what codes
// accept must never be narrowed into one that looks valid.
TEST(DadosDeCodigo, PeriodoEDigitosGuardadosNuncaDividemPorZeroNemTransbordam)
{
    struct Caso {
        QByteArray json;
        qint64 digitos;
        qint64 periodo;
        AlgoritmoTotp algoritmo;
    };
    const Caso casos[] = {
        {R"({})", 6, 30, AlgoritmoTotp::sha1},
        {R"({"periodo":0,"digitos":8,"algoritmo":"SHA512"})", 8, 1, AlgoritmoTotp::sha512},
        {R"({"periodo":-30,"algoritmo":"sha256"})", 6, 1, AlgoritmoTotp::sha1},
        {R"({"periodo":0.5,"digitos":6.9})", 6, 1, AlgoritmoTotp::sha1},
        {R"({"periodo":1e300,"digitos":1e300})", 6, 30, AlgoritmoTotp::sha1},
        {R"({"periodo":"30","digitos":"8"})", 6, 30, AlgoritmoTotp::sha1},
        {R"({"digitos":4294967302})", 4294967302LL, 30, AlgoritmoTotp::sha1},
        {R"({"digitos":-9223372036854775808,"periodo":-9223372036854775808})", std::numeric_limits<qint64>::min(),
         1, AlgoritmoTotp::sha1},
    };
    const QDateTime agora = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.json.toStdString());
        DadosDeCodigo dados(objeto(caso.json));
        dados.json.definir(u"segredo"_s, ValorJSON::texto(u"JBSWY3DPEHPK3PXP"_s));
        const ParametrosTotp parametros = dados.parametros();
        EXPECT_EQ(parametros.digitos, caso.digitos);
        EXPECT_EQ(parametros.periodo, caso.periodo);
        EXPECT_EQ(parametros.algoritmo, caso.algoritmo);
        EXPECT_GE(Totp::segundosRestantes(parametros.periodo, agora), 1);
        if (caso.digitos < 6 || caso.digitos > 10) {
            try {
                (void)parametros.codigo(agora);
                ADD_FAILURE() << "a digit count outside 6-10 gave a code";
            } catch (const ErroDeCripto &erro) {
                EXPECT_EQ(erro.codigo, u"digitos-invalidos");
            }
        } else {
            EXPECT_EQ(parametros.codigo(agora).size(), caso.digitos);
        }
    }
}

TEST(DadosDeSenha, CodigoAnexadoComValoresPadraoELimiteDoPeriodo)
{
    struct Caso {
        QByteArray json;
        std::optional<CodigoDaSenha> esperado;
    };
    const Caso casos[] = {
        {R"({"codigo":{"segredo":"ABC"}})", CodigoDaSenha{u"ABC"_s, AlgoritmoTotp::sha1, 6, 30}},
        {R"({"codigo":{"segredo":"ABC","algoritmo":"SHA256","digitos":8,"periodo":0}})",
         CodigoDaSenha{u"ABC"_s, AlgoritmoTotp::sha256, 8, 1}},
        {R"({"codigo":{"segredo":"ABC","algoritmo":"sha256","digitos":99,"periodo":-5}})",
         CodigoDaSenha{u"ABC"_s, AlgoritmoTotp::sha1, 99, 1}},
        {R"({"codigo":{"segredo":"ABC","algoritmo":"SHA512","periodo":1e300}})",
         CodigoDaSenha{u"ABC"_s, AlgoritmoTotp::sha512, 6, 30}},
        {R"({"codigo":{"segredo":""}})", std::nullopt},
        {R"({"codigo":{"digitos":6}})", std::nullopt},
        {R"({"codigo":"ABC"})", std::nullopt},
        {R"({})", std::nullopt},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.json.toStdString());
        EXPECT_EQ(DadosDeSenha(objeto(caso.json)).codigo(), caso.esperado);
    }
}

TEST(DadosDeSenha, DominiosMantemRepeticoesEDefinirSitesGuardaListaVazia)
{
    DadosDeSenha dados(objeto(R"({"titulo":"","sites":["a.com","",null,"https://www.a.com/x","b.org"],"notas":""})"));
    EXPECT_EQ(dados.dominios(), (QList<QString>{u"a.com"_s, u"a.com"_s, u"b.org"_s}));
    dados.definirSites({});
    EXPECT_EQ(escrito(dados.json), uR"({"titulo":"","sites":[],"notas":""})"_s);
    EXPECT_TRUE(dados.dominios().isEmpty());
}

TEST(DadosDeSenha, NovoTrazTodasAsChavesNaOrdem)
{
    const DadosDeSenha dados =
        DadosDeSenha::novo(u"Banco"_s, u"ana"_s, u"s3nh@"_s, {u"banco.com"_s}, u""_s, true);
    EXPECT_EQ(escrito(dados.json), uR"({"titulo":"Banco","usuario":"ana","senha":"s3nh@","sites":["banco.com"],)"
                                   uR"("notas":"","favorito":true})"_s);
}

TEST(DadosDeNota, NovaTrazTituloTextoEFavoritoNaOrdem)
{
    EXPECT_EQ(escrito(DadosDeNota(u"Wi-Fi"_s, u"senha: 123"_s, false).json),
              uR"({"titulo":"Wi-Fi","texto":"senha: 123","favorito":false})"_s);
}

TEST(ItemAberto, TituloEFavoritoConformeOTipo)
{
    struct Caso {
        TipoDeItem tipo;
        QByteArray json;
        QString titulo;
        bool favorito;
    };
    const Caso casos[] = {
        {TipoDeItem::senha, R"({"titulo":"","sites":["","https://www.Banco.com.br/entrar"],"favorito":true})",
         u"banco.com.br"_s, true},
        {TipoDeItem::senha, R"({"titulo":"","sites":["", "nao é site"]})", u"Sem título"_s, false},
        {TipoDeItem::senha, R"({"titulo":" ","sites":["a.com"]})", u" "_s, false},
        {TipoDeItem::senha, R"({"titulo":5,"favorito":"true"})", u"Sem título"_s, false},
        {TipoDeItem::nota, R"({"titulo":"","sites":["a.com"],"favorito":true})", u"Sem título"_s, true},
        {TipoDeItem::nota, R"({"titulo":"Lista"})", u"Lista"_s, false},
        {TipoDeItem::codigo, R"({"titulo":"ignorado","emissor":" Banco ","favorito":false})", u"Banco"_s, false},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.json.toStdString());
        ItemCifrado cifrado{u"id-1"_s, caso.tipo, std::nullopt, 4, u"c"_s, u"a"_s, std::nullopt};
        const ItemAberto item = ItemAberto::de(cifrado, objeto(caso.json));
        EXPECT_EQ(item.conteudo.tipo(), caso.tipo);
        EXPECT_EQ(item.titulo(), caso.titulo);
        EXPECT_EQ(item.favorito(), caso.favorito);
    }
}

TEST(ConteudoDoItem, IguaisSoComMesmoTipoEMesmaOrdemDeChaves)
{
    const ObjetoJSON ab = objeto(R"({"a":1,"b":2})");
    const ObjetoJSON ba = objeto(R"({"b":2,"a":1})");
    EXPECT_EQ(ConteudoDoItem(DadosDeNota(ab)), ConteudoDoItem(DadosDeNota(ab)));
    EXPECT_NE(ConteudoDoItem(DadosDeNota(ab)), ConteudoDoItem(DadosDeSenha(ab)));
    EXPECT_NE(ConteudoDoItem(DadosDeNota(ab)), ConteudoDoItem(DadosDeNota(ba)));
}
