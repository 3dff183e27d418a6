// Parse and write speed of the ordered JSON on a 1 MiB document of item-like objects, with Qt's
// QJsonDocument on the same text for context (it neither keeps key order nor unknown keys' order).
#include "core/ValorJSON.h"

#include <QJsonDocument>

#include <benchmark/benchmark.h>

namespace {

// A list of item contents (codes, passwords, notes) with escapes, non-ASCII text and numbers,
// grown until it reaches 1 MiB.
const QByteArray &documento()
{
    static const QByteArray texto = [] {
        QList<ValorJSON> itens;
        qsizetype tamanho = 0;
        for (int i = 0; tamanho < 1024 * 1024; ++i) {
            const QString n = QString::number(i);
            ObjetoJSON item({
                {"nome", ValorJSON::texto("Conta número " + n + " — São Paulo")},
                {"usuario", ValorJSON::texto("pessoa" + n + "@exemplo.com.br")},
                {"senha", ValorJSON::texto("s3nh@\"forte\"\\" + n)},
                {"segredo", ValorJSON::texto("JBSWY3DPEHPK3PXP" + n)},
                {"digitos", ValorJSON::numero(6)},
                {"periodo", ValorJSON::numero(30)},
                {"peso", ValorJSON::numero(i * 0.125 + 0.1)},
                {"favorito", ValorJSON::booleano(i % 3 == 0)},
                {"sites", ValorJSON::lista({ValorJSON::texto("exemplo" + n + ".com"), ValorJSON::texto("login.exemplo.com")})},
                {"nota", ValorJSON::texto("Linha 1\nLinha 2\tcom tab 😀")},
                {"extra", ValorJSON::nulo()},
            });
            const ValorJSON valor = ValorJSON::objeto(std::move(item));
            tamanho += valor.escritoEmUTF8().size() + 1;
            itens.append(valor);
        }
        return ValorJSON::lista(std::move(itens)).escritoEmUTF8();
    }();
    return texto;
}

void lerValorJSON(benchmark::State &estado)
{
    const QByteArray &texto = documento();
    for (auto _ : estado)
        benchmark::DoNotOptimize(ValorJSON::ler(texto));
    estado.SetBytesProcessed(estado.iterations() * texto.size());
}

void escreverValorJSON(benchmark::State &estado)
{
    const ValorJSON valor = ValorJSON::ler(documento());
    for (auto _ : estado)
        benchmark::DoNotOptimize(valor.escritoEmUTF8());
    estado.SetBytesProcessed(estado.iterations() * documento().size());
}

void lerQJsonDocument(benchmark::State &estado)
{
    const QByteArray &texto = documento();
    for (auto _ : estado)
        benchmark::DoNotOptimize(QJsonDocument::fromJson(texto));
    estado.SetBytesProcessed(estado.iterations() * texto.size());
}

void escreverQJsonDocument(benchmark::State &estado)
{
    const QJsonDocument doc = QJsonDocument::fromJson(documento());
    for (auto _ : estado)
        benchmark::DoNotOptimize(doc.toJson(QJsonDocument::Compact));
    estado.SetBytesProcessed(estado.iterations() * documento().size());
}

} // namespace

BENCHMARK(lerValorJSON)->Unit(benchmark::kMillisecond);
BENCHMARK(escreverValorJSON)->Unit(benchmark::kMillisecond);
BENCHMARK(lerQJsonDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(escreverQJsonDocument)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
