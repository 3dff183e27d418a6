// The rules under the account screens: the screen key, where an identified account goes, the
// navigation's change signals.
#include "screens/account/NavegacaoDaConta.h"
#include "screens/account/TelaDeConta.h"
#include "screens/comum/TiposNaTela.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

RespostaSocial resposta(const char *situacao, const char *email)
{
    RespostaSocial r;
    r.situacao = QString::fromUtf8(situacao);
    r.email = QString::fromUtf8(email);
    r.tokenSocial = QStringLiteral("social-1");
    return r;
}

TEST(TelaDeConta, ChaveDeCadaTela)
{
    const struct {
        TelaDeConta tela;
        const char *chave;
    } casos[] = {
        {TelaDeConta::entrar(), "entrar"},
        {TelaDeConta::criar(), "criar-"},
        {TelaDeConta::criar(resposta("nova", "ana@exemplo.com")), "criar-ana@exemplo.com"},
        {TelaDeConta::criar(resposta("nova", "")), "criar-"},
        {TelaDeConta::senhaSocial(resposta("existente", "Bia@Exemplo.com")), "social-Bia@Exemplo.com"},
        {TelaDeConta::senhaSocial(resposta("", "")), "social-"},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.chave);
        EXPECT_EQ(chaveDaTela(caso.tela), QString::fromUtf8(caso.chave));
    }
}

TEST(TelaDeConta, IdentificacaoVaiParaOCadastroSoComSituacaoNova)
{
    const struct {
        const char *situacao;
        TelaDeConta::Caso caso;
        const char *chave;
    } casos[] = {
        {"nova", TelaDeConta::Caso::criar, "criar-ana@exemplo.com"},
        {"existente", TelaDeConta::Caso::senhaSocial, "social-ana@exemplo.com"},
        {"", TelaDeConta::Caso::senhaSocial, "social-ana@exemplo.com"},
        {"Nova", TelaDeConta::Caso::senhaSocial, "social-ana@exemplo.com"},
        {"nova ", TelaDeConta::Caso::senhaSocial, "social-ana@exemplo.com"},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.situacao);
        const RespostaSocial r = resposta(caso.situacao, "ana@exemplo.com");
        const TelaDeConta tela = telaDepoisDaIdentificacao(r);
        EXPECT_EQ(tela.caso, caso.caso);
        EXPECT_EQ(tela.social, r) << "the whole answer goes along";
        EXPECT_EQ(chaveDaTela(tela), QString::fromUtf8(caso.chave));
    }
}

TEST(TelaDeConta, IgualdadeComparaAsRespostasInteiras)
{
    RespostaSocial outra = resposta("nova", "ana@exemplo.com");
    outra.tokenSocial = QStringLiteral("social-2");
    EXPECT_EQ(TelaDeConta::criar(), TelaDeConta::criar());
    EXPECT_NE(TelaDeConta::criar(), TelaDeConta::criar(resposta("nova", "")));
    EXPECT_NE(TelaDeConta::criar(resposta("nova", "ana@exemplo.com")), TelaDeConta::criar(outra));
}

TEST(NavegacaoDaConta, SoUmaChaveNovaTrocaATela)
{
    NavegacaoDaConta navegacao;
    QSignalSpy telas(&navegacao, &NavegacaoDaConta::telaMudou);
    QSignalSpy chaves(&navegacao, &NavegacaoDaConta::chaveMudou);
    EXPECT_EQ(navegacao.caso(), QStringLiteral("entrar"));
    EXPECT_FALSE(navegacao.social().isValid());

    navegacao.irParaCriar();
    EXPECT_EQ(navegacao.chave(), QStringLiteral("criar-"));
    navegacao.irParaCriar(); // the same screen: nothing at all
    // An answer with an empty e-mail has the same key: the screen is updated in place.
    navegacao.aoIdentificar(QVariant::fromValue(RespostaSocialNaTela{resposta("nova", "")}));
    EXPECT_EQ(telas.size(), 2);
    EXPECT_EQ(chaves.size(), 1);
    EXPECT_EQ(navegacao.social().value<RespostaSocialNaTela>().email(), QString());

    navegacao.aoIdentificar(QVariant::fromValue(RespostaSocialNaTela{resposta("existente", "ana@exemplo.com")}));
    EXPECT_EQ(navegacao.caso(), QStringLiteral("senhaSocial"));
    EXPECT_EQ(navegacao.social().value<RespostaSocialNaTela>().email(), QStringLiteral("ana@exemplo.com"));
    navegacao.aoIdentificar(QVariant(QStringLiteral("não é uma resposta")));
    EXPECT_EQ(navegacao.caso(), QStringLiteral("senhaSocial"));
    navegacao.irParaEntrar();
    EXPECT_EQ(chaves.size(), 3);
    EXPECT_FALSE(navegacao.social().isValid());
}

} // namespace
