#include "core/ChaveJSON.h"
#include "core/ValorJSON.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

const QString composto = QString::fromUtf8("caf\u00e9");
const QString decomposto = QString::fromUtf8("cafe\u0301");

TEST(ChaveJSON, ComparaPorEquivalenciaEGuardaOTextoComoVeio)
{
    const QString longa(ChavesJSON::maiorNomeNoConjunto + 1, QLatin1Char('k'));
    struct Caso {
        const char *nome;
        ChaveJSON a;
        ChaveJSON b;
        QString textoDeA;
        bool iguais;
        bool mesmoNome;
    };
    const Caso casos[] = {
        {"conhecida de texto e de bytes", QStringLiteral("sites"), ChaveJSON::deAscii("sites", 5), "sites", true, true},
        {"conhecida de latin1 e de utf8", QLatin1String("emissor"), "emissor", "emissor", true, true},
        {"outra de texto e de bytes", QStringLiteral("chaveDeTeste"), ChaveJSON::deAscii("chaveDeTeste", 12),
         "chaveDeTeste", true, true},
        {"vazia", ChaveJSON(), ChaveJSON::deAscii("", 0), "", true, true},
        {"composta e decomposta", composto, decomposto, composto, true, false},
        {"sem acento", QStringLiteral("cafe"), composto, "cafe", false, false},
        {"maiusculas contam", QStringLiteral("Sites"), QStringLiteral("sites"), "Sites", false, false},
        {"prefixo", QStringLiteral("site"), QStringLiteral("sites"), "site", false, false},
        {"longa fica com quem a tem", longa, ChaveJSON::deAscii(longa.toLatin1().constData(), longa.size()), longa,
         true, false},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(caso.a.texto(), caso.textoDeA);
        EXPECT_EQ(caso.a == caso.b, caso.iguais);
        EXPECT_EQ(caso.b == caso.a, caso.iguais);
        EXPECT_EQ(caso.a.mesmoNome(caso.b), caso.mesmoNome);
        EXPECT_EQ(ParJSON({caso.a, ValorJSON::numero(1)}) == ParJSON({caso.b, ValorJSON::numero(1)}), caso.iguais);
    }
}

TEST(ChaveJSON, NomeNovoEntraUmaVezNoConjuntoMesmoLidoEmVariasLinhas)
{
    const std::size_t antes = ChavesJSON::nomesNoConjunto();
    constexpr int linhas = 8;
    std::vector<ChaveJSON> vistas(linhas * 2);
    std::vector<std::thread> trabalho;
    for (int i = 0; i < linhas; ++i) {
        trabalho.emplace_back([i, &vistas] {
            const ValorJSON lido = ValorJSON::ler(R"({"lidaEmVariasLinhas":1})");
            vistas[std::size_t(2 * i)] = lido.comoObjeto()->pares.first().chave;
            vistas[std::size_t(2 * i + 1)] = QStringLiteral("lidaEmVariasLinhas");
        });
    }
    for (std::thread &linha : trabalho)
        linha.join();
    EXPECT_EQ(ChavesJSON::nomesNoConjunto(), antes + 1);
    for (const ChaveJSON &vista : vistas) {
        EXPECT_TRUE(vista.mesmoNome(vistas.front()));
        EXPECT_EQ(vista.texto(), QStringLiteral("lidaEmVariasLinhas"));
    }
    // A known name never enters it.
    static_cast<void>(ChaveJSON::deAscii("segredo", 7));
    EXPECT_EQ(ChavesJSON::nomesNoConjunto(), antes + 1);
}

TEST(ChaveJSON, ObjetoLidoAchaEDefinePorEquivalenciaComoAntes)
{
    // "\u2126" (ohm sign) is canonically "\u03a9" (omega); the second key is "cafe" + U+0301.
    const QByteArray texto = R"({"titulo":1,"cafe\u0301":2,"outra":3,"\u2126":4,"titulo":5})";
    ObjetoJSON objeto = *ValorJSON::ler(texto).comoObjeto();
    struct Busca {
        QString chave;
        std::optional<double> valor;
    };
    const Busca buscas[] = {
        {"titulo", 5}, {composto, 2}, {decomposto, 2}, {"cafe", std::nullopt}, {"outra", 3},
        {"Outra", std::nullopt}, {QString::fromUtf8("\u03a9"), 4}, {"", std::nullopt}, {"titulos", std::nullopt},
    };
    for (const Busca &busca : buscas) {
        SCOPED_TRACE(busca.chave.toStdString());
        const ValorJSON *valor = objeto.valor(busca.chave);
        EXPECT_EQ(valor ? valor->comoNumero() : std::nullopt, busca.valor);
    }
    objeto.definir(composto, ValorJSON::numero(7));
    objeto.definir(QString::fromUtf8("\u03a9"), std::nullopt);
    objeto.definir(QStringLiteral("nova"), ValorJSON::booleano(true));
    EXPECT_EQ(ValorJSON::objeto(objeto).escritoEmUTF8(),
              QByteArray("{\"titulo\":5,\"cafe\xcc\x81\":7,\"outra\":3,\"nova\":true}"));
}

// Last in this file: it fills the process-wide pool.
TEST(ChaveJSON, ConjuntoCheioDeixaCadaNomeNovoComQuemOTem)
{
    for (int n = 0; ChavesJSON::nomesNoConjunto() < ChavesJSON::maisNomesNoConjunto; ++n)
        static_cast<void>(ChaveJSON(QStringLiteral("enchimento%1").arg(n)));
    const QByteArray texto = R"({"depoisDeCheio":1,"sites":2})";
    ValorJSON lido = ValorJSON::ler(texto);
    ChaveJSON propria = QStringLiteral("depoisDeCheio");
    EXPECT_EQ(ChavesJSON::nomesNoConjunto(), ChavesJSON::maisNomesNoConjunto);
    EXPECT_FALSE(propria.mesmoNome(lido.comoObjeto()->pares.first().chave));
    EXPECT_EQ(propria, lido.comoObjeto()->pares.first().chave);

    // Copies, moves and assignments keep the owned text alive exactly as long as a handle holds it.
    ChaveJSON copia = propria;
    ChaveJSON movida = std::move(propria);
    propria = copia;
    copia = ChaveJSON("sites");
    ValorJSON outro = lido;
    lido = ValorJSON();
    EXPECT_EQ(movida.texto(), QStringLiteral("depoisDeCheio"));
    EXPECT_EQ(propria.texto(), QStringLiteral("depoisDeCheio"));
    EXPECT_TRUE(copia.mesmoNome(outro.comoObjeto()->pares.last().chave));
    EXPECT_EQ(outro.escritoEmUTF8(), texto);
    EXPECT_EQ(outro.comoObjeto()->inteiro(movida, 0), 1);
}

} // namespace
