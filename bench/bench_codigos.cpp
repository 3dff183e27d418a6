// Cost of computing one-time codes from scratch, as every redraw of a code list does.
#include "core/Totp.h"

#include <QTimeZone>

#include <benchmark/benchmark.h>

namespace {

constexpr int codigosPorRodada = 10'000;

void dezMilCodigos(benchmark::State &estado, AlgoritmoTotp algoritmo)
{
    const ParametrosTotp parametros{"GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ", algoritmo, 6, 30};
    const QDateTime inicio = QDateTime::fromSecsSinceEpoch(1'700'000'000, QTimeZone::utc());
    for (auto _ : estado) {
        for (int i = 0; i < codigosPorRodada; ++i)
            benchmark::DoNotOptimize(parametros.codigo(inicio.addSecs(30LL * i)));
    }
    estado.SetItemsProcessed(estado.iterations() * codigosPorRodada);
}

} // namespace

BENCHMARK_CAPTURE(dezMilCodigos, sha1, AlgoritmoTotp::sha1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dezMilCodigos, sha256, AlgoritmoTotp::sha256)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(dezMilCodigos, sha512, AlgoritmoTotp::sha512)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
