// The extension's screen over a real model and controller (a recorder as the host), with the
// vault copy in a temporary container; screenshots of every state at 440 × 560.
#include "autofill/CopiaDeTeste.h"
#include "autofill/CredentialProviderViewController.h"
#include "autofill/ProgramaDaExtensao.h"
#include "core/ArquivosDoPreenchimento.h"
#include "kit/RelogioDasTelas.h"
#include "kit/Tipo.h"
#include "plataforma/RepositorioDeIdentidades.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"
#include "support/quick/BuscaVisual.h"
#include "support/quick/Recortes.h"
#include "support/quick/TesteQuick.h"

#include <QAccessible>
#include <QQmlContext>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct Gravador final : ContextoDaExtensao {
    QStringList eventos;
    void completarComSenha(const QString &u, const QString &s) override { eventos.append(u"senha:"_s + u + u":"_s + s); }
    void completarComCodigo(const QString &c) override { eventos.append(u"codigo:"_s + c); }
    void cancelar(int codigo) override { eventos.append(u"cancelado:"_s + QString::number(codigo)); }
    void concluirConfiguracao() override { eventos.append(u"configuracaoConcluida"_s); }
};

QCoro::Task<bool> confirmar()
{
    co_return true;
}

QList<ItemCifrado> vaultDeExemplo()
{
    return {
        CopiaDeTeste::senha(u"s-exemplo"_s, u"Exemplo"_s, u"ana@exemplo.com"_s, u"pw-1"_s, {u"exemplo.com"_s}),
        CopiaDeTeste::senha(u"s-contas"_s, u"Exemplo Contas"_s, u"ana.silva"_s, u"pw-2"_s, {u"contas.exemplo.com"_s}),
        CopiaDeTeste::senha(u"s-github"_s, u"GitHub"_s, u"anasilva"_s, u"pw-3"_s, {u"github.com"_s}, CopiaDeTeste::segredo),
        CopiaDeTeste::senha(u"s-banco"_s, u"Banco"_s, u""_s, u"pw-4"_s, {u"banco.com.br"_s}),
        CopiaDeTeste::codigo(u"c-google"_s, u"Google"_s, u"ana@gmail.com"_s, {}, u"GEZDGNBVGY3TQOJQ"_s),
        CopiaDeTeste::codigo(u"c-ruim"_s, u"Sem segredo válido"_s, u""_s, {}, u"!!"_s),
    };
}

} // namespace

class TelaDoPreenchimento : public TesteQuick {
protected:
    void SetUp() override
    {
        pasta = std::make_unique<DiretorioTemporario>();
        segredos = CofreDeSegredosEmMemoria::instalar();
        RepositorioDeIdentidades::usar(
            std::make_shared<RepositorioDeIdentidadesEmArquivo>(pasta->arquivo(u"identidades.json"_s)));
        TesteQuick::SetUp();
        controlador = std::make_unique<CredentialProviderViewController>(gravador);
        controlador->carregarVista();
        controlador->modelo().definirVerificacaoDoDono([](QString) { return confirmar(); });
    }

    void TearDown() override
    {
        TesteQuick::TearDown();
        controlador.reset();
        RepositorioDeIdentidades::usar(nullptr);
        CofreDeSegredos::usar(nullptr);
        pasta.reset();
    }

    QQuickItem *mostrarTela()
    {
        engine().rootContext()->setContextProperty(u"modeloDeTeste"_s, &controlador->modelo());
        QQuickItem *tela = mostrar(u"import QtQuick\nimport Corvane.Preenchimento\n"
                                   u"TelaDoPreenchimentoNoMac { anchors.fill: parent; modelo: modeloDeTeste }"_s,
                                   QSize(440, 560));
        avancar(600);
        return tela;
    }

    QString texto(const QString &nome) { return achar<QObject>(nome)->property("text").toString(); }
    // A text of the list's notice (the no-account notice has texts of the same names).
    QString textoDoAviso(const QString &nome)
    {
        const auto *item = achar<QObject>(u"avisoDaLista"_s)->findChild<QObject *>(nome);
        return item ? item->property("text").toString() : u"<ausente>"_s;
    }
    bool visivel(const QString &nome) { return achar<QQuickItem>(nome)->isVisible(); }
    void clicar(const QString &nome)
    {
        auto *item = achar<QQuickItem>(nome);
        ASSERT_TRUE(item);
        QTest::mouseClick(janela(), Qt::LeftButton, Qt::NoModifier, centro(item));
        avancar(600);
    }

    std::unique_ptr<DiretorioTemporario> pasta;
    std::shared_ptr<CofreDeSegredosEmMemoria> segredos;
    Gravador gravador;
    std::unique_ptr<CredentialProviderViewController> controlador;
};

TEST_F(TelaDoPreenchimento, ListaDeSenhasComOSiteEAsOutras)
{
    CopiaDeTeste::instalar(vaultDeExemplo());
    controlador->prepararListaDeSenhas({{u"https://www.exemplo.com/login"_s, IdentificadorDeServico::Tipo::url}});
    ASSERT_TRUE(mostrarTela());
    EXPECT_EQ(texto(u"tituloDoCabecalho"_s), u"Escolha a senha"_s);
    EXPECT_EQ(texto(u"subtituloDoCabecalho"_s), u"exemplo.com"_s);
    EXPECT_TRUE(visivel(u"botaoCancelar"_s));
    EXPECT_EQ(texto(u"cabecalhoDeCasam"_s), u"PARA EXEMPLO.COM"_s);
    EXPECT_EQ(texto(u"cabecalhoDeOutras"_s), u"OUTRAS"_s);
    EXPECT_FALSE(visivel(u"dicaDoVinculo"_s));
    EXPECT_FALSE(visivel(u"avisoDaLista"_s));
    EXPECT_TRUE(visivel(u"linha:s-contas"_s));
    EXPECT_FALSE(raiz()->findChild<QObject *>(u"linha:c-google"_s)); // codes are not listed for passwords
    EXPECT_EQ(achar<QObject>(u"botaoSalvarNova"_s)->property("text").toString(), u"Salvar uma senha nova para exemplo.com"_s);
    EXPECT_TRUE(achar<QQuickItem>(u"campoDaBusca"_s)->hasActiveFocus());
    capturar(u"preenchimento-senhas"_s);

    clicar(u"linha:s-contas"_s);
    EXPECT_EQ(gravador.eventos, QStringList{u"senha:ana.silva:pw-2"_s});
}

TEST_F(TelaDoPreenchimento, ListaDeCodigosComCodigosAoVivoEADicaDoVinculo)
{
    CopiaDeTeste::instalar(vaultDeExemplo());
    controlador->prepararListaDeCodigos({{u"accounts.google.com"_s, IdentificadorDeServico::Tipo::dominio}});
    ASSERT_TRUE(mostrarTela());
    EXPECT_EQ(texto(u"tituloDoCabecalho"_s), u"Escolha o código"_s);
    EXPECT_EQ(texto(u"cabecalhoDeOutras"_s), u"SEUS CÓDIGOS"_s);
    EXPECT_EQ(texto(u"dicaDoVinculo"_s),
              u"Escolha o código de accounts.google.com. Da próxima vez ele aparece sozinho."_s);
    EXPECT_FALSE(visivel(u"rodape"_s));
    const QDateTime agora = RelogioDasTelas::instancia().agora();
    const auto codigoEm = [](const QDateTime &em) {
        return Totp::formatarParaExibir(ParametrosTotp{u"GEZDGNBVGY3TQOJQ"_s, AlgoritmoTotp::sha1, 6, 30}.codigo(em));
    };
    EXPECT_EQ(achar<QObject>(u"linha:c-google"_s)->property("codigo").toString(), codigoEm(agora));
    EXPECT_EQ(achar<QObject>(u"linha:s-github"_s)->property("codigo").toString(),
              Totp::formatarParaExibir(ParametrosTotp{CopiaDeTeste::segredo, AlgoritmoTotp::sha1, 6, 30}.codigo(agora)));
    EXPECT_EQ(achar<QObject>(u"linha:c-ruim"_s)->property("codigo").toString(), QString());
    capturar(u"preenchimento-codigos"_s);
    // Live codes are drawn in the vault card's digits, so they keep their width between periods.
    const auto larguraDoCodigo = [&](const QString &linha) {
        auto *texto = achar<QQuickItem>(linha)->findChild<QQuickItem *>(u"codigoDaLinha"_s);
        EXPECT_EQ(texto->property("font").value<QFont>().family(), Tipo::familiaDosDigitos());
        return texto->implicitWidth();
    };
    const double larguras[] = {larguraDoCodigo(u"linha:c-google"_s), larguraDoCodigo(u"linha:s-github"_s)};
    EXPECT_DOUBLE_EQ(larguras[0], larguras[1]);
    // The next period: the rows follow the clock, the code counting up as it turns over.
    const qint64 ate = 30'000 - agora.toMSecsSinceEpoch() % 30'000;
    avancar(int(ate) - 100);
    EXPECT_EQ(achar<QObject>(u"linha:c-google"_s)->property("codigo").toString(), codigoEm(agora));
    avancar(150);
    EXPECT_EQ(achar<QObject>(u"linha:c-google"_s)->property("codigo").toString(), codigoEm(agora.addSecs(30)));
    EXPECT_TRUE(achar<QQuickItem>(u"linha:c-google"_s)->findChild<QQuickItem *>(u"textoAnterior"_s)->isVisible());
    avancar(1000);
    EXPECT_DOUBLE_EQ(larguraDoCodigo(u"linha:c-google"_s), larguras[0]);
    EXPECT_DOUBLE_EQ(larguraDoCodigo(u"linha:s-github"_s), larguras[0]);

    clicar(u"linha:c-ruim"_s); // no code can be computed: nothing happens
    EXPECT_TRUE(gravador.eventos.isEmpty());
    clicar(u"linha:c-google"_s);
    ASSERT_EQ(gravador.eventos.size(), 1);
    EXPECT_TRUE(gravador.eventos.first().startsWith(u"codigo:"_s));
    EXPECT_EQ(VinculoDoPreenchimento::ler(),
              (QList<VinculoDoPreenchimento>{{u"c-google"_s, u"accounts.google.com"_s}}));
}

TEST_F(TelaDoPreenchimento, AvisosQuandoNadaEhListado)
{
    CopiaDeTeste::instalar({});
    controlador->prepararListaDeSenhas({});
    ASSERT_TRUE(mostrarTela());
    EXPECT_TRUE(visivel(u"avisoDaLista"_s));
    EXPECT_EQ(textoDoAviso(u"tituloDoAviso"_s), u"Nenhuma senha salva"_s);
    EXPECT_EQ(textoDoAviso(u"textoDoAviso"_s), u"Salve a primeira senha deste site agora."_s);
    EXPECT_FALSE(visivel(u"subtituloDoCabecalho"_s));
    EXPECT_EQ(achar<QObject>(u"botaoSalvarNova"_s)->property("text").toString(), u"Salvar uma senha nova"_s);
    capturar(u"preenchimento-sem-senhas"_s);

    digitar(u"  "_s);
    avancar(100);
    EXPECT_EQ(textoDoAviso(u"tituloDoAviso"_s), u"Nada encontrado"_s);
    EXPECT_EQ(textoDoAviso(u"textoDoAviso"_s), u"Nenhum item com \u201C  \u201D."_s);
    capturar(u"preenchimento-nada-encontrado"_s);
}

TEST_F(TelaDoPreenchimento, AvisoSemCodigosESemConta)
{
    CopiaDeTeste::instalar({CopiaDeTeste::senha(u"s"_s, u"Exemplo"_s, u"ana"_s, u"pw"_s, {})});
    controlador->prepararListaDeCodigos({{u"exemplo.com"_s, IdentificadorDeServico::Tipo::dominio}});
    ASSERT_TRUE(mostrarTela());
    EXPECT_EQ(textoDoAviso(u"tituloDoAviso"_s), u"Nenhum código"_s);
    EXPECT_EQ(textoDoAviso(u"textoDoAviso"_s), u"Adicione códigos pelo app Corvane."_s);
    capturar(u"preenchimento-sem-codigos"_s);
}

TEST_F(TelaDoPreenchimento, SemContaMostraOAvisoEAindaCancela)
{
    controlador->prepararListaDeSenhas({{u"exemplo.com"_s, IdentificadorDeServico::Tipo::dominio}});
    ASSERT_TRUE(mostrarTela());
    EXPECT_TRUE(visivel(u"avisoSemConta"_s));
    const auto textos = achar<QObject>(u"avisoSemConta"_s)->findChildren<QObject *>(u"textoDoAviso"_s);
    ASSERT_EQ(textos.size(), 1);
    EXPECT_EQ(textos.first()->property("text").toString(),
              u"Abra o Corvane neste computador e entre na sua conta. Depois as senhas aparecem aqui."_s);
    capturar(u"preenchimento-sem-conta"_s);
    QTest::keyClick(janela(), Qt::Key_Escape);
    EXPECT_EQ(gravador.eventos, QStringList{u"cancelado:1"_s});
}

TEST_F(TelaDoPreenchimento, NovaSenhaComEESemErro)
{
    CopiaDeTeste::instalar(vaultDeExemplo());
    controlador->prepararListaDeSenhas({{u"exemplo.com"_s, IdentificadorDeServico::Tipo::dominio}});
    ASSERT_TRUE(mostrarTela());
    clicar(u"botaoSalvarNova"_s);
    avancar(1500); // the form's spring has settled
    EXPECT_EQ(achar<QQuickItem>(u"carregadorDoFormulario"_s)->x(), 0);
    EXPECT_EQ(achar<QQuickItem>(u"carregadorDoFormulario"_s)->opacity(), 1);
    EXPECT_EQ(texto(u"tituloDoCabecalho"_s), u"Nova senha"_s);
    auto *senha = achar<QObject>(u"campoDaSenha"_s);
    const QString gerada = senha->property("text").toString();
    EXPECT_EQ(gerada.size(), 20);
    EXPECT_FALSE(visivel(u"erroDoFormulario"_s));
    capturar(u"preenchimento-nova-senha"_s);

    // The visible password keeps no selection, so it never reaches the primary selection.
    auto *campoDaSenha = achar<QQuickItem>(u"campoDaSenha"_s);
    campoDaSenha->forceActiveFocus();
    QTest::keyClick(janela(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(janela(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(campoDaSenha->property("selectedText").toString(), QString());

    clicar(u"botaoGerarOutra"_s);
    EXPECT_NE(senha->property("text").toString(), gerada);
    senha->setProperty("text", QString());
    avancar(50);
    EXPECT_FALSE(achar<QQuickItem>(u"botaoSalvarEPreencher"_s)->isEnabled());
    senha->setProperty("text", u"nova-senha"_s);

    // Without the vault key the save fails and everything stays as typed.
    Chaveiro::apagar(QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    clicar(u"botaoSalvarEPreencher"_s);
    EXPECT_TRUE(visivel(u"erroDoFormulario"_s));
    EXPECT_EQ(senha->property("text").toString(), u"nova-senha"_s);
    EXPECT_TRUE(gravador.eventos.isEmpty());
    capturar(u"preenchimento-nova-senha-erro"_s);

    Chaveiro::gravar(CopiaDeTeste::chave, QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    clicar(u"botaoSalvarEPreencher"_s);
    EXPECT_EQ(gravador.eventos, QStringList{u"senha::nova-senha"_s});
    ASSERT_EQ(NovaDoPreenchimento::ler().size(), 1);

    clicar(u"botaoVoltar"_s);
    EXPECT_EQ(texto(u"tituloDoCabecalho"_s), u"Escolha a senha"_s);
}

TEST_F(TelaDoPreenchimento, ConfiguracaoTudoProntoConcluiComReturn)
{
    controlador->prepararConfiguracao();
    ASSERT_TRUE(mostrarTela());
    EXPECT_EQ(texto(u"tituloDoCabecalho"_s), u"Corvane"_s);
    EXPECT_FALSE(visivel(u"subtituloDoCabecalho"_s));
    EXPECT_FALSE(visivel(u"botaoCancelar"_s));
    EXPECT_EQ(texto(u"tituloConfigurado"_s), u"Tudo pronto"_s);
    capturar(u"preenchimento-tudo-pronto"_s);
    QTest::keyClick(janela(), Qt::Key_Escape);
    EXPECT_TRUE(gravador.eventos.isEmpty());
    QTest::keyClick(janela(), Qt::Key_Return);
    EXPECT_EQ(gravador.eventos, QStringList{u"configuracaoConcluida"_s});
}

// The program's session over real pipes: closing its window is the user's cancel.
TEST_F(TelaDoPreenchimento, FecharAJanelaCancelaPeloPipe)
{
    int entrada[2];
    int saida[2];
    ASSERT_EQ(::pipe(entrada), 0);
    ASSERT_EQ(::pipe(saida), 0);
    PedidoDoAnfitriao pedido;
    pedido.tipo = PedidoDoAnfitriao::Tipo::listarSenhas;
    std::optional<int> terminou;
    {
        SessaoDaExtensao sessao(entrada[0], saida[1]);
        QObject::connect(&sessao, &SessaoDaExtensao::terminou, [&terminou](int codigo) { terminou = codigo; });
        ASSERT_TRUE(sessao.iniciar(pedido));
        ASSERT_TRUE(sessao.janela()->isVisible());
        sessao.janela()->close();
        ASSERT_TRUE(QTest::qWaitFor([&terminou] { return terminou.has_value(); }, 10'000));
        EXPECT_EQ(*terminou, SaidaDaExtensao::respondeu);
    }
    ::close(saida[1]);
    char bytes[256] = {};
    const ssize_t lidos = ::read(saida[0], bytes, sizeof bytes - 1);
    EXPECT_EQ(QByteArray(bytes, int(std::max<ssize_t>(lidos, 0))), RespostaDaExtensao::cancelada(1).linha());
    for (int fd : {entrada[0], entrada[1], saida[0]})
        ::close(fd);
}

// As the program does: the sheet is built over a fresh model first and the request delivered
// afterwards; the header's title follows each request.
TEST_F(TelaDoPreenchimento, TituloDoCabecalhoSegueOPedidoEntregueDepoisDaFolha)
{
    CopiaDeTeste::instalar(vaultDeExemplo());
    const auto servico = [](const QString &dominio) {
        return IdentificadorDeServico{dominio, IdentificadorDeServico::Tipo::dominio};
    };
    const auto pedido = [](PedidoDoAnfitriao::Tipo tipo, QList<IdentificadorDeServico> servicos,
                           IdentidadePedida identidade = {}) {
        PedidoDoAnfitriao p;
        p.tipo = tipo;
        p.servicos = std::move(servicos);
        p.identidade = std::move(identidade);
        return p;
    };
    const struct {
        const char *nome;
        PedidoDoAnfitriao pedido;
        QString titulo;
        const char *captura;
    } casos[] = {
        {"lista de senhas", pedido(PedidoDoAnfitriao::Tipo::listarSenhas, {servico(u"exemplo.com"_s)}),
         u"Escolha a senha"_s, nullptr},
        {"lista de códigos", pedido(PedidoDoAnfitriao::Tipo::listarCodigos, {servico(u"accounts.google.com"_s)}),
         u"Escolha o código"_s, "preenchimento-titulo-codigos"},
        {"configuração", pedido(PedidoDoAnfitriao::Tipo::configurar, {}), u"Corvane"_s,
         "preenchimento-titulo-tudo-pronto"},
        {"código direto que volta à lista",
         pedido(PedidoDoAnfitriao::Tipo::fornecer, {}, {servico(u"accounts.google.com"_s), u"nao-existe"_s, {}, true}),
         u"Escolha o código"_s, nullptr},
        {"senha direta que volta à lista",
         pedido(PedidoDoAnfitriao::Tipo::fornecer, {}, {servico(u"exemplo.com"_s), u"nao-existe"_s, {}, false}),
         u"Escolha a senha"_s, nullptr},
    };
    // A shown sheet holds its model: each stays until the next sheet has replaced its window.
    std::vector<std::unique_ptr<CredentialProviderViewController>> anteriores;
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        anteriores.push_back(std::move(controlador));
        controlador = std::make_unique<CredentialProviderViewController>(gravador);
        controlador->carregarVista();
        controlador->modelo().definirVerificacaoDoDono([](QString) { return confirmar(); });
        ASSERT_TRUE(mostrarTela());
        EXPECT_TRUE(controlador->atender(caso.pedido));
        avancar(600);
        EXPECT_EQ(texto(u"tituloDoCabecalho"_s), caso.titulo);
        if (caso.captura)
            capturar(QString::fromLatin1(caso.captura));
    }
    EXPECT_TRUE(gravador.eventos.isEmpty());
}

TEST_F(TelaDoPreenchimento, ListaLongaConstroiSoAsLinhasVistasEBuscaGuardaAsQueFicam)
{
    QList<ItemCifrado> itens;
    for (int i = 0; i < 300; ++i)
        itens << CopiaDeTeste::senha(u"s-%1"_s.arg(i, 3, 10, QLatin1Char('0')), u"Site %1"_s.arg(i, 3, 10, QLatin1Char('0')),
                                     u"ana"_s, u"pw"_s, {u"site%1.com"_s.arg(i)});
    CopiaDeTeste::instalar(itens);
    controlador->prepararListaDeSenhas({});
    ASSERT_TRUE(mostrarTela());
    auto *vista = achar<QQuickItem>(u"listaDeOpcoes"_s);
    auto *opcoes = vista->property("model").value<QAbstractItemModel *>();
    ASSERT_TRUE(opcoes);
    EXPECT_EQ(opcoes->rowCount(), 300);
    // The rows built: the view's delegates are visual children of its content.
    const auto linhasFeitas = [vista] {
        int feitas = 0;
        for (QQuickItem *i : vista->property("contentItem").value<QQuickItem *>()->childItems())
            feitas += i->objectName().startsWith(u"linha:"_s);
        return feitas;
    };
    // A frame lays the view out (it builds its rows while polishing).
    const auto desenhar = [this] { static_cast<void>(janela()->grabWindow()); };
    desenhar();
    EXPECT_LT(linhasFeitas(), 40) << "as linhas fora da vista não são construídas";
    EXPECT_EQ(rolagensQueVazam(qobject_cast<QQuickItem *>(raiz())), QStringList());

    // Keystrokes narrow and widen the list by difference: a row that stays keeps its item.
    QSignalSpy reinicios(opcoes, &QAbstractItemModel::modelReset);
    digitar(u"Site 1"_s);
    avancar(50);
    desenhar();
    EXPECT_EQ(opcoes->rowCount(), 100);
    QQuickItem *linha = achar<QQuickItem>(u"linha:s-100"_s);
    ASSERT_TRUE(linha);
    digitar(u"0"_s);
    avancar(50);
    desenhar();
    EXPECT_EQ(opcoes->rowCount(), 10);
    EXPECT_EQ(achar<QQuickItem>(u"linha:s-100"_s), linha);
    QTest::keyClick(janela(), Qt::Key_Backspace);
    avancar(50);
    desenhar();
    EXPECT_EQ(opcoes->rowCount(), 100);
    EXPECT_EQ(achar<QQuickItem>(u"linha:s-100"_s), linha);
    EXPECT_EQ(reinicios.count(), 0);
    EXPECT_EQ(achar<QObject>(u"cabecalhoDeOutras"_s)->property("text").toString(), u"SUAS SENHAS"_s);
}

namespace {

bool ehBotao(QQuickItem *item)
{
    return item->inherits("QQuickAbstractButton");
}

// Every visible, enabled button shown in the window, found in the item tree.
void botoesVisiveis(QQuickItem *item, QList<QQuickItem *> &botoes)
{
    if (!item->isVisible() || !item->isEnabled() || item->opacity() == 0)
        return;
    if (ehBotao(item))
        botoes.append(item);
    for (QQuickItem *filho : item->childItems())
        botoesVisiveis(filho, botoes);
}

} // namespace

// What a keyboard meets in each state of the screen: Tab goes round every button shown, each
// showing its focus ring and having an accessible name; nothing is reached only by a pointer.
TEST_F(TelaDoPreenchimento, TabPassaPorCadaBotaoComAnelENome)
{
    CopiaDeTeste::instalar(vaultDeExemplo());
    controlador->prepararListaDeSenhas({{u"exemplo.com"_s, IdentificadorDeServico::Tipo::dominio}});
    ASSERT_TRUE(mostrarTela());

    const auto percorrer = [this](const QString &estado) {
        SCOPED_TRACE(estado.toStdString());
        QList<QQuickItem *> alcancados;
        QQuickItem *primeiro = janela()->activeFocusItem();
        ASSERT_TRUE(primeiro);
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(janela(), Qt::Key_Tab);
            avancar(50);
            QQuickItem *focado = janela()->activeFocusItem();
            ASSERT_TRUE(focado);
            if (focado == primeiro || alcancados.contains(focado))
                break;
            alcancados.append(focado);
            if (!ehBotao(focado))
                continue; // a text field shows its caret
            SCOPED_TRACE(focado->objectName().toStdString());
            QQuickItem *anel = itemChamado(focado, u"anelDeFoco"_s);
            EXPECT_TRUE(anel && anel->isVisible()) << "a focused button shows its ring";
            QAccessibleInterface *acessivel = QAccessible::queryAccessibleInterface(focado);
            EXPECT_TRUE(acessivel && !acessivel->text(QAccessible::Name).isEmpty()) << "and has a name";
        }
        QList<QQuickItem *> botoes;
        botoesVisiveis(janela()->contentItem(), botoes);
        EXPECT_FALSE(botoes.isEmpty());
        for (QQuickItem *botao : std::as_const(botoes))
            EXPECT_TRUE(alcancados.contains(botao)) << botao->objectName().toStdString() << " is not reached by Tab";
    };

    percorrer(u"lista"_s);
    // A row's ring, as Tab shows it after the search field.
    achar<QQuickItem>(u"campoDaBusca"_s)->forceActiveFocus();
    QTest::keyClick(janela(), Qt::Key_Tab);
    EXPECT_TRUE(janela()->activeFocusItem()->objectName().startsWith(u"linha:"_s));
    capturar(u"preenchimento-linha-com-foco"_s);

    clicar(u"botaoSalvarNova"_s);
    avancar(1500);
    percorrer(u"nova senha"_s);
    // Return on a focused button of the form presses that button, not the form's save.
    auto *mostrar = achar<QQuickItem>(u"botaoMostrar"_s);
    achar<QQuickItem>(u"campoDaSenha"_s)->forceActiveFocus();
    for (int i = 0; i < 6 && !mostrar->hasActiveFocus(); ++i)
        QTest::keyClick(janela(), Qt::Key_Tab);
    ASSERT_TRUE(mostrar->hasActiveFocus());
    const QString nomeAntes = QAccessible::queryAccessibleInterface(mostrar)->text(QAccessible::Name);
    QTest::keyClick(janela(), Qt::Key_Return);
    avancar(50);
    EXPECT_NE(QAccessible::queryAccessibleInterface(mostrar)->text(QAccessible::Name), nomeAntes);
    EXPECT_TRUE(gravador.eventos.isEmpty()) << "nothing was saved";
    QTest::keyClick(janela(), Qt::Key_Space);
    avancar(50);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(mostrar)->text(QAccessible::Name), nomeAntes);
    auto *voltar = achar<QQuickItem>(u"botaoVoltar"_s);
    for (int i = 0; i < 6 && !voltar->hasActiveFocus(); ++i)
        QTest::keyClick(janela(), Qt::Key_Tab);
    ASSERT_TRUE(voltar->hasActiveFocus());
    QTest::keyClick(janela(), Qt::Key_Return);
    avancar(1500);
    EXPECT_EQ(texto(u"tituloDoCabecalho"_s), u"Escolha a senha"_s);
    EXPECT_TRUE(gravador.eventos.isEmpty()) << "Return went back, it did not save";
}

// The list's rows by keyboard: Tab from the search field reaches the first row, and Space hands
// that option over, as a click does.
TEST_F(TelaDoPreenchimento, LinhaFocadaPorTabEntregaComEspaco)
{
    CopiaDeTeste::instalar(vaultDeExemplo());
    controlador->prepararListaDeSenhas({{u"contas.exemplo.com"_s, IdentificadorDeServico::Tipo::dominio}});
    ASSERT_TRUE(mostrarTela());
    ASSERT_TRUE(achar<QQuickItem>(u"campoDaBusca"_s)->hasActiveFocus());
    QTest::keyClick(janela(), Qt::Key_Tab);
    QQuickItem *linha = janela()->activeFocusItem();
    ASSERT_TRUE(linha);
    ASSERT_TRUE(linha->objectName().startsWith(u"linha:"_s));
    EXPECT_TRUE(gravador.eventos.isEmpty());
    QTest::keyClick(janela(), Qt::Key_Space);
    avancar(100);
    ASSERT_EQ(gravador.eventos.size(), 1);
    EXPECT_TRUE(gravador.eventos.first().startsWith(u"senha:"_s));
}

// A row alone, as the screen tests of every control meet it.
TEST_F(TelaDoPreenchimento, LinhaTemFocoSoPorTabComAnel)
{
    engine().rootContext()->setContextProperty(u"modeloDeTeste"_s, &controlador->modelo());
    conferirFocoPorTab(u"import Corvane.Preenchimento\n"_s,
                       uR"(LinhaNoMac {
    objectName: "controle"; width: 380; modelo: modeloDeTeste; idDoItem: "nenhum"; titulo: "GitHub"
    usuario: "anasilva"; dominios: ["github.com"]; codigo: ""
    onClicked: acionado++
})"_s,
                       u"foco-linha-do-preenchimento"_s);
}
