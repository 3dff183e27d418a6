// The desktop portals as the program meets them: which way a session is captured, blank grabs,
// the screenshot portal's answers (through a fake portal on a private D-Bus daemon, so each
// answer travels the real bus), our windows stepping aside for the shot, and the file chooser.
#include "CapturaDaTela.h"
#include "EditorDeCodigo.h"
#include "LeitorDaTela.h"
#include "PedidoAoPortal.h"
#include "support/quick/PortalFalso.h"
#include "QuadroDoEditor.h"
#include "support/Executar.h"

#include <QDBusArgument>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

namespace {

const QString linkA = QStringLiteral("otpauth://totp/GitHub:ana?secret=JBSWY3DPEHPK3PXP&issuer=GitHub");
const QString naoDeuParaLer = QStringLiteral("Não deu para ler a tela. Tente de novo.");
const QString semQRNaTela =
    QStringLiteral("Não achamos um QR Code na tela. Deixe o QR do site visível e tente de novo.");

QImage telaCom(const QImage &qr)
{
    QImage tela(1024, 640, QImage::Format_RGB32);
    tela.fill(QColor(60, 70, 90));
    QPainter pintor(&tela);
    pintor.fillRect(QRect(200, 100, 500, 400), Qt::white);
    if (!qr.isNull())
        pintor.drawImage(300, 160, qr);
    return tela;
}

QImage lisa(QColor cor, QImage::Format formato = QImage::Format_RGB32)
{
    QImage imagem(640, 400, formato);
    imagem.fill(cor);
    return imagem;
}

} // namespace

TEST(CapturaDaTela, CaminhoPelaSessao)
{
    using CapturaDaTela::Caminho;
    const struct {
        const char *nome;
        const char *waylandDisplay;
        const char *tipoDaSessao;
        const char *plataforma;
        Caminho esperado;
    } casos[] = {
        {"X11 de verdade", "", "x11", "xcb", Caminho::x11},
        {"XWayland: o tipo da sessão diz Wayland", "wayland-0", "wayland", "xcb", Caminho::portal},
        {"XWayland sem o tipo da sessão", "wayland-0", "", "xcb", Caminho::portal},
        {"Wayland nativo", "wayland-0", "wayland", "wayland", Caminho::portal},
        {"Wayland nativo sem variáveis", "", "", "wayland-egl", Caminho::portal},
        {"compositor aninhado numa sessão X11", "wayland-1", "x11", "xcb", Caminho::x11},
        {"X sem tipo de sessão (ssh -X, Xvfb)", "", "", "xcb", Caminho::x11},
        {"tipo em maiúsculas", "", "Wayland", "xcb", Caminho::portal},
        {"offscreen", "", "", "offscreen", Caminho::nenhum},
        {"tty sem tela", "", "tty", "offscreen", Caminho::nenhum},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(CapturaDaTela::caminhoDaCaptura(QString::fromUtf8(caso.waylandDisplay),
                                                  QString::fromUtf8(caso.tipoDaSessao),
                                                  QString::fromUtf8(caso.plataforma)),
                  caso.esperado);
    }
}

TEST(CapturaDaTela, ImagemEmBranco)
{
    QImage umPonto = lisa(Qt::black);
    umPonto.setPixel(639, 399, qRgb(1, 0, 0));
    QImage transparente = lisa(Qt::transparent, QImage::Format_ARGB32);
    QImage quaseTransparente = transparente;
    quaseTransparente.setPixelColor(3, 3, QColor(0, 0, 0, 1));
    const struct {
        const char *nome;
        QImage imagem;
        bool emBranco;
    } casos[] = {
        {"toda preta (XWayland)", lisa(Qt::black), true},
        {"toda de uma cor", lisa(QColor(30, 120, 200)), true},
        {"toda cinza, em tons de cinza", lisa(Qt::gray, QImage::Format_Grayscale8), true},
        {"tons de cinza com um ponto", [] {
             QImage cinza = lisa(Qt::gray, QImage::Format_Grayscale8);
             cinza.setPixel(10, 10, 0);
             return cinza;
         }(), false},
        {"toda transparente", transparente, true},
        {"nula", QImage(), true},
        {"um pixel diferente no canto", umPonto, false},
        {"transparência diferente num pixel", quaseTransparente, false},
        {"uma tela de verdade", telaCom(Testes::imagemDeQR(linkA)), false},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(CapturaDaTela::imagemEmBranco(caso.imagem), caso.emBranco);
    }
}

TEST(CapturaDaTela, DesfechoDaRespostaDoPortal)
{
    using CapturaDaTela::Desfecho;
    const QStringList nossos{QString(), QStringLiteral("corvane")};
    const struct {
        const char *nome;
        uint resposta;
        QMap<QString, QStringList> permissoes;
        Desfecho esperado;
    } casos[] = {
        {"0 é a captura feita", 0, {}, Desfecho::sucesso},
        {"0 vale mesmo com um \"no\" antigo", 0, {{QString(), {QStringLiteral("no")}}}, Desfecho::sucesso},
        {"1 é o usuário que cancelou", 1, {{QString(), {QStringLiteral("no")}}}, Desfecho::cancelado},
        {"2 com \"no\" para nós", 2, {{QString(), {QStringLiteral("no")}}}, Desfecho::semPermissao},
        {"2 com \"no\" pelo nome do programa", 2, {{QStringLiteral("corvane"), {QStringLiteral("no")}}},
         Desfecho::semPermissao},
        {"2 com \"yes\"", 2, {{QString(), {QStringLiteral("yes")}}}, Desfecho::falha},
        {"2 com \"no\" de outro programa", 2, {{QStringLiteral("org.outro.App"), {QStringLiteral("no")}}},
         Desfecho::falha},
        {"2 sem entrada no armazém", 2, {}, Desfecho::falha},
        {"2 com entrada vazia", 2, {{QString(), {}}}, Desfecho::falha},
        {"resposta desconhecida", 7, {{QString(), {QStringLiteral("no")}}}, Desfecho::falha},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(CapturaDaTela::desfechoDoPortal(caso.resposta, caso.permissoes, nossos), caso.esperado);
    }
}

// The code editor in a Wayland session whose portals are the fake one, on a private bus.
class Portais : public QuadroDoEditor {
protected:
    void SetUp() override
    {
        QuadroDoEditor::SetUp();
        ASSERT_TRUE(barramento.pronto()) << "dbus-daemon não abriu";
        static int conexoes = 0;
        ++conexoes;
        nomeDoPrograma = QStringLiteral("programa-%1").arg(conexoes);
        nomeDoPortal = QStringLiteral("portal-%1").arg(conexoes);
        PedidoAoPortal::usarBarramento(barramento.conectar(nomeDoPrograma));
        ASSERT_TRUE(PedidoAoPortal::barramento().isConnected());
        sessaoAntes = qgetenv("XDG_SESSION_TYPE");
        qputenv("XDG_SESSION_TYPE", "wayland");
        estado->editar(QStringLiteral("codigo"));
        modelo = std::make_unique<ModeloDoEditorDeCodigo>();
        modelo->definirEstado(estado.get());
    }
    void TearDown() override
    {
        modelo.reset();
        portal.reset();
        if (sessaoAntes.isNull())
            qunsetenv("XDG_SESSION_TYPE");
        else
            qputenv("XDG_SESSION_TYPE", sessaoAntes);
        PedidoAoPortal::usarBarramento(std::nullopt);
        QDBusConnection::disconnectFromBus(nomeDoPrograma);
        QDBusConnection::disconnectFromBus(nomeDoPortal);
        QuadroDoEditor::TearDown();
    }
    PortalFalso &abrirPortal(bool comArmazem = true)
    {
        portal = std::make_unique<PortalFalso>(barramento.conectar(nomeDoPortal), comArmazem);
        return *portal;
    }

    BarramentoPrivado barramento;
    QString nomeDoPrograma;
    QString nomeDoPortal;
    QByteArray sessaoAntes;
    std::unique_ptr<PortalFalso> portal;
    std::unique_ptr<ModeloDoEditorDeCodigo> modelo;
};

TEST_F(Portais, RespostasDaCapturaNoBarramento)
{
    // One editor through the answers in turn: the permission notice follows what the portal
    // said last, and the user's own cancel leaves it as it was.
    const QImage comQR = telaCom(Testes::imagemDeQR(linkA));
    const struct {
        const char *nome;
        uint resposta;
        QImage imagem;
        QMap<QString, QStringList> permissoes;
        QString erro;
        bool negada;
        QString emissor;
    } casos[] = {
        {"0 com o QR na imagem", 0, comQR, {}, QString(), false, QStringLiteral("GitHub")},
        {"2 com \"no\" no armazém", 2, QImage(), {{QString(), {QStringLiteral("no")}}}, QString(), true, {}},
        {"1 cancelada: o aviso fica", 1, QImage(), {}, QString(), true, {}},
        {"0 sem QR na imagem", 0, telaCom({}), {}, semQRNaTela, false, {}},
        {"2 sem entrada no armazém", 2, QImage(), {}, naoDeuParaLer, false, {}},
        {"2 com \"yes\" no armazém", 2, QImage(), {{QString(), {QStringLiteral("yes")}}}, naoDeuParaLer, false, {}},
        {"0 com a imagem toda preta", 0, lisa(Qt::black), {}, naoDeuParaLer, false, {}},
        {"0 sem arquivo", 0, QImage(), {}, naoDeuParaLer, false, {}},
    };
    PortalFalso &falso = abrirPortal();
    mostrar(QStringLiteral("import QtQuick\nItem {}"), QSize(300, 200));
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        modelo->definirSegredo(QString());
        modelo->definirEmissor(QString());
        falso.responderCaptura(caso.resposta, caso.imagem);
        falso.definirPermissoes(caso.permissoes);
        const qsizetype antes = falso.pedidos().size();
        Testes::executar(modelo->lerATelaAgora());
        ASSERT_GT(falso.pedidos().size(), antes);
        const PortalFalso::Pedido &pedido = falso.pedidos().at(antes);
        EXPECT_EQ(pedido.metodo, QStringLiteral("Screenshot"));
        EXPECT_EQ(pedido.janelasVisiveis, 0) << "nossas janelas saem da frente para a captura";
        EXPECT_FALSE(pedido.opcoes.value(QStringLiteral("interactive")).toBool());
        EXPECT_EQ(falso.pedidos().size() > antes + 1, caso.resposta == 2) << "o armazém só é lido na resposta 2";
        EXPECT_EQ(modelo->erro(), caso.erro);
        EXPECT_EQ(modelo->permissaoDaTelaNegada(), caso.negada);
        EXPECT_EQ(modelo->emissor(), caso.emissor);
        EXPECT_FALSE(modelo->lendoATela());
        EXPECT_TRUE(janela()->isVisible()) << "a janela volta";
    }
    for (const QString &arquivo : falso.arquivosEntregues())
        EXPECT_FALSE(QFile::exists(arquivo)) << "a captura do portal é apagada depois de lida: " << arquivo.toStdString();
    EXPECT_FALSE(estado->capturandoATela());
}

TEST_F(Portais, SemPortalNoBarramentoACapturaFalha)
{
    Testes::executar(modelo->lerATelaAgora());
    EXPECT_EQ(modelo->erro(), naoDeuParaLer);
    EXPECT_FALSE(modelo->permissaoDaTelaNegada());

    // A portal without a permission store: an answer 2 is a failure, not a refusal.
    PortalFalso &falso = abrirPortal(false);
    falso.responderCaptura(2);
    Testes::executar(modelo->lerATelaAgora());
    EXPECT_EQ(modelo->erro(), naoDeuParaLer);
    EXPECT_FALSE(modelo->permissaoDaTelaNegada());
}

namespace {

// The portal's filters, a(sa(us)): each filter's name and its MIME types.
QMap<QString, QStringList> filtrosPedidos(const QVariant &valor)
{
    QMap<QString, QStringList> filtros;
    const QDBusArgument argumento = qvariant_cast<QDBusArgument>(valor);
    if (argumento.currentSignature() != QLatin1String("a(sa(us))"))
        return filtros;
    argumento.beginArray();
    while (!argumento.atEnd()) {
        QString nome;
        argumento.beginStructure();
        argumento >> nome;
        argumento.beginArray();
        while (!argumento.atEnd()) {
            uint tipo = 0;
            QString texto;
            argumento.beginStructure();
            argumento >> tipo >> texto;
            argumento.endStructure();
            if (tipo == 1)
                filtros[nome].append(texto);
        }
        argumento.endArray();
        argumento.endStructure();
    }
    argumento.endArray();
    return filtros;
}

} // namespace

TEST_F(Portais, DeUmaImagemPeloSeletorDoDesktop)
{
    const QString imagens = pasta.arquivo(QStringLiteral("Minhas Imagens"));
    definirPastaDeImagens(pasta.configuracao(), imagens);
    const QString arquivo = imagens + QStringLiteral("/qr.png");
    ASSERT_TRUE(Testes::imagemDeQR(linkA).save(arquivo));
    PortalFalso &falso = abrirPortal();
    int nosso = 0;
    QObject::connect(modelo.get(), &ModeloDoEditorDeCodigo::pedeSeletorProprio, [&nosso] { ++nosso; });

    falso.responderArquivo(0, {arquivo});
    Testes::executar(modelo->escolherImagemAgora(QStringLiteral("x11:2a00007")));
    ASSERT_TRUE(esperarAte([&] { return !modelo->emissor().isEmpty() || !modelo->erro().isEmpty(); }));
    EXPECT_EQ(modelo->emissor(), QStringLiteral("GitHub"));
    EXPECT_FALSE(modelo->escolhendoImagem());
    ASSERT_EQ(falso.pedidos().size(), 1);
    const PortalFalso::Pedido &pedido = falso.pedidos().constFirst();
    EXPECT_EQ(pedido.metodo, QStringLiteral("OpenFile"));
    EXPECT_EQ(pedido.argumentos.value(0).toString(), QStringLiteral("x11:2a00007")) << "modal à nossa janela";
    EXPECT_FALSE(pedido.opcoes.value(QStringLiteral("multiple")).toBool());
    EXPECT_TRUE(pedido.opcoes.value(QStringLiteral("modal")).toBool());
    EXPECT_EQ(pedido.opcoes.value(QStringLiteral("current_folder")).toByteArray(),
              QFile::encodeName(imagens) + QByteArray(1, '\0'))
        << "começa na pasta de imagens";
    const QMap<QString, QStringList> filtros = filtrosPedidos(pedido.opcoes.value(QStringLiteral("filters")));
    ASSERT_EQ(filtros.keys(), QStringList{QStringLiteral("Imagens")});
    EXPECT_TRUE(filtros.value(QStringLiteral("Imagens")).contains(QStringLiteral("image/png")));
    EXPECT_TRUE(filtros.value(QStringLiteral("Imagens")).contains(QStringLiteral("image/jpeg")));

    // Cancelled in the desktop's dialog: nothing happens, and ours does not open either.
    modelo->definirEmissor(QString());
    falso.responderArquivo(1);
    Testes::executar(modelo->escolherImagemAgora(QString()));
    EXPECT_EQ(modelo->emissor(), QString());
    EXPECT_EQ(modelo->erro(), QString());
    EXPECT_FALSE(modelo->escolhendoImagem());
    EXPECT_EQ(nosso, 0);

    // The portal failed (answer 2), or there is none: ours opens, and the editor counts as
    // choosing until it closes.
    falso.responderArquivo(2);
    Testes::executar(modelo->escolherImagemAgora(QString()));
    EXPECT_EQ(nosso, 1);
    EXPECT_TRUE(modelo->escolhendoImagem());
    modelo->seletorProprioFechou();
    EXPECT_FALSE(modelo->escolhendoImagem());
    portal.reset();
    Testes::executar(modelo->escolherImagemAgora(QString()));
    EXPECT_EQ(nosso, 2);
    EXPECT_FALSE(estado->capturandoATela());
}

TEST(SeletorProprio, PastaAcima)
{
    const struct {
        const char *nome;
        QUrl pasta;
        QUrl acima;
    } casos[] = {
        {"uma pasta", QUrl::fromLocalFile(QStringLiteral("/home/ana/Imagens")), QUrl::fromLocalFile(QStringLiteral("/home/ana"))},
        {"com barra no fim", QUrl::fromLocalFile(QStringLiteral("/home/ana/Imagens/")), QUrl::fromLocalFile(QStringLiteral("/home/ana"))},
        {"a raiz não tem", QUrl::fromLocalFile(QStringLiteral("/")), QUrl()},
        {"um endereço da web não tem", QUrl(QStringLiteral("https://exemplo.com/a/b")), QUrl()},
        {"nenhuma", QUrl(), QUrl()},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(ModeloDoEditorDeCodigo::pastaAcima(caso.pasta), caso.acima);
        EXPECT_EQ(ModeloDoEditorDeCodigo::temPastaAcima(caso.pasta), !caso.acima.isEmpty());
    }
}
