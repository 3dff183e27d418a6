// Cost of opening a whole vault from its local copy, as start-up and the AutoFill extension do:
// parse "cofre.json", then open (decrypt and parse) every sealed item.
#include "core/CopiaDoCofre.h"
#include "core/Envelope.h"
#include "core/Item.h"

#include <benchmark/benchmark.h>

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

// The bytes of a local copy holding `itensNoCofre` sealed items.
const QByteArray &copiaGravada()
{
    static const QByteArray bytes = [] {
        CopiaDoCofre copia;
        copia.conta.id = QStringLiteral("conta");
        copia.conta.kdf = {QStringLiteral("argon2id"), 3, 65536, 1};
        copia.revisao = itensNoCofre;
        for (int n = 0; n < itensNoCofre; ++n) {
            const QString id = QStringLiteral("00000000-0000-4000-8000-%1").arg(n, 12, 10, QLatin1Char('0'));
            copia.itens.append({id, todosOsTiposDeItem[n % 3],
                                Cripto::selarEnvelope(conteudoDe(n), chave, Cripto::rotuloDoItem(id)), n,
                                QStringLiteral("2024-01-01T00:00:00Z"), QStringLiteral("2024-01-02T00:00:00Z"),
                                std::nullopt});
        }
        return CodificacaoJSON::escreverDocumento(copia.paraJSON());
    }();
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

} // namespace

BENCHMARK(abrirDezMilItensDaCopia)->Unit(benchmark::kMillisecond);
BENCHMARK(lerSoACopia)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
