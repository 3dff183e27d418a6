// The vault window's rules: sections and their texts, the search rule, the adaptive columns,
// what a code card shows at a moment, the copy sequence and the window's own state.
#include "screens/comum/AreaDeTransferencia.h"
#include "screens/vault/JanelaDoCofre.h"
#include "screens/vault/RegrasDoCodigo.h"
#include "screens/vault/RegrasDoCofre.h"
#include "screens/vault/SecaoDoMac.h"
#include "servicos/CentralDeAvisos.h"

#include "support/RelogioDeTeste.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <limits>

namespace {

QDateTime em(qint64 segundos) { return QDateTime::fromSecsSinceEpoch(segundos, Qt::UTC); }

TEST(SecoesDoCofre, ValoresBrutosTitulosEDicas)
{
    const struct {
        const char *bruto;
        SecaoDoMac secao;
        const char *titulo, *simbolo, *dica, *adicionar;
        TipoDeItem novo;
    } casos[] = {
        {"codigos", SecaoDoMac::codigos, "Códigos", "number.square", "Buscar códigos", "Adicionar código", TipoDeItem::codigo},
        {"senhas", SecaoDoMac::senhas, "Senhas", "key", "Buscar senhas", "Nova senha", TipoDeItem::senha},
        {"notas", SecaoDoMac::notas, "Notas", "note.text", "Buscar notas", "Nova nota", TipoDeItem::nota},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.bruto);
        EXPECT_EQ(secaoDoMac(QString::fromUtf8(caso.bruto)), caso.secao);
        EXPECT_EQ(valorBruto(caso.secao), QString::fromUtf8(caso.bruto));
        EXPECT_EQ(titulo(caso.secao), QString::fromUtf8(caso.titulo));
        EXPECT_EQ(simbolo(caso.secao), QString::fromUtf8(caso.simbolo));
        EXPECT_EQ(dicaDaBusca(caso.secao), QString::fromUtf8(caso.dica));
        EXPECT_EQ(rotuloDeAdicionar(caso.secao), QString::fromUtf8(caso.adicionar));
        EXPECT_EQ(tipoNovo(caso.secao), caso.novo);
    }
    for (const char *outro : {"", "Codigos", "codigo", "senha", " notas"}) {
        EXPECT_FALSE(secaoDoMac(QString::fromUtf8(outro))) << outro;
        // The window reads no section (or an unknown one) as the codes section.
        EXPECT_EQ(RegrasDoCofre::secao(QString::fromUtf8(outro)), QStringLiteral("codigos")) << outro;
        EXPECT_EQ(RegrasDoCofre::dica(QString::fromUtf8(outro)), QStringLiteral("Buscar códigos")) << outro;
    }
    EXPECT_EQ(RegrasDoCofre::secoes(), (QStringList{"codigos", "senhas", "notas"}));
}

TEST(SecoesDoCofre, SubtituloContaOsItens)
{
    const struct {
        SecaoDoMac secao;
        qint64 total;
        const char *texto;
    } casos[] = {
        {SecaoDoMac::codigos, 0, "Os códigos de verificação dos seus sites ficam aqui."},
        {SecaoDoMac::codigos, 1, "1 código de verificação. Clique para copiar."},
        {SecaoDoMac::codigos, 2, "2 códigos de verificação. Clique para copiar."},
        {SecaoDoMac::codigos, 12, "12 códigos de verificação. Clique para copiar."},
        {SecaoDoMac::codigos, 1234, "1234 códigos de verificação. Clique para copiar."},
        {SecaoDoMac::senhas, 0, "0 senhas, preenchidas sozinhas no navegador e nos apps."},
        {SecaoDoMac::senhas, 1, "1 senha, preenchida sozinha no navegador e nos apps."},
        {SecaoDoMac::senhas, 1234, "1234 senhas, preenchidas sozinhas no navegador e nos apps."},
        {SecaoDoMac::notas, 0, "0 notas protegidas com a sua chave."},
        {SecaoDoMac::notas, 1, "1 nota protegida com a sua chave."},
        {SecaoDoMac::notas, 3, "3 notas protegidas com a sua chave."},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(subtitulo(caso.secao, caso.total), QString::fromUtf8(caso.texto)) << caso.texto;
}

TEST(SecoesDoCofre, BuscaAparadaSemCaixaComAcentos)
{
    const QStringList campos{QStringLiteral("GitHub"), QStringLiteral("bia@exemplo.com"), QStringLiteral("Código")};
    const struct {
        const char *busca;
        QStringList campos;
        bool mostra;
    } casos[] = {
        {"", campos, true},
        {"   \t ", campos, true},
        {" \t", {}, true},
        {"git", campos, true},
        {"GITHUB", campos, true},
        {"  BIA  ", campos, true},
        {"\tbia\t", campos, true},
        {"código", campos, true},
        {"codigo", campos, false},  // diacritics count
        {"CÓDIGO", campos, true},
        {"bia\n", campos, false},   // line breaks are not trimmed
        {"gitlab", campos, false},
        {"git", {}, false},
        {"sem nome", {QString(), QString(), QStringLiteral("Sem nome")}, true},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(combinaComBusca(QString::fromUtf8(caso.busca), caso.campos), caso.mostra) << caso.busca;
}

TEST(SecoesDoCofre, FaixaDoTopo)
{
    EXPECT_EQ(RegrasDoCofre::faixa(false, 0), QString());
    EXPECT_EQ(RegrasDoCofre::faixa(false, 2), QStringLiteral("itensIlegiveis"));
    EXPECT_EQ(RegrasDoCofre::faixa(true, 0), QStringLiteral("entrarDeNovo"));
    // With the session ended and unreadable items, only the re-sign-in banner shows.
    EXPECT_EQ(RegrasDoCofre::faixa(true, 3), QStringLiteral("entrarDeNovo"));
}

TEST(GradeDeCodigos, ColunasAdaptativas)
{
    const struct {
        double largura;
        int colunas;
        double coluna;
    } casos[] = {
        {0, 1, 0},
        {200, 1, 200},       // narrower than one column: the column shrinks
        {290, 1, 290},
        {568, 1, 400},       // the 860-point window: one column, capped at 400
        {595, 1, 400},
        {596, 2, 290},       // two of 290 and the 16 between them
        {748, 2, 366},       // the 1040-point window
        {912, 3, 293.33333333333331},
        {1400, 4, 338},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.largura);
        EXPECT_EQ(RegrasDoCodigo::colunas(caso.largura), caso.colunas);
        EXPECT_DOUBLE_EQ(RegrasDoCodigo::larguraDaColuna(caso.largura), caso.coluna);
    }
}

TEST(GradeDeCodigos, MomentoDoCartao)
{
    // RFC 6238's SHA-1 key; at 59 s the 8-digit code is 94287082, so the 6-digit one is 287082.
    const QString segredo = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ");
    const GeradorDeCodigos gerador({segredo, AlgoritmoTotp::sha1, 6, 30});
    const GeradorDeCodigos oitoDigitos({segredo, AlgoritmoTotp::sha1, 8, 30});
    const GeradorDeCodigos digitosInvalidos({segredo, AlgoritmoTotp::sha1, 11, 30});
    // What the card builds for a stored period of 0 or below: a generator that counts it as 1.
    const GeradorDeCodigos periodoZero({segredo, AlgoritmoTotp::sha1, 6, 0});
    const GeradorDeCodigos periodoNegativo({segredo, AlgoritmoTotp::sha1, 6, -30});
    const auto porSegundo = [&](qint64 s) {
        return GeradorDeCodigos({segredo, AlgoritmoTotp::sha1, 6, 1}).codigo(em(s));
    };
    const auto codigoEm = [&](qint64 s) { return gerador.codigo(em(s)); };

    const struct {
        const char *nome;
        const GeradorDeCodigos *gerador;
        qint64 periodo;
        qint64 segundos;
        QString codigo, proximo;
        qint64 restantes;
        double fracao;
        bool acabando;
    } casos[] = {
        {"oito dígitos", &oitoDigitos, 30, 59, "94287082", "", 1 + 0, 1.0 / 30, true},
        {"início do período", &gerador, 30, 60, codigoEm(60), "", 30, 1, false},
        {"6 segundos: sem próximo", &gerador, 30, 84, codigoEm(84), "", 6, 6.0 / 30, false},
        {"5 segundos: o próximo", &gerador, 30, 85, codigoEm(85), codigoEm(90), 5, 5.0 / 30, true},
        {"1 segundo", &gerador, 30, 89, codigoEm(89), codigoEm(90), 1, 1.0 / 30, true},
        {"período 0 conta como 1", &periodoZero, 0, 85, porSegundo(85), porSegundo(86), 1, 1, true},
        {"período negativo conta como 1", &periodoNegativo, -30, 85, porSegundo(85), porSegundo(86), 1, 1, true},
        {"chave inválida", nullptr, 30, 85, "", "", 5, 5.0 / 30, true},
        {"dígitos fora de 6 a 10", &digitosInvalidos, 30, 85, "", "", 5, 5.0 / 30, true},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        // The "oito dígitos" case needs its own next code, computed here.
        const QString proximo = caso.gerador == &oitoDigitos ? oitoDigitos.codigo(em(60)) : caso.proximo;
        const RegrasDoCodigo::Momento m = RegrasDoCodigo::momento(caso.gerador, caso.periodo, em(caso.segundos));
        EXPECT_EQ(m.codigo, caso.codigo);
        EXPECT_EQ(m.proximo, proximo);
        EXPECT_EQ(m.restantes, caso.restantes);
        EXPECT_DOUBLE_EQ(m.fracao, caso.fracao);
        EXPECT_EQ(m.acabando, caso.acabando);
    }
    EXPECT_EQ(Totp::formatarParaExibir(codigoEm(85)).size(), 7);
}

TEST(GradeDeCodigos, PeriodoAbsurdoNaoTransbordaNemDivide)
{
    const GeradorDeCodigos gerador({QStringLiteral("JBSWY3DPEHPK3PXP"), AlgoritmoTotp::sha1, 6, 30});
    for (const qint64 periodo : {std::numeric_limits<qint64>::max(), qint64(4e18), qint64(1) << 40,
                                 std::numeric_limits<qint64>::min()}) {
        SCOPED_TRACE(periodo);
        for (const qint64 segundos : {qint64(0), qint64(1'700'000'000), qint64(253'402'300'799)}) {
            const RegrasDoCodigo::Momento m = RegrasDoCodigo::momento(&gerador, periodo, em(segundos));
            EXPECT_GE(m.restantes, 1);
            EXPECT_GT(m.fracao, 0);
            EXPECT_LE(m.fracao, 1);
            EXPECT_EQ(m.codigo.size(), 6);
            EXPECT_EQ(RegrasDoCofre::restantes(periodo, em(segundos)), m.restantes);
            EXPECT_DOUBLE_EQ(RegrasDoCofre::fracao(periodo, em(segundos)), m.fracao);
        }
    }
}

TEST(GradeDeCodigos, TextosDaGrade)
{
    EXPECT_EQ(RegrasDoCodigo::nadaEncontrado(QStringLiteral("  GIT ")), QStringLiteral("Nenhum código combina com \"  GIT \"."));
    EXPECT_EQ(RegrasDoCodigo::avisoDoClique(QStringLiteral("GitHub")), QStringLiteral("Código de GitHub copiado"));
    EXPECT_EQ(RegrasDoCodigo::avisoDoMenu(), QStringLiteral("Código copiado"));
    EXPECT_EQ(RegrasDoCofre::atalhoDaBusca(), QStringLiteral("Ctrl+F"));
    EXPECT_EQ(RegrasDoCofre::textoDoPortao(),
              QStringLiteral("Senhas e notas pedem a senha do computador de novo depois de um tempo longe."));
    EXPECT_EQ(RegrasDoCofre::botaoDoPortao(), QStringLiteral("Mostrar com senha do computador"));
    EXPECT_EQ(RegrasDoCofre::simboloDoPortao(), QStringLiteral("lock"));
    EXPECT_EQ(RegrasDoCofre::mensagemDeSaida(),
              QStringLiteral("Os dados deste computador serão apagados. Seus itens continuam na conta."));
}

TEST(GradeDeCodigos, CopiaSoComCodigo)
{
    RelogioDeTeste relogio;
    CentralDeAvisos avisos(nullptr, &relogio);
    AreaDeTransferencia area(QGuiApplication::clipboard(), relogio);
    QGuiApplication::clipboard()->setText(QStringLiteral("o que a pessoa copiou"));

    // A code that cannot be computed: nothing is copied, counted or announced.
    EXPECT_FALSE(RegrasDoCodigo::copiar(QString(), RegrasDoCodigo::avisoDoMenu(), avisos, area));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("o que a pessoa copiou"));
    EXPECT_EQ(avisos.contadorDeCopias(), 0);
    EXPECT_FALSE(avisos.atual());

    EXPECT_TRUE(RegrasDoCodigo::copiar(QStringLiteral("287082"), RegrasDoCodigo::avisoDoClique(QStringLiteral("GitHub")),
                                       avisos, area));
    const QMimeData *dados = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(dados);
    EXPECT_EQ(dados->text(), QStringLiteral("287082"));
    EXPECT_EQ(dados->data(QString::fromLatin1(AreaDeTransferencia::tipoDaMarca)), QByteArray("secret"));
    EXPECT_EQ(avisos.contadorDeCopias(), 1);
    ASSERT_TRUE(avisos.atual());
    EXPECT_EQ(avisos.atual()->texto, QStringLiteral("Código de GitHub copiado"));
    EXPECT_EQ(avisos.atual()->simbolo, QStringLiteral("checkmark.circle.fill"));
}

TEST(JanelaDoCofreTeste, SecaoBuscaEEdicao)
{
    JanelaDoCofre janela;
    EXPECT_EQ(janela.secao(), QStringLiteral("codigos"));
    EXPECT_FALSE(janela.edicao().isValid());
    EXPECT_FALSE(janela.entrandoDeNovo());

    janela.definirBusca(QStringLiteral("git"));
    janela.definirSecao(QString()); // the sidebar lost its selection: still the codes
    EXPECT_EQ(janela.secaoMostrada(), QStringLiteral("codigos"));
    EXPECT_EQ(janela.busca(), QStringLiteral("git"));

    const struct {
        const char *secao;
        const char *tipo;
    } casos[] = {{"senhas", "senha"}, {"notas", "nota"}, {"codigos", "codigo"}, {"", "codigo"}};
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.secao);
        janela.definirBusca(QStringLiteral("algo"));
        const QString antes = janela.secaoMostrada();
        janela.definirSecao(QString::fromUtf8(caso.secao));
        // Another section shown clears the search; the same one keeps it.
        EXPECT_EQ(janela.busca().isEmpty(), janela.secaoMostrada() != antes);
        janela.novoItem();
        const QVariantMap edicao = janela.edicao().toMap();
        EXPECT_EQ(edicao.value(QStringLiteral("tipo")).toString(), QString::fromUtf8(caso.tipo));
        EXPECT_TRUE(edicao.value(QStringLiteral("id")).isNull());
        janela.fecharEdicao();
        EXPECT_FALSE(janela.edicao().isValid());
    }
    janela.editar(QStringLiteral("codigo"), QStringLiteral("abc"));
    EXPECT_EQ(janela.edicao().toMap().value(QStringLiteral("id")).toString(), QStringLiteral("abc"));
    janela.editar(QStringLiteral("outro"), QStringLiteral("x")); // not a kind: ignored
    EXPECT_EQ(janela.edicao().toMap().value(QStringLiteral("tipo")).toString(), QStringLiteral("codigo"));

    // A sheet is up while editing or signing in again; an open edit is not replaced.
    EXPECT_TRUE(janela.folhaAberta());
    janela.editar(QStringLiteral("nota"), QStringLiteral("y"));
    janela.novoItemDoTipo(QStringLiteral("senha"));
    EXPECT_EQ(janela.edicao().toMap().value(QStringLiteral("id")).toString(), QStringLiteral("abc"));
    QSignalSpy folha(&janela, &JanelaDoCofre::folhaAbertaMudou);
    janela.fecharEdicao();
    EXPECT_FALSE(janela.folhaAberta());
    janela.definirEntrandoDeNovo(true);
    EXPECT_TRUE(janela.folhaAberta());
    janela.definirEntrandoDeNovo(false);
    EXPECT_FALSE(janela.folhaAberta());
    EXPECT_EQ(folha.size(), 3);
}

} // namespace
