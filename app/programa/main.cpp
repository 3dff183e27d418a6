// corvane: the desktop application. Wires the pieces together and runs the event loop.
//
//   corvane [corvane:URL] [--servidor http://127.0.0.1:PORT] [-comecar-do-zero]
//           [--armazenamento-de-segredos secret-service|arquivo] [--help] [--version]
//
// With CORVANE_MEDIR_PARTIDA=1 in the environment it prints "primeiro quadro" on standard output
// when the main window has shown its first frame and exits (the start-up benchmark).
#include "app/CorvaneMacApp.h"
#include "app/EscolhaDoRenderizador.h"
#include "app/InstanciaUnica.h"
#include "app/MarcasDaPartida.h"
#include "app/RegistroDoEsquema.h"
#include "kit/Aparencia.h"
#include "kit/DialogoDoDono.h"
#include "kit/LinhaDeComando.h"
#include "kit/TraducoesDoQt.h"
#include "plataforma/CofreDeSegredos.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTextStream>
#include <QtQml/qqmlextensionplugin.h>

#include <cstdio>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ComumPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ContaPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_CofrePlugin)
Q_IMPORT_QML_PLUGIN(Corvane_EditoresPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_BarraPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_QuadroPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ProgramaPlugin)

int main(int argc, char **argv)
{
    MarcasDaPartida::marcar("main");
    // "--help" and "--version" answer in a terminal without a display.
    if (const auto saida = LinhaDeComando::responderSePedido(LinhaDeComando::Programa::aplicativo, argc, argv))
        return *saida;
    // Widgets for the owner prompt and the tray icon; Qt Quick for every window.
    QApplication aplicacao(argc, argv);
    MarcasDaPartida::marcar("aplicacao");
    QApplication::setApplicationName(QStringLiteral("corvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("corvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/corvane/icone/corvane-256.png")));
    TraducoesDoQt::carregar();

    QStringList argumentos = QCoreApplication::arguments();
    if (const auto erro = CofreDeSegredos::configurarPelosArgumentos(argumentos)) {
        QTextStream(stderr) << *erro << '\n';
        return 2;
    }
    // Before anything reads the bundle's addresses.
    const CorvaneMacApp::Servidor servidor = CorvaneMacApp::lerServidor(argumentos);
    if (!servidor.erro.isEmpty()) {
        QTextStream(stderr) << servidor.erro << '\n';
        return 2;
    }
    if (servidor.base)
        CorvaneMacApp::usarServidor(*servidor.base);

    InstanciaUnica instancia;
    if (instancia.iniciar(argumentos) == InstanciaUnica::Papel::encaminhou)
        return 0;
    // Before any key could be made: without a store the vault cannot be kept, and the user is
    // told what to do about it.
    if (const auto aviso = CofreDeSegredos::avisoSemSecretService()) {
        QTextStream(stderr) << *aviso << '\n';
        QMessageBox::critical(nullptr, QStringLiteral("Corvane"), *aviso);
        return 1;
    }
    RegistroDoEsquema::registrarSeFaltar(RegistroDoEsquema::Pastas::doAmbiente(),
                                         QCoreApplication::applicationFilePath());
    DialogoDoDono::registrar();

    Aparencia::preparar();
    EscolhaDoRenderizador::aplicar();
    MarcasDaPartida::marcar("antes-do-estado");
    CorvaneMacApp corvane(argumentos);
    MarcasDaPartida::marcar("estado");
    corvane.usarJanelas(CorvaneMacApp::TipoDeJanela{QStringLiteral("Corvane.Barra"), QStringLiteral("JanelaDaBarra")},
                        {QStringLiteral("Corvane.Barra"), QStringLiteral("JanelaDosAjustes")});
    // The later start's token goes first: the window's activation that follows uses it.
    QObject::connect(&instancia, &InstanciaUnica::tokenDeAtivacaoRecebido, &corvane, &InstanciaUnica::usarTokenDeAtivacao);
    QObject::connect(&instancia, &InstanciaUnica::urlRecebida, &corvane, &CorvaneMacApp::receberEndereco);
    QObject::connect(&instancia, &InstanciaUnica::mostrarPedido, &corvane, &CorvaneMacApp::abrirJanela);
    if (!corvane.mostrar())
        return 1;
    MarcasDaPartida::marcar("janela");
    // A URL the program was started with goes the same way as a forwarded one.
    for (const QString &argumento : std::as_const(argumentos))
        if (argumento.startsWith(QLatin1String("corvane:"), Qt::CaseInsensitive))
            corvane.receberEndereco(QUrl(argumento));

    if (MarcasDaPartida::ligadas()) {
        // Direct: the frame is reported when it is swapped (on the render thread where there is
        // one), not after whatever the event loop runs first.
        QObject::connect(corvane.principal(), &QQuickWindow::frameSwapped, &aplicacao, [] {
            MarcasDaPartida::marcar("primeiro-quadro");
            std::fputs("primeiro quadro\n", stdout);
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }, Qt::ConnectionType(Qt::DirectConnection | Qt::SingleShotConnection));
    }
    return QApplication::exec();
}
