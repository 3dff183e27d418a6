// Synchronisation of the vault store against the in-process development server: a first full
// pull of 5,000 items and an incremental run with nothing new, next to the steps a pull is made
// of (decoding the answer, opening every item, writing the local copy), so it shows where the
// time goes.
#include "api/ClienteDaAPI.h"
#include "api/Respostas.h"
#include "app/servicos/FilaDeIdentidades.h"
#include "app/servicos/IdentidadesDoPreenchimento.h"
#include "app/servicos/Preferencias.h"
#include "core/CopiaDoCofre.h"
#include "core/Envelope.h"
#include "plataforma/CofreDeSegredos.h"
#include "plataforma/CofreDeSegredosEmArquivo.h"
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

#include <memory>

namespace {

constexpr int quantidadeDeItens = 5000;
const QString email = QStringLiteral("bench@exemplo.com");

// One server with one account holding 5,000 passwords, a signed-in client and the store's
// other inputs, shared by every benchmark.
struct Ambiente {
    QTemporaryDir pasta;
    std::unique_ptr<Servidor::ServidorDeDesenvolvimento> servidor;
    std::unique_ptr<ClienteDaAPI> api;
    std::unique_ptr<Preferencias> preferencias;
    Conta conta;
    QByteArray chave;

    Ambiente()
    {
        qputenv("XDG_DATA_HOME", (pasta.path() + QStringLiteral("/dados")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (pasta.path() + QStringLiteral("/configuracao")).toLocal8Bit());
        CofreDeSegredos::usar(std::make_shared<CofreDeSegredosEmArquivo>(pasta.path() + QStringLiteral("/segredos.json")));

        servidor = std::make_unique<Servidor::ServidorDeDesenvolvimento>();
        servidor->iniciar();
        servidor->estado().criarConta(Testes::novaConta(email));
        const RespostaDeSessao sessao = Testes::sessaoDe(servidor->estado(), email);
        conta = sessao.conta;
        api = std::make_unique<ClienteDaAPI>(servidor->endereco());
        api->guardarSessao(sessao);
        preferencias = std::make_unique<Preferencias>(Padroes(pasta.path() + QStringLiteral("/padroes.json")));

        chave = Cripto::bytesAleatorios(32);
        for (int i = 0; i < quantidadeDeItens; ++i) {
            const QString id = QStringLiteral("item-%1").arg(i, 5, 10, QLatin1Char('0'));
            const ObjetoJSON conteudo =
                DadosDeSenha::novo(QStringLiteral("Conta %1").arg(i), QStringLiteral("pessoa%1@exemplo.com").arg(i),
                                   QStringLiteral("s3nh@-forte-%1").arg(i), {QStringLiteral("site%1.com.br").arg(i)},
                                   QStringLiteral("Notas do item %1").arg(i), i % 7 == 0)
                    .json;
            servidor->estado().gravarItem(email, id, QStringLiteral("senha"),
                                          Cripto::selarEnvelope(ValorJSON::objeto(conteudo).escritoEmUTF8(), chave,
                                                                Cripto::rotuloDoItem(id)));
        }
    }

    [[nodiscard]] std::unique_ptr<Cofre> novoCofre() const
    {
        return std::make_unique<Cofre>(conta, chave, api.get(), preferencias.get());
    }
};

Ambiente &ambiente()
{
    static Ambiente unico;
    return unico;
}

void PrimeiraSincroniaCompleta(benchmark::State &estado)
{
    Ambiente &a = ambiente();
    std::unique_ptr<Cofre> cofre;
    for (auto _ : estado) {
        estado.PauseTiming();
        cofre.reset(); // the previous store goes away outside the measure
        CopiaDoCofre::apagar(); // no copy: the store asks for the whole vault
        cofre = a.novoCofre();
        estado.ResumeTiming();
        Testes::executar(cofre->sincronizar(), std::chrono::minutes(2));
        if (cofre->abertos().size() != quantidadeDeItens || cofre->falhouAoSincronizar())
            estado.SkipWithError("a sincronização não trouxe o cofre inteiro");
    }
    estado.SetItemsProcessed(estado.iterations() * quantidadeDeItens);
}
BENCHMARK(PrimeiraSincroniaCompleta)->Unit(benchmark::kMillisecond)->UseRealTime();

void SincroniaSemNovidades(benchmark::State &estado)
{
    Ambiente &a = ambiente();
    auto cofre = a.novoCofre();
    Testes::executar(cofre->sincronizar(), std::chrono::minutes(2));
    for (auto _ : estado) {
        Testes::executar(cofre->sincronizar());
        if (cofre->falhouAoSincronizar() || cofre->abertos().size() != quantidadeDeItens)
            estado.SkipWithError("a sincronização falhou");
    }
}
BENCHMARK(SincroniaSemNovidades)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- The steps of a full pull ---

// The server's answer to a full pull, as the server writes it (no HTTP in between).
const QByteArray &respostaCompleta()
{
    static const QByteArray bytes = [] {
        Ambiente &a = ambiente();
        Servidor::Pedido pedido;
        pedido.metodo = QStringLiteral("GET");
        pedido.caminho = QStringLiteral("/v1/cofre");
        pedido.autorizacao = "Bearer " + a.api->tokens()->tokenDeAcesso.toUtf8();
        return a.servidor->estado().atender(pedido).corpo;
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
    const QByteArray &chave = ambiente().chave;
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
    Ambiente &a = ambiente();
    std::unique_ptr<Cofre> cofre;
    for (auto _ : estado) {
        estado.PauseTiming();
        cofre.reset();
        CopiaDoCofre::apagar();
        cofre = a.novoCofre(); // empty, as before a first pull
        estado.ResumeTiming();
        for (const ItemCifrado &item : resposta.itens)
            cofre->aplicar(item);
    }
    estado.SetItemsProcessed(estado.iterations() * resposta.itens.size());
}
BENCHMARK(AplicarRespostaNoCofre)->Unit(benchmark::kMillisecond);

void GravarCopiaLocal(benchmark::State &estado)
{
    Ambiente &a = ambiente();
    auto cofre = a.novoCofre();
    Testes::executar(cofre->sincronizar(), std::chrono::minutes(2));
    for (auto _ : estado)
        cofre->salvarCopia();
    estado.SetItemsProcessed(estado.iterations() * quantidadeDeItens);
}
BENCHMARK(GravarCopiaLocal)->Unit(benchmark::kMillisecond);

void ReconstruirIdentidades(benchmark::State &estado)
{
    Ambiente &a = ambiente();
    auto cofre = a.novoCofre();
    Testes::executar(cofre->sincronizar(), std::chrono::minutes(2));
    for (auto _ : estado)
        identidadesDoPreenchimento(cofre->abertos().values());
    Testes::executar(FilaDeIdentidades::doProcesso().ociosa());
    estado.SetItemsProcessed(estado.iterations() * quantidadeDeItens);
}
BENCHMARK(ReconstruirIdentidades)->Unit(benchmark::kMillisecond);

void ListarSenhas(benchmark::State &estado)
{
    Ambiente &a = ambiente();
    auto cofre = a.novoCofre();
    Testes::executar(cofre->sincronizar(), std::chrono::minutes(2));
    for (auto _ : estado)
        benchmark::DoNotOptimize(cofre->senhas());
    estado.SetItemsProcessed(estado.iterations() * quantidadeDeItens);
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
