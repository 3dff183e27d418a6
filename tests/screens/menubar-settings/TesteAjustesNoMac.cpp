// The settings form against the development server: its sections, the account with signing
// out, the protection switch behind the fake owner check, the lock delay, the generator's
// defaults, the update check's flags, the help links and the AutoFill refresh of the window.
#include "BarraNaTela.h"

#include "support/Executar.h"
#include "servicos/Preferencias.h"
#include "core/Configuracao.h"
#include "plataforma/Padroes.h"
#include "support/quick/Recortes.h"

#include <QQmlContext>
#include <QQuickWindow>
#include <QTest>

namespace {

class Ajustes : public BarraNaTela {
protected:
    bool visivel(const char *nome) { return item(QString::fromLatin1(nome))->isVisible(); }
    bool habilitado(const char *nome) { return item(QString::fromLatin1(nome))->isEnabled(); }
    Preferencias &preferencias() { return *estado->preferencias(); }
    // The preferences as another run would read them from the store.
    Preferencias relidas() { return Preferencias(*Padroes::doGrupo(grupoDoApp())); }
    // Flips the protection switch.
    void alternar() { clicar(item(QStringLiteral("protegerApp"))); }
};

TEST_F(Ajustes, SecoesDaContaAAjuda)
{
    entrar(false);
    ASSERT_TRUE(mostrarAjustes());
    const char *secoes[] = {"secaoDaConta", "secaoDaSeguranca", "secaoDoPreenchimento", "secaoDoGerador",
                            "secaoDeAtualizacoes", "secaoDeAjuda"};
    double y = -1;
    for (const char *secao : secoes) {
        SCOPED_TRACE(secao);
        QQuickItem *s = item(QString::fromLatin1(secao));
        ASSERT_TRUE(s);
        EXPECT_TRUE(s->isVisible());
        EXPECT_GT(s->y(), y); // top to bottom in this order
        y = s->y();
    }
    EXPECT_EQ(texto(QStringLiteral("nomeDaConta")), QStringLiteral("Conta de Teste"));
    EXPECT_EQ(texto(QStringLiteral("emailDaConta")), email);
    EXPECT_EQ(texto(QStringLiteral("notaDaSeguranca")),
              QStringLiteral("O cofre também fecha sozinho quando a tela do computador dorme ou você troca de usuário."));
    EXPECT_EQ(texto(QStringLiteral("versaoInstalada")), QStringLiteral("1.2.0"));
    EXPECT_FALSE(visivel("abrirPainel"));

    // The help links: the site's address with one path component each.
    const QString base = servidor.endereco().toString();
    const QStringList esperados = {base + QStringLiteral("/suporte"), base + QStringLiteral("/privacidade"),
                                   base + QStringLiteral("/termos")};
    const QStringList textos = {QStringLiteral("Suporte"), QStringLiteral("Política de privacidade"),
                                QStringLiteral("Termos de uso")};
    for (int i = 0; i < 3; ++i) {
        QQuickItem *link = item(QStringLiteral("link-%1").arg(i));
        ASSERT_TRUE(link);
        EXPECT_EQ(link->property("rotulo").toString(), textos.at(i));
        QMetaObject::invokeMethod(link, "clicado");
    }
    ASSERT_EQ(abertos.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(abertos.at(i).toString(), esperados.at(i));
    capturar(QStringLiteral("ajustes-sem-protecao"));
}

TEST_F(Ajustes, SemNomeESemConta)
{
    entrar(false);
    Conta semNome = *estado->conta();
    semNome.nome.clear();
    estado->contaRecebida(semNome);
    ASSERT_TRUE(mostrarAjustes());
    EXPECT_EQ(texto(QStringLiteral("nomeDaConta")), QStringLiteral("Sem nome"));

    // Signing out goes through the confirmation; cancelling it does nothing.
    clicar(item(QStringLiteral("sairDaConta")));
    avancar(300);
    ASSERT_TRUE(visivel("confirmarSaida"));
    clicar(item(QStringLiteral("cancelarSaida")));
    avancar(300);
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::aberto);
    EXPECT_FALSE(raiz()->property("confirmandoSaida").toBool());

    clicar(item(QStringLiteral("sairDaConta")));
    avancar(300);
    clicar(item(QStringLiteral("confirmarSaida")));
    EXPECT_TRUE(esperarAte([this] { return estado->fase() == EstadoDoApp::Fase::semConta; }));
    QCoreApplication::processEvents();
    // Signed out, the form starts with security.
    EXPECT_FALSE(visivel("secaoDaConta"));
    EXPECT_TRUE(visivel("secaoDaSeguranca"));
}

TEST_F(Ajustes, ProtecaoPedeODonoNosDoisSentidos)
{
    entrar(false);
    ASSERT_TRUE(mostrarAjustes());
    QQuickItem *chave = item(QStringLiteral("protegerApp"));
    EXPECT_EQ(item(QStringLiteral("protegerApp"))->parentItem()->parentItem()->property("rotulo").toString(),
              QStringLiteral("Proteger com senha do computador"));
    struct Passo {
        bool confirma;
        bool depois; // the stored value after the flip
        const char *motivo;
    };
    const Passo passos[] = {
        {false, false, "Proteger o Corvane"},          // refused: nothing changes
        {true, true, "Proteger o Corvane"},            // confirmed: on
        {false, true, "Tirar a proteção do Corvane"},  // refused: stays on
        {true, false, "Tirar a proteção do Corvane"},  // confirmed: off
    };
    for (const Passo &passo : passos) {
        SCOPED_TRACE(passo.motivo);
        donoConfirma = passo.confirma;
        motivos.clear();
        alternar();
        EXPECT_TRUE(esperarAte([this] { return !modelo->pedindoDono(); }));
        EXPECT_EQ(motivos, QStringList{QString::fromUtf8(passo.motivo)});
        EXPECT_EQ(preferencias().protegerApp(), passo.depois);
        EXPECT_EQ(relidas().protegerApp(), passo.depois);
        EXPECT_EQ(chave->property("checked").toBool(), passo.depois);
        // The lock delay follows protection.
        EXPECT_EQ(habilitado("bloqueio"), passo.depois);
    }
}

TEST_F(Ajustes, UmPedidoDeCadaVezEAChaveFicaNaResposta)
{
    entrar(false);
    ASSERT_TRUE(mostrarAjustes());
    QQuickItem *chave = item(QStringLiteral("protegerApp"));
    segurarDono = true;
    alternar();
    ASSERT_TRUE(esperarAte([this] { return pendentes.size() == 1; }));
    EXPECT_FALSE(chave->property("checked").toBool()); // not yet: the owner has not answered
    EXPECT_FALSE(chave->isEnabled());
    // A second flip while the prompt is open starts nothing.
    modelo->alternarProtecao(true);
    modelo->alternarProtecao(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(pendentes.size(), 1);
    EXPECT_EQ(motivos.size(), 1);

    responderDono(true);
    EXPECT_TRUE(esperarAte([this] { return !modelo->pedindoDono(); }));
    EXPECT_TRUE(preferencias().protegerApp());
    EXPECT_TRUE(chave->property("checked").toBool());
    EXPECT_TRUE(chave->isEnabled());
}

TEST_F(Ajustes, SemVerificacaoDoDonoAChaveNaoMuda)
{
    donoDisponivel = false;
    entrar(false);
    ASSERT_TRUE(mostrarAjustes());
    EXPECT_FALSE(habilitado("protegerApp"));
    EXPECT_FALSE(habilitado("bloqueio"));
    alternar();
    QCoreApplication::processEvents();
    EXPECT_TRUE(motivos.isEmpty());
    EXPECT_FALSE(preferencias().protegerApp());

    // Read again when the window comes back.
    donoDisponivel = true;
    modelo->conferirDisponibilidade();
    EXPECT_TRUE(habilitado("protegerApp"));
}

TEST_F(Ajustes, BloqueioDesligadoSemProtecaoMasMostraAEscolha)
{
    entrar(false);
    preferencias().definirBloqueio(OpcaoDeBloqueio::cincoMinutos);
    ASSERT_TRUE(mostrarAjustes());
    QQuickItem *bloqueio = item(QStringLiteral("bloqueio"));
    EXPECT_FALSE(bloqueio->isEnabled());
    EXPECT_EQ(bloqueio->property("currentText").toString(), QStringLiteral("5 minutos"));
    EXPECT_EQ(bloqueio->property("model").toStringList(),
              (QStringList{QStringLiteral("Imediato"), QStringLiteral("1 minuto"), QStringLiteral("5 minutos"),
                           QStringLiteral("15 minutos")}));
    modelo->escolherBloqueio(3); // ignored while protection is off
    EXPECT_EQ(preferencias().bloqueio(), OpcaoDeBloqueio::cincoMinutos);

    preferencias().definirProtegerApp(true);
    EXPECT_TRUE(bloqueio->isEnabled());
    modelo->escolherBloqueio(3);
    EXPECT_EQ(relidas().bloqueio(), OpcaoDeBloqueio::quinzeMinutos);
    EXPECT_EQ(bloqueio->property("currentText").toString(), QStringLiteral("15 minutos"));
    capturar(QStringLiteral("ajustes-com-protecao"));
}

// The open menu draws every entry, the current one under the pointer too: each entry's area
// holds ink of a colour other than its own fill.
TEST_F(Ajustes, MenuDoBloqueioMostraTodasAsEntradas)
{
    entrar(false);
    preferencias().definirProtegerApp(true);
    preferencias().definirBloqueio(OpcaoDeBloqueio::imediato);
    ASSERT_TRUE(mostrarAjustes());
    QQuickItem *bloqueio = item(QStringLiteral("bloqueio"));
    ASSERT_TRUE(bloqueio->isEnabled());
    clicar(bloqueio);
    avancar(400);
    ASSERT_TRUE(bloqueio->property("popup").value<QObject *>()->property("opened").toBool());
    const QImage tela = capturar(QStringLiteral("ajustes-menu-do-bloqueio"));
    const qreal escala = tela.width() / qreal(janela()->width());
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        QQuickItem *entrada = item(QStringLiteral("opcaoDoBloqueio-%1").arg(i));
        ASSERT_TRUE(entrada);
        const QRectF onde = entrada->mapRectToScene(QRectF(0, 0, entrada->width(), entrada->height()));
        const QRect area((onde.topLeft() * escala).toPoint(), (onde.size() * escala).toSize());
        const QColor fundo = tela.pixelColor(area.left() + 2, area.center().y());
        int tinta = 0;
        for (int y = area.top() + 2; y < area.bottom() - 2; ++y)
            for (int x = area.left() + 4; x < area.right() - 4; ++x) {
                const QColor c = tela.pixelColor(x, y);
                tinta += std::abs(c.lightness() - fundo.lightness()) > 80;
            }
        EXPECT_GT(tinta, 20) << "a entrada está em branco";
    }
    EXPECT_EQ(rolagensQueVazam(qobject_cast<QQuickItem *>(raiz())), QStringList());
}

TEST_F(Ajustes, TamanhoDoGeradorEntre12E64)
{
    entrar(false);
    OpcoesDeSenha opcoes = preferencias().opcoesDoGerador();
    opcoes.tamanho = 63;
    opcoes.simbolos = false;
    preferencias().definirOpcoesDoGerador(opcoes);
    ASSERT_TRUE(mostrarAjustes());
    EXPECT_EQ(modelo->textoDoTamanho(), QStringLiteral("Tamanho: 63 caracteres"));
    clicar(item(QStringLiteral("maisTamanho")));
    EXPECT_EQ(relidas().opcoesDoGerador().tamanho, 64);
    EXPECT_FALSE(habilitado("maisTamanho"));
    modelo->definirTamanho(65);
    EXPECT_EQ(preferencias().opcoesDoGerador().tamanho, 64);

    modelo->definirTamanho(13);
    clicar(item(QStringLiteral("menosTamanho")));
    EXPECT_EQ(relidas().opcoesDoGerador().tamanho, 12);
    EXPECT_FALSE(habilitado("menosTamanho"));
    EXPECT_TRUE(habilitado("maisTamanho"));
    EXPECT_EQ(modelo->textoDoTamanho(), QStringLiteral("Tamanho: 12 caracteres"));

    // Upper case flips alone; the options without a control keep their values.
    clicar(item(QStringLiteral("maiusculas")));
    const OpcoesDeSenha depois = relidas().opcoesDoGerador();
    EXPECT_FALSE(depois.maiusculas);
    EXPECT_FALSE(depois.simbolos);
    EXPECT_TRUE(depois.minusculas);
    EXPECT_EQ(depois.tamanho, 12);
}

TEST_F(Ajustes, ProcuraDeAtualizacaoEVersaoNova)
{
    entrar(false);
    ASSERT_TRUE(mostrarAjustes());
    QQuickItem *procurar = item(QStringLiteral("procurarAtualizacao"));
    rolarAte(procurar);
    EXPECT_EQ(procurar->parentItem()->parentItem()->property("rotulo").toString(),
              QStringLiteral("Confira se há uma versão nova."));
    EXPECT_EQ(procurar->property("text").toString(), QStringLiteral("Procurar atualização"));

    clicar(procurar);
    EXPECT_TRUE(atualizacao->conferindo());
    EXPECT_EQ(procurar->property("text").toString(), QStringLiteral("Conferindo…"));
    EXPECT_FALSE(procurar->isEnabled());
    EXPECT_TRUE(esperarAte([this] { return !atualizacao->conferindo(); }));
    EXPECT_EQ(procurar->parentItem()->parentItem()->property("rotulo").toString(),
              QStringLiteral("Você está na versão mais recente."));
    EXPECT_TRUE(procurar->isEnabled());
    EXPECT_FALSE(visivel("versaoNova"));

    servidor.site().definirVersaoPublicada(QStringLiteral("1.3.0"));
    Testes::executar(atualizacao->procurar());
    EXPECT_FALSE(procurar->isVisible());
    EXPECT_EQ(texto(QStringLiteral("versaoNova")), QStringLiteral("1.3.0"));
    EXPECT_EQ(texto(QStringLiteral("baixarVersao")), QStringLiteral("Baixar a versão 1.3.0"));
    rolarAte(item(QStringLiteral("baixarVersao")));
    capturar(QStringLiteral("ajustes-com-atualizacao"));
    clicar(item(QStringLiteral("baixarVersao")));
    EXPECT_EQ(abertos.size(), 1);
}

TEST_F(Ajustes, JanelaLeOPreenchimentoCadaVezQueAbre)
{
    entrar(false);
    engine().rootContext()->setContextProperty(QStringLiteral("estadoDeTeste"), estado.get());
    engine().rootContext()->setContextProperty(QStringLiteral("atualizacaoDeTeste"), atualizacao.get());
    engine().rootContext()->setContextProperty(QStringLiteral("preenchimentoDeTeste"), preenchimento.get());
    // Owned by the fixture, like any root it creates.
    auto *janelaDosAjustes = qobject_cast<QQuickWindow *>(criar(importacoes + QStringLiteral(R"(
import Corvane.Barra
JanelaDosAjustes {
    estado: estadoDeTeste
    atualizacao: atualizacaoDeTeste
    preenchimento: preenchimentoDeTeste
})")));
    ASSERT_TRUE(janelaDosAjustes);
    EXPECT_EQ(janelaDosAjustes->size(), QSize(480, 640));
    EXPECT_EQ(janelaDosAjustes->title(), QStringLiteral("Ajustes"));
    EXPECT_FALSE(preenchimento->ligado().has_value());

    definirRepositorioLigado(true);
    janelaDosAjustes->show();
    EXPECT_TRUE(esperarAte([this] { return preenchimento->ligado() == true; }));
    janelaDosAjustes->hide();
    definirRepositorioLigado(false);
    janelaDosAjustes->show();
    EXPECT_TRUE(esperarAte([this] { return preenchimento->ligado() == false; }));
}

} // namespace
