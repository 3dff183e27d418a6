// Costs that must grow with what changes, not with the whole vault: appends to the AutoFill
// exchange file and to the host's identity file, the identities of code items with pending
// links, local removals against the order list, and the development server's "desde" answer.
// Each runs at two sizes, so a quadratic cost shows as a fourfold-plus jump for twice the size.
#include "servicos/IdentidadesDoPreenchimento.h"
#include "servicos/Preferencias.h"
#include "core/ArquivosDoPreenchimento.h"
#include "core/Configuracao.h"
#include "core/Envelope.h"
#include "plataforma/Conteiner.h"
#include "plataforma/RepositorioDeIdentidades.h"
#include "servidor/EstadoDoServidor.h"
#include "vault/Cofre.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QTemporaryDir &pasta()
{
    static QTemporaryDir unica;
    return unica;
}

QString idDe(int i)
{
    return QStringLiteral("item-%1").arg(i, 6, 10, QLatin1Char('0'));
}

// n links appended one by one to an empty file, as n fills of the extension do.
void AcrescentarVinculos(benchmark::State &estado)
{
    const int n = static_cast<int>(estado.range(0));
    const auto caminho = VinculoDoPreenchimento::urlDoArquivo();
    if (!caminho) {
        estado.SkipWithError("sem contêiner do grupo");
        return;
    }
    for (auto _ : estado) {
        estado.PauseTiming();
        QFile::remove(*caminho);
        estado.ResumeTiming();
        for (int i = 0; i < n; ++i)
            benchmark::DoNotOptimize(
                VinculoDoPreenchimento::acrescentar({idDe(i), QStringLiteral("site%1.com").arg(i)}));
    }
    estado.SetItemsProcessed(estado.iterations() * n);
}
BENCHMARK(AcrescentarVinculos)->Arg(250)->Arg(500)->Unit(benchmark::kMillisecond);

// n identities added one by one to the host's file, as the extension does when it links codes.
void AdicionarIdentidades(benchmark::State &estado)
{
    const int n = static_cast<int>(estado.range(0));
    RepositorioDeIdentidadesEmArquivo repositorio(pasta().path() + QStringLiteral("/identidades.json"));
    (void)repositorio.definirLigado(true); // a provider switched off takes no identity
    for (auto _ : estado) {
        estado.PauseTiming();
        (void)repositorio.removerTodas();
        estado.ResumeTiming();
        for (int i = 0; i < n; ++i)
            benchmark::DoNotOptimize(repositorio.adicionar(
                IdentidadeDeCodigo{QStringLiteral("site%1.com").arg(i), QStringLiteral("Código %1").arg(i), idDe(i)}));
    }
    estado.SetItemsProcessed(estado.iterations() * n);
}
BENCHMARK(AdicionarIdentidades)->Arg(250)->Arg(500)->Unit(benchmark::kMillisecond);

// The same n links and n identities handed over in one call each, as a caller with several does.
void AcrescentarVinculosDeUmaVez(benchmark::State &estado)
{
    const int n = static_cast<int>(estado.range(0));
    const auto caminho = VinculoDoPreenchimento::urlDoArquivo();
    if (!caminho) {
        estado.SkipWithError("sem contêiner do grupo");
        return;
    }
    QList<VinculoDoPreenchimento> vinculos;
    for (int i = 0; i < n; ++i)
        vinculos.append({idDe(i), QStringLiteral("site%1.com").arg(i)});
    for (auto _ : estado) {
        estado.PauseTiming();
        QFile::remove(*caminho);
        estado.ResumeTiming();
        benchmark::DoNotOptimize(VinculoDoPreenchimento::acrescentarVarios(vinculos));
    }
    estado.SetItemsProcessed(estado.iterations() * n);
}
BENCHMARK(AcrescentarVinculosDeUmaVez)->Arg(250)->Arg(500)->Arg(5'000)->Unit(benchmark::kMillisecond);

void AdicionarIdentidadesDeUmaVez(benchmark::State &estado)
{
    const int n = static_cast<int>(estado.range(0));
    RepositorioDeIdentidadesEmArquivo repositorio(pasta().path() + QStringLiteral("/identidades.json"));
    (void)repositorio.definirLigado(true); // a provider switched off takes no identity
    QList<IdentidadeDoPreenchimento> identidades;
    for (int i = 0; i < n; ++i)
        identidades.append(
            IdentidadeDeCodigo{QStringLiteral("site%1.com").arg(i), QStringLiteral("Código %1").arg(i), idDe(i)});
    for (auto _ : estado) {
        estado.PauseTiming();
        (void)repositorio.removerTodas();
        estado.ResumeTiming();
        benchmark::DoNotOptimize(repositorio.adicionarVarias(identidades));
    }
    estado.SetItemsProcessed(estado.iterations() * n);
}
BENCHMARK(AdicionarIdentidadesDeUmaVez)->Arg(250)->Arg(500)->Arg(5'000)->Unit(benchmark::kMillisecond);

// The identities of n code items, each with one pending link.
void IdentidadesDeCodigosComVinculos(benchmark::State &estado)
{
    const int n = static_cast<int>(estado.range(0));
    QList<ItemAberto> itens;
    QList<VinculoDoPreenchimento> vinculos;
    for (int i = 0; i < n; ++i) {
        ItemAberto item;
        item.id = idDe(i);
        item.conteudo = DadosDeCodigo::novo(QStringLiteral("Emissor %1").arg(i), QStringLiteral("ana"),
                                            QStringLiteral("JBSWY3DPEHPK3PXP"), AlgoritmoTotp::sha1, 6, 30);
        itens.append(item);
        vinculos.append({item.id, QStringLiteral("site%1.com").arg(i)});
    }
    for (auto _ : estado)
        benchmark::DoNotOptimize(montarIdentidades(itens, vinculos));
    estado.SetItemsProcessed(estado.iterations() * n);
}
BENCHMARK(IdentidadesDeCodigosComVinculos)->Arg(2'000)->Arg(4'000)->Unit(benchmark::kMillisecond);

// n passwords removed one by one from a store whose order list names n codes.
void RemoverLocalmente(benchmark::State &estado)
{
    const int n = static_cast<int>(estado.range(0));
    Preferencias preferencias(Padroes(pasta().path() + QStringLiteral("/padroes.json")));
    Conta conta;
    conta.id = QStringLiteral("conta-do-bench");
    QStringList ordem;
    for (int i = 0; i < n; ++i)
        ordem.append(QStringLiteral("codigo-%1").arg(i));
    (void)preferencias.armazenamento().definirListaDeTextos(Cofre::chaveDaOrdem(conta.id), ordem);
    const QByteArray chave(32, '\x42');
    QList<ItemCifrado> itens;
    for (int i = 0; i < n; ++i) {
        const QString id = idDe(i);
        itens.append({id, TipoDeItem::senha,
                      Cripto::selarEnvelope(ValorJSON::objeto(DadosDeNota(id, {}, false).json).escritoEmUTF8(), chave,
                                            Cripto::rotuloDoItem(id)),
                      1, QStringLiteral("2024-01-01T00:00:00Z"), QStringLiteral("2024-01-01T00:00:00Z"), std::nullopt});
    }
    std::unique_ptr<Cofre> cofre;
    for (auto _ : estado) {
        estado.PauseTiming();
        cofre.reset(); // the previous store goes away outside the measure
        cofre = std::make_unique<Cofre>(conta, chave, nullptr, &preferencias);
        for (const ItemCifrado &item : itens)
            cofre->aplicar(item);
        estado.ResumeTiming();
        for (const ItemCifrado &item : itens)
            cofre->removerLocalmente(item.id);
    }
    estado.SetItemsProcessed(estado.iterations() * n);
}
BENCHMARK(RemoverLocalmente)->Arg(5'000)->Arg(10'000)->Unit(benchmark::kMillisecond);

// The server's answer to "desde" with one new item, for a vault of n items.
void ServidorDesde(benchmark::State &estado)
{
    const int n = static_cast<int>(estado.range(0));
    Servidor::EstadoDoServidor servidor;
    const QString email = QStringLiteral("escala@exemplo.com");
    Servidor::NovaConta dados;
    dados.email = email;
    dados.sal = QStringLiteral("c2FsLWRhLWNvbnRh");
    dados.prova = QStringLiteral("prova");
    dados.chaveDoCofreProtegida = QStringLiteral("v1.bm9uY2U.Y2lmcmFkbw");
    dados.chaveDoCofreRecuperacao = QStringLiteral("v1.bm9uY2U.cmVjdXBlcmFjYW8");
    dados.provaDeRecuperacao = QStringLiteral("prova-de-recuperacao");
    servidor.criarConta(dados);
    const QJsonObject sessao = servidor.abrirSessao(email);
    for (int i = 0; i < n; ++i)
        servidor.gravarItem(email, idDe(i), QStringLiteral("nota"), QStringLiteral("v1.AAAAAAAAAAAAAAAA.AAAAAAAAAAAAAAAAAAAAAA"));
    Servidor::Pedido pedido;
    pedido.metodo = QStringLiteral("GET");
    pedido.caminho = QStringLiteral("/v1/cofre");
    pedido.consulta.addQueryItem(QStringLiteral("desde"), QString::number(n - 1));
    pedido.autorizacao = "Bearer " + sessao.value(QStringLiteral("tokenDeAcesso")).toString().toUtf8();
    if (servidor.atender(pedido).status != 200)
        estado.SkipWithError("o servidor recusou o pedido");
    for (auto _ : estado)
        benchmark::DoNotOptimize(servidor.atender(pedido));
    estado.SetItemsProcessed(estado.iterations());
}
BENCHMARK(ServidorDesde)->Arg(25'000)->Arg(50'000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication aplicacao(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("app.corvane.*=false"));
    qputenv("XDG_DATA_HOME", (pasta().path() + QStringLiteral("/dados")).toLocal8Bit());
    // The exchange files live in the group container: make it exist, as the host system would.
    if (const auto suporte = Conteiner::suporteDoApp(grupoDoApp()); !suporte || !QDir().mkpath(*suporte))
        qWarning("sem contêiner do grupo: os anexos não serão medidos");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
