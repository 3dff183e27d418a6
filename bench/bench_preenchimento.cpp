// The AutoFill extension's costs with 10,000 passwords in the vault copy, in a real window (run
// it under xvfb-run): from the request to the window's first frame (reading the copy, opening
// every item, building the list and drawing it), and one search keystroke until the next frame.
// Times are the main thread's CPU time (one thread draws, QSG_RENDER_LOOP=basic, unless told
// otherwise); the first also gives the wall time and the model's share.
#include "autofill/ContextoDaExtensao.h"
#include "autofill/CredentialProviderViewController.h"
#include "core/Chaveiro.h"
#include "core/CopiaDoCofre.h"
#include "core/Envelope.h"
#include "kit/Aparencia.h"
#include "plataforma/CofreDeSegredosEmArquivo.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

Q_IMPORT_QML_PLUGIN(Corvane_AppPlugin)
Q_IMPORT_QML_PLUGIN(Corvane_PreenchimentoPlugin)

namespace {

double tempoDeCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct SemHost final : ContextoDaExtensao {
    void completarComSenha(const QString &, const QString &) override {}
    void completarComCodigo(const QString &) override {}
    void cancelar(int) override {}
    void concluirConfiguracao() override {}
};

// A container with a vault copy of `senhas` passwords and its key in a file-backed store.
struct CopiaComSenhas {
    QTemporaryDir pasta;

    explicit CopiaComSenhas(int senhas)
    {
        qputenv("XDG_DATA_HOME", pasta.path().toUtf8());
        CofreDeSegredos::usar(std::make_shared<CofreDeSegredosEmArquivo>(pasta.filePath(QStringLiteral("segredos.json"))));
        const QByteArray chave(32, '\x2a');
        CopiaDoCofre copia;
        copia.conta.id = QStringLiteral("conta-de-medida");
        copia.conta.email = QStringLiteral("ana@exemplo.com");
        copia.revisao = senhas;
        for (int i = 0; i < senhas; ++i) {
            ItemCifrado item;
            item.id = QStringLiteral("item-%1").arg(i, 5, 10, QLatin1Char('0'));
            item.tipo = TipoDeItem::senha;
            const ObjetoJSON conteudo =
                DadosDeSenha::novo(QStringLiteral("Site %1").arg(i), QStringLiteral("ana%1@exemplo.com").arg(i),
                                   QStringLiteral("senha-%1").arg(i), {QStringLiteral("site%1.com").arg(i)}, {}, false)
                    .json;
            item.dados = Cripto::selarEnvelope(ValorJSON::objeto(conteudo).escritoEmUTF8(), chave,
                                               Cripto::rotuloDoItem(item.id));
            item.revisao = i + 1;
            item.criadoEm = item.atualizadoEm = QStringLiteral("2025-01-01T00:00:00Z");
            copia.itens.append(item);
        }
        (void)CopiaDoCofre::salvar(copia);
        Chaveiro::gravar(chave, QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    }
    ~CopiaComSenhas() { CofreDeSegredos::usar(nullptr); }
};

// One request: the controller, the model and the extension's screen in a window of its size.
struct Pedido {
    SemHost host;
    CredentialProviderViewController controlador{host};
    QQmlEngine engine;
    std::unique_ptr<QQuickWindow> janela;
    std::unique_ptr<QQuickItem> tela;

    Pedido()
    {
        engine.addImportPath(QStringLiteral("qrc:/"));
        janela = std::make_unique<QQuickWindow>();
        janela->resize(440, 560);
    }

    // The request for a site no password belongs to, so every password is listed under
    // "Suas senhas".
    void abrir()
    {
        controlador.carregarVista();
        controlador.prepararListaDeSenhas({{QStringLiteral("nenhum.exemplo"), IdentificadorDeServico::Tipo::dominio}});
    }

    void mostrar()
    {
        engine.rootContext()->setContextProperty(QStringLiteral("modeloDeMedida"), &controlador.modelo());
        QQmlComponent componente(&engine);
        componente.setData("import QtQuick\nimport Corvane.Preenchimento\nTelaDoPreenchimentoNoMac { width: 440; "
                           "height: 560; modelo: modeloDeMedida }",
                           QUrl());
        tela.reset(qobject_cast<QQuickItem *>(componente.create()));
        if (!tela)
            qFatal("%s", qPrintable(componente.errorString()));
        tela->setParentItem(janela->contentItem());
        janela->show();
        esperarQuadro();
    }

    void esperarQuadro()
    {
        QEventLoop laco;
        const auto ligacao = QObject::connect(janela.get(), &QQuickWindow::frameSwapped, &laco, &QEventLoop::quit);
        QTimer::singleShot(10000, &laco, &QEventLoop::quit);
        janela->requestUpdate();
        laco.exec();
        QObject::disconnect(ligacao);
    }

    QObject *campoDaBusca() const
    {
        QObject *campo = tela->findChild<QObject *>(QStringLiteral("campoDaBusca"));
        if (!campo)
            qFatal("no search field");
        return campo;
    }
};

void primeiroQuadroComDezMilSenhas(benchmark::State &estado)
{
    CopiaComSenhas copia(10'000);
    double modelo = 0;
    double parede = 0;
    for (auto _ : estado) {
        auto pedido = std::make_unique<Pedido>();
        QElapsedTimer relogio;
        relogio.start();
        const double cpu = tempoDeCpu();
        pedido->abrir();
        const double aberto = tempoDeCpu();
        pedido->mostrar();
        estado.SetIterationTime(tempoDeCpu() - cpu);
        parede += double(relogio.nsecsElapsed()) / 1e6;
        modelo += (aberto - cpu) * 1e3;
        if (pedido->controlador.modelo().opcoes().size() != 10'000)
            qFatal("the copy was not read");
        pedido.reset();
        QCoreApplication::processEvents();
    }
    // Sums over the iterations, shown per iteration.
    estado.counters["modelo_ms"] = benchmark::Counter(modelo, benchmark::Counter::kAvgIterations);
    estado.counters["parede_ms"] = benchmark::Counter(parede, benchmark::Counter::kAvgIterations);
}

void teclaDaBuscaComDezMilSenhas(benchmark::State &estado)
{
    CopiaComSenhas copia(10'000);
    Pedido pedido;
    pedido.abrir();
    pedido.mostrar();
    QObject *campo = pedido.campoDaBusca();
    // Typing "Site 12" and erasing it again, one key at a time.
    const QString palavra = QStringLiteral("Site 12");
    int passo = 0;
    double semQuadro = 0;
    for (auto _ : estado) {
        const int n = passo % (2 * palavra.size());
        const QString busca = palavra.left(n < palavra.size() ? n + 1 : 2 * palavra.size() - n - 1);
        ++passo;
        const double cpu = tempoDeCpu();
        campo->setProperty("text", busca);
        QCoreApplication::processEvents();
        semQuadro += (tempoDeCpu() - cpu) * 1e3;
        pedido.esperarQuadro();
        estado.SetIterationTime(tempoDeCpu() - cpu);
    }
    estado.counters["sem_quadro_ms"] = benchmark::Counter(semQuadro, benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(primeiroQuadroComDezMilSenhas)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(teclaDaBuscaComDezMilSenhas)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(42);

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QSG_RENDER_LOOP"))
        qputenv("QSG_RENDER_LOOP", "basic");
    QApplication aplicacao(argc, argv);
    // The programs' own start: Basic style, light palette, painting on one pool thread.
    Aparencia::preparar();
    QCursor::setPos(1590, 1190);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
