// Synchronisation of the vault store against the in-process development server, at 5,000,
// 10,000 and 50,000 items: a first full pull, an incremental run with nothing new and one that
// brings k changed items, next to the steps a pull is made of (decoding the answer, opening every
// item, writing the local copy, rebuilding the AutoFill identities), so it shows where the time
// goes. The host's identity store is switched on, as for a user of AutoFill, except in the case
// named for its absence.
#include "api/ClienteDaAPI.h"
#include "api/Respostas.h"
#include "servicos/FilaDeIdentidades.h"
#include "servicos/IdentidadesDoPreenchimento.h"
#include "servicos/Preferencias.h"
#include "core/CopiaDoCofre.h"
#include "core/Envelope.h"
#include "plataforma/CofreDeSegredos.h"
#include "plataforma/CofreDeSegredosEmArquivo.h"
#include "plataforma/RepositorioDeIdentidades.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/ContaNoServidor.h"
#include "support/Executar.h"
#include "vault/Cofre.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <vector>

namespace {

QTemporaryDir &pasta()
{
    static QTemporaryDir unica;
    return unica;
}

Servidor::ServidorDeDesenvolvimento &servidor()
{
    static Servidor::ServidorDeDesenvolvimento unico;
    return unico;
}

Preferencias &preferencias()
{
    static Preferencias unicas(Padroes(pasta().path() + QStringLiteral("/padroes.json")));
    return unicas;
}

QString idDe(int i)
{
    return QStringLiteral("item-%1").arg(i, 6, 10, QLatin1Char('0'));
}

ObjetoJSON conteudoDe(int i, int versao = 0)
{
    return DadosDeSenha::novo(QStringLiteral("Conta %1").arg(i), QStringLiteral("pessoa%1@exemplo.com").arg(i),
                              QStringLiteral("s3nh@-forte-%1-%2").arg(i).arg(versao),
                              // An edit moves the site too, so it changes the item's AutoFill identities.
                              {versao ? QStringLiteral("site%1-%2.com.br").arg(i).arg(versao)
                                      : QStringLiteral("site%1.com.br").arg(i)},
                              QStringLiteral("Notas do item %1").arg(i),
                              i % 7 == 0)
        .json;
}

// One account of the server holding `quantidade` passwords, with its own signed-in client.
struct Conjunto {
    int quantidade = 0;
    QString email;
    Conta conta;
    QByteArray chave;
    std::unique_ptr<ClienteDaAPI> api;

    void gravar(int i, int versao = 0) const
    {
        const QString id = idDe(i);
        servidor().estado().gravarItem(email, id, QStringLiteral("senha"),
                                       Cripto::selarEnvelope(ValorJSON::objeto(conteudoDe(i, versao)).escritoEmUTF8(),
                                                             chave, Cripto::rotuloDoItem(id)));
    }

    [[nodiscard]] std::unique_ptr<Cofre> novoCofre() const
    {
        return std::make_unique<Cofre>(conta, chave, api.get(), &preferencias());
    }

    // A store in step with the server, through a first full pull.
    [[nodiscard]] std::unique_ptr<Cofre> cofreSincronizado() const
    {
        CopiaDoCofre::apagar();
        auto cofre = novoCofre();
        Testes::executar(cofre->sincronizar(), std::chrono::minutes(5));
        Testes::executar(FilaDeIdentidades::doProcesso().ociosa(), std::chrono::minutes(5));
        return cofre;
    }
};

Conjunto &conjunto(int quantidade)
{
    static std::map<int, std::unique_ptr<Conjunto>> todos;
    auto &lugar = todos[quantidade];
    if (lugar)
        return *lugar;

    static const bool iniciado = [] {
        qputenv("XDG_DATA_HOME", (pasta().path() + QStringLiteral("/dados")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (pasta().path() + QStringLiteral("/configuracao")).toLocal8Bit());
        CofreDeSegredos::usar(
            std::make_shared<CofreDeSegredosEmArquivo>(pasta().path() + QStringLiteral("/segredos.json")));
        RepositorioDeIdentidadesEmArquivo identidades;
        if (!identidades.definirLigado(true))
            std::abort();
        servidor().iniciar();
        return true;
    }();
    (void)iniciado;

    lugar = std::make_unique<Conjunto>();
    Conjunto &c = *lugar;
    c.quantidade = quantidade;
    c.email = QStringLiteral("bench-%1@exemplo.com").arg(quantidade);
    servidor().estado().criarConta(Testes::novaConta(c.email));
    const RespostaDeSessao sessao = Testes::sessaoDe(servidor().estado(), c.email);
    c.conta = sessao.conta;
    c.api = std::make_unique<ClienteDaAPI>(servidor().endereco());
    c.api->guardarSessao(sessao);
    c.chave = Cripto::bytesAleatorios(32);
    for (int i = 0; i < quantidade; ++i)
        c.gravar(i);
    return c;
}

double mediana(std::vector<double> valores)
{
    std::sort(valores.begin(), valores.end());
    const std::size_t meio = valores.size() / 2;
    return valores.size() % 2 ? valores[meio] : (valores[meio - 1] + valores[meio]) / 2;
}

double milissegundosDe(const auto &funcao)
{
    const auto inicio = std::chrono::steady_clock::now();
    funcao();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
}

// Whether the host's file holds, record by record, the identities a rebuild from the store's open
// items gives (the order between records is the open items' hash order, which nothing reads).
bool identidadesComoReconstrucao(const Cofre &cofre)
{
    const auto porRegistro = [](const QList<IdentidadeDoPreenchimento> &lista) {
        QHash<QString, QList<IdentidadeDoPreenchimento>> grupos;
        for (const IdentidadeDoPreenchimento &identidade : lista)
            grupos[std::visit([](const auto &i) { return i.idDoRegistro; }, identidade)].append(identidade);
        return grupos;
    };
    RepositorioDeIdentidadesEmArquivo arquivo;
    const QList<IdentidadeDoPreenchimento> noArquivo = arquivo.identidades();
    const QList<IdentidadeDoPreenchimento> esperadas =
        montarIdentidades(cofre.abertos().values(), VinculoDoPreenchimento::ler());
    return noArquivo.size() == esperadas.size() && porRegistro(noArquivo) == porRegistro(esperadas);
}

void PrimeiraSincroniaCompleta(benchmark::State &estado)
{
    const Conjunto &c = conjunto(static_cast<int>(estado.range(0)));
    std::unique_ptr<Cofre> cofre;
    for (auto _ : estado) {
        estado.PauseTiming();
        cofre.reset(); // the previous store goes away outside the measure
        CopiaDoCofre::apagar(); // no copy: the store asks for the whole vault
        cofre = c.novoCofre();
        estado.ResumeTiming();
        Testes::executar(cofre->sincronizar(), std::chrono::minutes(5));
        if (cofre->abertos().size() != c.quantidade || cofre->falhouAoSincronizar())
            estado.SkipWithError("a sincronização não trouxe o cofre inteiro");
        estado.PauseTiming();
        Testes::executar(FilaDeIdentidades::doProcesso().ociosa(), std::chrono::minutes(5));
        estado.ResumeTiming();
    }
    estado.SetItemsProcessed(estado.iterations() * c.quantidade);
}
BENCHMARK(PrimeiraSincroniaCompleta)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The whole run, and beside it, round by round, the same request sent alone: the difference is
// the store's own cost of a sync with nothing new (counter "proprio_ms", the median per round).
void semNovidades(benchmark::State &estado)
{
    const Conjunto &c = conjunto(static_cast<int>(estado.range(0)));
    const auto cofre = c.cofreSincronizado();
    std::vector<double> proprio, pedido, total;
    for (auto _ : estado) {
        const double soPedido = milissegundosDe([&] {
            benchmark::DoNotOptimize(Testes::executar(c.api->lerCofre(cofre->revisao())));
        });
        const double sincronia = milissegundosDe([&] { Testes::executar(cofre->sincronizar()); });
        if (cofre->falhouAoSincronizar() || cofre->abertos().size() != c.quantidade)
            estado.SkipWithError("a sincronização falhou");
        // Whatever the run queued for the identity store finishes outside the measure.
        Testes::executar(FilaDeIdentidades::doProcesso().ociosa(), std::chrono::minutes(5));
        pedido.push_back(soPedido);
        total.push_back(sincronia);
        proprio.push_back(sincronia - soPedido);
        estado.SetIterationTime(sincronia / 1e3);
    }
    estado.counters["pedido_ms"] = mediana(pedido);
    estado.counters["total_ms"] = mediana(total);
    estado.counters["proprio_ms"] = mediana(proprio);
}

void SincroniaSemNovidades(benchmark::State &estado)
{
    semNovidades(estado);
}
BENCHMARK(SincroniaSemNovidades)
    ->Arg(1'000)
    ->Arg(5'000)
    ->Arg(10'000)
    ->Arg(50'000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(15);

// The same with no identity store on this computer (AutoFill never switched on, as for a new
// user): nothing is written, and a run with nothing new must cost what it costs with the store.
void SincroniaSemNovidadesSemArmazem(benchmark::State &estado)
{
    RepositorioDeIdentidades::usar(std::make_shared<RepositorioDeIdentidadesEmArquivo>(
        pasta().path() + QStringLiteral("/sem-anfitriao/identidades.json")));
    semNovidades(estado);
    RepositorioDeIdentidades::usar(nullptr);
}
BENCHMARK(SincroniaSemNovidadesSemArmazem)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(50'000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(15);

// A run that brings k changed items (another device edits them between rounds).
void SincroniaComKMudancas(benchmark::State &estado)
{
    const Conjunto &c = conjunto(static_cast<int>(estado.range(0)));
    const int k = static_cast<int>(estado.range(1));
    const auto cofre = c.cofreSincronizado();
    int versao = 0;
    std::vector<double> proprio, arquivo;
    for (auto _ : estado) {
        ++versao;
        for (int i = 0; i < k; ++i)
            c.gravar((versao * 97 + i * 13) % c.quantidade, versao);
        const double soPedido = milissegundosDe([&] {
            benchmark::DoNotOptimize(Testes::executar(c.api->lerCofre(cofre->revisao())));
        });
        const double sincronia = milissegundosDe([&] { Testes::executar(cofre->sincronizar()); });
        if (cofre->falhouAoSincronizar())
            estado.SkipWithError("a sincronização falhou");
        // The identity file's rewrite, on the worker, after the run (counter "arquivo_ms").
        arquivo.push_back(milissegundosDe(
            [] { Testes::executar(FilaDeIdentidades::doProcesso().ociosa(), std::chrono::minutes(5)); }));
        proprio.push_back(sincronia - soPedido);
        estado.SetIterationTime(sincronia / 1e3);
    }
    estado.counters["proprio_ms"] = mediana(proprio);
    estado.counters["arquivo_ms"] = mediana(arquivo);
    // The host's file took only the changed records: it must still hold what a rebuild gives.
    if (!identidadesComoReconstrucao(*cofre))
        estado.SkipWithError("as identidades no arquivo do anfitrião não são as de uma reconstrução");
}
BENCHMARK(SincroniaComKMudancas)
    ->Args({10'000, 1})
    ->Args({10'000, 10})
    ->Args({50'000, 1})
    ->Args({50'000, 10})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(9);

// --- The steps of a full pull, at 10,000 items ---

constexpr int itensDosPassos = 10'000;

// The server's answer to a full pull, as the server writes it (no HTTP in between).
const QByteArray &respostaCompleta()
{
    static const QByteArray bytes = [] {
        Conjunto &c = conjunto(itensDosPassos);
        Servidor::Pedido pedido;
        pedido.metodo = QStringLiteral("GET");
        pedido.caminho = QStringLiteral("/v1/cofre");
        pedido.autorizacao = "Bearer " + c.api->tokens()->tokenDeAcesso.toUtf8();
        return servidor().estado().atender(pedido).corpo;
    }();
    return bytes;
}

void DecodificarResposta(benchmark::State &estado)
{
    const QByteArray &bytes = respostaCompleta();
    for (auto _ : estado)
        benchmark::DoNotOptimize(RespostaDoCofre::deJSON(CodificacaoJSON::lerDocumento(bytes)));
    estado.SetBytesProcessed(estado.iterations() * bytes.size());
}
BENCHMARK(DecodificarResposta)->Unit(benchmark::kMillisecond);

void AbrirTodosOsItens(benchmark::State &estado)
{
    const RespostaDoCofre resposta = RespostaDoCofre::deJSON(CodificacaoJSON::lerDocumento(respostaCompleta()));
    const QByteArray &chave = conjunto(itensDosPassos).chave;
    for (auto _ : estado) {
        for (const ItemCifrado &item : resposta.itens)
            benchmark::DoNotOptimize(ItemAberto::de(item, item.abrir(chave)));
    }
    estado.SetItemsProcessed(estado.iterations() * resposta.itens.size());
}
BENCHMARK(AbrirTodosOsItens)->Unit(benchmark::kMillisecond);

void AplicarRespostaNoCofre(benchmark::State &estado)
{
    const RespostaDoCofre resposta = RespostaDoCofre::deJSON(CodificacaoJSON::lerDocumento(respostaCompleta()));
    const Conjunto &c = conjunto(itensDosPassos);
    std::unique_ptr<Cofre> cofre;
    for (auto _ : estado) {
        estado.PauseTiming();
        cofre.reset();
        CopiaDoCofre::apagar();
        cofre = c.novoCofre(); // empty, as before a first pull
        estado.ResumeTiming();
        for (const ItemCifrado &item : resposta.itens)
            cofre->aplicar(item);
    }
    estado.SetItemsProcessed(estado.iterations() * resposta.itens.size());
}
BENCHMARK(AplicarRespostaNoCofre)->Unit(benchmark::kMillisecond);

// A real write every round: the account record changes each time, so the copy differs from the
// one on disk (an unchanged copy is not written again, which would time nothing).
void GravarCopiaLocal(benchmark::State &estado)
{
    const Conjunto &c = conjunto(itensDosPassos);
    const auto cofre = c.cofreSincronizado();
    Conta conta = cofre->conta();
    int rodada = 0;
    for (auto _ : estado) {
        conta.nome = QStringLiteral("Nome %1").arg(++rodada);
        cofre->definirConta(conta);
        cofre->salvarCopia();
    }
    if (CopiaDoCofre::ler()->conta.nome != conta.nome)
        estado.SkipWithError("a cópia não foi gravada");
    estado.SetItemsProcessed(estado.iterations() * c.quantidade);
}
BENCHMARK(GravarCopiaLocal)->Unit(benchmark::kMillisecond);

void ReconstruirIdentidades(benchmark::State &estado)
{
    const Conjunto &c = conjunto(itensDosPassos);
    const auto cofre = c.cofreSincronizado();
    for (auto _ : estado)
        benchmark::DoNotOptimize(montarIdentidades(cofre->abertos().values(), VinculoDoPreenchimento::ler()));
    estado.SetItemsProcessed(estado.iterations() * c.quantidade);
}
BENCHMARK(ReconstruirIdentidades)->Unit(benchmark::kMillisecond);

void ListarSenhas(benchmark::State &estado)
{
    const Conjunto &c = conjunto(itensDosPassos);
    const auto cofre = c.cofreSincronizado();
    for (auto _ : estado)
        benchmark::DoNotOptimize(cofre->senhas());
    estado.SetItemsProcessed(estado.iterations() * c.quantidade);
}
BENCHMARK(ListarSenhas)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication aplicacao(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("app.corvane.*.info=false"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
