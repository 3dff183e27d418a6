// Cost of opening a whole vault from its local copy, as start-up and the AutoFill extension do:
// parse "cofre.json", then open (decrypt and parse) every sealed item. Warm runs inside one
// process, and the whole start-up path of a fresh process (reading the file through `Cofre`),
// with the memory the open store holds at 100,000 items.
#include "core/CopiaDoCofre.h"
#include "core/Envelope.h"
#include "core/Item.h"
#include "vault/AberturaDosItens.h"
#include "vault/Cofre.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace {

constexpr int itensNoCofre = 10'000;

const QByteArray chave(32, '\x5a');

QByteArray conteudoDe(int n)
{
    switch (n % 3) {
    case 0:
        return ValorJSON::objeto(DadosDeCodigo::novo(QStringLiteral("Servico %1").arg(n), QStringLiteral("ana@exemplo.com"),
                                                     QStringLiteral("JBSWY3DPEHPK3PXPJBSWY3DPEHPK3PXP"),
                                                     AlgoritmoTotp::sha1, 6, 30)
                                     .json)
            .escritoEmUTF8();
    case 1:
        return ValorJSON::objeto(DadosDeSenha::novo(QStringLiteral("Site %1").arg(n), QStringLiteral("ana"),
                                                    QStringLiteral("c0rreto-cavalo-bateria-grampo"),
                                                    {QStringLiteral("https://www.site%1.com.br/entrar").arg(n)},
                                                    QStringLiteral("notas curtas"), n % 7 == 0)
                                     .json)
            .escritoEmUTF8();
    default:
        return ValorJSON::objeto(DadosDeNota(QStringLiteral("Nota %1").arg(n), QString(400, QLatin1Char('x')), false).json)
            .escritoEmUTF8();
    }
}

// The bytes of a local copy holding `quantidade` sealed items.
const QByteArray &copiaGravada(int quantidade = itensNoCofre)
{
    static std::map<int, QByteArray> feitas;
    QByteArray &bytes = feitas[quantidade];
    if (!bytes.isEmpty())
        return bytes;
    CopiaDoCofre copia;
    copia.conta.id = QStringLiteral("conta");
    copia.conta.kdf = {QStringLiteral("argon2id"), 3, 65536, 1};
    copia.revisao = quantidade;
    for (int n = 0; n < quantidade; ++n) {
        const QString id = QStringLiteral("00000000-0000-4000-8000-%1").arg(n, 12, 10, QLatin1Char('0'));
        copia.itens.append({id, todosOsTiposDeItem[n % 3],
                            Cripto::selarEnvelope(conteudoDe(n), chave, Cripto::rotuloDoItem(id)), n,
                            QStringLiteral("2024-01-01T00:00:00Z"), QStringLiteral("2024-01-02T00:00:00Z"),
                            std::nullopt});
    }
    bytes = CodificacaoJSON::escreverDocumento(copia.paraJSON());
    return bytes;
}

QList<ItemAberto> abrirTodos(const CopiaDoCofre &copia)
{
    QList<ItemAberto> abertos;
    abertos.reserve(copia.itens.size());
    for (const ItemCifrado &item : copia.itens)
        abertos.append(ItemAberto::de(item, item.abrir(chave)));
    return abertos;
}

void abrirDezMilItensDaCopia(benchmark::State &estado)
{
    const QByteArray &bytes = copiaGravada();
    for (auto _ : estado) {
        const CopiaDoCofre copia = CopiaDoCofre::deJSON(Leitor(CodificacaoJSON::lerDocumento(bytes)));
        benchmark::DoNotOptimize(abrirTodos(copia));
    }
    estado.SetItemsProcessed(estado.iterations() * itensNoCofre);
    estado.counters["bytes_da_copia"] = double(bytes.size());
}

void lerSoACopia(benchmark::State &estado)
{
    const QByteArray &bytes = copiaGravada();
    for (auto _ : estado)
        benchmark::DoNotOptimize(CopiaDoCofre::deJSON(Leitor(CodificacaoJSON::lerDocumento(bytes))));
    estado.SetItemsProcessed(estado.iterations() * itensNoCofre);
}

// --- A fresh process: the program started anew, the copy read from disk through `Cofre` ---

constexpr char argumentoDoFilho[] = "--abrir-cofre-num-processo-novo";
// Writes a copy of n items under XDG_DATA_HOME and exits, so the child can be run by hand, for
// instance under callgrind: bench_itens --gravar-copia 10000, then the child argument.
constexpr char argumentoDeGravar[] = "--gravar-copia";

double mediana(std::vector<double> valores)
{
    std::sort(valores.begin(), valores.end());
    const std::size_t meio = valores.size() / 2;
    return valores.size() % 2 ? valores[meio] : (valores[meio - 1] + valores[meio]) / 2;
}

QTemporaryDir &pastaDosDados()
{
    static QTemporaryDir unica;
    return unica;
}

// Writes the copy where a child with XDG_DATA_HOME set to our folder finds it.
void prepararCopiaNoDisco(int quantidade)
{
    qputenv("XDG_DATA_HOME", pastaDosDados().path().toLocal8Bit());
    const CopiaDoCofre copia = CopiaDoCofre::deJSON(Leitor(CodificacaoJSON::lerDocumento(copiaGravada(quantidade))));
    if (!CopiaDoCofre::salvar(copia))
        std::abort();
}

struct Medida {
    double processoMs = 0;   // spawn to exit, as the user waits for it
    double aberturaMs = 0;   // inside the child: `Cofre` built from the file
    double residenteKiB = 0; // resident memory the open store added
    double picoKiB = 0;      // peak resident memory of the child
    int linhas = 0;          // threads that opened the items
};

Medida rodarFilho()
{
    QProcess filho;
    QElapsedTimer relogio;
    relogio.start();
    filho.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(argumentoDoFilho)});
    if (!filho.waitForFinished(120'000) || filho.exitCode() != 0)
        std::abort();
    Medida medida;
    medida.processoMs = double(relogio.nsecsElapsed()) / 1e6;
    const QList<QByteArray> campos = filho.readAllStandardOutput().trimmed().split(' ');
    if (campos.size() != 4)
        std::abort();
    medida.aberturaMs = campos[0].toDouble();
    medida.residenteKiB = campos[1].toDouble();
    medida.picoKiB = campos[2].toDouble();
    medida.linhas = campos[3].toInt();
    return medida;
}

void AbrirNumProcessoNovo(benchmark::State &estado)
{
    const int quantidade = static_cast<int>(estado.range(0));
    prepararCopiaNoDisco(quantidade);
    std::vector<double> processo, abertura, residente, pico;
    int linhas = 0;
    for (auto _ : estado) {
        const Medida medida = rodarFilho();
        linhas = medida.linhas;
        processo.push_back(medida.processoMs);
        abertura.push_back(medida.aberturaMs);
        residente.push_back(medida.residenteKiB);
        pico.push_back(medida.picoKiB);
        estado.SetIterationTime(medida.processoMs / 1e3);
    }
    estado.counters["abertura_ms"] = mediana(abertura);
    estado.counters["processo_ms"] = mediana(processo);
    estado.counters["residente_MiB"] = mediana(residente) / 1024;
    estado.counters["pico_MiB"] = mediana(pico) / 1024;
    estado.counters["residente_por_item_B"] = mediana(residente) * 1024 / quantidade;
    estado.counters["pico_por_item_B"] = mediana(pico) * 1024 / quantidade;
    estado.counters["linhas"] = linhas;
}

qint64 residenteEmKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> campos = statm.readAll().split(' ');
    return campos.size() > 1 ? campos[1].toLongLong() * sysconf(_SC_PAGESIZE) / 1024 : 0;
}

// The peak resident memory of this program since its exec. Not getrusage's ru_maxrss: that keeps
// the high-water mark of the process before exec, here the forking benchmark with its own copies.
qint64 picoEmKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &linha : status.readAll().split('\n'))
        if (linha.startsWith("VmHWM:"))
            return linha.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// The child: what start-up does to open the vault, timed from inside: the copy read once for its
// account, and the store built from that copy.
int abrirNoFilho()
{
    const qint64 antes = residenteEmKiB();
    QElapsedTimer relogio;
    relogio.start();
    std::optional<CopiaDoCofre> copia = CopiaDoCofre::ler();
    if (!copia)
        return 1;
    const Conta conta = copia->conta;
    const Cofre cofre(conta, chave, std::move(copia), nullptr, nullptr);
    const double ms = double(relogio.nsecsElapsed()) / 1e6;
    if (!cofre.carregado() || cofre.abertos().size() != cofre.cifrados().size())
        return 1;
    const qint64 depois = residenteEmKiB();
    std::printf("%.3f %lld %lld %d\n", ms, static_cast<long long>(depois - antes), static_cast<long long>(picoEmKiB()),
                AberturaDosItens::linhasPara(cofre.cifrados().size()));
    return 0;
}

} // namespace

BENCHMARK(abrirDezMilItensDaCopia)->Unit(benchmark::kMillisecond);
BENCHMARK(lerSoACopia)->Unit(benchmark::kMillisecond);
BENCHMARK(AbrirNumProcessoNovo)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(7);

int main(int argc, char **argv)
{
    QCoreApplication aplicacao(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], argumentoDoFilho) == 0)
        return abrirNoFilho();
    if (argc == 3 && std::strcmp(argv[1], argumentoDeGravar) == 0) {
        const CopiaDoCofre copia = CopiaDoCofre::deJSON(Leitor(CodificacaoJSON::lerDocumento(copiaGravada(std::atoi(argv[2])))));
        return CopiaDoCofre::salvar(copia) ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
