// The account-creation wizard over the development server: its back rules, the e-mail code and
// its toast, the strength meter at each level and the mismatch line, the recovery code shown,
// copied as a concealed copy and acknowledged before the vault opens, the wizard finishing an
// account begun in the browser, and Return pressing only an enabled default button.
#include "ContaNaTela.h"

#include "screens/account/CriacaoDeConta.h"
#include "screens/account/ForcaDaSenha.h"
#include "support/ContaNoServidor.h"
#include "support/Executar.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QQmlContext>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <functional>

// Sets the recovery code the way a finished creation does.
class CriacaoDeContaNasTelas {
public:
    static void mostrarCodigo(CriacaoDeConta &modelo, const QString &codigo)
    {
        modelo.definirCodigoDeRecuperacao(codigo);
        modelo.definirEtapa(CriacaoDeConta::Etapa::codigo);
    }
};

namespace {

const QString emailDigitado = QStringLiteral("  Nova.Pessoa@Exemplo.COM ");
const QString email = QStringLiteral("nova.pessoa@exemplo.com");
const QString senhaForte = QStringLiteral("cavalo correto bateria grampo");

class CriarConta : public ContaNaTela {
protected:
    // Whether the input of the CampoNoMac `nome` has the keyboard.
    bool campoFocado(const QString &nome)
    {
        auto *campo = achar<QQuickItem>(nome);
        auto *entrada = campo ? campo->findChild<QQuickItem *>(QStringLiteral("entrada")) : nullptr;
        return entrada && entrada->hasActiveFocus();
    }
    void SetUp() override
    {
        ContaNaTela::SetUp();
        // A computer without an account: the signed-out phase.
        Testes::executar(estado->comecar());
    }

    // The wizard as the account panel holds it: a white column 380 points wide.
    QQuickItem *mostrarAssistente(bool comSocial = false)
    {
        engine().rootContext()->setContextProperty(QStringLiteral("socialDeTeste"),
                                                   comSocial ? QVariant::fromValue(social) : QVariant());
        QQuickItem *raiz = mostrar(importacoesDaConta + QStringLiteral(R"(
Rectangle {
    id: fundo
    color: "white"
    property int entradas: 0
    // Created once the window shows, as the account panel's loader does.
    Loader {
        objectName: "carregador"
        active: false
        x: 40
        y: 28
        width: 380
        sourceComponent: Component {
            CriarContaNoMac {
                objectName: "criar"
                estado: estadoDeTeste
                social: socialDeTeste
                onEntrarPedido: fundo.entradas++
            }
        }
    }
})"),
                                   QSize(460, 780), QStringLiteral("#ffffff"));
        if (raiz)
            achar(QStringLiteral("carregador"))->setProperty("active", true);
        return raiz;
    }
    CriacaoDeConta &modelo() { return *achar<CriacaoDeConta>(QStringLiteral("modeloDaCriacao")); }
    bool habilitado(const char *nome) { return achar<QQuickItem>(QString::fromLatin1(nome))->isEnabled(); }
    bool visivel(const char *nome) { return achar<QQuickItem>(QString::fromLatin1(nome))->isVisible(); }
    QString etapa() { return modelo().nomeDaEtapa(); }
    // Lets the step transition finish.
    void assentar() { avancar(700); }
    void enter() { QTest::keyClick(janela(), Qt::Key_Return); }

    // From the data step to the e-mail step of an ordinary sign-up.
    void ateOEmail()
    {
        preencher(QStringLiteral("campoDoNome"), QStringLiteral("Ana Maria"));
        preencher(QStringLiteral("campoDoEmail"), emailDigitado);
        clicar(QStringLiteral("botaoContinuar"));
        ASSERT_TRUE(esperarAte([this] { return etapa() == QLatin1String("email"); })) << modelo().erro().toStdString();
        assentar();
    }
    void ateASenha()
    {
        ateOEmail();
        preencher(QStringLiteral("campoDoCodigoDoEmail"), *servidor.estado().codigoDeEmail(email));
        clicar(QStringLiteral("botaoConfirmarEmail"));
        ASSERT_TRUE(esperarAte([this] { return etapa() == QLatin1String("senha"); }));
        assentar();
    }

    RespostaSocial social;
};

TEST_F(CriarConta, DadosVaziosHabilitacaoERecusaDoServidor)
{
    ASSERT_TRUE(mostrarAssistente());
    // The first step is simply there: no slide as the wizard appears.
    EXPECT_EQ(achar<QQuickItem>(QStringLiteral("etapaDados"))->opacity(), 1.0);
    EXPECT_EQ(ponto(achar<QQuickItem>(QStringLiteral("campoDoNome")), 0, 0).x(), 40);
    assentar();
    EXPECT_EQ(achar(QStringLiteral("botaoVoltar"))->property("visible"), true);
    EXPECT_TRUE(visivel("campoDoEmail"));
    EXPECT_TRUE(visivel("linhaLegal")) << "the site's address is known";
    capturar(QStringLiteral("criar-conta-dados-vazio"));

    // "Continuar" needs a name that is not only spaces and an e-mail with "@".
    struct Caso {
        const char *nome;
        const char *email;
        bool habilitado;
    };
    for (const Caso &caso : {Caso{"", "ana@exemplo.com", false}, Caso{"   ", "ana@exemplo.com", false},
                             Caso{"Ana", "ana.exemplo.com", false}, Caso{" Ana ", "a@b", true}}) {
        SCOPED_TRACE(caso.nome + std::string(" / ") + caso.email);
        preencher(QStringLiteral("campoDoNome"), QString::fromUtf8(caso.nome));
        preencher(QStringLiteral("campoDoEmail"), QString::fromUtf8(caso.email));
        EXPECT_EQ(habilitado("botaoContinuar"), caso.habilitado);
    }

    // An e-mail the server refuses (one in use, or one it will not take): its message, the step
    // stays, and the e-mail field, the one at fault, takes the keyboard, not the name.
    preencher(QStringLiteral("campoDoEmail"), emailDigitado);
    const struct {
        const char *nome;
        std::function<void()> recusar;
    } recusas[] = {
        {"recusado pelo servidor",
         [this] {
             servidor.falharProximas(1, Servidor::Falha::erro(422, QStringLiteral("email-invalido")), QStringLiteral("POST"));
         }},
        {"e-mail em uso", [this] { servidor.estado().criarConta(Testes::novaConta(email)); }},
    };
    for (const auto &recusa : recusas) {
        SCOPED_TRACE(recusa.nome);
        recusa.recusar();
        // The keyboard starts in the name, which is not at fault.
        preencher(QStringLiteral("campoDoNome"), QStringLiteral("Ana"));
        clicar(QStringLiteral("botaoContinuar"));
        EXPECT_TRUE(modelo().enviando());
        ASSERT_TRUE(esperarAte([this] { return !modelo().enviando(); }));
        EXPECT_FALSE(modelo().erro().isEmpty());
        EXPECT_EQ(etapa(), QStringLiteral("dados"));
        EXPECT_FALSE(modelo().enviando());
        EXPECT_TRUE(visivel("erroDaCriacao"));
        EXPECT_TRUE(campoFocado(QStringLiteral("campoDoEmail"))) << "the e-mail field takes the keyboard back";
        EXPECT_FALSE(campoFocado(QStringLiteral("campoDoNome")));
    }
    assentar(); // the line's fade-in
    capturar(QStringLiteral("criar-conta-dados-erro"));
}

TEST_F(CriarConta, CodigoDoEmailConfirmadoComOsDigitosEOAviso)
{
    ASSERT_TRUE(mostrarAssistente());
    preencher(QStringLiteral("campoDoNome"), QStringLiteral("Ana Maria"));
    preencher(QStringLiteral("campoDoEmail"), emailDigitado);
    clicar(QStringLiteral("botaoContinuar"));
    // Busy while the request runs: spinner on, button off.
    EXPECT_TRUE(modelo().enviando());
    EXPECT_FALSE(habilitado("botaoContinuar"));
    avancar(50);
    capturar(QStringLiteral("criar-conta-dados-ocupado"));
    ASSERT_TRUE(esperarAte([this] { return etapa() == QLatin1String("email"); }));
    EXPECT_EQ(avisoAtual(), QStringLiteral("Código enviado"));
    EXPECT_EQ(corpoDoPedido(QStringLiteral("POST"), QStringLiteral("/v1/conta/codigo-de-email"))
                  .value(QStringLiteral("email")).toString(),
              email);
    assentar();
    EXPECT_EQ(achar<QQuickItem>(QStringLiteral("etapaDados"))->opacity(), 0.0);
    EXPECT_EQ(achar<QQuickItem>(QStringLiteral("etapaEmail"))->opacity(), 1.0);
    capturar(QStringLiteral("criar-conta-email"));

    // Digits of any script count; spaces and dashes do not; exactly six enable the button.
    struct Caso {
        QString codigo;
        bool habilitado;
    };
    for (const Caso &caso : {Caso{QStringLiteral("12345"), false}, Caso{QStringLiteral("1234567"), false},
                             Caso{QStringLiteral("123 45x"), false}, Caso{QStringLiteral("123 456"), true},
                             Caso{QStringLiteral("12-34-56"), true},
                             Caso{QStringLiteral("\u0661\u0662\u0663\u0664\u0665\u0666"), true}}) {
        SCOPED_TRACE(caso.codigo.toStdString());
        preencher(QStringLiteral("campoDoCodigoDoEmail"), caso.codigo);
        EXPECT_EQ(habilitado("botaoConfirmarEmail"), caso.habilitado);
    }

    // A wrong code: the field empties, the message shows, the step stays.
    const QString certo = *servidor.estado().codigoDeEmail(email);
    const QString errado = certo == QLatin1String("000000") ? QStringLiteral("111111") : QStringLiteral("000000");
    preencher(QStringLiteral("campoDoCodigoDoEmail"), errado);
    clicar(QStringLiteral("botaoConfirmarEmail"));
    ASSERT_TRUE(esperarAte([this] { return !modelo().enviando(); }));
    EXPECT_EQ(etapa(), QStringLiteral("email"));
    EXPECT_TRUE(modelo().codigoDoEmail().isEmpty());
    EXPECT_FALSE(modelo().erro().isEmpty());
    EXPECT_TRUE(campoFocado(QStringLiteral("campoDoCodigoDoEmail"))) << "the emptied field takes the keyboard";
    assentar(); // the line's fade-in
    capturar(QStringLiteral("criar-conta-email-erro"));

    // "Enviar outro código" shows the toast again; only the new code confirms.
    estado->avisos()->definirAtual(std::nullopt);
    clicar(QStringLiteral("botaoOutroCodigo"));
    ASSERT_TRUE(esperarAte([this] { return !avisoAtual().isEmpty(); }));
    EXPECT_EQ(avisoAtual(), QStringLiteral("Código enviado"));
    EXPECT_EQ(quantosPedidos(QStringLiteral("POST"), QStringLiteral("/v1/conta/codigo-de-email")), 2);
    const QString novo = *servidor.estado().codigoDeEmail(email);
    // Typed in Arabic-Indic digits with a space: it goes to the server as its ASCII digits.
    QString arabe;
    for (const QChar c : novo)
        arabe += QChar(char16_t(0x0660 + c.digitValue()));
    preencher(QStringLiteral("campoDoCodigoDoEmail"), arabe.left(3) + QStringLiteral(" ") + arabe.mid(3));
    clicar(QStringLiteral("botaoConfirmarEmail"));
    ASSERT_TRUE(esperarAte([this] { return etapa() == QLatin1String("senha"); }));
    EXPECT_TRUE(modelo().erro().isEmpty()) << "a new confirmation clears the message";
    EXPECT_EQ(corpoDoPedido(QStringLiteral("POST"), QStringLiteral("/v1/conta/codigo-de-email/conferir"))
                  .value(QStringLiteral("codigo")).toString(),
              novo) << "only the digits are sent";
    EXPECT_TRUE(modelo().comprovante());
}

TEST_F(CriarConta, VoltarDeCadaEtapa)
{
    QQuickItem *raiz = mostrarAssistente();
    ASSERT_TRUE(raiz);
    ateASenha();

    // The link takes clicks on its chevron and text and a few points around them, not across
    // the whole row it heads.
    auto *voltar = achar<QQuickItem>(QStringLiteral("botaoVoltar"));
    ASSERT_TRUE(voltar && voltar->parentItem());
    auto *conteudo = voltar->property("contentItem").value<QQuickItem *>();
    ASSERT_TRUE(conteudo);
    const double larguraDaFileira = voltar->parentItem()->width();
    EXPECT_GE(larguraDaFileira, 300);
    EXPECT_GE(voltar->width(), conteudo->implicitWidth());
    EXPECT_LE(voltar->width(), conteudo->implicitWidth() + 8);
    EXPECT_LE(voltar->height(), conteudo->implicitHeight() + 8);
    EXPECT_EQ(voltar->x(), 0) << "leading-aligned";
    // A click in the row to the right of the link, at its height, goes nowhere.
    const QPointF aoLado = voltar->mapToItem(voltar->parentItem(), QPointF(0, conteudo->implicitHeight() / 2));
    for (const double x : {voltar->width() + 12, larguraDaFileira / 2, larguraDaFileira - 4}) {
        SCOPED_TRACE(x);
        QTest::mouseClick(janela(), Qt::LeftButton, {},
                          voltar->parentItem()->mapToScene(QPointF(x, aoLado.y())).toPoint());
        assentar();
        EXPECT_EQ(etapa(), QStringLiteral("senha"));
    }

    // Password step → e-mail step → data step, keeping what was typed; the error goes.
    clicar(QStringLiteral("botaoVoltar"));
    EXPECT_EQ(etapa(), QStringLiteral("email"));
    assentar();
    clicar(QStringLiteral("botaoVoltar"));
    EXPECT_EQ(etapa(), QStringLiteral("dados"));
    assentar();
    EXPECT_EQ(modelo().nome(), QStringLiteral("Ana Maria"));
    EXPECT_EQ(modelo().email(), emailDigitado);
    EXPECT_EQ(achar(QStringLiteral("campoDoEmail"))->findChild<QObject *>(QStringLiteral("entrada"))->property("text"),
              emailDigitado);

    // Back from the data step leaves the wizard.
    EXPECT_EQ(raiz->property("entradas").toInt(), 0);
    clicar(QStringLiteral("botaoVoltar"));
    EXPECT_EQ(raiz->property("entradas").toInt(), 1);
}

TEST_F(CriarConta, MedidorEmCadaNivelESenhasDiferentes)
{
    ASSERT_TRUE(mostrarAssistente());
    ateASenha();
    EXPECT_FALSE(visivel("medidorDeForca")) << "no meter for an empty password";
    capturar(QStringLiteral("criar-conta-senha-vazia"));

    const QColor vermelho(220, 38, 38), ambar(201, 138, 22), verde(30, 158, 90), apagada(230, 234, 241);
    struct Caso {
        const char *senha;
        int nivel;
        const char *rotulo;
        QColor cor;
    };
    const Caso casos[] = {
        {"x", 0, "Muito fraca", vermelho},
        {"xicara", 1, "Fraca", vermelho},
        {"xicaraverde", 2, "Razoável", ambar},
        {"xicara verde", 3, "Forte", verde},
        {"cavalo correto bateria grampo", 4, "Muito forte", verde},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.senha);
        const QString senha = QString::fromUtf8(caso.senha);
        preencher(QStringLiteral("campoDaSenha"), senha);
        preencher(QStringLiteral("campoDaConfirmacao"), senha);
        ASSERT_TRUE(visivel("medidorDeForca"));
        capturar(QStringLiteral("criar-conta-senha-nivel-%1").arg(caso.nivel)); // renders: the row is laid out
        EXPECT_EQ(achar(QStringLiteral("rotuloDaForca"))->property("text").toString(), QString::fromUtf8(caso.rotulo));
        for (int i = 0; i < ForcaDaSenha::barras; ++i) {
            const QColor cor = achar(QStringLiteral("barra%1").arg(i))->property("color").value<QColor>();
            EXPECT_EQ(cor, i <= caso.nivel ? caso.cor : apagada) << "bar " << i;
        }
        // The five bars and the level's name share the row evenly: (380 - 5 gaps of 4) / 6.
        EXPECT_NEAR(achar<QQuickItem>(QStringLiteral("barra0"))->width(), 60, 1);
        EXPECT_FALSE(visivel("senhasDiferentes"));
        // Only "Forte" or better, typed twice alike, can be sent.
        EXPECT_EQ(habilitado("botaoCriarCofre"), caso.nivel >= 3);
    }

    // The mismatch line: only once the confirmation has text, gone as soon as both are equal.
    preencher(QStringLiteral("campoDaConfirmacao"), QString());
    EXPECT_FALSE(visivel("senhasDiferentes"));
    preencher(QStringLiteral("campoDaConfirmacao"), QStringLiteral("cavalo correto"));
    EXPECT_TRUE(visivel("senhasDiferentes"));
    EXPECT_EQ(achar(QStringLiteral("senhasDiferentes"))->property("text").toString(),
              QStringLiteral("As duas senhas não estão iguais."));
    EXPECT_FALSE(habilitado("botaoCriarCofre"));
    assentar(); // the line's fade-in
    capturar(QStringLiteral("criar-conta-senhas-diferentes"));
    preencher(QStringLiteral("campoDaConfirmacao"), senhaForte);
    EXPECT_FALSE(visivel("senhasDiferentes"));
    EXPECT_TRUE(habilitado("botaoCriarCofre"));
}

TEST_F(CriarConta, CodigoMostradoCopiadoEConfirmadoAntesDeAbrir)
{
    ASSERT_TRUE(mostrarAssistente());
    ateASenha();
    preencher(QStringLiteral("campoDaSenha"), senhaForte);
    preencher(QStringLiteral("campoDaConfirmacao"), senhaForte);
    enter();
    EXPECT_TRUE(modelo().enviando());
    ASSERT_TRUE(esperarAte([this] { return etapa() == QLatin1String("codigo"); })) << modelo().erro().toStdString();
    assentar();

    // The code in rows of four, no way back, the passwords gone from memory.
    const QString codigo = modelo().codigoDeRecuperacao();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([A-Z2-7]{4}-){7}[A-Z2-7]{4}$")).match(codigo).hasMatch());
    EXPECT_FALSE(visivel("botaoVoltar"));
    EXPECT_TRUE(modelo().senha().isEmpty());
    EXPECT_TRUE(modelo().confirmacao().isEmpty());
    capturar(QStringLiteral("criar-conta-codigo")); // renders, so the grid is laid out
    const QStringList grupos = codigo.split(QLatin1Char('-'));
    for (int i = 0; i < grupos.size(); ++i) {
        auto *celula = achar<QQuickItem>(QStringLiteral("grupo%1").arg(i));
        EXPECT_EQ(celula->findChild<QObject *>(QStringLiteral("textoDoGrupo"))->property("text"), grupos[i]);
        EXPECT_EQ(celula->height(), 34);
    }
    EXPECT_EQ(achar<QQuickItem>(QStringLiteral("grupo4"))->x(), achar<QQuickItem>(QStringLiteral("grupo0"))->x());
    EXPECT_GT(achar<QQuickItem>(QStringLiteral("grupo4"))->y(), achar<QQuickItem>(QStringLiteral("grupo3"))->y());

    // A mouse drag across the groups selects nothing: the primary selection never gets the code.
    QClipboard *area = QGuiApplication::clipboard();
    if (area->supportsSelection())
        area->setText(QStringLiteral("antes"), QClipboard::Selection);
    auto *primeiro = achar<QQuickItem>(QStringLiteral("grupo0"));
    auto *quarto = achar<QQuickItem>(QStringLiteral("grupo3"));
    QTest::mousePress(janela(), Qt::LeftButton, {}, ponto(primeiro, 4, 17));
    QTest::mouseMove(janela(), ponto(quarto, quarto->width() - 4, 17));
    QTest::mouseRelease(janela(), Qt::LeftButton, {}, ponto(quarto, quarto->width() - 4, 17));
    QCoreApplication::processEvents();

    // "Copiar código": the whole code, marked secret, in the clipboard only; counted and announced.
    clicar(QStringLiteral("botaoCopiarCodigo"));
    EXPECT_TRUE(esperarAte([&] { return area->text(QClipboard::Clipboard) == codigo; }));
    ASSERT_TRUE(area->mimeData(QClipboard::Clipboard));
    EXPECT_EQ(area->mimeData(QClipboard::Clipboard)->data(QStringLiteral("x-kde-passwordManagerHint")),
              QByteArrayLiteral("secret"));
    if (area->supportsSelection()) {
        for (const QString &grupo : grupos)
            EXPECT_FALSE(area->text(QClipboard::Selection).contains(grupo));
        EXPECT_EQ(area->text(QClipboard::Selection), QStringLiteral("antes"));
    }
    EXPECT_EQ(estado->avisos()->contadorDeCopias(), 1);
    EXPECT_EQ(avisoAtual(), QStringLiteral("Código de recuperação copiado"));
    clicar(QStringLiteral("botaoCopiarCodigo"));
    EXPECT_EQ(estado->avisos()->contadorDeCopias(), 2);

    // "Abrir meu cofre": off and half transparent until ticked; Return does nothing meanwhile.
    auto *abrir = achar<QQuickItem>(QStringLiteral("botaoAbrirCofre"));
    EXPECT_FALSE(abrir->isEnabled());
    EXPECT_EQ(abrir->opacity(), 0.5);
    enter();
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::semConta);
    clicar(QStringLiteral("caixaGuardei"));
    EXPECT_TRUE(abrir->isEnabled());
    EXPECT_EQ(abrir->opacity(), 1.0);
    capturar(QStringLiteral("criar-conta-codigo-guardei"));
    clicar(QStringLiteral("caixaGuardei"));
    EXPECT_FALSE(abrir->isEnabled());
    clicar(QStringLiteral("caixaGuardei"));
    enter();
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::aberto);
    ASSERT_TRUE(estado->cofre());
    EXPECT_EQ(estado->conta()->email, email);
}

TEST_F(CriarConta, GradeComUltimaLinhaIncompleta)
{
    ASSERT_TRUE(mostrarAssistente());
    CriacaoDeContaNasTelas::mostrarCodigo(modelo(), QStringLiteral("ABCD-EFGH-IJKL-MNOP-QRST-UVWX"));
    assentar();
    capturar(QStringLiteral("criar-conta-codigo-linha-incompleta")); // renders, so the grid is laid out
    auto *quinto = achar<QQuickItem>(QStringLiteral("grupo4"));
    auto *sexto = achar<QQuickItem>(QStringLiteral("grupo5"));
    EXPECT_EQ(quinto->x(), achar<QQuickItem>(QStringLiteral("grupo0"))->x());
    EXPECT_EQ(sexto->x(), achar<QQuickItem>(QStringLiteral("grupo1"))->x());
    EXPECT_EQ(sexto->y(), quinto->y());
    EXPECT_EQ(quinto->width(), achar<QQuickItem>(QStringLiteral("grupo0"))->width());
    EXPECT_GT(quinto->width(), 10);
}

TEST_F(CriarConta, ContaSocialPulaOEmailEMandaOToken)
{
    const QString token = servidor.estado().cunharTokenDeIdentidade(QStringLiteral("google"), email, QStringLiteral("n1"));
    social = Testes::executar(
        estado->entrarComProvedor(QStringLiteral("google"), token, QStringLiteral("n1"), QStringLiteral("Ana Maria")));
    ASSERT_EQ(social.situacao, QStringLiteral("nova"));
    ASSERT_TRUE(mostrarAssistente(true));
    assentar();

    EXPECT_TRUE(modelo().temSocial());
    EXPECT_FALSE(visivel("campoDoEmail"));
    EXPECT_EQ(modelo().nome(), QStringLiteral("Ana Maria"));
    EXPECT_EQ(achar(QStringLiteral("campoDoNome"))->findChild<QObject *>(QStringLiteral("entrada"))->property("text"),
              QStringLiteral("Ana Maria"));
    EXPECT_EQ(modelo().email(), email);
    capturar(QStringLiteral("criar-conta-social-dados"));

    // Straight to the password, and back to the data step.
    clicar(QStringLiteral("botaoContinuar"));
    EXPECT_EQ(etapa(), QStringLiteral("senha"));
    EXPECT_EQ(quantosPedidos(QStringLiteral("POST"), QStringLiteral("/v1/conta/codigo-de-email")), 0);
    assentar();
    clicar(QStringLiteral("botaoVoltar"));
    EXPECT_EQ(etapa(), QStringLiteral("dados"));
    assentar();
    clicar(QStringLiteral("botaoContinuar"));
    assentar();

    preencher(QStringLiteral("campoDaSenha"), senhaForte);
    preencher(QStringLiteral("campoDaConfirmacao"), senhaForte);
    clicar(QStringLiteral("botaoCriarCofre"));
    ASSERT_TRUE(esperarAte([this] { return etapa() == QLatin1String("codigo"); })) << modelo().erro().toStdString();
    const QJsonObject corpo = corpoDoPedido(QStringLiteral("POST"), QStringLiteral("/v1/conta"));
    EXPECT_EQ(corpo.value(QStringLiteral("tokenSocial")).toString(), social.tokenSocial);
    EXPECT_FALSE(corpo.contains(QStringLiteral("comprovanteDeEmail")));
}

TEST_F(CriarConta, ReturnSoApertaOBotaoHabilitado)
{
    ASSERT_TRUE(mostrarAssistente());
    // The name field has the keyboard as the wizard appears.
    digitar(QStringLiteral("Ana"));
    EXPECT_EQ(modelo().nome(), QStringLiteral("Ana"));
    preencher(QStringLiteral("campoDoEmail"), QStringLiteral("sem-arroba"));
    enter();
    QCoreApplication::processEvents();
    EXPECT_FALSE(modelo().enviando());
    EXPECT_EQ(quantosPedidos(QStringLiteral("POST"), QStringLiteral("/v1/conta/codigo-de-email")), 0);

    preencher(QStringLiteral("campoDoEmail"), emailDigitado);
    enter();
    EXPECT_TRUE(modelo().enviando());
    // A second Return while the request runs changes nothing.
    enter();
    ASSERT_TRUE(esperarAte([this] { return etapa() == QLatin1String("email"); }));
    EXPECT_EQ(quantosPedidos(QStringLiteral("POST"), QStringLiteral("/v1/conta/codigo-de-email")), 1);

    // The new step's field has the keyboard: the code can be typed and sent with Return alone.
    assentar();
    digitar(*servidor.estado().codigoDeEmail(email));
    EXPECT_TRUE(habilitado("botaoConfirmarEmail"));
    enter();
    ASSERT_TRUE(esperarAte([this] { return etapa() == QLatin1String("senha"); }));
    assentar();
    digitar(QStringLiteral("xicara verde"));
    EXPECT_EQ(modelo().senha(), QStringLiteral("xicara verde"));
}

} // namespace
