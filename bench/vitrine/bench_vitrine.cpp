// CPU time per second spent by a 1040 × 680 window showing the onboarding showcase beside a
// plain stand-in for the account panel, with every loop running on the real clock. Run it on a
// display (e.g. `xvfb-run -a build/bench/vitrine/bench_vitrine`); options:
//   --software        Qt Quick's software renderer instead of OpenGL
//   --segundos N      measured seconds (default 10, after 2 s of warm-up)
//   --reduzido        with reduce motion on
//   --parada          with the showcase off screen (`ativa` false): the idle baseline
//   --largura W       window width (default 1040)
//   --qml ARQUIVO     another scene instead (to compare with a bare animated window; cenas/
//                     holds one scene per moving piece of the showcase)
#include "app/EscolhaDoRenderizador.h"
#include "kit/Aparencia.h"
#include "kit/MovimentoReduzido.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ComumPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ContaPlugin)

namespace {

double segundosDeCpu()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec)
        + static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    int segundos = 10;
    int largura = 1040;
    bool software = false;
    bool reduzido = false;
    bool parada = false;
    QString outraCena;
    for (int i = 1; i < argc; ++i) {
        const QByteArray opcao(argv[i]);
        if (opcao == "--software")
            software = true;
        else if (opcao == "--reduzido")
            reduzido = true;
        else if (opcao == "--parada")
            parada = true;
        else if (opcao == "--segundos" && i + 1 < argc)
            segundos = QByteArray(argv[++i]).toInt();
        else if (opcao == "--qml" && i + 1 < argc)
            outraCena = QString::fromLocal8Bit(argv[++i]);
        else if (opcao == "--largura" && i + 1 < argc)
            largura = QByteArray(argv[++i]).toInt();
    }
    if (software)
        EscolhaDoRenderizador::usarRenderizadorDeSoftware();
    QApplication app(argc, argv);
    // The programs' own start: Basic style, light palette, painting on one pool thread.
    Aparencia::preparar();
    MovimentoReduzido::instancia().definir(reduzido);

    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/"));
    QQmlComponent componente(&engine);
    componente.setData(QStringLiteral(R"(
import QtQuick
import Corvane.App
import Corvane.Conta
Rectangle {
    color: Paleta.fundo
    Rectangle { width: 460; height: parent.height; color: Paleta.superficie }
    VitrineNoMac {
        x: 476; y: 16
        width: parent.width - 492
        height: parent.height - 32
        ativa: %1
    }
}
)")
                           .arg(parada ? QStringLiteral("false") : QStringLiteral("true"))
                           .toUtf8(),
                       QUrl());
    if (!outraCena.isEmpty()) {
        QFile arquivo(outraCena);
        if (!arquivo.open(QIODevice::ReadOnly))
            return 1;
        componente.setData(arquivo.readAll(), QUrl());
    }
    std::unique_ptr<QObject> raiz(componente.create());
    auto *item = qobject_cast<QQuickItem *>(raiz.get());
    if (!item) {
        std::fprintf(stderr, "%s\n", qPrintable(componente.errorString()));
        return 1;
    }
    QQuickWindow janela;
    janela.resize(largura, 680);
    item->setParentItem(janela.contentItem());
    item->setSize(janela.size());
    janela.show();

    int quadros = 0;
    QObject::connect(&janela, &QQuickWindow::frameSwapped, &janela, [&quadros] { ++quadros; });
    double cpuInicial = 0;
    int quadrosIniciais = 0;
    QElapsedTimer relogio;
    QTimer::singleShot(2000, &app, [&] {
        cpuInicial = segundosDeCpu();
        quadrosIniciais = quadros;
        relogio.start();
        QTimer::singleShot(segundos * 1000, &app, [&] {
            const double decorrido = relogio.nsecsElapsed() / 1e9;
            const double cpu = segundosDeCpu() - cpuInicial;
            std::printf("%s%s%s, %dx680: %.1f%% of one core (%.3f s CPU in %.2f s), %.1f frames/s\n",
                        software ? "software renderer" : "OpenGL", reduzido ? ", reduce motion" : "",
                        parada ? ", showcase off screen" : "", largura, 100 * cpu / decorrido, cpu, decorrido,
                        (quadros - quadrosIniciais) / decorrido);
            app.quit();
        });
    });
    const int codigo = app.exec();
    raiz.reset();
    return codigo;
}
