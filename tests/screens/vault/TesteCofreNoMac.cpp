// The vault window over a vault of sample items on the development server: the sidebar and its
// counts, the sections and the gate, the search, the toolbar and the account menu.
#include "CofreNaTela.h"

#include "kit/MovimentoReduzido.h"
#include "screens/vault/JanelaDoCofre.h"
#include "servicos/Preferencias.h"
#include "support/quick/BuscaVisual.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include <functional>

namespace {

class CofreNoMac : public CofreNaTela {
protected:
    // Three codes (one favourite, one with a bad secret), two passwords, a note and an item
    // that does not open here.
    void semearAmostra()
    {
        github = semear(TipoDeItem::codigo, codigo(QStringLiteral("GitHub"), QStringLiteral("bia@exemplo.com")));
        google = semear(TipoDeItem::codigo, codigo(QStringLiteral("Google"), QStringLiteral("ana@gmail.com"), true));
        quebrado = semear(TipoDeItem::codigo,
                          codigo(QStringLiteral("Banco"), QStringLiteral("conta 42"), false, QStringLiteral("1!!")));
        semear(TipoDeItem::senha, DadosDeSenha::novo(QStringLiteral("Netflix"), QStringLiteral("ana"), QStringLiteral("x"),
                                                     {QStringLiteral("netflix.com")}, {}, false).json);
        semear(TipoDeItem::senha, DadosDeSenha::novo(QStringLiteral("Banco"), QStringLiteral("ana"), QStringLiteral("y"),
                                                     {QStringLiteral("banco.com")}, {}, false).json);
        semear(TipoDeItem::nota, DadosDeNota(QStringLiteral("Wi-Fi"), QStringLiteral("senha"), false).json);
        semear(TipoDeItem::codigo, codigo(QStringLiteral("Outro"), QString()), true);
    }
    JanelaDoCofre *janelaDoCofre() { return raiz()->property("vista").value<JanelaDoCofre *>(); }

    QString github, google, quebrado;
};

TEST_F(CofreNoMac, SecoesContagensPortaoEFaixa)
{
    semearAmostra();
    ASSERT_TRUE(abrir());
    // Rows in order with their counts; the unreadable item is in none.
    const struct {
        const char *linha;
        const char *titulo;
        const char *total;
    } linhas[] = {{"linha-codigos", "Códigos", "3"}, {"linha-senhas", "Senhas", "2"}, {"linha-notas", "Notas", "1"}};
    for (const auto &linha : linhas) {
        QQuickItem *item = this->item(QString::fromLatin1(linha.linha));
        EXPECT_EQ(item->findChild<QQuickItem *>(QStringLiteral("tituloDaLinha"))->property("text").toString(),
                  QString::fromUtf8(linha.titulo));
        EXPECT_EQ(item->findChild<QQuickItem *>(QStringLiteral("totalDaLinha"))->property("text").toString(),
                  QString::fromUtf8(linha.total));
    }
    EXPECT_EQ(texto("tituloDaSecao"), QStringLiteral("Códigos"));
    EXPECT_EQ(texto("subtituloDaSecao"), QStringLiteral("3 códigos de verificação. Clique para copiar."));
    EXPECT_EQ(item("entradaDaBusca")->property("placeholderText").toString(), QStringLiteral("Buscar códigos"));
    // The unreadable item's banner.
    EXPECT_TRUE(item("faixaDoCofre")->isVisible());
    EXPECT_EQ(texto("textoDaFaixa"), QStringLiteral("1 item ainda não abriu neste computador"));
    const double yDosCodigos = item("cartaoDaSelecao")->y();

    // Passwords: the selection card slides to the row; the gate stands in front.
    clicar(item("linha-senhas"));
    avancar(50);
    EXPECT_GT(item("cartaoDaSelecao")->y(), yDosCodigos);
    EXPECT_LT(item("cartaoDaSelecao")->y(), item("linha-senhas")->y());
    avancar(1000);
    EXPECT_DOUBLE_EQ(item("cartaoDaSelecao")->y(), item("linha-senhas")->y());
    EXPECT_EQ(texto("tituloDaSecao"), QStringLiteral("Senhas"));
    EXPECT_EQ(texto("subtituloDaSecao"), QStringLiteral("2 senhas, preenchidas sozinhas no navegador e nos apps."));
    EXPECT_EQ(item("entradaDaBusca")->property("placeholderText").toString(), QStringLiteral("Buscar senhas"));
    EXPECT_TRUE(item("painelDoPortao")->isVisible());
    EXPECT_EQ(item("simboloDoPortao")->property("nome").toString(), QStringLiteral("lock"));
    EXPECT_EQ(texto("tituloDoPortao"), QStringLiteral("Confirme que é você"));
    EXPECT_EQ(texto("textoDoPortao"),
              QStringLiteral("Senhas e notas pedem a senha do computador de novo depois de um tempo longe."));
    EXPECT_EQ(texto("botaoDoPortao"), QStringLiteral("Mostrar com senha do computador"));
    EXPECT_DOUBLE_EQ(item("botaoDoPortao")->width(), 260);
    EXPECT_FALSE(item("conteudoDoPortao")->property("active").toBool());
    capturar(QStringLiteral("cofre-portao"));

    // A refused owner check leaves the gate; a confirmed one opens both sections.
    donoConfirma = false;
    clicar(item("botaoDoPortao"));
    EXPECT_TRUE(esperarAte([this] { return motivos.size() == 1; }));
    EXPECT_FALSE(estado->secoesLiberadas());
    EXPECT_TRUE(item("painelDoPortao")->isVisible());
    donoConfirma = true;
    clicar(item("botaoDoPortao"));
    EXPECT_TRUE(esperarAte([this] { return estado->secoesLiberadas(); }));
    EXPECT_EQ(motivos.last(), QStringLiteral("Mostrar suas senhas e notas"));
    // The prompt is in-process: asking the owner did not count as leaving the foreground.
    EXPECT_FALSE(estado->momentoDoSegundoPlano().has_value());
    EXPECT_FALSE(item("painelDoPortao")->isVisible());
    EXPECT_TRUE(item("conteudoDoPortao")->property("active").toBool());
    clicar(item("linha-notas"));
    avancar(600);
    EXPECT_EQ(texto("subtituloDaSecao"), QStringLiteral("1 nota protegida com a sua chave."));
    EXPECT_FALSE(item("painelDoPortao")->isVisible());

    // No selection reads as the codes section.
    janelaDoCofre()->definirSecao(QString());
    avancar(600);
    EXPECT_EQ(texto("tituloDaSecao"), QStringLiteral("Códigos"));
    EXPECT_EQ(item("entradaDaBusca")->property("placeholderText").toString(), QStringLiteral("Buscar códigos"));
    EXPECT_FALSE(item("cartaoDaSelecao")->isVisible());

    // With the session ended as well, only the re-sign-in banner shows.
    estado->sessaoFoiEncerrada();
    QCoreApplication::processEvents();
    EXPECT_EQ(texto("textoDaFaixa"), QStringLiteral("Sessão encerrada neste computador"));
    clicar(item("botaoDaFaixa"));
    EXPECT_TRUE(janelaDoCofre()->entrandoDeNovo());
    EXPECT_TRUE(item("folhaDeEntrarDeNovo")->isVisible());
    clicar(item("fecharFolha"));
    EXPECT_FALSE(janelaDoCofre()->entrandoDeNovo());
}

TEST_F(CofreNoMac, BuscaFiltraMantemAContagemEZeraAoTrocarDeSecao)
{
    semearAmostra();
    ASSERT_TRUE(abrir());
    EXPECT_EQ(idsNaGrade(), (QStringList{google, quebrado, github})); // the favourite first

    item("entradaDaBusca")->forceActiveFocus();
    digitar(QStringLiteral("  BIA "));
    EXPECT_EQ(janelaDoCofre()->busca(), QStringLiteral("  BIA "));
    EXPECT_EQ(idsNaGrade(), QStringList{github});
    // The header still counts the whole section.
    EXPECT_EQ(texto("subtituloDaSecao"), QStringLiteral("3 códigos de verificação. Clique para copiar."));
    EXPECT_TRUE(item("limparBusca")->isVisible());
    EXPECT_FALSE(item("atalhoDaBusca")->isVisible());

    janelaDoCofre()->definirBusca(QStringLiteral("gôogle"));
    avancar(100);
    EXPECT_TRUE(idsNaGrade().isEmpty());
    EXPECT_TRUE(item("nadaEncontrado")->isVisible());
    EXPECT_EQ(texto("tituloDoVazio"), QStringLiteral("Nada encontrado"));
    EXPECT_EQ(item("nadaEncontrado")->findChild<QQuickItem *>(QStringLiteral("textoDoVazio"))->property("text").toString(),
              QStringLiteral("Nenhum código combina com \"gôogle\"."));
    capturar(QStringLiteral("cofre-busca-sem-resultado"));

    // The clear button empties the text and brings the hint back.
    clicar(item("limparBusca"));
    EXPECT_EQ(janelaDoCofre()->busca(), QString());
    EXPECT_TRUE(item("atalhoDaBusca")->isVisible());
    EXPECT_EQ(item("atalhoDaBusca")->findChild<QQuickItem *>()->property("text").toString(), QStringLiteral("Ctrl+F"));

    // Leaving the section and coming back shows an empty search.
    janelaDoCofre()->definirBusca(QStringLiteral("git"));
    clicar(item("linha-notas"));
    clicar(item("linha-codigos"));
    avancar(600);
    EXPECT_EQ(janelaDoCofre()->busca(), QString());
    EXPECT_EQ(item("entradaDaBusca")->property("text").toString(), QString());
    EXPECT_EQ(idsNaGrade().size(), 3);
}

TEST_F(CofreNoMac, CtrlFFocaEAtalhoCtrlNAbreOEditorDaSecao)
{
    semearAmostra();
    ASSERT_TRUE(abrir());
    QQuickItem *entrada = item("entradaDaBusca");
    EXPECT_FALSE(entrada->hasActiveFocus());
    QTest::keyClick(janela(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(entrada->hasActiveFocus());
    EXPECT_TRUE(item("campoDeBusca")->property("foco").toBool());

    const struct {
        const char *linha;
        const char *tipo;
    } casos[] = {{"linha-codigos", "codigo"}, {"linha-senhas", "senha"}, {"linha-notas", "nota"}};
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.tipo);
        clicar(item(QString::fromLatin1(caso.linha)));
        avancar(400);
        QTest::keyClick(janela(), Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(janelaDoCofre()->edicao().toMap().value(QStringLiteral("tipo")).toString(), QString::fromLatin1(caso.tipo));
        EXPECT_TRUE(item("folhaDeEdicao")->isVisible());
        QTest::keyClick(janela(), Qt::Key_Escape);
        EXPECT_FALSE(janelaDoCofre()->edicao().isValid());
    }

    // Offline (the session ended): the add button is disabled and Ctrl+N does nothing.
    estado->sessaoFoiEncerrada();
    QCoreApplication::processEvents();
    EXPECT_FALSE(item("botaoAdicionar")->isEnabled());
    QTest::keyClick(janela(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_FALSE(janelaDoCofre()->edicao().isValid());
}

TEST_F(CofreNoMac, BuscaCtrlFSelecionaEscapeLimpaECliqueForaTiraOFoco)
{
    semearAmostra();
    ASSERT_TRUE(abrir());
    QQuickItem *entrada = item("entradaDaBusca");
    QQuickItem *campo = item("campoDeBusca");

    // Ctrl+F selects what is already there, so typing replaces it rather than appending.
    janelaDoCofre()->definirBusca(QStringLiteral("git"));
    QCoreApplication::processEvents();
    QTest::keyClick(janela(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(entrada->hasActiveFocus());
    EXPECT_EQ(entrada->property("selectedText").toString(), QStringLiteral("git"));
    digitar(QStringLiteral("goo"));
    EXPECT_EQ(janelaDoCofre()->busca(), QStringLiteral("goo"));
    // Pressed again while the field already has the focus, it still selects (no "goozzz").
    QTest::keyClick(janela(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(entrada->property("selectedText").toString(), QStringLiteral("goo"));
    digitar(QStringLiteral("bia"));
    EXPECT_EQ(janelaDoCofre()->busca(), QStringLiteral("bia"));

    // Escape clears the search and the field keeps the focus.
    QTest::keyClick(janela(), Qt::Key_Escape);
    EXPECT_EQ(janelaDoCofre()->busca(), QString());
    EXPECT_EQ(entrada->property("text").toString(), QString());
    EXPECT_TRUE(entrada->hasActiveFocus());

    // A click anywhere else (a card, a sidebar row, the background) ends the focus and the blue
    // border; the click itself still does what it does.
    const auto cartao = [this] {
        return itemQue(qobject_cast<QQuickItem *>(raiz()),
                       [](QQuickItem *i) { return i->objectName() == QLatin1String("areaDoCartao"); });
    };
    const struct {
        const char *nome;
        std::function<QQuickItem *()> alvo;
    } casos[] = {
        {"cartão", cartao},
        {"fundo", [this] { return item("tituloDaSecao"); }},
        {"linha da barra", [this] { return item("linha-codigos"); }},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        QTest::keyClick(janela(), Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(entrada->hasActiveFocus());
        EXPECT_TRUE(campo->property("foco").toBool());
        QQuickItem *alvo = caso.alvo();
        ASSERT_NE(alvo, nullptr);
        clicar(alvo);
        avancar(300);
        EXPECT_FALSE(entrada->hasActiveFocus());
        EXPECT_FALSE(campo->property("foco").toBool());
    }
    // A click inside the field keeps it, its clear button included.
    QTest::keyClick(janela(), Qt::Key_F, Qt::ControlModifier);
    clicar(entrada);
    EXPECT_TRUE(entrada->hasActiveFocus());
    digitar(QStringLiteral("x"));
    clicar(item("limparBusca"));
    EXPECT_EQ(janelaDoCofre()->busca(), QString());
    EXPECT_TRUE(entrada->hasActiveFocus());
}

TEST_F(CofreNoMac, BotaoDeLimparABuscaPeloTeclado)
{
    semearAmostra();
    ASSERT_TRUE(abrir());
    QQuickItem *entrada = item("entradaDaBusca");
    QQuickItem *limpar = item("limparBusca");
    ASSERT_TRUE(entrada && limpar);
    QQuickItem *anel = itemChamado(limpar, QStringLiteral("anelDeFoco"));
    ASSERT_TRUE(anel) << "the clear button shows where the focus is";
    QAccessibleInterface *acessivel = QAccessible::queryAccessibleInterface(limpar);
    ASSERT_TRUE(acessivel);
    EXPECT_EQ(acessivel->role(), QAccessible::Button);
    EXPECT_EQ(acessivel->text(QAccessible::Name), QStringLiteral("Limpar busca"));

    // Field, then its clear button: Tab from the field reaches the button, which shows its ring;
    // Space or Return clears, and the keyboard goes back to the emptied field.
    const struct {
        const char *nome;
        Qt::Key tecla;
    } teclas[] = {{"Space", Qt::Key_Space}, {"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter}};
    for (const auto &tecla : teclas) {
        SCOPED_TRACE(tecla.nome);
        QTest::keyClick(janela(), Qt::Key_F, Qt::ControlModifier);
        digitar(QStringLiteral("git"));
        ASSERT_EQ(janelaDoCofre()->busca(), QStringLiteral("git"));
        EXPECT_FALSE(anel->isVisible());
        QTest::keyClick(janela(), Qt::Key_Tab);
        EXPECT_TRUE(limpar->hasActiveFocus()) << "Tab goes from the field to its clear button";
        EXPECT_TRUE(anel->isVisible());
        if (tecla.tecla == Qt::Key_Space)
            capturar(QStringLiteral("cofre-busca-limpar-com-foco"));
        QTest::keyClick(janela(), tecla.tecla);
        EXPECT_EQ(janelaDoCofre()->busca(), QString());
        EXPECT_FALSE(limpar->isVisible());
        EXPECT_TRUE(entrada->hasActiveFocus()) << "the emptied field takes the keyboard";
    }

    // Escape in the field still clears.
    digitar(QStringLiteral("bia"));
    QTest::keyClick(janela(), Qt::Key_Escape);
    EXPECT_EQ(janelaDoCofre()->busca(), QString());
    EXPECT_TRUE(entrada->hasActiveFocus());
}

TEST_F(CofreNoMac, AtalhosNaoAgemAtrasDeUmaFolha)
{
    semearAmostra();
    ASSERT_TRUE(abrir());
    const struct {
        const char *nome;
        std::function<void(JanelaDoCofre *)> abrir;
        std::function<void(JanelaDoCofre *)> fechar;
    } folhas[] = {
        {"editor", [this](JanelaDoCofre *j) { j->editar(QStringLiteral("codigo"), github); },
         [](JanelaDoCofre *j) { j->fecharEdicao(); }},
        {"entrar de novo", [](JanelaDoCofre *j) { j->definirEntrandoDeNovo(true); },
         [](JanelaDoCofre *j) { j->definirEntrandoDeNovo(false); }},
    };
    QQuickItem *entrada = item("entradaDaBusca");
    for (const auto &folha : folhas) {
        SCOPED_TRACE(folha.nome);
        folha.abrir(janelaDoCofre());
        avancar(300);
        const QVariant edicao = janelaDoCofre()->edicao();
        QTest::keyClick(janela(), Qt::Key_F, Qt::ControlModifier);
        EXPECT_FALSE(entrada->hasActiveFocus()) << "Ctrl+F não leva o foco para trás da folha";
        QTest::keyClick(janela(), Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(janelaDoCofre()->edicao(), edicao) << "Ctrl+N não troca nem abre editor";
        folha.fechar(janelaDoCofre());
        avancar(300);
    }
    // With the sheets gone, both work again.
    QTest::keyClick(janela(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(entrada->hasActiveFocus());
}

TEST_F(CofreNoMac, BarraDeFerramentasEMenuDaConta)
{
    semearAmostra();
    ASSERT_TRUE(abrir());
    ASSERT_TRUE(estado->conta());
    EXPECT_EQ(texto("nomeDaConta"), estado->conta()->primeiroNome());
    EXPECT_FALSE(texto("nomeDaConta").isEmpty());
    EXPECT_EQ(texto("emailDaConta"), email);
    EXPECT_EQ(texto("inicialDaConta"), estado->conta()->inicial());

    // Protection off: both locks are disabled; on, they lock.
    EXPECT_FALSE(item("botaoBloquear")->isEnabled());
    clicar(item("cartaoDaConta"));
    avancar(300);
    EXPECT_TRUE(acharObjeto(QStringLiteral("menuDaConta"))->property("visible").toBool());
    EXPECT_FALSE(item("bloquearOCorvane")->isEnabled());
    EXPECT_TRUE(item("sincronizarAgora")->isEnabled());
    capturar(QStringLiteral("cofre-menu-da-conta"));

    // "Sincronizar agora" pulls the vault (once the sync the window's focus started has ended:
    // a click while one runs joins it).
    ASSERT_TRUE(esperarAte([this] { return !estado->cofre()->sincronizando(); }));
    servidor.limparPedidos();
    clicar(item("sincronizarAgora"));
    EXPECT_TRUE(esperarAte([this] { return !servidor.pedidos(QStringLiteral("GET"), QStringLiteral("/v1/cofre")).isEmpty(); }));
    EXPECT_TRUE(esperarAte([this] { return !estado->cofre()->sincronizando(); }));
    // So does the toolbar's button.
    servidor.limparPedidos();
    clicar(item("botaoSincronizar"));
    EXPECT_TRUE(esperarAte([this] { return !servidor.pedidos(QStringLiteral("GET"), QStringLiteral("/v1/cofre")).isEmpty(); }));
    EXPECT_TRUE(esperarAte([this] { return !estado->cofre()->sincronizando(); }));

    // "Ajustes…" asks the program for the settings window.
    QSignalSpy pedidos(raiz(), SIGNAL(ajustesPedidos()));
    clicar(item("cartaoDaConta"));
    avancar(300);
    clicar(item("abrirAjustes"));
    EXPECT_EQ(pedidos.size(), 1);

    estado->preferencias()->definirProtegerApp(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(item("botaoBloquear")->isEnabled());
    clicar(item("botaoBloquear"));
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::bloqueado);
}

TEST_F(CofreNoMac, SairPedeConfirmacao)
{
    semearAmostra();
    ASSERT_TRUE(abrir());
    clicar(item("cartaoDaConta"));
    avancar(300);
    clicar(item("sairDaConta"));
    avancar(300);
    EXPECT_TRUE(acharObjeto(QStringLiteral("confirmacaoDeSaida"))->property("visible").toBool());
    EXPECT_EQ(texto("tituloDaConfirmacao"), QStringLiteral("Sair desta conta?"));
    EXPECT_EQ(texto("mensagemDaConfirmacao"),
              QStringLiteral("Os dados deste computador serão apagados. Seus itens continuam na conta."));
    capturar(QStringLiteral("cofre-confirmar-saida"));

    // Cancelling leaves everything as it was.
    clicar(item("cancelarSaida"));
    avancar(300);
    EXPECT_FALSE(acharObjeto(QStringLiteral("confirmacaoDeSaida"))->property("visible").toBool());
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::aberto);

    clicar(item("cartaoDaConta"));
    avancar(300);
    clicar(item("sairDaConta"));
    avancar(300);
    clicar(item("confirmarSaida"));
    EXPECT_TRUE(esperarAte([this] { return estado->fase() == EstadoDoApp::Fase::semConta; }));
    EXPECT_FALSE(estado->cofre());
}

} // namespace
