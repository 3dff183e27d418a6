// Cost of computing one-time codes, as every redraw of a code list does: 10,000 codes of one
// item, and one redraw of a grid of 10,000 items (each its own secret), at the three hashes;
// from scratch every time, and with each item's generator prepared once.
#include "core/Totp.h"

#include <QList>
#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int codigosPorRodada = 10'000;

const QDateTime inicio = QDateTime::fromSecsSinceEpoch(1'700'000'000, QTimeZone::utc());

// A distinct base32 secret of 20 bytes (32 characters) per item.
QString segredoDe(int i)
{
    static constexpr char alfabeto[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
    QString segredo(32, u'A');
    for (int c = 0; c < 32; ++c)
        segredo[c] = QLatin1Char(alfabeto[(i * 7 + c * 13 + (i >> (c % 12))) % 32]);
    return segredo;
}

// The one-shot path: every code decodes its secret and sets its key up anew.
void dezMilCodigos(benchmark::State &estado, AlgoritmoTotp algoritmo)
{
    const ParametrosTotp parametros{"GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ", algoritmo, 6, 30};
    for (auto _ : estado) {
        for (int i = 0; i < codigosPorRodada; ++i)
            benchmark::DoNotOptimize(parametros.codigo(inicio.addSecs(30LL * i)));
    }
    estado.SetItemsProcessed(estado.iterations() * codigosPorRodada);
}

void gradeDeDezMilItens(benchmark::State &estado, AlgoritmoTotp algoritmo)
{
    QList<ParametrosTotp> itens;
    for (int i = 0; i < codigosPorRodada; ++i)
        itens.append({segredoDe(i), algoritmo, 6, 30});
    for (auto _ : estado) {
        for (const ParametrosTotp &item : itens)
            benchmark::DoNotOptimize(item.codigo(inicio));
    }
    estado.SetItemsProcessed(estado.iterations() * codigosPorRodada);
}

// The list's path: each item's generator made once (when it is listed) and reused every redraw.
void dezMilCodigosPreparados(benchmark::State &estado, AlgoritmoTotp algoritmo)
{
    const GeradorDeCodigos gerador({"GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ", algoritmo, 6, 30});
    for (auto _ : estado) {
        for (int i = 0; i < codigosPorRodada; ++i)
            benchmark::DoNotOptimize(gerador.codigo(inicio.addSecs(30LL * i)));
    }
    estado.SetItemsProcessed(estado.iterations() * codigosPorRodada);
}

void gradeDeDezMilItensPreparados(benchmark::State &estado, AlgoritmoTotp algoritmo)
{
    std::vector<GeradorDeCodigos> itens;
    itens.reserve(codigosPorRodada);
    for (int i = 0; i < codigosPorRodada; ++i)
        itens.emplace_back(ParametrosTotp{segredoDe(i), algoritmo, 6, 30});
    for (auto _ : estado) {
        for (const GeradorDeCodigos &item : itens)
            benchmark::DoNotOptimize(item.codigo(inicio));
    }
    estado.SetItemsProcessed(estado.iterations() * codigosPorRodada);
}

} // namespace

BENCHMARK_CAPTURE(dezMilCodigos, sha1, AlgoritmoTotp::sha1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dezMilCodigos, sha256, AlgoritmoTotp::sha256)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dezMilCodigos, sha512, AlgoritmoTotp::sha512)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gradeDeDezMilItens, sha1, AlgoritmoTotp::sha1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gradeDeDezMilItens, sha256, AlgoritmoTotp::sha256)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gradeDeDezMilItens, sha512, AlgoritmoTotp::sha512)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(dezMilCodigosPreparados, sha1, AlgoritmoTotp::sha1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dezMilCodigosPreparados, sha256, AlgoritmoTotp::sha256)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dezMilCodigosPreparados, sha512, AlgoritmoTotp::sha512)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gradeDeDezMilItensPreparados, sha1, AlgoritmoTotp::sha1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gradeDeDezMilItensPreparados, sha256, AlgoritmoTotp::sha256)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gradeDeDezMilItensPreparados, sha512, AlgoritmoTotp::sha512)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
