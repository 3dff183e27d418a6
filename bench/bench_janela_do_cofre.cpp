// The vault window's costs on the main thread, in a real window (run it under xvfb-run): from
// the open phase to the window's first frame with 10,000 items in the store, one tick of the
// screens' clock over a grid of 1,000 codes, one search keystroke over 10,000 codes, and what the
// window costs while nobody touches it (100 codes, and the illustrated empty state) as CPU time
// per second of the whole process on the system's clock (counters "cpu_pct" and "quadros_s"). Times
// are the main thread's CPU time from the change until the next frame was swapped (the wait
// for the display is not in them); the first also gives the wall time. By default one thread
// also draws (QSG_RENDER_LOOP=basic), so the times hold the drawing too; with
// QSG_RENDER_LOOP=threaded, as the program runs on a GPU, they hold what the window's own
// thread does while a render thread draws.
#include "api/ClienteDaAPI.h"
#include "core/Envelope.h"
#include "kit/Aparencia.h"
#include "kit/RelogioDasTelas.h"
#include "plataforma/Padroes.h"
#include "screens/vault/JanelaDoCofre.h"
#include "screens/vault/SituacaoDoPreenchimento.h"
#include "servicos/Preferencias.h"
#include "state/EstadoDoApp.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <QEventLoop>
#include <QTimeZone>
#include <QtQml/qqmlextensionplugin.h>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <ctime>
#include <memory>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ComumPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_ContaPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_CofrePlugin)

// The state's private setter, as its own routines use it when a vault opens.
class EstadoDoAppNasTelas {
public:
    static void abrir(EstadoDoApp &estado, Cofre *cofre)
    {
        estado.definirCofre(cofre);
        estado.definirFase(EstadoDoApp::Fase::aberto);
    }
};

namespace {

double tempoDeCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

QString segredoDe(int i)
{
    static constexpr char alfabeto[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
    QString segredo(32, u'A');
    for (int c = 0; c < 32; ++c)
        segredo[c] = QLatin1Char(alfabeto[(i * 7 + c * 13 + (i >> (c % 12))) % 32]);
    return segredo;
}

// A state with an open store of `codigos` codes (and, to reach `total`, passwords and notes).
struct CofreAberto {
    QTemporaryDir pasta;
    // The store points at these: they go after the state, which deletes the store.
    std::unique_ptr<ClienteDaAPI> api;
    std::unique_ptr<Preferencias> preferencias;
    std::unique_ptr<EstadoDoApp> estado;
    Cofre *cofre = nullptr; // the state's child once opened
    std::unique_ptr<SituacaoDoPreenchimento> preenchimento;

    CofreAberto(int codigos, int total)
    {
        qputenv("XDG_DATA_HOME", pasta.path().toUtf8());
        estado = std::make_unique<EstadoDoApp>(QStringList{QStringLiteral("corvane")});
        api = std::make_unique<ClienteDaAPI>(QUrl(QStringLiteral("http://127.0.0.1:9")));
        preferencias = std::make_unique<Preferencias>(Padroes(pasta.filePath(QStringLiteral("padroes.json"))));
        Conta conta;
        conta.id = QStringLiteral("conta-de-medida");
        conta.email = QStringLiteral("ana@exemplo.com");
        const QByteArray chave(32, '\x2a');
        cofre = new Cofre(conta, chave, api.get(), preferencias.get(), estado.get());
        for (int i = 0; i < total; ++i) {
            const QString id = QStringLiteral("item-%1").arg(i, 5, 10, QLatin1Char('0'));
            ObjetoJSON conteudo;
            TipoDeItem tipo = TipoDeItem::codigo;
            if (i < codigos) {
                conteudo = DadosDeCodigo::novo(QStringLiteral("Serviço %1").arg(i), QStringLiteral("conta%1@exemplo.com").arg(i),
                                               segredoDe(i), AlgoritmoTotp::sha1, 6, 30).json;
            } else if (i % 2) {
                tipo = TipoDeItem::senha;
                conteudo = DadosDeSenha::novo(QStringLiteral("Site %1").arg(i), QStringLiteral("ana"), QStringLiteral("s"),
                                              {QStringLiteral("site%1.com").arg(i)}, {}, false).json;
            } else {
                tipo = TipoDeItem::nota;
                conteudo = DadosDeNota(QStringLiteral("Nota %1").arg(i), QStringLiteral("texto"), false).json;
            }
            ItemCifrado item;
            item.id = id;
            item.tipo = tipo;
            item.dados = Cripto::selarEnvelope(ValorJSON::objeto(conteudo).escritoEmUTF8(), chave, Cripto::rotuloDoItem(id));
            item.revisao = i + 1;
            cofre->aplicar(item);
        }
        EstadoDoAppNasTelas::abrir(*estado, cofre);
        preenchimento = std::make_unique<SituacaoDoPreenchimento>(
            nullptr, Padroes(pasta.filePath(QStringLiteral("situacao.json"))), [](bool, std::function<void()> fim) { fim(); });
    }
};

// The vault window in its own window, built when the phase opens.
struct Janela {
    QQmlEngine engine;
    std::unique_ptr<QQuickWindow> janela;
    std::unique_ptr<QQuickItem> raiz;
    double criado = 0; // the thread's CPU time once the content was created, before its frame

    explicit Janela(CofreAberto &aberto)
    {
        engine.addImportPath(QStringLiteral("qrc:/"));
        engine.rootContext()->setContextProperty(QStringLiteral("estadoDeMedida"), aberto.estado.get());
        engine.rootContext()->setContextProperty(QStringLiteral("preenchimentoDeMedida"), aberto.preenchimento.get());
        janela = std::make_unique<QQuickWindow>();
        janela->resize(1040, 680);
        // The main window exists before the vault opens: its first, empty frame is not counted.
        janela->show();
        esperarQuadro();
    }

    // Creates the window's content and shows it; gives after the first frame.
    void mostrar()
    {
        QQmlComponent componente(&engine);
        componente.setData("import QtQuick\nimport Corvane.Cofre\nCofreNoMac { width: 1040; height: 680; "
                           "estado: estadoDeMedida; preenchimento: preenchimentoDeMedida }",
                           QUrl());
        raiz.reset(qobject_cast<QQuickItem *>(componente.create()));
        if (!raiz)
            qFatal("%s", qPrintable(componente.errorString()));
        raiz->setParentItem(janela->contentItem());
        criado = tempoDeCpu();
        esperarQuadro();
    }

    void esperarQuadro()
    {
        // A blocking wait, so the thread's CPU time holds only the work, not the waiting.
        QEventLoop laco;
        const auto ligacao = QObject::connect(janela.get(), &QQuickWindow::frameSwapped, &laco, &QEventLoop::quit);
        QTimer::singleShot(10000, &laco, &QEventLoop::quit);
        janela->requestUpdate();
        laco.exec();
        QObject::disconnect(ligacao);
    }

    JanelaDoCofre *modelo() const { return raiz->property("vista").value<JanelaDoCofre *>(); }
};

// The whole process (render and driver threads too), user and system time.
double tempoDoProcesso()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return double(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) + double(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
}

QDateTime agora = QDateTime::fromSecsSinceEpoch(1'700'000'005, QTimeZone::utc());

void primeiroQuadroComDezMilItens(benchmark::State &estado)
{
    CofreAberto aberto(2'000, 10'000);
    // The main window is up and has drawn before (the lock screen, a previous visit).
    Janela janela(aberto);
    janela.mostrar();
    // Summed over the runs; the counters divide by their number.
    double criacao = 0, parede = 0;
    for (auto _ : estado) {
        janela.raiz.reset();
        janela.esperarQuadro();
        QElapsedTimer relogio;
        relogio.start();
        const double cpu = tempoDeCpu();
        janela.mostrar();
        estado.SetIterationTime(tempoDeCpu() - cpu);
        criacao += (janela.criado - cpu) * 1e3;
        parede += double(relogio.nsecsElapsed()) / 1e6;
        benchmark::DoNotOptimize(janela.raiz.get());
    }
    estado.counters["criacao_ms"] = benchmark::Counter(criacao, benchmark::Counter::kAvgIterations);
    estado.counters["parede_ms"] = benchmark::Counter(parede, benchmark::Counter::kAvgIterations);
}

void tiqueComMilCodigos(benchmark::State &estado)
{
    CofreAberto aberto(1'000, 1'000);
    Janela janela(aberto);
    janela.mostrar();
    double semQuadro = 0;
    for (auto _ : estado) {
        agora = agora.addSecs(1);
        const double cpu = tempoDeCpu();
        RelogioDasTelas::instancia().atualizar();
        QCoreApplication::processEvents();
        semQuadro += (tempoDeCpu() - cpu) * 1e3;
        janela.esperarQuadro();
        estado.SetIterationTime(tempoDeCpu() - cpu);
    }
    estado.counters["sem_quadro_ms"] = benchmark::Counter(semQuadro, benchmark::Counter::kAvgIterations);
}

void teclaDaBuscaComDezMilCodigos(benchmark::State &estado)
{
    CofreAberto aberto(10'000, 10'000);
    Janela janela(aberto);
    janela.mostrar();
    // Typing "Serviço 12" and erasing it again, one key at a time.
    const QString palavra = QStringLiteral("Serviço 12");
    int passo = 0;
    double semQuadro = 0;
    for (auto _ : estado) {
        const int n = passo % (2 * palavra.size());
        const QString busca = palavra.left(n < palavra.size() ? n + 1 : 2 * palavra.size() - n - 1);
        ++passo;
        const double cpu = tempoDeCpu();
        janela.modelo()->definirBusca(busca);
        QCoreApplication::processEvents();
        semQuadro += (tempoDeCpu() - cpu) * 1e3;
        janela.esperarQuadro();
        estado.SetIterationTime(tempoDeCpu() - cpu);
    }
    estado.counters["sem_quadro_ms"] = benchmark::Counter(semQuadro, benchmark::Counter::kAvgIterations);
}

// The window left alone on the system's clock: each round is 5 seconds after 2 of settling.
void parada(benchmark::State &estado, int codigos)
{
    CofreAberto aberto(codigos, codigos);
    RelogioDasTelas::instancia().usarRelogioDoSistema();
    Janela janela(aberto);
    janela.mostrar();
    int quadros = 0;
    QObject::connect(janela.janela.get(), &QQuickWindow::frameSwapped, janela.janela.get(), [&quadros] { ++quadros; });
    const auto esperar = [](int ms) {
        QEventLoop laco;
        QTimer::singleShot(ms, &laco, &QEventLoop::quit);
        laco.exec();
    };
    esperar(2000);
    double cpu = 0, segundos = 0;
    int quadrosMedidos = 0;
    for (auto _ : estado) {
        QElapsedTimer parede;
        const double inicio = tempoDoProcesso();
        const int quadrosAntes = quadros;
        parede.start();
        esperar(5000);
        const double decorrido = double(parede.nsecsElapsed()) / 1e9;
        cpu += tempoDoProcesso() - inicio;
        segundos += decorrido;
        quadrosMedidos += quadros - quadrosAntes;
        estado.SetIterationTime(decorrido);
    }
    estado.counters["cpu_pct"] = 100 * cpu / segundos;
    estado.counters["quadros_s"] = quadrosMedidos / segundos;
    RelogioDasTelas::instancia().usarFonte([] { return agora; });
}

void paradaComCemCodigos(benchmark::State &estado)
{
    parada(estado, 100);
}

void paradaNoVazioIlustrado(benchmark::State &estado)
{
    parada(estado, 0);
}

} // namespace

BENCHMARK(primeiroQuadroComDezMilItens)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(tiqueComMilCodigos)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(60);
BENCHMARK(teclaDaBuscaComDezMilCodigos)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(60);
BENCHMARK(paradaComCemCodigos)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(2);
BENCHMARK(paradaNoVazioIlustrado)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(2);

int main(int argc, char **argv)
{
    // One thread draws everything unless told otherwise, so the figures hold all of the work;
    // QSG_RENDER_LOOP=threaded measures what the window's own thread is left with.
    if (!qEnvironmentVariableIsSet("QSG_RENDER_LOOP"))
        qputenv("QSG_RENDER_LOOP", "basic");
    QApplication aplicacao(argc, argv);
    // The programs' own start: Basic style, light palette, painting on one pool thread.
    Aparencia::preparar();
    RelogioDasTelas::instancia().usarFonte([] { return agora; });
    // No card under the pointer: the measures are of cards at rest.
    QCursor::setPos(1590, 1190);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
