#include "support/quick/TesteQuick.h"

#include "kit/MovimentoReduzido.h"
#include "kit/RelogioDasTelas.h"
#include "support/quick/BuscaVisual.h"
#include "support/quick/EntradaInvisivel.h"
#include "support/quick/MotorDeAnimacao.h"

#include <QAccessible>
#include <QDeadlineTimer>
#include <QDir>
#include <QPauseAnimation>
#include <QApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTest>

namespace {

// Messages of the QML engine that come through the log instead of QQmlEngine::warnings.
QList<QString> *mensagensDoQml = nullptr;
QtMessageHandler anterior = nullptr;

void registrarMensagem(QtMsgType tipo, const QMessageLogContext &contexto, const QString &mensagem)
{
    const QLatin1String categoria(contexto.category ? contexto.category : "");
    if (mensagensDoQml && tipo >= QtWarningMsg && tipo != QtInfoMsg
        && (categoria.startsWith(QLatin1String("qml")) || categoria.startsWith(QLatin1String("js"))
            || categoria.startsWith(QLatin1String("qt.qml")) || mensagem.contains(QLatin1String("qrc:/"))))
        mensagensDoQml->append(mensagem);
    anterior(tipo, contexto, mensagem);
}

} // namespace

// Mouse areas that act on a click without being a control, each for its reason.
const QStringList TesteQuick::areasPermitidas = {
    // The opening: a click anywhere skips it; it is a moment of decoration with nothing to
    // reach by keyboard, and it hands over by itself.
    QStringLiteral("pularAbertura"),
    // The image chooser's list: the list itself takes the keyboard (arrows, Return, Backspace);
    // a tap only picks or opens the row under it.
    QStringLiteral("toqueNaListaDoSeletor"),
};

const QString TesteQuick::importacoes = QStringLiteral("import QtQuick\nimport Corvane.App\n");

MotorDeAnimacao &MotorDeAnimacao::instancia()
{
    static MotorDeAnimacao *motor = [] {
        auto *novo = new MotorDeAnimacao;
        novo->install();
        novo->start();
        return novo;
    }();
    return *motor;
}

void MotorDeAnimacao::avancar(int ms)
{
    while (ms > 0) {
        // Animations started since the last frame register on the next event loop pass.
        QCoreApplication::processEvents();
        const int passo = std::min(ms, 16);
        decorrido_ += passo;
        ms -= passo;
        advance();
    }
}

int executarTestesQuick(int argc, char **argv)
{
    // Xvfb with Mesa's software OpenGL when a display exists; plain offscreen otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    qputenv("LIBGL_ALWAYS_SOFTWARE", "1");
    qputenv("QSG_RENDER_LOOP", "basic");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    // A widgets application, as the program has (the owner prompt is a widget dialog); QtTest's
    // helpers also take the running application to be one when Qt Widgets is linked.
    QApplication app(argc, argv);
    static_cast<void>(MotorDeAnimacao::instancia());
    // Qt's animation timer skips its bookkeeping while nothing animates, so time moved in such a
    // stretch would land on the next animation's first frame; one idle animation always runs.
    QPauseAnimation sempre(1000);
    sempre.setLoopCount(-1);
    sempre.start();
    ::testing::InitGoogleTest(&argc, argv);
    mensagensDoQml = new QList<QString>;
    anterior = qInstallMessageHandler(registrarMensagem);
    return RUN_ALL_TESTS();
}

void TesteQuick::SetUp()
{
    mensagensDoQml->clear();
    agora_ = QDateTime(QDate(2026, 3, 2), QTime(9, 41, 0), Qt::UTC);
    RelogioDasTelas::instancia().usarFonte([this] { return agora_; });
    MovimentoReduzido::instancia().definir(false);
    engine_ = std::make_unique<QQmlEngine>();
    engine_->addImportPath(QStringLiteral("qrc:/"));
    QObject::connect(engine_.get(), &QQmlEngine::warnings, engine_.get(),
                     [this](const QList<QQmlError> &avisos) { avisos_.append(avisos); });
}

void TesteQuick::TearDown()
{
    conferirCliques(QStringLiteral("at the end of the test"));
    delete raiz_;
    raiz_ = nullptr;
    janela_.reset();
    engine_.reset();
    const QStringList textos = tomarAvisos();
    EXPECT_TRUE(textos.isEmpty()) << "QML warnings:\n" << textos.join('\n').toStdString();
}

QStringList TesteQuick::tomarAvisos()
{
    QStringList textos;
    for (const QQmlError &aviso : avisos_)
        textos << aviso.toString();
    textos << *mensagensDoQml;
    avisos_.clear();
    mensagensDoQml->clear();
    return textos;
}

QObject *TesteQuick::criar(const QString &qml)
{
    QQmlComponent componente(engine_.get());
    componente.setData(qml.toUtf8(), QUrl());
    QObject *objeto = componente.create();
    if (!objeto) {
        ADD_FAILURE() << "QML did not load:\n" << componente.errorString().toStdString() << "\n" << qml.toStdString();
        return nullptr;
    }
    delete raiz_;
    raiz_ = objeto;
    return objeto;
}

QQuickItem *TesteQuick::mostrar(const QString &qml, QSize tamanho, const QString &fundo)
{
    QQuickItem *item = qobject_cast<QQuickItem *>(criar(qml));
    if (!item) {
        ADD_FAILURE() << "not an item";
        return nullptr;
    }
    janela_ = std::make_unique<QQuickWindow>();
    janela_->setColor(QColor(fundo));
    janela_->resize(tamanho);
    item->setParentItem(janela_->contentItem());
    janela_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(janela_.get()));
    janela_->requestActivate();
    EXPECT_TRUE(QTest::qWaitForWindowActive(janela_.get()));
    return item;
}

namespace {

// Searches object children and, for items, visual children too (a Repeater's delegates have
// no object parent).
QObject *procurar(QObject *objeto, const QString &nome)
{
    if (!objeto)
        return nullptr;
    if (objeto->objectName() == nome)
        return objeto;
    for (QObject *filho : objeto->children()) {
        if (QObject *achado = procurar(filho, nome))
            return achado;
    }
    if (auto *item = qobject_cast<QQuickItem *>(objeto)) {
        for (QQuickItem *filho : item->childItems()) {
            if (filho->parent() == objeto)
                continue; // already searched as an object child
            if (QObject *achado = procurar(filho, nome))
                return achado;
        }
    }
    return nullptr;
}

} // namespace

QObject *TesteQuick::acharObjeto(const QString &nome)
{
    QObject *achado = procurar(raiz_, nome);
    if (!achado)
        ADD_FAILURE() << "no object named " << nome.toStdString();
    return achado;
}

QObject *TesteQuick::esperarObjeto(const QString &nome, int ms)
{
    QDeadlineTimer prazo(ms);
    while (!prazo.hasExpired()) {
        if (QObject *achado = procurar(raiz_, nome))
            return achado;
        for (QQuickItem *vista : raiz_->findChildren<QQuickItem *>()) {
            if (vista->inherits("QQuickItemView"))
                QMetaObject::invokeMethod(vista, "forceLayout");
        }
        QTest::qWait(10);
    }
    return acharObjeto(nome);
}

QPoint TesteQuick::centro(QQuickItem *item) const
{
    return ponto(item, item->width() / 2, item->height() / 2);
}

QPoint TesteQuick::ponto(QQuickItem *item, double x, double y) const
{
    return item->mapToScene(QPointF(x, y)).toPoint();
}

void TesteQuick::digitar(const QString &texto)
{
    for (const QChar c : texto)
        QTest::keyClick(janela_.get(), c.toLatin1());
}

void TesteQuick::avancar(int ms)
{
    agora_ = agora_.addMSecs(ms);
    RelogioDasTelas::instancia().atualizar();
    MotorDeAnimacao::instancia().avancar(ms);
    QCoreApplication::processEvents();
}

void TesteQuick::conferirCliques(const QString &quando)
{
    for (QWindow *janela : QGuiApplication::topLevelWindows()) {
        auto *quick = qobject_cast<QQuickWindow *>(janela);
        if (!quick || !quick->isVisible())
            continue;
        const QStringList achados = cliquesInvisiveis(quick);
        EXPECT_TRUE(achados.isEmpty()) << "clicks " << quando.toStdString() << " would reach what cannot be seen:\n"
                                       << achados.join('\n').toStdString();
        const QStringList soltas = areasSoltas(quick->contentItem(), areasPermitidas);
        EXPECT_TRUE(soltas.isEmpty()) << "mouse areas " << quando.toStdString()
                                      << " act on a click outside a control that Tab and Space reach:\n"
                                      << soltas.join('\n').toStdString();
    }
}

QImage TesteQuick::capturar(const QString &nome)
{
    QImage imagem = capturarJanela(janela_.get(), nome);
    conferirCliques(QStringLiteral("in ") + nome);
    return imagem;
}

QImage TesteQuick::capturarJanela(QQuickWindow *janela, const QString &nome)
{
    QImage imagem = janela->grabWindow();
    const QString pasta = QStringLiteral(CORVANE_CAPTURAS);
    QDir().mkpath(pasta);
    EXPECT_TRUE(imagem.save(pasta + QLatin1Char('/') + nome + QStringLiteral(".png"))) << nome.toStdString();
    return imagem;
}

void TesteQuick::conferirFocoPorTab(const QString &importacoesExtras, const QString &controle, const QString &captura,
                                    const QString &nome)
{
    QQuickItem *raiz = mostrar(importacoes + importacoesExtras + QStringLiteral(R"(
Column {
    x: 24
    y: 24
    spacing: 16
    property int acionado: 0
    TextInput { objectName: "campoAntes"; width: 200; height: 22; text: "campo"; activeFocusOnTab: true }
    %1
})").arg(controle),
                               QSize(460, 260), QStringLiteral("#ffffff"));
    ASSERT_TRUE(raiz);
    auto *campo = achar<QQuickItem>(QStringLiteral("campoAntes"));
    auto *alvo = achar<QQuickItem>(nome);
    ASSERT_TRUE(campo && alvo);
    QQuickItem *anel = itemChamado(alvo, QStringLiteral("anelDeFoco"));
    ASSERT_TRUE(anel) << "no focus ring";
    QAccessibleInterface *acessivel = QAccessible::queryAccessibleInterface(alvo);
    ASSERT_TRUE(acessivel);
    EXPECT_FALSE(acessivel->text(QAccessible::Name).isEmpty());

    campo->forceActiveFocus();
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(alvo));
    EXPECT_EQ(raiz->property("acionado").toInt(), 1) << "a click acts";
    EXPECT_TRUE(campo->hasActiveFocus()) << "a click leaves the focus where it was";
    EXPECT_FALSE(alvo->hasActiveFocus());
    EXPECT_FALSE(anel->isVisible());

    QTest::keyClick(janela(), Qt::Key_Tab);
    EXPECT_TRUE(alvo->hasActiveFocus()) << "Tab reaches it";
    EXPECT_TRUE(anel->isVisible()) << "and it shows the focus";
    if (!captura.isEmpty())
        capturar(captura);
    QTest::keyClick(janela(), Qt::Key_Space);
    EXPECT_EQ(raiz->property("acionado").toInt(), 2) << "Space presses it";
    QTest::keyClick(janela(), Qt::Key_Return);
    EXPECT_EQ(raiz->property("acionado").toInt(), 3) << "Return presses it";
}
